#include "cli/backend_choice.h"

#include <fmt/format.h>
#include <fmt/ostream.h>
#include <fmt/ranges.h>

#include <vector>

#include "cli/progress_line.h"
#include "engine/backends/backend_registry.h"
#include "evaluate/search_modes.h"
#include "i18n/translate.h"

namespace hanabira {
namespace {

const BackendDefinition& rowOf(const SearchBackend& backend) { return *chooseBackend(backend.name()); }

}  // namespace

void addBackendOptions(CLI::App& parser, BackendChoice& choice) {
  std::vector<std::string> names = {std::string(automaticBackendName)};
  std::vector<std::string_view> helps;
  for (const BackendDefinition& row : backends()) {
    names.emplace_back(row.name);
    helps.push_back(row.help);
  }
  parser
      .add_option("--backend", choice.name,
                  trf("Where the seeds are searched: {}, or auto for the first GPU when there is one, else "
                      "the CPU; every backend gives the same bytes",
                      fmt::join(helps, ", ")))
      ->check(CLI::IsMember(names))
      ->capture_default_str()
      ->group(std::string(trc("option group", "Performance")));
  parser
      .add_option("--device", choice.device,
                  std::string(tr("The OpenCL device, numbered as --list-devices prints them")))
      ->check(CLI::Range(0, 1023))
      ->group(std::string(trc("option group", "Performance")));
  parser.add_flag("--list-devices", choice.listDevices, std::string(tr("Print the OpenCL devices and exit")))
      ->group(std::string(trc("option group", "Performance")));
}

std::shared_ptr<const SearchBackend> openBackend(const BackendChoice& choice, bool cpuOnly, bool quiet,
                                                 std::ostream& err) {
  if (cpuOnly) return cpuBackendRow().open({});
  BackendRequest request{choice.device, {}};
  const BackendDefinition& row = *chooseBackend(choice.name, request);
  if (!request.device && !row.available()) {
    throw CliError(exitInvalidInput, trf("--backend {}: no {} device on this machine", row.name, row.title));
  }
  request.deviceFailed = [&err, quiet, title = row.title](const std::string& why) {
    if (!quiet)
      fmt::print(err, "{}\n", trf("warning: the {} device failed ({}); the CPU searches the rest", title, why));
  };
  try {
    return row.open(request);
  } catch (const BackendError& error) {
    if (choice.name != automaticBackendName || choice.device) {
      throw CliError(exitInvalidInput, trf("--device {}: {}", error.device(), error.what()));
    }
    if (!quiet) fmt::print(err, "{}\n", trf("warning: {}; the search runs on the CPU", error.what()));
    return cpuBackendRow().open({});
  }
}

std::string backendLines(const SearchBackend& backend) {
  const BackendDevice* device = backend.device();
  if (device == nullptr) return fmt::format("backend: {}\n", backend.name());
  std::vector<std::string_view> onCpu;
  for (const SearchModeDefinition& mode : searchModes()) {
    if (!rowOf(backend).servesOnDevice(mode)) onCpu.push_back(mode.name);
  }
  std::string lines = fmt::format("backend: {} ({}, {})\n", backend.name(), device->name, device->platform);
  if (!onCpu.empty()) lines += fmt::format("modes on the CPU: {}\n", fmt::join(onCpu, ", "));
  return lines;
}

int listDevices(const CliEnvironment& env) {
  for (const BackendDefinition& row : backends()) {
    if (&row == &cpuBackendRow()) continue;
    const std::vector<BackendDevice> devices = row.devices();
    if (devices.empty()) fmt::print(env.out, "no {} device\n", row.title);
    for (std::size_t i = 0; i < devices.size(); ++i) {
      const BackendDevice& device = devices[i];
      fmt::print(env.out, "{}: {} ({}), {}, {}\n", i, device.name, device.platform, device.gpu ? "GPU" : "CPU",
                 formatCount(device.computeUnits, "compute unit", "compute units"));
    }
  }
  if (!flushed(env.out)) throw CliError(exitIoFailure, outputFailure());
  return exitDone;
}

std::string searchedOn(const SearchBackend& backend, const SearchSummary& summary) {
  const BackendDevice* device = backend.device();
  if (device == nullptr || backend.fellBack()) return "";
  if (summary.backend == backend.name()) return trf(" and {} on {}", rowOf(backend).title, device->name);
  return trf(" on the CPU, as {} on {} does not run this search", rowOf(backend).title, device->name);
}

}  // namespace hanabira
