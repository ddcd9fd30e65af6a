#include "ui/qt/result_table_model.h"

#include <utility>

#include "ui/qt/qt_strings.h"

namespace hanabira {

ResultTableModel::ResultTableModel(ResultTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {
  table_.setListener(this);
}

ResultTableModel::~ResultTableModel() { table_.setListener(nullptr); }

int ResultTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rowCount());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.columns().size());
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return toQString(table_.cell(static_cast<std::size_t>(index.row()), static_cast<std::size_t>(index.column())));
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  return toQString(table_.columns()[static_cast<std::size_t>(section)]);
}

void ResultTableModel::sort(int column, Qt::SortOrder order) {
  if (column < 0) {
    table_.sortBy(std::nullopt);
    return;
  }
  table_.sortBy(SortKey{static_cast<std::size_t>(column),
                        order == Qt::AscendingOrder ? SortOrder::Ascending : SortOrder::Descending});
}

QString ResultTableModel::copyText(const QModelIndexList& indexes) const {
  std::vector<std::size_t> rows;
  rows.reserve(static_cast<std::size_t>(indexes.size()));
  for (const QModelIndex& index : indexes) rows.push_back(static_cast<std::size_t>(index.row()));
  return toQString(table_.copyText(rows));
}

void ResultTableModel::tableReset() {
  beginResetModel();
  endResetModel();
}

void ResultTableModel::rowsAppended(std::size_t first, std::size_t count) {
  beginInsertRows({}, static_cast<int>(first), static_cast<int>(first + count) - 1);
  endInsertRows();
}

void ResultTableModel::orderChanging() {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  moving_ = persistentIndexList();
  movingFileRows_.clear();
  for (const QModelIndex& index : std::as_const(moving_)) {
    movingFileRows_.push_back(table_.fileRow(static_cast<std::size_t>(index.row())));
  }
}

void ResultTableModel::orderChanged() {
  QModelIndexList moved;
  moved.reserve(moving_.size());
  for (qsizetype i = 0; i < moving_.size(); ++i) {
    const auto row = static_cast<int>(table_.shownRow(movingFileRows_[static_cast<std::size_t>(i)]));
    moved.push_back(index(row, moving_[i].column()));
  }
  changePersistentIndexList(moving_, moved);
  moving_.clear();
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace hanabira
