// File-name patterns of the "files" key.
#include "engine/file_names.h"

#include <cstdint>

#include "engine/syntax.h"
#include "text/ascii.h"

namespace vorel {

namespace {

// A section's "files" value; longer lists are cut, as every value read is.
std::string files_of(SyntaxSource& source, const std::string& section) {
  char buf[4096];
  const uint32_t n = source.get_string(section.c_str(), "files", buf, sizeof buf);
  return std::string(buf, n);
}

}  // namespace

std::string_view file_base_name(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool match_file_pattern(std::string_view pattern, std::string_view name) {
  // Greedy with one backtrack point: on a mismatch the last '*' takes one
  // more character.  At worst pattern length times name length steps.
  std::size_t p = 0, n = 0;
  std::size_t star = std::string_view::npos, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || ascii_lower(pattern[p]) == ascii_lower(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool matches_file_patterns(std::string_view patterns, std::string_view path) {
  const std::string_view name = file_base_name(path);
  if (name.empty()) return false;
  std::size_t i = 0;
  while (i < patterns.size()) {
    while (i < patterns.size() && (patterns[i] == ' ' || patterns[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < patterns.size() && patterns[j] != ' ' && patterns[j] != '\t') ++j;
    if (j > i && match_file_pattern(patterns.substr(i, j - i), name)) return true;
    i = j;
  }
  return false;
}

std::vector<std::string> syntaxes_for_file(SyntaxSource& source, std::string_view path) {
  std::vector<std::string> found;
  for (const std::string& name : source.section_names())
    if (matches_file_patterns(files_of(source, name), path)) found.push_back(name);
  return found;
}

std::string syntax_files_listing(SyntaxSource& source) {
  std::string out;
  for (const std::string& name : source.section_names()) out += name + '\t' + files_of(source, name) + '\n';
  return out;
}

}  // namespace vorel
