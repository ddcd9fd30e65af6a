#include "ui/qt/app.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "ui/qt/main_window.h"
#include "ui/qt/option_dialog.h"

namespace hanabira {

int runHanabira(int argc, char** argv, EditFieldWidth editFieldWidth) {
  QApplication app(argc, argv);
  MainWindow window(editFieldWidth);
  installOptionDialogs(window);
  if (resultViewerWanted()) {
    window.setResultViewer([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
  }
  window.show();
  return QApplication::exec();
}

}  // namespace hanabira
