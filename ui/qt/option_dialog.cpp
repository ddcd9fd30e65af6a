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

#include "ui/model/console_dialog.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/window_fields.h"
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

}  // namespace

OptionDialog::OptionDialog(const OptionDialogDesign& design, SearchSettings& settings, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      design_(design),
      settings_(settings),
      commands_(
          design,
          [this](std::function<void()> task) {
            QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
          },
          [this](const DialogUpdate& update) { commandFinished(update); }) {
  setObjectName(QString::number(design.id));
  setWindowTitle(toQString(design.title));
  setFont(optionDialogFont());
  setFixedSize(toQSize(dialogUnitsOf(fontMetrics()).toPixels(design.width, design.height)));
  createControls();
  showValues(design.shown(settings_));
  updateNoteOnEveryEdit();
  reactToChoices();
}

void OptionDialog::createControls() {
  const DialogUnits units = dialogUnitsOf(fontMetrics());
  QWidget* firstTabStop = nullptr;
  std::vector<QWidget*> created;
  for (const DialogControl& place : design_.controls) {
    const QString label = toQString(place.label);
    QWidget* control = nullptr;
    switch (place.kind) {
      case DialogControlKind::OkButton: {
        auto* ok = new QPushButton(label, this);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, &OptionDialog::accept);
        control = ok;
        break;
      }
      case DialogControlKind::CancelButton: {
        auto* cancel = new QPushButton(label, this);
        connect(cancel, &QPushButton::clicked, this, &OptionDialog::reject);
        control = cancel;
        break;
      }
      case DialogControlKind::TextField:
        control = createTextField(place.field, this);
        break;
      case DialogControlKind::ChoiceBox:
        control = createChoiceBox(place.choices, this);
        break;
      case DialogControlKind::CheckBox:
        control = new QCheckBox(label, this);
        break;
      case DialogControlKind::RadioButton:
        // Reached by a click or the arrow keys of its row, never by Tab.
        control = new QRadioButton(label, this);
        control->setFocusPolicy(Qt::ClickFocus);
        break;
      case DialogControlKind::Label: {
        auto* text = new QLabel(label, this);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        control = text;
        break;
      }
      case DialogControlKind::Note:
        note_ = new QLabel(this);
        note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        note_->setWordWrap(true);
        control = note_;
        break;
      case DialogControlKind::CommandButton: {
        auto* button = new QPushButton(label, this);
        connect(button, &QPushButton::clicked, this, [this, id = place.id] { runCommand(id); });
        control = button;
        break;
      }
      case DialogControlKind::Status: {
        auto* status = new QLabel(this);
        status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        control = status;
        break;
      }
      case DialogControlKind::Table: {
        auto* table = new QTableWidget(this);
        const QStringList columns = label.split(u',');
        table->setColumnCount(static_cast<int>(columns.size()));
        table->setHorizontalHeaderLabels(columns);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->verticalHeader()->setVisible(false);
        control = table;
        break;
      }
    }
    if (place.id != 0) {
      control->setObjectName(controlName(place.id));
      controls_[place.id] = control;
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

void OptionDialog::showValues(const DialogState& state) {
  showing_ = true;
  for (const auto& [id, control] : controls_) {
    if (auto* table = qobject_cast<QTableWidget*>(control)) {
      const auto found = state.rows.find(id);
      const auto rows = found == state.rows.end() ? std::vector<std::vector<std::string>>{} : found->second;
      table->setRowCount(static_cast<int>(rows.size()));
      for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
          table->setItem(static_cast<int>(r), static_cast<int>(c),
                         new QTableWidgetItem(QString::fromStdString(rows[r][c])));
        }
      }
      if (state.selection(id) >= 0) table->selectRow(state.selection(id));
    } else if (auto* field = qobject_cast<QLineEdit*>(control)) {
      field->setText(QString::fromStdString(std::string(state.text(id))));
    } else if (auto* status = qobject_cast<QLabel*>(control)) {
      status->setText(QString::fromStdString(std::string(state.text(id))));
    } else if (auto* box = qobject_cast<QComboBox*>(control)) {
      const int position = state.selection(id);
      box->setCurrentIndex(position < box->count() ? position : -1);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control); button != nullptr && button->isCheckable()) {
      button->setChecked(state.isChecked(id));
    }
  }
  showing_ = false;
}

void OptionDialog::reactToChoices() {
  if (design_.changed == nullptr) return;
  for (const auto& [id, control] : controls_) {
    if (auto* box = qobject_cast<QComboBox*>(control)) {
      connect(box, &QComboBox::currentIndexChanged, this, [this, id = id] {
        if (showing_) return;
        DialogState current = state();
        design_.changed(id, current);
        showValues(current);
      });
    }
  }
}

