// The entry points of a search over every profile and of the moments around a hit (the
// search of one profile's part itself opens through openSearch, given profilesJson).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>

#include "i18n/translate.h"
#include "web/wasm/js_outcome.h"
#include "web/wasm/web_neighbours.h"
#include "web/wasm/web_profile_search.h"

namespace hanabira {
namespace {

using emscripten::val;

WebProfileRequest profileRequest(const val& request) {
  return {js::searchRequest(request), request["profilesJson"].as<std::string>(),
          request["profilesName"].as<std::string>()};
}

std::optional<std::string> optionalText(const val& value) {
  if (value.isUndefined() || value.isNull()) return std::nullopt;
  return value.as<std::string>();
}

// request: that of openSearch with {profilesJson, profilesName}: {ok, profiles (names),
// partMoments, warnings, format}, or the CLI's refusal.
val checkProfileSearch(val request) {
  return js::reportingRefusals([&] {
    const WebProfileSearch search(profileRequest(request));
    val result = val::object();
    result.set("ok", true);
    val names = val::array();
    val moments = val::array();
    for (const ProfilePart& part : search.parts()) names.call<void>("push", part.name);
    for (const std::uint64_t count : search.partMoments()) moments.call<void>("push", static_cast<double>(count));
    result.set("profiles", names);
    result.set("partMoments", moments);
    result.set("warnings", js::stringList(search.warnings()));
    result.set("format", std::string(resultFormatName(search.format())));
    return result;
  });
}

// The settings of the search a line came from: the settings text's, or where the line
// names a profile (request's profileName) the text's over that profile's console.
SearchSettings settingsOfLine(const val& request) {
  const WebSearchRequest search = js::searchRequest(request);
  const std::optional<std::string> profileName = optionalText(request["profileName"]);
  if (!profileName) {
    std::optional<ResultFormat> format;
    return settingsOfText(search, format);
  }
  const WebProfileSearch whole(profileRequest(request));
  for (const ProfilePart& part : whole.parts()) {
    if (part.name == *profileName) return part.settings;
  }
  throw WebRefusal(webExitInvalidInput, trf("no profile '{}' in '{}'", *profileName, whole.profilesName()));
}

// request: that of openSearch (and of checkProfileSearch with profileName for a line of
// a search over every profile) with {moment, keys, hitVcount?, hitTimer0?, seconds,
// timer0s, vcounts, positions, keysOneAway}: {ok, bytes (the table), summary, encoding}.
val neighbours(val request) {
  return js::reportingRefusals([&] {
    WebNeighbourRequest asked{settingsOfLine(request),
                              request["encoding"].as<std::string>(),
                              request["isa"].as<std::string>(),
                              request["moment"].as<std::string>(),
                              request["keys"].as<std::string>(),
                              optionalText(request["hitVcount"]),
                              optionalText(request["hitTimer0"]),
                              {}};
    asked.widths.seconds = request["seconds"].as<int>();
    asked.widths.timer0s = request["timer0s"].as<int>();
    asked.widths.vcounts = request["vcounts"].as<int>();
    asked.widths.positions = request["positions"].as<int>();
    asked.widths.keysOneAway = request["keysOneAway"].as<bool>();
    const WebNeighbourTable table = neighbourTable(asked);
    val result = val::object();
    result.set("ok", true);
    result.set("bytes", js::byteArray(table.text));
    result.set("summary", table.summary);
    result.set("encoding", std::string(table.encoding == TextEncoding::Utf8 ? "utf-8" : "cp932"));
    return result;
  });
}

// request: as neighbours' settings, with cells (a line's cells after its profile
// column): {ok, moment, keys, hitVcount?, hitTimer0?}; ok false for a line that names no hit.
val hitOfRow(val request) {
  return js::reportingRefusals([&] {
    const std::optional<WebRowHit> hit =
        hitOfCells(settingsOfLine(request), emscripten::vecFromJSArray<std::string>(request["cells"]));
    val result = val::object();
    result.set("ok", hit.has_value());
    if (!hit) return result;
    result.set("moment", hit->moment);
    result.set("keys", hit->keys);
    if (hit->hitVcount) result.set("hitVcount", *hit->hitVcount);
    if (hit->hitTimer0) result.set("hitTimer0", *hit->hitTimer0);
    return result;
  });
}

}  // namespace
}  // namespace hanabira

EMSCRIPTEN_BINDINGS(hanabira_around) {
  emscripten::function("checkProfileSearch", &hanabira::checkProfileSearch);
  emscripten::function("neighbours", &hanabira::neighbours);
  emscripten::function("hitOfRow", &hanabira::hitOfRow);
}
