// The nearest syntax names to a wrong one.
#include "cli/syntax_choice.h"

#include <algorithm>
#include <cstdint>

#include "text/ascii.h"

namespace vorel::cli {

namespace {

std::string folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = ascii_lower(c);
  return out;
}

// Levenshtein distance, one row at a time.
std::size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::vector<std::string> closest_names(std::string_view wanted, const std::vector<std::string>& names,
                                       std::size_t max) {
  const std::string w = folded(wanted);
  struct Scored {
    std::size_t score;
    std::size_t index;
  };
  std::vector<Scored> scored;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string n = folded(names[i]);
    // "bash" is nearer to "Shell (bash)" than its edit distance says.
    const bool holds = !w.empty() && n.find(w) != std::string::npos;
    scored.push_back({holds ? 0 : edit_distance(w, n) + 1, i});
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const Scored& a, const Scored& b) { return a.score < b.score; });
  std::vector<std::string> out;
  for (std::size_t i = 0; i < scored.size() && i < max; ++i) out.push_back(names[scored[i].index]);
  return out;
}

}  // namespace vorel::cli
