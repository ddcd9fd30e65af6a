// Saves a picture of the main window as the user first sees it, for the documentation:
//   hanabira-window-screenshot OUTPUT.png
// It reads "config.txt" of the working directory like the program does.
#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

#include "ui/qt/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: hanabira-window-screenshot OUTPUT.png\n");
    return 2;
  }
  hanabira::MainWindow window(hanabira::EditFieldWidth::FitsVisibleWidth);
  window.show();
  int exitCode = 0;
  // Once the window is on the screen and painted.
  QTimer::singleShot(500, [&] {
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
      std::fprintf(stderr, "cannot write %s\n", argv[1]);
      exitCode = 1;
    }
    QApplication::quit();
  });
  QApplication::exec();
  return exitCode;
}
