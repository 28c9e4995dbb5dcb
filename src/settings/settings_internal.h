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

// The running executable's directory with its trailing separator, or "" when
// it cannot be found.  Implemented by the backend.
std::string executable_dir();

}  // namespace vorel::detail
