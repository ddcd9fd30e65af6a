#include "ui/win32/app.h"

#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include "ui/win32/main_window.h"
#include "ui/win32/option_dialog.h"

namespace hanabira {
namespace {

bool openInViewer(const std::filesystem::path& path) {
  // ShellExecute reports success as a value above 32.
  const auto result =
      reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace

int runHanabira(EditFieldWidth editFieldWidth) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);

  MainWindow window(editFieldWidth);
  installOptionDialogs(window);
  if (resultViewerWanted()) window.setResultViewer(openInViewer);
  window.quitOnClose();
  ShowWindow(window.handle(), SW_SHOWNORMAL);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, the arrow keys of the radio buttons and Enter as in a dialog.
    if (IsDialogMessageW(window.handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace hanabira
