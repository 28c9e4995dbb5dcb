// ASCII letter case, the same on every platform and in every locale: how
// section names, keys, option names and values, keywords and file-name
// patterns compare.
#pragma once

#include <cstddef>
#include <string_view>

namespace vorel {

// c with 'A' to 'Z' made lower case; every other byte as it is.
constexpr char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr unsigned char ascii_lower(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Whether a and b are the same once ASCII letters are folded.
constexpr bool ascii_equal_folded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  return true;
}

}  // namespace vorel
