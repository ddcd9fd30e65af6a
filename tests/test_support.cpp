#include "test_support.h"

namespace hanabira::testing {

SearchSettings workedExampleSettings() {
  SearchSettings settings;
  settings.vcount = 0x60;
  settings.timer0 = 0xC79;
  settings.gxStat = 0x06000000;
  settings.frame = 8;
  applyMacAddress(settings, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55});
  settings.startYear = settings.endYear = 11;
  settings.startMonth = settings.endMonth = 9;
  settings.startDay = settings.endDay = 27;
  settings.startHour = settings.endHour = 13;
  settings.startMinute = settings.endMinute = 47;
  settings.startSecond = settings.endSecond = 35;
  return settings;
}

namespace {

int uniform(std::mt19937_64& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

bool chance(std::mt19937_64& random, double p) { return std::bernoulli_distribution(p)(random); }

}  // namespace

SearchSettings randomIvSearchSettings(std::mt19937_64& random) {
  SearchSettings s;
  s.versionWord = chance(random, 0.5) ? blackVersionWord : whiteVersionWord;
  s.vcount = static_cast<std::uint32_t>(uniform(random, 0, 0xFFF));
  s.timer0 = static_cast<std::uint32_t>(uniform(random, 0, 0xFFFF));
  s.gxStat = static_cast<std::uint32_t>(random());
  s.frame = uniform(random, -10, 10);
  MacAddress mac;
  for (auto& byte : mac) byte = static_cast<std::uint8_t>(uniform(random, 0, 255));
  applyMacAddress(s, mac);
  s.is3ds = chance(random, 0.3);

  // A day or three, sometimes across a month's end or February 29.
  const int year = uniform(random, 0, 99);
  const int month = uniform(random, 1, 12);
  const int lastDay = month == 2 ? (year % 4 == 0 ? 29 : 28) : (month == 4 || month == 6 || month == 9 || month == 11) ? 30 : 31;
  s.startYear = year;
  s.startMonth = month;
  s.startDay = chance(random, 0.5) ? lastDay - uniform(random, 0, 1) : uniform(random, 1, lastDay);
  s.endYear = year;
  s.endMonth = month;
  s.endDay = s.startDay;
  if (chance(random, 0.4) && !(year == 99 && month == 12)) {  // into the next month
    s.endMonth = month % 12 + 1;
    s.endYear = month == 12 ? year + 1 : year;
    s.endDay = 1;
  }

  s.keyInputEnabled = chance(random, 0.4);
  for (bool& allowed : s.keyAllowed) allowed = chance(random, 0.7);
  s.excludeOppositeAndReset = chance(random, 0.7);
  const int span = s.keyInputEnabled ? 0 : 2;
  s.startHour = uniform(random, 0, 23);
  s.endHour = std::min(23, s.startHour + uniform(random, -1, 1));
  s.startMinute = uniform(random, 0, 59);
  s.endMinute = std::min(59, s.startMinute + uniform(random, 0, span));
  s.startSecond = uniform(random, 0, 59);
  s.endSecond = std::min(59, s.startSecond + uniform(random, 0, 3));

  s.roaming = chance(random, 0.3);
  for (int k = 0; k < 6; ++k) {
    s.ivMin[k] = chance(random, 0.7) ? 0 : uniform(random, 0, 20);
    s.ivMax[k] = chance(random, 0.7) ? 31 : uniform(random, s.ivMin[k], 31);
  }
  s.hiddenPowerType = chance(random, 0.6) ? -1 : uniform(random, 0, 15);
  s.hiddenPowerMinPower = chance(random, 0.6) ? 30 : uniform(random, 30, 70);
  if (chance(random, 0.15)) {  // positions past the first block of the generator
    s.ivConsumptionMin = uniform(random, 215, 640);
  } else {
    s.ivConsumptionMin = uniform(random, 0, 12);
  }
  s.ivConsumptionMax = s.ivConsumptionMin + uniform(random, -1, 6);
  return s;
}

std::string fastResult(const SearchSettings& settings, SearchOptions options) {
  StringSink sink;
  runSearch(settings, sink, options);
  return sink.text();
}

std::string referenceResult(const SearchSettings& settings, SearchOptions options) {
  StringSink sink;
  runReferenceSearch(settings, sink, options);
  return sink.text();
}

}  // namespace hanabira::testing

namespace hanabira::testing {

SearchOptions utf8() {
  SearchOptions options;
  options.encoding = TextEncoding::Utf8;
  return options;
}

}  // namespace hanabira::testing
