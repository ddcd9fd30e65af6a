// The last search's result file as a table for the window: the header's columns, one row
// per line, filled as the search writes its lines; shown in the file's order or sorted by
// any column; and rows copied back as the file's lines. The texts are UTF-8 whatever the
// file's encoding.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "evaluate/result_text.h"
#include "ui/model/result_display.h"

namespace hanabira {

// What a front end's view of the table hears, after each change.
class ResultTableListener {
 public:
  // Anything may have changed: the columns and the rows (a new search, or its header).
  virtual void tableReset() = 0;
  // Rows [first, first + count) of the shown order are new; they stand last.
  virtual void rowsAppended(std::size_t first, std::size_t count) = 0;
  // The same rows are about to take other places, and have taken them.
  virtual void orderChanging() = 0;
  virtual void orderChanged() = 0;
  // Lines came that the table leaves to the file (isCut).
  virtual void tableCut() = 0;

 protected:
  ~ResultTableListener() = default;
};

enum class SortOrder { Ascending, Descending };

struct SortKey {
  std::size_t column = 0;
  SortOrder order = SortOrder::Ascending;
};

class ResultTable {
 public:
  // A search may find millions of lines; the table keeps the first ones, the file all.
  static constexpr std::size_t defaultRowLimit = 1'000'000;

  explicit ResultTable(std::size_t rowLimit = defaultRowLimit) : rowLimit_(rowLimit) {}

  void setListener(ResultTableListener* listener) { listener_ = listener; }

  // A new search of `game`, whose result file is in `encoding`: no columns, no rows, the
  // file's order; shown as the last display chosen.
  void start(TextEncoding encoding, Game game = Game::Black);
  // The result file's bytes as the search writes them, the header line first; a line not
  // yet ended waits for the rest.
  void add(std::string_view bytes);

  const std::vector<std::string>& columns() const { return columns_; }
  // The result file's encoding, which the table's texts are not in.
  TextEncoding encoding() const { return encoding_; }
  std::size_t rowCount() const { return order_.size(); }
  // By the row's place in the shown order; a column the line lacks is empty.
  std::string_view cell(std::size_t row, std::size_t column) const;
  // Lines came after the table held rowLimit rows: they are only in the file.
  bool isCut() const { return cut_; }
  std::size_t rowLimit() const { return rowLimit_; }

  // Numbers (decimal, or hexadecimal as the seeds) sort by value where every cell of the
  // column is one, other columns as text; equal cells keep the file's order. None: the
  // file's order. Rows added later take their places.
  void sortBy(std::optional<SortKey> key);
  std::optional<SortKey> sortKey() const { return sortKey_; }

  // A row's place in the file (0 for the line after the header) and back, so that a
  // front end keeps its selection on the same rows when they move.
  std::size_t fileRow(std::size_t row) const { return order_[row]; }
  std::size_t shownRow(std::size_t fileRow) const { return places_[fileRow]; }

  // The rows' lines in the shown order, each ended by CR LF as in the file.
  std::string copyText(std::span<const std::size_t> rows) const;

  // The columns and lines rewritten as chosen (the file's order again), and back; the
  // file is not touched.
  void setDisplay(const ResultDisplay& display);
  const ResultDisplay& display() const { return display_; }

 private:
  void addLines(std::string_view text);
  void addLine(std::string_view line);
  std::string_view lineOf(std::size_t fileRow) const;
  void addShownLine(std::string_view fileLine);
  void rewriteLines();
  void mergeNewRows(std::size_t oldCount);
  void sortRows(std::size_t from);
  void notePlaces();

  std::size_t rowLimit_;
  ResultTableListener* listener_ = nullptr;
  TextEncoding encoding_ = TextEncoding::Cp932;
  std::string unended_;                        // the bytes of a line not yet ended
  std::vector<std::string> columns_;           // as shown
  std::vector<std::string> fileColumns_;       // as the file names them
  std::string text_;                           // every row's line, one after the other
  std::vector<std::size_t> lineStarts_ = {0};  // by file row, and where the last line ends
  Game game_ = Game::Black;
  ResultDisplay display_;
  std::optional<ResultLineRewriter> rewriter_;  // none while the lines show as written
  std::string shownText_;                       // the lines rewritten, as text_
  std::vector<std::size_t> shownStarts_ = {0};
  std::vector<std::size_t> order_;   // the file rows in the shown order
  std::vector<std::size_t> places_;  // the shown places by file row
  std::optional<SortKey> sortKey_;
  bool numericSort_ = false;  // the sorted column holds numbers only
  bool cut_ = false;
};

}  // namespace hanabira
