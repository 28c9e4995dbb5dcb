// Checks of the shipped config.ini, its keyword files and option.ini: every
// syntax loads, every keyword can match, and the lists fit the program's
// fixed buffers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/convert.h"
#include "engine/keywords.h"
#include "engine/scanner.h"
#include "engine/syntax.h"
#include "pack_support.h"
#include "settings/settings.h"

namespace vorel::test {
namespace {

// The syntaxes users look for by name.
const char* const EXPECTED_SYNTAXES[] = {
    "C",           "C++",        "C#",           "Java",          "JavaScript",   "TypeScript",
    "Python",      "PHP",        "Perl",         "Ruby",          "Go",           "Rust",
    "Kotlin",      "Swift",      "SQL",          "Pascal/Delphi", "Visual Basic", "Shell (bash)",
    "Batch (cmd)", "PowerShell", "Lua",          "HTML",          "CSS",          "XML",
    "INI",         "Makefile",   "x86 Assembly", "Objective-C",   "Scala",        "R",
    "MATLAB",      "Dart",       "Haskell",      "Elixir",        "Erlang",       "Clojure",
    "F#",          "OCaml",      "Julia",        "Groovy",        "Fortran",      "COBOL",
    "Ada",         "VHDL",       "Verilog",      "Tcl",           "AWK",          "Scheme",
    "Common Lisp", "Emacs Lisp", "Prolog",       "Zig",           "Nim",          "D",
    "Crystal",     "Solidity",   "GraphQL",      "YAML",          "JSON",         "TOML",
    "Markdown",    "Dockerfile", "CMake",        "Nix",           "HCL",          "Protobuf",
    "Diff",        "LaTeX",      "Vim script",   "AutoHotkey",    "GLSL",         "HLSL",
    "CUDA",        "GNU asm"};

// The documented palette: reserved words, library names, directives, and the
// comment style for words that act as comments (Batch's bare "rem").
const std::set<uint32_t> PALETTE_KEYWORD_VALUES = {0x01C00000, 0x00A00080, 0x000050A0, 0x02008000};
const uint32_t STRING_STYLE = 0x001515A3;
const uint32_t COMMENT_STYLE = 0x02008000;

std::string fold(std::string s) {
  for (char& c : s) c = static_cast<char>(ascii_lower(static_cast<unsigned char>(c)));
  return s;
}

TEST(LanguagePack, ConfigAndOptionsLieBesideTheExecutable) {
  EXPECT_TRUE(read_whole_file((program_dir() + "config.ini").c_str()).has_value());
  EXPECT_TRUE(read_whole_file((program_dir() + "option.ini").c_str()).has_value());
}

TEST(LanguagePack, ShipsEveryAdvertisedSyntax) {
  const std::vector<std::string> names = shipped_syntaxes();
  for (const char* want : EXPECTED_SYNTAXES)
    EXPECT_NE(std::find(names.begin(), names.end(), want), names.end()) << want;
}

// The Windows program takes at most 99 characters of a name from its list.
TEST(LanguagePack, SectionNamesFitTheProgramsList) {
  for (const std::string& n : shipped_syntaxes()) EXPECT_LE(n.size(), 99u) << n;
}

TEST(LanguagePack, SectionNamesAreDistinctIgnoringCase) {
  std::set<std::string> seen;
  for (const std::string& n : shipped_syntaxes()) EXPECT_TRUE(seen.insert(fold(n)).second) << n;
}

TEST(LanguagePack, StringAndCommentColoursAreOneAcrossSyntaxes) {
  for (const std::string& name : shipped_syntaxes()) {
    settings_path("config.ini");
    EXPECT_EQ(get_setting_hex(name.c_str(), "color_string"), STRING_STYLE) << name;
    EXPECT_EQ(get_setting_hex(name.c_str(), "color_comment"), COMMENT_STYLE) << name;
  }
}

// Every keyword file in the source tree is named by some section, so that no
// stale or misspelt file ships unused.
TEST(LanguagePack, EveryShippedKeywordFileIsUsed) {
  std::set<std::string> named;
  for (const std::string& name : shipped_syntaxes())
    for (const char* key : {"stxfile1", "stxfile2"})
      if (std::string f = setting(name, key); !f.empty()) named.insert(f);
  std::error_code ec;
  std::size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(std::string(VOREL_DATA_DIR) + "/keywords", ec)) {
    ++files;
    EXPECT_TRUE(named.count("keywords/" + e.path().filename().string())) << e.path();
  }
  ASSERT_FALSE(ec) << ec.message();
  EXPECT_EQ(files, named.size());
}

// "REM " is stored quoted so that its space survives the INI read; without
// it every word holding "rem" (remote, premium) would start a comment.
TEST(LanguagePack, BatchRemarkMarkerKeepsItsSpace) {
  EXPECT_EQ(setting("Batch (cmd)", "comment2"), "REM ");
  ConversionContext ctx;
  const char text[] = "copy remote.txt premium.txt\r\nrem done\r\nrem\r\n";
  std::optional<std::string> out = convert_text(ctx, text, 4096, "Batch (cmd)");
  ASSERT_TRUE(out);
  EXPECT_NE(out->find("remote.txt premium.txt\r\n"), std::string::npos) << *out;
  EXPECT_NE(out->find("[i][color=#008000]rem done[/color][/i]\r\n"), std::string::npos) << *out;
  EXPECT_NE(out->find("[i][color=#008000]rem[/color][/i]\r\n"), std::string::npos) << *out;
}

// "type" is an index into the sorted list; the shipped default must be C.
TEST(LanguagePack, DefaultOptionsSelectCAndHtml) {
  std::vector<std::string> names = shipped_syntaxes();
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return fold(a) < fold(b); });
  settings_path("option.ini");
  const uint32_t type = get_setting_int("option", "type");
  ASSERT_LT(type, names.size());
  EXPECT_EQ(names[type], "C");
  EXPECT_EQ(get_setting_int("option", "html"), 1u);
  EXPECT_EQ(get_setting_int("option", "linenumber"), 0u);
  EXPECT_EQ(get_setting_int("option", "linenumber_start"), 1u);
}

