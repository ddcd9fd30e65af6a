// --backend and --device: the backend a search runs on, chosen by name from the table of
// backends, and what the program says of it (--version, --list-devices, the summary).
#pragma once

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_app.h"
#include "engine/search_backend.h"
#include "engine/search_engine.h"

namespace hanabira {

struct BackendChoice {
  std::string name = "auto";
  std::optional<int> device;
  bool listDevices = false;
};

// --backend, --device and --list-devices, in the group Performance.
void addBackendOptions(CLI::App& parser, BackendChoice& choice);

// The backend `choice` asks for; the CPU's for `cpuOnly`. `auto` takes the first GPU
// and warns, unless quiet, when it cannot be opened; a backend asked for by name or
// device that cannot be had is refused (CliError). A device that fails during a search
// is reported on `err` unless quiet.
std::shared_ptr<const SearchBackend> openBackend(const BackendChoice& choice, bool cpuOnly, bool quiet,
                                                 std::ostream& err);

// For --version: "backend: opencl (device, platform)", and the modes its device does not
// search, which run on the CPU.
std::string backendLines(const SearchBackend& backend);

// For --list-devices: every device of every backend that has devices, numbered as
// --device takes them. Throws CliError when standard output cannot be written.
int listDevices(const CliEnvironment& env);

// Where the summary says the search ran, after its threads: nothing on the CPU that was
// asked for, " and OpenCL on NAME" on the device, and which of them searched when the
// device hands the search to the CPU.
std::string searchedOn(const SearchBackend& backend, const SearchSummary& summary);

}  // namespace hanabira
