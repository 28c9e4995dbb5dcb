// File-name patterns of the "files" key.
#include "engine/file_names.h"

#include <cstdint>

#include "engine/language_guess.h"
#include "engine/syntax.h"
#include "text/ascii.h"

namespace vorel {

namespace {

// A key of a section; longer lists are cut, as every value read is.
std::string key_of(SyntaxSource& source, const std::string& section, const char* key) {
  char buf[4096];
  const uint32_t n = source.get_string(section.c_str(), key, buf, sizeof buf);
  return std::string(buf, n);
}

std::string files_of(SyntaxSource& source, const std::string& section) {
  return key_of(source, section, "files");
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && (is_blank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (is_blank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool starts_with_folded(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (ascii_lower(s[i]) != ascii_lower(prefix[i])) return false;
  return true;
}

std::size_t find_folded(std::string_view s, std::string_view what, std::size_t from = 0) {
  for (std::size_t i = from; i + what.size() <= s.size(); ++i)
    if (starts_with_folded(s.substr(i), what)) return i;
  return std::string_view::npos;
}

// The text without a UTF-8 byte-order mark.
std::string_view without_bom(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}

// The lines of a text one at a time, without their line ends: only LF ends
// a line here, and a CR before it is dropped.
class Lines {
 public:
  explicit Lines(std::string_view text) : rest_(text) {}
  bool next(std::string_view& line) {
    if (done_) return false;
    const std::size_t end = rest_.find('\n');
    line = rest_.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (end == std::string_view::npos) done_ = true;
    else rest_.remove_prefix(end + 1);
    return true;
  }

 private:
  std::string_view rest_;
  bool done_ = false;
};

// The next blank-separated word of s from i on; i moves past it.
std::string_view next_word(std::string_view s, std::size_t& i) {
  while (i < s.size() && is_blank(s[i])) ++i;
  const std::size_t start = i;
  while (i < s.size() && !is_blank(s[i])) ++i;
  return s.substr(start, i - start);
}

std::string_view base_program(std::string_view word) {
  word = file_base_name(word);
  if (word.size() > 4 && starts_with_folded(word.substr(word.size() - 4), ".exe")) word.remove_suffix(4);
  return word;
}

// The mode of an Emacs "-*- ... -*-" line, or empty.
std::string_view emacs_first_line_mode(std::string_view line) {
  const std::size_t open = line.find("-*-");
  if (open == std::string_view::npos) return {};
  const std::size_t close = line.find("-*-", open + 3);
  if (close == std::string_view::npos) return {};
  std::string_view inside = line.substr(open + 3, close - open - 3);
  if (inside.find(':') == std::string_view::npos) return trim_blanks(inside);
  // "var: value; var: value"
  while (!inside.empty()) {
    const std::size_t semi = inside.find(';');
    std::string_view item = inside.substr(0, semi);
    inside = semi == std::string_view::npos ? std::string_view() : inside.substr(semi + 1);
    const std::size_t colon = item.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string_view var = trim_blanks(item.substr(0, colon));
    if (var.size() == 4 && starts_with_folded(var, "mode")) return trim_blanks(item.substr(colon + 1));
  }
  return {};
}

// The mode of an Emacs "Local Variables:" block in the last 3000 bytes.
std::string_view emacs_local_variables_mode(std::string_view text) {
  const std::size_t from = text.size() > 3000 ? text.size() - 3000 : 0;
  const std::size_t at = find_folded(text, "Local Variables:", from);
  if (at == std::string_view::npos) return {};
  const std::size_t line_start =
      text.rfind('\n', at) == std::string_view::npos ? 0 : text.rfind('\n', at) + 1;
  const std::string_view prefix = trim_blanks(text.substr(line_start, at - line_start));
  Lines lines(text.substr(at));
  std::string_view line;
  lines.next(line);  // the "Local Variables:" line itself
  while (lines.next(line)) {
    line = trim_blanks(line);
    if (line.substr(0, prefix.size()) == prefix) line = trim_blanks(line.substr(prefix.size()));
    if (starts_with_folded(line, "End:")) break;
    if (starts_with_folded(line, "mode:")) {
      std::size_t i = 5;
      return next_word(line, i);
    }
  }
  return {};
}

std::string_view without_mode_suffix(std::string_view mode) {
  if (mode.size() > 5 && starts_with_folded(mode.substr(mode.size() - 5), "-mode")) mode.remove_suffix(5);
  return mode;
}

// The file type a Vim modeline in line sets, or empty.
std::string_view vim_line_type(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (i > 0 && !is_blank(line[i - 1])) continue;
    std::size_t j = i;
    if (line.substr(j, 3) == "vim" || line.substr(j, 3) == "Vim") {
      j += 3;
      while (j < line.size() &&
             ((line[j] >= '0' && line[j] <= '9') || line[j] == '<' || line[j] == '>' || line[j] == '='))
        ++j;
    } else if (line.substr(j, 2) == "vi" || line.substr(j, 2) == "ex") {
      j += 2;
    } else {
      continue;
    }
    if (j >= line.size() || line[j] != ':') continue;
    std::string_view options = line.substr(j + 1);
    std::size_t k = 0;
    while (k < options.size() && is_blank(options[k])) ++k;
    options.remove_prefix(k);
    bool set_form = false;
    for (std::string_view set : {"set ", "se "})
      if (options.substr(0, set.size()) == set) {
        options.remove_prefix(set.size());
        set_form = true;
        break;
      }
    // "set" options end at the next ':'; the other form separates them by
    // blanks or ':'.
    if (set_form) options = options.substr(0, options.find(':'));
    std::size_t p = 0;
    while (p < options.size()) {
      while (p < options.size() && (is_blank(options[p]) || options[p] == ':')) ++p;
      std::size_t q = p;
      while (q < options.size() && !is_blank(options[q]) && options[q] != ':') ++q;
      const std::string_view option = options.substr(p, q - p);
      p = q;
      const std::size_t eq = option.find('=');
      if (eq == std::string_view::npos) continue;
      const std::string_view name = option.substr(0, eq);
      if (name == "ft" || name == "filetype" || name == "syntax" || name == "syn") {
        std::string_view type = option.substr(eq + 1);
        return type.substr(0, type.find('.'));
      }
    }
    return {};
  }
  return {};
}

// The first of names whose value of key has a pattern matching word, or "".
std::string first_matching(SyntaxSource& source, const std::vector<std::string>& names, const char* key,
                           std::string_view word) {
  if (word.empty()) return {};
  for (const std::string& name : names)
    if (matches_any_pattern(key_of(source, name, key), word)) return name;
  return {};
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
  return matches_any_pattern(patterns, file_base_name(path));
}

bool matches_any_pattern(std::string_view patterns, std::string_view name) {
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

std::string_view shebang_program(std::string_view text) {
  text = without_bom(text);
  if (text.substr(0, 2) != "#!") return {};
  std::string_view line = text.substr(2);
  line = trim_blanks(line.substr(0, line.find('\n')));
  std::size_t i = 0;
  std::string_view program = base_program(next_word(line, i));
  if (program != "env") return program;
  for (;;) {
    const std::string_view word = next_word(line, i);
    if (word.empty()) return {};
    if (word == "-u" || word == "-C" || word == "--unset" || word == "--chdir") {
      next_word(line, i);  // the option's argument
      continue;
    }
    if (word.substr(0, 2) == "-S" && word.size() > 2) return base_program(word.substr(2));
    if (word[0] == '-' || word.find('=') != std::string_view::npos) continue;
    return base_program(word);
  }
}

std::string_view modeline_mode(std::string_view text) {
  text = without_bom(text);
  Lines lines(text);
  std::string_view first, second;
  lines.next(first);
  lines.next(second);
  std::string_view mode = emacs_first_line_mode(first);
  if (mode.empty() && first.substr(0, 2) == "#!") mode = emacs_first_line_mode(second);
  if (mode.empty()) mode = emacs_local_variables_mode(text);
  if (!mode.empty()) return without_mode_suffix(mode);

  // Vim reads the first and the last five lines.
  Lines head(text);
  std::string_view line;
  for (int n = 0; n < 5 && head.next(line);) {
    if (std::string_view type = vim_line_type(line); !type.empty()) return type;
    ++n;
  }
  std::size_t end = text.size();
  if (end > 0 && text[end - 1] == '\n') --end;
  for (int n = 0; n < 5 && end > 0; ++n) {
    const std::size_t start = text.rfind('\n', end - 1);
    const std::size_t begin = start == std::string_view::npos ? 0 : start + 1;
    if (std::string_view type = vim_line_type(trim_blanks(text.substr(begin, end - begin))); !type.empty())
      return type;
    if (start == std::string_view::npos) break;
    end = start;
  }
  return {};
}

const char* syntax_rule_name(SyntaxRule rule) {
  switch (rule) {
    case SyntaxRule::FILE_NAME: return "file name";
    case SyntaxRule::SHEBANG: return "#! line";
    case SyntaxRule::MODELINE: return "modeline";
    case SyntaxRule::FIRST_LINE: return "first line";
    case SyntaxRule::CONTENT: return "first lines";
    case SyntaxRule::GUESS: return "guess";
    case SyntaxRule::NONE: break;
  }
  return "none";
}

SyntaxPick pick_syntax(SyntaxSource& source, std::string_view path, std::string_view text,
                       const LanguageGuesser* guesser) {
  SyntaxPick pick;
  const std::vector<std::string> names = source.section_names();
  if (!file_base_name(path).empty())
    for (const std::string& name : names)
      if (matches_file_patterns(files_of(source, name), path)) pick.name_matches.push_back(name);
  const auto chosen = [&](std::string syntax, SyntaxRule rule) {
    pick.syntax = std::move(syntax);
    pick.rule = rule;
    return !pick.syntax.empty();
  };
  if (pick.name_matches.size() == 1) {
    chosen(pick.name_matches[0], SyntaxRule::FILE_NAME);
    return pick;
  }
  text = without_bom(text);
  if (chosen(first_matching(source, names, "shebang", shebang_program(text)), SyntaxRule::SHEBANG) ||
      chosen(first_matching(source, names, "modeline", modeline_mode(text)), SyntaxRule::MODELINE))
    return pick;

  if (pick.name_matches.size() > 1) {
    // The earliest line one of the sections' "content" patterns match.
    std::vector<std::string> patterns;
    for (const std::string& name : pick.name_matches) patterns.push_back(key_of(source, name, "content"));
    Lines lines(text);
    std::string_view line;
    for (int n = 0; n < 100 && lines.next(line); ++n) {
      line = trim_blanks(line);
      for (std::size_t i = 0; i < patterns.size(); ++i)
        if (matches_any_pattern(patterns[i], line)) {
          chosen(pick.name_matches[i], SyntaxRule::CONTENT);
          return pick;
        }
    }
    chosen(pick.name_matches[0], SyntaxRule::FILE_NAME);
    return pick;
  }

  // The first two non-blank lines; the second's match wins, as an XHTML
  // page's "<!DOCTYPE html" after its "<?xml" line.
  Lines lines(text);
  std::string_view first, second;
  while (lines.next(first) && trim_blanks(first).empty()) {}
  while (lines.next(second) && trim_blanks(second).empty()) {}
  if (chosen(first_matching(source, names, "firstline", trim_blanks(second)), SyntaxRule::FIRST_LINE) ||
      chosen(first_matching(source, names, "firstline", trim_blanks(first)), SyntaxRule::FIRST_LINE))
    return pick;
  if (guesser) chosen(guesser->guess(text), SyntaxRule::GUESS);
  if (pick.syntax.empty()) pick.rule = SyntaxRule::NONE;
  return pick;
}

}  // namespace vorel
