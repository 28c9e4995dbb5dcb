// Keyword files and lookup: parsing, malformed lines, case, and agreement of
// the hashed lookup with a binary search.
#include "engine/keywords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "test_support.h"

namespace vorel {
namespace {

std::unique_ptr<KeywordTable> parse(std::string text, bool case_sensitive = true) {
  return build_keyword_table(std::move(text), case_sensitive);
}

std::optional<uint32_t> binary_search(const KeywordTable& t, std::string_view word) {
  auto it = std::lower_bound(
      t.entries.begin(), t.entries.end(), word, [&t](const KeywordEntry& e, std::string_view w) {
        return t.compare(std::string_view(t.buffer.data() + e.offset, e.length), w) < 0;
      });
  if (it == t.entries.end() ||
      t.compare(std::string_view(t.buffer.data() + it->offset, it->length), word) != 0)
    return std::nullopt;
  return it->value;
}

TEST(KeywordFile, OneLineWithoutLineEndIsOneEntry) {
  auto t = parse("int FF");
  ASSERT_EQ(t->count(), 1u);
  EXPECT_EQ(find_keyword(t.get(), "int"), 0xFFu);
}

TEST(KeywordFile, CrLfAndLfLineEndsParseAlike) {
  auto lf = parse("int 1FF\nchar 10000FF\nwhile 2008000\n");
  auto crlf = parse("int 1FF\r\nchar 10000FF\r\nwhile 2008000\r\n");
  ASSERT_EQ(lf->count(), 3u);
  ASSERT_EQ(crlf->count(), 3u);
  for (const char* w : {"int", "char", "while"})
    EXPECT_EQ(find_keyword(lf.get(), w), find_keyword(crlf.get(), w)) << w;
  EXPECT_EQ(find_keyword(crlf.get(), "int"), 0x1FFu);
  EXPECT_EQ(find_keyword(crlf.get(), "char"), 0x10000FFu);
}

TEST(KeywordFile, WhateverFollowsTheHexDigitsIsIgnored) {
  auto t = parse("int 1FFzz trailing words\nx 0x10\n");
  EXPECT_EQ(find_keyword(t.get(), "int"), 0x1FFu);
  EXPECT_EQ(find_keyword(t.get(), "x"), 0x10u);  // parsed as the C library's base-16 conversion does
}

TEST(KeywordFile, EmptyFileHasNoEntries) {
  auto t = parse("");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->count(), 0u);
  EXPECT_FALSE(find_keyword(t.get(), "int"));
  EXPECT_FALSE(find_keyword(t.get(), ""));
}

TEST(KeywordFile, LinesWithoutAKeywordAndValueGiveNoEntry) {
  // A blank line, a line with no space, an empty keyword: none is an entry,
  // and the count is what was parsed.
  auto t = parse("\nint 1\r\n\r\nnospace\n FF\ntwo  2\nlast");
  ASSERT_EQ(t->count(), 2u);
  EXPECT_EQ(find_keyword(t.get(), "int"), 1u);
  EXPECT_EQ(find_keyword(t.get(), "two"), 2u);
  EXPECT_FALSE(find_keyword(t.get(), "nospace"));
  EXPECT_FALSE(find_keyword(t.get(), "last"));
  EXPECT_FALSE(find_keyword(t.get(), ""));
}

TEST(KeywordFile, MissingValueReadsNothingFromTheNextLine) {
  auto t = parse("int \nfeed 12\nend ");
  EXPECT_EQ(find_keyword(t.get(), "int"), 0u);
  EXPECT_EQ(find_keyword(t.get(), "feed"), 0x12u);
  EXPECT_EQ(find_keyword(t.get(), "end"), 0u);
}

TEST(KeywordFile, ZeroByteEndsTheFile) {
  auto t = parse(std::string("a 1\nb 2\0c 3\n", 12));
  EXPECT_EQ(t->count(), 2u);
  EXPECT_FALSE(find_keyword(t.get(), "c"));
}

TEST(KeywordFile, MissingFileLoadsNothing) {
  test::ScratchDir dir;
  EXPECT_EQ(load_keyword_table(dir.file("absent.txt").c_str(), 1), nullptr);
}

TEST(KeywordFile, LoadsFromDiskWithTheCaseSetting) {
  test::ScratchDir dir;
  dir.write("kw.txt", "While 1\r\n");
  auto insensitive = load_keyword_table(dir.file("kw.txt").c_str(), 0);
  auto sensitive = load_keyword_table(dir.file("kw.txt").c_str(), 7);
  ASSERT_TRUE(insensitive && sensitive);
  EXPECT_EQ(find_keyword(insensitive.get(), "WHILE"), 1u);
  EXPECT_FALSE(find_keyword(sensitive.get(), "WHILE"));
  EXPECT_EQ(find_keyword(sensitive.get(), "While"), 1u);
}

TEST(KeywordLookup, CaseInsensitiveTableFindsEveryCasing) {
  auto t = parse("while 5\n", false);
  for (const char* w : {"WHILE", "While", "while", "wHiLe"}) EXPECT_EQ(find_keyword(t.get(), w), 5u) << w;
  auto s = parse("while 5\n", true);
  EXPECT_EQ(find_keyword(s.get(), "while"), 5u);
  EXPECT_FALSE(find_keyword(s.get(), "While"));
  EXPECT_FALSE(find_keyword(s.get(), "WHILE"));
}

TEST(KeywordLookup, FoldingIsAsciiOnly) {
  // 0xC4/0xE4 are a letter pair in Latin-1 and must not match; Big5 bytes
  // are left alone.
  auto t = parse("\xE4x 1\n\xA4\x61 2\n", false);
  EXPECT_EQ(find_keyword(t.get(), "\xE4X"), 1u);
  EXPECT_FALSE(find_keyword(t.get(), "\xC4x"));
  EXPECT_EQ(find_keyword(t.get(), "\xA4\x41"), 2u);  // the trail byte is an ASCII letter
  EXPECT_EQ(compare_case_insensitive("\xC4", "\xE4") != 0, true);
  EXPECT_EQ(compare_case_insensitive("ABC", "abc"), 0);
  EXPECT_LT(compare_case_insensitive("ab", "abc"), 0);
  EXPECT_LT(compare_case_sensitive("\x7f", "\x80"), 0);  // bytes compare as unsigned
}

TEST(KeywordLookup, PrefixesAndExtensionsAreNotFound) {
  auto t = parse("while 1\n");
  EXPECT_FALSE(find_keyword(t.get(), "whil"));
  EXPECT_FALSE(find_keyword(t.get(), "whiles"));
  EXPECT_FALSE(find_keyword(t.get(), ""));
}

TEST(KeywordLookup, AbsentTableFindsNothing) { EXPECT_FALSE(find_keyword(nullptr, "int")); }

TEST(KeywordLookup, EntriesAreSortedByTheTablesComparison) {
  auto t = parse("b 1\nC 2\na 3\n", false);
  ASSERT_EQ(t->count(), 3u);
  EXPECT_EQ(t->keyword(0), "a");
  EXPECT_EQ(t->keyword(1), "b");
  EXPECT_EQ(t->keyword(2), "c");
}

TEST(KeywordLookup, DuplicateKeywordFindsItsFirstLine) {
  auto t = parse("int 1\nx 9\nINT 2\nint 3\n", false);
  EXPECT_EQ(find_keyword(t.get(), "Int"), 1u);
  auto s = parse("int 1\nINT 2\nint 3\n", true);
  EXPECT_EQ(find_keyword(s.get(), "int"), 1u);
  EXPECT_EQ(find_keyword(s.get(), "INT"), 2u);
}

TEST(KeywordLookup, HashedLookupAgreesWithBinarySearch) {
  std::mt19937 rng(12345);
  const std::string alphabet = "abAB_1\xE4\xC4";
  auto random_word = [&](std::size_t max_len) {
    std::string w(1 + rng() % max_len, ' ');
    for (char& c : w) c = alphabet[rng() % alphabet.size()];
    return w;
  };
  for (int round = 0; round < 40; ++round) {
    std::string file;
    const int n = static_cast<int>(rng() % 200);
    for (int i = 0; i < n; ++i) file += random_word(4) + " " + std::to_string(i) + (i % 2 ? "\r\n" : "\n");
    for (bool cs : {false, true}) {
      auto t = parse(file, cs);
      ASSERT_EQ(t->count(), static_cast<std::size_t>(n));
      for (int q = 0; q < 300; ++q) {
        const std::string w = random_word(5);
        ASSERT_EQ(find_keyword(t.get(), w), binary_search(*t, w)) << w << " case-sensitive " << cs;
      }
    }
  }
}

TEST(KeywordLookup, LongKeywordsAndManyEntries) {
  std::string file;
  const std::string long_word(300, 'k');
  file += long_word + " 77\n";
  for (int i = 0; i < 5000; ++i) file += "w" + std::to_string(i) + " " + std::to_string(i) + "\n";
  auto t = parse(file);
  ASSERT_EQ(t->count(), 5001u);
  EXPECT_EQ(find_keyword(t.get(), long_word), 0x77u);
  EXPECT_FALSE(find_keyword(t.get(), long_word + "k"));
  EXPECT_EQ(find_keyword(t.get(), "w4999"), 0x4999u);
  EXPECT_FALSE(find_keyword(t.get(), "w5000"));
}

}  // namespace
}  // namespace vorel
