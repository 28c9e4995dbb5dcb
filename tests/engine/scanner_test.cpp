// Scanner: token boundaries and the order of emit calls.
#include "engine/scanner.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vorel {
namespace {

using test::block_comment;
using test::delim;
using test::line_comment;
using test::scan;
using test::str;
using test::Token;
using test::word;
using Tokens = std::vector<Token>;

ScanState c_like() {
  ScanState s;
  test::set_delimiters(s, "=;(){}<>/*\"'");
  s.quote1[0] = '"';
  s.quote2[0] = '\'';
  test::set_pair(s, 0, "/*", "*/");
  test::set_pair(s, 1, "//", "\r");
  return s;
}

TEST(ScannerWords, EmptyTextGivesNoTokens) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, ""), Tokens{});
}

TEST(ScannerWords, TextWithoutDelimitersIsOneWord) {
  ScanState s;
  test::set_delimiters(s, "");
  EXPECT_EQ(scan(s, "abc-def.ghi"), (Tokens{word("abc-def.ghi")}));
}

TEST(ScannerWords, AdjacentDelimitersGiveNoEmptyWordBetween) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "f();"), (Tokens{word("f"), delim("("), delim(")"), delim(";")}));
}

TEST(ScannerWords, ZeroByteEndsTheText) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, std::string_view("ab\0cd", 5)), (Tokens{word("ab")}));
}

TEST(ScannerWords, Big5PunctuationLeadByteIsADelimiterAndTrailByteStartsTheNextWord) {
  ScanState s = c_like();
  // The full-width comma is 0xA1 0x41: its trail byte is the letter A.
  EXPECT_EQ(scan(s, "x\xA1\x41y"), (Tokens{word("x"), delim("\xA1"), word("Ay")}));
}

TEST(ScannerStrings, AssignmentOfAString) {
  ScanState s = c_like();
  // A string flushes the pending word even when it is empty.
  EXPECT_EQ(scan(s, "x=\"a b\""), (Tokens{word("x"), delim("="), word(""), str("\"a b\"")}));
}

TEST(ScannerStrings, StringInsideAWordEndsTheWord) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "abc\"def\"gh"), (Tokens{word("abc"), str("\"def\""), word("gh")}));
}

TEST(ScannerStrings, UnterminatedStringRunsToTheEndAndEndsTheScan) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "a \"bc;d"), (Tokens{word("a"), delim(" "), word(""), str("\"bc;d")}));
}

TEST(ScannerStrings, UnterminatedStringEndsWithTheCrOfItsLine) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "\"ab\r\nc"), (Tokens{word(""), str("\"ab\r"), delim("\n"), word("c")}));
}

TEST(ScannerStrings, BackslashDoesNotProtectAQuote) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "\"a\\\"b"), (Tokens{word(""), str("\"a\\\""), word("b")}));
}

TEST(ScannerStrings, OtherQuoteInsideAStringIsText) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "'a\"b'"), (Tokens{word(""), str("'a\"b'")}));
}

TEST(ScannerStrings, EmptyQuoteSlotsRecogniseNoString) {
  ScanState s = c_like();
  s.quote1[0] = 0;
  s.quote2[0] = 0;
  EXPECT_EQ(scan(s, "\"a\""), (Tokens{delim("\""), word("a"), delim("\"")}));
}

TEST(ScannerStrings, QuoteThatIsNotADelimiterStillStartsAString) {
  ScanState s;
  test::set_delimiters(s, "");
  s.quote1[0] = '`';
  EXPECT_EQ(scan(s, "a`b`c"), (Tokens{word("a"), str("`b`"), word("c")}));
}

TEST(ScannerComments, LineCommentIncludesItsCrAndTheLfFollowsAsADelimiter) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "a // note\r\nb"),
            (Tokens{word("a"), delim(" "), word(""), line_comment("// note\r"), delim("\n"), word("b")}));
}

TEST(ScannerComments, BlockCommentThenWord) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "/*x*/y"), (Tokens{word(""), block_comment("/*x*/"), word("y")}));
}

