// Stage two of the two-stage plan as a backend: the CPU's workers, each handing the mode's
// exact evaluation only the boot moments whose MT seed passed stage one.
#pragma once

#include <memory>
#include <string_view>

#include "engine/chunk_worker.h"
#include "engine/mt_seed_set.h"
#include "engine/search_backend.h"

namespace hanabira {

class TwoStageBackend final : public SearchBackend {
 public:
  // The members outlive the backend.
  explicit TwoStageBackend(const MtSeedSet& members) : members_(members) {}

  std::string_view name() const override { return "cpu, two-stage"; }
  std::unique_ptr<ChunkEvaluator> makeChunkEvaluator(const PreparedSearch& search) const override {
    return std::make_unique<ChunkWorker>(search, &members_);
  }

 private:
  const MtSeedSet& members_;
};

}  // namespace hanabira
