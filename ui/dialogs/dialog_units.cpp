#include "ui/dialogs/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace hanabira {

DialogUnits DialogUnits::of(const QFontMetrics& metrics) {
  constexpr int letterCount = 52;
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters + letterCount / 2) / letterCount, metrics.height()};
}

}  // namespace hanabira
