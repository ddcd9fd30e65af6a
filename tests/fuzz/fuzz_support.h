// What the fuzz targets share: a failed check that every runner (libFuzzer, the corpus
// replay of the tests) reports as a crash, and values read from the fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string_view>

namespace hanabira::fuzz {

[[noreturn]] inline void fail(std::string_view what) {
  std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

inline void require(bool holds, std::string_view what) {
  if (!holds) fail(what);
}

// Numbers from the input, one byte after the other; once the bytes run out every value
// is the low end of its range, so short inputs stand for plain settings.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint64_t bits(int count) {
    std::uint64_t value = 0;
    for (int bit = 0; bit < count; bit += 8) value |= std::uint64_t{next()} << bit;
    return count >= 64 ? value : value & ((std::uint64_t{1} << count) - 1);
  }

  // A value from low to high, both included (high - low below 2^32).
  std::int64_t between(std::int64_t low, std::int64_t high) {
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    const std::uint64_t raw = span <= 0x100 ? bits(8) : span <= 0x10000 ? bits(16) : bits(32);
    return low + static_cast<std::int64_t>(raw % span);
  }
  int intBetween(int low, int high) { return static_cast<int>(between(low, high)); }

  bool flag() { return (next() & 1) != 0; }
  // True about once in `n` times.
  bool oneIn(int n) { return next() % n == 0 && !exhausted(); }

  std::uint32_t word() { return static_cast<std::uint32_t>(bits(32)); }
  // Any int; one time in four one where arithmetic on it breaks: the ends of the type,
  // their neighbours, and the numbers around zero.
  int anyInt() {
    constexpr int low = std::numeric_limits<int>::min();
    constexpr int high = std::numeric_limits<int>::max();
    static constexpr int edges[] = {low, low + 1, low + 2, -2, -1, 0, 1, 2, high - 2, high - 1, high};
    if (oneIn(4)) return edges[between(0, std::size(edges) - 1)];
    return static_cast<int>(static_cast<std::int32_t>(word()));
  }

  bool exhausted() const { return position_ > size_; }

 private:
  std::uint8_t next() {
    if (position_ >= size_) {
      position_ = size_ + 1;
      return 0;
    }
    return data_[position_++];
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace hanabira::fuzz
