// The plain calibration: every Frame, VCount, Timer0, second and key mask in nested
// loops, the seed from the whole boot message and the values from the plain generator.
#include "engine/calibration.h"
#include "engine/calibration_rules.h"
#include "evaluate/iv_rules.h"
#include "evaluate/reference_sequences.h"

namespace hanabira {

std::vector<CalibrationMatch> calibrateReference(const CalibrationRequest& request) {
  if (auto problem = findCalibrationProblem(request)) throw InvalidSettingsError(*problem);
  const SearchSettings observed = observedValueSettings(request);
  std::vector<CalibrationMatch> matches;
  for (const int frame : request.frames) {
    SearchSettings boot = withFrame(request.settings, frame);
    for (std::uint64_t vcount = request.vcounts.min; vcount <= request.vcounts.max; ++vcount) {
      for (std::uint64_t timer0 = request.timer0s.min; timer0 <= request.timer0s.max; ++timer0) {
        boot.vcount = static_cast<std::uint32_t>(vcount);
        boot.timer0 = static_cast<std::uint32_t>(timer0);
        for (const BootAround& at : bootsAround(request)) {
          for (const int mask : triedKeyMasks(request)) {
            const BootMoment moment{at.date.year, at.date.month,    at.date.day, at.hour,     at.minute,
                                    at.second,    weekday(at.date), mask,        boot.vcount, boot.timer0};
            const InitialSeed seed = computeInitialSeed(boot, moment);
            const CalibrationMatch match{boot.vcount, boot.timer0, frame, moment, at.secondsOff, seed, -1};
            if (request.seed) {
              if (seed == *request.seed) matches.push_back(match);
              continue;
            }
            if (observed.ivConsumptionMin > observed.ivConsumptionMax) continue;
            const std::vector<std::uint32_t> sequence =
                plainIvSequence(seed, static_cast<std::size_t>(observed.ivConsumptionMax) + 7);
            for (int j = observed.ivConsumptionMin; j <= observed.ivConsumptionMax; ++j) {
              if (passesIvBounds(observed, drawIvs(&sequence[static_cast<std::size_t>(j)], observed.roaming))) {
                CalibrationMatch drawn = match;
                drawn.position = j;
                matches.push_back(drawn);
              }
            }
          }
        }
      }
    }
  }
  rankMatches(request, matches);
  return matches;
}

}  // namespace hanabira
