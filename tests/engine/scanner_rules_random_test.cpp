// The scanner's optional rules against the slow restatement the fuzz target uses
// (fuzz/scanner_rules_reference.h), on a few thousand random sections and texts from a
// fixed seed: markers drawn from a small alphabet so that they overlap and collide.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "engine/keywords.h"
#include "engine/syntax.h"
#include "scanner_rules_reference.h"

namespace vorel {
namespace {

class Random {
 public:
  explicit Random(uint32_t seed) : gen_(seed) {}
  int below(int n) { return static_cast<int>(gen_() % static_cast<uint32_t>(n)); }
  bool chance(int percent) { return below(100) < percent; }
  char pick(std::string_view from) {
    return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
  }
  // A marker of 1-7 bytes, mostly short.
  std::string marker(std::string_view from) {
    const int len = chance(70) ? 1 + below(2) : 1 + below(7);
    std::string m;
    for (int i = 0; i < len; ++i) m += pick(from);
    return m;
  }

 private:
  std::mt19937 gen_;
};

constexpr std::string_view MARKS = "\"'`#/*<(-)[]@rE\\^";

// Quoted so that the INI reader keeps quotes and blanks: its value is what follows.
std::string value(const std::string& v) { return "\"" + v + "\""; }

std::string random_section(Random& r, std::vector<std::string>& markers) {
  std::string s;
  auto key = [&](const std::string& k, const std::string& v) { s += k + "=" + v + "\r\n"; };
  auto remember = [&](std::string m) {
    markers.push_back(m);
    return m;
  };
  if (r.chance(80)) key("str1", value(remember(std::string(1, r.pick("\"'`")))));
  if (r.chance(60)) key("str2", value(remember(std::string(1, r.pick("'\"#")))));
  if (r.chance(70)) key("escape", value(remember(std::string(1, r.pick("\\\\^'")))));
  if (r.chance(40)) key("str_multiline", "1");
  const char* const rules[] = {"none", "double", "DOUBLE", "\\", "^", "", "x"};
  if (r.chance(30)) key("str1escape", value(rules[r.below(7)]));
  if (r.chance(30)) key("str2escape", value(rules[r.below(7)]));
  std::string delims = "(;)";
  for (int i = 0; i < 3; ++i) delims += r.pick(MARKS);
  if (r.chance(50)) delims += ":{}$ ,=?!";  // the bytes around symbols, regexes and interpolations
  key("delimiter", value(delims));
  const int comments = r.below(7);
  for (int i = 1; i <= comments; ++i) {
    const std::string n = std::to_string(i);
    key("comment" + n, value(remember(r.marker(MARKS))));
    if (r.chance(50)) key("comment" + n + "e", value(remember(r.marker(MARKS))));
    if (r.chance(40)) key("comment" + n + "at", r.chance(50) ? "line" : "Word");
    if (r.chance(30)) key("comment" + n + "nest", "1");
  }
  const int strings = r.chance(20) ? 0 : 1 + r.below(8);
  for (int i = 1; i <= strings; ++i) {
    const std::string n = std::to_string(i);
    key("string" + n, value(remember(r.marker(MARKS))));
    if (r.chance(50)) key("string" + n + "e", value(remember(r.marker(MARKS))));
    if (r.chance(50)) key("string" + n + "escape", value(rules[r.below(7)]));
  }
  if (r.chance(10)) key("string" + std::to_string(strings + 2), "\"@\"");  // past a gap: unused
  if (r.chance(50)) {
    key("heredoc", value(remember(r.chance(70) ? "<<" : r.marker("<-~"))));
    if (r.chance(50)) key("heredoc_space", "1");
  }
  if (r.chance(35)) key("regex", value(remember(std::string(1, r.chance(70) ? '/' : r.pick(MARKS)))));
  if (r.chance(45)) {
    static const char* const INTERPOLATE[] = {"$", "#{", "${", "$(", "@", "%"};
    key("interpolate", value(remember(r.chance(85) ? INTERPOLATE[r.below(6)] : r.marker(MARKS))));
    if (r.chance(60)) key("str1interpolate", "1");
    if (r.chance(40)) key("str2interpolate", "1");
    for (int i = 1; i <= strings; ++i)
      if (r.chance(40)) key("string" + std::to_string(i) + "interpolate", "1");
  } else if (r.chance(20)) {
    key("str1interpolate", "1");  // without a marker: no code inside strings
  }
  if (r.chance(35)) key("symbol", value(remember(std::string(1, r.chance(70) ? ':' : r.pick(MARKS)))));
  return s;
}

std::string random_text(Random& r, const std::vector<std::string>& markers, bool unix_text) {
  static const char* const WORDS[] = {
      "EOF",  "E",    "ab",   " E;", "-",    "~",   "\\", "'E'", "\"E\"", "$x", "${a}", "#{b}",
      "$(c)", ":sym", "key:", "::",  "/a/g", "[/]", "{",  "}",   "?",     "!",  "1",    "return"};
  constexpr int WORD_COUNT = sizeof WORDS / sizeof WORDS[0];
  std::string t;
  const int pieces = r.below(24);
  for (int i = 0; i < pieces; ++i) {
    const int what = r.below(10);
    if (what < 3 && !markers.empty())
      t += markers[static_cast<std::size_t>(r.below(static_cast<int>(markers.size())))];
    else if (what < 5) t += r.pick(MARKS);
    else if (what < 6) t += WORDS[r.below(WORD_COUNT)];
    else if (what < 8) t += r.pick(unix_text ? " \tab\n\n" : " \tab\r\n\r");
    else if (what < 9) t += unix_text ? "\n" : "\r\n";
    else t += r.pick("xyz;,)\t ");
  }
  return t;
}

TEST(ScannerRulesRandom, TokensAndMarkupEqualTheRestatement) {
  Random r(20261209);
  int checked = 0;
  for (int i = 0; i < 2000; ++i) {
    std::vector<std::string> markers;
    const std::string body = random_section(r, markers);
    MemorySyntaxSource source("[S]\r\n" + body);
    std::optional<Syntax> syntax = read_syntax(source, "S");
    ASSERT_TRUE(syntax);
    // A regular expression may open after these words, and keys and names may be coloured.
    syntax->keywords1 = build_keyword_table(r.chance(50) ? "return 1C00000\r\nE 2FF\r\n" : "", true);
    const rules_ref::Rules rules = rules_ref::read_rules(source, "S", *syntax);
    for (int k = 0; k < 3; ++k) {
      const std::string text = random_text(r, markers, r.chance(50));
      const bool html = r.chance(50);
      const rules_ref::Finding f = rules_ref::check(*syntax, rules, text, html);
      ASSERT_FALSE(f) << f.what << "\nsection:\n"
                      << body << "\ntext: " << ::testing::PrintToString(text) << "\nexpected: " << f.expected
                      << "\ngot:      " << f.got;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 6000);
}

}  // namespace
}  // namespace vorel
