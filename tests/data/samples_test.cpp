// Every shipped sample converts with its syntax, in HTML and in UBB, and
// spot checks come out coloured as a reserved word, library name, string or
// comment, taken near the end of each file so that a string or comment that
// ran on too far would show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/convert.h"
#include "engine/file_names.h"
#include "engine/keywords.h"
#include "engine/language_guess.h"
#include "engine/scanner.h"
#include "engine/syntax.h"
#include "settings/settings.h"

namespace vorel::test {
namespace {

// One piece of an expected line: a reserved word (first keyword file), a
// library word (second file), a string, a comment, or plain text.
struct Part {
  char kind;  // 'r', 'l', 's', 'c', 'p'
  std::string text;
};
Part R(std::string t) { return {'r', std::move(t)}; }
Part L(std::string t) { return {'l', std::move(t)}; }
Part S(std::string t) { return {'s', std::move(t)}; }
Part C(std::string t) { return {'c', std::move(t)}; }
Part P(std::string t) { return {'p', std::move(t)}; }

using Fragment = std::vector<Part>;

struct SampleCase {
  const char* file;
  const char* syntax;
  std::vector<Fragment> checks;
};

void PrintTo(const SampleCase& c, std::ostream* os) { *os << c.file; }

std::string escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else out += c;
  }
  return out;
}

// A styled run in the engine's own markup for the style (the golden files pin
// those bytes); what is checked here is which words get which style.
std::string styled(uint32_t value, const std::string& text, bool html) {
  const StyleMarkup m = make_style_markup(value, html);
  return std::string(m.opening()) + escape(text) + std::string(m.closing());
}

// The markup a fragment must produce; fails the test when a word is not in
// the keyword file its part names.
std::string render(const ScanState& state, const Fragment& parts, bool html) {
  std::string out;
  for (const Part& p : parts) {
    switch (p.kind) {
      case 'r':
      case 'l': {
        const KeywordTable* table = (p.kind == 'r' ? state.keywords1 : state.keywords2).get();
        std::optional<uint32_t> v = find_keyword(table, p.text);
        EXPECT_TRUE(v) << p.text << " is not in keyword file " << (p.kind == 'r' ? 1 : 2);
        out += styled(v.value_or(0), p.text, html);
        break;
      }
      case 's': out += styled(state.string_style, p.text, html); break;
      case 'c': out += styled(state.comment_style, p.text, html); break;
      default: out += escape(p.text); break;
    }
  }
  return out;
}

// The program's text has CR LF line ends; the samples are stored with LF.
std::string with_crlf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

std::string sample_path(const char* file) { return std::string(VOREL_SAMPLES_DIR) + "/" + file; }

