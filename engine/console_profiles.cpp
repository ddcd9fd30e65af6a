#include "engine/console_profiles.h"

#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "core/field_text.h"
#include "core/whole_file.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

using json = nlohmann::ordered_json;

// Longer names would not fit the window's choice box, nor read well as a column.
constexpr std::size_t maxNameBytes = 64;

// Thrown inside the parser with what is wrong; caught once, where the profile is known.
struct FieldProblem {
  std::string what;
};

[[noreturn]] void fail(std::string_view field, std::string_view what) {
  throw FieldProblem{fmt::format("{}: {}", field, what)};
}

// "0x10F5", or a JSON number from 0 to 0xFFFFFFFF.
std::uint32_t readWord(std::string_view field, const json& value) {
  if (value.is_string()) {
    if (const auto word = parseHexText(value.get_ref<const std::string&>())) return *word;
  } else if (value.is_number_unsigned() && value.get<std::uint64_t>() <= 0xFFFFFFFFu) {
    return static_cast<std::uint32_t>(value.get<std::uint64_t>());
  }
  fail(field, tr("expected hexadecimal text of 1 to 8 digits"));
}

int readFrame(const json& value) {
  if (value.is_number_integer()) {
    const std::int64_t frame = value.get<std::int64_t>();
    if (frame >= std::numeric_limits<int>::min() && frame <= std::numeric_limits<int>::max()) {
      return static_cast<int>(frame);
    }
  }
  fail("frame", tr("expected a whole number"));
}

const json& required(const json& object, const char* field) {
  const auto found = object.find(field);
  if (found == object.end()) fail(field, tr("missing"));
  return *found;
}

std::optional<ParameterRange> readRange(const json& object, const char* field) {
  const auto found = object.find(field);
  if (found == object.end()) return std::nullopt;
  if (!found->is_array() || found->size() != 2) fail(field, tr("expected a list of two values, the lowest first"));
  const ParameterRange range{readWord(field, (*found)[0]), readWord(field, (*found)[1])};
  if (range.max < range.min) fail(field, tr("expected a list of two values, the lowest first"));
  return range;
}

std::optional<Edition> readEdition(const json& object) {
  const auto found = object.find("edition");
  if (found == object.end()) return std::nullopt;
  if (found->is_string()) {
    const std::string& text = found->get_ref<const std::string&>();
    const std::size_t first = text.find(',');
    const std::size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second != std::string::npos) {
      const auto game = gameFromKey(std::string_view(text).substr(0, first));
      const auto language = languageFromKey(std::string_view(text).substr(first + 1, second - first - 1));
      const auto console = consoleFromKey(std::string_view(text).substr(second + 1));
      if (game && language && console) return Edition{*game, *language, *console};
    }
  }
  fail("edition", tr("expected GAME,LANGUAGE,CONSOLE such as White2,ENG,DSLite"));
}

MacAddress readMac(const json& value) {
  if (value.is_string()) {
    const std::string& text = value.get_ref<const std::string&>();
    MacAddress mac{};
    bool good = text.size() == 17;
    for (std::size_t k = 0; good && k < 6; ++k) {
      const std::string_view digits = std::string_view(text).substr(3 * k, 2);
      const auto byte = digits.find_first_of("xX") == std::string_view::npos ? parseHexText(digits) : std::nullopt;
      good = byte && (k == 5 || text[3 * k + 2] == '-' || text[3 * k + 2] == ':');
      if (good) mac[k] = static_cast<std::uint8_t>(*byte);
    }
    if (good) return mac;
  }
  fail("macAddress", tr("expected six hexadecimal bytes such as 00-09-BF-12-34-56"));
}

std::vector<CalibratedConsole> readCalibration(const json& object) {
  std::vector<CalibratedConsole> found;
  const auto list = object.find("calibration");
  if (list == object.end()) return found;
  if (!list->is_array()) fail("calibration", tr("expected a list"));
  for (const json& entry : *list) {
    if (!entry.is_object()) fail("calibration", tr("expected a list"));
    found.push_back({readWord("calibration: vcount", required(entry, "vcount")),
                     readWord("calibration: timer0", required(entry, "timer0")), readFrame(required(entry, "frame"))});
  }
  return found;
}

ConsoleProfile readProfile(const json& object) {
  if (!object.is_object()) throw FieldProblem{std::string(tr("expected an object"))};
  ConsoleProfile profile;
  const json& name = required(object, "name");
  if (!name.is_string()) fail("name", tr("expected text"));
  profile.name = name.get<std::string>();
  ConsoleParameters& console = profile.console;
  console.edition = readEdition(object);
  const auto versionWord = object.find("versionWord");
  if (versionWord != object.end()) {
    console.versionWord = readWord("versionWord", *versionWord);
  } else if (console.edition) {
    console.versionWord = editionFacts(*console.edition).words[0];
  } else {
    fail("versionWord", tr("missing"));
  }
  console.mac = readMac(required(object, "macAddress"));
  console.vcount = readWord("vcount", required(object, "vcount"));
  console.timer0 = readWord("timer0", required(object, "timer0"));
  console.gxStat = readWord("gxStat", required(object, "gxStat"));
  console.frame = readFrame(required(object, "frame"));
  console.vcountRange = readRange(object, "vcountRange");
  console.timer0Range = readRange(object, "timer0Range");
  profile.calibration = readCalibration(object);
  return profile;
}

std::string hex(std::uint32_t value) { return fmt::format("0x{:X}", value); }

