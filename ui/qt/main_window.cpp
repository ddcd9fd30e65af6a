#include "ui/qt/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMetaObject>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "i18n/translate.h"
#include "ui/model/control_ids.h"
#include "ui/model/main_window_layout.h"
#include "ui/qt/boot_timer_window.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/qt_widgets.h"
#include "ui/qt/result_table_window.h"
#include "ui/qt/search_progress_bar.h"

namespace hanabira {
namespace {

QString windowTitleText() { return QString::fromStdString(mainWindowTitle()); }

void fillHiddenPowerItems(QComboBox& combo) {
  for (std::string_view item : hiddenPowerItems()) combo.addItem(toQString(item));
}

QWidget* createControl(const ControlPlace& place, EditFieldWidth editFieldWidth, QWidget* parent) {
  const QString text = toQString(tr(place.text));
  QWidget* control = nullptr;
  switch (place.kind) {
    case ControlKind::Edit: {
      auto* edit = new EditField(editFieldWidth, parent);
      edit->setText(text);
      control = edit;
      break;
    }
    case ControlKind::CheckBox:
      control = new QCheckBox(text, parent);
      break;
    case ControlKind::PushButton:
      control = new QPushButton(text, parent);
      break;
    case ControlKind::RadioButton:
      control = new QRadioButton(text, parent);
      break;
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox(parent);
      if (place.id == hiddenPowerCombo) fillHiddenPowerItems(*combo);
      showAsScrollingList(*combo, openedListItems);
      control = combo;
      break;
    }
  }
  if (!isTabStop(place.kind)) control->setFocusPolicy(Qt::ClickFocus);
  control->setObjectName(controlName(place.id));
  control->setGeometry(place.x, place.y, place.width, place.height);
  return control;
}

}  // namespace

MainWindow::MainWindow(EditFieldWidth editFieldWidth, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      commands_(*this, [this](std::function<void()> task) {
        QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
      }) {
  setWindowTitle(windowTitleText());
  setFixedSize(mainWindowWidth, mainWindowHeight);
  // A font whose digits are narrow enough that the 20-pixel fields show two of them, as
  // the layout expects; it also has every Japanese character the window shows.
  QFont windowFont(QStringLiteral("Noto Sans CJK JP"));
  windowFont.setPixelSize(12);
  setFont(windowFont);

  createControls(editFieldWidth);
  commands_.setCommand(resultsButton, [this] { showResults(); });
  commands_.opened();
}

MainWindow::~MainWindow() {
  commands_.closing();
  delete timerWindow_;    // before the commands, which keep its calibration
  delete resultsWindow_;  // before the table it shows, which the commands hold
}

void MainWindow::createControls(EditFieldWidth editFieldWidth) {
  for (const ControlPlace& place : mainWindowControls) {
    QWidget* control = createControl(place, editFieldWidth, this);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      connect(button, &QPushButton::clicked, this, [this, id = place.id] { commands_.runCommand(id); });
    }
    // The user's choice only: the window refills the profiles' list without a command.
    if (place.id == profileCombo) {
      connect(qobject_cast<QComboBox*>(control), &QComboBox::activated, this,
              [this] { commands_.runCommand(profileCombo); });
    }
  }
  startButton_ = findChild<QPushButton*>(controlName(startButton));

  progressBar_ = new SearchProgressBar(this);
  progressBar_->setGeometry(progressBarPlace.x, progressBarPlace.y, progressBarPlace.width, progressBarPlace.height);
}

void MainWindow::showResults() {
  if (resultsWindow_ == nullptr) {
    resultsWindow_ = new ResultTableWindow(commands_.resultTable(), this);
    resultsWindow_->setTimerCommand([this](const BootTarget& target) { showTimer(target); });
    resultsWindow_->setMissCommand([this](const BootTarget& target, int secondsLate) {
      showTimer(target);
      timerWindow_->proposeAfterMiss(secondsLate);
    });
    resultsWindow_->setSearched(&commands_.searched());
  }
  resultsWindow_->show();
  resultsWindow_->raise();
  resultsWindow_->activateWindow();
}

void MainWindow::showTimer(const BootTarget& target) {
  if (timerWindow_ == nullptr) {
    timerWindow_ = new BootTimerWindow(target, commands_, this);
  } else {
    timerWindow_->setTarget(target);
  }
  timerWindow_->show();
  timerWindow_->raise();
  timerWindow_->activateWindow();
}

void MainWindow::setResultViewer(const ResultViewer& viewer) {
  SearchCommand::ResultViewer byPath;
  if (viewer) {
    byPath = [viewer](const std::filesystem::path& path) {
      return viewer(QString::fromStdU16String(path.u16string()));
    };
  }
  commands_.setResultViewer(std::move(byPath));
}

