// The conversion driver: frame, numbering, failures, sinks, and repeated use.
#include "engine/convert.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/number_lines.h"
#include "test_support.h"

namespace vorel {
namespace {

class ConvertTest : public ::testing::Test {
 protected:
  ConvertTest() { dir.as_program_dir(); }
  std::optional<std::string> convert(const std::string& text, uint32_t flags, const char* syntax = "S",
                                     uint32_t first_line = 1) {
    ctx.flags = flags;
    ctx.line_counter = first_line;
    return convert_text(ctx, text.c_str(), (text.size() + 1) * 8 + 1024, syntax);
  }
  test::ScratchDir dir;
  ConversionContext ctx;
};

TEST_F(ConvertTest, UbbPlainTextComesOutUnchanged) { EXPECT_EQ(convert("a\r\nb", 0), "a\r\nb"); }

TEST_F(ConvertTest, UbbNumberedFromOne) {
  EXPECT_EQ(convert("a\r\nb", FLAG_LINE_NUMBERS), "\r\n     1 a\r\n     2 b");
  EXPECT_EQ(ctx.line_counter, 2u);
  EXPECT_EQ(convert("a\r\nb\r\n", FLAG_LINE_NUMBERS), "\r\n     1 a\r\n     2 b");
  EXPECT_EQ(convert("a\r\nb", FLAG_LINE_NUMBERS, "S", 0), "\r\n     0 a\r\n     1 b");
  EXPECT_EQ(ctx.line_counter, 1u);
}

TEST_F(ConvertTest, HtmlOfAnEmptySectionIsFrameTextAndFooter) {
  const auto out = convert("if (a<b) x>y;\r\nz&w", FLAG_HTML);
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, std::string(html_page_header()) + "if (a&lt;b) x&gt;y;\r\nz&w</pre>");
}

TEST_F(ConvertTest, HtmlFrameIsThirteenLinesWithBig5Texts) {
  const std::string header(html_page_header());
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = header.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  EXPECT_EQ(lines, 13u);
  EXPECT_EQ(header.substr(header.size() - 2), "\r\n");
  EXPECT_EQ(header.find("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=big5\">\r\n"), 0u);
  EXPECT_NE(header.find("\r\n<title> Vorel </title>\r\n"), std::string::npos);
  // 細明體 / 明體, 複製所有代碼, 自動換行 in Big5.
  EXPECT_NE(header.find("<option value=\xb2\xd3\xa9\xfa\xc5\xe9>\xa9\xfa\xc5\xe9</option>\r\n"),
            std::string::npos);
  EXPECT_NE(header.find("type=button value=\"\xbd\xc6\xbb\x73\xa9\xd2\xa6\xb3\xa5\x4e\xbd\x58\">\r\n"),
            std::string::npos);
  EXPECT_NE(header.find("<font style='font-size:9pt;'>\xa6\xdb\xb0\xca\xb4\xab\xa6\xe6</font>\r\n"),
            std::string::npos);
  const std::string pre =
      "\r\n<hr size=1>\r\n<pre style=\"font-family:arial;font-size:9pt;word-wrap:break-word;\" id=code>\r\n";
  EXPECT_EQ(header.substr(header.size() - pre.size()), pre);
  EXPECT_EQ(html_page_footer(), "</pre>");
}

TEST_F(ConvertTest, HtmlNumberedLeavesTheFrameAndFooterUnnumbered) {
  const auto out = convert("a\r\nb\r\n", FLAG_HTML | FLAG_LINE_NUMBERS, "S", 9);
  EXPECT_EQ(out, std::string(html_page_header()) + "\r\n     9 a\r\n    10 b</pre>");
}

TEST_F(ConvertTest, NumberedOutputIsNumberLinesOfTheUnnumberedOutput) {
  dir.write("config.ini",
            "[C]\r\nstr1=\"\r\ncomment1=/*\r\ncomment1e=*/\r\ncomment2=//\r\ndelimiter=;<>\r\n");
  const std::string text = "x = \"s\r\n/* a\r\n b */ y; // c\r\n\r\nz<w\r";
  for (uint32_t flags : {0u, FLAG_HTML}) {
    const auto plain = convert(text, flags, "C");
    ASSERT_TRUE(plain);
    std::string body = *plain;
    std::size_t skip = 0;
    if (flags & FLAG_HTML) {
      skip = html_page_header().size();
      body.resize(body.size() - html_page_footer().size());
    }
    uint32_t counter = 5;
    const std::string expected = number_lines(body, skip, counter) + (flags & FLAG_HTML ? "</pre>" : "");
    EXPECT_EQ(convert(text, flags | FLAG_LINE_NUMBERS, "C", 5), expected);
    EXPECT_EQ(ctx.line_counter, counter);
  }
}

TEST_F(ConvertTest, MissingKeywordFileFailsAndWritesNothing) {
  dir.write("config.ini", "[S]\r\nstxfile1=none.txt\r\n");
  EXPECT_FALSE(convert("int a;", FLAG_HTML));
  EXPECT_EQ(ctx.failed_file, dir.file("none.txt"));
  StringSink sink;
  EXPECT_FALSE(convert_stream(ctx, "int a;", "S", sink));
  EXPECT_EQ(sink.take(), "");
}

TEST_F(ConvertTest, SecondConversionKeepsNothingOfTheFirstSyntax) {
  dir.write("config.ini",
            "[A]\r\nstr1='\r\ncomment1=#\r\ndelimiter=;\r\nstxfile1=a.txt\r\ncolor_string=FF\r\n"
            "[B]\r\n");
  dir.write("a.txt", "int FF\r\n");
  EXPECT_EQ(convert("int 'x';#c", 0, "A"),
            "[color=#FF0000]int[/color] [color=#FF0000]'x'[/color];[color=#000000]#c[/color]");
  EXPECT_EQ(convert("int 'x';#c", 0, "B"), "int 'x';#c");
}

TEST_F(ConvertTest, CapacityIsOnlyAHint) {
  dir.write("config.ini", "[S]\r\nstxfile1=k.txt\r\ndelimiter=;\r\n");
  dir.write("k.txt", "k 70000FF\r\n");
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "k;";
  std::string expected;
  for (int i = 0; i < 5000; ++i) expected += "<b><i><u><font color=FF0000>k</font></u></i></b>;";
  ctx.flags = FLAG_HTML;
  for (std::size_t capacity : {std::size_t{0}, std::size_t{1}, (text.size() + 1) * 8 + 1024}) {
    const auto out = convert_text(ctx, text.c_str(), capacity, "S");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, std::string(html_page_header()) + expected + "</pre>");
  }
}