TEST(ScannerComments, EndMarkerMayOverlapTheStartMarker) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "/*/z"), (Tokens{word(""), block_comment("/*/"), word("z")}));
}

TEST(ScannerComments, UnterminatedBlockCommentRunsToTheEnd) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "a/* b\r\n c \"d"), (Tokens{word("a"), block_comment("/* b\r\n c \"d")}));
}

TEST(ScannerComments, LineCommentOnTheLastLineRunsToTheEnd) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "a//b"), (Tokens{word("a"), line_comment("//b")}));
}

TEST(ScannerComments, NothingIsRecognisedInsideAComment) {
  ScanState s = c_like();
  EXPECT_EQ(scan(s, "/* \"x */\"y\""),
            (Tokens{word(""), block_comment("/* \"x */"), word(""), str("\"y\"")}));
}

TEST(ScannerComments, StringStartWinsOverCommentStart) {
  ScanState s;
  test::set_delimiters(s, "");
  s.quote1[0] = '#';
  test::set_pair(s, 0, "#", "\r");
  EXPECT_EQ(scan(s, "#a#b"), (Tokens{word(""), str("#a#"), word("b")}));
}

TEST(ScannerComments, EarlierShorterMarkerWinsOverLaterLongerOne) {
  ScanState s;
  test::set_delimiters(s, "");
  test::set_pair(s, 0, "/", "\r");
  test::set_pair(s, 1, "//", "!");
  EXPECT_EQ(scan(s, "a//b!c"), (Tokens{word("a"), line_comment("//b!c")}));
}

TEST(ScannerComments, AllSixPairsAreTriedInOrder) {
  ScanState s;
  test::set_delimiters(s, "");
  const char* starts[] = {"<1", "<2", "<3", "<4", "<5", "<6"};
  const char* ends[] = {"1>", "2>", "3>", "4>", "5>", "6>"};
  for (int i = 0; i < 6; ++i) test::set_pair(s, i, starts[i], ends[i]);
  EXPECT_EQ(scan(s, "a<6x6>b<1y1>"),
            (Tokens{word("a"), block_comment("<6x6>"), word("b"), block_comment("<1y1>")}));
}

TEST(ScannerComments, PairsAfterAnEmptyStartAreIgnored) {
  ScanState s = c_like();
  s.comment_pairs[0] = CommentPair{};
  EXPECT_EQ(scan(s, "a//b"), (Tokens{word("a"), delim("/"), delim("/"), word("b")}));
}

TEST(ScannerComments, MarkerByteThatStartsNoCommentIsAnOrdinaryByte) {
  ScanState s;
  test::set_delimiters(s, "");
  test::set_pair(s, 0, "--", "\r");
  EXPECT_EQ(scan(s, "a-b -- c"), (Tokens{word("a-b"), delim(" "), word(""), line_comment("-- c")}));
}

TEST(ScannerComments, StartMarkerCutByTheEndOfTextIsNoComment) {
  ScanState s;
  test::set_delimiters(s, "");
  test::set_pair(s, 0, "<!--", "-->");
  EXPECT_EQ(scan(s, std::string_view("x<!-", 4)), (Tokens{word("x<!-")}));
}

TEST(ScannerTokens, TokensOfAnyLengthArriveWhole) {
  ScanState s = c_like();
  const std::string body(100000, 'x');
  const std::string text = "\"" + body + "\" /*" + body + "*/ " + body;
  EXPECT_EQ(scan(s, text), (Tokens{word(""), str("\"" + body + "\""), delim(" "), word(""),
                                   block_comment("/*" + body + "*/"), delim(" "), word(body)}));
}

TEST(ScannerTokens, TextNeedNotBeZeroTerminated) {
  ScanState s = c_like();
  const std::string backing = "abc def";
  EXPECT_EQ(scan(s, std::string_view(backing).substr(0, 5)), (Tokens{word("abc"), delim(" "), word("d")}));
}

}  // namespace
}  // namespace vorel
