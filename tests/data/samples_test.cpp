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
  // Every section whose "files" patterns match the name, in file order, when
  // more than this one does (".m": Objective-C and MATLAB); empty: only this.
  std::vector<std::string> same_name = {};
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
        {R("my"), P(" %hits;")}},
       {"Perl", "Prolog"}},
      {"sample.rb",
       "Ruby",
       {{P("list.overdue."), L("each"), P(" { |item| "), L("puts"), P(" "), S("\"overdue: #{"),
         P("item.text"), S("}\""), P(" }")},
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
       {{R("case"), P(" "), S("\""), P("$(uname "), L("-s"), P(")"), S("\""), P(" "), R("in")},
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
      {"sample.m",
       "Objective-C",
       {{R("return"), P(" 0;")},
        {L("fprintf"), P("("), L("stderr"), P(", "), S("\"empty book\\n\""), P(");")},
        {C("// a quote inside a string: \"\\\"\" must not end it")},
        {R("#import"), P(" <Foundation/Foundation.h>")},
        {R("@property"), P(" ("), R("nonatomic"), P(", "), L("copy"), P(") "), L("NSString"), P(" *name;")},
        {R("@autoreleasepool"), P(" {")}},
       {"Objective-C", "MATLAB"}},
      {"sample.scala",
       "Scala",
       {{L("println"), P("("), S("\"no words\""), P(")")},
        {C("// sample.scala: word statistics with case classes, an example of Scala.")},
        {L("@tailrec")},
        {R("sealed"), P(" "), R("trait"), P(" Report")},
        {R("finally"), P(" source.close()")}}},
      {"sample.r",
       "R",
       {{R("for"), P(" (name "), R("in"), P(" "), L("names"), P("(by_station)) {")},
        {C("# sample.r: summarising measurements per station, an example of R.")},
        {L("warning"), P("("), S("\"few rows in \""), P(", path)")},
        {L("invisible"), P("("), R("NULL"), P(")")}}},
      {"matrix_stats.m",
       "MATLAB",
       {{R("otherwise")},
        {L("fprintf"), P("("), S("'column %d is negative\\n'"), P(", k);")},
        {C("% A quote doubled inside a character vector stays in it.")},
        {R("function"), P(" result = matrix_stats(data, "), L("varargin"), P(")")}},
       {"Objective-C", "MATLAB"}},
      {"sample.dart",
       "Dart",
       {{R("if"), P(" (cart.total == 0) "), R("throw"), P(" "), L("StateError"), P("("), S("'empty cart'"),
         P(");")},
        {C("/// One line of the cart.")},
        {L("@override")},
        {R("final"), P(" buffer = "), L("StringBuffer"), P("();")}}},
      {"sample.hs",
       "Haskell",
       {{R("if"), P(" x' == 0 "), R("then"), P(" "), L("putStrLn"), P(" "), S("\"no words\""), P(" "),
         R("else"), P(" "), L("return"), P(" ()")},
        {C("-- | Frequencies of the words of a text.")},
        {R("deriving"), P(" ("), L("Show"), P(", "), L("Eq"), P(")")},
        {C("{-# LANGUAGE ScopedTypeVariables #-}")}}},
      {"sample.ex",
       "Elixir",
       {{R("def"), P(" handle_call(:keys, _from, state), "), R("do"), P(": {:reply, "), L("Map"),
         P(".keys(state), state}")},
        {L("IO"), P(".puts("), S("\"loaded #{length(message)} chars\""), P(")")},
        {C("# sample.ex: a key-value store behind a GenServer, an example of Elixir.")},
        {L("@impl"), P(" "), R("true")}}},
      {"sample.erl",
       "Erlang",
       {{R("case"), P(" Lines "), R("of")},
        {S("\"nothing counted\\n\""), P(";")},
        {C("%% Internal: a report line, with an escaped \\\"quote\\\" in the format.")},
        {P("-"), R("module"), P("(sample).")},
        {L("process_flag"), P("(trap_exit, true),")}}},
      {"sample.clj",
       "Clojure",
       {{R("when-let"), P(" [newest ("), L("last"), P(" ("), L("sort-by"), P(" :year books))]")},
        {C(";; sample.clj: a small library catalogue, an example of Clojure.")},
        {R("defrecord"), P(" Book [title author year tags])")},
        {L("println"), P(" "), S("\"no books tagged\""), P(" ("), L("name"), P(" tag))")}}},
      {"sample.fs",
       "F#",
       {{L("printfn"), P(" "), S("\"%s = %g\""), P(" (show expr) (eval env expr)")},
        {C("/// An expression tree.")},
        {R("let"), P(" "), R("rec"), P(" eval (env: "), L("Map"), P("<"), L("string"), P(", "), L("float"),
         P(">) expr =")}}},
      {"sample.ml",
       "OCaml",
       {{L("Printf"), P("."), L("printf"), P(" "), S("\"balance: %d\\n\""), P(" acc.balance")},
        {C("(* Raised when a withdrawal would overdraw the account. *)")},
        {R("exception"), P(" Insufficient_funds "), R("of"), P(" "), L("string")}}},
      {"sample.jl",
       "Julia",
       {{L("@printf"), P("("), S("\"total energy: %.3f\\n\""), P(", total)")},
        {R("end"), P(" "), C("# module")},
        {L("isempty"), P("(ps) && "), L("error"), P("("), S("\"no particles\""), P(")")},
        {R("mutable"), P(" "), R("struct"), P(" Particle{T<:"), L("AbstractFloat"), P("}")}}},
      {"sample.groovy",
       "Groovy",
       {{L("println"), P(" "), S("'all tests passed'")},
        {C("// sample.groovy: a build report from a CSV of test results, an example of Groovy.")},
        {R("@Canonical")},
        {R("def"), P(" results = parse(csv)")}}},
      {"sample.f90",
       "Fortran",
       {{R("end"), P(" "), R("program"), P(" heat")},
        {R("if"), P(" ("), L("mod"), P("(k, 50) == 0 ."), R("and"), P(". total_heat(rod) > 0.0d0) "),
         R("then")},
        {C("! a hot spot in the middle")},
        {R("call"), P(" "), L("move_alloc"), P("(next, rod%t)")}}},
      {"sample.cob",
       "COBOL",
       {{R("STOP"), P(" "), R("RUN"), P(".")},
        {C("*> an inline comment")},
        {R("DISPLAY"), P(" "), S("'Doubled within ten years'")},
        {R("VALUE"), P(" "), S("\"Year   Balance (it's \""), S("\"compound\""), S("\")\""), P(".")},
        {R("FUNCTION"), P(" "), L("UPPER-CASE"), P("("), S("\"done\""), P(")")},
        {C("      * A fixed-form comment: an asterisk in column 7.")}}},
      {"sample.adb",
       "Ada",
       {{R("end"), P(" Sample;")},
        {L("Put_Line"), P(" ("), S("\"out of range\""), P(");")},
        {C("--  sample.adb: a bounded stack with a task that fills it, an example of Ada.")},
        {R("when"), P(" "), L("Constraint_Error"), P(" =>")}}},
      {"sample.vhd",
       "VHDL",
       {{R("end"), P(" "), R("architecture"), P(" rtl;")},
        {C("-- checks in simulation only")},
        {R("report"), P(" "), S("\"counter: WIDTH too large, got \""), P(" & "), L("integer"), P("'"),
         L("image"), P("(WIDTH)")},
        {R("if"), P(" "), L("rising_edge"), P("(clk) "), R("then")}}},
      {"sample.sv",
       "Verilog",
       {{L("$finish"), P(";")},
        {R("endmodule")},
        {C("// sample.sv: a FIFO with a small testbench, an example of SystemVerilog.")},
        {R("`timescale"), P(" 1ns / 1ps")},
        {R("always_ff"), P(" @("), R("posedge"), P(" clk "), R("or"), P(" "), R("negedge"), P(" rst_n) "),
         R("begin")}}},
      {"sample.tcl",
       "Tcl",
       {{C(";# always close the channel")},
        {R("proc"), P(" todo::show {} {")},
        {L("puts"), P(" stderr $usage; "), L("exit"), P(" 1 }")},
        {R("if"), P(" {$n == 0} {")}}},
      {"sample.awk",
       "AWK",
       {{R("exit"), P(" 1")},
        {C("# Skip comments and blank lines.")},
        {R("print"), P(" user, requests[user], human(bytes[user])")},
        {L("split"), P("("), S("\"B KB MB GB\""), P(", units, "), S("\" \""), P(")")},
        {R("BEGIN"), P(" {")}}},
      {"sample.scm",
       "Scheme",
       {{C("; prints (a b c d e f)")},
        {P("("), L("display"), P(" "), S("\"order: \""), P(")")},
        {P("("), R("define-record-type"), P(" queue")},
        {P("(("), L("memq"), P(" ("), L("car"), P(" nodes) seen) (filter-new ("), L("cdr"),
         P(" nodes) seen))")}}},
      {"sample.lisp",
       "Common Lisp",
       {{P("("), R("handler-case"), P(" (report s)")},
        {P("("), L("format"), P(" "), L("*error-output*"), P(" "), S("\"report failed: ~a~%\""), P(" e))))")},
        {C(";;;; sample.lisp: an inventory with generic functions, an example of Common Lisp.")},
        {P("("), R("defgeneric"), P(" value (thing)")}}},
      {"sample.el",
       "Emacs Lisp",
       {{C(";;; sample.el ends here")},
        {P("("), L("global-set-key"), P(" ("), L("kbd"), P(" "), S("\"C-c w\""), P(") #'sample-count)")},
        {P("("), R("provide"), P(" 'sample)")},
        {P("("), R("defvar"), P(" sample-count-history "), R("nil")}}},
      {"sample.pro",
       "Prolog",
       {{L("atom_codes"), P("(Name, "), S("\"summary\""), P("),")},
        {L("format"), P("("), S("'~a done, it'"), S("'s over~n'"), P(", [Name]).")},
        {R("forall"), P("(( parent(P, _), \\+ (parent(_, P), P \\== "), S("'Mary Ann'"), P(") ),")},
        {C("/* Facts: parent(Parent, Child).\r\n   Names in quotes may hold capitals and blanks. */")},
        {P(":- "), R("module"), P("(family, [ancestor/2, report/0]).")}}},
      {"sample.zig",
       "Zig",
       {{R("const"), P(" sep: "), L("u8"), P(" = "), S("'\\''"), P(";")},
        {S("\\\\the quick brown fox jumps over the lazy dog\r\n    \\\\the dog sleeps, the fox \"runs\" "
           "away\r\n;")},
        {R("const"), P(" stdout = "), L("std"), P("."), L("io"), P(".getStdOut().writer();")}}},
      {"sample.nim",
       "Nim",
       {{R("except"), P(" "), L("KeyError"), P(" "), R("as"), P(" e:")},
        {C("#[ Prices are in cents, so that sums stay exact.\r\n   #[ Block comments nest: this inner one\r\n"
           "      does not end the outer one. ]#\r\n   Still inside the outer comment. ]#")},
        {R("const"), P(" banner = "), S("\"\"\"\r\nInventory report\r\n================\"\"\"")},
        {P("inv."), L("add"), P("("), S("\"pencil\""), P(", 1)")}}},
      {"sample.d",
       "D",
       {{L("writeln"), P("("), S("\"tab\\there, quote \\\" and backslash \\\\ done\""), P(");")},
        {C("/+ Nested comments:\r\n   /+ this inner comment +/ does not end the outer one,\r\n"
           "   and a /* C comment */ inside is fine too. +/")},
        {R("enum"), P(" usage = "), S("r\"usage: sample [C:\\path\\file.txt]\""), P(";")},
        {R("assert"), P("(count("), S("`raw \\n stays`"), P(").words == 3);")}}},
      {"sample.cr",
       "Crystal",
       {{L("puts"), P(" list.pending.first?.try(&.to_json) || "), S("\"nothing to do\"")},
        {S("<<-HELP")},
        {S("      Commands: add \"title\", done N, list\r\n      (a # here is not a comment)\r\n      "
           "HELP")}}},
      {"sample.sol",
       "Solidity",
       {{R("emit"), P(" Settled(buyer, amount, "), S("\"refunded: \\\"not as described\\\"\""), P(");")},
        {P("buyer."), L("transfer"), P("(amount);")},
        {C("/* Pays the seller; the transfer comes last (checks-effects-interactions). */")}}},
      {"sample.graphql",
       "GraphQL",
       {{L("__typename")},
        {P("isbn: "), L("String"), P(" "), L("@deprecated"), P("(reason: "),
         S("\"Use `identifiers` instead.\""), P(")")},
        {S("\"\"\"\r\nA book in the catalogue. Descriptions are \"block strings\":\r\n"
           "they may span lines and hold # without starting a comment.\r\n\"\"\"")}}},
      {"sample.yaml",
       "YAML",
       {{P("ratio: "), R(".inf")},
        {P("if: ${{ matrix.os == "), S("'linux'"), P(" }}")},
        {P("GREETING: "), S("'it'"), S("'s a quoted #hash, not a comment'")},
        {P("URL: http://example.com/#anchor\r\n")},
        {P("CFLAGS: "), S("\"-O2 -Wall\""), P("    "), C("# a comment after a value")}}},
      {"sample.json",
       "JSON",
       {{S("\"clean\""), P(": "), S("\"rm -rf dist // not a comment\"")},
        {S("\"paths\""), P(": ["), S("\"C:\\\\Program Files\\\\sample\""), P(", "),
         S("\"/usr/local/share/sample\""), P("],")},
        {S("\"description\""), P(": "),
         S("\"A package manifest, an example of JSON: \\\"quotes\\\" and \\\\ inside strings.\""), P(",")}}},
      {"sample.toml",
       "TOML",
       {{P("timeout = "), R("inf")},
        {P("pattern = "), S("'''\r\n^\\s*(\\w+)\\s*=\\s*\"(.*)\"$\r\n'''")},
        {P("windows-path = "), S("'C:\\Users\\mei\\wordcount'")},
        {P("usage = "), S("\"\"\"\r\nwordcount [OPTIONS] <FILE>...\r\n    Prints \"word count\" pairs; a # "
                          "here is text.\r\n\"\"\"")},
        {P("json = ["), S("\"dep:serde\""), P("]   "), C("# enables --json output")}}},
      {"sample.md",
       "Markdown",
       {{R("***")},
        {S("~~~python\r\n# the same in Python\r\nprint(len(open(\"notes.txt\").read().split()))\r\n~~~")},
        {R("-"), P(" Count one file: "), S("`wordcount notes.txt`")},
        {R("##"), P(" Usage")}}},
      {"Dockerfile",
       "Dockerfile",
       {{R("CMD"), P(" ["), S("\"--config\""), P(", "), S("\"/app/config.toml\""), P("]")},
        {R("COPY"), P(" "), R("--from"), P("=build "), R("--chown"), P("=app:app /out/ /app/")},
        {P("&& "), L("rm"), P(" -rf /var/lib/apt/lists/*   "), C("# keep the image small")},
        {R("RUN"), P(" "), S("<<EOF"), P(" cat > /out/config.toml")},
        {S("listen = \":8080\"\r\n# this line belongs to the file, not a comment\r\nlog_level = "
           "\"info\"\r\nEOF")}}},
      {"sample.cmake",
       "CMake",
       {{L("message"), P("("), L("STATUS"), P(" "),
         S("\"wordcount ${PROJECT_VERSION}: tests ${WORDCOUNT_TESTS}\""), P(")")},
        {P("add_word_test(words words.txt 42)   "), C("# a comment after a command")},
        {L("set"), P("(USAGE "),
         S("[=[\r\nUsage: wc-tool [--sort] FILE...\r\n  Counts words; \"quotes\" and ]] stay inside this "
           "bracket "
           "string.\r\n]=]")},
        {C("#[[ A bracket comment spans lines:\r\n    everything up to the closing brackets is a comment,\r\n"
           "    also \"quotes\" and ${variables}. ]]")}}},
      {"sample.nix",
       "Nix",
       {{L("license"), P(" = "), L("licenses"), P(".mit;")},
        {P("passthru.tests = "), L("builtins"), P("."), L("mapAttrs"), P(" (name: value: value // { "),
         R("inherit"), P(" name; }) {")},
        {L("postInstall"), P(" = "),
         S("''\r\n    mkdir -p $out/share/doc/${pname}\r\n    cp ../README.md $out/share/doc/${pname}/\r\n"
           "    echo \"built with $CC\" > $out/share/doc/${pname}/BUILD\r\n  ''")}}},
      {"sample.tf",
       "HCL",
       {{C("// the object is replaced when the file changes")},
        {R("for_each"), P(" = "), L("toset"), P("(["), S("\"README.md\""), P(", "), S("\"LICENSE\""),
         P("])")},
        {P("policy = "), S("<<-EOT")},
        {S("    {\r\n      \"Version\": \"2012-10-17\",\r\n      \"Statement\": [{ \"Effect\": \"Deny\", "
           "\"Principal\": "
           "\"*\", \"Action\": \"s3:*\",\r\n        \"Condition\": { \"Bool\": { \"aws:SecureTransport\": "
           "\"false\" } "
           "} }]\r\n    }\r\n  EOT")},
        {C("/* One bucket per stage; prod keeps versions. */")}}},
      {"sample.proto",
       "Protobuf",
       {{R("rpc"), P(" Borrow(Loan) "), R("returns"), P(" (Loan);")},
        {P("LOAN_STATE_OPEN = 1;  "), C("// an alias of ACTIVE")},
        {R("repeated"), P(" "), L("string"), P(" emails = 3 ["), L("deprecated"), P(" = "), R("true"),
         P("];")},
        {R("syntax"), P(" = "), S("\"proto3\""), P(";")}}},
      {"sample.diff",
       "Diff",
       {{P("\\ No newline at end of file")},
        {C("+            words += 1;   /* - and + inside a line are text */")},
        {P("\r\n-            words++;\r\n")},
        {R("@@"), P(" -1,6 +1,7 "), R("@@")},
        {C("+++ b/src/count.c")},
        {R("diff"), P(" "), R("--git"), P(" a/docs/USAGE.md b/docs/USAGE.md")}}},
      {"sample.tex",
       "LaTeX",
       {{P("The norm "), S("$\\norm{r}$"), P(" is smallest at the solution. "), C("% trailing comment")},
        {P("Only 5"), C("\\%"), P(" of the points are outliers; the fee is "), C("\\$"), P("20 per run.")},
        {P("We fit a line to "), S("$n$"), P(" points "), S("$(x_i, y_i)$"), P(", with "),
         S("$x_i \\in \\R$"), P(".")},
        {C("% This is a comment; \\textbf{not} shown.")}}},
      {"sample.vim",
       "Vim script",
       {{R("unlet"), P(" s:save_cpo")},
        {R("echo"), P(" "), L("printf"), P("("), S("'%d words in %s'"), P(", l:n, "), L("expand"), P("("),
         S("'%:t'"), P("))")},
        {C("\" a:0 is the number of optional arguments")},
        {P("\\ "), S("'empty'"), P(": "), S("'nothing to count'"), P(",")}}},
      {"sample.ahk",
       "AutoHotkey",
       {{P("^!q::"), L("ExitApp")},
        {R("return"), P(" text = "), S("\"\""), P(" ? "), S("\"Nothing used yet; see `\"Help`\".\""),
         P(" : text")},
        {P("#Up::WinSetAlwaysOnTop -1, "), S("\"A\""), P("   "), C("; toggle")},
        {R("#Requires"), P(" AutoHotkey v2.0")}}},
      {"sample.frag",
       "GLSL",
       {{R("if"), P(" ("), L("any"), P("("), L("isnan"), P("(result)))")},
        {R("vec3"), P(" result = 0.05 * albedo;            "), C("// ambient")},
        {R("#version"), P(" 450 "), L("core")}}},
      {"sample.hlsl",
       "HLSL",
       {{P("["), R("unroll"), P("] "), R("for"), P(" ("), R("int"),
         P(" i = -BLUR_RADIUS; i <= BLUR_RADIUS; ++i)")},
        {P("["), R("numthreads"), P("(64, 1, 1)]")},
        {R("float"), P(" light = "), L("saturate"), P("("), L("dot"), P("("), L("normalize"),
         P("(input.normal), -lightDir));")},
        {R("cbuffer"), P(" PerFrame : "), R("register"), P("(b0)")}}},
      {"sample.cu",
       "CUDA",
       {{L("cudaMemcpy"), P("(&total, dsum, "), R("sizeof"), P("("), R("float"), P("), "),
         L("cudaMemcpyDeviceToHost"), P(");")},
        {R("int"), P(" i = "), L("blockIdx"), P(".x * "), L("blockDim"), P(".x + "), L("threadIdx"),
         P(".x;")},
        {R("__global__"), P(" "), R("void"), P(" add("), R("const"), P(" "), R("float"), P("* "),
         R("__restrict__"), P(" a, ")}}},
      {"sample.sx",
       "GNU asm",
       {{L(".section"), P(" .note.GNU-stack, "), S("\"\""), P(", %"), L("progbits")},
        {R("mov"), P("     "), L("r1"), P(", "), L("r0"), P("                  "),
         C("@ ARM: @ starts a comment")},
        {R("cmpb"), P("    $0, (%"), L("rax"), P(")")},
        {R("ldrb"), P("    "), L("w2"), P(", ["), L("x1"), P("], #1            "),
         C("// load a byte, post-increment")},
        {P("msg:    "), L(".asciz"), P("  "), S("\"Hello, \\\"GNU as\\\"!\\n\"")}}},
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
  EXPECT_LE(lines, 100u);

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
// no other: a Windows path in capitals too.  A name that several sections
// claim (".m") matches exactly those, this sample's among them.
TEST_P(Sample, ItsFileNameChoosesItsSyntaxAndNoOther) {
  const SampleCase& c = GetParam();
  const std::vector<std::string> want =
      c.same_name.empty() ? std::vector<std::string>{c.syntax} : c.same_name;
  EXPECT_NE(std::find(want.begin(), want.end(), c.syntax), want.end());
  SettingsSyntaxSource source;
  EXPECT_EQ(syntaxes_for_file(source, c.file), want);
  std::string windows = std::string("C:\\Work\\") + c.file;
  for (char& ch : windows) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  EXPECT_EQ(syntaxes_for_file(source, windows), want) << windows;
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
