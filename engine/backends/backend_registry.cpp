#include "engine/backends/backend_registry.h"

#include <array>

#include "engine/opencl/opencl_backend.h"

namespace hanabira {
namespace {

bool always() { return true; }
std::vector<BackendDevice> noDevices() { return {}; }
bool never(const BackendRequest&) { return false; }
bool noMode(const SearchModeDefinition&) { return false; }

// The engine's own, which nobody owns.
std::shared_ptr<const SearchBackend> openCpu(const BackendRequest&) {
  return std::shared_ptr<const SearchBackend>(std::shared_ptr<void>(), &cpuBackend());
}

bool openClAvailable() { return !openClDevices().empty(); }

bool openClPreferred(const BackendRequest& request) { return request.device || bestOpenClDevice(openClDevices()) >= 0; }

std::shared_ptr<const SearchBackend> openOpenCl(const BackendRequest& request) {
  const int best = bestOpenClDevice(openClDevices());
  const int device = request.device.value_or(best >= 0 ? best : 0);
  try {
    return std::make_shared<const OpenClBackend>(device, request.deviceFailed);
  } catch (const OpenClError& error) {
    throw BackendError(device, error.what());
  }
}

constexpr std::array<BackendDefinition, 2> rows = {{
    {"cpu", "the CPU", "cpu", always, noDevices, never, noMode, openCpu},
    {"opencl", "OpenCL", "opencl (a GPU, or another OpenCL device)", openClAvailable, openClDevices, openClPreferred,
     openClServes, openOpenCl},
}};

}  // namespace

std::span<const BackendDefinition> backends() { return rows; }

const BackendDefinition& cpuBackendRow() { return rows.front(); }

const BackendDefinition* chooseBackend(std::string_view name, const BackendRequest& request) {
  for (const BackendDefinition& row : rows) {
    if (name == automaticBackendName ? row.preferred(request) : row.name == name) return &row;
  }
  return name == automaticBackendName ? &cpuBackendRow() : nullptr;
}

}  // namespace hanabira
