// The OpenCL entry points, taken from the ICD loader at run time: a program that is never
// linked against it starts on a machine without one, and the search then stays on the CPU.
#pragma once

#define CL_TARGET_OPENCL_VERSION 120
#include <CL/cl.h>

#include "engine/opencl/opencl_backend.h"

namespace hanabira {

struct OpenClApi {
  decltype(&::clGetPlatformIDs) getPlatformIDs;
  decltype(&::clGetPlatformInfo) getPlatformInfo;
  decltype(&::clGetDeviceIDs) getDeviceIDs;
  decltype(&::clGetDeviceInfo) getDeviceInfo;
  decltype(&::clCreateContext) createContext;
  decltype(&::clReleaseContext) releaseContext;
  decltype(&::clCreateCommandQueue) createCommandQueue;
  decltype(&::clReleaseCommandQueue) releaseCommandQueue;
  decltype(&::clCreateProgramWithSource) createProgramWithSource;
  decltype(&::clBuildProgram) buildProgram;
  decltype(&::clGetProgramBuildInfo) getProgramBuildInfo;
  decltype(&::clReleaseProgram) releaseProgram;
  decltype(&::clCreateKernel) createKernel;
  decltype(&::clReleaseKernel) releaseKernel;
  decltype(&::clSetKernelArg) setKernelArg;
  decltype(&::clCreateBuffer) createBuffer;
  decltype(&::clReleaseMemObject) releaseMemObject;
  decltype(&::clEnqueueWriteBuffer) enqueueWriteBuffer;
  decltype(&::clEnqueueReadBuffer) enqueueReadBuffer;
  decltype(&::clEnqueueNDRangeKernel) enqueueNDRangeKernel;
  decltype(&::clFinish) finish;
};

// The loader's entry points, or null when there is no loader (or it lacks one of them).
const OpenClApi* openClApi();

// Throws OpenClError naming `what` unless status is CL_SUCCESS.
void checkCl(cl_int status, const char* what);

}  // namespace hanabira
