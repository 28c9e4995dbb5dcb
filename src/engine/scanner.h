// The scanner: cuts source text into strings, comments, delimiters and words
// and hands each token to an emitter, in text order, in one pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "engine/byte_search.h"
#include "engine/keywords.h"
#include "engine/syntax.h"

namespace vorel {

struct EscapeTable;

enum TokenKind : int {
  TOKEN_STRING = 1,
  TOKEN_LINE_COMMENT = 2,
  TOKEN_WORD = 3,
  TOKEN_DELIMITER = 4,
  TOKEN_BLOCK_COMMENT = 5,
  // A string that spans lines (string pairs, here-documents, quotes that may
  // span lines): one run in the string style with its line ends inside, as a
  // block comment.  Only syntaxes with the extended rules produce it.
  TOKEN_BLOCK_STRING = 6,
};

struct ScanState;

// The emitter callback.  token is the token's text: for TOKEN_DELIMITER the one
// delimiter byte; for the others the bytes from the token's first through its
// last character, cut at the end of the text, and empty for an empty word.
using EmitFn = void (*)(ScanState& state, TokenKind kind, std::string_view token);

// Configuration and working state of one conversion: a syntax and the text
// it scans.  Value-initialising it (state = ScanState{}) resets everything,
// keyword tables included.
struct ScanState : Syntax {
  EmitFn emit = nullptr;
  void* emit_data = nullptr;  // the emitter's own record, for emit
  std::string_view text;      // ends at its first zero byte, if any
  // Unix text: every line ends in an LF and the text holds no CR.  Each LF
  // then counts as the CR LF of the editor's form (it ends strings and line
  // comments, and the markup gets CR LF), so such text converts exactly as
  // its CR LF copy would, without making the copy.  Quotes and comment
  // markers hold neither CR nor LF (config.ini values cannot).
  bool lf_lines = false;
};

// Scans state.text to its end, calling state.emit for each token.
void scan_text(ScanState& state);

namespace detail {

// Byte classes: 0 for an ordinary word byte, so the common case costs one
// table load.  A byte that may begin a string or comment is flagged even when
// it is not a delimiter, and then checked in full.
// CLASS_PLAIN marks the delimiters that begin nothing and that the emitter's
// escapes leave as they are: an emitter that takes whole runs of them gets
// each run in one call.
// CLASS_PAIR, CLASS_HEREDOC, CLASS_REGEX and CLASS_SYMBOL mark the first
// bytes of string pairs, of the here-document marker, and the regex and
// symbol bytes (extended rules only).
enum : uint8_t {
  CLASS_DELIMITER = 1,
  CLASS_QUOTE = 2,
  CLASS_COMMENT = 4,
  CLASS_PLAIN = 8,
  CLASS_PAIR = 16,
  CLASS_HEREDOC = 32,
  CLASS_REGEX = 64,
  CLASS_SYMBOL = 128,
};

struct ByteClasses {
  uint8_t of[256];
  // delimiter_escapes: what the emitter writes for each delimiter; null when
  // it takes no runs.
  ByteClasses(const Syntax& syntax, const EscapeTable* delimiter_escapes);
};

inline std::size_t marker_length(const char* m) {
  std::size_t n = 0;
  while (n < MARKER_SIZE && m[n]) ++n;
  return n;
}

struct ActivePair {
  const char* start;
  std::size_t start_len;
  const char* end;
  std::size_t end_len;
  bool line;  // end marker begins with CR
};

// Finds the end of a comment whose start marker is at p; returns one past its
// last byte, or `end` when the end marker is missing.
inline const char* find_comment_end(const ActivePair& pair, const char* p, const char* end) {
  const char* q = p + 1;
  if (pair.end_len >= 2) {
    // Look for the marker's first two bytes together: a lone first byte (the
    // '*' of every line of a documentation comment) costs nothing.
    while ((q = find_pair(q, end, pair.end[0], pair.end[1])) != end) {
      if (static_cast<std::size_t>(end - q) < pair.end_len) return end;
      if (std::memcmp(q, pair.end, pair.end_len) == 0) return q + pair.end_len;
      ++q;
    }
    return end;
  }
  if (q >= end) return end;
  const void* hit =
      std::memchr(q, static_cast<unsigned char>(pair.end[0]), static_cast<std::size_t>(end - q));
  return hit ? static_cast<const char*>(hit) + 1 : end;
}

// The first byte of [p, end) that is not an ordinary word byte, or end.
inline const char* skip_word_bytes(const char* p, const char* end, const uint8_t* cls) {
  while (end - p >= 4) {
    if (cls[static_cast<unsigned char>(p[0])]) return p;
    if (cls[static_cast<unsigned char>(p[1])]) return p + 1;
    if (cls[static_cast<unsigned char>(p[2])]) return p + 2;
    if (cls[static_cast<unsigned char>(p[3])]) return p + 3;
    p += 4;
  }
  while (p != end && cls[static_cast<unsigned char>(*p)] == 0) ++p;
  return p;
}

inline bool at_line_start(const char* p, const char* begin) {
  return p == begin || p[-1] == '\n' || p[-1] == '\r';
}

inline bool place_allows(CommentPlace place, const char* p, const char* begin) {
  switch (place) {
    case PLACE_ANYWHERE: return true;
    case PLACE_LINE_START: return at_line_start(p, begin);
    case PLACE_WORD_START: return at_line_start(p, begin) || p[-1] == ' ' || p[-1] == '\t';
  }
  return true;
}

inline bool spans_lines(const char* b, const char* e) { return find_any_of3(b, e, '\r', '\n', '\n') != e; }

// One past the end marker of a string whose text begins at q, or `end` when
// the marker is missing.
inline const char* find_string_end(const char* q, const char* end, const char* marker, std::size_t len,
                                   EscapeRule rule, char escape) {
  for (;;) {
    q = rule == ESCAPE_CHAR ? find_any_of3(q, end, marker[0], escape, escape)
                            : find_any_of3(q, end, marker[0], marker[0], marker[0]);
    if (q == end) return end;
    if (rule == ESCAPE_CHAR && *q == escape) {
      q += end - q >= 2 ? 2 : 1;
      continue;
    }
    if (static_cast<std::size_t>(end - q) < len) return end;
    if (std::memcmp(q, marker, len) == 0) {
      if (rule == ESCAPE_DOUBLED && static_cast<std::size_t>(end - q) >= 2 * len &&
          std::memcmp(q + len, marker, len) == 0) {
        q += 2 * len;
        continue;
      }
      return q + len;
    }
    ++q;
  }
}

// The close of a quoted string that ends at its line end: the closing quote,
// the line end, or `end`.  An escape before the line end does not carry the
// string over.
inline const char* find_quote_close(const char* q, const char* end, char quote, char eol, EscapeRule rule,
                                    char escape) {
  for (;;) {
    q = find_any_of3(q, end, quote, eol, rule == ESCAPE_CHAR ? escape : quote);
    if (q == end || *q == eol) return q;
    if (*q == quote) {
      if (rule == ESCAPE_DOUBLED && end - q >= 2 && q[1] == quote) {
        q += 2;
        continue;
      }
      return q;
    }
    // the escape character
    if (end - q < 2) return end;
    if (q[1] == eol) return q + 1;
    q += 2;
  }
}

// One past the end marker of a comment that nests, or `end`.
inline const char* find_nested_comment_end(const ActivePair& pair, const char* p, const char* end) {
  const char* q = p + pair.start_len;
  int depth = 1;
  for (;;) {
    q = find_any_of3(q, end, pair.start[0], pair.end[0], pair.end[0]);
    if (q == end) return end;
    const std::size_t left = static_cast<std::size_t>(end - q);
    if (pair.end_len <= left && std::memcmp(q, pair.end, pair.end_len) == 0) {
      if (--depth == 0) return q + pair.end_len;
      q += pair.end_len;
    } else if (pair.start_len <= left && std::memcmp(q, pair.start, pair.start_len) == 0) {
      ++depth;
      q += pair.start_len;
    } else {
      ++q;
    }
  }
}

// Bytes of a name as here-documents, interpolations and symbols take it:
// bit 0 may start one, bit 1 may continue one.
struct NameBytes {
  uint8_t of[256] = {};
  constexpr NameBytes() {
    for (int c = 0; c < 256; ++c) {
      const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
      of[c] = static_cast<uint8_t>((letter ? 1 : 0) | (letter || (c >= '0' && c <= '9') ? 2 : 0));
    }
  }
};
inline constexpr NameBytes NAME_BYTES{};
inline bool is_name_start(char c) { return NAME_BYTES.of[static_cast<unsigned char>(c)] & 1; }
inline bool is_name_byte(char c) { return NAME_BYTES.of[static_cast<unsigned char>(c)] & 2; }

// A here-document opened by the marker at p: its name, and one past what the
// opener covers (marker, form, quotes and name).  Nothing when no name follows.
struct HeredocOpener {
  const char* name = nullptr;
  std::size_t name_len = 0;
  const char* after = nullptr;
};

inline HeredocOpener match_heredoc(const Syntax& syntax, std::size_t marker_len, const char* p,
                                   const char* end) {
  HeredocOpener h;
  const char* q = p + marker_len;
  if (q != end && (*q == '-' || *q == '~')) ++q;
  if (syntax.heredoc_space)
    while (q != end && (*q == ' ' || *q == '\t')) ++q;
  char quote = 0;
  if (q != end && (*q == '\'' || *q == '"' || *q == '`')) quote = *q++;
  else if (q != end && *q == '\\') ++q;
  if (q == end || !is_name_start(*q)) return h;
  const char* name = q;
  while (q != end && is_name_byte(*q)) ++q;
  if (quote) {
    if (q == end || *q != quote) return h;
    h.after = q + 1;
  } else {
    h.after = q;
  }
  h.name = name;
  h.name_len = static_cast<std::size_t>(q - name);
  return h;
}

// One past the name on the line that ends a here-document whose text begins
// at body, or `end`.  The name may be indented and followed by ; , or ).
inline const char* find_heredoc_end(const char* body, const char* end, const char* name, std::size_t len,
                                    char eol) {
  const char* line = body;
  for (;;) {
    const char* t = line;
    while (t != end && (*t == ' ' || *t == '\t')) ++t;
    if (static_cast<std::size_t>(end - t) >= len && std::memcmp(t, name, len) == 0) {
      const char* after = t + len;
      if (after == end || *after == '\r' || *after == '\n' || *after == ';' || *after == ',' ||
          *after == ')' || *after == ' ' || *after == '\t')
        return after;
    }
    const void* next = std::memchr(line, eol, static_cast<std::size_t>(end - line));
    if (!next) return end;
    line = static_cast<const char*>(next) + 1;
    if (eol == '\r' && line != end && *line == '\n') ++line;
  }
}

// One past the flags of a regular expression literal that opens at p (the
// "regex" byte), or null when none opens there.  One may stand only where an
// operand may: at the start, after an operator or an opening bracket, or after
// a reserved word (return, typeof); after a name, a number or a closing
// bracket the byte divides.  It ends on its line (a backslash does not carry
// it over), at the first regex byte that is neither escaped nor inside a
// [class].
inline const char* match_regex(const Syntax& syntax, const char* p, const char* begin, const char* end,
                               char eol) {
  const char* q = p;
  while (q != begin && (q[-1] == ' ' || q[-1] == '\t' || q[-1] == '\r' || q[-1] == '\n')) --q;
  if (q != begin) {
    const char b = q[-1];
    if (is_name_byte(b) || b == '$') {
      const char* w = q - 1;
      while (w != begin && (is_name_byte(w[-1]) || w[-1] == '$')) --w;
      if (!find_keyword(syntax.keywords1.get(), std::string_view(w, static_cast<std::size_t>(q - w))))
        return nullptr;
    } else if (!std::strchr("(,=:[!&|?{};~+-*%<>^", b)) {
      return nullptr;
    }
  }
  const char close = *p;
  const char* r = p + 1;
  if (r == end || *r == '*' || *r == close) return nullptr;
  bool in_class = false;
  for (;; ++r) {
    if (r == end || *r == eol || *r == '\n' || *r == '\r') return nullptr;
    if (*r == '\\') {  // protects the next byte, but never a line end
      if (++r == end || *r == eol || *r == '\n' || *r == '\r') return nullptr;
    } else if (*r == '[') {
      in_class = true;
    } else if (*r == ']') {
      in_class = false;
    } else if (*r == close && !in_class) {
      break;
    }
  }
  ++r;
  while (r != end && *r >= 'a' && *r <= 'z') ++r;
  return r;
}

// One past an interpolation that the marker at p opens ("interpolate"), or
// null when none does.  A marker that ends in { or ( runs to the matching
// bracket; a bare one ($) takes a name ($name), one digit or special byte
// ($1, $#), or a bracketed run (${...}, $(...)).
inline const char* interpolation_end(const char* p, const char* end, const char* marker, std::size_t len) {
  if (static_cast<std::size_t>(end - p) < len || std::memcmp(p, marker, len) != 0) return nullptr;
  const char* q = p + len;
  char open = marker[len - 1];
  if (open != '{' && open != '(') {
    if (q == end) return nullptr;
    if (*q == '{' || *q == '(') {
      open = *q++;
    } else if (is_name_start(*q)) {
      while (q != end && is_name_byte(*q)) ++q;
      return q;
    } else if ((*q >= '0' && *q <= '9') || *q == '@' || *q == '*' || *q == '#' || *q == '?' || *q == '$' ||
               *q == '!' || *q == '-') {
      return q + 1;
    } else {
      return nullptr;
    }
  }
  const char close = open == '{' ? '}' : ')';
  int depth = 1;
  for (; q != end; ++q) {
    if (*q == open) ++depth;
    else if (*q == close && --depth == 0) return q + 1;
  }
  return nullptr;  // never closed: a plain marker
}

// One past the end of a string that holds interpolations, whose text begins
// at q; eol: the line end that ends a one-line string, or 0.  Code inside an
// interpolation never ends the string ("$(cmd "x")" is one string).
// text_end: where the string's text ends, before its end marker if found.
inline const char* find_interpolated_end(const char* q, const char* end, const char* marker, std::size_t len,
                                         EscapeRule rule, char escape, char eol, const char* interp,
                                         std::size_t interp_len, const char*& text_end) {
  text_end = end;
  const char esc = rule == ESCAPE_CHAR ? escape : marker[0];
  while (q != end) {
    q = find_any_of4(q, end, marker[0], esc, eol ? eol : marker[0], interp[0]);
    if (q == end) break;
    const char c = *q;
    if (eol && c == eol) return text_end = q + 1;
    if (rule == ESCAPE_CHAR && c == escape) {
      if (end - q < 2) return end;
      if (eol && q[1] == eol) return text_end = q + 2;
      q += 2;
      continue;
    }
    if (c == marker[0] && static_cast<std::size_t>(end - q) >= len && std::memcmp(q, marker, len) == 0) {
      if (rule == ESCAPE_DOUBLED && static_cast<std::size_t>(end - q) >= 2 * len &&
          std::memcmp(q + len, marker, len) == 0) {
        q += 2 * len;
        continue;
      }
      text_end = q;
      return q + len;
    }
    // Only a bracketed interpolation can hold the closing quote ($name cannot).
    const char last = interp[interp_len - 1];
    const bool bracketed =
        last == '{' || last == '(' ||
        (static_cast<std::size_t>(end - q) > interp_len && (q[interp_len] == '{' || q[interp_len] == '('));
    if (c == interp[0] && bracketed)
      if (const char* after = interpolation_end(q, end, interp, interp_len)) {
        q = after;
        continue;
      }
    ++q;
  }
  return end;
}

// Whether the byte before p is an escape that is no part of a string or
// comment before it (floor): an odd run of escape characters.
inline bool escaped_here(const char* p, const char* floor, char escape) {
  int run = 0;
  while (p != floor && p[-1] == escape) --p, ++run;
  return run & 1;
}

// The scanning loop.  Extended: the syntax uses rules beyond the two quotes
// and the comment pairs (Syntax::has_extended_rules); the plain loop then
// compiles without them.
template <bool Extended, class Emit>
void scan_tokens(const Syntax& syntax, std::string_view text, bool lf_lines, Emit& emit) {
  const char* const begin = text.data();
  const char* end = begin + text.size();
  if (begin == nullptr) return;
  if (const void* zero = std::memchr(begin, 0, text.size())) end = static_cast<const char*>(zero);

  const ByteClasses classes = [&syntax, &emit] {
    if constexpr (requires { emit.delimiter_escapes(); })
      return ByteClasses(syntax, &emit.delimiter_escapes());
    else return ByteClasses(syntax, nullptr);
  }();
  const uint8_t* const cls = classes.of;
  ActivePair pairs[COMMENT_PAIR_COUNT];
  int pair_count = 0;
  for (const CommentPair& cp : syntax.comment_pairs) {
    if (cp.start[0] == 0) break;
    ActivePair& a = pairs[pair_count++];
    a.start = cp.start;
    a.start_len = marker_length(cp.start);
    a.end = cp.end;
    a.end_len = marker_length(cp.end);
    a.line = cp.end[0] == '\r';
    if (lf_lines && a.end_len == 1 && a.line) a.end = "\n";
  }
  const char eol = lf_lines ? '\n' : '\r';
  const char q1 = syntax.quote1[0];
  const char q2 = syntax.quote2[0];

  // The extended rules' state: the here-document waiting for its text, and
  // where the last string or comment ended (an escape before it is no
  // escape of what follows).
  [[maybe_unused]] const std::size_t heredoc_len = Extended ? marker_length(syntax.heredoc) : 0;
  [[maybe_unused]] const char* heredoc_body = nullptr;
  [[maybe_unused]] const char* heredoc_name = nullptr;
  [[maybe_unused]] std::size_t heredoc_name_len = 0;
  [[maybe_unused]] const char* floor = begin;
  [[maybe_unused]] const std::size_t interp_len = Extended ? marker_length(syntax.interpolate) : 0;

  // A string [b, e) whose text from `from` on may hold interpolations: the
  // literal parts go out as strings (a bracketed interpolation's brackets
  // with them), the code as words and delimiters.  one_line: a quote's string
  // that its line end may cut; that line end spans no lines (it stays outside
  // the run, as for a string without code).
  // Interpolations are looked for in [from, text_end) only: the end marker
  // is no code.
  [[maybe_unused]] auto emit_interpolated = [&](const char* b, const char* from, const char* text_end,
                                                const char* e, EscapeRule rule, char escape, bool one_line) {
    auto literal = [&](const char* x, const char* y) {
      if (x != y)
        emit(spans_lines(x, one_line && y == e ? y - 1 : y) ? TOKEN_BLOCK_STRING : TOKEN_STRING,
             std::string_view(x, static_cast<std::size_t>(y - x)));
    };
    // Code: words and delimiters, and strings of the two quotes within it
    // ("$(awk '{print}')").
    auto code = [&](const char* x, const char* y) {
      const char* w = x;
      for (const char* r = x; r != y;) {
        const char c = *r;
        if ((c == q1 || c == q2) && c) {
          if (r != w) emit(TOKEN_WORD, std::string_view(w, static_cast<std::size_t>(r - w)));
          const void* close = std::memchr(r + 1, c, static_cast<std::size_t>(y - r - 1));
          const char* after = close ? static_cast<const char*>(close) + 1 : y;
          emit(spans_lines(r, after) ? TOKEN_BLOCK_STRING : TOKEN_STRING,
               std::string_view(r, static_cast<std::size_t>(after - r)));
          r = w = after;
          continue;
        }
        if (cls[static_cast<unsigned char>(c)] & CLASS_DELIMITER) {
          if (r != w) emit(TOKEN_WORD, std::string_view(w, static_cast<std::size_t>(r - w)));
          emit(TOKEN_DELIMITER, std::string_view(r, 1));
          w = r + 1;
        }
        ++r;
      }
      if (w != y) emit(TOKEN_WORD, std::string_view(w, static_cast<std::size_t>(y - w)));
    };
    const char* lit = b;
    const char esc = rule == ESCAPE_CHAR ? escape : syntax.interpolate[0];
    for (const char* q = from; q < text_end;) {
      q = find_any_of3(q, text_end, esc, syntax.interpolate[0], syntax.interpolate[0]);
      if (q == text_end) break;
      if (rule == ESCAPE_CHAR && *q == escape) {
        q += 2;
        continue;
      }
      const char* after = *q == syntax.interpolate[0]
                              ? interpolation_end(q, text_end, syntax.interpolate, interp_len)
                              : nullptr;
      if (!after) {
        ++q;
        continue;
      }
      // The bracket of ${ or #{, if any; a marker that ends in ( runs to its )
      // whatever bracket follows it.
      const char* open = q + interp_len - 1;
      if (*open != '{' && *open != '(' && q + interp_len < after && q[interp_len] == '{')
        open = q + interp_len;
      if (*open == '{') {
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
    literal(lit, e);
  };

  const char* p = begin;
  const char* pending = begin;
  for (;;) {
    if constexpr (Extended) {
      if (heredoc_body && p >= heredoc_body) {
        if (p == heredoc_body) {
          const char* stop = find_heredoc_end(p, end, heredoc_name, heredoc_name_len, eol);
          emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
          emit(spans_lines(p, stop) ? TOKEN_BLOCK_STRING : TOKEN_STRING,
               std::string_view(p, static_cast<std::size_t>(stop - p)));
          if (stop == end) return;
          p = pending = floor = stop;
        }
        heredoc_body = nullptr;  // its line end was inside a string or comment: no here-document
      }
    }
    p = skip_word_bytes(p, end, cls);
    if (p == end) {
      if (p != pending) emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
      return;
    }
    const char c = *p;
    const uint8_t k = cls[static_cast<unsigned char>(c)];

    // The commonest case first: a run of delimiters written as they are.
    if constexpr (requires { emit.plain_delimiters(p, p); }) {
      if (k == (CLASS_DELIMITER | CLASS_PLAIN)) {
        if (p != pending) emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
        const char* const first = p;
        const char* run_end = end;
        if constexpr (Extended)
          if (heredoc_body && heredoc_body > p) run_end = heredoc_body;  // stop where its text begins
        do ++p;
        while (p != run_end && cls[static_cast<unsigned char>(*p)] == (CLASS_DELIMITER | CLASS_PLAIN));
        emit.plain_delimiters(first, p);
        pending = p;
        continue;
      }
    }

    if constexpr (Extended) {
      if ((k & CLASS_PAIR) && !escaped_here(p, floor, syntax.escape)) {
        const std::size_t left = static_cast<std::size_t>(end - p);
        const StringPair* hit = nullptr;
        for (const StringPair& sp : syntax.string_pairs) {
          if (sp.start[0] == 0) break;
          const std::size_t len = marker_length(sp.start);
          if (sp.start[0] == c && len <= left && std::memcmp(p, sp.start, len) == 0) {
            hit = &sp;
            break;
          }
        }
        if (hit) {
          const std::size_t start_len = marker_length(hit->start);
          const std::size_t end_len = marker_length(hit->end);
          emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
          const char* stop;
          if (hit->interpolates) {
            const char* text_end;
            stop = find_interpolated_end(p + start_len, end, hit->end, end_len, hit->rule, hit->escape, 0,
                                         syntax.interpolate, interp_len, text_end);
            emit_interpolated(p, p + start_len, text_end, stop, hit->rule, hit->escape, false);
          } else {
            stop = find_string_end(p + start_len, end, hit->end, end_len, hit->rule, hit->escape);
            emit(spans_lines(p, stop) ? TOKEN_BLOCK_STRING : TOKEN_STRING,
                 std::string_view(p, static_cast<std::size_t>(stop - p)));
          }
          if (stop == end) return;
          p = pending = floor = stop;
          continue;
        }
      }
      if ((k & CLASS_HEREDOC) && !heredoc_body && static_cast<std::size_t>(end - p) >= heredoc_len &&
          std::memcmp(p, syntax.heredoc, heredoc_len) == 0) {
        const HeredocOpener h = match_heredoc(syntax, heredoc_len, p, end);
        if (h.name) {
          emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
          emit(TOKEN_STRING, std::string_view(p, static_cast<std::size_t>(h.after - p)));
          const void* line_end = std::memchr(h.after, eol, static_cast<std::size_t>(end - h.after));
          if (line_end) {
            heredoc_body = static_cast<const char*>(line_end) + 1;
            if (eol == '\r' && heredoc_body != end && *heredoc_body == '\n') ++heredoc_body;
            if (heredoc_body == end) heredoc_body = nullptr;  // no text follows: nothing to colour
            heredoc_name = h.name;
            heredoc_name_len = h.name_len;
          }
          p = pending = floor = h.after;
          continue;
        }
      }
    }

    if ((k & CLASS_QUOTE) && (c == q1 || c == q2)) {
      if constexpr (Extended) {
        if (!escaped_here(p, floor, syntax.escape)) {
          const int slot = c == q1 ? 0 : 1;
          const EscapeRule rule = syntax.quote_rules[slot];
          const char escape = syntax.quote_escapes[slot];
          const char* stop;
          emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
          if (syntax.quote_interpolates[slot]) {
            const char* text_end;
            stop = find_interpolated_end(p + 1, end, &c, 1, rule, escape, syntax.quotes_span_lines ? 0 : eol,
                                         syntax.interpolate, interp_len, text_end);
            emit_interpolated(p, p + 1, text_end, stop, rule, escape, !syntax.quotes_span_lines);
          } else {
            if (syntax.quotes_span_lines) {
              stop = find_string_end(p + 1, end, &c, 1, rule, escape);
            } else {
              const char* close = find_quote_close(p + 1, end, c, eol, rule, escape);
              stop = close == end ? end : close + 1;
            }
            const bool block = syntax.quotes_span_lines && spans_lines(p, stop);
            emit(block ? TOKEN_BLOCK_STRING : TOKEN_STRING,
                 std::string_view(p, static_cast<std::size_t>(stop - p)));
          }
          if (stop == end) return;
          p = pending = floor = stop;
          continue;
        }
      } else {
        const char* close = p + 1;
        while (close != end && *close != c && *close != eol) ++close;
        emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
        if (close == end) {
          emit(TOKEN_STRING, std::string_view(p, static_cast<std::size_t>(end - p)));
          return;
        }
        emit(TOKEN_STRING, std::string_view(p, static_cast<std::size_t>(close + 1 - p)));
        p = pending = close + 1;
        continue;
      }
    }

    if (k & CLASS_COMMENT) {
      const std::size_t left = static_cast<std::size_t>(end - p);
      const ActivePair* hit = nullptr;
      for (int i = 0; i < pair_count; ++i) {
        const ActivePair& a = pairs[i];
        if (a.start[0] == c && a.start_len <= left && std::memcmp(p, a.start, a.start_len) == 0) {
          if constexpr (Extended)
            if (!place_allows(syntax.comment_pairs[i].place, p, begin)) continue;
          hit = &a;
          break;
        }
      }
      if (hit) {
        const char* stop;
        if constexpr (Extended)
          // Only block comments nest: a line comment ends at its line end.
          stop = syntax.comment_pairs[hit - pairs].nests && !hit->line ? find_nested_comment_end(*hit, p, end)
                                                                       : find_comment_end(*hit, p, end);
        else stop = find_comment_end(*hit, p, end);
        emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
        emit(hit->line ? TOKEN_LINE_COMMENT : TOKEN_BLOCK_COMMENT,
             std::string_view(p, static_cast<std::size_t>(stop - p)));
        if (stop == end) return;
        p = pending = stop;
        if constexpr (Extended) floor = stop;
        continue;
      }
    }

    if constexpr (Extended) {
      if (k & CLASS_SYMBOL) {
        // A symbol, :name (not the :: of a scope), or a name that a symbol
        // marker ends, as a hash key or keyword argument (name: value).
        const bool scope = (p != begin && p[-1] == c) || (p + 1 != end && p[1] == c);
        if (!scope && p != pending && is_name_start(*pending) && (pending == begin || pending[-1] != c) &&
            (p + 1 == end || p[1] == ' ' || p[1] == '\t' || p[1] == '\r' || p[1] == '\n' || p[1] == ',' ||
             p[1] == ')')) {
          emit(TOKEN_STRING, std::string_view(pending, static_cast<std::size_t>(p + 1 - pending)));
          p = pending = floor = p + 1;
          if (p == end) return;
          continue;
        }
        if (!scope && p == pending && p + 1 != end && is_name_start(p[1]) &&
            (p == begin || !is_name_byte(p[-1]))) {
          const char* stop = p + 1;
          while (stop != end && is_name_byte(*stop)) ++stop;
          if (stop != end && (*stop == '?' || *stop == '!')) ++stop;
          emit(TOKEN_WORD, std::string_view(pending, 0));
          emit(TOKEN_STRING, std::string_view(p, static_cast<std::size_t>(stop - p)));
          if (stop == end) return;
          p = pending = floor = stop;
          continue;
        }
      }
      if (k & CLASS_REGEX) {
        if (const char* stop = match_regex(syntax, p, begin, end, eol)) {
          emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
          emit(TOKEN_STRING, std::string_view(p, static_cast<std::size_t>(stop - p)));
          if (stop == end) return;
          p = pending = floor = stop;
          continue;
        }
      }
    }

    if (k & CLASS_DELIMITER) {
      if (p != pending) emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
      emit(TOKEN_DELIMITER, std::string_view(p, 1));
      p = pending = p + 1;
    } else {
      ++p;  // a quote or marker byte that began nothing: part of the word
    }
  }
}

}  // namespace detail

// The scanning loop with the emitter as a function object, so the driver's
// emitter is inlined; scan_text is this with the stored callback.  An
// emitter with end_of_text() hears of the end after the last token.
template <class Emit>
void scan_with(const Syntax& syntax, std::string_view text, bool lf_lines, Emit&& emit) {
  if (syntax.has_extended_rules()) detail::scan_tokens<true>(syntax, text, lf_lines, emit);
  else detail::scan_tokens<false>(syntax, text, lf_lines, emit);
  if constexpr (requires { emit.end_of_text(); }) emit.end_of_text();
}

template <class Emit>
void scan_with(const ScanState& state, Emit&& emit) {
  scan_with(state, state.text, state.lf_lines, emit);
}

}  // namespace vorel
