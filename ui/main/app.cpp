#include "ui/main/app.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

#include "ui/dialogs/option_dialog.h"
#include "ui/main/main_window.h"

namespace hanabira {

int runHanabira(int argc, char** argv, EditFieldWidth editFieldWidth) {
  QApplication app(argc, argv);
  MainWindow window(editFieldWidth);
  installOptionDialogs(window);
  if (qEnvironmentVariable("HANABIRA_NO_VIEWER") != QLatin1String("1")) {
    QObject::connect(&window, &MainWindow::resultFileReady,
                     [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
  }
  window.show();
  return QApplication::exec();
}

}  // namespace hanabira
