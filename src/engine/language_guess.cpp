// The guess from keyword and comment-marker statistics of the pack.
#include "engine/language_guess.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <new>
#include <unordered_map>
#include <unordered_set>

#include "text/ascii.h"

namespace vorel {

constexpr double COMMON_BONUS = 0.3;
constexpr double COMMON_SPAN = 20;
constexpr double OTHER_CASE_FACTOR = 0.25;

namespace {

constexpr std::size_t READ_LIMIT = 32 * 1024;
// Words of the second keyword file (library and type names) also serve as
// plain identifiers in other languages ("size", "count", "data"): they count
// for less than reserved words.
constexpr double LIBRARY_FACTOR = 0.6;
// Scores within this share of the best count as a tie.
constexpr double NEAR_TIE = 0.05;
// A keyword's worth as one of a list of n words, log(3000 / n): as if a
// third of a text's words were keywords of its language drawn from its list,
// the rest from some 10000 other words.  Long lists explain a text less well.
double list_weight(std::size_t n) { return n ? std::log(3000.0 / static_cast<double>(n)) : 0; }

std::string folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(ascii_lower(static_cast<unsigned char>(c)));
  return out;
}

// The text cut to at most READ_LIMIT bytes, at a line end where there is one.
std::string_view head_of(std::string_view text) {
  if (text.size() <= READ_LIMIT) return text;
  text = text.substr(0, READ_LIMIT);
  const std::size_t end = text.rfind('\n');
  return end == std::string_view::npos ? text : text.substr(0, end + 1);
}

bool starts(std::string_view s, std::size_t i, std::string_view what) {
  return s.substr(i, what.size()) == what;
}

// The text with what reads as comment or string in most languages blanked
// out, so that the words of prose (which keyword lists of SQL, Pascal or
// Visual Basic are full of) do not count as code: quotes within a line, the
// common block comments and docstrings, and the rest of a line after "//",
// after "#", "--" or ";" followed by a blank, or after a "%", "'" or "REM "
// starting it, and documentation from a line "=name" to a line "=cut" or
// "=end".  "#include", "#define" and the like stay.
std::string code_view(std::string_view text) {
  std::string out(text);
  std::size_t i = 0;
  const std::size_t n = out.size();
  bool line_start = true;
  const auto blank_until = [&](std::size_t end) {
    for (; i < end && i < n; ++i)
      if (out[i] != '\n') out[i] = ' ';
  };
  while (i < n) {
    const char c = out[i];
    if (c == '\n') {
      line_start = true;
      ++i;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    const bool at_start = line_start;
    line_start = false;
    // Documentation blocks: a line "=name" (Perl's POD, Ruby's =begin) up to
    // a line "=cut" or "=end".
    if (at_start && c == '=' && i + 1 < n && std::isalpha(static_cast<unsigned char>(out[i + 1]))) {
      std::size_t close = i;
      for (;;) {
        close = out.find("\n=", close);
        if (close == std::string::npos || starts(out, close + 1, "=cut") || starts(out, close + 1, "=end"))
          break;
        ++close;
      }
      if (close != std::string::npos) close = out.find('\n', close + 1);
      blank_until(close == std::string::npos ? n : close);
      continue;
    }
    std::string_view end;
    if (starts(out, i, "/*")) end = "*/";
    else if (starts(out, i, "<!--")) end = "-->";
    else if (starts(out, i, "\"\"\"")) end = "\"\"\"";
    else if (starts(out, i, "'''")) end = "'''";
    if (!end.empty()) {
      const std::size_t close = out.find(end, i + end.size());
      blank_until(close == std::string::npos ? n : close + end.size());
      continue;
    }
    const char next = i + 1 < n ? out[i + 1] : '\n';
    const bool blank_next = next == ' ' || next == '\t' || next == '\r' || next == '\n';
    if (starts(out, i, "//") || ((c == '#' || c == ';') && blank_next) ||
        (starts(out, i, "--") && (i + 2 >= n || out[i + 2] == ' ')) ||
        (at_start && (c == '%' || c == '\'' || starts(out, i, "REM ") || starts(out, i, "rem ")))) {
      const std::size_t eol = out.find('\n', i);
      blank_until(eol == std::string::npos ? n : eol);
      continue;
    }
    if (c == '"' || c == '\'' || c == '`') {
      std::size_t j = i + 1;
      while (j < n && out[j] != c && out[j] != '\n') j += out[j] == '\\' ? 2 : 1;
      if (j < n && out[j] == c) {
        blank_until(j + 1);
        continue;
      }
    }
    ++i;
  }
  return out;
}

}  // namespace

void LanguageGuesser::read_pack() const {
  if (read_) return;
  read_ = true;
  SyntaxSource& source = *source_;
  for (const std::string& name : source.section_names()) {
    std::optional<Syntax> syntax;
    try {
      syntax = read_syntax(source, name.c_str());
    } catch (const std::bad_alloc&) { syntax.reset(); }
    if (!syntax) continue;  // its keyword files cannot be read
    Section s;
    s.name = name;
    s.syntax = std::move(*syntax);
    sections_.push_back(std::move(s));
  }

  // How many sections list each word (letters folded) and each marker.
  std::unordered_map<std::string, int> word_sections, marker_sections;
  std::unordered_set<std::string> quotes;  // of any section
  for (Section& s : sections_) {
    std::vector<std::string> words;
    for (const KeywordTable* t : {s.syntax.keywords1.get(), s.syntax.keywords2.get()})
      if (t)
        for (std::size_t i = 0; i < t->count(); ++i) words.push_back(folded(t->keyword(i)));
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    for (const std::string& w : words) ++word_sections[w];
    if (const KeywordTable* t = s.syntax.keywords1.get())
      for (std::size_t i = 0; i < t->count(); ++i) s.reserved.push_back(folded(t->keyword(i)));
    std::sort(s.reserved.begin(), s.reserved.end());
    s.reserved.erase(std::unique(s.reserved.begin(), s.reserved.end()), s.reserved.end());
    for (const CommentPair& pair : s.syntax.comment_pairs)
      if (pair.start[0]) ++marker_sections[pair.start];
    for (const char* q : {s.syntax.quote1, s.syntax.quote2})
      if (q[0]) quotes.insert(q);
  }
  const double n = static_cast<double>(sections_.size()) + 1;
  for (Section& s : sections_) {
    for (int k = 0; k < 2; ++k) {
      const KeywordTable* t = k == 0 ? s.syntax.keywords1.get() : s.syntax.keywords2.get();
      std::vector<double>& weights = k == 0 ? s.weights1 : s.weights2;
      if (!t) continue;
      for (std::size_t i = 0; i < t->count(); ++i)
        weights.push_back(std::log(n / word_sections[folded(t->keyword(i))]));
    }
    for (const CommentPair& pair : s.syntax.comment_pairs)
      if (pair.start[0])
        s.markers.push_back(
            {pair.start, std::log(n / marker_sections[pair.start]), quotes.count(pair.start) != 0});
    s.hit_weight = list_weight((s.syntax.keywords1 ? s.syntax.keywords1->count() : 0) +
                               (s.syntax.keywords2 ? s.syntax.keywords2->count() : 0));
  }
}

LanguageGuesser::~LanguageGuesser() = default;

double LanguageGuesser::score(const Section& s, std::string_view text, std::string_view code) const {
  const Syntax& syntax = s.syntax;
  double total = 0;
  // Keywords: each distinct one by its weight, more uses adding less.
  for (int k = 0; k < 2; ++k) {
    const KeywordTable* t = k == 0 ? syntax.keywords1.get() : syntax.keywords2.get();
    if (!t || t->count() == 0) continue;
    const std::vector<double>& weights = k == 0 ? s.weights1 : s.weights2;
    std::vector<uint32_t> uses(t->count());
    std::vector<bool> as_listed(t->count());
    std::size_t i = 0;
    while (i < code.size()) {
      while (i < code.size() && syntax.delimiters[static_cast<unsigned char>(code[i])]) ++i;
      const std::size_t start = i;
      while (i < code.size() && !syntax.delimiters[static_cast<unsigned char>(code[i])]) ++i;
      if (i > start) {
        const std::string_view word = code.substr(start, i - start);
        const std::ptrdiff_t e = t->find_index(word);
        if (e >= 0) {
          ++uses[static_cast<std::size_t>(e)];
          if (word == t->keyword(static_cast<std::size_t>(e))) as_listed[static_cast<std::size_t>(e)] = true;
        }
      }
    }
    const double factor = k == 0 ? 1.0 : LIBRARY_FACTOR;
    // A word of a language that ignores case, met only in another case than
    // its list writes it ("name" for NAME), says less: it is often a name.
    for (std::size_t e = 0; e < uses.size(); ++e)
      if (uses[e])
        total += factor * (as_listed[e] ? 1.0 : OTHER_CASE_FACTOR) * (s.hit_weight + weights[e]) *
                 (1 + std::log(static_cast<double>(uses[e])));
  }
  // Comment markers starting a line.
  std::vector<uint32_t> lines(s.markers.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::size_t p = pos;
    while (p < end && (text[p] == ' ' || text[p] == '\t')) ++p;
    const std::string_view line = text.substr(p, end - p);
    for (std::size_t m = 0; m < s.markers.size(); ++m) {
      const Marker& marker = s.markers[m];
      if (line.substr(0, marker.text.size()) != marker.text) continue;
      // A marker that is another language's quote ("'" in Visual Basic)
      // counts only where it is not closed on the line.
      if (!marker.quote || line.find(marker.text, marker.text.size()) == std::string_view::npos) ++lines[m];
      break;
    }
    pos = end + 1;
  }
  for (std::size_t m = 0; m < s.markers.size(); ++m)
    if (lines[m]) total += s.markers[m].weight * 2 * std::log(1 + static_cast<double>(lines[m]));
  return total;
}

bool LanguageGuesser::related(const Section& a, const Section& b) {
  std::size_t shared = 0;
  for (auto i = a.reserved.begin(), j = b.reserved.begin(); i != a.reserved.end() && j != b.reserved.end();) {
    if (*i < *j) ++i;
    else if (*j < *i) ++j;
    else ++shared, ++i, ++j;
  }
  const std::size_t fewer = std::min(a.reserved.size(), b.reserved.size());
  return fewer > 0 && shared * 2 >= fewer;
}

std::vector<LanguageGuesser::Score> LanguageGuesser::rank(std::string_view text) const {
  read_pack();
  text = head_of(text);
  const std::string code = code_view(text);
  std::vector<Score> scores;
  // config.ini lists the languages people publish most first: a text that
  // reads alike in two gets the more common one.
  for (std::size_t i = 0; i < sections_.size(); ++i)
    scores.push_back(
        {sections_[i].name,
         score(sections_[i], text, code) * (1 + COMMON_BONUS / (1 + static_cast<double>(i) / COMMON_SPAN))});
  std::stable_sort(scores.begin(), scores.end(),
                   [](const Score& a, const Score& b) { return a.score > b.score; });
  // Near ties between related sections go to the one nearer the top of
  // config.ini, which lists the more common languages first (C before C++,
  // JavaScript before TypeScript, whose keywords hold the other's).
  if (!scores.empty()) {
    const auto position = [&](const std::string& name) {
      std::size_t i = 0;
      while (sections_[i].name != name) ++i;
      return i;
    };
    std::size_t best = position(scores[0].syntax);
    for (std::size_t k = 1; k < scores.size() && scores[k].score >= scores[0].score * (1 - NEAR_TIE); ++k)
      if (const std::size_t p = position(scores[k].syntax);
          p < best && related(sections_[p], sections_[best])) {
        std::swap(scores[0], scores[k]);
        best = p;
      }
  }
  return scores;
}

std::string LanguageGuesser::guess(std::string_view text) const {
  std::vector<Score> scores = rank(text);
  if (scores.empty() || scores[0].score < MIN_SCORE) return {};
  return scores[0].syntax;
}

}  // namespace vorel
