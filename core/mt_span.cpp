#include "core/mt_span.h"

#include <array>

#include "core/mt19937.h"

namespace hanabira {
namespace {

// After one twist, word k (k <= 226) depends only on seeded words k, k + 1 and k + 397,
// none of which the twist has rewritten yet; so seeding stops at word last + 397 and
// only the words read are twisted.
constexpr int lastShortcutPosition = Mt19937::stateSize - Mt19937::shift - 1;

}  // namespace

MtOutputSpan::MtOutputSpan(int first, int last) : first_(first), last_(last) {}

void MtOutputSpan::fill(std::uint32_t seed, std::uint32_t* out) const {
  if (last_ <= lastShortcutPosition) {
    std::array<std::uint32_t, Mt19937::stateSize> words;
    words[0] = seed;
    const int lastSeeded = last_ + Mt19937::shift;
    for (int i = 1; i <= lastSeeded; ++i) words[i] = Mt19937::seedWord(words[i - 1], static_cast<std::uint32_t>(i));
    for (int k = first_; k <= last_; ++k) {
      out[k - first_] = Mt19937::temper(Mt19937::twistWord(words[k], words[k + 1], words[k + Mt19937::shift]));
    }
    return;
  }
  Mt19937 generator(seed);
  for (int k = 0; k < first_; ++k) generator.next();
  for (int k = first_; k <= last_; ++k) out[k - first_] = generator.next();
}

}  // namespace hanabira
