#include "ui/qt/neighbour_window.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/model/shown_names.h"
#include "ui/qt/qt_strings.h"
#include "vocab/names.h"

namespace hanabira {
namespace {

constexpr int windowWidth = 900;
constexpr int windowHeight = 480;
constexpr int countWidth = 40;
constexpr int ivWidth = 48;
constexpr std::array<const char*, 6> ivLabels = {"H", "A", "B", "C", "D", "S"};

QLineEdit* field(const QString& name, const std::string& text, int width, QWidget* parent) {
  auto* edit = new QLineEdit(toQString(text), parent);
  edit->setObjectName(name);
  edit->setFixedWidth(width);
  return edit;
}

void addLabelled(QHBoxLayout& row, const std::string& label, QWidget* control) {
  row.addWidget(new QLabel(toQString(label), control->parentWidget()));
  row.addWidget(control);
}

}  // namespace

NeighbourWindow::NeighbourWindow(const SearchSettings& settings, const BootMoment& hit, QWidget* owner)
    : QWidget(owner, Qt::Window),
      view_(settings, hit),
      summary_(new QLabel(this)),
      correctTimer_(new QPushButton(toQString(neighbourTexts().correctTimer), this)),
      table_(new QTableWidget(this)) {
  setWindowTitle(toQString(neighbourTitle(view_.hitText())));
  resize(windowWidth, windowHeight);
  table_->setObjectName("neighbours");
  summary_->setObjectName("summary");
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->setWordWrap(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fieldsRow());
  layout->addWidget(seenRow());
  auto* summaryRow = new QHBoxLayout;
  summaryRow->addWidget(summary_, 1);
  summaryRow->addWidget(correctTimer_);
  correctTimer_->setObjectName("correctTimer");
  correctTimer_->hide();
  connect(correctTimer_, &QPushButton::clicked, this, [this] {
    if (const std::optional<int> late = view_.secondsToCorrect(); late && correctTimerCommand_)
      correctTimerCommand_(*late);
  });
  layout->addLayout(summaryRow);
  layout->addWidget(table_);
  for (QLineEdit* edit : findChildren<QLineEdit*>()) {
    connect(edit, &QLineEdit::returnPressed, this, &NeighbourWindow::recompute);  // Enter, as the button
  }
  recompute();
}

QWidget* NeighbourWindow::fieldsRow() {
  const NeighbourTexts texts = neighbourTexts();
  const NeighbourFields defaults;
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  seconds_ = field("seconds", defaults.seconds, countWidth, box);
  timer0s_ = field("timer0s", defaults.timer0s, countWidth, box);
  vcounts_ = field("vcounts", defaults.vcounts, countWidth, box);
  positions_ = field("positions", defaults.positions, countWidth, box);
  addLabelled(*row, texts.seconds, seconds_);
  addLabelled(*row, texts.timer0s, timer0s_);
  addLabelled(*row, texts.vcounts, vcounts_);
  addLabelled(*row, texts.positions, positions_);
  keysOneAway_ = new QCheckBox(toQString(texts.keysOneAway), box);
  keysOneAway_->setObjectName("keysOneAway");
  row->addWidget(keysOneAway_);
  row->addStretch();
  recompute_ = new QPushButton(toQString(texts.recompute), box);
  recompute_->setObjectName("recompute");
  connect(recompute_, &QPushButton::clicked, this, &NeighbourWindow::recompute);
  row->addWidget(recompute_);
  return box;
}

// What the player saw: only what the search's mode shows of a boot.
QWidget* NeighbourWindow::seenRow() {
  const NeighbourTexts texts = neighbourTexts();
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->addWidget(new QLabel(toQString(texts.seen), box));
  for (std::size_t stat = 0; stat < ivs_.size(); ++stat) {
    ivs_[stat] = field(QStringLiteral("iv%1").arg(stat), "", ivWidth, box);
    ivs_[stat]->setEnabled(view_.showsIvs());
    addLabelled(*row, ivLabels[stat], ivs_[stat]);
  }
  nature_ = new QComboBox(box);
  nature_->setObjectName("nature");
  nature_->addItem(toQString(texts.notSeen));
  for (int id = 0; id < natureCount; ++id) nature_->addItem(toQString(shownNatureName(id)));
  nature_->setEnabled(view_.showsNature());
  addLabelled(*row, texts.nature, nature_);
  shiny_ = new QComboBox(box);
  shiny_->setObjectName("shiny");
  shiny_->addItems({toQString(texts.notSeen), toQString(texts.yes), toQString(texts.no)});
  shiny_->setEnabled(view_.showsShiny());
  addLabelled(*row, texts.shiny, shiny_);
  row->addStretch();
  return box;
}

NeighbourFields NeighbourWindow::fields() const {
  NeighbourFields fields;
  fields.seconds = seconds_->text().toStdString();
  fields.timer0s = timer0s_->text().toStdString();
  fields.vcounts = vcounts_->text().toStdString();
  fields.positions = positions_->text().toStdString();
  fields.keysOneAway = keysOneAway_->isChecked();
  for (std::size_t stat = 0; stat < ivs_.size(); ++stat) fields.ivs[stat] = ivs_[stat]->text().trimmed().toStdString();
  if (nature_->currentIndex() > 0) fields.nature = nature_->currentIndex() - 1;
  if (shiny_->currentIndex() > 0) fields.shiny = shiny_->currentIndex() == 1;
  return fields;
}

void NeighbourWindow::recompute() {
  if (const std::optional<std::string> problem = view_.recompute(fields())) {
    summary_->setText(toQString(*problem));
    summary_->setStyleSheet(QStringLiteral("color: #c00000"));
    return;
  }
  summary_->setText(toQString(view_.summary()));
  summary_->setStyleSheet({});
  correctTimer_->setVisible(correctTimerCommand_ && view_.secondsToCorrect());
  showRows();
}

void NeighbourWindow::setTimerCorrection(std::function<void(int secondsLate)> command) {
  correctTimerCommand_ = std::move(command);
  correctTimer_->setVisible(correctTimerCommand_ && view_.secondsToCorrect());
}

void NeighbourWindow::showRows() {
  table_->clear();
  table_->setColumnCount(static_cast<int>(view_.columns().size()));
  QStringList headers;
  for (const std::string& column : view_.columns()) headers << toQString(column);
  table_->setHorizontalHeaderLabels(headers);
  table_->setRowCount(static_cast<int>(view_.rowCount()));
  QFont bold = table_->font();
  bold.setBold(true);
  const QBrush agreeing(QColor(0xFF, 0xF0, 0xC0));  // as the Win32 window shades them
  for (std::size_t row = 0; row < view_.rowCount(); ++row) {
    const std::vector<std::string>& cells = view_.cells(row);
    for (std::size_t column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(toQString(cells[column]));
      if (view_.isTarget(row)) item->setFont(bold);
      if (view_.agrees(row)) item->setBackground(agreeing);
      table_->setItem(static_cast<int>(row), static_cast<int>(column), item);
    }
  }
  table_->resizeColumnsToContents();
}

}  // namespace hanabira
