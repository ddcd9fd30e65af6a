#include "web/wasm/web_profile_search.h"

#include <nlohmann/json.hpp>

#include <optional>

#include "core/edition.h"
#include "engine/boot_moment_space.h"
#include "engine/console_profiles.h"
#include "engine/settings_json.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

WebRefusal invalid(const std::string& message) { return WebRefusal(webExitInvalidInput, message); }

// The settings text over the profile's console, which names every value of a console:
// what the text gives stands, the rest is the profile's.
SearchSettings settingsOverProfile(const WebSearchRequest& request, const nlohmann::json& object,
                                   const ConsoleProfile& profile, std::optional<ResultFormat>& format) {
  try {
    SettingsFromJson loaded = settingsFromJson(object, profileSettings(SearchSettings{}, profile));
    if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, loaded.mac.value_or(profile.console.mac));
    // A range of the profile that the text leaves in force and a search refuses.
    if (const std::optional<SettingsProblem> problem = findParameterRangeProblem(loaded.settings)) {
      const bool vcount = problem->field.starts_with("vcount");
      if (!object.contains(vcount ? "vcountMin" : "timer0Min"))
        throw invalid(trf("profile '{}': {}", profile.name, describe(*problem)));
    }
    format = loaded.resultFormat;
    return loaded.settings;
  } catch (const SettingsFileError& error) {
    throw invalid(trf("settings file '{}': {}", request.settingsName, error.what()));
  }
}

ConsoleProfiles profilesOf(const WebProfileRequest& request) {
  ProfilesParse parsed = parseProfiles(request.profilesJson);
  if (parsed.problem) throw invalid(trf("profiles file '{}': {}", request.profilesName, describe(*parsed.problem)));
  if (parsed.profiles.empty()) throw invalid(trf("profiles file '{}' holds no profile", request.profilesName));
  return std::move(parsed.profiles);
}

}  // namespace

WebProfileSearch::WebProfileSearch(const WebProfileRequest& request) : profilesName_(request.profilesName) {
  const ConsoleProfiles profiles = profilesOf(request);
  nlohmann::json object;
  try {
    object = parseSettingsText(request.search.settingsJson);
  } catch (const SettingsFileError& error) {
    throw invalid(trf("settings file '{}': {}", request.search.settingsName, error.what()));
  }
  std::optional<ResultFormat> format;
  for (const ConsoleProfile& profile : profiles) {
    parts_.push_back({profile.name, settingsOverProfile(request.search, object, profile, format)});
  }
  format_ = format.value_or(ResultFormat::Txt);
  const TextEncoding encoding = chosenEncoding(request.search, format_, parts_.front().settings.resultLanguage);
  if (auto problem = findProfileSearchProblem(parts_, encoding)) throw invalid(translatedDescription(*problem));
}

std::vector<std::uint64_t> WebProfileSearch::partMoments() const {
  std::vector<std::uint64_t> moments;
  for (const ProfilePart& part : parts_) moments.push_back(BootMomentSpace(part.settings).size());
  return moments;
}

std::vector<std::string> WebProfileSearch::warnings() const {
  std::vector<std::string> lines;
  for (const ProfilePart& part : parts_) {
    for (const SettingsWarning& warning : findSettingsWarnings(part.settings))
      lines.push_back(trf("profile '{}': {}", part.name, describe(warning)));
  }
  return lines;
}

std::unique_ptr<WebSearch> WebProfileSearch::openPart(const WebSearchRequest& request, std::size_t index) const {
  const ProfilePart& part = parts_.at(index);
  return std::make_unique<WebSearch>(request, part.settings, format_, part.name);
}

}  // namespace hanabira
