#include "ui/qt/dialog_geometry.h"

#include <QFontMetrics>

#include "ui/qt/qt_strings.h"

namespace hanabira {

DialogUnits dialogUnitsOf(const QFontMetrics& metrics) {
  return DialogUnits::ofFont(metrics.horizontalAdvance(toQString(DialogUnits::averagedLetters)), metrics.height());
}

}  // namespace hanabira
