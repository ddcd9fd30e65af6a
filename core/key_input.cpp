#include "core/key_input.h"

namespace hanabira {
namespace {

constexpr int rightAndLeft = 0x30;
constexpr int upAndDown = 0xC0;
constexpr int selectAndStart = 0x0C;
constexpr int rAndL = 0x300;

// The bits of the keys that may be held.
int allowedKeys(const SearchSettings& settings) {
  int allowed = 0;
  for (int bit = 0; bit < keyMaskBits; ++bit) {
    if (settings.keyAllowed[static_cast<std::size_t>(bit)]) allowed |= 1 << bit;
  }
  if (!settings.keyXYEnabled) allowed &= ~(1 << keyX | 1 << keyY);
  return allowed;
}

}  // namespace

bool isKeyMaskSearched(const SearchSettings& settings, int keyMask) {
  if (!settings.keyInputEnabled) return keyMask == noKeysHeld;
  // The hand's limit comes first: a count of bits is the cheapest test.
  if (settings.keyCountMax && heldKeyCount(keyMask) > *settings.keyCountMax) return false;
  const int held = ~keyMask & noKeysHeld;
  if ((held & ~allowedKeys(settings)) != 0) return false;
  if (settings.excludeOppositeAndReset) {
    const bool softReset = (held & (selectAndStart | rAndL)) == (selectAndStart | rAndL);
    if ((held & rightAndLeft) == rightAndLeft || (held & upAndDown) == upAndDown || softReset) return false;
  }
  return true;
}

std::vector<std::uint16_t> searchedKeyMasks(const SearchSettings& settings) {
  std::vector<std::uint16_t> masks;
  const int first = settings.keyInputEnabled ? 0 : noKeysHeld;
  for (int mask = first; mask <= noKeysHeld; ++mask) {
    if (isKeyMaskSearched(settings, mask)) masks.push_back(static_cast<std::uint16_t>(mask));
  }
  return masks;
}

}  // namespace hanabira
