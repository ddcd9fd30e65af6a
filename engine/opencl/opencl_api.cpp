#include "engine/opencl/opencl_api.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace hanabira {
namespace {

void* openLoader() {
#ifdef _WIN32
  return reinterpret_cast<void*>(LoadLibraryA("OpenCL.dll"));
#else
  void* handle = dlopen("libOpenCL.so.1", RTLD_NOW | RTLD_LOCAL);
  return handle != nullptr ? handle : dlopen("libOpenCL.so", RTLD_NOW | RTLD_LOCAL);
#endif
}

void* symbol(void* library, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
#else
  return dlsym(library, name);
#endif
}

template <class F>
bool take(void* library, const char* name, F& entry) {
  entry = reinterpret_cast<F>(symbol(library, name));
  return entry != nullptr;
}

// The loader stays loaded for the life of the program: devices outlive any one search.
const OpenClApi* load() {
  void* library = openLoader();
  if (library == nullptr) return nullptr;
  static OpenClApi api;
  const bool complete =
      take(library, "clGetPlatformIDs", api.getPlatformIDs) &&
      take(library, "clGetPlatformInfo", api.getPlatformInfo) && take(library, "clGetDeviceIDs", api.getDeviceIDs) &&
      take(library, "clGetDeviceInfo", api.getDeviceInfo) && take(library, "clCreateContext", api.createContext) &&
      take(library, "clReleaseContext", api.releaseContext) &&
      take(library, "clCreateCommandQueue", api.createCommandQueue) &&
      take(library, "clReleaseCommandQueue", api.releaseCommandQueue) &&
      take(library, "clCreateProgramWithSource", api.createProgramWithSource) &&
      take(library, "clBuildProgram", api.buildProgram) &&
      take(library, "clGetProgramBuildInfo", api.getProgramBuildInfo) &&
      take(library, "clReleaseProgram", api.releaseProgram) && take(library, "clCreateKernel", api.createKernel) &&
      take(library, "clReleaseKernel", api.releaseKernel) && take(library, "clSetKernelArg", api.setKernelArg) &&
      take(library, "clCreateBuffer", api.createBuffer) && take(library, "clReleaseMemObject", api.releaseMemObject) &&
      take(library, "clEnqueueWriteBuffer", api.enqueueWriteBuffer) &&
      take(library, "clEnqueueReadBuffer", api.enqueueReadBuffer) &&
      take(library, "clEnqueueNDRangeKernel", api.enqueueNDRangeKernel) && take(library, "clFinish", api.finish);
  return complete ? &api : nullptr;
}

}  // namespace

const OpenClApi* openClApi() {
  static const OpenClApi* const api = load();
  return api;
}

void checkCl(cl_int status, const char* what) {
  if (status != CL_SUCCESS)
    throw OpenClError(std::string(what) + " failed (OpenCL error " + std::to_string(status) + ")");
}

}  // namespace hanabira
