// The rules a section opts into with keys of its own: string pairs, escapes,
// quotes that span lines, where comment markers count, nesting comments and
// here-documents.  Each case reads its section from INI text, as config.ini
// gives it, and checks the tokens the scanner hands on.
#include <gtest/gtest.h>

#include <string>

#include "engine/scanner.h"
#include "engine/syntax.h"
#include "test_support.h"

namespace vorel {
namespace {

using test::block_comment;
using test::delim;
using test::line_comment;
using test::str;
using test::Token;
using test::word;
using Tokens = std::vector<Token>;

Token block_str(std::string s) { return {TOKEN_BLOCK_STRING, std::move(s)}; }

// The section [S] of ini_body, read as the programs read it.
ScanState section(const std::string& ini_body) {
  MemorySyntaxSource source("[S]\r\n" + ini_body);
  ScanState state;
  static_cast<Syntax&>(state) = std::move(*read_syntax(source, "S"));
  return state;
}

Tokens scan(const std::string& ini_body, std::string_view text) {
  ScanState state = section(ini_body);
  return test::scan(state, text);
}

// The tokens with the delimiters left out, which most cases do not care about.
Tokens without_delimiters(Tokens tokens) {
  std::erase_if(tokens, [](const Token& t) { return t.kind == TOKEN_DELIMITER; });
  return tokens;
}

const char* const PYTHON =
    "str1=\"\r\nstr2='\r\nescape=\\\r\ndelimiter=()=,.:\r\ncomment1=#\r\n"
    "string1='\"\"\"'\r\nstring2=\"'''\"\r\nstring3=r'''\r\nstring3e=\"'''\"\r\nstring3escape=none\r\n";

TEST(ScannerStringPairs, TripleQuotedStringSpansLinesAsOneBlockString) {
  EXPECT_EQ(
      without_delimiters(scan(PYTHON, "x = \"\"\"a \"quoted\" word\r\nit's # no comment\r\n\"\"\"\r\ny")),
      (Tokens{word("x"), word(""), block_str("\"\"\"a \"quoted\" word\r\nit's # no comment\r\n\"\"\""),
              word("y")}));
}

TEST(ScannerStringPairs, PairOnOneLineIsAnOrdinaryString) {
  EXPECT_EQ(without_delimiters(scan(PYTHON, "'''a'''b")), (Tokens{word(""), str("'''a'''"), word("b")}));
}

TEST(ScannerStringPairs, LongestStartMarkerWinsWhateverTheKeyOrder) {
  // string3 (r''') is longer than string2 (''') and is raw: the backslash does not protect.
  EXPECT_EQ(without_delimiters(scan(PYTHON, "r'''\\'''x")), (Tokens{word(""), str("r'''\\'''"), word("x")}));
  EXPECT_EQ(without_delimiters(scan(PYTHON, "'''\\''''x")), (Tokens{word(""), str("'''\\''''"), word("x")}));
}

TEST(ScannerStringPairs, UnterminatedPairRunsToTheEnd) {
  EXPECT_EQ(without_delimiters(scan(PYTHON, "f(\"\"\"doc\r\nmore")),
            (Tokens{word("f"), word(""), block_str("\"\"\"doc\r\nmore")}));
}

TEST(ScannerStringPairs, DistinctEndMarkerAndDoubledEscape) {
  const std::string cs =
      "str1=\"\r\nescape=\\\r\nstring1=@\"\r\nstring1e=\"\r\nstring1escape=double\r\n"
      "string2=R\"(\r\nstring2e=)\"\r\nstring2escape=none\r\n";
  EXPECT_EQ(without_delimiters(scan(cs, "@\"C:\\\"\"x\"\" \"+y")),
            (Tokens{word(""), str("@\"C:\\\"\"x\"\" \""), word("+y")}));
  EXPECT_EQ(without_delimiters(scan(cs, "R\"(a\"b\\)\"z")),
            (Tokens{word(""), str("R\"(a\"b\\)\""), word("z")}));
}

TEST(ScannerEscapes, EscapedQuoteDoesNotEndTheString) {
  EXPECT_EQ(without_delimiters(scan(PYTHON, "'a\\'b' c")), (Tokens{word(""), str("'a\\'b'"), word("c")}));
  EXPECT_EQ(without_delimiters(scan(PYTHON, "\"a\\\\\"b")), (Tokens{word(""), str("\"a\\\\\""), word("b")}));
}

TEST(ScannerEscapes, EscapeBeforeTheLineEndDoesNotCarryAOneLineString) {
  EXPECT_EQ(scan(PYTHON, "'a\\\r\nb"), (Tokens{word(""), str("'a\\\r"), delim("\n"), word("b")}));
}

TEST(ScannerEscapes, EscapedQuoteOutsideAStringOpensNone) {
  const std::string sh = "str1=\"\r\nstr2='\r\nstr2escape=none\r\nescape=\\\r\nstr_multiline=1\r\n";
  EXPECT_EQ(without_delimiters(scan(sh, "echo it\\'s 'a\\' b")),
            (Tokens{word("echo"), word("it\\'s"), word(""), str("'a\\'"), word("b")}));
  // Two escapes protect each other: the quote after them opens a string.
  EXPECT_EQ(without_delimiters(scan(sh, "x\\\\\"y\"")), (Tokens{word("x\\\\"), str("\"y\"")}));
}

TEST(ScannerEscapes, PerQuoteRuleOverridesTheSectionEscape) {
  const std::string sql = "str1='\r\nstr1escape=double\r\nescape=\\\r\n";
  EXPECT_EQ(without_delimiters(scan(sql, "'it''s\\' x")), (Tokens{word(""), str("'it''s\\'"), word("x")}));
}

TEST(ScannerQuotesSpanningLines, QuotedStringRunsOverLineEnds) {
  const std::string sh = "str1=\"\r\nescape=\\\r\nstr_multiline=1\r\n";
  EXPECT_EQ(without_delimiters(scan(sh, "x=\"a\r\n\\\"b\"\r\ny")),
            (Tokens{word("x="), block_str("\"a\r\n\\\"b\""), word("y")}));
  // Without the key the same string ends at its line end, as always.
  EXPECT_EQ(without_delimiters(scan("str1=\"\r\nescape=\\\r\n", "x=\"a\r\n\\\"b\"\r\ny")),
            (Tokens{word("x="), str("\"a\r"), word("\\\"b"), str("\"\r"), word("y")}));
}

TEST(ScannerCommentPlaces, WordStartMarkerNeedsABlankOrALineStart) {
  const std::string sh = "comment1=#\r\ncomment1at=word\r\ndelimiter=$;{}\r\n";
  EXPECT_EQ(without_delimiters(scan(sh, "# a\r\nn=$# ${x##y} # b")),
            (Tokens{word(""), line_comment("# a\r"), word("n="), word("#"), word("x##y"), word(""),
                    line_comment("# b")}));
}

TEST(ScannerCommentPlaces, LineStartMarkerCountsOnlyInColumnOne) {
  const std::string perl =
      "comment1==\r\ncomment1e==cut\r\ncomment1at=line\r\ncomment2=#\r\ndelimiter=/^=\r\n";
  EXPECT_EQ(without_delimiters(scan(perl, "m/^=head1/;\r\n=over\r\ntext\r\n=cut\r\nx")),
            (Tokens{word("m"), word("head1"), word(";"), word(""), block_comment("=over\r\ntext\r\n=cut"),
                    word("x")}));
}

TEST(ScannerCommentPlaces, AMarkerThatMayNotStartHereLetsALaterPairTry) {
  const std::string ini = "comment1=#\r\ncomment1at=line\r\ncomment2=#!\r\n";
  EXPECT_EQ(without_delimiters(scan(ini, "a #! b")), (Tokens{word("a"), word(""), line_comment("#! b")}));
}

TEST(ScannerNestedComments, InnerPairsKeepTheCommentOpen) {
  const std::string rust = "comment1=/*\r\ncomment1e=*/\r\ncomment1nest=1\r\ndelimiter=/*\r\n";
  EXPECT_EQ(without_delimiters(scan(rust, "a/* x /* y */ z */b")),
            (Tokens{word("a"), block_comment("/* x /* y */ z */"), word("b")}));
  EXPECT_EQ(without_delimiters(scan(rust, "/* /* */")), (Tokens{word(""), block_comment("/* /* */")}));
  // Without the key the first end marker ends it.
  EXPECT_EQ(without_delimiters(scan("comment1=/*\r\ncomment1e=*/\r\n", "/* /* */ z */")),
            (Tokens{word(""), block_comment("/* /* */"), word("z"), word("*/")}));
}

TEST(ScannerNestedComments, ALineCommentDoesNotNest) {
  // A line comment ends at its line end whatever it holds: the nesting key is for block
  // comments.  (A line comment that ran over its line end lost the lines after the first
  // from the markup, which ends a line comment's run at the line end.)
  const std::string ini = "comment1=/*\r\ncomment1nest=1\r\n";
  EXPECT_EQ(without_delimiters(scan(ini, "a/* x /* y\r\nb\r\nc")),
            (Tokens{word("a"), line_comment("/* x /* y\r"), word("b"), word("c")}));
}

const char* const SHELL =
    "str1=\"\r\nstr2='\r\nescape=\\\r\nstr_multiline=1\r\ncomment1=#\r\ncomment1at=word\r\n"
    "heredoc=<<\r\nheredoc_space=1\r\ndelimiter=<>;|&\r\n";

TEST(ScannerHeredocs, TextRunsFromTheNextLineThroughTheNamingLine) {
  EXPECT_EQ(scan(SHELL, "cat <<EOF >f # c\r\nit's $x\r\nEOF\r\nls"),
            (Tokens{word("cat"), delim(" "), word(""), str("<<EOF"), delim(" "), delim(">"), word("f"),
                    delim(" "), word(""), line_comment("# c\r"), delim("\n"), word(""),
                    block_str("it's $x\r\nEOF"), delim("\r"), delim("\n"), word("ls")}));
}

TEST(ScannerHeredocs, QuotedDashedAndSpacedForms) {
  EXPECT_EQ(without_delimiters(scan(SHELL, "a <<-'END'\r\n\tx\r\n\tEND\r\nb")),
            (Tokens{word("a"), word(""), str("<<-'END'"), word(""), block_str("\tx\r\n\tEND"), word("b")}));
  EXPECT_EQ(without_delimiters(scan(SHELL, "a << \"E\"\r\nE\r\nb")),
            (Tokens{word("a"), word(""), str("<< \"E\""), word(""), str("E"), word("b")}));
}

TEST(ScannerHeredocs, NoNameNoHereDocumentAndAMissingEndRunsToTheEnd) {
  EXPECT_EQ(without_delimiters(scan(SHELL, "x=$((1<<2))")), (Tokens{word("x=$((1"), word("2))")}));
  EXPECT_EQ(without_delimiters(scan(SHELL, "a <<E\r\nEX\r\nE2")),
            (Tokens{word("a"), word(""), str("<<E"), word(""), block_str("EX\r\nE2")}));
}

TEST(ScannerHeredocs, NoTextAfterTheOpeningLineNoHereDocument) {
  // Nothing to colour: no empty run at the end, in CR LF text as in Unix text (where a
  // one-line string may take the last LF, so the two once differed).
  EXPECT_EQ(scan(SHELL, "cat <<E\r\n"),
            (Tokens{word("cat"), delim(" "), word(""), str("<<E"), delim("\r"), delim("\n")}));
  const std::string ini = "str1=\"\r\nheredoc=<<\r\n";
  ScanState lf = section(ini);
  lf.lf_lines = true;
  EXPECT_EQ(without_delimiters(scan(ini, "<<E \"\r\n")),
            (Tokens{word(""), str("<<E"), word(""), str("\"\r")}));
  EXPECT_EQ(without_delimiters(test::scan(lf, "<<E \"\n")),
            (Tokens{word(""), str("<<E"), word(""), str("\"\n")}));
}

TEST(ScannerHeredocs, NameMayBeFollowedByPunctuationAsInPhp) {
  const std::string php = "heredoc=<<<\r\ndelimiter=<;\r\n";
  EXPECT_EQ(
      without_delimiters(scan(php, "$a = <<<EOT\r\nx\r\n  EOT;\r\nb")),
      (Tokens{word("$a"), word("="), word(""), str("<<<EOT"), word(""), block_str("x\r\n  EOT"), word("b")}));
}

TEST(ScannerExtendedRules, UnixTextGivesTheTokensOfItsCrLfCopy) {
  const std::string text = "s = '''a\nb'''\nx=\"q\\\"\" # c\ncat <<E\n\nE\n/* /* */ */ y";
  const std::string ini =
      std::string(SHELL) + "string1=\"'''\"\r\ncomment2=/*\r\ncomment2e=*/\r\ncomment2nest=1\r\n";
  ScanState lf = section(ini);
  lf.lf_lines = true;
  Tokens lf_tokens = without_delimiters(test::scan(lf, text));
  for (Token& t : lf_tokens) {
    // The LF that ends a line comment stands for its CR (the LF follows as a delimiter).
    if (t.kind == TOKEN_LINE_COMMENT && t.text.ends_with('\n')) t.text.back() = '\r';
    std::string crlf;
    for (char c : t.text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    t.text = crlf;
  }
  std::string crlf_text;
  for (char c : text) crlf_text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  // Each LF of the Unix text stands for the CR LF pair, in tokens as in delimiters.
  EXPECT_EQ(lf_tokens, without_delimiters(scan(ini, crlf_text)));
}

TEST(ScannerExtendedRules, SectionWithoutTheNewKeysUsesNone) {
  EXPECT_FALSE(section("str1=\"\r\ncomment1=#\r\ncomment1e=\r\nescape=\r\n").has_extended_rules());
  EXPECT_TRUE(section("comment1=#\r\ncomment1at=word\r\n").has_extended_rules());
  EXPECT_TRUE(section("string1=`\r\n").has_extended_rules());
}

TEST(ScannerRegexLiterals, OpenWhereAnOperandMayStandAndDivideElsewhere) {
  MemorySyntaxSource source(
      "[S]\r\nstr1=\"\r\nescape=\\\r\nregex=/\r\ncomment1=/*\r\ncomment1e=*/\r\ncomment2=//\r\n"
      "delimiter=/=()[];.,\r\nstxfile1=k1.txt\r\n");
  source.add_keyword_file("k1.txt", "return 1C00000\r\n");
  ScanState state;
  static_cast<Syntax&>(state) = std::move(*read_syntax(source, "S"));
  // A '/*' inside the class is no comment, the escaped '/' no end; flags belong to it.
  EXPECT_EQ(without_delimiters(test::scan(state, "x = /[/*]\\/a/gi.test(s)")),
            (Tokens{word("x"), word(""), str("/[/*]\\/a/gi"), word("test"), word("s")}));
  EXPECT_EQ(without_delimiters(test::scan(state, "return /a\"b/;")),
            (Tokens{word("return"), word(""), str("/a\"b/")}));
  // After a name, a number or a closing bracket it divides.
  EXPECT_EQ(without_delimiters(test::scan(state, "a = b / c / d; (e) / 2 /f")),
            (Tokens{word("a"), word("b"), word("c"), word("d"), word("e"), word("2"), word("f")}));
  // Without its closing byte on the line it is no regular expression.
  EXPECT_EQ(without_delimiters(test::scan(state, "x = /a\r\n/")), (Tokens{word("x"), word("a")}));
  // Nor when a backslash stands before the line end.
  EXPECT_EQ(without_delimiters(test::scan(state, "x = /a\\\r\n/")), (Tokens{word("x"), word("a\\")}));
  EXPECT_EQ(without_delimiters(test::scan(state, "x = /a\\\n/")), (Tokens{word("x"), word("a\\")}));
}

TEST(ScannerInterpolation, CodeInsideAStringComesOutAsWordsAndDelimiters) {
  const std::string sh =
      "str1=\"\r\nstr2='\r\nstr2escape=none\r\nescape=\\\r\nstr_multiline=1\r\ninterpolate=$\r\n"
      "str1interpolate=1\r\ndelimiter=()$ \r\n";
  EXPECT_EQ(scan(sh, "\"a $x ${y} $(ls \"d\")\\$z\" '$w'"),
            (Tokens{word(""), str("\"a "), delim("$"), word("x"), str(" ${"), word("y"), str("} "),
                    delim("$"), delim("("), word("ls"), delim(" "), str("\"d\""), delim(")"), str("\\$z\""),
                    delim(" "), word(""), str("'$w'")}));
  // A marker that opens nothing stays in the string; an unclosed bracket too.
  EXPECT_EQ(without_delimiters(scan(sh, "\"5$ and ${x\"")), (Tokens{word(""), str("\"5$ and ${x\"")}));
}

TEST(ScannerInterpolation, OneLineStringCutByItsLineEndStaysOneLine) {
  // As without code inside: the line end that cuts the string is no line it spans.
  const std::string rb = "str1=\"\r\nescape=\\\r\ninterpolate=#{\r\nstr1interpolate=1\r\n";
  EXPECT_EQ(without_delimiters(scan(rb, "\"a #{b}\r\nc")),
            (Tokens{word(""), str("\"a #{"), word("b"), str("}\r"), word("c")}));
  EXPECT_EQ(without_delimiters(scan(rb, "\"a\r\nc")), (Tokens{word(""), str("\"a\r"), word("c")}));
  // But text that the search for its end took as code over a line end ($( after $) still
  // spans lines, and keeps all its bytes.
  const std::string sh = "str1=\"\r\ninterpolate=$\r\nstr1interpolate=1\r\ndelimiter=$\r\n";
  EXPECT_EQ(without_delimiters(scan(sh, "\"$$(a\r\nb)\"")),
            (Tokens{word(""), str("\""), block_str("(a\r\nb)\"")}));
}

TEST(ScannerInterpolation, TheEndMarkerIsNeverCode) {
  // $E and $# would be code, but E] and # end the strings first.
  const std::string ini =
      "str1=#\r\nstr1interpolate=1\r\nstring1=[\r\nstring1e=E]\r\nstring1interpolate=1\r\n"
      "interpolate=$\r\ndelimiter=$ \r\n";
  EXPECT_EQ(without_delimiters(scan(ini, "[a $E] #b $# $c")),
            (Tokens{word(""), str("[a $E]"), word(""), str("#b $#"), word("c")}));
}

TEST(ScannerInterpolation, AMarkerEndingInAParenthesisIsCodeToItsMatch) {
  // The { after $( is code, not the brace of ${...}.
  const std::string ini = "str1=\"\r\ninterpolate=$(\r\nstr1interpolate=1\r\ndelimiter=$(){}\r\n";
  EXPECT_EQ(without_delimiters(scan(ini, "\"x$({a})\"")),
            (Tokens{word(""), str("\"x"), word("a"), str("\"")}));
}

TEST(ScannerInterpolation, BracketMarkerInAStringPair) {
  const std::string js =
      "escape=\\\r\nstring1=`\r\nstring1interpolate=1\r\ninterpolate=${\r\ndelimiter=+{}`\r\n";
  EXPECT_EQ(scan(js, "`a${b+`c`}\r\nd`"), (Tokens{word(""), str("`a${"), word("b"), delim("+"), delim("`"),
                                                  word("c"), delim("`"), block_str("}\r\nd`")}));
}

TEST(ScannerSymbols, SymbolsAndKeysAreStringsButScopesAndTernariesAreNot) {
  const std::string rb = "symbol=:\r\ndelimiter=:(),=?\r\n";
  EXPECT_EQ(without_delimiters(scan(rb, "f(:name, key: 1, ok?: x) A::B c ? d : e")),
            (Tokens{word("f"), word(""), str(":name"), str("key:"), word("1"), word("ok"), word("x"),
                    word("A"), word("B"), word("c"), word("d"), word("e")}));
}

}  // namespace
}  // namespace vorel
