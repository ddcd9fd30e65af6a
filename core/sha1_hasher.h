// SHA-1 of a message of any length, fed in pieces: the digests that identify a search
// and check the files it wrote. (Seeds use the one-block compression directly.)
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/sha1.h"

namespace hanabira {

class Sha1Hasher {
 public:
  void update(std::string_view bytes);
  // The digest of everything fed so far, as 40 lower-case hexadecimal digits. The hasher
  // is left as it was: more bytes may follow.
  std::string hexDigest() const;

 private:
  void compressBuffer();

  Sha1Digest state_ = sha1InitialValues;
  std::array<unsigned char, 64> buffer_{};
  std::size_t buffered_ = 0;
  std::uint64_t length_ = 0;  // bytes fed
};

// The digest of `bytes` in one go.
std::string sha1Hex(std::string_view bytes);

}  // namespace hanabira
