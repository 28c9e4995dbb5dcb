// Charset: which texts count as UTF-8 for the page's declared encoding.
#include "engine/charset.h"

#include <gtest/gtest.h>

#include <string>

namespace vorel {
namespace {

// Each text at the start, after a long ASCII run (the sixteen-byte steps) and
// at the very end of one.
void expect_utf8(const std::string& text, bool expected) {
  const std::string ascii(37, 'a');
  for (const std::string& t : {text, ascii + text, ascii + ascii + text + ascii})
    EXPECT_EQ(is_non_ascii_utf8(t), expected) << "text of " << t.size() << " bytes";
}

TEST(Charset, WellFormedNonAsciiUtf8IsUtf8) {
  expect_utf8("\xc3\xa9", true);                                    // é
  expect_utf8("\xe8\xa8\x88\xe7\xae\x97 \xe2\x80\x94", true);       // 計算 —
  expect_utf8("\xf0\x9f\x98\x80", true);                            // U+1F600
  expect_utf8("\xf4\x8f\xbf\xbf \xed\x9f\xbf \xee\x80\x80", true);  // U+10FFFF, U+D7FF, U+E000
}

TEST(Charset, AsciiAndBrokenUtf8AreNot) {
  expect_utf8("", false);
  expect_utf8("int main(void) { return 0; }\r\n", false);
  expect_utf8("\xad\x70\xba\xe2\xc1\x60", false);  // Big5 計算總
  expect_utf8("\xc0\x80", false);                  // overlong NUL
  expect_utf8("\xe0\x9f\xbf", false);              // overlong three-byte form
  expect_utf8("\xf0\x8f\xbf\xbf", false);          // overlong four-byte form
  expect_utf8("\xed\xa0\x80", false);              // a surrogate
  expect_utf8("\xf4\x90\x80\x80", false);          // past U+10FFFF
  expect_utf8("\xf5\x80\x80\x80", false);          // no such lead byte
  expect_utf8("\x80", false);                      // a lone continuation byte
  expect_utf8("\xc3", false);                      // cut short at the end
  expect_utf8("\xe8\xa8", false);
  expect_utf8("\xe8\xa8 ", false);  // cut short by ASCII
}

TEST(Charset, TheTextEndsWhereItsViewEnds) {
  // The bytes after the view would complete the sequence.
  EXPECT_FALSE(is_non_ascii_utf8(std::string_view("\xe8\xa8\x88", 2)));
  EXPECT_FALSE(is_non_ascii_utf8(std::string_view("abc\xf0\x9f\x98\x80", 6)));
}

TEST(Charset, TheTextEndsAtItsFirstZeroByte) {
  EXPECT_TRUE(is_non_ascii_utf8(std::string("\xc3\xa9\0\xff", 4)));
  EXPECT_FALSE(is_non_ascii_utf8(std::string("abc\0\xc3\xa9", 6)));
  EXPECT_FALSE(is_non_ascii_utf8(std::string(40, 'a') + std::string("\0\xc3\xa9", 3)));
}

TEST(Charset, AutoChoosesUtf8OnlyForUtf8Text) {
  EXPECT_EQ(choose_charset(CharsetChoice::AUTO, "caf\xc3\xa9"), Charset::UTF8);
  EXPECT_EQ(choose_charset(CharsetChoice::AUTO, "cafe"), Charset::BIG5);
  EXPECT_EQ(choose_charset(CharsetChoice::AUTO, "\xa4\xa4\xa4\xe5"), Charset::BIG5);
  EXPECT_EQ(choose_charset(CharsetChoice::BIG5, "caf\xc3\xa9"), Charset::BIG5);
  EXPECT_EQ(choose_charset(CharsetChoice::UTF8, "cafe"), Charset::UTF8);
}

}  // namespace
}  // namespace vorel
