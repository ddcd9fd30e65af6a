#include "ui/qt/edit_field.h"

#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace hanabira {
namespace {

// Typing, pasting and deleting all pass through the validator, so refusing an edit that
// would not fit stops the text where the field ends. Texts set by the program (those of
// "config.txt") are not validated and stay whole; the user can still shorten them.
class VisibleWidthValidator final : public QValidator {
 public:
  explicit VisibleWidthValidator(EditField& field) : QValidator(&field), field_(field), previous_(field.text()) {
    connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { previous_ = text; });
  }

  State validate(QString& input, int& /*position*/) const override {
    return field_.fitsVisibleWidth(input) || input.size() < previous_.size() ? Acceptable : Invalid;
  }

 private:
  const EditField& field_;
  QString previous_;  // the text before the edit being validated
};

// The gap a QLineEdit keeps between its frame and its text, on each side.
constexpr int lineEditTextMargin = 2;
constexpr int cursorWidth = 1;

}  // namespace

EditField::EditField(EditFieldWidth width, QWidget* parent) : QLineEdit(parent) {
  if (width == EditFieldWidth::FitsVisibleWidth) {
    setValidator(new VisibleWidthValidator(*this));
  }
}

void EditField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  setCursorPosition(0);
}

bool EditField::fitsVisibleWidth(const QString& text) const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents =
      style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
  const int visible = contents.width() - 2 * lineEditTextMargin;
  return fontMetrics().horizontalAdvance(text) + cursorWidth <= visible;
}

}  // namespace hanabira
