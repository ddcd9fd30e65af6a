// Where an evaluation appends its lines. A single boot moment may make millions of them,
// so the owner may give the output a bound: whenever the text reaches it at the end of a
// line, the owner's drain takes the lines (or throws to stop the evaluation), and memory
// stays bounded however many lines a batch of seeds makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace hanabira {

class LineOutput {
 public:
  // Whole lines, then the one being appended.
  std::string& text() { return text_; }
  const std::string& text() const { return text_; }
  // The lines in text().
  std::uint64_t lineCount() const { return lines_; }

  // Called once after each line appended to text().
  void endLine() {
    ++lines_;
    if (text_.size() >= bound_) drain_();
  }

  // Empties the text, keeping its memory and the bound.
  void clear() {
    text_.clear();
    lines_ = 0;
  }

  // From now on `drain` runs whenever the text reaches `bytes` at a line's end; it is
  // to clear() the output or throw.
  void setBound(std::size_t bytes, std::function<void()> drain) {
    bound_ = bytes;
    drain_ = std::move(drain);
  }

 private:
  std::string text_;
  std::uint64_t lines_ = 0;
  std::size_t bound_ = std::numeric_limits<std::size_t>::max();
  std::function<void()> drain_;
};

}  // namespace hanabira
