#include "ui/main/app.h"

int main(int argc, char** argv) { return hanabira::runHanabira(argc, argv, hanabira::EditFieldWidth::FitsVisibleWidth); }
