// Syntax sections: keys, defaults, limits and keyword-file failures, read from
// config.ini on disk (load_syntax) and from the same text in memory alike.
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

enum class From { DISK, MEMORY };

// Each case runs twice: through load_syntax over files in a scratch
// directory (on Windows the platform's own INI functions), and through
// read_syntax over the same texts in memory.
class SyntaxTest : public ::testing::TestWithParam<From> {
 protected:
  SyntaxTest() { dir.as_program_dir(); }
  void config(const std::string& section_body) { write("config.ini", "[S]\r\n" + section_body); }
  void write(const std::string& name, const std::string& bytes) {
    if (GetParam() == From::DISK) dir.write(name, bytes);
    else if (name == "config.ini") ini = bytes;
    else files.emplace_back(name, bytes);
  }
  bool load(ScanState& state, std::string* failed = nullptr) {
    if (GetParam() == From::DISK) return load_syntax(state, "S", failed);
    MemorySyntaxSource source(ini);
    for (const auto& [name, text] : files) source.add_keyword_file(name, text);
    std::optional<Syntax> syntax = read_syntax(source, "S", failed);
    if (syntax) static_cast<Syntax&>(state) = std::move(*syntax);
    return syntax.has_value();
  }
  test::ScratchDir dir;
  std::string ini;
  std::vector<std::pair<std::string, std::string>> files;
};

INSTANTIATE_TEST_SUITE_P(From, SyntaxTest, ::testing::Values(From::DISK, From::MEMORY),
                         [](const ::testing::TestParamInfo<From>& info) {
                           return std::string(info.param == From::DISK ? "Disk" : "Memory");
                         });

