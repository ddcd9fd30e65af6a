#include "core/initial_seed.h"

namespace hanabira {

EditionWords editionWordsOf(const SearchSettings& settings) {
  return settings.edition ? editionFacts(*settings.edition).words : versionWordWords(settings.versionWord);
}

BootMessage constantMessageWords(const SearchSettings& settings) {
  BootMessage w{};
  const EditionWords edition = editionWordsOf(settings);
  for (std::size_t k = 0; k < edition.size(); ++k) w[k] = byteSwap32(edition[k]);
  w[5] = parameterWord(settings.vcount, settings.timer0);
  w[6] = settings.messageWord6;
  w[7] = settings.messageWord7;
  w[13] = 0x80000000;  // padding bit after the 52-byte message
  w[15] = 52 * 8;      // message length in bits
  return w;
}

BootMessage buildBootMessage(const SearchSettings& settings, const BootMoment& moment) {
  BootMessage w = constantMessageWords(settings);
  w[8] = dateWord(moment.year, moment.month, moment.day, moment.weekday);
  w[9] = timeWord(moment.hour, moment.minute, moment.second, settings.is3ds);
  w[12] = keyWord(moment.keyMask);
  return w;
}

InitialSeed computeInitialSeed(const SearchSettings& settings, const BootMoment& moment) {
  const Sha1Digest digest = sha1Compress(buildBootMessage(settings, moment));
  return initialSeedFromDigest(digest[0], digest[1]);
}

}  // namespace hanabira
