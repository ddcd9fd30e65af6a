// Personality values (PIDs) and when they are shiny: how the game turns a value of the
// personality-value random sequence into a PID for each kind of encounter.
#pragma once

#include <cstdint>

#include "core/kernels.h"
#include "evaluate/iv_rules.h"

namespace hanabira {

// Kinds of encounter, as SearchSettings::shinyEncounterKind numbers them.
inline constexpr int hatchedEncounter = 1;
inline constexpr int roamingEncounter = 2;
inline constexpr int stationaryEncounter = 3;

// A nature drawn from a value of the sequence: one of 25.
constexpr int natureOf(std::uint32_t r) { return static_cast<int>(scaledRandom(r, 25)); }

// Eggs scale the value to 0 .. 0xFFFFFFFE: floor(r * 0xFFFFFFFF / 2^32) is r - 1, and 0
// for r = 0.
constexpr std::uint32_t eggPid(std::uint32_t r) { return r == 0 ? 0 : r - 1; }

// A stationary encounter flips bit 16, and bit 31 too unless bits 31 and 0 agree.
constexpr std::uint32_t stationaryPid(std::uint32_t r) {
  return ((r >> 31) == (r & 1)) ? r ^ 0x00010000u : r ^ 0x80010000u;
}

constexpr std::uint32_t encounterPid(std::uint32_t r, int kind) {
  switch (kind) {
    case hatchedEncounter:
      return eggPid(r);
    case roamingEncounter:
      return r;
    default:
      return stationaryPid(r);
  }
}

// The XOR of the two identification numbers, which every shiny test reads.
constexpr std::uint32_t trainerShinyValue(std::uint16_t trainerId, std::uint16_t secretId) {
  return static_cast<std::uint32_t>(trainerId ^ secretId);
}

// ID correction sets bit 31 of the PID to bit 0 of (trainer value XOR PID).
constexpr std::uint32_t withIdCorrection(std::uint32_t pid, std::uint32_t trainerValue) {
  return (pid & 0x7FFFFFFFu) | (((trainerValue ^ pid) & 1u) << 31);
}

// Shiny when the two halves of the PID and the identification numbers XOR to at most 7.
constexpr bool isShiny(std::uint32_t pid, std::uint32_t trainerValue) {
  return (trainerValue ^ (pid >> 16) ^ (pid & 0xFFFFu)) <= 7;
}

// The same test, isShiny(withIdCorrection?(encounterPid(r, kind))), as the kernels take
// it, on the value at `rowOffset`. A stationary encounter's bit 31 is bit 0 of the value
// whichever way it flips, and its flip of bit 16 changes only bit 0 of the halves' XOR,
// which no threshold of 7 sees; ID correction makes bit 31 bit 0 of the PID XOR that of
// the trainer value.
constexpr HalvesTest shinyTest(int kind, bool idCorrection, std::uint32_t trainerValue, int rowOffset) {
  const bool stationary = kind != hatchedEncounter && kind != roamingEncounter;  // as encounterPid
  const std::uint32_t pattern = idCorrection ? trainerValue ^ (trainerValue & 1) << 15 : trainerValue;
  return {rowOffset, kind == hatchedEncounter, stationary || idCorrection, static_cast<std::uint16_t>(pattern)};
}

}  // namespace hanabira
