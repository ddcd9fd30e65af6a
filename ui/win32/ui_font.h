// The Windows system font for Japanese text: "Yu Gothic UI" where it is installed (Windows
// 8.1 and later), "Meiryo UI" (Vista to 8), "MS UI Gothic" before that.
#pragma once

#include <windows.h>

#include <string>

namespace hanabira {

// The first of the three that the system has; the last when it has none, which the
// font mapper then replaces as it can.
const std::wstring& uiFontFace();

// Owns a font of that face.
class UiFont {
 public:
  explicit UiFont(int pixelHeight, bool bold = false);
  ~UiFont();
  UiFont(const UiFont&) = delete;
  UiFont& operator=(const UiFont&) = delete;

  HFONT handle() const { return font_; }

 private:
  HFONT font_;
};

// The option dialogs' font: 8 points, 11 pixels on a 96-dpi screen.
inline constexpr int dialogFontPoints = 8;

}  // namespace hanabira
