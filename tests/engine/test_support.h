// Helpers for the engine tests: recording scanner tokens and scratch
// directories holding a config.ini and keyword files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scanner.h"
#include "settings/settings.h"

namespace vorel::test {

struct Token {
  TokenKind kind;
  std::string text;
  bool operator==(const Token&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Token& t) {
  static const char* const NAMES[] = {"?", "STRING", "LINE_COMMENT", "WORD", "DELIMITER", "BLOCK_COMMENT"};
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

// A scratch program directory, removed afterwards; program_dir() points at it
// while it lives.
class ScratchDir {
 public:
  ScratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "vorel_engine_";
    if (info) name += std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
      if (c == '/' || c == '\\') c = '_';
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    set_program_dir(path_.string());
  }
  ~ScratchDir() {
    set_program_dir("");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  void write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::filesystem::path path_;
};

}  // namespace vorel::test
