// hanabira-hscroll: the same program, with edit fields that scroll and take longer text.
#include <windows.h>

#include "ui/win32/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return hanabira::runHanabira(hanabira::EditFieldWidth::ScrollsHorizontally);
}