TEST_F(ConvertTest, AnImpossibleCapacityHintIsIgnored) {
  ctx.flags = 0;
  const auto out = convert_text(ctx, "a<b", static_cast<std::size_t>(-1), "S");
  EXPECT_EQ(out, "a&lt;b");
}

TEST_F(ConvertTest, StreamTakesAViewAndStopsAtAZeroByte) {
  const std::string backing("a\r\nb\r\ncd", 8);
  StringSink sink;
  ctx.flags = 0;
  ASSERT_TRUE(convert_stream(ctx, std::string_view(backing).substr(0, 4), "S", sink));
  EXPECT_EQ(sink.take(), "a\r\nb");
  ASSERT_TRUE(convert_stream(ctx, std::string_view("x\0y", 3), "S", sink));
  EXPECT_EQ(sink.take(), "x");
}

TEST_F(ConvertTest, TimingsAreSet) {
  ctx.stats.keyword_load_ms = -1;
  ctx.stats.conversion_ms = -1;
  ASSERT_TRUE(convert("abc", 0));
  EXPECT_GE(ctx.stats.keyword_load_ms, 0);
  EXPECT_GE(ctx.stats.conversion_ms, 0);
}

// A comment marker that ends the text still starts a comment, whatever its
// length, in both streaming forms and with a zero byte right after it.
TEST(CommentMarkers, AMarkerThatEndsTheTextIsAComment) {
  MemorySyntaxSource s(
      "[S]\r\ndelimiter=;\r\ncolor_comment=8000\r\ncomment1=//\r\ncomment2=/*\r\ncomment2e=*/\r\n"
      "comment3=#\r\ncomment4=REM \r\n");
  for (auto [text, want] : {std::pair{"a //", "a [color=#008000]//[/color]"},
                            {"a /*", "a [color=#008000]/*[/color]"},
                            {"a #", "a [color=#008000]#[/color]"},
                            {"a\r\nREM ", "a\r\n[color=#008000]REM [/color]"},
                            {"//", "[color=#008000]//[/color]"}}) {
    for (LineEnds ends : {LineEnds::CR_LF, LineEnds::LF}) {
      std::string t = text;
      if (ends == LineEnds::LF) t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
      ConversionContext ctx;
      StringSink sink;
      ASSERT_TRUE(convert_stream(ctx, t, s, "S", sink, ends));
      EXPECT_EQ(sink.take(), want) << text;
      const std::string zero = t + std::string(1, '\0') + "tail";
      ASSERT_TRUE(convert_stream(ctx, zero, s, "S", sink, ends));
      EXPECT_EQ(sink.take(), want) << text << " before a zero byte";
    }
  }
}

TEST(StringSink, GrowsAndTrims) {
  StringSink sink(4);
  std::string expected;
  for (int i = 0; i < 100000; ++i) {
    sink.put(static_cast<char>('a' + i % 26));
    expected.push_back(static_cast<char>('a' + i % 26));
    if (i % 1000 == 0) {
      sink.write(std::string(70000, 'z'));
      expected += std::string(70000, 'z');
    }
  }
  EXPECT_EQ(sink.size(), expected.size());
  EXPECT_TRUE(sink.finish());
  EXPECT_EQ(sink.take(), expected);
  EXPECT_EQ(sink.size(), 0u);
  sink.write("again");
  EXPECT_EQ(sink.take(), "again");
}

}  // namespace
}  // namespace vorel
