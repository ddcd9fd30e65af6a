#include "engine/rate_text.h"

#include <fmt/format.h>

namespace hanabira {

std::string formatRate(double perSecond, std::string_view unit) {
  if (perSecond >= 1e9) return fmt::format("{:.2f} G{}/s", perSecond / 1e9, unit);
  if (perSecond >= 1e6) return fmt::format("{:.2f} M{}/s", perSecond / 1e6, unit);
  if (perSecond >= 1e3) return fmt::format("{:.0f} k{}/s", perSecond / 1e3, unit);
  return fmt::format("{:.0f} {}/s", perSecond, unit);
}

}  // namespace hanabira
