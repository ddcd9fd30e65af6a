// How entry points hand outcomes to JavaScript: failures as objects, never as exceptions,
// so that JavaScript reads every outcome alike: {ok: false, exitCode, message, errorLine}.
#pragma once

#include <emscripten/val.h>

#include <new>
#include <string>
#include <vector>

#include "web/wasm/web_search.h"

namespace hanabira::js {

inline emscripten::val refused(const WebRefusal& refusal) {
  emscripten::val result = emscripten::val::object();
  result.set("ok", false);
  result.set("exitCode", refusal.exitCode());
  result.set("message", std::string(refusal.what()));
  result.set("errorLine", refusal.errorLine());
  return result;
}

// Runs `work`, turning what the CLI would end with into a refusal.
template <typename Work>
emscripten::val reportingRefusals(Work work) {
  try {
    return work();
  } catch (const WebRefusal& refusal) {
    return refused(refusal);
  } catch (const std::bad_alloc&) {
    return refused(WebRefusal::outOfMemory());
  }
}

inline emscripten::val stringList(const std::vector<std::string>& strings) {
  emscripten::val list = emscripten::val::array();
  for (const std::string& text : strings) list.call<void>("push", text);
  return list;
}

// A copy of `bytes` as a Uint8Array: the C++ memory goes.
inline emscripten::val byteArray(const std::string& bytes) {
  const emscripten::val view(
      emscripten::typed_memory_view(bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data())));
  return emscripten::val::global("Uint8Array").new_(view);
}

// request: {settingsJson, settingsName, encoding ('' for the result language's), isa}.
inline WebSearchRequest searchRequest(const emscripten::val& request) {
  return {request["settingsJson"].as<std::string>(), request["settingsName"].as<std::string>(),
          request["encoding"].as<std::string>(), request["isa"].as<std::string>()};
}

}  // namespace hanabira::js