const std::vector<SampleCase>& cases() {
  static const std::vector<SampleCase> all = {
      {"hello.c",
       "C",
       {{R("return"), P(" "), L("EXIT_SUCCESS"), P(";")},
        {C("// still inside a word")},
        {L("fprintf"), P("("), L("stderr"), P(", "), S("\"hello: cannot open %s\\n\""), P(", argv[1]);")},
        {C("/* hello.c: counts the words of its input, a small example of ordinary C.\r\n"
           " * Build: cc -std=c11 -Wall -o hello hello.c\r\n */")},
        {R("#include"), P(" <"), P("stdio.h>")}}},
      {"sample.cpp",
       "C++",
       {{R("return"), P(" 0;")},
        {C("// namespace demo")},
        {L("std"), P("::"), L("cerr"), P(" << "), S("\"usage: sample <file>\""), P(" << "), L("std"), P("::"),
         L("endl"), P(";")},
        {R("for"), P(" ("), R("const"), P(" "), R("auto"), P("& [text, "), L("count"),
         P("] : table.top(10)) {")}}},
      {"sample.cs",
       "C#",
       {{R("new"), P(" "), R("string"), P("(separator, 20)")},
        {C("// sample.cs: an inventory report, a small example of C#.")},
        {L("Console"), P("."), L("WriteLine"), P("("), S("\"Reorder: \""), P(" + low.Name);")},
        {R("#if"), P(" DEBUG")}}},
      {"Sample.java",
       "Java",
       {{R("char"), P(" mark = "), S("'x'"), P(";")},
        {C("// not enough money")},
        {R("throw"), P(" "), R("new"), P(" "), L("IllegalArgumentException"), P("("),
         S("\"deposit must be positive\""), P(");")},
        {R("@Override")}}},
      {"sample.js",
       "JavaScript",
       {{L("document"), P("."), L("getElementById"), P("("), S("'results'"), P(");")},
        {C("// sample.js: a debounced search box, a small example of browser JavaScript.")},
        {R("throw"), P(" "), R("new"), P(" "), L("Error"), P("("), S("\"search failed: \""),
         P(" + response.status);")},
        {R("catch"), P(" (err) {")}}},
      {"sample.ts",
       "TypeScript",
       {{R("while"), P(" ((task = queue.next()) !== "), R("undefined"), P(") {")},
        {C("// template strings are not highlighted")},
        {S("\"Fix the build\"")},
        {R("interface"), P(" Task {")}}},
      {"sample.py",
       "Python",
       {{R("if"), P(" "), L("__name__"), P(" == "), S("\"__main__\""), P(":")},
        {C("# a unique size cannot have a twin")},
        {R("return"), P(" "), S("\"\\n\""), P("."), P("join(lines)")},
        {R("def"), P(" "), L("__str__"), P("("), L("self"), P("):")}}},
      {"sample.php",
       "PHP",
       {{R("echo"), P(" "), L("htmlspecialchars"), P("($m["), S("'text'"), P("]) . "), S("\"</p>\\n\""),
         P(";")},
        {C("# plain list, newest first")},
        {P("<?"), R("php")},
        {R("return"), P(" "), R("false"), P(";")}}},
      {"sample.pl",
       "Perl",
       {{L("print"), P(" "), S("\"no pages found\\n\""), P(" "), R("unless"), P(" @top;")},
        {C("=pod\r\n\r\nReads a common-format access log from the files named on the\r\n"
           "command line (or standard input) and prints the busiest pages.\r\n\r\n=cut")},
        {R("my"), P(" %hits;")}}},
      {"sample.rb",
       "Ruby",
       {{P("list.overdue."), L("each"), P(" { |item| "), L("puts"), P(" "), S("\"overdue: #{item.text}\""),
         P(" }")},
        {C("=begin\r\nEach line of the file is \"[x] 2024-05-01 text\" or \"[ ] ... \";\r\n"
           "the file name comes from the TODO_FILE variable or defaults.\r\n=end")},
        {R("end")}}},
      {"sample.go",
       "Go",
       {{L("os"), P("."), L("Exit"), P("(1)")},
        {C("// result is what one check reports.")},
        {L("fmt"), P("."), L("Printf"), P("("), S("\"%3d %6dms %s\\n\""), P(", r.status")},
        {R("defer"), P(" wg.Done()")}}},
      {"sample.rs",
       "Rust",
       {{L("println"), P("!("), S("\"{:>6} {}\""), P(", count, word);")},
        {C("/* The n most frequent words, ties broken alphabetically. */")},
        {L("Ok"), P("(())")},
        {R("impl"), P(" Stats {")}}},
      {"sample.kt",
       "Kotlin",
       {{R("val"), P(" unit = "), S("'C'")},
        {C("/* One reading; the value is in degrees Celsius. */")},
        {L("println"), P("("), S("\"all values in degrees $unit\""), P(")")}}},
      {"sample.swift",
       "Swift",
       {{R("if"), P(" cart.items."), L("isEmpty"), P(" {")},
        {C("/* The total before any discount. */")},
        {L("print"), P("("), S("\"The cart is empty\""), P(")")}}},
      {"sample.sql",
       "SQL",
       {{R("WHERE"), P(" status = "), S("'open'"), P(" "), R("AND"), P(" total < 20;")},
        {C("-- sample.sql: a small order database, an example of SQL.")},
        {C("/* Customers with their paid revenue, best first;\r\n"
           "   customers without paid orders are listed with zero. */")},
        {L("COALESCE"), P("("), L("SUM"), P("(o.total), 0)")}}},
      {"sample.pas",
       "Pascal/Delphi",
       {{L("Writeln"), P("("), S("'Entries: '"), P(", "), L("IntToStr"), P("(Count));")},
        {C("// prints three lines")},
        {C("{$APPTYPE CONSOLE}")},
        {R("end"), P(".")}}},
      {"sample.vb",
       "Visual Basic",
       {{C("REM wait so the console window stays open")},
        {C("' One student with the marks of the term.")},
        {R("Case"), P(" "), R("Else"), P(" : "), R("Return"), P(" "), S("\"F\"")},
        {R("End"), P(" "), R("Module")}}},
      {"sample.sh",
       "Shell (bash)",
       {{R("case"), P(" "), S("\"$(uname -s)\""), P(" "), R("in")},
        {C("# Archive quietly; a failure stops the script because of set -e.")},
        {L("echo"), P(" "), S("'done on Linux'"), P(" ;;")},
        {R("esac")}}},
      {"sample.bat",
       "Batch (cmd)",
       {{C("REM Build a folder name like 2024-05-01 from the date.")},
        {C(":: sample.bat: copies new photos into a dated folder, an example of a batch file.")},
        {R("if"), P(" %COUNT% "), R("gtr"), P(" 0 "), R("start"), P(" "), S("\"\""), P(" explorer "),
         S("\"%TARGET%\"")},
        {R("endlocal")}}},
      {"sample.ps1",
       "PowerShell",
       {{R("if"), P(" ("), R("-not"), P(" ("), L("Test-Path"), P(" $Path)) {")},
        {C("<#\r\n  Lists every file at least MinSizeMB large, biggest first,\r\n"
           "  with its size in megabytes and the date it was last changed.\r\n#>")},
        {L("Write-Host"), P(" "), S("'No files found.'")},
        {C("# sample.ps1: reports large files under a folder, a small example of PowerShell.")}}},
      {"sample.lua",
       "Lua",
       {{R("if"), P(" #shapes == 0 "), R("then"), P(" "), L("print"), P("("), S("\"nothing to show\""),
         P(") "), R("end")},
        {C("--[[\r\n  Shapes share the describe method; each kind of shape\r\n"
           "  supplies its own area function.\r\n]]")},
        {C("-- sample.lua: a tiny class with inheritance, a small example of Lua.")}}},
      {"sample.html",
       "HTML",
       {{P("<"), R("script"), P(" "), L("src"), P("="), S("\"sample.js\""), P("><"), R("/script"), P(">")},
        {C("<!-- sample.html: a contact form page, a small example of HTML. -->")},
        {P("<"), R("!DOCTYPE"), P(" "), R("html"), P(">")},
        {P("<"), R("small"), P(">"), L("&copy;"), P(" 2024 Example Ltd.<"), R("/small"), P(">")}}},
      {"sample.css",
       "CSS",
       {{R("transition"), P(": "), R("opacity"), P(" 0.2s "), L("ease-in-out"), P(";")},
        {C("/* Form fields take the whole width of the column. */")},
        {R("@import"), P(" "), L("url"), P("("), S("\"fonts.css\""), P(");")},
        {R("@media"), P(" ("), R("max-width"), P(": 600px) {")}}},
      {"sample.xml",
       "XML",
       {{P("<?"), R("xml"), P(" "), R("version"), P("="), S("\"1.0\""), P(" "), R("encoding"), P("="),
         S("\"UTF-8\""), P("?>")},
        {C("<!--\r\n    Magazines have an issue number instead of authors.\r\n  -->")},
        {P("<magazine id="), S("\"m1\""), P(" available="), S("'true'"), P(">")},
        {P("Harold Abelson "), L("&amp;"), P(" Gerald")}}},
      {"sample.ini",
       "INI",
       {{C("; sample.ini: settings of a small desktop program, an example of an INI file.")},
        {P("WordWrap="), R("off")},
        {P("LastOpened="), S("\"C:\\Users\\mei\\Documents\\report.txt\"")},
        {C("# Window position and size, in pixels.")}}},
      {"sample.mk",
       "Makefile",
       {{R("-include"), P(" $(OBJ:.o=.d)")},
        {C("# Each test is a separate program linked with everything but main.")},
        {S("\"run $$t\"")},
        {R(".PHONY"), P(": all clean install test")}}},
      {"sample.asm",
       "x86 Assembly",
       {{R("mov"), P("     "), L("rax"), P(", 60                 "), C("; exit(0)")},
        {P("msg:    "), L("db"), P("      "), S("\"Hello from assembly!\""), P(", 10")},
        {L("global"), P("  _start")},
        {R("syscall")}}},
  };
  return all;
}

