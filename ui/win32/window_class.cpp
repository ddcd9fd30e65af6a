#include "ui/win32/window_class.h"

namespace hanabira {

void registerWindowClass(const wchar_t* name, WNDPROC windowProc, HBRUSH background) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW windowClass{};
  if (GetClassInfoW(instance, name, &windowClass)) return;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassW(&windowClass);
}

HBRUSH dialogBackground() { return reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); }

}  // namespace hanabira
