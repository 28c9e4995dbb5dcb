// The nearest names, for vorel-convert's message when a --syntax name is not
// in config.ini.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorel::cli {

// Up to max of names, nearest to wanted first: a name that holds wanted
// (ignoring case), then by edit distance ignoring case; ties keep file order.
std::vector<std::string> closest_names(std::string_view wanted, const std::vector<std::string>& names,
                                       std::size_t max = 3);

}  // namespace vorel::cli
