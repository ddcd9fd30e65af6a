// One boot moment: the date and time of the console clock and the keys held.
#pragma once

#include <cstdint>

namespace hanabira {

// The key register is active low: a 0 bit means the key is held. Bits from 0 up:
// A, B, Select, Start, Right, Left, Up, Down, R, L.
inline constexpr int noKeysHeld = 0x3FF;

struct SearchCursor {
  int year = 0;  // 0 to 99 for 2000 to 2099
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 0 = Sunday
  int keyMask = noKeysHeld;
};

}  // namespace hanabira
