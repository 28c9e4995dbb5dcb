// The cli tests' names for the shared scratch folder, and whole-file helpers.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/scratch_dir.h"

namespace clitest {

namespace fs = std::filesystem;

using ScratchDir = vorel::test::ScratchDir;

inline void write(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace clitest