// The Open dialog's file types: read into 260 bytes, "|" separates a
// description from its pattern.
TEST(LanguagePack, FileTypeFilterFitsAndPairsUp) {
  settings_path("option.ini");
  std::vector<char> big(4096);
  get_settings_section("filter", big.data(), static_cast<uint32_t>(big.size()));
  char small[260] = {};
  get_settings_section("filter", small, sizeof small);
  const std::vector<std::string> lines = split_zero_list(big.data());
  EXPECT_EQ(split_zero_list(small), lines) << "the filter section is cut at 260 bytes";
  ASSERT_GE(lines.size(), 2u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find('='), std::string::npos) << line;
    const auto bars = std::count(line.begin(), line.end(), '|');
    EXPECT_EQ(bars % 2, 1) << "description|pattern pairs: " << line;
    EXPECT_NE(line.find('*'), std::string::npos) << line;
  }
  EXPECT_EQ(lines.back().substr(lines.back().find('|')), "|*.*");
}

std::string test_name(const testing::TestParamInfo<std::string>& info) {
  std::string out;
  for (char c : info.param) {
    if (std::isalnum(static_cast<unsigned char>(c))) out += c;
    else if (c == '+') out += "p";
    else if (c == '#') out += "sharp";
    else out += '_';
  }
  return out;
}

class Syntax : public testing::TestWithParam<std::string> {
 protected:
  std::string value(const char* key) { return setting(GetParam(), key); }
};

