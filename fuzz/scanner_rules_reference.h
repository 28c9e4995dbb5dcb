// A slow restatement of the scanning rules a section opts into with keys of its own
// (escape characters, quotes that span lines, string pairs, where comment markers count,
// nesting comments, here-documents, regular expression literals, code inside strings,
// symbols), one position at a time with no shortcuts, and of the
// emitting rules for the tokens.  Shared by the fuzz_scanner_rules target and the engine
// test that runs it on seeded random sections.
//
// The rules are read from the section's key values as config.ini gives them (through a
// SyntaxSource) and interpreted here; only the plain parts that older checks already cover
// (quotes, comment markers, delimiters, styles) are taken from the loaded Syntax.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/emitter.h"
#include "engine/keywords.h"
#include "engine/scanner.h"
#include "engine/sink.h"
#include "engine/syntax.h"

namespace rules_ref {

using Token = std::pair<int, std::string_view>;  // views into the text

enum class Guard { none, escape_char, doubled };

// How a string keeps its end marker from ending it.
struct Protection {
  Guard guard = Guard::none;
  char ch = 0;  // with escape_char
};

struct StringRule {
  std::string start, end;
  Protection protection;
  bool interpolates = false;
};

struct CommentRule {
  std::string start, end;  // end "\r": a line comment
  enum { anywhere, line_start, word_start } place = anywhere;
  bool nests = false;
};

struct Rules {
  char quote[2] = {};
  Protection quote_protection[2];
  bool quotes_span_lines = false;
  char escape = 0;
  std::vector<StringRule> strings;  // in key order (string1 first)
  std::vector<CommentRule> comments;
  std::string heredoc;
  bool heredoc_space = false;
  bool delimiter[256] = {};
  char regex = 0;           // opens and closes a regular expression literal
  std::string interpolate;  // the marker of code inside a string
  bool quote_interpolates[2] = {};
  char symbol = 0;                                 // :name and name:
  const vorel::KeywordTable* keywords1 = nullptr;  // the words after which a regex may open
};

inline std::string get(vorel::SyntaxSource& src, const char* section, const std::string& key,
                       uint32_t size = 256) {
  std::string buf(size, '\0');
  const uint32_t n = src.get_string(section, key.c_str(), buf.data(), size);
  buf.resize(std::strlen(buf.c_str()));
  (void)n;
  return buf;
}

inline bool is_word(const std::string& value, const char* word) {
  if (value.size() != std::strlen(word)) return false;
  for (std::size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return true;
}

// "none", "double", one character, or (empty) the section's escape character if it has one.
inline Protection protection_of(const std::string& value, char escape) {
  if (is_word(value, "none")) return {};
  if (is_word(value, "double")) return {Guard::doubled, 0};
  const char c = value.empty() ? escape : value[0];
  if (c == 0) return {};
  return {Guard::escape_char, c};
}

// The rules of `section`: markers as config.ini gives them (7 characters at most).
inline Rules read_rules(vorel::SyntaxSource& src, const char* section, const vorel::Syntax& loaded) {
  Rules r;
  r.quote[0] = loaded.quote1[0];
  r.quote[1] = loaded.quote2[0];
  for (int b = 0; b < 256; ++b) r.delimiter[b] = loaded.delimiters[b];
  r.escape = get(src, section, "escape")[0];
  r.quotes_span_lines = src.get_int(section, "str_multiline") != 0;
  r.quote_protection[0] = protection_of(get(src, section, "str1escape"), r.escape);
  r.quote_protection[1] = protection_of(get(src, section, "str2escape"), r.escape);
  for (int n = 1; n <= 8; ++n) {
    const std::string key = "string" + std::to_string(n);
    StringRule s;
    s.start = get(src, section, key, 8);
    if (s.start.empty()) break;  // the pairs in use end at the first one missing
    s.end = get(src, section, key + "e", 8);
    if (s.end.empty()) s.end = s.start;
    s.protection = protection_of(get(src, section, key + "escape"), r.escape);
    s.interpolates = src.get_int(section, (key + "interpolate").c_str()) != 0;
    r.strings.push_back(s);
  }
  for (int n = 1; n <= 6; ++n) {
    const vorel::CommentPair& pair = loaded.comment_pairs[n - 1];
    if (pair.start[0] == 0) break;
    CommentRule c;
    c.start = pair.start;
    c.end = pair.end;
    const std::string at = get(src, section, "comment" + std::to_string(n) + "at");
    c.place = is_word(at, "line")   ? CommentRule::line_start
              : is_word(at, "word") ? CommentRule::word_start
                                    : CommentRule::anywhere;
    c.nests = src.get_int(section, ("comment" + std::to_string(n) + "nest").c_str()) != 0;
    r.comments.push_back(c);
  }
  r.heredoc = get(src, section, "heredoc", 8);
  r.heredoc_space = src.get_int(section, "heredoc_space") != 0;
  r.regex = get(src, section, "regex")[0];
  r.symbol = get(src, section, "symbol")[0];
  r.interpolate = get(src, section, "interpolate", 8);
  r.quote_interpolates[0] = src.get_int(section, "str1interpolate") != 0;
  r.quote_interpolates[1] = src.get_int(section, "str2interpolate") != 0;
  if (r.interpolate.empty()) {  // the flags mean nothing without a marker
    r.quote_interpolates[0] = r.quote_interpolates[1] = false;
    for (StringRule& s : r.strings) s.interpolates = false;
  }
  r.keywords1 = loaded.keywords1.get();
  return r;
}

inline bool has_line_end(std::string_view s) {
  for (char c : s)
    if (c == '\r' || c == '\n') return true;
  return false;
}

inline bool name_start(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
inline bool name_byte(char c) { return name_start(c) || (c >= '0' && c <= '9'); }

// The tokens of t (which holds no zero byte).  lf_lines: an LF ends a line (Unix text),
// else a CR does.
inline std::vector<Token> scan(const Rules& r, std::string_view t, bool lf_lines) {
  std::vector<Token> out;
  const std::size_t n = t.size();
  const char eol = lf_lines ? '\n' : '\r';
  auto at = [&](std::size_t i) { return i < n ? t[i] : '\0'; };
  auto starts_at = [&](std::size_t i, const std::string& m) {
    return !m.empty() && i + m.size() <= n && t.compare(i, m.size(), m) == 0;
  };
  // One past the line end at or after i (CR LF counts as one in CR text), or n.
  auto next_line = [&](std::size_t i) {
    while (i < n && t[i] != eol) ++i;
    if (i == n) return n;
    ++i;
    if (eol == '\r' && at(i) == '\n') ++i;
    return i;
  };

  std::size_t p = 0, pending = 0;
  std::size_t floor = 0;  // where the last string or comment ended
  bool heredoc_waiting = false;
  std::size_t body = 0;
  std::string_view name;

  auto word = [&](std::size_t to) { out.emplace_back(vorel::TOKEN_WORD, t.substr(pending, to - pending)); };
  // Emits the token [p, stop) after the word before it; false at the end of the text.
  auto take = [&](int kind, std::size_t stop) {
    word(p);
    out.emplace_back(kind, t.substr(p, stop - p));
    p = pending = floor = stop;
    return stop < n;
  };
  auto escaped = [&](std::size_t i) {
    if (r.escape == 0) return false;
    int run = 0;
    while (i > floor && t[i - 1] == r.escape) --i, ++run;
    return run % 2 == 1;
  };
  // One past the end of a string whose text begins at q.
  auto string_end = [&](std::size_t q, const std::string& end_marker, Protection pr) {
    while (q < n) {
      if (pr.guard == Guard::escape_char && t[q] == pr.ch) {
        q += 2;
        continue;
      }
      if (starts_at(q, end_marker)) {
        if (pr.guard == Guard::doubled && starts_at(q + end_marker.size(), end_marker)) {
          q += 2 * end_marker.size();
          continue;
        }
        return q + end_marker.size();
      }
      ++q;
    }
    return n;
  };
  auto string_kind = [&](std::size_t stop) {
    return has_line_end(t.substr(p, stop - p)) ? vorel::TOKEN_BLOCK_STRING : vorel::TOKEN_STRING;
  };

  // Code inside strings.  An interpolation opens at i when the marker stands there and is
  // followed, for a bare marker, by a name, one digit or special byte, or a bracket; a
  // bracket (the marker's last byte or the one after it) runs to its match before limit.
  // Returns one past it, or npos.
  const std::string& im = r.interpolate;
  constexpr std::size_t none = std::string_view::npos;
  auto opening_bracket = [&](std::size_t i) -> char {
    const char last = im.back();
    if (last == '{' || last == '(') return last;
    const char next = at(i + im.size());
    return next == '{' || next == '(' ? next : 0;
  };
  auto interpolation = [&](std::size_t i, std::size_t limit) -> std::size_t {
    if (im.empty() || i + im.size() > limit || t.compare(i, im.size(), im) != 0) return none;
    std::size_t q = i + im.size();
    const char open = q < limit ? opening_bracket(i) : (im.back() == '{' || im.back() == '(' ? im.back() : 0);
    if (open == 0) {
      if (q >= limit) return none;
      const char b = t[q];
      if (name_start(b)) {
        while (q < limit && name_byte(t[q])) ++q;
        return q;
      }
      if ((b >= '0' && b <= '9') || std::strchr("@*#?$!-", b)) return q + 1;
      return none;
    }
    if (im.back() != open) ++q;  // the bracket after a bare marker
    const char close = open == '{' ? '}' : ')';
    int depth = 1;
    for (; q < limit; ++q) {
      if (t[q] == open) ++depth;
      else if (t[q] == close && --depth == 0) return q + 1;
    }
    return none;
  };
  // Where an interpolating string whose text begins at q stops (one past its end), and
  // where its text ends (its end marker, if found, is no text).  The end marker and the line
  // end of a one-line string count outside the bracketed interpolations only.
  struct Span {
    std::size_t stop, text_end;
  };
  auto interpolated_end = [&](std::size_t q, const std::string& end_marker, Protection pr, bool one_line) {
    while (q < n) {
      if (one_line && t[q] == eol) return Span{q + 1, q + 1};
      if (pr.guard == Guard::escape_char && t[q] == pr.ch) {
        if (q + 1 >= n) return Span{n, n};
        if (one_line && t[q + 1] == eol) return Span{q + 2, q + 2};
        q += 2;
        continue;
      }
      if (starts_at(q, end_marker)) {
        if (pr.guard == Guard::doubled && starts_at(q + end_marker.size(), end_marker)) {
          q += 2 * end_marker.size();
          continue;
        }
        return Span{q + end_marker.size(), q};
      }
      if (opening_bracket(q)) {
        const std::size_t after = interpolation(q, n);
        if (after != none) {
          q = after;
          continue;
        }
      }
      ++q;
    }
    return Span{n, n};
  };
  // Emits an interpolating string [p, s.stop) whose text begins at from: the literal parts
  // as strings (the line end that cuts a one-line string spans no lines), the code as words, delimiters
  // and strings of the two quotes; a {...} around the code stays with the string.
  auto take_interpolated = [&](std::size_t from, Span s, Protection pr, bool one_line) {
    word(p);
    auto literal = [&](std::size_t x, std::size_t y) {
      if (x < y)
        out.emplace_back(has_line_end(t.substr(x, (one_line && y == s.stop ? y - 1 : y) - x))
                             ? vorel::TOKEN_BLOCK_STRING
                             : vorel::TOKEN_STRING,
                         t.substr(x, y - x));
    };
    auto code = [&](std::size_t x, std::size_t y) {
      std::size_t w = x;
      for (std::size_t i = x; i < y;) {
        const char b = t[i];
        if (b == r.quote[0] || b == r.quote[1]) {  // never zero: the text holds none
          if (i > w) out.emplace_back(vorel::TOKEN_WORD, t.substr(w, i - w));
          std::size_t j = i + 1;
          while (j < y && t[j] != b) ++j;
          const std::size_t after = j < y ? j + 1 : y;
          out.emplace_back(
              has_line_end(t.substr(i, after - i)) ? vorel::TOKEN_BLOCK_STRING : vorel::TOKEN_STRING,
              t.substr(i, after - i));
          i = w = after;
          continue;
        }
        if (r.delimiter[static_cast<unsigned char>(b)]) {
          if (i > w) out.emplace_back(vorel::TOKEN_WORD, t.substr(w, i - w));
          out.emplace_back(vorel::TOKEN_DELIMITER, t.substr(i, 1));
          w = i + 1;
        }
        ++i;
      }
      if (w < y) out.emplace_back(vorel::TOKEN_WORD, t.substr(w, y - w));
    };
    std::size_t lit = p;
    for (std::size_t q = from; q < s.text_end;) {
      if (pr.guard == Guard::escape_char && t[q] == pr.ch) {
        q += 2;
        continue;
      }
      const std::size_t after = interpolation(q, s.text_end);
      if (after == none) {
        ++q;
        continue;
      }
      if (opening_bracket(q) == '{') {
        const std::size_t open = im.back() == '{' ? q + im.size() - 1 : q + im.size();
        literal(lit, open + 1);
        code(open + 1, after - 1);
        lit = after - 1;
      } else {
        literal(lit, q);
        code(q, after);
        lit = after;
      }
      q = after;
    }
    literal(lit, s.stop);
    p = pending = floor = s.stop;
    return s.stop < n;
  };

  for (;;) {
    if (heredoc_waiting && p > body) heredoc_waiting = false;  // its line end was in a string or comment
    if (heredoc_waiting && p == body) {
      heredoc_waiting = false;
      std::size_t line = body, stop = n;
      while (line < n) {
        std::size_t i = line;
        while (i < n && (t[i] == ' ' || t[i] == '\t')) ++i;
        if (t.substr(i, name.size()) == name) {
          const char after = at(i + name.size());
          if (after == 0 || std::strchr("\r\n;,) \t", after)) {
            stop = i + name.size();
            break;
          }
        }
        line = next_line(line);
      }
      if (!take(string_kind(stop), stop)) return out;
      continue;
    }
    if (p == n) {
      if (p != pending) word(p);
      return out;
    }
    const char c = t[p];

    // String pairs: the longest start marker here, the first key among equals.
    if (!escaped(p)) {
      const StringRule* hit = nullptr;
      for (const StringRule& s : r.strings)
        if (starts_at(p, s.start) && (!hit || s.start.size() > hit->start.size())) hit = &s;
      if (hit && hit->interpolates) {
        const std::size_t from = p + hit->start.size();
        if (!take_interpolated(from, interpolated_end(from, hit->end, hit->protection, false),
                               hit->protection, false))
          return out;
        continue;
      }
      if (hit) {
        if (!take(string_kind(string_end(p + hit->start.size(), hit->end, hit->protection)),
                  string_end(p + hit->start.size(), hit->end, hit->protection)))
          return out;
        continue;
      }
    }

    // A here-document opener: marker, optional - or ~, blanks if allowed, a name that may
    // be quoted or follow a backslash.
    if (!heredoc_waiting && starts_at(p, r.heredoc)) {
      std::size_t q = p + r.heredoc.size();
      if (at(q) == '-' || at(q) == '~') ++q;
      if (r.heredoc_space)
        while (at(q) == ' ' || at(q) == '\t') ++q;
      char quote = 0;
      if (at(q) == '\'' || at(q) == '"' || at(q) == '`') quote = t[q++];
      else if (at(q) == '\\') ++q;
      if (name_start(at(q))) {
        const std::size_t name_at = q;
        while (name_byte(at(q))) ++q;
        const std::size_t name_end = q;
        bool ok = true;
        if (quote) {
          ok = at(q) == quote;
          ++q;
        }
        if (ok) {
          // Its text runs from the next line, if there is text after this line.
          if (next_line(q) < n) {
            heredoc_waiting = true;
            body = next_line(q);
            name = t.substr(name_at, name_end - name_at);
          }
          if (!take(vorel::TOKEN_STRING, q)) return out;
          continue;
        }
      }
    }

    // The two quotes.
    const int slot = r.quote[0] && c == r.quote[0] ? 0 : r.quote[1] && c == r.quote[1] ? 1 : -1;
    if (slot >= 0 && !escaped(p)) {
      const Protection pr = r.quote_protection[slot];
      std::size_t stop;
      if (r.quote_interpolates[slot]) {
        const bool one_line = !r.quotes_span_lines;
        if (!take_interpolated(p + 1, interpolated_end(p + 1, std::string(1, c), pr, one_line), pr, one_line))
          return out;
        continue;
      }
      if (r.quotes_span_lines) {
        stop = string_end(p + 1, std::string(1, c), pr);
        if (!take(string_kind(stop), stop)) return out;
        continue;
      }
      // A one-line string ends at its quote or its line end, whatever comes before it.
      std::size_t q = p + 1;
      stop = n;
      while (q < n) {
        if (t[q] == eol) {
          stop = q + 1;
          break;
        }
        if (t[q] == c) {
          if (pr.guard == Guard::doubled && at(q + 1) == c) {
            q += 2;
            continue;
          }
          stop = q + 1;
          break;
        }
        if (pr.guard == Guard::escape_char && t[q] == pr.ch) {
          if (at(q + 1) == eol) {
            stop = q + 2;
            break;
          }
          q += 2;
          continue;
        }
        ++q;
      }
      if (stop > n) stop = n;
      if (!take(vorel::TOKEN_STRING, stop)) return out;
      continue;
    }

    // Comments: the first pair whose marker starts here and may start here.
    const bool line_start = p == 0 || t[p - 1] == '\r' || t[p - 1] == '\n';
    const CommentRule* hit = nullptr;
    for (const CommentRule& cr : r.comments) {
      if (!starts_at(p, cr.start)) continue;
      if (cr.place == CommentRule::line_start && !line_start) continue;
      if (cr.place == CommentRule::word_start && !line_start && t[p - 1] != ' ' && t[p - 1] != '\t') continue;
      hit = &cr;
      break;
    }
    if (hit) {
      const bool line = hit->end[0] == '\r';
      const std::string end_marker = line ? std::string(1, eol) : hit->end;
      std::size_t stop = n;
      if (hit->nests && !line) {  // only block comments nest
        int depth = 1;
        for (std::size_t q = p + hit->start.size(); q < n;) {
          if (starts_at(q, end_marker)) {
            q += end_marker.size();
            if (--depth == 0) {
              stop = q;
              break;
            }
          } else if (starts_at(q, hit->start)) {
            q += hit->start.size();
            ++depth;
          } else {
            ++q;
          }
        }
      } else {
        for (std::size_t q = p + 1; q < n; ++q)
          if (starts_at(q, end_marker)) {
            stop = q + end_marker.size();
            break;
          }
      }
      if (!take(line ? vorel::TOKEN_LINE_COMMENT : vorel::TOKEN_BLOCK_COMMENT, stop)) return out;
      continue;
    }

    // Symbols: the symbol byte, not doubled (a scope), either ends the word before it (a
    // key: a word that begins with a name byte, not after another symbol byte, followed by
    // a blank, ',' or ')' or the end), or begins one of its own: the name after it, with
    // one '?' or '!', when no name byte stands before it.
    if (r.symbol && c == r.symbol && !(p > 0 && t[p - 1] == c) && at(p + 1) != c) {
      const char next = at(p + 1);
      if (p != pending && name_start(t[pending]) && (pending == 0 || t[pending - 1] != c) &&
          (next == 0 || next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == ',' ||
           next == ')')) {
        out.emplace_back(vorel::TOKEN_STRING, t.substr(pending, p + 1 - pending));
        p = pending = floor = p + 1;
        if (p == n) return out;
        continue;
      }
      if (p == pending && name_start(next) && (p == 0 || !name_byte(t[p - 1]))) {
        std::size_t stop = p + 1;
        while (name_byte(at(stop))) ++stop;
        if (at(stop) == '?' || at(stop) == '!') ++stop;
        if (!take(vorel::TOKEN_STRING, stop)) return out;
        continue;
      }
    }

    // A regular expression literal: where an operand may stand (the last byte before it
    // that is no blank or line end, if any, is an operator or opening bracket, or ends a
    // word of the first keyword file), from the regex byte (not followed by '*' or itself)
    // to the next one on its line that is neither after a backslash nor inside [...],
    // with the lower-case letters after it.
    if (r.regex && c == r.regex) {
      std::size_t b = p;
      while (b > 0 && (t[b - 1] == ' ' || t[b - 1] == '\t' || t[b - 1] == '\r' || t[b - 1] == '\n')) --b;
      bool operand = b == 0;
      if (b > 0) {
        const char prev = t[b - 1];
        if (name_byte(prev) || prev == '$') {
          std::size_t w = b - 1;
          while (w > 0 && (name_byte(t[w - 1]) || t[w - 1] == '$')) --w;
          operand = vorel::find_keyword(r.keywords1, t.substr(w, b - w)).has_value();
        } else {
          operand = std::strchr("(,=:[!&|?{};~+-*%<>^", prev) != nullptr;
        }
      }
      std::size_t stop = 0;
      if (operand && p + 1 < n && t[p + 1] != '*' && t[p + 1] != c) {
        bool in_class = false;
        for (std::size_t q = p + 1; q < n && t[q] != '\r' && t[q] != '\n'; ++q) {
          if (t[q] == '\\') {
            if (q + 1 >= n || t[q + 1] == '\r' || t[q + 1] == '\n') break;  // never past its line
            ++q;
          } else if (t[q] == '[') {
            in_class = true;
          } else if (t[q] == ']') {
            in_class = false;
          } else if (t[q] == c && !in_class) {
            stop = q + 1;
            while (at(stop) >= 'a' && at(stop) <= 'z') ++stop;
            break;
          }
        }
      }
      if (stop) {
        if (!take(vorel::TOKEN_STRING, stop)) return out;
        continue;
      }
    }

    if (r.delimiter[static_cast<unsigned char>(c)]) {
      if (p != pending) word(p);
      out.emplace_back(vorel::TOKEN_DELIMITER, t.substr(p, 1));
      pending = p + 1;
    }
    ++p;
  }
}

inline std::string escaped_text(std::string_view s) {
  std::string out;
  for (char c : s) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
  return out;
}

// A styled run: the template of the value's style (the low three bits of the top byte)
// with the colour as RRGGBB.
inline void styled(std::string& out, uint32_t value, std::string_view text, bool html) {
  static const char* const HTML[8] = {"<font color=%06X>%s</font>",
                                      "<b><font color=%06X>%s</font></b>",
                                      "<i><font color=%06X>%s</font></i>",
                                      "<b><i><font color=%06X>%s</font></i></b>",
                                      "<u><font color=%06X>%s</font></u>",
                                      "<b><u><font color=%06X>%s</font></u></b>",
                                      "<u><i><font color=%06X>%s</font></i></u>",
                                      "<b><i><u><font color=%06X>%s</font></u></i></b>"};
  static const char* const UBB[8] = {"[color=#%06X]%s[/color]",
                                     "[b][color=#%06X]%s[/color][/b]",
                                     "[i][color=#%06X]%s[/color][/i]",
                                     "[b][i][color=#%06X]%s[/color][/i][/b]",
                                     "[u][color=#%06X]%s[/color][/u]",
                                     "[b][u][color=#%06X]%s[/color][/u][/b]",
                                     "[u][i][color=#%06X]%s[/color][/i][/u]",
                                     "[b][i][u][color=#%06X]%s[/color][/u][/i][/b]"};
  // Through a pointer: g++ 12 with -fsanitize=address,undefined at -O1 indexes
  // (html ? HTML : UBB)[i] into the wrong table.
  const char* const* table = html ? HTML : UBB;
  const char* tpl = table[(value >> 24) & 7];
  const uint32_t rgb = (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
  const std::string body = escaped_text(text);
  std::string buf(std::strlen(tpl) + body.size() + 16, '\0');
  buf.resize(static_cast<std::size_t>(std::snprintf(buf.data(), buf.size(), tpl, rgb, body.c_str())));
  out += buf;
}

// The markup the emitting rules give for the tokens.  Runs that span lines (block
// comments and strings) keep their line ends inside, an LF of Unix text written as CR LF;
// other strings and line comments end their run at the line end, the line break after it.
inline std::string emit(const vorel::Syntax& st, const std::vector<Token>& tokens, bool html, bool lf_lines) {
  std::string out;
  const char eol = lf_lines ? '\n' : '\r';
  for (const auto& [kind, text] : tokens) {
    switch (kind) {
      case vorel::TOKEN_DELIMITER:
        out += text[0] == '\r' ? "\r\n" : text[0] == '\n' ? (lf_lines ? "\r\n" : "") : escaped_text(text);
        break;
      case vorel::TOKEN_WORD: {
        if (text.empty()) break;
        std::optional<uint32_t> v = vorel::find_keyword(st.keywords1.get(), text);
        if (!v) v = vorel::find_keyword(st.keywords2.get(), text);
        if (v) styled(out, *v, text, html);
        else out += escaped_text(text);
        break;
      }
      case vorel::TOKEN_BLOCK_COMMENT:
      case vorel::TOKEN_BLOCK_STRING: {
        std::string body;
        for (char c : text) body += lf_lines && c == '\n' ? std::string("\r\n") : std::string(1, c);
        styled(out, kind == vorel::TOKEN_BLOCK_STRING ? st.string_style : st.comment_style, body, html);
        break;
      }
      default: {
        const std::size_t cut = text.find(eol);
        styled(out, kind == vorel::TOKEN_STRING ? st.string_style : st.comment_style, text.substr(0, cut),
               html);
        if (cut != std::string_view::npos) out += "\r\n";
      }
    }
  }
  return out;
}

// What the checks found: empty when everything agreed, else which check failed.
struct Finding {
  std::string what;
  std::string expected, got;
  explicit operator bool() const { return !what.empty(); }
};

inline std::string describe(const std::vector<Token>& tokens) {
  std::string s;
  for (const auto& [kind, text] : tokens) {
    s += std::to_string(kind) + "(";
    for (unsigned char c : text) {
      char b[8];
      if (c >= 32 && c < 127 && c != '\\') s += static_cast<char>(c);
      else s += (std::snprintf(b, sizeof b, "\\x%02x", c), b);
    }
    s += ") ";
  }
  return s;
}

// Scans `text` (cut at its first zero byte) under `syntax` (loaded from the section the
// rules were read from) and checks the tokens and both markups against the restatement;
// Unix text (no CR) is also checked to convert exactly as its CR LF copy.
inline Finding check(const vorel::Syntax& syntax, const Rules& rules, const std::string& text_in, bool html) {
  const std::string text(text_in.c_str());
  struct Run {
    std::vector<Token> tokens;
    std::string markup;
  };
  auto run = [&](const std::string& t, bool lf) -> std::optional<Finding> {
    std::vector<Token> tokens;
    vorel::scan_with(syntax, t, lf,
                     [&](vorel::TokenKind k, std::string_view s) { tokens.emplace_back(k, s); });
    const std::vector<Token> want = scan(rules, t, lf);
    if (tokens != want)
      return Finding{lf ? "tokens (Unix text)" : "tokens", describe(want), describe(tokens)};
    vorel::StringSink sink;
    vorel::scan_with(syntax, t, lf, vorel::Emitter(syntax, html, vorel::MarkupOptions{}, lf, sink));
    sink.finish();
    std::string markup = sink.take();
    const std::string want_markup = emit(syntax, tokens, html, lf);
    if (markup != want_markup) return Finding{lf ? "markup (Unix text)" : "markup", want_markup, markup};
    return Finding{"", "", markup};
  };
  std::optional<Finding> cr = run(text, false);
  if (*cr) return *cr;
  if (text.find('\r') == std::string::npos) {
    std::string copy;
    for (char c : text) copy += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::optional<Finding> lf = run(text, true);
    if (*lf) return *lf;
    std::optional<Finding> crlf = run(copy, false);
    if (*crlf) return *crlf;
    if (lf->got != crlf->got) return Finding{"Unix text converts as its CR LF copy", crlf->got, lf->got};
  }
  return {};
}

}  // namespace rules_ref
