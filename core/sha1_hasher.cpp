#include "core/sha1_hasher.h"

#include <algorithm>
#include <cstring>

namespace hanabira {

void Sha1Hasher::compressBuffer() {
  Sha1Block block;
  for (std::size_t i = 0; i < block.size(); ++i) {
    const unsigned char* word = &buffer_[4 * i];
    block[i] = std::uint32_t{word[0]} << 24 | std::uint32_t{word[1]} << 16 | std::uint32_t{word[2]} << 8 | word[3];
  }
  state_ = sha1Compress(block, state_);
  buffered_ = 0;
}

void Sha1Hasher::update(std::string_view bytes) {
  length_ += bytes.size();
  while (!bytes.empty()) {
    const std::size_t taken = std::min(bytes.size(), buffer_.size() - buffered_);
    std::memcpy(buffer_.data() + buffered_, bytes.data(), taken);
    buffered_ += taken;
    bytes.remove_prefix(taken);
    if (buffered_ == buffer_.size()) compressBuffer();
  }
}

std::string Sha1Hasher::hexDigest() const {
  // The padding: a one bit, zeros up to 56 bytes into a block, the length in bits.
  Sha1Hasher padded = *this;
  const std::uint64_t bits = length_ * 8;
  const std::size_t zeros = (padded.buffered_ < 56 ? 55 : 119) - padded.buffered_;
  std::string padding(1 + zeros + 8, '\0');
  padding[0] = '\x80';
  for (int i = 0; i < 8; ++i) padding[padding.size() - 1 - i] = static_cast<char>(bits >> (8 * i));
  padded.update(padding);

  std::string hex;
  for (std::uint32_t word : padded.state_) {
    for (int shift = 28; shift >= 0; shift -= 4) hex += "0123456789abcdef"[(word >> shift) & 0xF];
  }
  return hex;
}

std::string sha1Hex(std::string_view bytes) {
  Sha1Hasher hasher;
  hasher.update(bytes);
  return hasher.hexDigest();
}

}  // namespace hanabira
