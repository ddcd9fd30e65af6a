#include "core/key_input.h"

#include "core/boot_moment.h"

namespace hanabira {

bool isKeyMaskSearched(const SearchSettings& settings, int keyMask) {
  if (!settings.keyInputEnabled) return keyMask == noKeysHeld;
  for (int key = 0; key < 10; ++key) {
    const bool held = (keyMask & (1 << key)) == 0;
    if (held && !settings.keyAllowed[key]) return false;
  }
  if (settings.excludeOppositeAndReset) {
    const bool rightAndLeft = (keyMask & 0x30) == 0;
    const bool upAndDown = (keyMask & 0xC0) == 0;
    const bool softReset = (keyMask & 0x0C) == 0 && (keyMask & 0x300) == 0;
    if (rightAndLeft || upAndDown || softReset) return false;
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
