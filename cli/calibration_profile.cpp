#include "cli/calibration_profile.h"

#include <algorithm>

#include "cli/cli_app.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

ConsoleProfile& profileToStore(ConsoleProfiles& profiles, const std::string& name,
                               const std::optional<ConsoleParameters>& ranWith) {
  if (ConsoleProfile* profile = findProfile(profiles, name)) return *profile;
  if (const std::optional<std::string> problem = profileNameProblem(profiles, name)) {
    throw CliError(exitInvalidInput, trf("--save-profile '{}': {}", name, *problem));
  }
  if (!ranWith) {
    throw CliError(exitInvalidInput,
                   std::string(tr("--save-profile needs the MAC address to create a profile: give macAddress or "
                                  "--config")));
  }
  return profiles.emplace_back(ConsoleProfile{name, *ranWith, {}});
}

}  // namespace

void storeCalibration(ConsoleProfiles& profiles, const std::string& name, const std::vector<CalibrationMatch>& matches,
                      const CalibrationMatch& chosen, const std::optional<ConsoleParameters>& ranWith) {
  ConsoleProfile& profile = profileToStore(profiles, name, ranWith);
  profile.console.vcount = chosen.vcount;
  profile.console.timer0 = chosen.timer0;
  profile.console.frame = chosen.frame;
  profile.console.vcountRange.reset();
  profile.console.timer0Range.reset();
  profile.calibration.clear();
  // A set explains the outcome at several seconds or keys at times; it is kept once.
  for (const CalibrationMatch& match : matches) {
    const CalibratedConsole found{match.vcount, match.timer0, match.frame};
    if (std::find(profile.calibration.begin(), profile.calibration.end(), found) == profile.calibration.end()) {
      profile.calibration.push_back(found);
    }
  }
}

}  // namespace hanabira