TEST_P(Syntax, LoadsWithItsKeywordTables) {
  ScanState state;
  std::string failed;
  ASSERT_TRUE(load_syntax(state, GetParam().c_str(), &failed)) << failed;
  if (GetParam() != "Diff") { EXPECT_NE(state.quote1[0], 0); }  // a patch has no strings
  EXPECT_NE(state.comment_pairs[0].start[0], 0);
  settings_path("config.ini");
  EXPECT_FALSE(value("stxfile1").empty());
  ASSERT_TRUE(state.keywords1);
  EXPECT_GE(state.keywords1->count(), 4u);  // TOML's four literals are the fewest
  if (!value("stxfile2").empty()) {
    ASSERT_TRUE(state.keywords2);
    EXPECT_GT(state.keywords2->count(), 5u);
  }
}

// The keys a section may hold: the program's own, "files", the optional
// scanner keys (escapes, strings over several lines, where a comment may
// start, nesting, here-documents) and the detection keys.
std::set<std::string> known_keys() {
  std::set<std::string> known = {"case",          "stxfile1",      "stxfile2",        "str1",
                                 "str2",          "delimiter",     "files",           "color_string",
                                 "escape",        "str_multiline", "color_comment",   "heredoc",
                                 "heredoc_space", "shebang",       "modeline",        "firstline",
                                 "content",       "str1escape",    "str2escape",      "regex",
                                 "symbol",        "interpolate",   "str1interpolate", "str2interpolate"};
  for (int n = 1; n <= 6; ++n)
    for (const char* suffix : {"", "e", "at", "nest"}) known.insert("comment" + std::to_string(n) + suffix);
  for (int n = 1; n <= 8; ++n)
    for (const char* suffix : {"", "e", "escape", "interpolate"})
      known.insert("string" + std::to_string(n) + suffix);
  return known;
}

TEST_P(Syntax, UsesOnlyKnownKeysOnce) {
  const std::set<std::string> known = known_keys();
  settings_path("config.ini");
  std::vector<char> buf(8192);
  get_settings_section(GetParam().c_str(), buf.data(), static_cast<uint32_t>(buf.size()));
  std::set<std::string> seen;
  for (const std::string& line : split_zero_list(buf.data())) {
    const std::string key = line.substr(0, line.find('='));
    EXPECT_TRUE(known.count(key)) << line;
    EXPECT_TRUE(seen.insert(key).second) << "repeated: " << line;
  }
  // Comment pairs are read up to the first missing start marker.
  for (int n = 2; n <= 6; ++n) {
    const std::string key = "comment" + std::to_string(n);
    if (seen.count(key)) { EXPECT_TRUE(seen.count("comment" + std::to_string(n - 1))) << key; }
  }
  for (const char* k : {"str1", "str2"})
    if (seen.count(k)) { EXPECT_EQ(value(k).size(), 1u) << k; }

  // The optional keys: each belongs to a marker the section has, and holds
  // a value the scanner understands.
  if (seen.count("escape")) { EXPECT_EQ(value("escape").size(), 1u); }
  for (const char* k : {"str_multiline", "heredoc_space"})
    if (seen.count(k)) { EXPECT_EQ(value(k), "1") << k; }
  if (seen.count("heredoc_space")) { EXPECT_TRUE(seen.count("heredoc")); }
  for (int n = 1; n <= 6; ++n) {
    const std::string c = "comment" + std::to_string(n);
    for (const char* suffix : {"e", "at", "nest"})
      if (seen.count(c + suffix)) { EXPECT_TRUE(seen.count(c)) << c + suffix << " without " << c; }
    if (seen.count(c + "at")) {
      const std::string at = value((c + "at").c_str());
      EXPECT_TRUE(at == "any" || at == "line" || at == "word") << c << "at=" << at;
    }
    if (seen.count(c + "nest")) {
      EXPECT_EQ(value((c + "nest").c_str()), "1") << c;
      EXPECT_FALSE(value((c + "e").c_str()).empty()) << c << " nests but has no end marker";
    }
  }
  for (int n = 1; n <= 8; ++n) {
    const std::string k = "string" + std::to_string(n);
    if (!seen.count(k)) {
      EXPECT_FALSE(seen.count(k + "e") || seen.count(k + "escape")) << k << " missing";
      continue;
    }
    const std::size_t start = value(k.c_str()).size(), end = value((k + "e").c_str()).size();
    EXPECT_TRUE(start >= 1 && start <= 7) << k << "=" << value(k.c_str());
    EXPECT_LE(end, 7u) << k << "e";
    if (seen.count(k + "escape")) {
      const std::string e = value((k + "escape").c_str());
      EXPECT_TRUE(e == "none" || e == "double" || e.size() == 1) << k << "escape=" << e;
    }
  }
}