json profileJson(const ConsoleProfile& profile) {
  const ConsoleParameters& console = profile.console;
  json object = {{"name", profile.name}};
  if (const auto& e = console.edition) {
    object["edition"] = fmt::format("{},{},{}", gameKey(e->game), languageKey(e->language), consoleKey(e->console));
  }
  const MacAddress& m = console.mac;
  object["macAddress"] = fmt::format("{:02X}-{:02X}-{:02X}-{:02X}-{:02X}-{:02X}", m[0], m[1], m[2], m[3], m[4], m[5]);
  object["versionWord"] = hex(console.versionWord);
  object["vcount"] = hex(console.vcount);
  object["timer0"] = hex(console.timer0);
  object["gxStat"] = hex(console.gxStat);
  object["frame"] = console.frame;
  if (const auto& r = console.vcountRange) object["vcountRange"] = {hex(r->min), hex(r->max)};
  if (const auto& r = console.timer0Range) object["timer0Range"] = {hex(r->min), hex(r->max)};
  if (!profile.calibration.empty()) {
    json& list = object["calibration"] = json::array();
    for (const CalibratedConsole& c : profile.calibration) {
      list.push_back({{"vcount", hex(c.vcount)}, {"timer0", hex(c.timer0)}, {"frame", c.frame}});
    }
  }
  return object;
}

bool isUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::string whereProfile(std::size_t index, const json& entry) {
  const auto name = entry.is_object() ? entry.find("name") : entry.end();
  if (entry.is_object() && name != entry.end() && name->is_string()) {
    return trf("profile {} ({})", index + 1, name->get<std::string>());
  }
  return trf("profile {}", index + 1);
}

}  // namespace

std::string describe(const ProfilesProblem& problem) {
  return problem.where.empty() ? problem.what : fmt::format("{}: {}", problem.where, problem.what);
}

ProfilesParse parseProfiles(std::string_view text) {
  json document;
  try {
    document = json::parse(text);
  } catch (const json::exception& error) {
    return {{}, ProfilesProblem{{}, trf("not valid JSON: {}", error.what())}};
  }
  const auto list = document.is_object() ? document.find("profiles") : document.end();
  if (!document.is_object() || list == document.end() || !list->is_array()) {
    return {{}, ProfilesProblem{{}, std::string(tr("expected an object with a list \"profiles\""))}};
  }
  ConsoleProfiles profiles;
  for (std::size_t index = 0; index < list->size(); ++index) {
    const json& entry = (*list)[index];
    try {
      ConsoleProfile profile = readProfile(entry);
      if (auto problem = profileNameProblem(profiles, profile.name)) fail("name", *problem);
      profiles.push_back(std::move(profile));
    } catch (const FieldProblem& problem) {
      return {{}, ProfilesProblem{whereProfile(index, entry), problem.what}};
    }
  }
  return {std::move(profiles), std::nullopt};
}

std::string formatProfiles(std::span<const ConsoleProfile> profiles) {
  json list = json::array();
  for (const ConsoleProfile& profile : profiles) list.push_back(profileJson(profile));
  return json{{"profiles", std::move(list)}}.dump(2) + "\n";
}

const ConsoleProfile* findProfile(std::span<const ConsoleProfile> profiles, std::string_view name) {
  const auto found = std::find_if(profiles.begin(), profiles.end(), [&](const auto& p) { return p.name == name; });
  return found == profiles.end() ? nullptr : &*found;
}

ConsoleProfile* findProfile(ConsoleProfiles& profiles, std::string_view name) {
  const auto found = std::find_if(profiles.begin(), profiles.end(), [&](const auto& p) { return p.name == name; });
  return found == profiles.end() ? nullptr : &*found;
}

std::optional<std::string> profileNameProblem(std::span<const ConsoleProfile> profiles, std::string_view name,
                                              const ConsoleProfile* renaming) {
  if (name.find_first_not_of(' ') == std::string_view::npos) return std::string(tr("a profile needs a name"));
  if (name.size() > maxNameBytes || !isUtf8(name)) {
    return trf("a profile's name is at most {} bytes of text", maxNameBytes);
  }
  // The result file separates its columns with commas, and a line ends at CR or LF.
  const bool separator = std::any_of(
      name.begin(), name.end(), [](char c) { return c == ',' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7F; });
  if (separator) return std::string(tr("a profile's name may not hold a comma or a control character"));
  const ConsoleProfile* same = findProfile(profiles, name);
  if (same != nullptr && same != renaming) return trf("there is a profile named {} already", name);
  return std::nullopt;
}

void applyProfile(const ConsoleProfile& profile, SearchSettings& settings) {
  applyConsoleParameters(profile.console, settings);
  // The console kind is the profile's: a 3DS clears the afternoon flag.
  if (const std::optional<Edition>& edition = profile.console.edition) {
    settings.is3ds = dropsAfternoonFlag(edition->console);
  }
}

ProfilesLoad loadProfilesFile(const std::filesystem::path& path) {
  ProfilesLoad load;
  WholeFileRead read = readWholeFile(path, profilesReadLimit);
  load.found = read.found;
  load.error = read.error;
  if (!read.found || read.error) return load;
  if (read.tooLarge) {
    load.problem = ProfilesProblem{{}, trf("larger than {} MiB", profilesReadLimit >> 20)};
    return load;
  }
  ProfilesParse parsed = parseProfiles(read.text);
  load.profiles = std::move(parsed.profiles);
  load.problem = std::move(parsed.problem);
  return load;
}

std::error_code saveProfilesFile(const std::filesystem::path& path, std::span<const ConsoleProfile> profiles) {
  return replaceWholeFile(path, formatProfiles(profiles));
}

}  // namespace hanabira
