// The speed of a search as every front end writes it in its summary.
#pragma once

#include <string>
#include <string_view>

namespace hanabira {

// "2.63 Mseeds/s", "950 kseeds/s", "12 seeds/s": a count per second, short.
std::string formatRate(double perSecond, std::string_view unit);

}  // namespace hanabira
