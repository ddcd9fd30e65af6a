// The windows of the program's own classes, each tied to the C++ object that creates it:
// the object passes itself as CreateWindowExW's last argument, gets its handle (window_)
// in WM_NCCREATE, before any other message, and every message then goes to its
// onMessage. A class befriends routeMessages for that.
//
//   registerWindowClass(className, &routeMessages<ResultTableWindow>, dialogBackground());
//   CreateWindowExW(0, className, ..., this);
#pragma once

#include <windows.h>

namespace hanabira {

// Registers class `name` of this program once; later calls find it registered.
void registerWindowClass(const wchar_t* name, WNDPROC windowProc, HBRUSH background);
// The colour of dialogs, behind the controls of the program's other windows.
HBRUSH dialogBackground();

template <class Window>
LRESULT CALLBACK routeMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Window*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self != nullptr ? self->onMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace hanabira
