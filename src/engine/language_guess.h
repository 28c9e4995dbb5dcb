// Guessing the language of a text that has no name, from the language pack
// alone: the words of each section's keyword files and its comment markers,
// each weighted by how few sections share it.  No other data is involved.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/syntax.h"

namespace vorel {

class LanguageGuesser {
 public:
  // Reads every section of source with its keyword files at the first
  // guess, so that source must outlive it; a section whose keyword files
  // cannot be read is left out.
  explicit LanguageGuesser(SyntaxSource& source) : source_(&source) {}
  LanguageGuesser(const LanguageGuesser&) = delete;
  LanguageGuesser& operator=(const LanguageGuesser&) = delete;
  ~LanguageGuesser();

  struct Score {
    std::string syntax;
    double score;
  };
  // Every section with its score for text, best first; scores within 5% of
  // the best go to the one nearest the top of the file among those that
  // share at least half their reserved words with it.  Only the first
  // 32 KB of text are read.
  std::vector<Score> rank(std::string_view text) const;

  // The best section, or "" when the evidence is too thin to offer one
  // (plain prose, a few lines of anything).
  std::string guess(std::string_view text) const;

  // The least score guess() accepts.
  static constexpr double MIN_SCORE = 12.0;

 private:
  struct Marker {
    std::string text;
    double weight;
    bool quote;  // some section's quote character too
  };
  struct Section {
    std::string name;
    Syntax syntax;
    std::vector<double> weights1, weights2;  // per keyword entry
    std::vector<Marker> markers;             // comment starts
    double hit_weight = 0;                   // what any keyword of the section is worth
    std::vector<std::string> reserved;       // the first file's words, letters folded, sorted
  };
  // Whether at least half the reserved words of the one with fewer are the
  // other's.
  static bool related(const Section& a, const Section& b);
  void read_pack() const;
  double score(const Section& section, std::string_view text, std::string_view code) const;
  SyntaxSource* source_;
  mutable bool read_ = false;
  mutable std::vector<Section> sections_;
};

}  // namespace vorel
