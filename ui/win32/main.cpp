#include <windows.h>

#include "ui/win32/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return hanabira::runHanabira(hanabira::EditFieldWidth::FitsVisibleWidth);
}
