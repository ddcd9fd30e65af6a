// The main window's single-line edit field, in either width (EditFieldWidth).
#pragma once

#include <QLineEdit>

#include "ui/model/main_window_layout.h"

namespace hanabira {

class EditField : public QLineEdit {
  Q_OBJECT

 public:
  EditField(EditFieldWidth width, QWidget* parent);

  // Whether `text` shows whole, the cursor after it, without scrolling.
  bool fitsVisibleWidth(const QString& text) const;

 protected:
  // A field left with a text longer than it shows scrolls back to its beginning: the
  // characters that count are the first ones.
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace hanabira
