// Settings code both backends share: the program directory and its override,
// the current settings file, hexadecimal parsing and the helpers built on the
// backend's string reads and writes.
#include "settings/settings.h"

#include <cstdio>

#include "settings/ini_text.h"
#include "settings/settings_internal.h"

namespace vorel {

namespace {

std::string& program_dir_override() {
  static std::string dir;
  return dir;
}

// Selection and reads happen on one thread; keeping the selection per thread
// lets a conversion on another thread read config.ini without racing the UI.
std::string& current_path() {
  thread_local std::string path;
  return path;
}

bool is_hex_digit(char c, uint32_t& digit) {
  if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
  else if (c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
  else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
  else return false;
  return true;
}

bool is_c_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

bool same_setting_name(std::string_view a, std::string_view b) {
  return ini::same_name(ini::trim(a), ini::trim(b));
}

std::string executable_dir() {
  static const std::string exe_dir = detail::executable_dir();
  return exe_dir;
}

std::string program_dir() {
  const std::string& dir = program_dir_override();
  if (!dir.empty()) return dir;
  return executable_dir();
}

void set_program_dir(const std::string& dir) {
  std::string& d = program_dir_override();
  d = dir;
  if (!d.empty() && !detail::is_separator(d.back())) d += detail::PATH_SEPARATOR;
}

void settings_path(const char* file_name) { current_path() = program_dir() + file_name; }

const char* current_settings_path() { return current_path().c_str(); }

uint32_t parse_hex32(const char* text) {
  const char* p = text;
  while (is_c_space(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint32_t digit = 0;
  // "0x" counts as a prefix only when a hex digit follows; "0xg" reads as 0.
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && is_hex_digit(p[2], digit)) p += 2;
  uint64_t value = 0;
  bool overflow = false;
  for (; is_hex_digit(*p, digit); ++p) {
    value = value * 16 + digit;
    if (value > 0xFFFFFFFFu) {
      overflow = true;
      value = 0xFFFFFFFFu;
    }
  }
  if (overflow) return 0xFFFFFFFFu;
  uint32_t v = static_cast<uint32_t>(value);
  return negative ? 0u - v : v;
}

uint32_t get_setting_hex(const char* section, const char* key) {
  char buffer[255];
  get_setting_string(section, key, buffer, sizeof buffer);
  return parse_hex32(buffer);
}

bool put_setting_int(const char* section, const char* key, uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
  return put_setting_string(section, key, text);
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    close();
    native_ = other.release();
  }
  return *this;
}

}  // namespace vorel
