#include "core/sha1.h"

namespace hanabira {

Sha1Digest sha1Compress(const Sha1Block& block) {
  std::array<std::uint32_t, 80> w{};
  for (int t = 0; t < 16; ++t) w[t] = block[t];
  for (int t = 16; t < 80; ++t) w[t] = detail::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);

  auto [a, b, c, d, e] = sha1InitialValues;
  for (int t = 0; t < 80; ++t) {
    const auto [f, k] = detail::sha1RoundTerms(t, b, c, d);
    const std::uint32_t temp = detail::rotl(a, 5) + f + e + k + w[t];
    e = d;
    d = c;
    c = detail::rotl(b, 30);
    b = a;
    a = temp;
  }
  return {sha1InitialValues[0] + a, sha1InitialValues[1] + b, sha1InitialValues[2] + c,
          sha1InitialValues[3] + d, sha1InitialValues[4] + e};
}

}  // namespace hanabira
