// vorel-convert run as a user runs it: files and standard input, output into
// place, exit codes and messages, syntax listing and statistics.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "convert_runner.h"
#include "engine/convert.h"

namespace fs = std::filesystem;

namespace {

using clitest::Result;

class VorelConvert : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "config");
    clitest::write(dir_ / "config" / "config.ini",
                   "[Test]\r\nstxfile1=kw.txt\r\nstr1=\"\r\ndelimiter=;(){}=\r\n"
                   "color_string=FF\r\ncolor_comment=8000\r\ncomment1=//\r\nfiles=*.tst *.both\r\n"
                   "[Broken]\r\nstxfile1=missing.txt\r\n[Empty]\r\nfiles=*.BOTH\r\n");
    clitest::write(dir_ / "config" / "kw.txt", "int 1FF0000\nreturn 1FF0000\n");
  }

  std::string config() const { return (dir_ / "config").string(); }
  fs::path file(const char* name) const { return dir_ / name; }

  Result run(const std::vector<std::string>& args, const std::string& stdin_bytes = "", bool piped = false) {
    return clitest::run_convert(dir_, args, stdin_bytes, piped);
  }

  // Names in the test directory, so leftovers of temporary files show.
  std::set<std::string> listing() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename().string());
    return names;
  }

  clitest::ScratchDir scratch_;
  const fs::path& dir_ = scratch_.path();
};

const char KEYWORD_INT[] = "[b][color=#0000FF]int[/color][/b]";
const char KEYWORD_RETURN[] = "[b][color=#0000FF]return[/color][/b]";

std::string ubb_of_two_lines() { return std::string(KEYWORD_INT) + " a;\r\n" + KEYWORD_RETURN + " a;\r\n"; }

TEST_F(VorelConvert, LfCrLfAndCrFilesKeepTheirLines) {
  for (const char* eol : {"\n", "\r\n", "\r"}) {
    clitest::write(file("in.c"), std::string("int a;") + eol + "return a;" + eol);
    Result r = run({"--config-dir", config(), "--syntax", "Test", "--format", "ubb", file("in.c").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, ubb_of_two_lines()) << "line end " << (eol[0] == '\n' ? "LF" : eol[1] ? "CRLF" : "CR");
  }
  clitest::write(file("mixed.c"), "a\r\n\nb\rc");
  Result r = run({"--config-dir", config(), "--format", "ubb", file("mixed.c").string()});
  EXPECT_EQ(r.out, "a\r\n\r\nb\r\nc");
}

// A file is mapped, a pipe is read; Unix and CR LF text are converted as
// they stand, mixed line ends through a CR LF copy: the markup is the same.
TEST_F(VorelConvert, EveryWayOfReadingGivesTheSameMarkup) {
  std::string lines[] = {"int a; // two", "\"open string", "return a; \"x\" <b>", "", "\t{ }", "int"};
  auto joined = [&lines](const char* eol) {
    std::string t;
    for (const std::string& l : lines) t += l + eol;
    return t;
  };
  const std::string crlf = joined("\r\n");
  clitest::write(file("crlf.c"), crlf + std::string(70000, 'x'));  // longer than a read piece
  Result want =
      run({"--config-dir", config(), "--syntax", "Test", "--line-numbers", "9", file("crlf.c").string()});
  ASSERT_EQ(want.status, 0) << want.err;
  std::string mixed = joined("\n");
  mixed.replace(mixed.find('\n'), 1, "\r");
  mixed.replace(mixed.find('\n'), 1, "\r\n");
  for (const std::string& text : {joined("\n"), crlf, joined("\r"), mixed}) {
    const std::string input = text + std::string(70000, 'x');
    clitest::write(file("in.c"), input);
    for (bool piped : {false, true}) {
      Result r = piped
                     ? run({"--config-dir", config(), "--syntax", "Test", "--line-numbers", "9"}, input, true)
                     : run({"--config-dir", config(), "--syntax", "Test", "--line-numbers", "9",
                            file("in.c").string()});
      EXPECT_EQ(r.status, 0) << r.err;
      EXPECT_TRUE(r.out == want.out) << (piped ? "pipe" : "file") << ", input "
                                     << ::testing::PrintToString(text);
    }
  }
}

TEST_F(VorelConvert, StandardInputConvertsLikeAFile) {
  std::string text = "int a;\nreturn a;\n";
  Result r = run({"--config-dir", config(), "--syntax", "Test", "--format=ubb"}, text);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, ubb_of_two_lines());
  r = run({"--config-dir", config(), "--syntax=test", "--format", "ubb", "-o", "-", "-"}, text);
  EXPECT_EQ(r.out, ubb_of_two_lines());
}

