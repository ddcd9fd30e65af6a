// The main window's single-line edit field. The two programs differ only here: in
// `hanabira` a field takes only as many characters as its visible width shows (two or
// three digits in the narrow fields); in `hanabira-hscroll` it scrolls and takes more.
#pragma once

#include <QLineEdit>

namespace hanabira {

enum class EditFieldWidth {
  FitsVisibleWidth,
  ScrollsHorizontally,
};

class EditField : public QLineEdit {
  Q_OBJECT

 public:
  EditField(EditFieldWidth width, QWidget* parent);

  // Whether `text` shows whole, the cursor after it, without scrolling.
  bool fitsVisibleWidth(const QString& text) const;
};

}  // namespace hanabira
