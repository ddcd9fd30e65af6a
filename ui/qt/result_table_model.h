// The results table (ui/model/result_table.h) for Qt's item views: it shows the model's
// rows and columns and passes a click on a column's header to it as a sort.
#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QString>

#include <vector>

#include "ui/model/result_table.h"

namespace hanabira {

class ResultTableModel final : public QAbstractTableModel, private ResultTableListener {
  Q_OBJECT

 public:
  explicit ResultTableModel(ResultTable& table, QObject* parent = nullptr);
  ~ResultTableModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // A column below 0: the file's order.
  void sort(int column, Qt::SortOrder order) override;

  // The rows of these indexes as the file's lines (ResultTable::copyText).
  QString copyText(const QModelIndexList& indexes) const;
  const ResultTable& table() const { return table_; }
  // The lines rewritten as chosen (ResultTable::setDisplay).
  void setDisplay(const ResultDisplay& display) { table_.setDisplay(display); }

 signals:
  void cut();  // ResultTable::isCut became true

 private:
  // ResultTableListener: the model has changed already, and the views learn it now.
  void tableReset() override;
  void rowsAppended(std::size_t first, std::size_t count) override;
  void orderChanging() override;
  void orderChanged() override;
  void tableCut() override { emit cut(); }

  ResultTable& table_;
  // While the order changes: the indexes the views keep, and their rows' places in the file.
  QModelIndexList moving_;
  std::vector<std::size_t> movingFileRows_;
};

}  // namespace hanabira
