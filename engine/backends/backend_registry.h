// The backends this build has, one row each, as the kernel levels are one table: the name
// --backend and the window choose a backend by, whether this machine can run it, the
// modes its device searches, and how to open it. Every search of a mode its device does
// not search runs on the CPU. A new backend is a folder of its own beside engine/opencl
// and its row here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search_backend.h"
#include "evaluate/search_modes.h"

namespace hanabira {

struct BackendRequest {
  // The device, numbered as the row's devices() lists them; none: the backend's choice
  // (the first GPU, else the first device).
  std::optional<int> device;
  // Hears once of a device that fails during a search; the CPU then searches the rest.
  std::function<void(const std::string& why)> deviceFailed;
};

// A backend that cannot be opened: no loader, no such device, a device that will not
// answer.
class BackendError : public std::runtime_error {
 public:
  BackendError(int device, const std::string& what) : std::runtime_error(what), device_(device) {}
  int device() const { return device_; }  // the one it tried

 private:
  int device_;
};

struct BackendDefinition {
  std::string_view name;   // as --backend takes it, and the backend's name()
  std::string_view title;  // in messages: "OpenCL"
  std::string_view help;   // for --backend's help: "opencl (a GPU, or another OpenCL device)"
  // Whether this machine can run it.
  bool (*available)();
  // The devices it can search on, in the order a request numbers them; empty for the CPU.
  std::vector<BackendDevice> (*devices)();
  // Whether `auto` takes it for `request`: for a device, a GPU, or the device the request
  // names.
  bool (*preferred)(const BackendRequest& request);
  // Whether its device searches `mode`; none does for the CPU.
  bool (*servesOnDevice)(const SearchModeDefinition& mode);
  // Throws BackendError.
  std::shared_ptr<const SearchBackend> (*open)(const BackendRequest& request);
};

// Every backend, the CPU's first.
std::span<const BackendDefinition> backends();
const BackendDefinition& cpuBackendRow();

// The name that lets the machine choose: a row whose `preferred` takes the request, else
// the CPU's.
inline constexpr std::string_view automaticBackendName = "auto";

// The row `name` chooses for `request`: a row's name, or automaticBackendName. Null for
// another name.
const BackendDefinition* chooseBackend(std::string_view name, const BackendRequest& request = {});

}  // namespace hanabira
