// Pieces the platform backends share with settings_common.cpp.
#pragma once

#include <string>
#include <string_view>

namespace vorel::detail {

#ifdef _WIN32
constexpr char PATH_SEPARATOR = '\\';
#else
constexpr char PATH_SEPARATOR = '/';
#endif

inline bool is_separator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// The white space (and ^Z) that settings files ignore around names and values.
inline bool is_setting_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1a;
}

// s without that white space around it.
std::string_view trim_setting(std::string_view s);

// The running executable's directory with its trailing separator, or "" when
// it cannot be found.  Implemented by the backend.
std::string executable_dir();

}  // namespace vorel::detail
