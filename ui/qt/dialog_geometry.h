// The option dialogs' dialog units (ui/model/dialog_units.h) for a Qt font, and their
// pixel rectangles as Qt's.
#pragma once

#include <QRect>
#include <QSize>

#include "ui/model/dialog_units.h"

class QFontMetrics;

namespace hanabira {

DialogUnits dialogUnitsOf(const QFontMetrics& metrics);

inline QRect toQRect(const PixelRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }
inline QSize toQSize(const PixelSize& size) { return {size.width, size.height}; }

}  // namespace hanabira
