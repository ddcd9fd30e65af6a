#include "engine/profile_search.h"

#include <fmt/format.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "engine/boot_moment_space.h"
#include "engine/settings_validation.h"
#include "evaluate/search_modes.h"
#include "i18n/translate.h"
#include "vocab/cp932.h"

namespace hanabira {
namespace {

// The header a profile's own search writes, which the whole writes once.
std::string headerOf(const SearchSettings& settings, TextEncoding encoding) {
  const ResultText text(selectedMode(settings).columnsIn(settings.resultLanguage), settings.keyInputEnabled, encoding,
                        searchesParameterRanges(settings), settings.resultLanguage, resultColumnChoices(settings));
  return text.header();
}

std::optional<ProfileSearchProblem> nameProblem(const std::string& name, TextEncoding encoding) {
  using Kind = ProfileSearchProblem::Kind;
  if (name.find_first_of(",\r\n") != std::string::npos) {
    return ProfileSearchProblem{Kind::NameSeparator, name, std::nullopt, {}};
  }
  if (encoding == TextEncoding::Cp932) {
    try {
      utf8ToCp932(name);
    } catch (const std::runtime_error&) {
      return ProfileSearchProblem{Kind::NameEncoding, name, std::nullopt, {}};
    }
  }
  return std::nullopt;
}

std::string encodedName(std::string_view name, TextEncoding encoding) {
  return encoding == TextEncoding::Cp932 ? utf8ToCp932(name) : std::string(name);
}

// Puts the profile's name before every line of its search. The first line, the header,
// is led by the profile column where the whole writes it, and left out elsewhere.
class PrefixingSink final : public ResultSink {
 public:
  // `headerPrefix`: none leaves the header out.
  PrefixingSink(ResultSink& target, std::string linePrefix, std::optional<std::string> headerPrefix)
      : target_(target), linePrefix_(std::move(linePrefix)), headerPrefix_(std::move(headerPrefix)) {}

  void write(std::string_view bytes) override {
    std::string out;
    while (!bytes.empty()) {
      const std::size_t end = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
      if (!inHeader_ || headerPrefix_) {
        if (atLineStart_) out += inHeader_ ? *headerPrefix_ : linePrefix_;
        out += bytes.substr(0, end);
      }
      atLineStart_ = bytes[end - 1] == '\n';
      inHeader_ = inHeader_ && !atLineStart_;
      bytes.remove_prefix(end);
    }
    if (!out.empty()) target_.write(out);
  }

 private:
  ResultSink& target_;
  std::string linePrefix_;
  std::optional<std::string> headerPrefix_;
  bool atLineStart_ = true;
  bool inHeader_ = true;
};

// The whole's progress from that of the part searched now.
struct WholeProgress {
  std::uint64_t momentsBefore = 0;
  std::uint64_t candidatesBefore = 0;
  std::uint64_t momentsTotal = 0;
  std::uint64_t partMoments = 0;

