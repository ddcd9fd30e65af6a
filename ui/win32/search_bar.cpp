#include "ui/win32/search_bar.h"

#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

constexpr wchar_t className[] = L"HanabiraSearchBar";
// Window extra bytes: the bar's value, then its font.
constexpr int valueSlot = 0;
constexpr int fontSlot = sizeof(LONG_PTR);

void paint(HWND bar) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(bar, &paint);
  RECT area;
  GetClientRect(bar, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(dc, &area, GetSysColorBrush(COLOR_BTNSHADOW));
  RECT done = area;
  InflateRect(&done, -1, -1);
  const auto value = static_cast<int>(GetWindowLongPtrW(bar, valueSlot));
  done.right = done.left + MulDiv(done.right - done.left, value, progressBarSteps);
  FillRect(dc, &done, GetSysColorBrush(COLOR_HIGHLIGHT));

  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(bar)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(bar, text.data(), static_cast<int>(text.size()))));
  const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(bar, fontSlot));
  const HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previous);
  EndPaint(bar, &paint);
}

LRESULT CALLBACK barProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint(bar);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(bar, message, wParam, lParam);
      InvalidateRect(bar, nullptr, FALSE);
      return result;
    }
    default:
      return DefWindowProcW(bar, message, wParam, lParam);
  }
}

void registerClass() {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = barProc;
    windowClass.cbWndExtra = 2 * sizeof(LONG_PTR);
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND createSearchBar(HWND parent, int x, int y, int width, int height, HFONT font) {
  registerClass();
  const HWND bar = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(bar, fontSlot, reinterpret_cast<LONG_PTR>(font));
  return bar;
}

void showOnSearchBar(HWND bar, const ProgressBarState& state) {
  SetWindowLongPtrW(bar, valueSlot, state.value);
  SetWindowTextW(bar, wideFromUtf8(state.text).c_str());
  InvalidateRect(bar, nullptr, FALSE);
}

}  // namespace hanabira