class Sample : public testing::TestWithParam<SampleCase> {};

TEST_P(Sample, ConvertsWithItsSyntaxInBothFormats) {
  const SampleCase& c = GetParam();
  std::optional<std::string> raw = read_whole_file(sample_path(c.file).c_str());
  ASSERT_TRUE(raw) << sample_path(c.file);
  const std::string text = with_crlf(*raw);
  const std::size_t lines = std::count(text.begin(), text.end(), '\n');
  EXPECT_GE(lines, 20u);
  EXPECT_LE(lines, 60u);

  ScanState state;
  ASSERT_TRUE(load_syntax(state, c.syntax));

  for (bool html : {true, false}) {
    ConversionContext ctx;
    ctx.flags = html ? FLAG_HTML : 0;
    std::optional<std::string> out = convert_text(ctx, text.c_str(), (text.size() + 1) * 8 + 1024, c.syntax);
    ASSERT_TRUE(out) << c.syntax << ": " << ctx.failed_file;
    for (const Fragment& f : c.checks) {
      const std::string want = render(state, f, html);
      EXPECT_NE(out->find(want), std::string::npos)
          << (html ? "HTML" : "UBB") << " output of " << c.file << " lacks\n  " << want;
    }
    // The stored file as Unix text, converted without a CR LF copy, gives
    // the same bytes, numbered or not.
    if (raw->find('\r') == std::string::npos) {
      for (bool numbered : {false, true}) {
        ConversionContext a, b;
        a.flags = b.flags = ctx.flags | (numbered ? FLAG_LINE_NUMBERS : 0);
        a.line_counter = b.line_counter = 7;
        StringSink crlf, lf;
        ASSERT_TRUE(convert_stream(a, text, c.syntax, crlf));
        ASSERT_TRUE(convert_stream(b, *raw, c.syntax, lf, LineEnds::LF));
        EXPECT_EQ(lf.take(), crlf.take())
            << c.file << (html ? " HTML" : " UBB") << (numbered ? " numbered" : "");
        EXPECT_EQ(b.line_counter, a.line_counter);
      }
    }
  }
}

