// The two consoles the save helper (config_save_loop) alternates between: one long file,
// one short, so that a file cut off by a kill could not pass for either.
#pragma once

#include "core/console_config.h"

namespace hanabira::testing {

inline const ConsoleParameters savedConsoles[2] = {
    {0xFFF, 0xFFFFF, 0xFFFFFFFF, -9999999, {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}, whiteVersionWord, {}, {}, {}},
    {0x5, 0x6, 0x0, 8, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, blackVersionWord, {}, {}, {}},
};

}  // namespace hanabira::testing
