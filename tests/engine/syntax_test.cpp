// Syntax sections: keys, defaults, limits and keyword-file failures.
#include "engine/syntax.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vorel {
namespace {

using test::delim;
using test::line_comment;
using test::scan;
using test::Token;
using test::word;
using Tokens = std::vector<Token>;

class SyntaxTest : public ::testing::Test {
 protected:
  void config(const std::string& section_body) { dir.write("config.ini", "[S]\r\n" + section_body); }
  bool load(ScanState& state, std::string* failed = nullptr) { return load_syntax(state, "S", failed); }
  test::ScratchDir dir;
};

TEST_F(SyntaxTest, MissingSectionGivesOnlyTheFixedDelimiters) {
  dir.write("config.ini", "[Other]\r\nstr1=\"\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_EQ(s.quote1[0], 0);
  EXPECT_EQ(s.quote2[0], 0);
  EXPECT_EQ(s.comment_pairs[0].start[0], 0);
  EXPECT_FALSE(s.keywords1);
  EXPECT_FALSE(s.keywords2);
  EXPECT_EQ(s.string_style, 0u);
  int count = 0;
  for (bool d : s.delimiters) count += d;
  EXPECT_EQ(count, 6);
  for (unsigned char c : {' ', '\t', '\n', '\r', '\xA1', '\0'}) EXPECT_TRUE(s.delimiters[c]) << int(c);
}

TEST_F(SyntaxTest, MissingConfigFileIsNotAnError) {
  ScanState s;
  EXPECT_TRUE(load(s));
}

TEST_F(SyntaxTest, ValuesGoToTheirFields) {
  config("str1=\"\r\nstr2='\r\ncolor_string=1515A3\r\ncolor_comment=2008000\r\ndelimiter=;(\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_EQ(s.quote1[0], '"');
  EXPECT_EQ(s.quote2[0], '\'');
  EXPECT_EQ(s.string_style, 0x1515A3u);
  EXPECT_EQ(s.comment_style, 0x2008000u);
  EXPECT_TRUE(s.delimiters[static_cast<unsigned char>(';')]);
  EXPECT_TRUE(s.delimiters[static_cast<unsigned char>('(')]);
  EXPECT_FALSE(s.delimiters[static_cast<unsigned char>(')')]);
}

TEST_F(SyntaxTest, OnlyTheFirstCharacterOfAQuoteCounts) {
  config("str1=ab\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_STREQ(s.quote1, "a");
}

TEST_F(SyntaxTest, RepeatedDelimitersChangeNothing) {
  config("delimiter=;;; \t;\r\n");
  ScanState once;
  ASSERT_TRUE(load(once));
  config("delimiter=;\r\n");
  ScanState plain;
  ASSERT_TRUE(load(plain));
  EXPECT_TRUE(std::equal(std::begin(once.delimiters), std::end(once.delimiters), std::begin(plain.delimiters)));
}

TEST_F(SyntaxTest, StartWithoutEndIsALineComment) {
  config("comment1=//\r\ncomment2=/*\r\ncomment2e=*/\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_STREQ(s.comment_pairs[0].start, "//");
  EXPECT_STREQ(s.comment_pairs[0].end, "\r");
  EXPECT_STREQ(s.comment_pairs[1].start, "/*");
  EXPECT_STREQ(s.comment_pairs[1].end, "*/");
  EXPECT_EQ(s.comment_pairs[2].start[0], 0);
  EXPECT_EQ(scan(s, "a//b\r\nc"), (Tokens{word("a"), line_comment("//b\r"), delim("\n"), word("c")}));
}

TEST_F(SyntaxTest, PairsAfterAMissingStartAreNeverRead) {
  config("comment2=//\r\ncomment3=#\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  for (const CommentPair& p : s.comment_pairs) EXPECT_EQ(p.start[0], 0);
}

TEST_F(SyntaxTest, AllSixPairsAndMarkerLimit) {
  config("comment1=a1\r\ncomment2=a2\r\ncomment3=a3\r\ncomment4=a4\r\ncomment5=a5\r\ncomment6=a6\r\n"
         "comment6e=123456789\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_STREQ(s.comment_pairs[5].start, "a6");
  EXPECT_STREQ(s.comment_pairs[5].end, "1234567");  // seven characters at most
}

TEST_F(SyntaxTest, SecondKeywordFileAlone) {
  config("stxfile2=kw2.txt\r\n");
  dir.write("kw2.txt", "int FF\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_FALSE(s.keywords1);
  ASSERT_TRUE(s.keywords2);
  EXPECT_EQ(find_keyword(s.keywords2.get(), "int"), 0xFFu);
}

TEST_F(SyntaxTest, CaseSettingReachesTheKeywordTables) {
  config("case=1\r\nstxfile1=kw.txt\r\n");
  dir.write("kw.txt", "int FF\r\n");
  ScanState sensitive;
  ASSERT_TRUE(load(sensitive));
  EXPECT_FALSE(find_keyword(sensitive.keywords1.get(), "INT"));
  config("stxfile1=kw.txt\r\n");
  ScanState insensitive;
  ASSERT_TRUE(load(insensitive));
  EXPECT_EQ(find_keyword(insensitive.keywords1.get(), "INT"), 0xFFu);
}

TEST_F(SyntaxTest, UnreadableKeywordFileFailsAndNamesIt) {
  config("stxfile1=kw.txt\r\nstxfile2=missing.txt\r\n");
  dir.write("kw.txt", "int FF\r\n");
  ScanState s;
  std::string failed;
  EXPECT_FALSE(load(s, &failed));
  EXPECT_FALSE(s.keywords1);  // released again
  EXPECT_NE(failed.find("missing.txt"), std::string::npos);
  EXPECT_EQ(failed.find("missing.txt") + 11, failed.size());
}

TEST_F(SyntaxTest, KeywordFileNameAtTheLengthLimitLoadsOrFailsByName) {
  const std::string name = std::string(250, 'k') + ".txt";  // 254 characters, the value limit
  config("stxfile1=" + name + "\r\n");
  std::ofstream(dir.path() / name, std::ios::binary) << "int FF\n";
  ScanState s;
  std::string failed;
  if (load(s, &failed)) {
    EXPECT_EQ(find_keyword(s.keywords1.get(), "int"), 0xFFu);
  } else {
    // Where the system cannot open so long a path, the failure names the file.
    EXPECT_NE(failed.find(name), std::string::npos) << failed;
  }
}

TEST_F(SyntaxTest, Big5FullWidthCommaSplitsBeforeItsTrailByte) {
  config("delimiter=;\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_EQ(scan(s, "ab\xA1\x41" "cd"), (Tokens{word("ab"), delim("\xA1"), word("Acd")}));
}

}  // namespace
}  // namespace vorel
