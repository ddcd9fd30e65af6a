#include "ui/main/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "engine/result_sink.h"
#include "engine/settings_validation.h"
#include "ui/main/config_file.h"
#include "ui/main/control_ids.h"
#include "ui/main/main_window_layout.h"
#include "ui/main/problem_messages.h"
#include "ui/main/search_progress_bar.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

constexpr char resultFileName[] = "result.txt";

// The start button's captions: while no search runs, and while one runs.
QString startCaption() { return QStringLiteral("検索開始"); }
QString abortCaption() { return QStringLiteral("中断"); }

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString windowTitleText() { return QString::fromStdString(mainWindowTitle()); }

// The system's reason at the end of a ResultWriteError ("cannot create result file
// 'result.txt': Permission denied").
QString systemReason(const QString& what) {
  const qsizetype colon = what.lastIndexOf(QStringLiteral("': "));
  return colon < 0 ? what : what.mid(colon + 3);
}

QWidget* createControl(const ControlPlace& place, EditFieldWidth editFieldWidth, QWidget* parent) {
  const QString text = fromUtf8(place.text);
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
      combo->addItem(fromUtf8(notSpecifiedLabel));
      for (int type = 0; type < hiddenPowerTypeCount; ++type) combo->addItem(fromUtf8(*hiddenPowerTypeName(type)));
      combo->setMaxVisibleItems(combo->count());
      control = combo;
      break;
    }
  }
  // Tab visits edit fields, check boxes and the combo box only; buttons take the focus
  // when clicked, as they do in any dialog.
  if (place.kind == ControlKind::PushButton || place.kind == ControlKind::RadioButton) {
    control->setFocusPolicy(Qt::ClickFocus);
  }
  control->setObjectName(controlName(place.id));
  control->setGeometry(place.x, place.y, place.width, place.height);
  return control;
}

}  // namespace

MainWindow::MainWindow(EditFieldWidth editFieldWidth, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  setWindowTitle(windowTitleText());
  setFixedSize(mainWindowWidth, mainWindowHeight);
  // A font whose digits are narrow enough that the 20-pixel fields show two of them, as
  // the layout expects; it also has every Japanese character the window shows.
  QFont windowFont(QStringLiteral("Noto Sans CJK JP"));
  windowFont.setPixelSize(12);
  setFont(windowFont);

  createControls(editFieldWidth);
  commands_[startButton] = [this] { startOrAbort(); };
  commands_[saveButton] = [this] { save(); };
  connect(&runner_, &SearchRunner::progressed, this, &MainWindow::showProgress);
  connect(&runner_, &SearchRunner::finished, this, &MainWindow::searchFinished);
  loadConfig();
}

MainWindow::~MainWindow() {
  closing_ = true;
  if (runner_.isBusy()) runner_.abortAndWait();
}

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
  const QString path = QDir::current().absoluteFilePath(configFileName);
  const ConfigFileLoad load = loadConfigFile(path);
  // The window then starts as without a file; a save replaces the file if it can.
  if (load.error) showMessage(configLoadMessage(path, *load.error));
  const std::optional<ConsoleConfigText>& config = load.text;
  auto setText = [this](int id, const std::optional<std::string>& text) {
    if (text) findChild<QLineEdit*>(controlName(id))->setText(QString::fromStdString(*text));
  };
  if (config) {
    setText(vcountEdit, config->vcount);
    setText(timer0Edit, config->timer0);
    setText(gxStatEdit, config->gxStat);
    setText(frameEdit, config->frame);
    for (int k = 0; k < 6; ++k) setText(macEdits + k, config->macBytes[static_cast<std::size_t>(k)]);
  }
  // A version the window has no button for stays in force, with neither button checked,
  // until the user picks one.
  int versionButton = blackRadio;
  if (config && config->versionWord) {
    settings_.versionWord = *config->versionWord;
    if (settings_.versionWord == whiteVersionWord) {
      versionButton = whiteRadio;
    } else if (settings_.versionWord != blackVersionWord) {
      return;
    }
  }
  findChild<QRadioButton*>(controlName(versionButton))->setChecked(true);
}

void MainWindow::startOrAbort() {
  if (runner_.isBusy()) {
    if (!runner_.isAborting()) {
      startButton_->setText(startCaption());
      runner_.abort();
      return;
    }
    // Clicked again while the aborted search winds down: it has to let go of the
    // result file before a new search creates it anew.
    runner_.abortAndWait();
  }

  readStartFields(fields(), settings_);
  if (const std::optional<SettingsProblem> problem = findSettingsProblem(settings_)) {
    showMessage(settingsProblemMessage(*problem));
    return;
  }
  clampPidConsumption(settings_);

  resultPath_ = QDir::current().absoluteFilePath(resultFileName);
  std::unique_ptr<FileSink> sink;
  try {
    sink = std::make_unique<FileSink>(QFile::encodeName(resultPath_).toStdString());
  } catch (const ResultWriteError& error) {
    showMessage(resultFileCreateMessage(resultPath_, systemReason(QString::fromUtf8(error.what()))));
    return;
  }

  startButton_->setText(abortCaption());
  progressBar_->clear();
  runner_.start(settings_, std::move(sink));
}

void MainWindow::save() {
  const QString path = QDir::current().absoluteFilePath(configFileName);
  const ConsoleParameters saved = readSavedConsole(fields());
  if (const std::optional<QString> error = saveConfigFile(path, saved)) {
    showMessage(configSaveMessage(path, *error));
    return;
  }
  applyConsoleParameters(saved, settings_);
}

void MainWindow::showProgress(const SearchProgress& progress) {
  const QString title = fromUtf8(progressTitle(progress));
  if (title != windowTitle()) setWindowTitle(title);
  progressBar_->showRunning(progress, runner_.elapsedSeconds());
}

void MainWindow::searchFinished(const SearchOutcome& outcome) {
  startButton_->setText(startCaption());
  setWindowTitle(windowTitleText());
  const SearchProgress reached{{}, outcome.summary.candidates, outcome.summary.momentsDone, outcome.summary.momentsTotal};
  progressBar_->showEnded(reached);
  update();
  if (closing_) return;
  switch (outcome.failure) {
    case SearchOutcome::Failure::None:
      emit resultFileReady(resultPath_);
      break;
    case SearchOutcome::Failure::ResultWrite:
      showMessage(resultFileWriteMessage(resultPath_, systemReason(outcome.detail)));
      break;
    case SearchOutcome::Failure::Other:
      showMessage(searchFailureMessage(outcome.detail));
      break;
  }
}

void MainWindow::showMessage(const QString& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, windowTitleText(), text, QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

void MainWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::black);
  for (const PaintedLabel& label : mainWindowLabels) {
    const QRect area(label.x, label.y, width() - label.x, height() - label.y);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, fromUtf8(label.text));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (runner_.isBusy()) {
    closing_ = true;
    runner_.abortAndWait();
  }
  event->accept();
}

}  // namespace hanabira
