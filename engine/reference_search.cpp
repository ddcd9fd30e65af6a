// The reference search: the game's enumeration of boot moments written out as plain
// nested loops (dates, VCount, Timer0, hours, minutes, seconds, keys), one moment at a
// time, with nothing prepared ahead.
#include "core/calendar.h"
#include "core/initial_seed.h"
#include "core/key_input.h"
#include "engine/prepared_search.h"
#include "engine/search_engine.h"

namespace hanabira {
namespace {

// The console's date advance: day by day, months of 30 and 31 days, February of 28
// days and of 29 in leap years (every year 2000 to 2099 divisible by 4).
Date advanceDate(Date date) {
  ++date.day;
  const bool leap = date.year % 4 == 0;
  const int month = date.month;
  if (month == 2 && date.day == (leap ? 30 : 29)) {
    date.month = 3;
    date.day = 1;
  } else if (date.day == 31 && (month == 4 || month == 6 || month == 9 || month == 11)) {
    ++date.month;
    date.day = 1;
  } else if (date.day == 32) {
    ++date.month;
    date.day = 1;
    if (date.month == 13) {
      ++date.year;
      date.month = 1;
    }
  }
  return date;
}

}  // namespace

SearchSummary runReferenceSearch(const SearchSettings& source, ResultSink& sink, const SearchOptions& options) {
  const PreparedSearch search(source, options.encoding);
  const SearchSettings& settings = search.settings;

  const MomentRange range = options.moments.within(search.space.size());
  SearchSummary summary{search.mode.mode, Isa::Scalar, false, 0, 0, range.size()};
  SearchProgress progress{{}, 0, 0, summary.momentsTotal};
  const Date end{settings.endYear, settings.endMonth, settings.endDay};
  const int firstKeyMask = settings.keyInputEnabled ? 0 : noKeysHeld;

  sink.write(search.text.header());

  std::string lines;
  std::uint64_t index = 0;  // of the moment in the search's numbering
  const ParameterRange vcounts = searchedVcounts(settings);
  const ParameterRange timer0s = searchedTimer0s(settings);
  Date date{settings.startYear, settings.startMonth, settings.startDay};
  do {
    progress.date = date;
    if (options.onProgress) options.onProgress(progress);
    BootMoment moment{date.year, date.month, date.day, 0, 0, 0, weekday(date), noKeysHeld};
    // The boot's own settings: those of the search with this VCount and Timer0.
    SearchSettings boot = settings;
    for (std::uint64_t vcount = vcounts.min; vcount <= vcounts.max; ++vcount) {
      for (std::uint64_t timer0 = timer0s.min; timer0 <= timer0s.max; ++timer0) {
        boot.vcount = moment.vcount = static_cast<std::uint32_t>(vcount);
        boot.timer0 = moment.timer0 = static_cast<std::uint32_t>(timer0);
        for (moment.hour = settings.startHour; moment.hour <= settings.endHour; ++moment.hour) {
          for (moment.minute = settings.startMinute; moment.minute <= settings.endMinute; ++moment.minute) {
            for (moment.second = settings.startSecond; moment.second <= settings.endSecond; ++moment.second) {
              for (moment.keyMask = firstKeyMask; moment.keyMask <= noKeysHeld; ++moment.keyMask) {
                if (!isKeyMaskSearched(settings, moment.keyMask)) continue;
                if (const std::uint64_t number = index++; number < range.first || number >= range.end) continue;
                if (options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed)) {
                  summary.cancelled = true;
                  return summary;
                }
                lines.clear();
                const InitialSeed seed = computeInitialSeed(boot, moment);
                const std::size_t found = search.mode.evaluateReference(boot, search.text, moment, seed, lines);
                sink.write(lines);
                summary.candidates += found;
                ++summary.momentsDone;
                progress.candidates = summary.candidates;
                progress.momentsDone = summary.momentsDone;
              }
            }
          }
        }
      }
    }
    date = advanceDate(date);
  } while (date <= end);
  if (options.onProgress) options.onProgress(progress);
  return summary;
}

}  // namespace hanabira