std::string MainWindow::fieldText(int id) const { return findChild<QLineEdit*>(controlName(id))->text().toStdString(); }

bool MainWindow::isChecked(int id) const { return findChild<QAbstractButton*>(controlName(id))->isChecked(); }

int MainWindow::selectedItem(int id) const { return findChild<QComboBox*>(controlName(id))->currentIndex(); }

void MainWindow::showFieldText(int id, std::string_view text) {
  if (auto* field = findChild<QLineEdit*>(controlName(id))) field->setText(toQString(text));
}

void MainWindow::showChecked(int id, bool checked) {
  auto* button = findChild<QAbstractButton*>(controlName(id));
  if (button == nullptr) return;
  // Radio buttons of one group uncheck only when none of them is checked.
  if (auto* radio = qobject_cast<QRadioButton*>(button); radio != nullptr && !checked) {
    radio->setAutoExclusive(false);
    radio->setChecked(false);
    radio->setAutoExclusive(true);
  } else {
    button->setChecked(checked);
  }
}

void MainWindow::showItems(int id, const std::vector<std::string>& items, int selected) {
  auto* combo = findChild<QComboBox*>(controlName(id));
  combo->clear();
  for (const std::string& item : items) combo->addItem(toQString(item));
  combo->setCurrentIndex(selected);
}

int MainWindow::chooseFromMenu(const std::vector<Submenu>& menu, int anchor) {
  QMenu popup(this);
  for (const Submenu& submenu : menu) {
    QMenu* items = submenu.title.empty() ? &popup : popup.addMenu(toQString(submenu.title));
    for (const MenuItem& item : submenu.items) {
      QAction* action = items->addAction(toQString(item.text));
      action->setCheckable(true);
      action->setChecked(item.checked);
      action->setData(item.command);
    }
  }
  const QWidget* button = findChild<QPushButton*>(controlName(anchor));
  const QAction* chosen = popup.exec(button->mapToGlobal(QPoint(0, button->height())));
  return chosen != nullptr ? chosen->data().toInt() : 0;
}

std::optional<std::string> MainWindow::askText(const std::string& question, const std::string& text) {
  bool ok = false;
  const QString answer =
      QInputDialog::getText(this, windowTitleText(), toQString(question), QLineEdit::Normal, toQString(text), &ok);
  if (!ok) return std::nullopt;
  return answer.toStdString();
}

bool MainWindow::confirm(const std::string& question) {
  return QMessageBox::question(this, windowTitleText(), toQString(question)) == QMessageBox::Yes;
}

std::optional<std::filesystem::path> MainWindow::chooseJsonFile(FileUse use) {
  const QString filter = QStringLiteral("JSON (*.json)");
  const QString path = use == FileUse::Open ? QFileDialog::getOpenFileName(this, windowTitleText(), {}, filter)
                                            : QFileDialog::getSaveFileName(this, windowTitleText(), {}, filter);
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(path.toStdU16String());
}

void MainWindow::showTexts() {
  for (const ControlPlace& place : mainWindowControls) {
    if (auto* button = findChild<QAbstractButton*>(controlName(place.id)))
      button->setText(toQString(hanabira::tr(place.text)));
  }
  auto* combo = findChild<QComboBox*>(controlName(hiddenPowerCombo));
  const int chosen = combo->currentIndex();
  combo->clear();
  fillHiddenPowerItems(*combo);
  combo->setCurrentIndex(chosen);
  if (resultsWindow_ != nullptr) resultsWindow_->showTexts();
  if (timerWindow_ != nullptr) timerWindow_->showTexts();
  update();  // the painted labels
}

void MainWindow::showStartCaption(std::string_view caption) { startButton_->setText(toQString(caption)); }

void MainWindow::showTitle(std::string_view title) {
  const QString text = toQString(title);
  if (text != windowTitle()) setWindowTitle(text);
}

void MainWindow::showProgressBar(const ProgressBarState& bar) { progressBar_->display(bar); }

void MainWindow::showMessage(const std::string& text) {
  auto* box =
      new QMessageBox(QMessageBox::Warning, windowTitleText(), QString::fromStdString(text), QMessageBox::Ok, this);
  box->setTextFormat(Qt::PlainText);
  keepLinesWhole(*box);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void MainWindow::resultFileWritten(const std::filesystem::path& path) {
  emit resultFileReady(QString::fromStdU16String(path.u16string()));
}

void MainWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::black);
  for (const PaintedLabel& label : mainWindowLabels) {
    const QRect area(label.x, label.y, width() - label.x, height() - label.y);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, toQString(hanabira::tr(label.text)));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  commands_.closing();
  event->accept();
}

}  // namespace hanabira
