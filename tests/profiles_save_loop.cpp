// A helper of the profiles tests: saves "profiles.json" in the working directory again and
// again, alternating between a long list and a short one, until it is killed. It prints
// "saving" once the first save is done.
#include <cstdio>

#include "engine/console_profiles.h"
#include "profiles_saved.h"

int main() {
  using namespace hanabira;
  for (unsigned long long n = 0;; ++n) {
    if (const std::error_code error = saveProfilesFile(profilesFileName, testing::savedProfileLists()[n % 2])) {
      std::fprintf(stderr, "save failed: %s\n", error.message().c_str());
      return 1;
    }
    if (n == 0) {
      std::puts("saving");
      std::fflush(stdout);
    }
  }
}
