// The individual-value stage of the IV-based modes: the outputs of the individual-value
// random sequence that the configured positions read, computed per seed only as far as
// read.
#pragma once

#include <cstdint>
#include <vector>

#include "core/initial_seed.h"
#include "core/mt_window.h"
#include "core/search_settings.h"
#include "evaluate/iv_rules.h"

namespace hanabira {

class IvDraws {
 public:
  explicit IvDraws(const SearchSettings& settings);

  // No position in the range: such a search finds nothing.
  bool empty() const { return empty_; }
  int firstPosition() const { return firstPosition_; }
  int lastPosition() const { return lastPosition_; }

  // MT19937 is seeded with the upper half of the initial seed.
  void fill(InitialSeed seed) { window_.fill(static_cast<std::uint32_t>(seed >> 32), outputs_.data()); }

  // The six values drawn at a position of the range, for the seed last filled.
  IvSet at(int position) const {
    return drawIvs(&outputs_[static_cast<std::size_t>(position - window_.first())], roaming_);
  }

 private:
  bool roaming_;
  bool empty_;
  int firstPosition_;
  int lastPosition_;
  MtOutputWindow window_;
  std::vector<std::uint32_t> outputs_;
};

}  // namespace hanabira
