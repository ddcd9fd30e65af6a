// Dialog units: the option dialogs are laid out in units of their font, so that the
// arrangement holds whatever the font's size. A horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its character height.
#pragma once

#include <string_view>

namespace hanabira {

struct PixelRect {
  int x, y, width, height;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
  int width, height;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

class DialogUnits {
 public:
  // The average character width is taken over these 52 letters, the measure the units
  // were defined on; a font's own average counts the full-width characters of a
  // Japanese font too and comes out twice as wide.
  static constexpr std::string_view averagedLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

  // `charWidth` and `charHeight` in pixels.
  constexpr DialogUnits(int charWidth, int charHeight) : charWidth_(charWidth), charHeight_(charHeight) {}

  // From the width of averagedLetters as the font draws them, and its height.
  static constexpr DialogUnits ofFont(int averagedLettersWidth, int charHeight) {
    constexpr int letterCount = static_cast<int>(averagedLetters.size());
    return {(averagedLettersWidth + letterCount / 2) / letterCount, charHeight};
  }

  // Each coordinate and extent is converted on its own, rounded to the nearest pixel
  // (halves up); the layouts have no negative ones.
  constexpr int toPixelsX(int units) const { return (units * charWidth_ + 2) / 4; }
  constexpr int toPixelsY(int units) const { return (units * charHeight_ + 4) / 8; }
  constexpr PixelRect toPixels(int x, int y, int width, int height) const {
    return {toPixelsX(x), toPixelsY(y), toPixelsX(width), toPixelsY(height)};
  }
  constexpr PixelSize toPixels(int width, int height) const { return {toPixelsX(width), toPixelsY(height)}; }

 private:
  int charWidth_;
  int charHeight_;
};

}  // namespace hanabira
