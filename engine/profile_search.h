// A search over several console profiles in turn: for each profile, in the list's order,
// the search of the settings with that profile's console (applyProfile), each of its lines
// led by the profile's name and a comma. The header comes once, led by the profile column
// (profileColumnName). A list of one profile gives that profile's result file with the
// column added.
//
//   hanabira::FileSink sink("result.txt");
//   const hanabira::ProfileSearchSummary summary = hanabira::runProfileSearch(settings, profiles, sink);
//   sink.close();
//
// Everything that refuses the search is found before the first line is written; a stop
// (cancellation, a failing sink) leaves an exact prefix of the whole result.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/search_settings.h"
#include "core/settings_problem.h"
#include "engine/console_profiles.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "evaluate/result_text.h"

namespace hanabira {

// Why a search over profiles is refused, naming the profile concerned.
struct ProfileSearchProblem {
  enum class Kind {
    NoProfiles,     // the list is empty
    Settings,       // the settings with the profile's console are refused: `settings`
    NameSeparator,  // the name holds a comma or a line break, which would split its lines
    NameEncoding,   // the name has a character CP932 cannot hold, and the result file is CP932
    Columns,        // its lines would have other columns than those of `firstProfile`: a range of
                    // VCount or Timer0 in one of them only
  };

  Kind kind;
  std::string profile;  // empty for NoProfiles
  std::optional<SettingsProblem> settings;
  std::string firstProfile;  // Columns only
};

// One line, English: "profile 'DS Lite': vcountMax 0x60: must not lie below vcountMin 0x70".
std::string describe(const ProfileSearchProblem& problem);
// The same line in the user's language, as the command line and the page say it (with the
// command line's option for NameEncoding).
std::string translatedDescription(const ProfileSearchProblem& problem);

class ProfileSearchError : public std::invalid_argument {
 public:
  explicit ProfileSearchError(ProfileSearchProblem problem)
      : std::invalid_argument(describe(problem)), problem_(std::move(problem)) {}
  const ProfileSearchProblem& problem() const { return problem_; }

 private:
  ProfileSearchProblem problem_;
};

// The settings a profile's part of the search runs with: its console (applyProfile).
SearchSettings profileSettings(const SearchSettings& settings, const ConsoleProfile& profile);

// One part of a search over profiles: the name that leads its lines, and its settings.
// A caller that builds each profile's settings itself (the command line reads a settings
// file over each profile) hands the parts over; the others take profileSettings's.
struct ProfilePart {
  std::string name;
  SearchSettings settings;
};
std::vector<ProfilePart> profileParts(const SearchSettings& settings, std::span<const ConsoleProfile> profiles);

// The first problem, in the list's order, of a search over `profiles` writing `encoding`.
std::optional<ProfileSearchProblem> findProfileSearchProblem(const SearchSettings& settings,
                                                             std::span<const ConsoleProfile> profiles,
                                                             TextEncoding encoding);
std::optional<ProfileSearchProblem> findProfileSearchProblem(std::span<const ProfilePart> parts, TextEncoding encoding);

struct ProfileSearchOptions {
  // Those of each profile's search, but: `moments` is not used (each profile's search
  // covers its whole range), and `onProgress` is given the progress of the whole: its
  // lines and boot moments summed over the profiles, its share done (wholeShare) that
  // of the whole; the date and the stage-one seeds are those of the profile searched.
  SearchOptions search = {};
  bool reference = false;  // runReferenceSearch for each profile
  // Called as each profile's search starts, with its index in the list.
  std::function<void(std::size_t)> onProfile = nullptr;
};

struct ProfileSearchSummary {
  // Lines and boot moments summed over the profiles; the level, plan and backend of the
  // last profile searched.
  SearchSummary total;
  std::size_t profilesSearched = 0;  // including one stopped part way
};

// Throws ProfileSearchError before anything is written; lets ResultWriteError through.
ProfileSearchSummary runProfileSearch(const SearchSettings& settings, std::span<const ConsoleProfile> profiles,
                                      ResultSink& sink, const ProfileSearchOptions& options = {});
ProfileSearchSummary runProfileSearch(std::span<const ProfilePart> parts, ResultSink& sink,
                                      const ProfileSearchOptions& options = {});

}  // namespace hanabira
