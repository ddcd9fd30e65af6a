// The settings file of hanabira-cli as any bytes: it loads, or fails with a
// SettingsFileError that names the field at fault (or says the text is not JSON); never
// any other exception, never a crash. Settings that load print as JSON that loads back
// as the same settings, and their refusals and warnings are told without overflow.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "engine/settings_json.h"
#include "engine/settings_validation.h"
#include "engine/settings_warnings.h"
#include "fuzz_support.h"

namespace hanabira::fuzz {
namespace {

// The fields the settings file knows: those it prints (with everything set that prints
// only when set), and the address.
bool isKnownField(std::string_view name) {
  static const nlohmann::ordered_json printed = [] {
    SearchSettings everything;
    everything.edition = Edition{Game::Black, Language::Japanese, ConsoleKind::Ds};
    everything.vcountRange = everything.timer0Range = ParameterRange{};
    everything.resultLanguage = ResultLanguage::English;
    everything.keyXYEnabled = true;
    everything.keyAllowed[keyX] = everything.keyAllowed[keyY] = false;
    everything.keyCountMax = 12;
    everything.ivNumbering = IvNumbering::Players;
    everything.initialAdvances = everything.memoryLink = true;
    return settingsToJson(everything);
  }();
  return name == "macAddress" || printed.contains(name);
}

// "field: ...", "field[3]: ...", or an unknown key of the object.
bool namesAField(std::string_view message, const nlohmann::json& object) {
  if (message.starts_with("not valid JSON: ") || message.starts_with("expected one JSON object of settings, got ")) {
    return true;
  }
  if (message.ends_with(": given twice")) return true;  // a key of the text, which did not parse
  if (message.ends_with(": unknown setting")) {
    for (const auto& item : object.items()) {
      if (!isKnownField(item.key())) return true;
    }
    return false;
  }
  const std::size_t end = message.find_first_of(":[ ");
  return end != std::string_view::npos && isKnownField(message.substr(0, end));
}

}  // namespace
}  // namespace hanabira::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace hanabira;
  using namespace hanabira::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  nlohmann::json object;
  SettingsFromJson loaded;
  try {
    object = parseSettingsText(text);
    loaded = settingsFromJson(object, SearchSettings{});
  } catch (const SettingsFileError& error) {
    const std::string_view message = error.what();
    require(namesAField(message, object), "a settings error names the field at fault");
    require(message.find('\n') == std::string_view::npos, "a settings error is one line");
    return 0;
  } catch (const std::exception& error) {
    fail(std::string("not a SettingsFileError: ") + error.what());
  }

  // As hanabira-cli goes on: the address, then the checks of a search.
  if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, loaded.mac.value_or(MacAddress{}));
  if (const auto problem = findSettingsProblem(loaded.settings)) {
    require(isKnownField(problem->field) && describe(*problem).starts_with(problem->field),
            "a refusal names its field");
  }
  for (const SettingsWarning& warning : findSettingsWarnings(loaded.settings)) {
    require(!describe(warning).empty(), "a warning says something");
  }

  const nlohmann::ordered_json printed = settingsToJson(loaded.settings);
  try {
    const SettingsFromJson again = settingsFromJson(parseSettingsText(printed.dump(2)), SearchSettings{});
    require(again.messageWordsGiven && !again.mac, "printed settings carry the message words");
    require(settingsToJson(again.settings) == printed, "printed settings load back unchanged");
  } catch (const SettingsFileError& error) {
    fail(std::string("printed settings do not load: ") + error.what());
  }
  return 0;
}
