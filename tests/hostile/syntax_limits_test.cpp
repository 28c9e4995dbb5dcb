// Syntax loading and conversion at every length limit of config.ini and one past it,
// and with malformed, binary, huge-line and very long keyword files.
#include <gtest/gtest.h>

#include <string>

#include "engine/convert.h"
#include "hostile_support.h"
#include "support/scratch_dir.h"
#include "settings/settings.h"

namespace {

using hostile::garbage;

// config.ini and the keyword files are held in memory, read by the settings
// layer's own INI rules; only file names at the path limits need a disk.
class SyntaxLimits : public ::testing::Test {
 protected:
  void keyword_file(const std::string& name, const std::string& text) { files.emplace_back(name, text); }
  // UBB markup of text under section [S] of the given config.ini.
  std::optional<std::string> convert(const std::string& config, const std::string& text,
                                     const char* syntax = "S") {
    vorel::MemorySyntaxSource source(config);
    for (const auto& [name, bytes] : files) source.add_keyword_file(name, bytes);
    ctx = vorel::ConversionContext{};
    vorel::StringSink sink;
    if (!vorel::convert_stream(ctx, text, source, syntax, sink)) return std::nullopt;
    return sink.take();
  }

  std::vector<std::pair<std::string, std::string>> files;
  vorel::ConversionContext ctx;
};

const std::string PLAIN = "[color=#000000]";  // style 0, colour 0: strings and comments here
const std::string END = "[/color]";

TEST_F(SyntaxLimits, QuoteOfTwoCharactersQuotesWithTheFirstOnly) {
  auto out = convert("[S]\r\nstr1=ab\r\n", "xa b a b c b");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "x" + PLAIN + "a b a" + END + " b c b");
}

TEST_F(SyntaxLimits, CommentMarkersOfSevenCharactersAreWhole) {
  auto out = convert("[S]\r\ncomment1=1234567\r\ncomment1e=7654321\r\n", "x 1234567 y 7654321 z");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "x " + PLAIN + "1234567 y 7654321" + END + " z");
}

TEST_F(SyntaxLimits, CommentMarkersOfEightCharactersAreCutToSeven) {
  auto out = convert("[S]\r\ncomment1=abcdefgh\r\ncomment1e=ABCDEFGH\r\n", "abcdefg q ABCDEFG r");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, PLAIN + "abcdefg q ABCDEFG" + END + " r");
}

TEST_F(SyntaxLimits, DelimiterValueKeeps254CharactersAndDropsThe255th) {
  keyword_file("k.txt", "a FF\n");
  const std::string keyword = "[color=#FF0000]a[/color]";
  // The 254th character is a delimiter...
  auto out = convert("[S]\r\nstxfile1=k.txt\r\ndelimiter=" + std::string(253, '!') + "Z\r\n", "aZa");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, keyword + "Z" + keyword);
  // ...a 255th is not.
  out = convert("[S]\r\nstxfile1=k.txt\r\ndelimiter=" + std::string(254, '!') + "Y\r\n", "aYa");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "aYa");
}

TEST_F(SyntaxLimits, EveryByteValueAsDelimiter) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') all += static_cast<char>(b);
  all = all.substr(0, 254);
  auto out = convert("[S]\r\ndelimiter=" + all + "\r\n", "a<b>c&d");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "a&lt;b&gt;c&d");
}

// Once a finding: a full path of 260 characters or more was emptied, and the failure
// named no file.
TEST_F(SyntaxLimits, KeywordFileNamesAtTheLimitLoadOrFailByName) {
  // 254 characters (the limit) and 255 (cut to the same 254).  The full path is
  // longer than the Windows program's 260, which is no limit here.
  const std::string name(250, 'k');
  vorel::test::ScratchDir dir;
  dir.as_program_dir();
  dir.write(name + ".txt", "int FF\n");
  for (const std::string& value : {name + ".txt", name + ".txtX"}) {
    dir.write("config.ini", "[S]\r\nstxfile1=" + value + "\r\n");
    auto out = vorel::convert_text(ctx, "int x", 0, "S");
    if (out) {
      EXPECT_EQ(*out, "[color=#FF0000]int[/color] x");
    } else {
      // Failing is acceptable only with the file named, so the user can be told which.
      EXPECT_NE(ctx.failed_file.find(name), std::string::npos) << "failed_file: '" << ctx.failed_file << "'";
    }
  }
}

