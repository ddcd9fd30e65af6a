#include "window_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/win32/text_prompt.h"
#include "ui/win32/wide_text.h"
#include "window_driver.h"

namespace hanabira::testing {

void play(HWND parent, const ControlSteps& steps) {
  for (const ControlStep& step : steps) {
    switch (step.action) {
      case ControlStep::Action::Type:
        type(parent, step.id, step.text);
        break;
      case ControlStep::Action::Click:
        click(parent, step.id);
        break;
      case ControlStep::Action::Check:
        setChecked(parent, step.id, true);
        break;
      case ControlStep::Action::Choose:
        choose(parent, step.id, step.text);
        break;
      case ControlStep::Action::Command:
        // The question the command asks is answered once its dialog is open.
        whenDialogOpens([text = step.text](HWND dialog) {
          type(dialog, promptTextField, text);
          click(dialog, IDOK);
        });
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(step.id, BN_CLICKED), 0);
        EXPECT_TRUE(dialogActed()) << step.id;
        break;
    }
  }
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
