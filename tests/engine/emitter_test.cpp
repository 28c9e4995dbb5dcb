// Emitter: templates, colours, escaping, line breaks and keyword runs.
#include "engine/emitter.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "engine/convert.h"
#include "test_support.h"

namespace vorel {
namespace {

struct Emitted {
  ScanState state;
  std::string emit(bool html, TokenKind kind, std::string_view token) {
    StringSink sink;
    Emitter e(state, html, sink);
    e(kind, token);
    e.end_of_text();
    return sink.take();
  }
};

TEST(EmitterColour, ValueIsWrittenAsRrggbbUpperCase) {
  char buf[7] = {};
  write_rrggbb(buf, 0x000000FF);
  EXPECT_STREQ(buf, "FF0000");
  write_rrggbb(buf, 0x01FF0000);
  EXPECT_STREQ(buf, "0000FF");
  write_rrggbb(buf, 0x1FF);
  EXPECT_STREQ(buf, "FF0100");
  write_rrggbb(buf, 0xAB0A0B0C);
  EXPECT_STREQ(buf, "0C0B0A");
}

TEST(EmitterTemplates, EveryStyleIndexWrapsTheTextAsItsTemplateSays) {
  for (bool html : {true, false}) {
    for (uint32_t index = 0; index < 8; ++index) {
      const uint32_t value = (index << 24) | 0x123456;
      const char* const* table = html ? HTML_TEMPLATES : UBB_TEMPLATES;
      const char* tpl = table[index];
      char expected[128];
      std::snprintf(expected, sizeof expected, tpl, 0x563412u, "T");
      const StyleMarkup m = make_style_markup(value, html);
      EXPECT_EQ(std::string(m.opening()) + "T" + std::string(m.closing()), expected) << index << html;
    }
  }
  EXPECT_STREQ(HTML_TEMPLATES[6], "<u><i><font color=%06X>%s</font></i></u>");
  EXPECT_STREQ(UBB_TEMPLATES[7], "[b][i][u][color=#%06X]%s[/color][/u][/i][/b]");
}

TEST(EmitterTemplates, StyleIndexAboveSevenUsesItsLowThreeBits) {
  for (bool html : {true, false}) {
    for (uint32_t top = 8; top < 256; top += 13) {
      const StyleMarkup high = make_style_markup((top << 24) | 0xFF, html);
      const StyleMarkup low = make_style_markup(((top & 7) << 24) | 0xFF, html);
      EXPECT_EQ(high.opening(), low.opening());
      EXPECT_EQ(high.closing(), low.closing());
    }
  }
}

TEST(EmitterRuns, HtmlStringIsEscapedInsideItsRun) {
  Emitted e;
  e.state.string_style = 0xFF;
  EXPECT_EQ(e.emit(true, TOKEN_STRING, "\"a<b\""), "<font color=FF0000>\"a&lt;b\"</font>");
}

TEST(EmitterRuns, UbbKeyword) {
  Emitted e;
  e.state.keywords1 = build_keyword_table("int 1FF0000\n", true);
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "int"), "[b][color=#0000FF]int[/color][/b]");
}

TEST(EmitterRuns, AmpersandIsNeverEscaped) {
  Emitted e;
  for (bool html : {true, false}) {
    EXPECT_EQ(e.emit(html, TOKEN_DELIMITER, "&"), "&");
    EXPECT_EQ(e.emit(html, TOKEN_WORD, "a&b"), "a&b");
    EXPECT_EQ(e.emit(html, TOKEN_STRING, "'&amp;'"),
              std::string(html ? "<font color=000000>" : "[color=#000000]") + "'&amp;'" +
                  (html ? "</font>" : "[/color]"));
  }
}

TEST(EmitterRuns, LineCommentEndingInCrPutsTheLineBreakAfterTheRun) {
  Emitted e;
  e.state.comment_style = 0x2008000;
  EXPECT_EQ(e.emit(true, TOKEN_LINE_COMMENT, "// a>b\r"), "<i><font color=008000>// a&gt;b</font></i>\r\n");
  EXPECT_EQ(e.emit(false, TOKEN_STRING, "\"abc\r"), "[color=#000000]\"abc[/color]\r\n");
}

TEST(EmitterRuns, BlockCommentKeepsItsLineEndsInsideOneRun) {
  Emitted e;
  EXPECT_EQ(e.emit(false, TOKEN_BLOCK_COMMENT, "/* a\r\n b\rc\n*/"),
            "[color=#000000]/* a\r\n b\rc\n*/[/color]");
}

TEST(EmitterRuns, StringSpanningLinesIsOneRunInTheStringStyle) {
  Emitted e;
  e.state.string_style = 0x000000FF;
  e.state.comment_style = 0x2008000;
  EXPECT_EQ(e.emit(true, TOKEN_BLOCK_STRING, "\"\"\"a<b\r\nc\"\"\""),
            "<font color=FF0000>\"\"\"a&lt;b\r\nc\"\"\"</font>");
}

