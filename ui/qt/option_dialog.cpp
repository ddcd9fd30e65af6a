#include "ui/qt/option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QValidator>

#include <algorithm>
#include <vector>

#include "ui/model/main_window_layout.h"
#include "ui/qt/dialog_geometry.h"
#include "ui/qt/edit_field.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/qt_widgets.h"

namespace hanabira {
namespace {

// The dialogs' font: the main window's family, at the 8 points (11 pixels on a 96-dpi
// screen) the layouts were drawn for.
QFont optionDialogFont() {
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(11);
  return font;
}

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
void growToText(QWidget* control, const std::vector<QWidget*>& siblings, int dialogWidth) {
  QRect rect = control->geometry();
  int right = dialogWidth;
  for (const QWidget* other : siblings) {
    const QRect place = other->geometry();
    const bool sameRow = place.top() <= rect.bottom() && place.bottom() >= rect.top();
    if (other != control && sameRow && place.left() > rect.left()) right = std::min(right, place.left() - 1);
  }
  rect.setWidth(std::clamp(control->sizeHint().width(), rect.width(), std::max(rect.width(), right - rect.left())));
  control->setGeometry(rect);
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

}  // namespace

OptionDialog::OptionDialog(const OptionDialogDesign& design, MainWindow& owner)
    : QDialog(&owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      design_(design),
      flow_(design, owner.commands(), *this, [this](std::function<void()> task) {
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
      }) {
  setObjectName(QString::number(design.id));
  setWindowTitle(toQString(design.title));
  setFont(optionDialogFont());
  setFixedSize(toQSize(dialogUnitsOf(fontMetrics()).toPixels(design.width, design.height)));
  createControls();
  flow_.opened();
}

void OptionDialog::createControls() {
  const DialogUnits units = dialogUnitsOf(fontMetrics());
  QWidget* firstTabStop = nullptr;
  std::vector<QWidget*> created;
  for (const DialogControl& place : design_.controls) {
    QWidget* control = createControl(place);
    if (place.id != 0) {
      control->setObjectName(controlName(place.id));
      controls_[place.id] = control;
      forwardEdits(place.id, control);
    }
    placeControl(control, place, units);
    created.push_back(control);
    if (firstTabStop == nullptr && (control->focusPolicy() & Qt::TabFocus) != 0) firstTabStop = control;
  }
  for (std::size_t i = 0; i < created.size(); ++i) {
    if (growsToItsText(design_.controls[i].kind)) growToText(created[i], created, width());
  }
  if (firstTabStop != nullptr) firstTabStop->setFocus();
}

QWidget* OptionDialog::createControl(const DialogControl& place) {
  const QString label = toQString(place.label);
  switch (place.kind) {
    case DialogControlKind::OkButton: {
      auto* ok = new QPushButton(label, this);
      ok->setDefault(true);
      connect(ok, &QPushButton::clicked, this, &OptionDialog::accept);
      return ok;
    }
    case DialogControlKind::CancelButton: {
      auto* cancel = new QPushButton(label, this);
      connect(cancel, &QPushButton::clicked, this, &OptionDialog::reject);
      return cancel;
    }
    case DialogControlKind::TextField:
      return createTextField(place.field, this);
    case DialogControlKind::ChoiceBox:
      return createChoiceBox(place.choices, this);
    case DialogControlKind::CheckBox:
      return new QCheckBox(label, this);
    case DialogControlKind::RadioButton: {
      // Reached by a click or the arrow keys of its row, never by Tab.
      auto* radio = new QRadioButton(label, this);
      radio->setFocusPolicy(Qt::ClickFocus);
      return radio;
    }
    case DialogControlKind::Label:
      return createLabel(label, Qt::AlignLeft | Qt::AlignTop, this);
    case DialogControlKind::Note:
      note_ = createLabel({}, Qt::AlignLeft | Qt::AlignTop, this);
      note_->setWordWrap(true);
      return note_;
    case DialogControlKind::CommandButton: {
      auto* button = new QPushButton(label, this);
      connect(button, &QPushButton::clicked, this, [this, id = place.id] { flow_.pressed(id); });
      return button;
    }
    case DialogControlKind::Status:
      return createLabel({}, Qt::AlignLeft | Qt::AlignVCenter, this);
    case DialogControlKind::Table:
      return createTable(label, this);
  }
  return nullptr;
}

// What the user changes, for the note and the choices that change other controls.
void OptionDialog::forwardEdits(int id, QWidget* control) {
  const auto edited = [this, id] { flow_.edited(id); };
  if (auto* field = qobject_cast<QLineEdit*>(control)) {
    connect(field, &QLineEdit::textChanged, this, edited);
  } else if (auto* box = qobject_cast<QComboBox*>(control)) {
    connect(box, &QComboBox::currentIndexChanged, this, edited);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    connect(button, &QAbstractButton::toggled, this, edited);
  }
}

std::string OptionDialog::text(const DialogControl& place) const {
  if (place.kind == DialogControlKind::Status) return control<QLabel>(place)->text().toStdString();
  return control<QLineEdit>(place)->text().toStdString();
}

bool OptionDialog::isChecked(const DialogControl& place) const { return control<QAbstractButton>(place)->isChecked(); }

int OptionDialog::selection(const DialogControl& place) const {
  if (place.kind == DialogControlKind::ChoiceBox) return control<QComboBox>(place)->currentIndex();
  const QModelIndexList picked = control<QTableWidget>(place)->selectionModel()->selectedRows();
  return picked.isEmpty() ? -1 : picked.front().row();
}

DialogRows OptionDialog::rows(const DialogControl& place) const {
  const auto* table = control<QTableWidget>(place);
  DialogRows rows;
  for (int r = 0; r < table->rowCount(); ++r) {
    std::vector<std::string>& row = rows.emplace_back();
    for (int c = 0; c < table->columnCount(); ++c) {
      const QTableWidgetItem* item = table->item(r, c);
      row.push_back(item != nullptr ? item->text().toStdString() : std::string());
    }
  }
  return rows;
}

void OptionDialog::showText(const DialogControl& place, std::string_view text) {
  if (place.kind == DialogControlKind::Status) {
    control<QLabel>(place)->setText(toQString(text));
  } else {
    control<QLineEdit>(place)->setText(toQString(text));
  }
}

void OptionDialog::showChecked(const DialogControl& place, bool checked) {
  control<QAbstractButton>(place)->setChecked(checked);
}

void OptionDialog::showSelection(const DialogControl& place, int item) {
  control<QComboBox>(place)->setCurrentIndex(item);
}

void OptionDialog::showRows(const DialogControl& place, const DialogRows& rows, int picked) {
  auto* table = control<QTableWidget>(place);
  table->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t c = 0; c < rows[r].size(); ++c) {
      table->setItem(static_cast<int>(r), static_cast<int>(c),
                     new QTableWidgetItem(QString::fromStdString(rows[r][c])));
    }
  }
  if (picked >= 0) table->selectRow(picked);
}

void OptionDialog::showNote(std::string_view text) {
  if (note_ != nullptr) note_->setText(toQString(text));
}

void OptionDialog::showCommandLabel(const DialogControl& place, std::string_view label) {
  control<QPushButton>(place)->setText(toQString(label));
}

void OptionDialog::showMessage(const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), QString::fromStdString(text), QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void OptionDialog::accept() {
  flow_.confirmed();
  QDialog::accept();
}

OptionDialog* openOptionDialog(const OptionDialogDesign& design, MainWindow& window) {
  for (OptionDialog* open : window.findChildren<OptionDialog*>(Qt::FindDirectChildrenOnly)) {
    if (open->isVisible()) return nullptr;
  }
  auto* dialog = new OptionDialog(design, window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
  return dialog;
}

void installOptionDialogs(MainWindow& window) {
  window.commands().setDialogCommands(
      [&window](const OptionDialogDesign& design) { openOptionDialog(design, window); });
}

}  // namespace hanabira
