// Fuzzes the INI reader and writer: an arbitrary file, then a sequence of reads and writes on it.
//
// Input (fuzz::Reader): a byte (bit 0: the file exists), its length (2 bytes) and
// content, then up to eight operations: a section and a key name (a byte: odd picks
// one of a few common names, even n is followed by n / 2 % 41 bytes of name), the
// operation (a byte, 0-7) and its arguments.
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_util.h"
#include "settings/settings.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1a; }

bool has_any(const std::string& s, const char* bytes) {
  return s.find_first_of(bytes, 0, std::strlen(bytes) + 1) != std::string::npos;  // NUL too
}

// Names and values for which a write followed by a read must give back the same text:
// no line breaks, no surrounding blanks or quotes that the reader would strip.
bool clean_section(const std::string& s) {
  return !s.empty() && !has_any(s, "\r\n[]") && !is_blank(s.front()) && !is_blank(s.back());
}
bool clean_key(const std::string& s) {
  return !s.empty() && !has_any(s, "\r\n=") && !is_blank(s.front()) && !is_blank(s.back()) &&
         s.front() != '[' && s.front() != ';' && s.front() != '#';
}
bool clean_value(const std::string& s) {
  if (has_any(s, "\r\n")) return false;
  if (s.empty()) return true;
  if (is_blank(s.front()) || is_blank(s.back())) return false;
  return !(s.front() == '"' || s.front() == '\'' || s.back() == '"' || s.back() == '\'');
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool same_name(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::string name(fuzz::Reader& in) {
  // Mostly short names from a small alphabet so that reads hit what writes wrote.
  static const char* const names[] = {"a", "A", "option", "C++", "b c", "x", "filter", ""};
  const uint8_t b = in.byte();
  if (b & 1) return names[(b >> 1) & 7];
  return in.bytes((b >> 1) % 41);
}

std::string read_string(const char* sec, const char* key, uint32_t size) {
  auto buf = std::make_unique<char[]>(size);  // exactly size bytes: ASan sees any overrun
  uint32_t n = vorel::get_setting_string(sec, key, buf.get(), size);
  if (size == 0) {
    FUZZ_CHECK(n == 0);
    return {};
  }
  FUZZ_CHECK(n < size);
  FUZZ_CHECK(buf[n] == 0);
  // A zero byte inside a value in the file is copied like any other byte.
  FUZZ_CHECK(std::strlen(buf.get()) <= n);
  return std::string(buf.get());
}

// A list of zero-terminated strings ended by an extra zero fits in size bytes, and n
// counts it without that final zero.  A list cut short (n == size - 2) may end in a
// cut string: its own zero is then the first of the final two.
void check_list(const char* buf, uint32_t size, uint32_t n) {
  if (size == 0) {
    FUZZ_CHECK(n == 0);
    return;
  }
  FUZZ_CHECK(n < size);
  if (size >= 2) {
    FUZZ_CHECK(buf[n] == 0);
    if (n > 0 && buf[n - 1] != 0) FUZZ_CHECK(n + 2 == size && buf[n + 1] == 0);
  }
}

void report(const std::string& sec, const std::string& key, const std::string& want, const std::string& got) {
  fuzz::dump("section", sec);
  fuzz::dump("key", key);
  fuzz::dump("expected", want);
  fuzz::dump("read", got);
  if (auto file = vorel::read_whole_file(vorel::current_settings_path())) fuzz::dump("file", *file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string dir = [] {
    vorel::set_program_dir(fuzz::scratch_dir());
    return fuzz::scratch_dir();
  }();
  fuzz::Reader in(data, size);

  const char* files[] = {"t.ini", "u.ini"};
  for (const char* f : files) std::remove((dir + f).c_str());
  if (in.flag()) fuzz::write_file(dir + "t.ini", in.bytes(in.u16() % 1025));
  vorel::settings_path("t.ini");
  FUZZ_CHECK(std::string(vorel::current_settings_path()) == dir + "t.ini");

  for (int step = 0; step < 8 && in.remaining() > 0; ++step) {
    std::string sec = name(in), key = name(in);
    switch (in.byte() & 7) {
      case 0: vorel::get_setting_int(sec.c_str(), key.c_str()); break;
      case 1: read_string(sec.c_str(), key.c_str(), in.u16() % 301); break;
      case 2: {
        // The hex read is the string read (at most 254 characters) converted.
        std::string v = read_string(sec.c_str(), key.c_str(), 255);
        FUZZ_CHECK(vorel::get_setting_hex(sec.c_str(), key.c_str()) == vorel::parse_hex32(v.c_str()));
        break;
      }
      case 3: {
        uint32_t v = in.u32();
        bool ok = vorel::put_setting_int(sec.c_str(), key.c_str(), v);
        if (ok && clean_section(sec) && clean_key(key)) {
          FUZZ_CHECK(vorel::get_setting_int(sec.c_str(), key.c_str()) == v);
          FUZZ_CHECK(read_string(sec.c_str(), key.c_str(), 16) == std::to_string(v));
        }
        break;
      }
      case 4: {
        std::string value = in.bytes(in.u16() % 301);
        std::string other_sec = in.flag() ? sec : name(in);
        std::string other_key = name(in);
        std::string before = read_string(other_sec.c_str(), other_key.c_str(), 1024);
        bool ok = vorel::put_setting_string(sec.c_str(), key.c_str(), value.c_str());
        if (!ok || !clean_section(sec) || !clean_key(key)) break;
        value.resize(std::strlen(value.c_str()));
        if (clean_value(value)) {
          const std::string got = read_string(sec.c_str(), key.c_str(), 1024);
          if (got != value) {
            report(sec, key, value, got);
            fuzz::fail("a written value reads back");
          }
        }
        // A write leaves every other key as it was.
        // (A value with a line break writes extra lines, as the platform's writer does.)
        if (clean_section(other_sec) && clean_key(other_key) && !has_any(value, "\r\n") &&
            !(same_name(sec, other_sec) && same_name(key, other_key))) {
          const std::string after = read_string(other_sec.c_str(), other_key.c_str(), 1024);
          if (after != before) {
            report(other_sec, other_key, before, after);
            fuzz::fail("a write leaves other keys alone");
          }
        }
        break;
      }
      case 5: {
        uint32_t n = in.u16() % 601;
        auto buf = std::make_unique<char[]>(n);
        check_list(buf.get(), n, vorel::get_settings_section(sec.c_str(), buf.get(), n));
        break;
      }
      case 6: {
        uint32_t n = in.u16() % 601;
        auto buf = std::make_unique<char[]>(n);
        check_list(buf.get(), n, vorel::get_section_names(buf.get(), n));
        break;
      }
      case 7: vorel::settings_path(files[in.byte() & 1]); break;
    }
  }
  return 0;
}
