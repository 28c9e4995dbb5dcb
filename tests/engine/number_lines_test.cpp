// Line numbering: the whole-buffer form, and the streaming filter against it.
#include "engine/number_lines.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/convert.h"

namespace vorel {
namespace {

std::string numbered(std::string_view text, uint32_t first, std::size_t skip = 0, uint32_t* last = nullptr) {
  uint32_t counter = first;
  std::string out = number_lines(text, skip, counter);
  if (last) *last = counter;
  return out;
}

TEST(NumberLines, EveryLineGetsARightAlignedNumber) {
  uint32_t last = 0;
  EXPECT_EQ(numbered("a\r\nb", 1, 0, &last), "\r\n     1 a\r\n     2 b");
  EXPECT_EQ(last, 2u);
}

TEST(NumberLines, FinalLineBreakAddsNoLine) {
  uint32_t last = 0;
  EXPECT_EQ(numbered("a\r\nb\r\n", 1, 0, &last), "\r\n     1 a\r\n     2 b");
  EXPECT_EQ(last, 2u);
  EXPECT_EQ(numbered("a\r", 1, 0, &last), "\r\n     1 a");
}

TEST(NumberLines, NumberingMayStartAtZero) { EXPECT_EQ(numbered("x\r\ny", 0), "\r\n     0 x\r\n     1 y"); }

TEST(NumberLines, EmptyTextStillGetsTheFirstNumber) { EXPECT_EQ(numbered("", 7), "\r\n     7 "); }

TEST(NumberLines, BareCrAndEmptyLines) {
  EXPECT_EQ(numbered("a\rb", 1), "\r\n     1 a\r\n     2 b");
  EXPECT_EQ(numbered("a\r\r\nb", 1), "\r\n     1 a\r\n     2 \r\n     3 b");
  // Only one LF after a CR belongs to the break; a lone LF is text.
  EXPECT_EQ(numbered("a\r\n\nb", 1), "\r\n     1 a\r\n     2 \nb");
}

TEST(NumberLines, SkippedPrefixIsCopiedUnnumbered) {
  EXPECT_EQ(numbered("<h>\r\n<p>\r\nx\r\ny", 1, 10), "<h>\r\n<p>\r\n\r\n     1 x\r\n     2 y");
}

TEST(NumberLines, ZeroByteEndsTheText) {
  EXPECT_EQ(numbered(std::string_view("a\r\nb\0c\r\nd", 9), 1), "\r\n     1 a\r\n     2 b");
}

TEST(NumberLines, WideNumbersAreNotCutAndTheCounterWraps) {
  uint32_t last = 0;
  EXPECT_EQ(numbered("a\rb\rc", 4294967294u, 0, &last), "\r\n4294967294 a\r\n4294967295 b\r\n     0 c");
  EXPECT_EQ(last, 0u);
  EXPECT_EQ(numbered("a\rb", 999999), "\r\n999999 a\r\n1000000 b");
}

TEST(NumberLines, ManyShortLinesWithTenDigitNumbers) {
  // Each empty line grows by twelve bytes: more than any fixed per-line
  // allowance, so the output must grow.
  const std::string text(100000, '\r');
  uint32_t last = 0;
  const std::string out = numbered(text + "x", 4000000000u, 0, &last);
  EXPECT_EQ(last, 4000100000u);
  EXPECT_EQ(out.size(), 100001u * 13 + 1);
  EXPECT_EQ(out.substr(out.size() - 14), "\r\n4000100000 x");
}

std::string through_filter(std::string_view text, uint32_t first, std::size_t buffer, std::size_t chunk,
                           uint32_t* last, NumberStyle style = NumberStyle::TEXT) {
  StringSink down;
  LineNumberSink sink(down, first, style, buffer);
  for (std::size_t at = 0; at < text.size(); at += chunk) {
    const std::string_view piece = text.substr(at, chunk);
    if (piece.size() == 1) sink.put(piece[0]);
    else sink.write(piece);
  }
  EXPECT_TRUE(sink.finish());
  *last = sink.line_counter();
  return down.take();
}

TEST(LineNumberSink, MatchesNumberLinesWhateverTheChunking) {
  std::mt19937 rng(7);
  const char alphabet[] = {'a', '\r', '\n', ' ', '\r', '\0'};
  for (int round = 0; round < 300; ++round) {
    std::string text(rng() % 200, 'a');
    for (char& c : text) c = alphabet[rng() % (round % 10 == 0 ? 6 : 5)];
    const uint32_t first = round % 3 == 0 ? 4294967290u : rng() % 1000;
    uint32_t expected_last = 0;
    const std::string expected = numbered(text, first, 0, &expected_last);
    for (std::size_t buffer : {1, 2, 5, 64, 4096}) {
      for (std::size_t chunk : {1, 3, 17, 1000}) {
        uint32_t last = 0;
        ASSERT_EQ(through_filter(text, first, buffer, chunk, &last), expected)
            << "round " << round << " buffer " << buffer << " chunk " << chunk;
        ASSERT_EQ(last, expected_last);
      }
    }
  }
}

// The modern page's numbers: line breaks stay, the last one too, and each
// line's marker follows its break.
TEST(LineNumberSink, MarkersFollowEachBreakAndCarryAcrossDigits) {
  uint32_t last = 0;
  EXPECT_EQ(through_filter("a\r\nb\r\n", 9, 64, 1000, &last, NumberStyle::MARKER),
            "<span data-n=9></span>a\r\n<span data-n=10></span>b\r\n");
  EXPECT_EQ(last, 10u);
  EXPECT_EQ(through_filter("", 0, 64, 1000, &last, NumberStyle::MARKER), "<span data-n=0></span>");
  EXPECT_EQ(through_filter("\r\n\r\nx", 4294967295u, 64, 1000, &last, NumberStyle::MARKER),
            "<span data-n=4294967295></span>\r\n<span data-n=0></span>\r\n<span data-n=1></span>x");
  const std::string unselectable =
      through_filter(std::string_view("a\r\nb\0\r\nc", 8), 99, 64, 1000, &last, NumberStyle::UNSELECTABLE);
  EXPECT_NE(unselectable.find(">    99 </span>a\r\n<span"), std::string::npos);
  EXPECT_EQ(unselectable.substr(unselectable.size() - 16),
            ">   100 </span>b");  // the zero byte ends the text
  // Whatever the chunking, each style numbers alike; every line's number
  // counts up by one, also across carries.
  std::string text;
  for (int i = 0; i < 1200; ++i) text += i % 7 ? "x\r\n" : "\r\n";
  for (NumberStyle style : {NumberStyle::MARKER, NumberStyle::UNSELECTABLE}) {
    const std::string whole = through_filter(text, 95, 1 << 16, text.size(), &last, style);
    EXPECT_EQ(last, 95u + 1199u);
    for (std::size_t chunk : {1, 3, 17}) EXPECT_EQ(through_filter(text, 95, 5, chunk, &last, style), whole);
    std::size_t at = 0;
    for (uint32_t n = 95; n < 95 + 1200; ++n) {
      const std::string number = style == NumberStyle::MARKER ? "data-n=" + std::to_string(n) + ">"
                                                              : " " + std::to_string(n) + " </span>";
      at = whole.find(number, at);
      ASSERT_NE(at, std::string::npos) << n;
    }
  }
}

}  // namespace
}  // namespace vorel
