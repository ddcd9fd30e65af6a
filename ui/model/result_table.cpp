#include "ui/model/result_table.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "vocab/cp932.h"

namespace hanabira {
namespace {

// Fields hold no commas: the file quotes nothing.
std::string_view field(std::string_view line, std::size_t column) {
  for (std::size_t c = 0; c < column; ++c) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) return {};
    line.remove_prefix(comma + 1);
  }
  return line.substr(0, line.find(','));
}

std::vector<std::string> fields(std::string_view line) {
  std::vector<std::string> all;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    all.emplace_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return all;
    start = comma + 1;
  }
}

// Decimal, or upper-case hexadecimal as the seeds, the PIDs and the parameters are written.
bool isNumber(std::string_view cell) {
  return !cell.empty() &&
         std::all_of(cell.begin(), cell.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

int sign(int value) { return (value > 0) - (value < 0); }

// More digits after the leading zeros is more; as many compare as text, '9' before 'A'.
int compareNumbers(std::string_view a, std::string_view b) {
  a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
  b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return sign(a.compare(b));
}

// Rows by the sorted column's cells (indexed by file row); equal cells keep the file's
// order either way, which makes the order total: a merge gives what a sort gives.
struct RowOrder {
  const std::vector<std::string_view>& cells;
  bool numeric;
  SortOrder order;

  bool operator()(std::size_t a, std::size_t b) const {
    const int compared = numeric ? compareNumbers(cells[a], cells[b]) : sign(cells[a].compare(cells[b]));
    if (compared != 0) return order == SortOrder::Ascending ? compared < 0 : compared > 0;
    return a < b;
  }
};

std::string decoded(std::string_view bytes, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf8) return std::string(bytes);
  try {
    return cp932ToUtf8(bytes);
  } catch (const std::runtime_error&) {
    return std::string(bytes);  // not from the program's own writer, which writes CP932 only
  }
}

}  // namespace

void ResultTable::start(TextEncoding encoding, Game game) {
  encoding_ = encoding;
  game_ = game;
  unended_.clear();
  columns_.clear();
  fileColumns_.clear();
  text_.clear();
  lineStarts_ = {0};
  rewriter_.reset();
  shownText_.clear();
  shownStarts_ = {0};
  order_.clear();
  places_.clear();
  sortKey_.reset();
  cut_ = false;
  if (listener_ != nullptr) listener_->tableReset();
}

void ResultTable::add(std::string_view bytes) {
  if (cut_) return;
  const std::size_t lastEnd = bytes.rfind('\n');
  if (lastEnd == std::string_view::npos) {
    unended_ += bytes;
    return;
  }
  std::string ended = std::move(unended_);
  ended += bytes.substr(0, lastEnd + 1);
  unended_ = bytes.substr(lastEnd + 1);

  const bool hadColumns = !columns_.empty();
  const std::size_t oldCount = rowCount();
  addLines(decoded(ended, encoding_));
  if (listener_ != nullptr && !hadColumns) {
    listener_->tableReset();
  } else if (listener_ != nullptr && rowCount() > oldCount) {
    listener_->rowsAppended(oldCount, rowCount() - oldCount);
  }
  if (sortKey_ && rowCount() > oldCount) mergeNewRows(oldCount);
  if (listener_ != nullptr && cut_) listener_->tableCut();
}

void ResultTable::addLines(std::string_view text) {
  while (!text.empty() && !cut_) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    addLine(line);
    text.remove_prefix(end + 1);
  }
}

void ResultTable::addLine(std::string_view line) {
  if (fileColumns_.empty()) {
    fileColumns_ = fields(line);
    rewriteLines();
    return;
  }
  if (rowCount() == rowLimit_) {
    cut_ = true;
    return;
  }
  const std::size_t row = rowCount();
  text_ += line;
  lineStarts_.push_back(text_.size());
  addShownLine(line);
  order_.push_back(row);
  places_.push_back(row);
}

std::string_view ResultTable::lineOf(std::size_t fileRow) const {
  const std::string_view text = rewriter_ ? shownText_ : text_;
  const std::vector<std::size_t>& starts = rewriter_ ? shownStarts_ : lineStarts_;
  return text.substr(starts[fileRow], starts[fileRow + 1] - starts[fileRow]);
}

void ResultTable::addShownLine(std::string_view fileLine) {
  if (!rewriter_) return;
  shownText_ += rewriter_->line(fileLine);
  shownStarts_.push_back(shownText_.size());
}

// The shown columns and lines anew from the file's, as the display says.
void ResultTable::rewriteLines() {
  shownText_.clear();
  shownStarts_ = {0};
  rewriter_.reset();
  columns_ = fileColumns_;
  if (display_.asWritten() || fileColumns_.empty()) return;
  rewriter_.emplace(fileColumns_, game_, display_);
  columns_ = rewriter_->columns();
  for (std::size_t row = 0; row < rowCount(); ++row) {
    addShownLine(std::string_view(text_).substr(lineStarts_[row], lineStarts_[row + 1] - lineStarts_[row]));
  }
}

void ResultTable::setDisplay(const ResultDisplay& display) {
  if (display == display_) return;
  display_ = display;
  rewriteLines();
  // A column may have come or gone: the file's order, as after a new header.
  sortKey_.reset();
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  notePlaces();
  if (listener_ != nullptr) listener_->tableReset();
}

std::string_view ResultTable::cell(std::size_t row, std::size_t column) const {
  return field(lineOf(order_[row]), column);
}

void ResultTable::sortBy(std::optional<SortKey> key) {
  if (listener_ != nullptr) listener_->orderChanging();
  sortKey_ = key;
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  if (sortKey_) {
    numericSort_ = true;
    sortRows(0);
  }
  notePlaces();
  if (listener_ != nullptr) listener_->orderChanged();
}

void ResultTable::mergeNewRows(std::size_t oldCount) {
  if (listener_ != nullptr) listener_->orderChanging();
  const bool wasNumeric = numericSort_;
  sortRows(oldCount);
  if (numericSort_ != wasNumeric) {
    // A new row's cell is no number: the whole column sorts as text now.
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    sortRows(0);
  }
  notePlaces();
  if (listener_ != nullptr) listener_->orderChanged();
}

// Sorts the rows from the shown place `from` on (rows there in the file's order) and
// merges them with those before it, which are sorted. The column stops being numeric
// where one of them is no number.
void ResultTable::sortRows(std::size_t from) {
  std::vector<std::string_view> cells(rowCount());
  for (std::size_t row = 0; row < cells.size(); ++row) cells[row] = field(lineOf(row), sortKey_->column);
  numericSort_ = numericSort_ && std::all_of(order_.begin() + static_cast<std::ptrdiff_t>(from), order_.end(),
                                             [&](std::size_t row) { return isNumber(cells[row]); });
  const RowOrder before{cells, numericSort_, sortKey_->order};
  const auto middle = order_.begin() + static_cast<std::ptrdiff_t>(from);
  std::sort(middle, order_.end(), before);
  std::inplace_merge(order_.begin(), middle, order_.end(), before);
}

void ResultTable::notePlaces() {
  for (std::size_t row = 0; row < order_.size(); ++row) places_[order_[row]] = row;
}

std::string ResultTable::copyText(std::span<const std::size_t> rows) const {
  std::vector<std::size_t> shown(rows.begin(), rows.end());
  std::sort(shown.begin(), shown.end());
  shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
  std::string text;
  for (std::size_t row : shown) {
    text += lineOf(order_[row]);
    text += "\r\n";
  }
  return text;
}

}  // namespace hanabira