TEST_F(VorelConvert, HtmlIsTheDefaultFormat) {
  clitest::write(file("in.c"), "x < y\n");
  Result r = run({"--config-dir", config(), file("in.c").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  std::string frame(vorel::html_page_header());
  EXPECT_EQ(r.out, frame + "x &lt; y\r\n" + std::string(vorel::html_page_footer()));
}

TEST_F(VorelConvert, HtmlChoicesReachThePage) {
  clitest::write(file("ascii.c"), "a & b\n");
  clitest::write(file("utf8.c"), "caf\xc3\xa9 & b\n");
  const std::string classic(vorel::html_page_header());
  auto out = [&](std::vector<std::string> args, const char* input) {
    args.insert(args.begin(), {"--config-dir", config()});
    args.push_back(file(input).string());
    Result r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
  };
  // The charset follows the input unless told; ASCII keeps the classic bytes.
  EXPECT_EQ(out({}, "ascii.c"), classic + "a & b\r\n</pre>");
  EXPECT_EQ(out({}, "utf8.c").find("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">"),
            0u);
  EXPECT_EQ(out({"--charset", "big5"}, "utf8.c"), classic + "caf\xc3\xa9 & b\r\n</pre>");
  EXPECT_EQ(out({"--charset=utf-8"}, "ascii.c")
                .find("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">"),
            0u);
  EXPECT_EQ(out({"--escape", "strict"}, "ascii.c"), classic + "a &amp; b\r\n</pre>");
  EXPECT_EQ(out({"--page", "modern"}, "ascii.c").find("<!DOCTYPE html>"), 0u);
  EXPECT_NE(out({"--page=modern"}, "ascii.c").find("a &amp; b"), std::string::npos);
  EXPECT_EQ(out({"--fragment", "--escape=strict"}, "ascii.c").find("<pre style="), 0u);
}

TEST_F(VorelConvert, EmptyInputGivesTheFrameOrNothing) {
  clitest::write(file("empty.c"), "");
  Result r = run({"--config-dir", config(), "--syntax", "Test", "-o", file("empty.html").string(),
                  file("empty.c").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(clitest::read(file("empty.html")),
            std::string(vorel::html_page_header()) + std::string(vorel::html_page_footer()));
  r = run({"--config-dir", config(), "--format", "ubb", "-o", file("empty.ubb").string(),
           file("empty.c").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(file("empty.ubb")));
  EXPECT_EQ(clitest::read(file("empty.ubb")), "");
}

TEST_F(VorelConvert, OutputReplacesTheTargetWhole) {
  clitest::write(file("in.c"), "int a;\nreturn a;\n");
  clitest::write(file("out.ubb"), std::string(100000, 'o'));  // longer than the new output
  auto before = listing();
  Result r = run({"--config-dir", config(), "--syntax", "Test", "--format", "ubb", "-o",
                  file("out.ubb").string(), file("in.c").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(clitest::read(file("out.ubb")), ubb_of_two_lines());
  EXPECT_EQ(listing(), before);  // no temporary file left behind
}

TEST_F(VorelConvert, OutputOverItsOwnInput) {
  clitest::write(file("in.c"), "int a;\n");
  Result r = run({"--config-dir", config(), "--syntax", "Test", "--format", "ubb", "-o",
                  file("in.c").string(), file("in.c").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(clitest::read(file("in.c")), std::string(KEYWORD_INT) + " a;\r\n");
}

// The markup is written to a temporary file first: what lands at the
// target must still look as if written there directly.
TEST_F(VorelConvert, OutputKeepsTheTargetsModeOrGetsTheUsualOne) {
  clitest::write(file("in.c"), "int a;\n");
  const std::vector<std::string> args = {"--config-dir", config(), "--syntax", "Test",
                                         "--format",     "ubb",    "-o"};
  auto convert_to = [&](const fs::path& out) {
    std::vector<std::string> a = args;
    a.push_back(out.string());
    a.push_back(file("in.c").string());
    return run(a);
  };
  clitest::write(file("shared.ubb"), "old");
  fs::permissions(file("shared.ubb"), fs::perms(0664), fs::perm_options::replace);
  clitest::write(file("private.ubb"), "old");
  fs::permissions(file("private.ubb"), fs::perms(0600), fs::perm_options::replace);
  for (const char* name : {"shared.ubb", "private.ubb"}) {
    const fs::perms before = fs::status(file(name)).permissions();
    EXPECT_EQ(convert_to(file(name)).status, 0) << name;
    EXPECT_EQ(clitest::read(file(name)), std::string(KEYWORD_INT) + " a;\r\n");
    EXPECT_EQ(fs::status(file(name)).permissions(), before) << name;
  }
  // A new file: 0666 less the umask, as any program's new file.
  for (const mode_t mask : {mode_t(022), mode_t(027)}) {
    const mode_t old = umask(mask);
    const fs::path out = file(mask == 022 ? "new022.ubb" : "new027.ubb");
    const Result r = convert_to(out);
    umask(old);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::status(out).permissions(), fs::perms(0666 & ~mask)) << out;
  }
}

TEST_F(VorelConvert, OutputThroughASymbolicLinkWritesTheFileItNames) {
  clitest::write(file("in.c"), "int a;\n");
  fs::create_directories(dir_ / "real");
  clitest::write(dir_ / "real" / "out.ubb", "old");
  fs::create_symlink(fs::path("real") / "out.ubb", file("link.ubb"));
  auto before = listing();
  const Result r = run({"--config-dir", config(), "--syntax", "Test", "--format", "ubb", "-o",
                        file("link.ubb").string(), file("in.c").string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(file("link.ubb")));
  EXPECT_EQ(fs::read_symlink(file("link.ubb")), fs::path("real") / "out.ubb");
  EXPECT_EQ(clitest::read(dir_ / "real" / "out.ubb"), std::string(KEYWORD_INT) + " a;\r\n");
  EXPECT_EQ(listing(), before);
  std::set<std::string> real;
  for (const auto& e : fs::directory_iterator(dir_ / "real")) real.insert(e.path().filename().string());
  EXPECT_EQ(real, std::set<std::string>{"out.ubb"});  // no temporary file left beside it
}

TEST_F(VorelConvert, FailuresLeaveAnExistingTargetAlone) {
  clitest::write(file("out.html"), "keep me");
  clitest::write(file("nul.c"), std::string("int\0a", 5));
  clitest::write(file("ok.c"), "int a;\n");
  auto before = listing();

  Result r = run({"--config-dir", config(), "-o", file("out.html").string(), file("nul.c").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("NUL byte at offset 3"), std::string::npos) << r.err;

  r = run({"--config-dir", config(), "--syntax", "Broken", "-o", file("out.html").string(),
           file("ok.c").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("missing.txt"), std::string::npos) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;

  r = run({"--config-dir", config(), "-o", file("out.html").string(), file("absent.c").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("absent.c"), std::string::npos) << r.err;

  EXPECT_EQ(clitest::read(file("out.html")), "keep me");
  EXPECT_EQ(listing(), before);
}

TEST_F(VorelConvert, FailuresCreateNoOutputFile) {
  Result r = run({"--config-dir", config(), "-o", file("new.html").string(), file("absent.c").string()});
  EXPECT_EQ(r.status, 1);
  r = run({"--config-dir", config(), "--syntax", "Broken", "-o", file("new.html").string()}, "x\n");
  EXPECT_EQ(r.status, 1);
  r = run({"--config-dir", config(), "-o", file("new.html").string()}, std::string("\0", 1));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("offset 0"), std::string::npos) << r.err;
  r = run({"--config-dir", config(), "-o", file("new.html").string(), dir_.string()});
  EXPECT_EQ(r.status, 1);  // a directory is not readable input
  EXPECT_FALSE(fs::exists(file("new.html")));
  // Nor anything on standard output.
  r = run({"--config-dir", config(), "--syntax", "Broken"}, "x\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
}

TEST_F(VorelConvert, CommandLineMistakesExitWithTwoAndUsage) {
  const std::vector<std::vector<std::string>> bad = {
      {"--bogus"},
      {"-x"},
      {"--format", "pdf"},
      {"--format"},
      {"--syntax"},
      {"-o"},
      {"--stats=yes"},
      {"--line-numbers"},
      {"--line-numbers", "-1"},
      {"--line-numbers", "+5"},
      {"--line-numbers", " 5"},
      {"--line-numbers", "12x"},
      {"--line-numbers", ""},
      {"--line-numbers", "0x10"},
      {"--line-numbers", "4294967296"},
      {"--line-numbers", "99999999999999999999999"},
      {"a.c", "b.c"},
      {"--page", "fancy"},
      {"--page"},
      {"--escape", "loose"},
      {"--charset", "latin1"},
      {"--fragment=1"},
      {"--format", "ubb", "--page", "modern"},
      {"--fragment", "--format", "ubb"},
      {"--format=ubb", "--charset", "utf-8"},
      {"--tab-width"},
      {"--tab-width", "65"},
      {"--ubb-safe"},  // the default format is HTML
      {"--format", "html", "--ubb-no-entities"},
      {"--format", "ubb", "--ubb-font", ""},
      {"--format", "ubb", "--ubb-font", "a]b"},
      {"--format", "ubb", "--ubb-safe=1"},
      {"--list-syntaxes=names"},
  };
  for (const auto& args : bad) {
    Result r = run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("usage: vorel-convert"), std::string::npos) << args[0];
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(VorelConvert, LineNumbersAcceptTheWholeUnsignedRange) {
  Result plain = run({"--config-dir", config(), "--format", "ubb"}, "a\nb\n");
  for (const char* start : {"0", "7", "4294967295"}) {
    Result r = run({"--config-dir", config(), "--format", "ubb", "--line-numbers", start}, "a\nb\n");
    EXPECT_EQ(r.status, 0) << start << r.err;
    EXPECT_NE(r.out, plain.out);
    EXPECT_NE(r.out.find(start), std::string::npos) << r.out;
  }
}

TEST_F(VorelConvert, ListSyntaxesPrintsEverySectionName) {
  Result r = run({"--list-syntaxes", "--config-dir", config()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Test\nBroken\nEmpty\n");

  // Far more than a path-sized buffer holds.
  std::string ini, expected;
  for (int i = 0; i < 300; ++i) {
    std::string name = "Syntax number " + std::to_string(i);
    ini += "[" + name + "]\r\nstr1=\"\r\n";
    expected += name + "\n";
  }
  clitest::write(dir_ / "config" / "config.ini", ini);
  r = run({"--config-dir", config(), "--list-syntaxes"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, expected);

  r = run({"--list-syntaxes", "--config-dir", (dir_ / "nowhere").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("config.ini"), std::string::npos) << r.err;
}

TEST_F(VorelConvert, ConfigDirDefaultsToTheProgramsDirectory) {
  // The build puts the shipped language pack next to the program.
  Result r = run({"--list-syntaxes"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.compare(0, 2, "C\n"), 0) << r.out;
}

TEST_F(VorelConvert, UnknownSyntaxIsAnErrorNamingTheNearest) {
  clitest::write(file("in.c"), "int a;\n");
  Result r =
      run({"--config-dir", config(), "--syntax", "Tset", "-o", file("out").string(), file("in.c").string()});
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(fs::exists(file("out")));
  EXPECT_NE(r.err.find("no syntax 'Tset'"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("the nearest: Test, "), std::string::npos) << r.err;
  // A name the settings file answers to is known, however it is spaced or cased.
  Result keyworded = run({"--config-dir", config(), "--format", "ubb", "--syntax", "Test"}, "int a;\n");
  for (const char* name : {"TEST", " test\t", "\vTest\x1a"}) {
    r = run({"--config-dir", config(), "--format", "ubb", "--syntax", name}, "int a;\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "") << ::testing::PrintToString(name);
    EXPECT_EQ(r.out, keyworded.out) << ::testing::PrintToString(name);
  }
  // An empty name is plain text, the file name notwithstanding.
  r = run({"--config-dir", config(), "--format", "ubb", "--syntax", "", file("in.c").string()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "int a;\r\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(VorelConvert, WithoutSyntaxTheFileNameChoosesItAndStatsTell) {
  const std::string text = "int a;\nreturn a;\n";
  Result named = run({"--config-dir", config(), "--format", "ubb", "--syntax", "Test"}, text);
  ASSERT_EQ(named.out, ubb_of_two_lines());
  for (const char* name : {"a.tst", "A.TST", "b.Both"}) {
    clitest::write(file(name), text);
    Result r = run({"--config-dir", config(), "--format", "ubb", "--stats", file(name).string()});
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_EQ(r.out, named.out) << name;
    EXPECT_NE(r.err.find("syntax:           Test (from the file name)\n"), std::string::npos) << r.err;
  }
  // Two sections match "*.both": the first is taken, and the note says so.
  Result r = run({"--config-dir", config(), "--format", "ubb", file("b.Both").string()});
  EXPECT_EQ(r.err, "vorel-convert: note: 'b.Both' matches Test, Empty; using Test\n");
  // No section matches, and the text is nobody's code: plain text, with a
  // one-line note.
  const std::string prose = "a b c\nd e f\n";
  clitest::write(file("a.txt"), prose);
  r = run({"--config-dir", config(), "--format", "ubb", "--stats", file("a.txt").string()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a b c\r\nd e f\r\n");
  EXPECT_EQ(r.err.find("vorel-convert: note: no syntax's file names match 'a.txt'; converting without one"),
            0u)
      << r.err;
  EXPECT_NE(r.err.find("syntax:           none\n"), std::string::npos) << r.err;
  // Standard input has no name: plain, without a note.
  r = run({"--config-dir", config(), "--format", "ubb"}, prose);
  EXPECT_EQ(r.out, "a b c\r\nd e f\r\n");
  EXPECT_EQ(r.err, "");
}

// Where the name does not decide, the text does: its "#!" line, modeline or
// first lines, else the guess from the keywords; --stats names the rule, a
// named input gets a note, and "--syntax auto" asks for the same.
TEST_F(VorelConvert, WithoutSyntaxOrWithAutoTheTextChoosesIt) {
  clitest::write(dir_ / "config" / "config.ini",
                 "[Plain]\r\nfiles=*.both\r\nshebang=plain\r\n"
                 "[Test]\r\nstxfile1=kw.txt\r\ncomment1=//\r\nfiles=*.tst *.both\r\nshebang=tst tst2*\r\n"
                 "modeline=test\r\ncontent=int?*\r\n");
  const std::string text = "int a;\nreturn a;\n";
  const std::string coloured = ubb_of_two_lines();
  struct Case {
    const char* name;  // "" for standard input
    std::string text;
    const char* told;
    const char* note;
  };
  const Case cases[] = {
      {"script", "#!/usr/bin/env tst2.1\n" + text, "Test (from the #! line)",
       "vorel-convert: note: no syntax's file names match 'script'; using Test (from the #! line; see "
       "--syntax)\n"},
      {"", "// vim: set ft=test :\n" + text, "Test (from the modeline)", ""},
      {"x.both", text, "Test (from the first lines)",
       "vorel-convert: note: 'x.both' matches Plain, Test; using Test (from the first lines)\n"},
      {"", text, "Test (from the guess)", ""},
      {"a.txt", text, "Test (from the guess)",
       "vorel-convert: note: no syntax's file names match 'a.txt'; using Test (from the guess; see "
       "--syntax)\n"},
  };
  for (const Case& c : cases) {
    for (bool automatic : {false, true}) {
      std::vector<std::string> args = {"--config-dir", config(), "--format", "ubb", "--stats"};
      if (automatic) args.insert(args.end(), {"--syntax", "auto"});
      if (*c.name) {
        clitest::write(file(c.name), c.text);
        args.push_back(file(c.name).string());
      }
      Result r = *c.name ? run(args) : run(args, c.text);
      EXPECT_EQ(r.status, 0) << c.told;
      // Standard input is guessed from its words only when asked: without
      // --syntax it stays plain text, as it always was.
      if (!*c.name && !automatic && std::string_view(c.told).ends_with("guess)")) {
        EXPECT_EQ(r.out, "int a;\r\nreturn a;\r\n");
        EXPECT_NE(r.err.find("syntax:           none\n"), std::string::npos) << r.err;
        continue;
      }
      EXPECT_NE(r.out.find(coloured), std::string::npos) << c.told << "\n" << r.out;
      EXPECT_NE(r.err.find(std::string("syntax:           ") + c.told + "\n"), std::string::npos) << r.err;
      EXPECT_EQ(r.err.substr(0, r.err.find("syntax:")), c.note);
    }
  }
  // A name only one section claims beats any text; an explicit syntax, or
  // none, beats everything.
  clitest::write(file("p.tst"), "#!/bin/plain\n" + text);
  Result r = run({"--config-dir", config(), "--format", "ubb", "--stats", file("p.tst").string()});
  EXPECT_NE(r.err.find("syntax:           Test (from the file name)\n"), std::string::npos) << r.err;
  r = run({"--config-dir", config(), "--format", "ubb", "--syntax", "Plain"}, text);
  EXPECT_EQ(r.out, "int a;\r\nreturn a;\r\n");
  r = run({"--config-dir", config(), "--format", "ubb", "--syntax", ""}, text);
  EXPECT_EQ(r.out, "int a;\r\nreturn a;\r\n");
}

TEST_F(VorelConvert, ListSyntaxesWithFilesShowsThePatterns) {
  Result r = run({"--list-syntaxes=files", "--config-dir", config()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Test\t*.tst *.both\nBroken\t\nEmpty\t*.BOTH\n");
}

TEST_F(VorelConvert, StatsReportTimesAndLengths) {
  std::string text = "int a;\nreturn a;\n";  // 17 bytes, 19 with CR LF line ends
  Result r = run({"--config-dir", config(), "--syntax", "Test", "--stats"}, text);
  EXPECT_EQ(r.status, 0) << r.err;
  std::smatch m;
  std::regex shape(
      "syntax: +Test\n"
      "keyword loading: +([0-9]+) ms\n"
      "conversion: +([0-9]+) ms\n"
      "original length: +([0-9]+) characters\n"
      "converted length: +([0-9]+) characters\n");
  ASSERT_TRUE(std::regex_match(r.err, m, shape)) << r.err;
  EXPECT_EQ(m[3].str(), "19");
  EXPECT_EQ(m[4].str(), std::to_string(r.out.size()));
}

TEST_F(VorelConvert, HelpAndVersion) {
  Result r = run({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.compare(0, 20, "usage: vorel-convert"), 0);
  r = run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string("vorel-convert ") + VOREL_VERSION + "\n");
}

}  // namespace
