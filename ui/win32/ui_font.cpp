#include "ui/win32/ui_font.h"

#include <array>

namespace hanabira {
namespace {

bool isInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(
      screen, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM result) -> int {
        *reinterpret_cast<bool*>(result) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace

const std::wstring& uiFontFace() {
  static const std::wstring face = [] {
    constexpr std::array faces = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic"};
    for (const wchar_t* candidate : faces) {
      if (isInstalled(candidate)) return std::wstring(candidate);
    }
    return std::wstring(faces.back());
  }();
  return face;
}

UiFont::UiFont(int pixelHeight, bool bold)
    : font_(CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        uiFontFace().c_str())) {}

UiFont::~UiFont() { DeleteObject(font_); }

}  // namespace hanabira
