// How often the guess from content names a file's language: reads a list of
// "Syntax<TAB>path" lines (bench/guess_corpus.sh writes one), guesses each file
// of at least 20 lines, and prints per language the files, the share the guess
// alone gets right ("share"), the share pick_syntax gets right for the text
// without its name ("pasted": the "#!" line, modeline and first-line rules
// before the guess) and the commonest wrong guesses.
// Usage: guess_bench CONFIG_DIR LIST [--min-lines N] [--misses N]
//        guess_bench CONFIG_DIR --explain FILE...   (the five best scores of each)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/file_names.h"
#include "engine/language_guess.h"
#include "engine/syntax.h"

namespace {

std::string read_file(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return {};
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Row {
  int files = 0, right = 0, thin = 0, pasted_right = 0;
  std::map<std::string, int> wrong;
  std::vector<std::string> missed;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: guess_bench CONFIG_DIR LIST [--min-lines N] [--misses N]\n");
    return 2;
  }
  const std::string dir = argv[1];
  int min_lines = 20, show_misses = 0;
  for (int i = 3; i + 1 < argc; i += 2) {
    if (std::string(argv[i]) == "--min-lines") min_lines = std::atoi(argv[i + 1]);
    if (std::string(argv[i]) == "--misses") show_misses = std::atoi(argv[i + 1]);
  }

  vorel::MemorySyntaxSource source(read_file(dir + "/config.ini"));
  {
    std::istringstream ini(read_file(dir + "/config.ini"));
    std::string line;
    while (std::getline(ini, line)) {
      if (line.rfind("stxfile", 0) != 0) continue;
      std::string name = line.substr(line.find('=') + 1);
      while (!name.empty() && (name.back() == '\r' || name.back() == ' ')) name.pop_back();
      source.add_keyword_file(name, read_file(dir + "/" + name));
    }
  }
  const auto t0 = std::chrono::steady_clock::now();
  vorel::LanguageGuesser guesser(source);
  guesser.rank("");  // reads the pack
  const auto t1 = std::chrono::steady_clock::now();

  if (std::string(argv[2]) == "--explain") {
    for (int i = 3; i < argc; ++i) {
      std::printf("%s:", argv[i]);
      const auto ranked = guesser.rank(read_file(argv[i]));
      for (std::size_t k = 0; k < ranked.size() && k < 5; ++k)
        std::printf(" %s %.1f", ranked[k].syntax.c_str(), ranked[k].score);
      std::printf("\n");
    }
    return 0;
  }

  std::map<std::string, Row> rows;
  std::ifstream list(argv[2]);
  std::string entry;
  double guess_ms = 0;
  std::size_t bytes = 0;
  while (std::getline(list, entry)) {
    const std::size_t tab = entry.find('\t');
    if (tab == std::string::npos) continue;
    const std::string want = entry.substr(0, tab), path = entry.substr(tab + 1);
    const std::string text = read_file(path);
    if (std::count(text.begin(), text.end(), '\n') < min_lines) continue;
    const auto g0 = std::chrono::steady_clock::now();
    const std::vector<vorel::LanguageGuesser::Score> ranked = guesser.rank(text);
    guess_ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g0).count();
    bytes += std::min<std::size_t>(text.size(), 32 * 1024);
    Row& row = rows[want];
    row.pasted_right += vorel::pick_syntax(source, "", text, &guesser).syntax == want;
    ++row.files;
    const bool thin = ranked.empty() || ranked[0].score < vorel::LanguageGuesser::MIN_SCORE;
    const std::string got = thin ? std::string("(none)") : ranked[0].syntax;
    if (thin) ++row.thin;
    if (got == want) {
      ++row.right;
    } else {
      ++row.wrong[got];
      if (static_cast<int>(row.missed.size()) < show_misses) row.missed.push_back(path + " -> " + got);
    }
  }

  int files = 0, right = 0, pasted = 0;
  std::printf("%-16s %6s %6s %7s %7s  %s\n", "language", "files", "right", "share", "pasted",
              "wrong guesses (most common)");
  for (const auto& [name, row] : rows) {
    files += row.files;
    right += row.right;
    pasted += row.pasted_right;
    std::vector<std::pair<int, std::string>> wrong;
    for (const auto& [got, n] : row.wrong) wrong.emplace_back(-n, got);
    std::sort(wrong.begin(), wrong.end());
    std::string said;
    for (std::size_t i = 0; i < wrong.size() && i < 4; ++i)
      said += (said.empty() ? "" : ", ") + wrong[i].second + " " + std::to_string(-wrong[i].first);
    std::printf("%-16s %6d %6d %6.1f%% %6.1f%%  %s\n", name.c_str(), row.files, row.right,
                100.0 * row.right / row.files, 100.0 * row.pasted_right / row.files, said.c_str());
  }
  std::printf("%-16s %6d %6d %6.1f%% %6.1f%%\n", "all", files, right, files ? 100.0 * right / files : 0.0,
              files ? 100.0 * pasted / files : 0.0);
  double macro = 0;
  for (const auto& [name, row] : rows) macro += static_cast<double>(row.right) / row.files;
  if (!rows.empty()) std::printf("mean of the per-language shares: %.1f%%\n", 100.0 * macro / rows.size());
  std::printf("model built in %.1f ms; guessing: %.2f ms per file, %.1f MB/s\n",
              std::chrono::duration<double, std::milli>(t1 - t0).count(), files ? guess_ms / files : 0.0,
              guess_ms > 0 ? bytes / guess_ms / 1000.0 : 0.0);
  for (const auto& [name, row] : rows)
    for (const std::string& m : row.missed) std::printf("miss %s: %s\n", name.c_str(), m.c_str());
  return 0;
}
