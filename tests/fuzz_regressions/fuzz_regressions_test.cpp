// Replays each fuzz target's seed corpus and saved findings through the target itself:
// every input must pass the target's checks (and the sanitizers, in the sanitize build).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

#define DECLARE_TARGET(name) extern "C" int name##_one_input(const uint8_t* data, size_t size);
DECLARE_TARGET(fuzz_ini)
DECLARE_TARGET(fuzz_convert)
DECLARE_TARGET(fuzz_scanner)
DECLARE_TARGET(fuzz_scanner_rules)
DECLARE_TARGET(fuzz_keywords)
DECLARE_TARGET(fuzz_line_numbers)
#ifdef VOREL_FUZZ_HAVE_CLI
DECLARE_TARGET(fuzz_line_ends)
#endif

namespace {

using Entry = int (*)(const uint8_t*, size_t);

std::vector<fs::path> inputs_of(const std::string& target) {
  std::vector<fs::path> files;
  for (const char* dir : {"corpus", "regressions"}) {
    const fs::path d = fs::path(VOREL_FUZZ_DIR) / dir / target;
    if (!fs::is_directory(d)) continue;
    for (const auto& e : fs::directory_iterator(d))
      if (e.is_regular_file() && e.path().filename().string()[0] != '.') files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void replay(const std::string& target, Entry entry) {
  const auto files = inputs_of(target);
  EXPECT_FALSE(files.empty()) << "no seeds for " << target;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
      entry(reinterpret_cast<const uint8_t*>(data.data()), data.size());
    } catch (const std::exception& e) { ADD_FAILURE() << file.string() << ": " << e.what(); }
  }
}

}  // namespace

TEST(FuzzRegressions, IniReaderAndWriter) { replay("fuzz_ini", fuzz_ini_one_input); }
TEST(FuzzRegressions, WholeConversion) { replay("fuzz_convert", fuzz_convert_one_input); }
TEST(FuzzRegressions, ScannerAndEmitter) { replay("fuzz_scanner", fuzz_scanner_one_input); }
TEST(FuzzRegressions, ScannerOptionalRules) { replay("fuzz_scanner_rules", fuzz_scanner_rules_one_input); }
TEST(FuzzRegressions, KeywordTables) { replay("fuzz_keywords", fuzz_keywords_one_input); }
TEST(FuzzRegressions, LineNumbering) { replay("fuzz_line_numbers", fuzz_line_numbers_one_input); }
#ifdef VOREL_FUZZ_HAVE_CLI
TEST(FuzzRegressions, ConverterLineEnds) { replay("fuzz_line_ends", fuzz_line_ends_one_input); }
#endif
