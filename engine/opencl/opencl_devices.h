// The devices OpenCL offers, with the handles a backend opens them by.
#pragma once

#include <vector>

#include "engine/opencl/opencl_api.h"

namespace hanabira {

struct FoundDevice {
  cl_platform_id platform;
  cl_device_id id;
  BackendDevice info;
};

// Every device of every platform, in the order openClDevices() lists them; a platform or
// device that will not answer is left out, as if absent.
std::vector<FoundDevice> findDevices();

}  // namespace hanabira