TEST(EmitterRuns, TokensOfAnyLengthAreWrittenWhole) {
  Emitted e;
  std::string body;
  for (int i = 0; i < 20000; ++i) body += "<x>&";
  const std::string escaped = [&] {
    std::string s;
    for (int i = 0; i < 20000; ++i) s += "&lt;x&gt;&";
    return s;
  }();
  EXPECT_EQ(e.emit(true, TOKEN_BLOCK_COMMENT, "/*" + body + "*/"),
            "<font color=000000>/*" + escaped + "*/</font>");
  EXPECT_EQ(e.emit(true, TOKEN_STRING, "\"" + body + "\""), "<font color=000000>\"" + escaped + "\"</font>");
}

TEST(EmitterWords, PlainWordsAreEscapedLikeEverythingElse) {
  Emitted e;
  EXPECT_EQ(e.emit(true, TOKEN_WORD, "a<b>c"), "a&lt;b&gt;c");
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "<<"), "&lt;&lt;");
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "plain"), "plain");
}

TEST(EmitterWords, EmptyWordWritesNothing) {
  Emitted e;
  e.state.keywords1 = build_keyword_table("x 1\n", true);
  EXPECT_EQ(e.emit(true, TOKEN_WORD, ""), "");
}

TEST(EmitterWords, FirstTableWinsAndSecondIsConsultedOnlyWhenFirstMisses) {
  Emitted e;
  e.state.keywords1 = build_keyword_table("int FF\n", true);
  e.state.keywords2 = build_keyword_table("int FF00\nprintf FF0000\n", true);
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "int"), "[color=#FF0000]int[/color]");
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "printf"), "[color=#0000FF]printf[/color]");
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "other"), "other");
}

TEST(EmitterWords, FirstTableWinsWhateverTheCase) {
  Emitted e;
  e.state.keywords1 = build_keyword_table("Int FF\n", false);
  e.state.keywords2 = build_keyword_table("INT FF00\nwhile FF0000\n", false);
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "iNT"), "[color=#FF0000]iNT[/color]");
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "WHILE"), "[color=#0000FF]WHILE[/color]");
}

TEST(EmitterWords, TablesThatFoldCaseDifferentlyAreSearchedInTurn) {
  Emitted e;
  e.state.keywords1 = build_keyword_table("Int FF\n", true);
  e.state.keywords2 = build_keyword_table("int FF00\n", false);
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "Int"), "[color=#FF0000]Int[/color]");
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "INT"), "[color=#00FF00]INT[/color]");
  EXPECT_EQ(e.emit(false, TOKEN_WORD, "in"), "in");
}

TEST(EmitterWords, OnlyTheSecondTable) {
  Emitted e;
  e.state.keywords2 = build_keyword_table("go 400FF00\n", true);
  EXPECT_EQ(e.emit(true, TOKEN_WORD, "go"), "<u><font color=00FF00>go</font></u>");
}

TEST(EmitterDelimiters, LineEndsAndAngleBracketsInBothLanguages) {
  Emitted e;
  for (bool html : {true, false}) {
    EXPECT_EQ(e.emit(html, TOKEN_DELIMITER, "\r"), "\r\n");
    EXPECT_EQ(e.emit(html, TOKEN_DELIMITER, "\n"), "");
    EXPECT_EQ(e.emit(html, TOKEN_DELIMITER, "<"), "&lt;");
    EXPECT_EQ(e.emit(html, TOKEN_DELIMITER, ">"), "&gt;");
    EXPECT_EQ(e.emit(html, TOKEN_DELIMITER, "\t"), "\t");
    EXPECT_EQ(e.emit(html, TOKEN_DELIMITER, "\xA1"), "\xA1");
  }
}

TEST(EmitterCallback, HeldBackBytesComeOutInTextOrder) {
  // Ordinary bytes are written in runs; whatever interrupts a run (a markup
  // run, an entity, a dropped LF, a token from elsewhere) must not reorder.
  ScanState state;
  state.keywords1 = build_keyword_table("k FF\n", true);
  StringSink sink;
  Emitter e(state, false, sink);
  const std::string text = "a b\r\nk<c";
  const char* t = text.data();
  e(TOKEN_WORD, std::string_view(t, 1));
  e(TOKEN_DELIMITER, std::string_view(t + 1, 1));
  e(TOKEN_WORD, std::string_view(t + 2, 1));
  e(TOKEN_DELIMITER, std::string_view(t + 3, 1));
  e(TOKEN_DELIMITER, std::string_view(t + 4, 1));
  e(TOKEN_WORD, std::string_view(t + 5, 1));
  e(TOKEN_DELIMITER, std::string_view(t + 6, 1));
  e(TOKEN_WORD, std::string_view(t + 7, 1));
  const std::string elsewhere = "zz";
  e(TOKEN_WORD, elsewhere);
  e(TOKEN_WORD, std::string_view(t + 7, 1));
  e.end_of_text();
  EXPECT_EQ(sink.take(), "a b\r\n[color=#FF0000]k[/color]&lt;czzc");
}

TEST(EmitterCallback, StoredCallbackWritesThroughTheEmitter) {
  ScanState state;
  test::set_delimiters(state, "<");
  StringSink sink;
  Emitter emitter(state, true, sink);
  state.emit = emit_token;
  state.emit_data = &emitter;
  state.text = "a<b\r\nc";
  scan_text(state);
  EXPECT_EQ(sink.take(), "a&lt;b\r\nc");
}

}  // namespace
}  // namespace vorel
