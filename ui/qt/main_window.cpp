#include "ui/qt/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QMessageBox>
#include <QMetaObject>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "core/utf8_path.h"
#include "ui/model/config_file.h"
#include "ui/model/control_ids.h"
#include "ui/model/main_window_layout.h"
#include "ui/model/problem_messages.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/qt_widgets.h"
#include "ui/qt/search_progress_bar.h"

namespace hanabira {
namespace {

QString windowTitleText() { return QString::fromStdString(mainWindowTitle()); }

// A file of the working directory.
std::filesystem::path workingFilePath(const char* name) { return std::filesystem::current_path() / name; }

QWidget* createControl(const ControlPlace& place, EditFieldWidth editFieldWidth, QWidget* parent) {
  const QString text = toQString(place.text);
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
      for (std::string_view item : hiddenPowerItems()) combo->addItem(toQString(item));
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
      search_(*this, [this](std::function<void()> task) {
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
  commands_[startButton] = [this] { search_.startOrAbort(fields(), settings_, workingFilePath(resultFileName)); };
  commands_[saveButton] = [this] { save(); };
  loadConfig();
}

MainWindow::~MainWindow() { search_.abortForClosing(); }

void MainWindow::createControls(EditFieldWidth editFieldWidth) {
  for (const ControlPlace& place : mainWindowControls) {
    QWidget* control = createControl(place, editFieldWidth, this);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      connect(button, &QPushButton::clicked, this, [this, id = place.id] { runCommand(id); });
    }
  }
  startButton_ = findChild<QPushButton*>(controlName(startButton));

  progressBar_ = new SearchProgressBar(this);
  progressBar_->setGeometry(progressBarPlace.x, progressBarPlace.y, progressBarPlace.width, progressBarPlace.height);
}

void MainWindow::setCommand(int id, std::function<void()> command) { commands_[id] = std::move(command); }

void MainWindow::runCommand(int id) {
  const auto found = commands_.find(id);
  if (found != commands_.end()) found->second();
}

WindowFields MainWindow::fields() const {
  WindowFields fields;
  for (const ControlPlace& place : mainWindowControls) {
    const QString name = controlName(place.id);
    switch (place.kind) {
      case ControlKind::Edit:
        fields.texts[place.id] = findChild<QLineEdit*>(name)->text().toStdString();
        break;
      case ControlKind::CheckBox:
      case ControlKind::RadioButton:
        if (findChild<QAbstractButton*>(name)->isChecked()) fields.checked.insert(place.id);
        break;
      case ControlKind::ComboBox:
        fields.hiddenPowerItem = findChild<QComboBox*>(name)->currentIndex();
        break;
      case ControlKind::PushButton:
        break;
    }
  }
  return fields;
}

void MainWindow::loadConfig() {
  const ConfigAtStart start = loadConfigForWindow(workingFilePath(configFileName), settings_);
  // The window then starts as without a file; a save replaces the file if it can.
  if (start.message) showMessage(*start.message);
  for (const auto& [id, text] : start.fields.texts) {
    findChild<QLineEdit*>(controlName(id))->setText(QString::fromStdString(text));
  }
  if (start.fields.versionRadio) findChild<QRadioButton*>(controlName(*start.fields.versionRadio))->setChecked(true);
}

void MainWindow::save() {
  if (const std::optional<std::string> message =
          saveConfigFromWindow(fields(), settings_, workingFilePath(configFileName))) {
    showMessage(*message);
  }
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
  const QString file = QString::fromStdU16String(path.u16string());
  emit resultFileReady(file);
  if (viewer_ && !viewer_(file)) showMessage(resultFileNotOpenedMessage(utf8FromPath(path)));
}

void MainWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::black);
  for (const PaintedLabel& label : mainWindowLabels) {
    const QRect area(label.x, label.y, width() - label.x, height() - label.y);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, toQString(label.text));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  search_.abortForClosing();
  event->accept();
}

}  // namespace hanabira
