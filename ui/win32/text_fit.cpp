#include "ui/win32/text_fit.h"

#include <algorithm>
#include <string>

#include "i18n/translate.h"
#include "ui/win32/wide_text.h"

namespace hanabira {
namespace {

// A closed choice box is about as high as a text field; its design's height is its list's.
RECT designRect(HWND dialog, const DialogControl& control) {
  const int height = control.kind == DialogControlKind::ChoiceBox ? 14 : control.height;
  RECT rect{control.x, control.y, control.x + control.width, control.y + height};
  MapDialogRect(dialog, &rect);
  return rect;
}

}  // namespace

void growToTexts(HWND dialog, std::span<const DialogControl> controls) {
  const HDC dc = GetDC(dialog);
  const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  const int box = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2;
  RECT client;
  GetClientRect(dialog, &client);
  for (const DialogControl& control : controls) {
    if (control.kind != DialogControlKind::CheckBox && control.kind != DialogControlKind::RadioButton) continue;
    const std::wstring text = wideFromUtf8(tr(control.label));
    SIZE size;
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const RECT place = designRect(dialog, control);
    LONG right = client.right;
    for (const DialogControl& other : controls) {
      const RECT next = designRect(dialog, other);
      if (&other != &control && next.top < place.bottom && place.top < next.bottom && next.left > place.left) {
        right = std::min(right, next.left - 1);
      }
    }
    const LONG width =
        std::clamp(box + size.cx, place.right - place.left, std::max(place.right - place.left, right - place.left));
    SetWindowPos(GetDlgItem(dialog, control.id), nullptr, 0, 0, width, place.bottom - place.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
}

}  // namespace hanabira
