// Helpers for the engine tests: recording scanner tokens, and setting up a
// scanner by hand.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scanner.h"
#include "support/scratch_dir.h"

namespace vorel::test {

struct Token {
  TokenKind kind;
  std::string text;
  bool operator==(const Token&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Token& t) {
  static const char* const NAMES[] = {"?",         "STRING",        "LINE_COMMENT", "WORD",
                                      "DELIMITER", "BLOCK_COMMENT", "BLOCK_STRING"};
  os << NAMES[t.kind] << "(";
  for (unsigned char c : t.text) {
    if (c == '\r') os << "\\r";
    else if (c == '\n') os << "\\n";
    else if (c < 32 || c >= 127) os << "\\x" << std::hex << int(c) << std::dec;
    else os << c;
  }
  return os << ")";
}

inline Token word(std::string s) { return {TOKEN_WORD, std::move(s)}; }
inline Token delim(std::string s) { return {TOKEN_DELIMITER, std::move(s)}; }
inline Token str(std::string s) { return {TOKEN_STRING, std::move(s)}; }
inline Token line_comment(std::string s) { return {TOKEN_LINE_COMMENT, std::move(s)}; }
inline Token block_comment(std::string s) { return {TOKEN_BLOCK_COMMENT, std::move(s)}; }

// Scans text through the stored callback and returns every emit call.
inline std::vector<Token> scan(ScanState& state, std::string_view text) {
  std::vector<Token> tokens;
  state.text = text;
  state.emit_data = &tokens;
  state.emit = [](ScanState& s, TokenKind kind, std::string_view t) {
    static_cast<std::vector<Token>*>(s.emit_data)->push_back(Token{kind, std::string(t)});
  };
  scan_text(state);
  return tokens;
}

// Space, tab, LF, CR, 0xA1 and the zero byte, plus extra.
inline void set_delimiters(ScanState& state, std::string_view extra) {
  for (unsigned char c : std::string_view(" \t\n\r\xA1", 5)) state.delimiters[c] = true;
  state.delimiters[0] = true;
  for (unsigned char c : extra) state.delimiters[c] = true;
}

inline void set_pair(ScanState& state, int slot, const char* start, const char* end) {
  std::snprintf(state.comment_pairs[slot].start, MARKER_SIZE, "%s", start);
  std::snprintf(state.comment_pairs[slot].end, MARKER_SIZE, "%s", end);
}

}  // namespace vorel::test
