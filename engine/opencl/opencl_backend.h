// The OpenCL backend: the GPU computes every moment's seed and the mode's prefilter and
// lists the moments that pass it; the CPU evaluates exactly those moments with the mode's
// own evaluation and writes their lines, so the file is the CPU backend's byte for byte.
// A device error hands the rest of the search to the CPU backend, chunk by chunk, so no
// line is lost or written twice. Modes without a prefilter run on the CPU backend.
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

namespace hanabira {

// A failed call into OpenCL: a missing device, a lost one, memory it has not got.
class OpenClError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct OpenClDevice {
  std::string name;
  std::string platform;
  bool gpu = false;  // a GPU or another accelerator, not the host's own cores
  unsigned computeUnits = 0;
};

// Every device of every platform, in the order --device counts them; none without a
// loader or a platform.
std::vector<OpenClDevice> openClDevices();

// The index of the first GPU, or -1.
int bestOpenClDevice(const std::vector<OpenClDevice>& devices);

class OpenClBackend final : public SearchBackend {
 public:
  // Throws OpenClError when the device cannot be opened. `warn` hears of a device error
  // and of the CPU taking over, once per backend.
  OpenClBackend(int deviceIndex, std::function<void(const std::string&)> warn = {});
  ~OpenClBackend() override;

  std::string_view name() const override { return "opencl"; }
  const OpenClDevice& device() const;
  std::unique_ptr<ChunkEvaluator> makeChunkEvaluator(const PreparedSearch& search) const override;
  std::uint64_t chunkMoments(const PreparedSearch& search) const override;

  // For tests: the launch after the next `launches` fails as a lost device would.
  void failAfterLaunches(int launches) { launchesBeforeFailure_ = launches; }
  // Whether a device error has sent the rest of the work to the CPU.
  bool fellBack() const { return fellBack_; }

  // Seeds per second of the hash alone over `moments` moments of `search`'s space from
  // its first: the device's ceiling for that message.
  double hashRate(const PreparedSearch& search, std::uint64_t moments) const;

  struct Impl;

 private:
  friend class OpenClChunkEvaluator;
  void fallBack(const std::string& why) const;

  std::unique_ptr<Impl> impl_;
  std::function<void(const std::string&)> warn_;
  mutable std::atomic<int> launchesBeforeFailure_{-1};
  mutable std::atomic<bool> fellBack_{false};
};

}  // namespace hanabira
