// Prints random settings of a search mode as a settings file, for comparing two builds
// of hanabira-cli on them (scripts/test-windows):
//   print_random_settings MODE SEED      MODE from 0, a row of the mode table
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "engine/settings_json.h"
#include "test_support.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: print_random_settings MODE SEED\n");
    return 2;
  }
  const int mode = std::stoi(argv[1]);
  if (mode < 0 || mode >= static_cast<int>(hanabira::searchModes().size())) {
    std::fprintf(stderr, "no mode %d\n", mode);
    return 2;
  }
  std::mt19937_64 random(std::stoull(argv[2]));
  const hanabira::SearchSettings settings =
      hanabira::testing::randomSettings(random, static_cast<hanabira::SearchMode>(mode));
  std::cout << hanabira::settingsToJson(settings).dump(2) << '\n';
  return 0;
}
