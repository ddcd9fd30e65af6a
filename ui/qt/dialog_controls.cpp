#include "ui/qt/dialog_controls.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QValidator>

#include <algorithm>

#include "ui/model/main_window_layout.h"
#include "ui/qt/dialog_geometry.h"
#include "ui/qt/edit_field.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/qt_widgets.h"

namespace hanabira {
namespace {

// Takes only the digits 0 to 9, then leaves the decision to the field's own validator
// (the one that stops typing where a field that does not scroll ends).
class DigitsOnlyValidator final : public QValidator {
 public:
  DigitsOnlyValidator(const QValidator* next, QObject* parent) : QValidator(parent), next_(next) {}

  State validate(QString& input, int& position) const override {
    const bool digits = std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits) return Invalid;
    return next_ != nullptr ? next_->validate(input, position) : Acceptable;
  }

 private:
  const QValidator* next_;
};

bool growsToItsText(DialogControlKind kind) {
  return kind == DialogControlKind::CheckBox || kind == DialogControlKind::RadioButton ||
         kind == DialogControlKind::Label;
}

void placeControl(QWidget* control, const DialogControl& place, const DialogUnits& units) {
  QRect rect = toQRect(units.toPixels(place.x, place.y, place.width, place.height));
  switch (place.kind) {
    case DialogControlKind::ChoiceBox: {
      // The layout's height is that of the opened list; the closed box is as high as
      // its font needs.
      auto* box = static_cast<QComboBox*>(control);
      showAsScrollingList(*box, openedListItems);
      rect.setHeight(box->sizeHint().height());
      break;
    }
    case DialogControlKind::OkButton:
    case DialogControlKind::CancelButton:
    case DialogControlKind::TextField:
    case DialogControlKind::CheckBox:
    case DialogControlKind::RadioButton:
    case DialogControlKind::Label:
    case DialogControlKind::Note:
    case DialogControlKind::CommandButton:
    case DialogControlKind::Table:
    case DialogControlKind::Status:
      break;
  }
  control->setGeometry(rect);
}

// This font's check boxes and radio buttons keep more room before their text than the
// layouts reckon with. One too narrow for its text grows to the right, up to the next
// control of its row or the dialog's edge.
void growToText(QWidget* control, std::span<QWidget* const> siblings, int dialogWidth) {
  QRect rect = control->geometry();
  int right = dialogWidth;
  for (const QWidget* other : siblings) {
    const QRect place = other->geometry();
    const bool sameRow = place.top() <= rect.bottom() && place.bottom() >= rect.top();
    if (other != control && sameRow && place.left() > rect.left()) right = std::min(right, place.left());
  }
  rect.setWidth(std::clamp(control->sizeHint().width(), rect.width(), std::max(rect.width(), right - rect.left())));
  control->setGeometry(rect);
}

}  // namespace

QFont optionDialogFont() {
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(11);
  return font;
}

QWidget* createTextField(const TextFieldStyle& style, QWidget* parent) {
  auto* field =
      new EditField(style.scrolls ? EditFieldWidth::ScrollsHorizontally : EditFieldWidth::FitsVisibleWidth, parent);
  field->setAlignment((style.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  if (style.digitsOnly) field->setValidator(new DigitsOnlyValidator(field->validator(), field));
  return field;
}

QComboBox* createChoiceBox(ChoiceList list, QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (std::string_view item : choiceItems(list)) box->addItem(toQString(item));
  return box;
}

QTableWidget* createTable(const QString& columnNames, QWidget* parent) {
  auto* table = new QTableWidget(parent);
  const QStringList columns = columnNames.split(u',');
  table->setColumnCount(static_cast<int>(columns.size()));
  table->setHorizontalHeaderLabels(columns);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->setVisible(false);
  return table;
}

QLabel* createLabel(const QString& text, Qt::Alignment alignment, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(alignment);
  return label;
}

void placeControls(std::span<QWidget* const> controls, std::span<const DialogControl> places, const DialogUnits& units,
                   int dialogWidth) {
  for (std::size_t i = 0; i < controls.size(); ++i) placeControl(controls[i], places[i], units);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (growsToItsText(places[i].kind)) growToText(controls[i], controls, dialogWidth);
  }
}

}  // namespace hanabira
