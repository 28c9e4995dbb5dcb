// Helpers for the language-pack tests: the shipped section names and the
// keys of one section, read through the settings layer.
#pragma once

#include <string>
#include <vector>

#include "settings/settings.h"

namespace vorel::test {

// Splits a buffer of zero-terminated strings ended by an empty one.
inline std::vector<std::string> split_zero_list(const char* p) {
  std::vector<std::string> out;
  while (*p) {
    out.emplace_back(p);
    p += out.back().size() + 1;
  }
  return out;
}

// Every section name of the shipped config.ini (read with a large buffer).
inline std::vector<std::string> shipped_syntaxes() {
  settings_path("config.ini");
  std::vector<char> buf(1 << 16);
  get_section_names(buf.data(), static_cast<uint32_t>(buf.size()));
  return split_zero_list(buf.data());
}

// A value from the shipped config.ini.
inline std::string setting(const std::string& section, const char* key) {
  settings_path("config.ini");
  char buf[300] = {};
  get_setting_string(section.c_str(), key, buf, sizeof buf);
  return buf;
}

}  // namespace vorel::test
