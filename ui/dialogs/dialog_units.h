// Dialog units: the option dialogs are laid out in units of their font, so that the
// arrangement holds whatever the font's size. A horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its character height.
#pragma once

#include <QRect>
#include <QSize>

class QFontMetrics;

namespace hanabira {

class DialogUnits {
 public:
  // `charWidth` and `charHeight` in pixels.
  constexpr DialogUnits(int charWidth, int charHeight) : charWidth_(charWidth), charHeight_(charHeight) {}

  // The average character width is taken over the 52 Latin letters, the measure these
  // units were defined on; a font's own average counts the full-width characters of a
  // Japanese font too and comes out twice as wide.
  static DialogUnits of(const QFontMetrics& metrics);

  // Each coordinate and extent is converted on its own, rounded to the nearest pixel
  // (halves up); the layouts have no negative ones.
  constexpr int toPixelsX(int units) const { return (units * charWidth_ + 2) / 4; }
  constexpr int toPixelsY(int units) const { return (units * charHeight_ + 4) / 8; }
  QRect toPixels(int x, int y, int width, int height) const {
    return {toPixelsX(x), toPixelsY(y), toPixelsX(width), toPixelsY(height)};
  }
  QSize toPixels(int width, int height) const { return {toPixelsX(width), toPixelsY(height)}; }

 private:
  int charWidth_;
  int charHeight_;
};

}  // namespace hanabira
