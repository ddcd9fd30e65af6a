#include "engine/opencl/opencl_devices.h"

#include <string>

namespace hanabira {
namespace {

std::string deviceString(const OpenClApi& cl, cl_device_id device, cl_device_info what) {
  std::size_t size = 0;
  if (cl.getDeviceInfo(device, what, 0, nullptr, &size) != CL_SUCCESS || size == 0) return {};
  std::string text(size, '\0');
  if (cl.getDeviceInfo(device, what, size, text.data(), nullptr) != CL_SUCCESS) return {};
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  return text;
}

std::string platformString(const OpenClApi& cl, cl_platform_id platform, cl_platform_info what) {
  std::size_t size = 0;
  if (cl.getPlatformInfo(platform, what, 0, nullptr, &size) != CL_SUCCESS || size == 0) return {};
  std::string text(size, '\0');
  if (cl.getPlatformInfo(platform, what, size, text.data(), nullptr) != CL_SUCCESS) return {};
  text.resize(text.find('\0') == std::string::npos ? size : text.find('\0'));
  return text;
}

}  // namespace

std::vector<FoundDevice> findDevices() {
  std::vector<FoundDevice> found;
  const OpenClApi* cl = openClApi();
  if (cl == nullptr) return found;
  cl_uint platformCount = 0;
  if (cl->getPlatformIDs(0, nullptr, &platformCount) != CL_SUCCESS || platformCount == 0) return found;
  std::vector<cl_platform_id> platforms(platformCount);
  if (cl->getPlatformIDs(platformCount, platforms.data(), nullptr) != CL_SUCCESS) return found;
  for (const cl_platform_id platform : platforms) {
    cl_uint deviceCount = 0;
    if (cl->getDeviceIDs(platform, CL_DEVICE_TYPE_ALL, 0, nullptr, &deviceCount) != CL_SUCCESS) continue;
    std::vector<cl_device_id> devices(deviceCount);
    if (cl->getDeviceIDs(platform, CL_DEVICE_TYPE_ALL, deviceCount, devices.data(), nullptr) != CL_SUCCESS) continue;
    for (const cl_device_id device : devices) {
      cl_device_type type = 0;
      cl_uint units = 0;
      cl->getDeviceInfo(device, CL_DEVICE_TYPE, sizeof type, &type, nullptr);
      cl->getDeviceInfo(device, CL_DEVICE_MAX_COMPUTE_UNITS, sizeof units, &units, nullptr);
      const bool gpu = (type & (CL_DEVICE_TYPE_GPU | CL_DEVICE_TYPE_ACCELERATOR)) != 0;
      found.push_back(
          {platform,
           device,
           {deviceString(*cl, device, CL_DEVICE_NAME), platformString(*cl, platform, CL_PLATFORM_NAME), gpu, units}});
    }
  }
  return found;
}

std::vector<BackendDevice> openClDevices() {
  std::vector<BackendDevice> devices;
  for (const FoundDevice& found : findDevices()) devices.push_back(found.info);
  return devices;
}

int bestOpenClDevice(const std::vector<BackendDevice>& devices) {
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].gpu) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace hanabira
