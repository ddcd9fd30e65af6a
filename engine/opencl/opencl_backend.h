// The OpenCL backend: the GPU computes every moment's seed and the tests of the mode's
// prefilter, as its record describes them, and lists the moments that pass them; the CPU
// evaluates exactly those moments with the mode's own evaluation and writes their lines,
// so the file is the CPU backend's byte for byte. A device error hands the rest of the
// search to the CPU backend, chunk by chunk, so no line is lost or written twice. A mode
// without a prefilter runs on the CPU backend.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search_backend.h"
#include "evaluate/search_modes.h"

namespace hanabira {

// A failed call into OpenCL: a missing device, a lost one, memory it has not got.
class OpenClError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Every device of every platform, in the order --device counts them; none without a
// loader or a platform.
std::vector<BackendDevice> openClDevices();

// The index of the first GPU, or -1.
int bestOpenClDevice(const std::vector<BackendDevice>& devices);

// Whether the device searches `mode`: a mode whose record gives a prefilter.
bool openClServes(const SearchModeDefinition& mode);

class OpenClBackend final : public SearchBackend {
 public:
  // Throws OpenClError when the device cannot be opened. `warn` hears of a device error
  // and of the CPU taking over, once per backend.
  OpenClBackend(int deviceIndex, std::function<void(const std::string&)> warn = {});
  ~OpenClBackend() override;

  std::string_view name() const override { return "opencl"; }
  const BackendDevice* device() const override;
  const SearchBackend& forSearch(const PreparedSearch& search) const override;
  bool fellBack() const override { return fellBack_; }
  // A worker of a search forSearch() gives this backend.
  std::unique_ptr<ChunkEvaluator> makeChunkEvaluator(const PreparedSearch& search) const override;
  std::uint64_t chunkMoments(const PreparedSearch& search) const override;

  // The kernel launches the device has run, for tests.
  std::uint64_t launches() const { return launches_; }
  // For tests: the launch after the next `launches` fails as a lost device would.
  void failAfterLaunches(int launches) { launchesBeforeFailure_ = launches; }

  // Seeds per second of the hash alone over `moments` moments of `search`'s space from
  // its first: the device's ceiling for that message.
  double hashRate(const PreparedSearch& search, std::uint64_t moments) const;

  struct Impl;

 private:
  friend class OpenClChunkEvaluator;
  void fallBack(const std::string& why) const;

  std::unique_ptr<Impl> impl_;
  std::function<void(const std::string&)> warn_;
  mutable std::atomic<std::uint64_t> launches_{0};
  mutable std::atomic<int> launchesBeforeFailure_{-1};
  mutable std::atomic<bool> fellBack_{false};
};

}  // namespace hanabira
