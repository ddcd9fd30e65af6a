#include "ui/qt/app.h"

int main(int argc, char** argv) {
  return hanabira::runHanabira(argc, argv, hanabira::EditFieldWidth::FitsVisibleWidth);
}
