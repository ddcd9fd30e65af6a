#include "core/seed_hasher.h"

namespace hanabira {
namespace {

void sha1Round(int t, std::uint32_t w, std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
               std::uint32_t& e) {
  const auto [f, k] = detail::sha1RoundTerms(t, b, c, d);
  const std::uint32_t temp = detail::rotl(a, 5) + f + e + k + w;
  e = d;
  d = c;
  c = detail::rotl(b, 30);
  b = a;
  a = temp;
}

constexpr int fixedRounds = 9;  // rounds 0 to 8 read only W0 to W8

}  // namespace

SeedHasher::SeedHasher(const SearchSettings& settings)
    : constantWords_(constantMessageWords(settings)), is3ds_(settings.is3ds) {}

SeedHasher::Day SeedHasher::prepareDay(int year, int month, int day, int weekday) const {
  Day prepared{constantWords_, {}};
  prepared.words[8] = dateWord(year, month, day, weekday);
  auto [a, b, c, d, e] = sha1InitialValues;
  for (int t = 0; t < fixedRounds; ++t) sha1Round(t, prepared.words[t], a, b, c, d, e);
  prepared.afterRound8 = {a, b, c, d, e};
  return prepared;
}

InitialSeed SeedHasher::seed(const Day& day, std::uint32_t timeWord, std::uint32_t keyWord) const {
  BootMessage w = day.words;
  w[9] = timeWord;
  w[12] = keyWord;
  auto [a, b, c, d, e] = day.afterRound8;
  for (int t = fixedRounds; t < 16; ++t) sha1Round(t, w[t], a, b, c, d, e);
  for (int t = 16; t < 80; ++t) {
    std::uint32_t& slot = w[t & 15];
    slot = detail::rotl(w[(t - 3) & 15] ^ w[(t - 8) & 15] ^ w[(t - 14) & 15] ^ slot, 1);
    sha1Round(t, slot, a, b, c, d, e);
  }
  return initialSeedFromDigest(sha1InitialValues[0] + a, sha1InitialValues[1] + b);
}

}  // namespace hanabira
