// Console profiles: the consoles (and cartridges) a player boots, each under a name, kept
// in "profiles.json" beside config.txt. A profile holds what config.txt holds for one
// console, and what calibration found for it:
//
//   {
//     "profiles": [
//       {
//         "name": "DS Lite",
//         "edition": "White2,ENG,DSLite",
//         "macAddress": "00-09-BF-12-34-56",
//         "versionWord": "0x2215F30",
//         "vcount": "0x82", "timer0": "0x10F5", "gxStat": "0x6000000", "frame": 8,
//         "vcountRange": ["0x81", "0x83"], "timer0Range": ["0x10E4", "0x110D"],
//         "calibration": [{"vcount": "0x82", "timer0": "0x10F5", "frame": 8}]
//       }
//     ]
//   }
//
// "edition", the ranges and "calibration" may be left out; numbers may also be written as
// JSON numbers. A file lists its profiles in the player's order, each name once. Export
// and import are this same form, so a file written by one installation loads in another.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/console_config.h"

namespace hanabira {

inline constexpr char profilesFileName[] = "profiles.json";

// Values a calibration found to explain an observed outcome.
struct CalibratedConsole {
  std::uint32_t vcount = 0;
  std::uint32_t timer0 = 0;
  int frame = 0;

  friend bool operator==(const CalibratedConsole&, const CalibratedConsole&) = default;
};

struct ConsoleProfile {
  std::string name;  // not empty, unique in its list
  ConsoleParameters console;
  std::vector<CalibratedConsole> calibration;  // as calibration listed them

  friend bool operator==(const ConsoleProfile&, const ConsoleProfile&) = default;
};

using ConsoleProfiles = std::vector<ConsoleProfile>;

// The first thing wrong with a profiles text, in English words of the catalogs: where
// ("profile 2 (DS Lite)", or the file as a whole) and what ("timer0: not a number").
struct ProfilesProblem {
  std::string where;  // empty: the file as a whole
  std::string what;

  friend bool operator==(const ProfilesProblem&, const ProfilesProblem&) = default;
};
// "profile 2 (DS Lite): timer0: not a number", or only `what`.
std::string describe(const ProfilesProblem& problem);

struct ProfilesParse {
  ConsoleProfiles profiles;                // empty when there is a problem
  std::optional<ProfilesProblem> problem;  // a text that is no list of profiles, a value out of range, a name twice
};
ProfilesParse parseProfiles(std::string_view json);

// Two-space indented JSON with a final line end; parseProfiles reads back what it wrote.
std::string formatProfiles(std::span<const ConsoleProfile> profiles);

// The profile of that name (names compare exactly), or null.
const ConsoleProfile* findProfile(std::span<const ConsoleProfile> profiles, std::string_view name);
ConsoleProfile* findProfile(ConsoleProfiles& profiles, std::string_view name);

// Why a name cannot be given to a new or renamed profile: empty, only spaces, or one
// another profile has. `renaming` is the profile being renamed, whose own name is free.
std::optional<std::string> profileNameProblem(std::span<const ConsoleProfile> profiles, std::string_view name,
                                              const ConsoleProfile* renaming = nullptr);

// The profile's console as a search starts with it (applyConsoleParameters): values, edition
// and ranges, and the afternoon flag its console kind keeps or drops where it names one.
void applyProfile(const ConsoleProfile& profile, SearchSettings& settings);

// Reading a profiles file: its profiles; nothing and no error when there is no file;
// the system's error when the file cannot be read; or the problem of a text that is no
// list of profiles. A file over profilesReadLimit is a problem, not read whole.
inline constexpr std::size_t profilesReadLimit = 4 * 1024 * 1024;
struct ProfilesLoad {
  ConsoleProfiles profiles;
  bool found = false;
  std::error_code error;
  std::optional<ProfilesProblem> problem;
};
ProfilesLoad loadProfilesFile(const std::filesystem::path& path);

// Writes the whole list to a file beside `path`, flushed to the disk, and renames it over
// `path`, so that a crash or a full disk leaves the old file or the new one, never part of
// one. Nothing is changed when it fails; the system's error then.
std::error_code saveProfilesFile(const std::filesystem::path& path, std::span<const ConsoleProfile> profiles);

}  // namespace hanabira