TEST_P(SyntaxTest, MissingSectionGivesOnlyTheFixedDelimiters) {
  write("config.ini", "[Other]\r\nstr1=\"\r\n");
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

TEST_P(SyntaxTest, MissingConfigFileIsNotAnError) {
  ScanState s;
  EXPECT_TRUE(load(s));
}

TEST_P(SyntaxTest, ValuesGoToTheirFields) {
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

TEST_P(SyntaxTest, OnlyTheFirstCharacterOfAQuoteCounts) {
  config("str1=ab\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_STREQ(s.quote1, "a");
}

TEST_P(SyntaxTest, RepeatedDelimitersChangeNothing) {
  config("delimiter=;;; \t;\r\n");
  ScanState once;
  ASSERT_TRUE(load(once));
  config("delimiter=;\r\n");
  ScanState plain;
  ASSERT_TRUE(load(plain));
  EXPECT_TRUE(
      std::equal(std::begin(once.delimiters), std::end(once.delimiters), std::begin(plain.delimiters)));
}

TEST_P(SyntaxTest, StartWithoutEndIsALineComment) {
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

TEST_P(SyntaxTest, PairsAfterAMissingStartAreNeverRead) {
  config("comment2=//\r\ncomment3=#\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  for (const CommentPair& p : s.comment_pairs) EXPECT_EQ(p.start[0], 0);
}

TEST_P(SyntaxTest, AllSixPairsAndMarkerLimit) {
  config(
      "comment1=a1\r\ncomment2=a2\r\ncomment3=a3\r\ncomment4=a4\r\ncomment5=a5\r\ncomment6=a6\r\n"
      "comment6e=123456789\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_STREQ(s.comment_pairs[5].start, "a6");
  EXPECT_STREQ(s.comment_pairs[5].end, "1234567");  // seven characters at most
}

// A quoted marker of the full seven characters keeps all seven, from disk
// (the platform's profile functions) as from memory.
TEST_P(SyntaxTest, QuotedSevenCharacterMarkersKeepTheirLastCharacter) {
  config("comment1=\"      *\"\r\ncomment1at=line\r\nstring1='\"1234\"\"'\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_STREQ(s.comment_pairs[0].start, "      *");
  EXPECT_STREQ(s.string_pairs[0].start, "\"1234\"\"");
}

TEST_P(SyntaxTest, SecondKeywordFileAlone) {
  config("stxfile2=kw2.txt\r\n");
  write("kw2.txt", "int FF\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_FALSE(s.keywords1);
  ASSERT_TRUE(s.keywords2);
  EXPECT_EQ(find_keyword(s.keywords2.get(), "int"), 0xFFu);
}

TEST_P(SyntaxTest, CaseSettingReachesTheKeywordTables) {
  config("case=1\r\nstxfile1=kw.txt\r\n");
  write("kw.txt", "int FF\r\n");
  ScanState sensitive;
  ASSERT_TRUE(load(sensitive));
  EXPECT_FALSE(find_keyword(sensitive.keywords1.get(), "INT"));
  config("stxfile1=kw.txt\r\n");
  ScanState insensitive;
  ASSERT_TRUE(load(insensitive));
  EXPECT_EQ(find_keyword(insensitive.keywords1.get(), "INT"), 0xFFu);
}

TEST_P(SyntaxTest, UnreadableKeywordFileFailsAndNamesIt) {
  config("stxfile1=kw.txt\r\nstxfile2=missing.txt\r\n");
  write("kw.txt", "int FF\r\n");
  ScanState s;
  std::string failed;
  EXPECT_FALSE(load(s, &failed));
  EXPECT_FALSE(s.keywords1);  // released again
  EXPECT_NE(failed.find("missing.txt"), std::string::npos);
  EXPECT_EQ(failed.find("missing.txt") + 11, failed.size());
}

TEST_P(SyntaxTest, KeywordFileNamedBySlashesAloneFailsAndNamesSomething) {
  // Nothing is left of such a name to look up, but the message still needs a
  // file to name (an empty one reads as running out of memory).
  for (const char* name : {"/", "\\\\"}) {
    config(std::string("stxfile2=") + name + "\r\n");
    ScanState s;
    std::string failed;
    EXPECT_FALSE(load(s, &failed)) << name;
    EXPECT_FALSE(failed.empty()) << name;
  }
}

TEST_P(SyntaxTest, KeywordFileNameAtTheLengthLimitLoadsOrFailsByName) {
  const std::string name = std::string(250, 'k') + ".txt";  // 254 characters, the value limit
  config("stxfile1=" + name + "\r\n");
  write(name, "int FF\n");
  ScanState s;
  std::string failed;
  if (load(s, &failed)) {
    EXPECT_EQ(find_keyword(s.keywords1.get(), "int"), 0xFFu);
  } else {
    // Where the system cannot open so long a path, the failure names the file.
    EXPECT_NE(failed.find(name), std::string::npos) << failed;
  }
}

TEST_P(SyntaxTest, Big5FullWidthCommaSplitsBeforeItsTrailByte) {
  config("delimiter=;\r\n");
  ScanState s;
  ASSERT_TRUE(load(s));
  EXPECT_EQ(scan(s,
                 "ab\xA1\x41"
                 "cd"),
            (Tokens{word("ab"), delim("\xA1"), word("Acd")}));
}

// The memory source must read INI text exactly as the settings layer reads a
// file: on Windows that is the platform's own functions.
TEST(SyntaxSources, MemoryReadsIniTextAsTheSettingsLayerReadsTheFile) {
  const std::string texts[] = {
      "[S]\r\nstr1=\"\r\nSTR1='\r\ncase = 0x10 \r\n",
      "\xEF\xBB\xBF[ s ]\nstr1 = ' x '\n[S]\nstr1=y\n",
      "[S]\rdelimiter=\"a;b\"\rcomment1= \"//\r comment1e='*/\"\rcolor_string=-1A\r",
      "[S\r\ncase=12abc\r\n[S]]\r\ncase=-3\r\n[S]\r\ncase=0b101\r\n",
      "junk\r\n[A]\r\n[S]\r\nstr1\r\n=\r\ndelimiter=" + std::string(300, ';') + "\r\n\x1a",
  };
  const char* const keys[] = {"str1", "case", "delimiter", "comment1", "comment1e", "color_string", "none"};
  test::ScratchDir dir;
  dir.as_program_dir();
  for (const std::string& text : texts) {
    dir.write("config.ini", text);
    SettingsSyntaxSource disk;
    MemorySyntaxSource memory(text);
    EXPECT_EQ(memory.section_names(), disk.section_names()) << text;
    for (const char* section : {"S", " s ", "A", "missing"}) {
      for (const char* key : keys) {
        EXPECT_EQ(memory.get_int(section, key), disk.get_int(section, key)) << text << section << key;
        for (uint32_t size : {1u, 2u, 8u, 255u}) {
          char a[256], b[256];
          const uint32_t na = memory.get_string(section, key, a, size);
          const uint32_t nb = disk.get_string(section, key, b, size);
          EXPECT_EQ(std::string(a, na), std::string(b, nb)) << text << section << key << size;
        }
      }
    }
  }
}

TEST(SyntaxSources, SectionsAreFoundAsTheReadsFindThem) {
  MemorySyntaxSource source("[C++]\r\n[ Pascal ]\r\nx=1\r\n");
  EXPECT_EQ(source.section_names(), (std::vector<std::string>{"C++", "Pascal"}));
  EXPECT_TRUE(source.has_section("c++"));
  EXPECT_TRUE(source.has_section(" PASCAL\t"));
  EXPECT_FALSE(source.has_section("C"));
  EXPECT_FALSE(source.has_section(""));
}

TEST(SyntaxSources, AKeywordFileIsFoundByItsNameAndAMissingOneNamed) {
  MemorySyntaxSource source("[S]\r\nstxfile1=/kw.txt\r\n[T]\r\nstxfile2=other.txt\r\n");
  source.add_keyword_file("kw.txt", "int FF\r\n");
  const std::optional<Syntax> s = read_syntax(source, "S");
  ASSERT_TRUE(s && s->keywords1);
  EXPECT_EQ(find_keyword(s->keywords1.get(), "int"), 0xFFu);
  std::string failed;
  EXPECT_FALSE(read_syntax(source, "T", &failed));
  EXPECT_EQ(failed, "other.txt");
}

}  // namespace
}  // namespace vorel
