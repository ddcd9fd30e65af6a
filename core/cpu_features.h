// What this CPU offers beyond the base instruction set, as the kernel levels need it:
// the instructions, and the operating system's saving of the registers they use.
#pragma once

namespace hanabira {

#ifdef HANABIRA_X86_64_LEVELS
bool cpuHasAvx2();
bool cpuHasAvx512();  // F, BW, DQ and VL
#endif

}  // namespace hanabira
