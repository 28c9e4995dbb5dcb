// Helpers shared by the fuzz targets: a private scratch directory, whole-file writes and
// reading inputs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>
#include <unistd.h>

#include "support/scratch_dir.h"

namespace fuzz {

// A directory of our own for the files a target writes: under $VOREL_FUZZ_TMP, else on
// tmpfs when there is one (some targets write a file for every input), else the system's
// temporary directory.
inline const std::string& scratch_dir() {
  // Never destroyed by static destructors: the exit handler removes it, after them.
  static vorel::test::ScratchDir* const dir = [] {
    const char* chosen = std::getenv("VOREL_FUZZ_TMP");
    std::filesystem::path base = chosen && *chosen               ? chosen
                                 : access("/dev/shm", W_OK) == 0 ? "/dev/shm"
                                                                 : std::filesystem::temp_directory_path();
    auto* d = new vorel::test::ScratchDir(base);
    std::atexit([] { delete dir; });
    return d;
  }();
  static const std::string path = dir->path().string() + "/";
  return path;
}

inline void write_file(const std::string& path, std::string_view data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f) != data.size()) std::abort();
  std::fclose(f);
}

// Reads an input from the front: bytes, little-endian numbers and length-prefixed
// strings, zeros once it runs out.  (Simple enough to write seeds for by hand.)
class Reader {
 public:
  Reader(const uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
  std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }
  uint8_t byte() { return p_ < end_ ? *p_++ : 0; }
  uint16_t u16() {
    uint16_t lo = byte();
    return static_cast<uint16_t>(lo | byte() << 8);
  }
  uint32_t u32() {
    uint32_t lo = u16();
    return lo | static_cast<uint32_t>(u16()) << 16;
  }
  bool flag() { return byte() & 1; }
  std::string bytes(std::size_t n) {
    n = n < remaining() ? n : remaining();
    std::string s(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return s;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

// Splits an input into n parts at each "\n--8<--\n"; the last part takes the rest,
// missing parts are empty.
inline std::vector<std::string> split_input(const uint8_t* data, std::size_t size, std::size_t n) {
  static constexpr std::string_view sep = "\n--8<--\n";
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> parts;
  while (parts.size() + 1 < n) {
    std::size_t at = all.find(sep);
    if (at == std::string_view::npos) break;
    parts.emplace_back(all.substr(0, at));
    all.remove_prefix(at + sep.size());
  }
  parts.emplace_back(all);
  parts.resize(n);
  return parts;
}

// The options part of a conversion input: "FLAGS FIRST WINDOW SYNTAX", e.g. "hf 4294967295 3 C++".
// FLAGS: h for HTML; f to stream the numbered run into a file, s through a tiny sink; FIRST: the first line
// number (taken modulo 2^32); WINDOW: the test sink's buffer size; SYNTAX: the rest of the part.
struct Options {
  bool html = false, through_file = false, tiny_sink = false;
  uint32_t first_line = 1;
  std::size_t window = 0;
  std::string syntax = "S";
};

inline Options parse_options(const std::string& s) {
  Options o;
  std::size_t i = 0;
  auto word = [&] {
    std::size_t at = s.find(' ', i);
    std::string w = s.substr(i, at == std::string::npos ? std::string::npos : at - i);
    i = at == std::string::npos ? s.size() : at + 1;
    return w;
  };
  std::string flags = word();
  o.html = flags.find('h') != std::string::npos;
  o.through_file = flags.find('f') != std::string::npos;
  o.tiny_sink = flags.find('s') != std::string::npos;
  std::string first = word(), window = word();
  if (!first.empty()) o.first_line = static_cast<uint32_t>(std::strtoull(first.c_str(), nullptr, 10));
  if (!window.empty()) o.window = std::strtoull(window.c_str(), nullptr, 10) % 65;
  if (i < s.size()) o.syntax = s.substr(i);
  return o;
}

// Prints bytes with C escapes, for reading a finding.
inline void dump(const char* what, const std::string& s) {
  std::fprintf(stderr, "%s (%zu bytes): \"", what, s.size());
  for (unsigned char c : s.substr(0, 2000)) {
    if (c == '\\' || c == '"') std::fprintf(stderr, "\\%c", c);
    else if (c >= 32 && c < 127) std::fputc(c, stderr);
    else std::fprintf(stderr, "\\x%02x", c);
  }
  std::fprintf(stderr, "\"\n");
}

// Aborts with a message: libFuzzer records the input that got here.  The regression
// test, which replays saved inputs through the same code, turns it into an exception.
[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::fflush(stderr);
#ifdef VOREL_FUZZ_REPLAY
  throw std::runtime_error(what);
#else
  std::abort();
#endif
}

#define FUZZ_CHECK(cond)              \
  do {                                \
    if (!(cond)) ::fuzz::fail(#cond); \
  } while (0)

}  // namespace fuzz