TEST_F(SyntaxLimits, MissingKeywordFileFailsNamingIt) {
  auto out = convert("[S]\r\nstxfile2=nothing-here.txt\r\n", "int x");
  EXPECT_FALSE(out);
  EXPECT_NE(ctx.failed_file.find("nothing-here.txt"), std::string::npos);
}

TEST_F(SyntaxLimits, SyntaxNamesOfAnyLength) {
  for (std::size_t n : {1u, 99u, 100u, 254u, 255u, 1000u}) {
    const std::string name(n, 'N');
    auto out = convert("[" + name + "]\r\nstr1=\"\r\n", "\"s\"", name.c_str());
    ASSERT_TRUE(out) << n;
    EXPECT_EQ(*out, PLAIN + "\"s\"" + END) << n;
  }
}

TEST_F(SyntaxLimits, StyleValuesWithEveryTopByteHaveATemplate) {
  for (unsigned top = 0; top < 256; top += 15) {
    char value[16];
    std::snprintf(value, sizeof value, "%02X0000FF", top);
    auto out = convert(std::string("[S]\r\nstr1=\"\r\ncolor_string=") + value + "\r\n", "\"s\"");
    ASSERT_TRUE(out);
    EXPECT_NE(out->find("[color=#FF0000]\"s\"[/color]"), std::string::npos) << value << ": " << *out;
  }
}

TEST_F(SyntaxLimits, KeywordFileWithoutAnyLineEnd) {
  keyword_file("k.txt", "int 1FF");
  auto out = convert("[S]\r\nstxfile1=k.txt\r\n", "int x");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "[color=#FF0100]int[/color] x");

  // One line of a hundred thousand words: one entry, the first word, whose value
  // is read from the second ("b").
  std::string line = "a";
  for (int i = 0; i < 100000; ++i) line += " b";
  keyword_file("k.txt", line);
  out = convert("[S]\r\nstxfile1=k.txt\r\n", "a b");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "[color=#0B0000]a[/color] b");
}

TEST_F(SyntaxLimits, MalformedKeywordLinesAreSkipped) {
  keyword_file("k.txt", "\n\nnospace\n two 2\nint  FF\r\nvoid\t1\nfor FF0000\n\n");
  auto out = convert("[S]\r\nstxfile1=k.txt\r\n", "nospace two int void for");
  ASSERT_TRUE(out);
  // "int" has two spaces: the value text starts with the second one.
  EXPECT_EQ(*out, "nospace two [color=#FF0000]int[/color] void [color=#0000FF]for[/color]");
}

TEST_F(SyntaxLimits, BinaryGarbageAsKeywordFile) {
  keyword_file("k.txt", garbage(1 << 20, 7));
  auto out = convert("[S]\r\nstxfile1=k.txt\r\nstxfile2=k.txt\r\n", "hello, world\r\n");
  ASSERT_TRUE(out);
}

TEST_F(SyntaxLimits, BinaryGarbageAsConfigIni) {
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    std::string config = garbage(64 << 10, seed);
    auto out = convert(config, "a \"b\" /* c */ d\r\n");
    // Garbage names no keyword file (or one that does not exist): converts or fails cleanly.
    if (!out) { EXPECT_FALSE(ctx.failed_file.empty()) << seed; }
  }
}

TEST_F(SyntaxLimits, ManyKeywords) {
  std::string file;
  for (int i = 0; i < 200000; ++i)
    file += "kw" + std::to_string(i) + " " + std::to_string(i % 0x1000000) + "\n";
  keyword_file("k.txt", file);
  auto out = convert("[S]\r\ncase=1\r\nstxfile1=k.txt\r\n", "kw0 kw199999 kw200000");
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "[color=#000000]kw0[/color] [color=#999919]kw199999[/color] kw200000");
}

TEST_F(SyntaxLimits, SingleHugeTokens) {
  const std::string body(1 << 20, 'x');
  // An unterminated string ends at the end of the text...
  auto out = convert("[S]\r\nstr1=\"\r\n", "\"" + body);
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, PLAIN + "\"" + body + END);
  // ...and so does an unterminated block comment, line breaks kept inside.
  out = convert("[S]\r\ncomment1=/*\r\ncomment1e=*/\r\n", "/*" + body + "\r\n" + body);
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, PLAIN + "/*" + body + "\r\n" + body + END);
  // A word of a megabyte is copied whole.
  out = convert("", body);
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, body);
}

TEST_F(SyntaxLimits, ZeroByteEndsTheStreamedText) { EXPECT_EQ(convert("", std::string("ab\0cd", 5)), "ab"); }

}  // namespace
