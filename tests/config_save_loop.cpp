// A helper of the config tests: saves "config.txt" in the working directory as the save
// button does, again and again, alternating between two consoles, until it is killed.
// It prints "saving" once the first save is done.
#include <cstdio>

#include "config_save_consoles.h"
#include "ui/model/config_file.h"

int main() {
  using namespace hanabira;
  for (unsigned long long n = 0;; ++n) {
    if (const auto problem = saveConfigFile(configFileName, testing::savedConsoles[n % 2])) {
      std::fprintf(stderr, "save failed: %s\n", reasonText(*problem).c_str());
      return 1;
    }
    if (n == 0) {
      std::puts("saving");
      std::fflush(stdout);
    }
  }
}
