// The output modes beside the default: strict escaping, the modern page,
// fragments, the page's charset and the options' names.  What a browser
// makes of them is checked in tests/browser.
#include <gtest/gtest.h>

#include "engine/convert.h"
#include "engine/markup.h"
#include "engine/output_options.h"
#include "engine/page.h"
#include "test_support.h"

namespace vorel {
namespace {

class OutputModes : public ::testing::Test {
 protected:
  OutputModes() {
    dir.as_program_dir();
    // '&' is a delimiter of C but not of W, so it also reaches words, keywords included.
    dir.write("config.ini",
              "[C]\r\nstxfile1=k.txt\r\nstr1=\"\r\ncomment1=/*\r\ncomment1e=*/\r\ncomment2=//\r\n"
              "delimiter=;&<>\r\ncolor_string=FF\r\ncolor_comment=8000\r\n"
              "[W]\r\nstxfile1=k.txt\r\ndelimiter=;\r\n");
    dir.write("k.txt", "int 4FF0000\r\na&b 2000000\r\n");
  }
  std::string convert(const std::string& text, const MarkupOptions& markup, uint32_t flags = FLAG_HTML,
                      const char* syntax = "C") {
    ctx.flags = flags;
    ctx.line_counter = 1;
    ctx.markup = markup;
    auto out = convert_text(ctx, text.c_str(), 0, syntax);
    return out ? *out : "<failed>";
  }
  // The markup between the page's head and tail.
  std::string body(const std::string& text, const MarkupOptions& markup, const char* syntax = "C") {
    const std::string out = convert(text, markup, FLAG_HTML, syntax);
    const PageText page = page_text(markup.page, markup.fragment, choose_charset(markup.charset, text));
    EXPECT_EQ(out.substr(0, page.head.size()), page.head);
    EXPECT_GE(out.size(), page.head.size() + page.tail.size());
    EXPECT_EQ(out.substr(out.size() - page.tail.size()), page.tail);
    return out.substr(page.head.size(), out.size() - page.head.size() - page.tail.size());
  }
  test::ScratchDir dir;
  ConversionContext ctx;
};

MarkupOptions strict() { return {.escape_ampersand = true}; }
MarkupOptions modern() { return {.page = PageStyle::MODERN}; }

TEST_F(OutputModes, StrictEscapesAmpersandsWhereverTheyStand) {
  const std::string text = "x&&y; \"s&t\" /* c&d\r\ne */ // l&m\r\na&b z&w";
  EXPECT_EQ(
      body(text, strict()),
      "x&amp;&amp;y; <font color=FF0000>\"s&amp;t\"</font> <font color=008000>/* c&amp;d\r\ne */</font> "
      "<font color=008000>// l&amp;m</font>\r\na&amp;b z&amp;w");
  // Where '&' is no delimiter it is part of words: plain ones and keywords.
  EXPECT_EQ(body("a&b z&w int", strict(), "W"),
            "<i><font color=000000>a&amp;b</font></i> z&amp;w <u><font color=0000FF>int</font></u>");
  // The default leaves '&' alone; UBB has no strict form.
  EXPECT_EQ(body("a&b z&w", {}, "W"), "<i><font color=000000>a&b</font></i> z&w");
  EXPECT_EQ(convert("a&b z&w", strict(), 0, "W"), "[i][color=#000000]a&b[/color][/i] z&w");
}

TEST_F(OutputModes, ModernPageEscapesStrictlyAndNamesColoursInStyleAttributes) {
  EXPECT_EQ(body("int x&y; \"s\"", modern()),
            "<u><span style=color:#0000FF>int</span></u> x&amp;y; <span style=color:#FF0000>\"s\"</span>");
  const std::string out = convert("x", modern());
  EXPECT_EQ(out.find("<!DOCTYPE html>\r\n"), 0u);
  EXPECT_NE(out.find("<meta charset=\"big5\">"), std::string::npos);
  EXPECT_NE(out.find("<pre id=code>\r\nx</pre>\r\n<script>"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 9), "</html>\r\n");
}

TEST_F(OutputModes, ModernNumbersAreMarkersAfterEachLineBreakAndTheLastBreakStays) {
  ctx.flags = FLAG_HTML | FLAG_LINE_NUMBERS;
  ctx.line_counter = 9;
  ctx.markup = modern();
  const std::string out = *convert_text(ctx, "a\r\n\r\n/* b\r\nc */\r\n", 0, "C");
  const std::string head(page_text(PageStyle::MODERN, false, Charset::BIG5).head);
  EXPECT_EQ(
      out.substr(head.size(), out.find("</pre>") - head.size()),
      "<span data-n=9></span>a\r\n<span data-n=10></span>\r\n"
      "<span data-n=11></span><span style=color:#008000>/* b\r\n<span data-n=12></span>c */</span>\r\n");
  EXPECT_EQ(ctx.line_counter, 12u);
}

TEST_F(OutputModes, FragmentsAreTheBlockAlone) {
  EXPECT_EQ(
      convert("a<b", {.fragment = true}),
      "<pre style=\"font-family:arial;font-size:9pt;word-wrap:break-word;\" id=code>\r\na&lt;b</pre>\r\n");
  const std::string out = convert("a&b", {.page = PageStyle::MODERN, .fragment = true});
  EXPECT_EQ(out.find("<pre style=\""), 0u);
  EXPECT_EQ(out.substr(out.find(">\r\n")), ">\r\na&amp;b</pre>\r\n");
  // Numbers in a fragment are text the reader sees but does not select.
  ctx.flags = FLAG_HTML | FLAG_LINE_NUMBERS;
  ctx.line_counter = 99;
  ctx.markup = {.page = PageStyle::MODERN, .fragment = true};
  const std::string numbered = *convert_text(ctx, "a\r\nb", 0, "C");
  EXPECT_NE(numbered.find("user-select:none;"), std::string::npos);
  EXPECT_NE(numbered.find(">    99 </span>a\r\n<span "), std::string::npos);
  EXPECT_NE(numbered.find(">   100 </span>b</pre>"), std::string::npos);
}

TEST_F(OutputModes, AutomaticCharsetKeepsBig5BytesForAsciiAndBig5Text) {
  const MarkupOptions automatic{.charset = CharsetChoice::AUTO};
  for (const char* text : {"int x;", "\xa4\xa4\xa4\xe5"}) {
    const std::string out = convert(text, automatic);
    EXPECT_EQ(out.substr(0, html_page_header().size()), html_page_header()) << text;
  }
  const std::string utf8 = convert("caf\xc3\xa9", automatic);
  EXPECT_EQ(utf8.find("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\r\n"), 0u);
  // 複製所有代碼 in UTF-8, and no Big5 text left.
  EXPECT_NE(utf8.find("\xe8\xa4\x87\xe8\xa3\xbd\xe6\x89\x80\xe6\x9c\x89\xe4\xbb\xa3\xe7\xa2\xbc"),
            std::string::npos);
  EXPECT_EQ(utf8.find("\xbd\xc6\xbb\x73"), std::string::npos);
  EXPECT_NE(convert("x", modern()).find("<meta charset=\"big5\">"), std::string::npos);
  EXPECT_NE(convert("x", {.page = PageStyle::MODERN, .charset = CharsetChoice::UTF8})
                .find("<meta charset=\"utf-8\">"),
            std::string::npos);
}

TEST(MarkupOptions, NamesAndValuesAsTheCommandLineAndOptionIniWriteThem) {
  MarkupOptions m;
  EXPECT_TRUE(set_markup_option(m, "page", "modern"));
  EXPECT_TRUE(set_markup_option(m, "Fragment", "1"));
  EXPECT_TRUE(set_markup_option(m, "escape", "STRICT"));
  EXPECT_TRUE(set_markup_option(m, "charset", "utf-8"));
  EXPECT_EQ(m.page, PageStyle::MODERN);
  EXPECT_TRUE(m.fragment);
  EXPECT_TRUE(m.escape_ampersand);
  EXPECT_EQ(m.charset, CharsetChoice::UTF8);
  EXPECT_TRUE(set_markup_option(m, "charset", "auto"));
  EXPECT_EQ(m.charset, CharsetChoice::AUTO);
  EXPECT_TRUE(set_markup_option(m, "charset", "big5"));
  EXPECT_EQ(m.charset, CharsetChoice::BIG5);
  // Unknown names and values change nothing.
  for (auto [name, value] : {std::pair{"page", "fancy"},
                             {"fragment", "yes"},
                             {"escape", ""},
                             {"charset", "utf8"},
                             {"colour", "red"},
                             {"page", "modern "}}) {
    const MarkupOptions before = m;
    EXPECT_FALSE(set_markup_option(m, name, value)) << name << "=" << value;
    EXPECT_EQ(m.page, before.page);
    EXPECT_EQ(m.charset, before.charset);
  }
  EXPECT_TRUE(set_markup_option(m, "page", "classic"));
  EXPECT_TRUE(set_markup_option(m, "fragment", "0"));
  EXPECT_TRUE(set_markup_option(m, "escape", "default"));
  EXPECT_EQ(m.page, PageStyle::CLASSIC);
  EXPECT_FALSE(m.fragment);
  EXPECT_FALSE(m.escape_ampersand);
}

TEST(MarkupOptions, TheUbbModesAndTheTabWidthByName) {
  MarkupOptions m;
  EXPECT_TRUE(set_markup_option(m, "ubb_safe", "1"));
  EXPECT_TRUE(set_markup_option(m, "UBB_No_Entities", "1"));
  EXPECT_TRUE(set_markup_option(m, "tab_width", "64"));
  EXPECT_TRUE(set_markup_option(m, "ubb_font", "Courier New"));
  EXPECT_TRUE(m.ubb_safe);
  EXPECT_TRUE(m.ubb_no_entities);
  EXPECT_EQ(m.tab_width, 64u);
  EXPECT_EQ(m.ubb_font, "Courier New");
  for (auto [name, value] : {std::pair{"ubb_safe", "2"},
                             {"ubb_no_entities", ""},
                             {"tab_width", "65"},
                             {"tab_width", "-1"},
                             {"tab_width", ""},
                             {"ubb_font", "a]b"},
                             {"ubb_font", "a\nb"}}) {
    EXPECT_FALSE(set_markup_option(m, name, value)) << name << "=" << value;
  }
  EXPECT_TRUE(m.ubb_safe && m.ubb_no_entities);
  EXPECT_EQ(m.tab_width, 64u);
  EXPECT_EQ(m.ubb_font, "Courier New");
  EXPECT_TRUE(set_markup_option(m, "tab_width", "0"));
  EXPECT_TRUE(set_markup_option(m, "ubb_font", ""));
  EXPECT_TRUE(set_markup_option(m, "ubb_safe", "0"));
  EXPECT_EQ(m.tab_width, 0u);
  EXPECT_EQ(m.ubb_font, "");
  EXPECT_FALSE(m.ubb_safe);
  // option.ini holds the markup modes only: the dialog sets format and numbering.
  EXPECT_FALSE(set_markup_option(m, "format", "ubb"));
  EXPECT_FALSE(set_markup_option(m, "line_numbers", "1"));
}

}  // namespace
}  // namespace vorel
