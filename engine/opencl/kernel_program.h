// The program the device builds for one search: defines that shape search_kernels.cl for
// its boot moments and for its mode's prefilter, written from the prefilter's data (its
// sequence, its rows, its range tests and the choices of ranges it leaves to the exact
// check), ahead of the kernels' source.
#pragma once

#include <string>

#include "engine/prepared_search.h"
#include "evaluate/prefilter.h"

namespace hanabira {

// Empty when the device cannot run the search: blocks of boot moments too large to
// number, or more rows of MT19937 than one work item holds. A prefilter without tests
// lists every moment.
std::string kernelProgram(const PreparedSearch& search, const Prefilter& prefilter);

}  // namespace hanabira
