// Helpers of the hostile-input tests: the shared scratch folder and files, and
// reproducible garbage.
#pragma once

#include <cstdint>
#include <string>

#include "../cli/scratch_dir.h"

namespace hostile {

using clitest::read;
using clitest::ScratchDir;
using clitest::write;

// Reproducible bytes of every value (xorshift), zero bytes included unless asked not to.
inline std::string garbage(std::size_t n, uint32_t seed, bool zeros = true) {
  std::string s(n, '\0');
  uint32_t x = seed ? seed : 1;
  for (char& c : s) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    c = static_cast<char>(x >> 24);
    if (!zeros && c == 0) c = 1;
  }
  return s;
}

}  // namespace hostile
