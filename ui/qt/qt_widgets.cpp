#include "ui/qt/qt_widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>

namespace hanabira {

void showAsScrollingList(QComboBox& box, int visibleItems) {
  box.setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  box.setMaxVisibleItems(visibleItems);
}

void keepLinesWhole(QMessageBox& box) {
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) label->setWordWrap(false);
}

}  // namespace hanabira