  SearchProgress of(SearchProgress part) const {
    const double total = momentsTotal == 0 ? 1.0 : static_cast<double>(momentsTotal);
    const double partShare = part.shareDone();
    part.wholeShare = momentsTotal == 0
                          ? partShare
                          : (static_cast<double>(momentsBefore) + partShare * static_cast<double>(partMoments)) / total;
    part.momentsDone += momentsBefore;
    part.momentsTotal = momentsTotal;
    part.candidates += candidatesBefore;
    return part;
  }
};

void addPart(SearchSummary& total, const SearchSummary& part) {
  total.mode = part.mode;
  total.isa = part.isa;
  total.plan = part.plan;
  total.backend = part.backend;
  total.candidates += part.candidates;
  total.momentsDone += part.momentsDone;
}

}  // namespace

std::string describe(const ProfileSearchProblem& problem) {
  using Kind = ProfileSearchProblem::Kind;
  switch (problem.kind) {
    case Kind::NoProfiles:
      return "there is no profile to search";
    case Kind::Settings:
      return fmt::format("profile '{}': {}", problem.profile, describe(*problem.settings));
    case Kind::NameSeparator:
      return fmt::format("profile '{}': a name with a comma or a line break cannot lead a result line",
                         problem.profile);
    case Kind::NameEncoding:
      return fmt::format("profile '{}': the name has a character CP932 cannot hold; write the result in UTF-8",
                         problem.profile);
    case Kind::Columns:
      return fmt::format(
          "profile '{}': its lines would have other columns than those of profile '{}' (a range of VCount or "
          "Timer0 in one of them only)",
          problem.profile, problem.firstProfile);
  }
  return {};
}

std::string translatedDescription(const ProfileSearchProblem& problem) {
  using Kind = ProfileSearchProblem::Kind;
  switch (problem.kind) {
    case Kind::NoProfiles:
      return std::string(tr("there is no profile to search"));
    case Kind::Settings:
      return trf("profile '{}': {}", problem.profile, describe(*problem.settings));
    case Kind::NameSeparator:
      return trf("profile '{}': a name with a comma or a line break cannot lead a result line", problem.profile);
    case Kind::NameEncoding:
      return trf(
          "profile '{}': the name has a character CP932 cannot hold; write the result in UTF-8 "
          "(--encoding utf-8)",
          problem.profile);
    case Kind::Columns:
      return trf(
          "profile '{}': its lines would have other columns than those of profile '{}' (a range of VCount or "
          "Timer0 in one of them only)",
          problem.profile, problem.firstProfile);
  }
  return describe(problem);
}

SearchSettings profileSettings(const SearchSettings& settings, const ConsoleProfile& profile) {
  SearchSettings applied = settings;
  applyProfile(profile, applied);
  return applied;
}

std::vector<ProfilePart> profileParts(const SearchSettings& settings, std::span<const ConsoleProfile> profiles) {
  std::vector<ProfilePart> parts;
  for (const ConsoleProfile& profile : profiles) parts.push_back({profile.name, profileSettings(settings, profile)});
  return parts;
}

std::optional<ProfileSearchProblem> findProfileSearchProblem(const SearchSettings& settings,
                                                             std::span<const ConsoleProfile> profiles,
                                                             TextEncoding encoding) {
  return findProfileSearchProblem(profileParts(settings, profiles), encoding);
}

std::optional<ProfileSearchProblem> findProfileSearchProblem(std::span<const ProfilePart> parts,
                                                             TextEncoding encoding) {
  using Kind = ProfileSearchProblem::Kind;
  if (parts.empty()) return ProfileSearchProblem{Kind::NoProfiles, {}, std::nullopt, {}};
  std::string firstHeader;
  for (const ProfilePart& part : parts) {
    if (auto problem = nameProblem(part.name, encoding)) return problem;
    if (auto problem = findSettingsProblem(part.settings)) {
      return ProfileSearchProblem{Kind::Settings, part.name, std::move(problem), {}};
    }
    const std::string header = headerOf(part.settings, encoding);
    if (&part == &parts.front()) firstHeader = header;
    if (header != firstHeader) {
      return ProfileSearchProblem{Kind::Columns, part.name, std::nullopt, parts.front().name};
    }
  }
  return std::nullopt;
}

ProfileSearchSummary runProfileSearch(const SearchSettings& settings, std::span<const ConsoleProfile> profiles,
                                      ResultSink& sink, const ProfileSearchOptions& options) {
  return runProfileSearch(profileParts(settings, profiles), sink, options);
}

ProfileSearchSummary runProfileSearch(std::span<const ProfilePart> parts, ResultSink& sink,
                                      const ProfileSearchOptions& options) {
  const TextEncoding encoding = options.search.encoding;
  if (auto problem = findProfileSearchProblem(parts, encoding)) throw ProfileSearchError(*problem);

  std::vector<std::uint64_t> partMoments;
  WholeProgress whole;
  for (const ProfilePart& part : parts) {
    partMoments.push_back(BootMomentSpace(part.settings).size());
    whole.momentsTotal += partMoments.back();
  }

  const std::string columnPrefix =
      encodedName(profileColumnName(parts.front().settings.resultLanguage), encoding) + ",";
  ProfileSearchSummary summary;
  summary.total.momentsTotal = whole.momentsTotal;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (options.onProfile) options.onProfile(i);
    PrefixingSink prefixed(sink, encodedName(parts[i].name, encoding) + ",",
                           i == 0 ? std::optional(columnPrefix) : std::nullopt);
    SearchOptions partOptions = options.search;
    partOptions.moments = {};
    whole.partMoments = partMoments[i];
    if (options.search.onProgress) {
      partOptions.onProgress = [&](const SearchProgress& part) { options.search.onProgress(whole.of(part)); };
    }
    const SearchSummary part = options.reference ? runReferenceSearch(parts[i].settings, prefixed, partOptions)
                                                 : runSearch(parts[i].settings, prefixed, partOptions);
    addPart(summary.total, part);
    ++summary.profilesSearched;
    // A part that stopped short was stopped, whether or not it saw the stop itself.
    summary.total.cancelled = part.cancelled || part.momentsDone < partMoments[i];
    if (summary.total.cancelled) break;
    whole.momentsBefore += partMoments[i];
    whole.candidatesBefore += part.candidates;
  }
  return summary;
}

}  // namespace hanabira
