#include "ui/qt/option_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <vector>

#include "i18n/translate.h"
#include "ui/qt/dialog_controls.h"
#include "ui/qt/dialog_geometry.h"
#include "ui/qt/main_window.h"
#include "ui/qt/qt_strings.h"

namespace hanabira {

OptionDialog::OptionDialog(const OptionDialogDesign& design, MainWindow& owner)
    : QDialog(&owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      design_(design),
      flow_(design, owner.commands(), *this, [this](std::function<void()> task) {
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
      }) {
  setObjectName(QString::number(design.id));
  setWindowTitle(toQString(hanabira::tr(design.title)));
  setFont(optionDialogFont());
  setFixedSize(toQSize(dialogUnitsOf(fontMetrics()).toPixels(design.width, design.height)));
  createControls();
  flow_.opened();
}

void OptionDialog::createControls() {
  QWidget* firstTabStop = nullptr;
  std::vector<QWidget*> created;
  for (const DialogControl& place : design_.controls) {
    QWidget* control = createControl(place);
    if (place.id != 0) {
      control->setObjectName(controlName(place.id));
      controls_[place.id] = control;
      forwardEdits(place.id, control);
    }
    created.push_back(control);
    if (firstTabStop == nullptr && (control->focusPolicy() & Qt::TabFocus) != 0) firstTabStop = control;
  }
  placeControls(created, design_.controls, dialogUnitsOf(fontMetrics()), width());
  if (firstTabStop != nullptr) firstTabStop->setFocus();
}

QWidget* OptionDialog::createControl(const DialogControl& place) {
  const QString label = toQString(hanabira::tr(place.label));
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
