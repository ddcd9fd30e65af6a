#include "core/sha1.h"

namespace hanabira {

Sha1Digest sha1Compress(const Sha1Block& block) { return sha1Compress(block, sha1InitialValues); }

Sha1Digest sha1Compress(const Sha1Block& block, const Sha1Digest& state) {
  std::array<std::uint32_t, 80> w{};
  for (int t = 0; t < 16; ++t) w[t] = block[t];
  for (int t = 16; t < 80; ++t) w[t] = detail::rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);

  Sha1Digest v = state;
  for (int t = 0; t < 80; ++t) detail::sha1Round(t, w[t], v);
  for (int i = 0; i < 5; ++i) v[i] += state[i];
  return v;
}

}  // namespace hanabira
