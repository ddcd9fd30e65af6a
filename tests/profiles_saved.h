// The two lists the profiles save helper (profiles_save_loop) alternates between: a long
// one and a short one, so that a file cut off by a kill could pass for neither.
#pragma once

#include <array>
#include <string>

#include "engine/console_profiles.h"

namespace hanabira::testing {

inline std::array<ConsoleProfiles, 2> savedProfileLists() {
  ConsoleProfiles many;
  for (int k = 0; k < 200; ++k) {
    ConsoleProfile profile{"3DS " + std::to_string(k), {}, {}};
    profile.console = {0x82,
                       0x10F5,
                       0x6000000,
                       8,
                       {0, 0x09, 0xBF, 0x12, 0x34, static_cast<std::uint8_t>(k)},
                       0x2215F30,
                       Edition{Game::White2, Language::English, ConsoleKind::ThreeDs},
                       ParameterRange{0x81, 0x83},
                       ParameterRange{0x10E4, 0x110D}};
    profile.calibration = {{0x82, 0x10F5, 8}, {0x83, 0x10F6, 9}};
    many.push_back(profile);
  }
  return {many, ConsoleProfiles{{"DS", {}, {}}}};
}

}  // namespace hanabira::testing
