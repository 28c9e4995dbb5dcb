// The output modes beside the default markup: forum-safe UBB, UBB without
// entities, tab expansion and the font wrapper; and picking a syntax by the
// file name.  How forums render the forum-safe markup is checked by real
// BBCode libraries in tests/forum; these pin where the markup goes.
#include <gtest/gtest.h>

#include "engine/convert.h"
#include "engine/file_names.h"
#include "engine/tabs.h"

namespace vorel {
namespace {

// A syntax with strings, comments, a keyword holding '[' (which is then no
// delimiter) and the bold-blue keyword style.
std::string convert(const std::string& text, MarkupOptions options, uint32_t flags = 0) {
  MemorySyntaxSource s(
      "[S]\r\nstxfile1=kw.txt\r\nstr1=\"\r\ndelimiter=;=()<>&\r\ncolor_string=FF\r\n"
      "color_comment=8000\r\ncomment1=//\r\ncomment2=/*\r\ncomment2e=*/\r\n");
  s.add_keyword_file("kw.txt", "int 1FF0000\nx[y 1FF0000\n");
  ConversionContext ctx;
  ctx.flags = flags;
  ctx.line_counter = 1;
  ctx.markup = std::move(options);
  StringSink sink;
  EXPECT_TRUE(convert_stream(ctx, text, s, "S", sink));
  return sink.take();
}

MarkupOptions safe() {
  MarkupOptions o;
  o.ubb_safe = true;
  return o;
}

TEST(ForumSafeUbb, BracketIsWrappedInPlainTextAndEndsTheRunPieceInsideOne) {
  EXPECT_EQ(convert("a[i]", safe()), "a[color=inherit][[/color]i]");
  EXPECT_EQ(convert("\"a[i]\"", safe()), "[color=#FF0000]\"a[[/color][color=#FF0000]i]\"[/color]");
  // Where the run ends after the bracket anyway, nothing is added: no empty
  // run (a parser that needs content in a tag would show it as text).
  EXPECT_EQ(convert("// a[\r\nb", safe()), "[color=#008000]// a[[/color]\r\nb");
  EXPECT_EQ(convert("\"[", safe()), "[color=#FF0000]\"[[/color]");
  // A block comment's line end is inside the run: the run goes on after it.
  EXPECT_EQ(convert("/*[\r\n*/", safe()), "[color=#008000]/*[[/color][color=#008000]\r\n*/[/color]");
  // A keyword holding '[' is split as any run, never nesting a colour.
  EXPECT_EQ(convert("x[y", safe()), "[b][color=#0000FF]x[[/color][/b][b][color=#0000FF]y[/color][/b]");
}

TEST(ForumSafeUbb, EntitiesUnlessTheBoardEscapesHtml) {
  EXPECT_EQ(convert("a&b<c>d \"&<\"", safe()), "a&amp;b&lt;c&gt;d [color=#FF0000]\"&amp;&lt;\"[/color]");
  MarkupOptions raw = safe();
  raw.ubb_no_entities = true;
  EXPECT_EQ(convert("a&b<c>d \"&<\"", raw), "a&b<c>d [color=#FF0000]\"&<\"[/color]");
  // Without the safe mode '&' stays as the default UBB writes it.
  raw.ubb_safe = false;
  EXPECT_EQ(convert("a&b<c>[", raw), "a&b<c>[");
}

TEST(ForumSafeUbb, HtmlIgnoresTheUbbOptions) {
  MarkupOptions all = safe();
  all.ubb_no_entities = true;
  all.ubb_font = "monospace";
  EXPECT_EQ(convert("a[&<\"[\"", all, FLAG_HTML), convert("a[&<\"[\"", MarkupOptions{}, FLAG_HTML));
}

TEST(UbbFont, HoldsThePostLineNumbersIncludedAndNeedsAUsableName) {
  MarkupOptions font;
  font.ubb_font = "Courier New";
  EXPECT_EQ(convert("a\r\nb", font), "[font=Courier New]a\r\nb[/font]");
  EXPECT_EQ(convert("a\r\nb", font, FLAG_LINE_NUMBERS), "[font=Courier New]\r\n     1 a\r\n     2 b[/font]");
  for (const char* bad : {"", "a]b", "[x", "a\r\nb"}) {
    EXPECT_FALSE(usable_font_name(bad)) << bad;
    font.ubb_font = bad;
    EXPECT_EQ(convert("a", font), "a") << bad;
  }
}

TEST(TabExpansion, ColumnsCountFromEachLineStart) {
  EXPECT_EQ(expand_tabs("\tx\tyz\t|", 4), "    x   yz  |");
  EXPECT_EQ(expand_tabs("abcd\t|", 4), "abcd    |");
  EXPECT_EQ(expand_tabs("ab\r\n\t|\n\t|\rab\t|", 4), "ab\r\n    |\n    |\rab  |");
  EXPECT_EQ(expand_tabs("a\t\tb", 1), "a  b");
  EXPECT_EQ(expand_tabs("no tabs", 8), "no tabs");
  // Inside strings and comments too, and through a conversion.
  MarkupOptions tabs;
  tabs.tab_width = 8;
  EXPECT_EQ(convert("a\t// b\tc", tabs), "a       [color=#008000]// b    c[/color]");
}

TEST(FileNames, PatternsMatchBaseNamesIgnoringCase) {
  EXPECT_TRUE(match_file_pattern("*.c", "a.c"));
  EXPECT_TRUE(match_file_pattern("*.c", "A.C"));
  EXPECT_TRUE(match_file_pattern("*.C", "x.y.c"));
  EXPECT_FALSE(match_file_pattern("*.c", "a.cc"));
  EXPECT_FALSE(match_file_pattern("*.c", "c"));
  EXPECT_TRUE(match_file_pattern("Makefile", "makefile"));
  EXPECT_FALSE(match_file_pattern("Makefile", "Makefile.am"));
  EXPECT_TRUE(match_file_pattern("*.?s", "a.ts"));
  EXPECT_FALSE(match_file_pattern("*.?s", "a.s"));
  EXPECT_TRUE(match_file_pattern("*a*b*", "xxaxxbxx"));
  EXPECT_FALSE(match_file_pattern("*a*b", "xxbxxaxx"));
  EXPECT_TRUE(match_file_pattern("*", ""));

  EXPECT_EQ(file_base_name("C:\\Src\\Lib\\MAIN.CPP"), "MAIN.CPP");
  EXPECT_EQ(file_base_name("src/lib/main.cpp"), "main.cpp");
  EXPECT_EQ(file_base_name("main.cpp"), "main.cpp");
  EXPECT_TRUE(matches_file_patterns("  *.cc\t*.cpp  *.hpp ", "C:\\Src\\MAIN.CPP"));
  EXPECT_FALSE(matches_file_patterns("*.cc *.cpp", "src/main.cpp/"));
  EXPECT_FALSE(matches_file_patterns("", "a.c"));
}

TEST(FileNames, TheFirstSectionThatMatchesIsChosen) {
  MemorySyntaxSource s("[One]\r\nfiles=*.h *.one\r\n[None]\r\n[Two]\r\nfiles=*.H Twofile\r\n");
  EXPECT_EQ(syntaxes_for_file(s, "dir\\X.H"), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(syntaxes_for_file(s, "/a/TWOFILE"), std::vector<std::string>{"Two"});
  EXPECT_TRUE(syntaxes_for_file(s, "a.txt").empty());
  EXPECT_EQ(syntax_files_listing(s), "One\t*.h *.one\nNone\t\nTwo\t*.H Twofile\n");
}

}  // namespace
}  // namespace vorel
