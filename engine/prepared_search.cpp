#include "engine/prepared_search.h"

#include "engine/settings_validation.h"

namespace hanabira {
namespace {

SearchSettings checkedSnapshot(const SearchSettings& settings) {
  if (auto problem = findSettingsProblem(settings)) throw InvalidSettingsError(*problem);
  SearchSettings snapshot = settings;
  clampPidConsumption(snapshot);
  return snapshot;
}

std::vector<std::uint32_t> keyWordsOf(const BootMomentSpace& space) {
  std::vector<std::uint32_t> words(static_cast<std::size_t>(space.masksPerTime()));
  for (int i = 0; i < space.masksPerTime(); ++i) words[static_cast<std::size_t>(i)] = keyWord(space.keyMaskAt(i));
  return words;
}

}  // namespace

PreparedSearch::PreparedSearch(const SearchSettings& source, TextEncoding encoding, std::optional<Isa> isa)
    : settings(checkedSnapshot(source)),
      mode(selectedMode(settings)),
      text(mode.columnsIn(settings.resultLanguage), settings.keyInputEnabled, encoding,
           searchesParameterRanges(settings), settings.resultLanguage, resultColumnChoices(settings)),
      space(settings),
      kernels(isa ? kernelsFor(*isa) : bestKernels()),
      constantWords(constantMessageWords(settings)),
      keyWords(keyWordsOf(space)),
      keySchedules(keyWords) {}

BootMessage PreparedSearch::messageOfBlock(const BootMoment& block) const {
  BootMessage words = constantWords;
  words[5] = parameterWord(block.vcount, block.timer0);
  words[8] = dateWord(block.year, block.month, block.day, block.weekday);
  return words;
}

std::uint32_t PreparedSearch::timeWordAt(int timeIndex) const {
  const BootMomentSpace::TimeOfDay time = space.timeAt(timeIndex);
  return timeWord(time.hour, time.minute, time.second, settings.is3ds);
}

}  // namespace hanabira
