// What the browser's module offers JavaScript for calibration (web/engine/ uses it): the
// sets that explain an observed outcome, found in one call; a worker runs it, and ending
// the worker stops it. A refusal comes back as {ok: false, exitCode, message, errorLine}.
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <fmt/format.h>

#include <new>
#include <string>

#include "engine/player_input.h"
#include "web/wasm/web_calibration.h"
#include "web/wasm/web_search.h"

namespace hanabira {
namespace {

using emscripten::val;

val refusedCalibration(const WebRefusal& refusal) {
  val result = val::object();
  result.set("ok", false);
  result.set("exitCode", refusal.exitCode());
  result.set("message", std::string(refusal.what()));
  result.set("errorLine", refusal.errorLine());
  return result;
}

// {vcount, timer0, frame, year (2000 on), month, day, hour, minute, second, secondsOff,
// keyMask, keys (as the CLI writes them), seed (16 hexadecimal digits), position (-1 for
// a seed)}.
val matchObject(const CalibrationMatch& match) {
  val object = val::object();
  object.set("vcount", match.vcount);
  object.set("timer0", match.timer0);
  object.set("frame", match.frame);
  object.set("year", 2000 + match.moment.year);
  object.set("month", match.moment.month);
  object.set("day", match.moment.day);
  object.set("hour", match.moment.hour);
  object.set("minute", match.moment.minute);
  object.set("second", match.moment.second);
  object.set("secondsOff", match.secondsOff);
  object.set("keyMask", match.moment.keyMask);
  object.set("keys", keysText(match.moment.keyMask));
  object.set("seed", fmt::format("{:016X}", match.seed));
  object.set("position", match.position);
  return object;
}

// request: {settingsJson, settingsName, secondsAround, seed ('' to match the values)}:
// {ok, matches (most likely first), warnings}.
val calibrationResult(val request) {
  try {
    const WebCalibration found =
        calibrateConsole({request["settingsJson"].as<std::string>(), request["settingsName"].as<std::string>(),
                          request["secondsAround"].as<int>(), request["seed"].as<std::string>()});
    val matches = val::array();
    for (const CalibrationMatch& match : found.matches) matches.call<void>("push", matchObject(match));
    val warnings = val::array();
    for (const std::string& warning : found.warnings) warnings.call<void>("push", warning);
    val result = val::object();
    result.set("ok", true);
    result.set("matches", matches);
    result.set("warnings", warnings);
    return result;
  } catch (const WebRefusal& refusal) {
    return refusedCalibration(refusal);
  } catch (const std::bad_alloc&) {
    return refusedCalibration(WebRefusal::outOfMemory());
  }
}

}  // namespace
}  // namespace hanabira

EMSCRIPTEN_BINDINGS(hanabira_calibration) { emscripten::function("calibrateConsole", &hanabira::calibrationResult); }