// The shipped "files" patterns pick each sample's syntax from its name, and
// no other: a Windows path in capitals too.
TEST_P(Sample, ItsFileNameChoosesItsSyntaxAndNoOther) {
  const SampleCase& c = GetParam();
  SettingsSyntaxSource source;
  EXPECT_EQ(syntaxes_for_file(source, c.file), std::vector<std::string>{c.syntax});
  std::string windows = std::string("C:\\Work\\") + c.file;
  for (char& ch : windows) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  EXPECT_EQ(syntaxes_for_file(source, windows), std::vector<std::string>{c.syntax}) << windows;
}

// Pasted without its name, each sample's text alone chooses its syntax: by
// its "#!" line or first line where it has one, else by the guess.
TEST_P(Sample, ItsTextAloneChoosesItsSyntax) {
  const SampleCase& c = GetParam();
  std::optional<std::string> text = read_whole_file(sample_path(c.file).c_str());
  ASSERT_TRUE(text);
  static SettingsSyntaxSource source;
  static const LanguageGuesser guesser(source);
  const SyntaxPick pick = pick_syntax(source, "", *text, &guesser);
  EXPECT_EQ(pick.syntax, c.syntax) << "by the " << syntax_rule_name(pick.rule);
  EXPECT_NE(pick.rule, SyntaxRule::NONE);
}

INSTANTIATE_TEST_SUITE_P(Shipped, Sample, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<SampleCase>& info) {
                           std::string n;
                           for (const char* p = info.param.file; *p; ++p)
                             n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return n;
                         });

// A sample without spot checks would go untested.
TEST(Samples, EverySampleFileHasChecksAndEverySyntaxASample) {
  std::set<std::string> covered, syntaxes;
  for (const SampleCase& c : cases()) {
    covered.insert(c.file);
    syntaxes.insert(c.syntax);
  }
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(VOREL_SAMPLES_DIR, ec))
    EXPECT_TRUE(covered.count(entry.path().filename().string())) << entry.path();
  ASSERT_FALSE(ec) << ec.message();

  settings_path("config.ini");
  std::vector<char> buf(1 << 16);
  get_section_names(buf.data(), static_cast<uint32_t>(buf.size()));
  for (const char* p = buf.data(); *p; p += std::strlen(p) + 1) EXPECT_TRUE(syntaxes.count(p)) << p;
}

}  // namespace
}  // namespace vorel::test
