#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/settings_json.h"
#include "engine/result_sink.h"
#include "engine/search_engine.h"
#include "engine/settings_validation.h"
#include "ui/model/control_ids.h"
#include "ui/win32/wide_text.h"
#include "window_driver.h"

namespace hanabira::testing {

void typeExampleMinute(HWND w) {
  type(w, vcountEdit, "60");
  type(w, timer0Edit, "c79");
  type(w, gxStatEdit, "6000000");
  type(w, frameEdit, "8");
  const char* mac[] = {"00", "11", "22", "33", "44", "55"};
  for (int k = 0; k < 6; ++k) type(w, macEdits + k, mac[k]);
  const int dates[] = {startYearEdit, startMonthEdit, startDayEdit, endYearEdit, endMonthEdit, endDayEdit};
  const char* typed[] = {"11", "9", "27", "11", "9", "27"};
  for (int k = 0; k < 6; ++k) type(w, dates[k], typed[k]);
  type(w, startHourEdit, "13");
  type(w, endHourEdit, "13");
  type(w, startMinuteEdit, "47");
  type(w, endMinuteEdit, "47");
  setChecked(w, keyInputCheck, true);
}

std::string searchedResult(const std::string& settingsJson) {
  SettingsFromJson loaded = settingsFromJson(parseSettingsText(settingsJson), SearchSettings{});
  if (!loaded.messageWordsGiven) applyMacAddress(loaded.settings, loaded.mac.value_or(MacAddress{}));
  clampPidConsumption(loaded.settings);
  StringSink result;
  runSearch(loaded.settings, result);
  return result.text();
}

void expectSameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return;
  const auto [differs, _] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  const auto lineStart = actual.rfind('\n', static_cast<std::size_t>(differs - actual.begin()));
  const std::size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
  ADD_FAILURE() << actual.size() << " bytes instead of " << expected.size() << "; the first line that differs:\n"
                << actual.substr(from, 120) << "\ninstead of\n"
                << expected.substr(from, 120);
}

std::string searchBarText(HWND window) {
  // The bar is the window's one child without an id.
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == 0) return windowText(child);
  }
  return {};
}

}  // namespace hanabira::testing