void OptionDialog::runCommand(int id) {
  DialogState current = state();
  SearchSettings window = settings_;
  if (auto* owner = qobject_cast<MainWindow*>(parentWidget())) readStartFields(owner->fields(), window);
  const std::string message = commands_.press(id, current, window);
  showValues(current);
  updateNote();
  showCommandLabels();
  if (!message.empty()) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, windowTitle(), QString::fromStdString(message), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
  }
}

void OptionDialog::commandFinished(const DialogUpdate& update) {
  if (update) {
    DialogState current = state();
    update(current);
    showValues(current);
    updateNote();
  }
  showCommandLabels();
}

void OptionDialog::showCommandLabels() {
  for (const DialogControl& place : design_.controls) {
    if (place.kind != DialogControlKind::CommandButton) continue;
    static_cast<QPushButton*>(controls_.at(place.id))->setText(toQString(commands_.label(place.id)));
  }
}

void OptionDialog::updateNoteOnEveryEdit() {
  if (note_ == nullptr || design_.note == nullptr) return;
  for (const auto& [id, control] : controls_) {
    if (auto* field = qobject_cast<QLineEdit*>(control)) {
      connect(field, &QLineEdit::textChanged, this, &OptionDialog::updateNote);
    } else if (auto* box = qobject_cast<QComboBox*>(control)) {
      connect(box, &QComboBox::currentIndexChanged, this, &OptionDialog::updateNote);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      connect(button, &QAbstractButton::toggled, this, &OptionDialog::updateNote);
    }
  }
  updateNote();
}

void OptionDialog::updateNote() {
  if (note_ != nullptr && design_.note != nullptr) note_->setText(toQString(design_.note(state())));
}

DialogState OptionDialog::state() const {
  DialogState state;
  for (const auto& [id, control] : controls_) {
    if (const auto* table = qobject_cast<const QTableWidget*>(control)) {
      auto& rows = state.rows[id];
      for (int r = 0; r < table->rowCount(); ++r) {
        std::vector<std::string>& row = rows.emplace_back();
        for (int c = 0; c < table->columnCount(); ++c) {
          const QTableWidgetItem* item = table->item(r, c);
          row.push_back(item != nullptr ? item->text().toStdString() : std::string());
        }
      }
      const QModelIndexList picked = table->selectionModel()->selectedRows();
      state.selected[id] = picked.isEmpty() ? -1 : picked.front().row();
    } else if (const auto* field = qobject_cast<const QLineEdit*>(control)) {
      state.texts[id] = field->text().toStdString();
    } else if (const auto* status = qobject_cast<const QLabel*>(control)) {
      state.texts[id] = status->text().toStdString();
    } else if (const auto* box = qobject_cast<const QComboBox*>(control)) {
      state.selected[id] = box->currentIndex();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(control);
               button != nullptr && button->isCheckable() && button->isChecked()) {
      state.checked.insert(id);
    }
  }
  return state;
}

void OptionDialog::accept() {
  const DialogState current = state();
  design_.store(current, settings_);
  if (design_.windowChanges != nullptr) {
    const WindowChanges changes = design_.windowChanges(current);
    QWidget* owner = parentWidget();
    for (const auto& [id, text] : changes.texts) {
      if (auto* field = owner->findChild<QLineEdit*>(controlName(id))) field->setText(QString::fromStdString(text));
    }
    for (const auto& [id, checked] : changes.checked) {
      if (auto* button = owner->findChild<QAbstractButton*>(controlName(id))) {
        // Radio buttons of one group uncheck only when none of them is checked.
        if (auto* radio = qobject_cast<QRadioButton*>(button); radio != nullptr && !checked) {
          radio->setAutoExclusive(false);
          radio->setChecked(false);
          radio->setAutoExclusive(true);
        } else {
          button->setChecked(checked);
        }
      }
    }
  }
  QDialog::accept();
}

OptionDialog* openOptionDialog(const OptionDialogDesign& design, MainWindow& window) {
  for (OptionDialog* open : window.findChildren<OptionDialog*>(Qt::FindDirectChildrenOnly)) {
    if (open->isVisible()) return nullptr;
  }
  auto* dialog = new OptionDialog(design, window.settings(), &window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->open();
  return dialog;
}

void installOptionDialogs(MainWindow& window) {
  for (const OptionDialogDesign& design : optionDialogDesigns) {
    window.setCommand(design.command, [&design, &window] { openOptionDialog(design, window); });
  }
  window.setCommand(consoleDialogDesign.command, [&window] { openOptionDialog(consoleDialogDesign, window); });
}

}  // namespace hanabira
