#include "ui/qt/boot_timer_window.h"

#include <QCloseEvent>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSoundEffect>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "i18n/translate.h"
#include "ui/model/beep_sound.h"
#include "ui/qt/qt_strings.h"

namespace hanabira {
namespace {

// Often enough that the countdown's milliseconds run and a beep sounds on time.
constexpr int refreshMs = 10;
constexpr int countdownPixels = 64;
// The calibrations config.txt keeps, and the misses a player reports.
constexpr int calibrationLimitMs = 59999;
constexpr int missLimitSeconds = 59;

}  // namespace

BootTimerWindow::BootTimerWindow(const BootTarget& target, CalibrationStore& store, QWidget* owner,
                                 BootTimer::Clock clock, std::function<void()> beep)
    : QWidget(owner, Qt::Window),
      panel_(target, store, std::move(clock)),
      beep_(std::move(beep)),
      target_(new QLabel(this)),
      clock_(new QLabel(this)),
      countdown_(new QLabel(this)),
      calibrationLabel_(new QLabel(this)),
      calibration_(new QSpinBox(this)),
      startStop_(new QPushButton(this)),
      missLabel_(new QLabel(this)),
      secondsLate_(new QSpinBox(this)),
      proposal_(new QLabel(this)),
      apply_(new QPushButton(this)),
      refresh_(new QTimer(this)) {
  QFont large = countdown_->font();
  large.setPixelSize(countdownPixels);
  countdown_->setFont(large);
  countdown_->setAlignment(Qt::AlignCenter);
  clock_->setWordWrap(true);
  calibration_->setRange(-calibrationLimitMs, calibrationLimitMs);
  calibration_->setValue(panel_.calibrationMs());
  secondsLate_->setRange(-missLimitSeconds, missLimitSeconds);

  auto* settings = new QGridLayout;
  settings->addWidget(calibrationLabel_, 0, 0);
  settings->addWidget(calibration_, 0, 1);
  settings->addWidget(missLabel_, 1, 0);
  settings->addWidget(secondsLate_, 1, 1);
  settings->addWidget(proposal_, 2, 0);
  settings->addWidget(apply_, 2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(target_);
  layout->addWidget(clock_);
  layout->addWidget(countdown_);
  layout->addWidget(startStop_);
  layout->addLayout(settings);

  refresh_->setInterval(refreshMs);
  connect(refresh_, &QTimer::timeout, this, &BootTimerWindow::refresh);
  connect(startStop_, &QPushButton::clicked, this, [this] { panel_.running() ? stop() : start(); });
  connect(calibration_, &QSpinBox::editingFinished, this, &BootTimerWindow::calibrationTyped);
  connect(secondsLate_, &QSpinBox::valueChanged, this, [this](int seconds) {
    panel_.setSecondsLate(seconds);
    showState();
  });
  connect(apply_, &QPushButton::clicked, this, &BootTimerWindow::applyProposal);
  createShortcuts();
  showTexts();
}

BootTimerWindow::~BootTimerWindow() = default;

// Over the whole window, the fields included: a player's eyes are on the console.
void BootTimerWindow::createShortcuts() {
  for (const int key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
    connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this, &BootTimerWindow::start);
  }
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &BootTimerWindow::stop);
}

void BootTimerWindow::setTarget(const BootTarget& target) {
  refresh_->stop();
  panel_.setTarget(target);
  showState();
}

void BootTimerWindow::proposeAfterMiss(int secondsLate) {
  secondsLate_->setValue(secondsLate);  // shows the proposal
}

void BootTimerWindow::start() {
  if (panel_.running()) return;
  calibrationTyped();  // a value typed but not yet confirmed counts
  panel_.start();
  refresh_->start();
  showState();
}

void BootTimerWindow::stop() {
  refresh_->stop();
  panel_.stop();
  showState();
}

void BootTimerWindow::closeEvent(QCloseEvent* event) {
  stop();
  QWidget::closeEvent(event);
}

void BootTimerWindow::refresh() {
  const BootTimer::Tick tick = panel_.poll();
  if (tick.beep) playBeep();
  if (!panel_.running()) refresh_->stop();
  countdown_->setText(toQString(panel_.countdown()));
  if (tick.launched) showState();
}

void BootTimerWindow::showTexts() {
  setWindowTitle(toQString(hanabira::tr("Boot timer")));
  calibrationLabel_->setText(toQString(hanabira::tr("Calibration (ms)")));
  missLabel_->setText(toQString(hanabira::tr("Seconds late (early: negative)")));
  apply_->setText(toQString(hanabira::tr("Apply")));
  showState();
}

void BootTimerWindow::showState() {
  target_->setText(toQString(trf("Target: {}", panel_.targetText())));
  clock_->setText(toQString(panel_.clockText()));
  countdown_->setText(toQString(panel_.countdown()));
  startStop_->setText(toQString(panel_.running() ? hanabira::tr("Stop") : hanabira::tr("Start")));
  calibration_->setEnabled(!panel_.running());
  proposal_->setText(toQString(panel_.proposalText()));
  apply_->setEnabled(panel_.proposedCalibrationMs().has_value() && !panel_.running());
}

void BootTimerWindow::calibrationTyped() {
  if (calibration_->value() == panel_.calibrationMs()) return;
  showKeepMessage(panel_.setCalibrationMs(calibration_->value()));
  showState();
}

void BootTimerWindow::applyProposal() {
  const std::optional<std::string> message = panel_.applyProposal();
  {
    const QSignalBlocker quiet(secondsLate_);
    secondsLate_->setValue(0);
  }
  calibration_->setValue(panel_.calibrationMs());
  showKeepMessage(message);
  showState();
}

void BootTimerWindow::showKeepMessage(const std::optional<std::string>& message) {
  if (message) QMessageBox::warning(this, windowTitle(), toQString(*message));
}

void BootTimerWindow::playBeep() {
  if (beep_) {
    beep_();
    return;
  }
  if (sound_ == nullptr) {
    waveFile_ = std::make_unique<QTemporaryFile>();
    const std::string wave = beepWave();
    if (!waveFile_->open() || waveFile_->write(wave.data(), static_cast<qint64>(wave.size())) < 0) return;
    waveFile_->flush();
    sound_ = new QSoundEffect(this);
    sound_->setSource(QUrl::fromLocalFile(waveFile_->fileName()));
  }
  sound_->play();
}

}  // namespace hanabira
