// Choosing the syntax for vorel-convert: from the file name when --syntax is
// absent, and the nearest names when a --syntax name is not in config.ini.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorel::cli {

// One section of config.ini: its name and its "files" value.
struct SyntaxFiles {
  std::string name;
  std::string files;
};

// The indexes of the sections whose patterns match path's base name, in file
// order; the first one is the choice.
std::vector<std::size_t> syntaxes_for_file(const std::vector<SyntaxFiles>& syntaxes, std::string_view path);

// Up to max of names, nearest to wanted first: a name that holds wanted
// (ignoring case), then by edit distance ignoring case; ties keep file order.
std::vector<std::string> closest_names(std::string_view wanted, const std::vector<std::string>& names,
                                       std::size_t max = 3);

}  // namespace vorel::cli
