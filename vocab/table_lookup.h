// The lookup of the name tables: an id is an index into the table.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace hanabira {

// Ids are compared as unsigned numbers, so a negative id is out of range as well.
template <std::size_t N>
std::optional<std::string_view> lookupName(const std::array<std::string_view, N>& table, int id) {
  if (static_cast<unsigned>(id) >= N) return std::nullopt;
  return table[static_cast<std::size_t>(id)];
}

}  // namespace hanabira
