// One boot moment: the date and time of the console clock, the keys held, and the
// console's VCount and Timer0 at that boot.
#pragma once

#include <cstdint>

namespace hanabira {

// A key mask is active low, as the console reads its keys: a 0 bit means the key is
// held. Bits 0 to 9 are the key register (A, B, Select, Start, Right, Left, Up, Down, R,
// L); X and Y, which the console reads apart from it, are bits 10 and 11. The boot
// message's key word carries all twelve.
inline constexpr int keyMaskBits = 12;
inline constexpr int noKeysHeld = (1 << keyMaskBits) - 1;
inline constexpr int keyX = 10;  // bit numbers
inline constexpr int keyY = 11;

struct BootMoment {
  int year = 0;  // 0 to 99 for 2000 to 2099
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 0 = Sunday
  int keyMask = noKeysHeld;
  // Of the search's ranges, for the result line; the seed itself takes them from the
  // settings of the boot (SearchSettings::vcount and timer0).
  std::uint32_t vcount = 0;
  std::uint32_t timer0 = 0;

  friend bool operator==(const BootMoment&, const BootMoment&) = default;
};

}  // namespace hanabira
