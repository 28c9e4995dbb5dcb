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
enum : uint8_t { CLASS_DELIMITER = 1, CLASS_QUOTE = 2, CLASS_COMMENT = 4, CLASS_PLAIN = 8 };

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

template <class Emit>
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

  const char* p = begin;
  const char* pending = begin;
  for (;;) {
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
        do ++p;
        while (p != end && cls[static_cast<unsigned char>(*p)] == (CLASS_DELIMITER | CLASS_PLAIN));
        emit.plain_delimiters(first, p);
        pending = p;
        continue;
      }
    }

    if ((k & CLASS_QUOTE) && (c == q1 || c == q2)) {
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

    if (k & CLASS_COMMENT) {
      const std::size_t left = static_cast<std::size_t>(end - p);
      const ActivePair* hit = nullptr;
      for (int i = 0; i < pair_count; ++i) {
        const ActivePair& a = pairs[i];
        if (a.start[0] == c && a.start_len <= left && std::memcmp(p, a.start, a.start_len) == 0) {
          hit = &a;
          break;
        }
      }
      if (hit) {
        const char* stop = find_comment_end(*hit, p, end);
        emit(TOKEN_WORD, std::string_view(pending, static_cast<std::size_t>(p - pending)));
        emit(hit->line ? TOKEN_LINE_COMMENT : TOKEN_BLOCK_COMMENT,
             std::string_view(p, static_cast<std::size_t>(stop - p)));
        if (stop == end) return;
        p = pending = stop;
        continue;
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
  detail::scan_tokens(syntax, text, lf_lines, emit);
  if constexpr (requires { emit.end_of_text(); }) emit.end_of_text();
}

template <class Emit>
void scan_with(const ScanState& state, Emit&& emit) {
  scan_with(state, state.text, state.lf_lines, emit);
}

}  // namespace vorel
