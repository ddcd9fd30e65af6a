#include "ui/qt/result_table_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

#include "core/utf8_path.h"
#include "i18n/translate.h"
#include "ui/model/neighbour_view.h"
#include "ui/model/result_table_save.h"
#include "ui/qt/neighbour_window.h"
#include "ui/qt/qt_strings.h"
#include "ui/qt/result_table_model.h"

namespace hanabira {
namespace {

constexpr int windowWidth = 760;
constexpr int windowHeight = 420;

// The file's order until a header is clicked.
void showUnsorted(QHeaderView& header) {
  const QSignalBlocker quiet(header);
  header.setSortIndicator(-1, Qt::AscendingOrder);
}

}  // namespace

ResultTableWindow::ResultTableWindow(ResultTable& table, QWidget* owner)
    : QWidget(owner, Qt::Window),
      model_(new ResultTableModel(table, this)),
      view_(new QTableView(this)),
      cutNote_(new QLabel(this)),
      copy_(new QAction(this)),
      timer_(new QPushButton(this)),
      playersNumbering_(new QCheckBox(this)),
      initialAdvances_(new QCheckBox(this)),
      memoryLink_(new QCheckBox(this)),
      neighbours_(new QPushButton(this)),
      save_(new QPushButton(this)) {
  resize(windowWidth, windowHeight);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setWordWrap(false);
  view_->verticalHeader()->hide();
  // Rows of one height: a table of a million rows scrolls without measuring them.
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  showUnsorted(*view_->horizontalHeader());
  view_->horizontalHeader()->setSortIndicatorClearable(true);
  view_->setSortingEnabled(true);

  copy_->setShortcut(QKeySequence::Copy);
  copy_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  connect(copy_, &QAction::triggered, this, &ResultTableWindow::copySelection);
  view_->addAction(copy_);
  view_->setContextMenuPolicy(Qt::ActionsContextMenu);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_);
  layout->addWidget(cutNote_);
  auto* buttons = new QHBoxLayout;
  playersNumbering_->setObjectName(QStringLiteral("playersNumbering"));
  initialAdvances_->setObjectName(QStringLiteral("initialAdvances"));
  memoryLink_->setObjectName(QStringLiteral("memoryLink"));
  memoryLink_->setEnabled(false);
  for (QCheckBox* box : {playersNumbering_, initialAdvances_, memoryLink_}) {
    buttons->addWidget(box);
    connect(box, &QCheckBox::toggled, this, &ResultTableWindow::showChosenDisplay);
  }
  buttons->addStretch();
  save_->setObjectName("save");
  buttons->addWidget(save_);
  connect(save_, &QPushButton::clicked, this, &ResultTableWindow::saveShownLines);
  neighbours_->setObjectName("neighbours");
  buttons->addWidget(neighbours_);
  buttons->addWidget(timer_);
  layout->addLayout(buttons);
  timer_->setEnabled(false);
  connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { timer_->setEnabled(view_->selectionModel()->hasSelection()); });
  connect(timer_, &QPushButton::clicked, this, &ResultTableWindow::openTimer);
  connect(neighbours_, &QPushButton::clicked, this, &ResultTableWindow::openNeighbours);
  connect(view_, &QTableView::doubleClicked, this, &ResultTableWindow::openNeighbours);
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    showUnsorted(*view_->horizontalHeader());
    rowsArrived(0);
    showCutNote();
  });
  connect(model_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int) { rowsArrived(first); });
  connect(model_, &ResultTableModel::cut, this, &ResultTableWindow::showCutNote);
  showTexts();
  showCutNote();
}

void ResultTableWindow::copySelection() const {
  const QString text = model_->copyText(view_->selectionModel()->selectedRows());
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void ResultTableWindow::showTexts() {
  setWindowTitle(toQString(hanabira::tr("Results")));
  copy_->setText(toQString(hanabira::tr("Copy")));
  timer_->setText(toQString(hanabira::tr("Boot timer")));
  neighbours_->setText(toQString(neighbourTexts().neighbours));
  save_->setText(toQString(hanabira::tr("Save...")));
  playersNumbering_->setText(toQString(hanabira::tr("IV positions as players count them")));
  initialAdvances_->setText(toQString(hanabira::tr("Initial advances")));
  memoryLink_->setText(toQString(hanabira::tr("Memory Link")));
  showCutNote();
}

void ResultTableWindow::showChosenDisplay() {
  memoryLink_->setEnabled(initialAdvances_->isChecked());
  model_->setDisplay({playersNumbering_->isChecked() ? IvNumbering::Players : IvNumbering::Positions,
                      initialAdvances_->isChecked(), memoryLink_->isChecked()});
}

void ResultTableWindow::saveShownLines() {
  const std::vector<SaveFileType> types = saveFileTypes();
  QStringList filters;
  for (const SaveFileType& type : types) filters << toQString(type.label);
  QString chosenFilter = filters.front();
  const QString path = QFileDialog::getSaveFileName(this, toQString(hanabira::tr("Save the results")),
                                                    QStringLiteral("result.txt"), filters.join(";;"), &chosenFilter);
  if (path.isEmpty()) return;
  const auto chosen = static_cast<std::size_t>(std::max<qsizetype>(filters.indexOf(chosenFilter), 0));
  const std::filesystem::path file = pathFromUtf8(path.toStdString());
  if (const auto problem = saveTable(model_->table(), formatToSave(file, types[chosen].format), file)) {
    QMessageBox::warning(this, windowTitle(), toQString(*problem));
  }
}

void ResultTableWindow::openTimer() {
  const QModelIndexList rows = view_->selectionModel()->selectedRows();
  if (rows.isEmpty() || !timerCommand_) return;
  const auto first = std::min_element(rows.begin(), rows.end(),
                                      [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  if (const auto target = bootTargetOfRow(model_->table(), static_cast<std::size_t>(first->row()))) {
    timerCommand_(*target);
  }
}

void ResultTableWindow::openNeighbours() {
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid() || searched_ == nullptr || !*searched_) return;
  const std::optional<RowHit> hit = hitOfRow(model_->table(), static_cast<std::size_t>(current.row()), **searched_);
  if (!hit) return;
  auto* window = new NeighbourWindow(hit->settings, hit->hit, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  const auto target = bootTargetOfRow(model_->table(), static_cast<std::size_t>(current.row()));
  if (target && missCommand_) {
    window->setTimerCorrection([command = missCommand_, target = *target](int late) { command(target, late); });
  }
  window->show();
}

// The columns take the width of the first rows' texts.
void ResultTableWindow::rowsArrived(int first) {
  if (first == 0 && model_->rowCount() > 0) view_->resizeColumnsToContents();
}

void ResultTableWindow::showCutNote() {
  const ResultTable& table = model_->table();
  cutNote_->setText(QString::fromStdString(
      trf("The table shows the first {} lines; the result file holds them all.", table.rowLimit())));
  cutNote_->setVisible(table.isCut());
}

}  // namespace hanabira
