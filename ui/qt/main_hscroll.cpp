// hanabira-hscroll: the same program, with edit fields that scroll and take longer text.
#include "ui/qt/app.h"

int main(int argc, char** argv) {
  return hanabira::runHanabira(argc, argv, hanabira::EditFieldWidth::ScrollsHorizontally);
}
