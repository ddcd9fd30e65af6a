// The SHA-1 compression function (FIPS 180-4) over one 64-byte block.
#pragma once

#include <array>
#include <cstdint>

namespace hanabira {

using Sha1Block = std::array<std::uint32_t, 16>;  // big-endian message words
using Sha1Digest = std::array<std::uint32_t, 5>;  // H0 to H4

inline constexpr Sha1Digest sha1InitialValues = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};

// One compression of a block that already carries its padding, from the standard
// initial values: for a message of at most 55 bytes this is its digest.
Sha1Digest sha1Compress(const Sha1Block& block);

// One compression of `block` into the chaining value `state`: a longer message is
// compressed block by block from sha1InitialValues.
Sha1Digest sha1Compress(const Sha1Block& block, const Sha1Digest& state);

namespace detail {

constexpr std::uint32_t rotl(std::uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

struct Sha1Round {
  std::uint32_t f;
  std::uint32_t k;
};

// The round function and constant of round t.
constexpr Sha1Round sha1RoundTerms(int t, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
  if (t < 20) return {(b & c) | (~b & d), 0x5A827999};
  if (t < 40) return {b ^ c ^ d, 0x6ED9EBA1};
  if (t < 60) return {(b & c) | (b & d) | (c & d), 0x8F1BBCDC};
  return {b ^ c ^ d, 0xCA62C1D6};
}

// Round t on the working variables a to e (in that order), with message word w.
constexpr void sha1Round(int t, std::uint32_t w, Sha1Digest& v) {
  const auto [f, k] = sha1RoundTerms(t, v[1], v[2], v[3]);
  v = {rotl(v[0], 5) + f + v[4] + k + w, v[0], rotl(v[1], 30), v[2], v[3]};
}

}  // namespace detail
}  // namespace hanabira