// A keyword can only ever match if the scanner can cut it out as one word:
// no delimiter, quote or comment start inside it.
TEST_P(Syntax, KeywordFilesAreWellFormedAndEveryEntryCanMatch) {
  settings_path("config.ini");
  const bool case_sensitive = get_setting_int(GetParam().c_str(), "case") != 0;
  const std::string delimiters = value("delimiter") + " \t\r\n\xA1";
  std::string quotes = value("str1").substr(0, 1) + value("str2").substr(0, 1);
  std::vector<std::string> comment_starts;
  for (int n = 1; n <= 6; ++n) {
    const std::string s = value(("comment" + std::to_string(n)).c_str());
    if (s.empty()) break;
    comment_starts.push_back(s);
  }
  // A word holding the start of a multi-line string cannot match either.
  for (int n = 1; n <= 8; ++n)
    if (std::string s = value(("string" + std::to_string(n)).c_str()); !s.empty())
      comment_starts.push_back(s);

  for (const char* key : {"stxfile1", "stxfile2"}) {
    const std::string file = value(key);
    if (file.empty()) continue;
    char path[PATH_SIZE];
    resolve_path(path, file.c_str(), BASE_PROGRAM_DIR);
    std::optional<std::string> text = read_whole_file(path);
    ASSERT_TRUE(text) << path;
    ASSERT_FALSE(text->empty()) << path;
    EXPECT_EQ(text->back(), '\n') << file << ": last line without line end";

    std::map<std::string, std::string> seen;
    std::size_t line_no = 0, pos = 0;
    while (pos < text->size()) {
      std::size_t eol = text->find('\n', pos);
      if (eol == std::string::npos) eol = text->size();
      std::string line = text->substr(pos, eol - pos);
      pos = eol + 1;
      ++line_no;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::string where = file + ":" + std::to_string(line_no) + ": " + line;

      const std::size_t space = line.find(' ');
      ASSERT_NE(space, std::string::npos) << where;
      ASSERT_EQ(line.find(' ', space + 1), std::string::npos) << where;
      const std::string word = line.substr(0, space);
      const std::string hex = line.substr(space + 1);
      ASSERT_FALSE(word.empty()) << where;
      ASSERT_FALSE(hex.empty()) << where;
      ASSERT_LE(hex.size(), 8u) << where;
      ASSERT_EQ(hex.find_first_not_of("0123456789ABCDEFabcdef"), std::string::npos) << where;
      EXPECT_TRUE(PALETTE_KEYWORD_VALUES.count(parse_hex32(hex.c_str()))) << where;

      EXPECT_EQ(word.find_first_of(delimiters), std::string::npos) << where;
      EXPECT_EQ(word.find_first_of(quotes), std::string::npos) << where;
      for (const std::string& c : comment_starts)
        EXPECT_EQ(word.find(c), std::string::npos) << where << " holds the comment or string start " << c;

      const std::string key_word = case_sensitive ? word : fold(word);
      auto [it, fresh] = seen.emplace(key_word, where);
      EXPECT_TRUE(fresh) << where << " repeats " << it->second;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, Syntax, testing::ValuesIn(shipped_syntaxes()), test_name);

}  // namespace
}  // namespace vorel::test
