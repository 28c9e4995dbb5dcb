// Choosing a syntax from a text where its name cannot: the "#!" line, Emacs
// and Vim modelines, the first-line and first-lines patterns, the order of
// the rules, and the guess from keyword statistics.
#include <gtest/gtest.h>

#include <string>

#include "engine/file_names.h"
#include "engine/language_guess.h"
#include "engine/syntax.h"

namespace vorel {
namespace {

TEST(Shebang, NamesTheProgramByItsBaseName) {
  EXPECT_EQ(shebang_program("#!/bin/sh\necho hi\n"), "sh");
  EXPECT_EQ(shebang_program("#! /usr/bin/perl -w\r\n"), "perl");
  EXPECT_EQ(shebang_program("#!/usr/bin/make -f\n"), "make");
  EXPECT_EQ(shebang_program("#!/usr/bin/python3.11"), "python3.11");
  EXPECT_EQ(shebang_program("#!C:\\Python312\\python.EXE\n"), "python");
  EXPECT_EQ(shebang_program("\xEF\xBB\xBF#!/bin/bash\n"), "bash");
  // Not a "#!" line at the very start: nothing.
  EXPECT_EQ(shebang_program(" #!/bin/sh\n"), "");
  EXPECT_EQ(shebang_program("# !/bin/sh\n"), "");
  EXPECT_EQ(shebang_program("x\n#!/bin/sh\n"), "");
  EXPECT_EQ(shebang_program("#!\n/bin/sh\n"), "");
  EXPECT_EQ(shebang_program(""), "");
}

TEST(Shebang, LooksThroughEnvAndItsOptions) {
  EXPECT_EQ(shebang_program("#!/usr/bin/env python3\n"), "python3");
  EXPECT_EQ(shebang_program("#!/usr/bin/env -S deno run --allow-read\n"), "deno");
  EXPECT_EQ(shebang_program("#!/usr/bin/env -Sruby -w\n"), "ruby");
  EXPECT_EQ(shebang_program("#!/usr/bin/env -i -u HOME LANG=C PATH=/bin node\n"), "node");
  EXPECT_EQ(shebang_program("#!/usr/bin/env --chdir /tmp /usr/local/bin/lua5.4\n"), "lua5.4");
  EXPECT_EQ(shebang_program("#!/usr/bin/env\n"), "");
  EXPECT_EQ(shebang_program("#!/usr/bin/env -S\n"), "");
}

TEST(Modeline, ReadsEmacsOnTheFirstLineOrAfterTheShebang) {
  EXPECT_EQ(modeline_mode("// -*- C++ -*-\n"), "C++");
  EXPECT_EQ(modeline_mode("# -*- mode: ruby; coding: utf-8 -*-\n"), "ruby");
  EXPECT_EQ(modeline_mode("/* -*- Mode:C; c-basic-offset:4 -*- */"), "C");
  EXPECT_EQ(modeline_mode("#!/bin/sh\n# -*- mode: shell-script -*-\n"), "shell-script");
  EXPECT_EQ(modeline_mode(";; -*- mode: emacs-lisp-mode -*-\n"), "emacs-lisp");
  // Variables without a mode, an unclosed marker, or too late: nothing.
  EXPECT_EQ(modeline_mode(";; -*- lexical-binding: t -*-\n"), "");
  EXPECT_EQ(modeline_mode("// -*- C++\n"), "");
  EXPECT_EQ(modeline_mode("x\n// -*- C++ -*-\n"), "");
}

TEST(Modeline, ReadsEmacsLocalVariablesAtTheEnd) {
  const std::string body(5000, 'x');
  EXPECT_EQ(modeline_mode(body + "\n# Local Variables:\n# coding: utf-8\n# mode: perl\n# End:\n"), "perl");
  EXPECT_EQ(modeline_mode(body + "\n;;; Local Variables:\n;;; End:\n;;; mode: lisp\n"), "");
  // Only the last 3000 bytes are searched.
  EXPECT_EQ(modeline_mode("# Local Variables:\n# mode: perl\n# End:\n" + body), "");
}

TEST(Modeline, ReadsVimInTheFirstOrLastFiveLines) {
  EXPECT_EQ(modeline_mode("# vim: set ft=python :\n"), "python");
  EXPECT_EQ(modeline_mode("/* vim:ft=c ts=4 */\n"), "c");
  EXPECT_EQ(modeline_mode("// vi: set filetype=javascript:\n"), "javascript");
  EXPECT_EQ(modeline_mode("# vim600: set syntax=perl:\n"), "perl");
  EXPECT_EQ(modeline_mode("{# vim: set ft=htmldjango.html : #}\n"), "htmldjango");
  EXPECT_EQ(modeline_mode("# ex: ts=8 sw=4 syn=sh\n"), "sh");
  // No file type; "vim:" glued to a word; a "set" form ends at its ':'.
  EXPECT_EQ(modeline_mode("# vim: set fileencoding=utf-8 :\n"), "");
  EXPECT_EQ(modeline_mode("#novim: ft=ruby\n"), "");
  EXPECT_EQ(modeline_mode("# vim: set ts=4: ft=ruby\n"), "");

  std::string text;
  for (int i = 0; i < 20; ++i) text += "line\n";
  EXPECT_EQ(modeline_mode(text + "# vim: ft=lua\n"), "lua");
  EXPECT_EQ(modeline_mode(text + "# vim: ft=lua\n" + "x\nx\nx\nx\n"), "lua");
  EXPECT_EQ(modeline_mode(text + "# vim: ft=lua\n" + "x\nx\nx\nx\nx\n"), "");
  EXPECT_EQ(modeline_mode(text + "# vim: ft=lua\n" + text), "");
  EXPECT_EQ(modeline_mode("a\nb\nc\nd\n# vim: ft=lua\n" + text), "lua");
  EXPECT_EQ(modeline_mode("a\nb\nc\nd\ne\n# vim: ft=lua\n" + text), "");
}

// A small pack: two sections share "*.h", one claims files by "#!" and
// modeline, one by its first line.
constexpr const char* PACK =
    "[C]\nfiles=*.c *.h\nmodeline=c\n"
    "[C++]\nfiles=*.cpp *.h\nmodeline=c++ cpp\ncontent=class?* namespace*\n"
    "[Python]\nfiles=*.py\nshebang=python python3*\nmodeline=python\n"
    "[Shell]\nfiles=*.sh configure\nshebang=sh bash\nfirstline=#!*sh\n"
    "[XML]\nfiles=*.xml\nfirstline=<?xml*\n";

SyntaxPick pick(std::string_view path, std::string_view text) {
  MemorySyntaxSource source(PACK);
  return pick_syntax(source, path, text);
}

TEST(PickSyntax, AnUnsharedNameDecidesBeforeTheText) {
  const SyntaxPick p = pick("src/tool.py", "#!/bin/sh\n# vim: ft=c\n");
  EXPECT_EQ(p.syntax, "Python");
  EXPECT_EQ(p.rule, SyntaxRule::FILE_NAME);
  EXPECT_EQ(pick("configure", "#!/usr/bin/python3\n").syntax, "Shell");
}

TEST(PickSyntax, ShebangThenModelineWhereTheNameDoesNot) {
  SyntaxPick p = pick("bin/tool", "#!/usr/bin/env python3.12\nimport os\n");
  EXPECT_EQ(p.syntax, "Python");
  EXPECT_EQ(p.rule, SyntaxRule::SHEBANG);
  EXPECT_TRUE(p.name_matches.empty());

  p = pick("", "#!/bin/bash\n# vim: ft=python\n");
  EXPECT_EQ(p.syntax, "Shell");
  EXPECT_EQ(p.rule, SyntaxRule::SHEBANG);

  // A "#!" line naming no section leaves the modeline to decide.
  p = pick("", "#!/usr/bin/tclsh\n# -*- mode: python -*-\n");
  EXPECT_EQ(p.syntax, "Python");
  EXPECT_EQ(p.rule, SyntaxRule::MODELINE);

  // On a shared name the modeline goes first too (libstdc++'s headers).
  p = pick("vector.h", "// -*- C++ -*-\n#include <stddef.h>\n");
  EXPECT_EQ(p.syntax, "C++");
  EXPECT_EQ(p.rule, SyntaxRule::MODELINE);
  EXPECT_EQ(p.name_matches, (std::vector<std::string>{"C", "C++"}));
}

TEST(PickSyntax, ContentSplitsASharedName) {
  SyntaxPick p = pick("a.h", "/* header */\n#ifndef A_H\n  namespace a {\n");
  EXPECT_EQ(p.syntax, "C++");
  EXPECT_EQ(p.rule, SyntaxRule::CONTENT);
  // "classify" is no "class " line; without a match the first section keeps it.
  p = pick("a.h", "#ifndef A_H\nint classify(void);\n * class of its own\n");
  EXPECT_EQ(p.syntax, "C");
  EXPECT_EQ(p.rule, SyntaxRule::FILE_NAME);
  // Only the first 100 lines are read.
  std::string text;
  for (int i = 0; i < 100; ++i) text += "int x;\r\n";
  EXPECT_EQ(pick("a.h", text + "class A {};\n").syntax, "C");
  EXPECT_EQ(pick("a.h", text.substr(8) + "class A {};\n").syntax, "C++");
}

TEST(PickSyntax, FirstLineOnlyForTextsNoNameClaims) {
  SyntaxPick p = pick("", "\n  <?xml version=\"1.0\"?>\n<a/>\n");
  EXPECT_EQ(p.syntax, "XML");
  EXPECT_EQ(p.rule, SyntaxRule::FIRST_LINE);
  EXPECT_EQ(pick("notes.txt", "<?xml version=\"1.0\"?>\n").syntax, "XML");
  EXPECT_EQ(pick("", "<a/>\n\n<b/>\n<?xml version=\"1.0\"?>\n").syntax, "");
  // The second non-blank line's match wins over the first's.
  p = pick("", "<?xml version=\"1.0\"?>\n\n#!/bin/sh\n");
  EXPECT_EQ(p.syntax, "Shell");
  EXPECT_EQ(p.rule, SyntaxRule::FIRST_LINE);
  // Not for a shared name: there the content rule decides.
  EXPECT_EQ(pick("a.h", "<?xml version=\"1.0\"?>\n").syntax, "C");
  p = pick("", "hello\n");
  EXPECT_EQ(p.syntax, "");
  EXPECT_EQ(p.rule, SyntaxRule::NONE);
}

// Two languages whose reserved words differ, and a third that shares most
// of them: the guess follows the distinctive words and markers.
class Guess : public ::testing::Test {
 protected:
  Guess()
      : source(
            "[Alpha]\ncase=1\nstxfile1=a1.txt\ncomment1=#\n"
            "[Beta]\ncase=1\nstxfile1=b1.txt\ncomment1=//\ncomment2=/*\ncomment2e=*/\n"
            "[Gamma]\ncase=1\nstxfile1=g1.txt\ncomment1=//\n") {
    source.add_keyword_file("a1.txt", "def 1\nimport 1\nreturn 1\nself 1\nelif 1\nNone 1\n");
    source.add_keyword_file("b1.txt", "int 1\nreturn 1\nstruct 1\nvoid 1\nif 1\nelse 1\n");
    source.add_keyword_file("g1.txt", "int 1\nreturn 1\nstruct 1\nvoid 1\nif 1\nelse 1\nclass 1\nusing 1\n");
  }
  MemorySyntaxSource source;
};

TEST_F(Guess, FollowsKeywordsAndMarkers) {
  LanguageGuesser guesser(source);
  const std::string alpha =
      "# tools\nimport os\n\ndef run(self):\n    if self.x:\n        return None\n    elif y:\n"
      "        return self.y\n# done\n";
  EXPECT_EQ(guesser.guess(alpha), "Alpha");
  const std::string beta =
      "/* a */\nstruct s { int x; };\nvoid f(struct s *p) {\n  if (p) return;\n"
      "  else p->x = 1;\n}\n// end\nint g(void) { return 0; }\n";
  EXPECT_EQ(guesser.guess(beta), "Beta");
  // Gamma's own words tip it; without them Beta, first in the file, wins
  // the tie.
  const std::string gamma = beta + "class A {\n  using B = int;\n};\nclass C { };\n";
  EXPECT_EQ(guesser.guess(gamma), "Gamma");
  const std::vector<LanguageGuesser::Score> ranked = guesser.rank(beta);
  ASSERT_EQ(ranked.size(), 3u);
  EXPECT_EQ(ranked[0].syntax, "Beta");
  EXPECT_EQ(ranked[2].syntax, "Alpha");
}

TEST_F(Guess, IgnoresWordsInCommentsAndStringsAndOffersNothingOnThinEvidence) {
  LanguageGuesser guesser(source);
  EXPECT_EQ(guesser.guess(""), "");
  EXPECT_EQ(guesser.guess("just some words\nwith nothing in them\n"), "");
  // Alpha's words only in quotes and comments of another language.
  const std::string quoted =
      "int f(void) {\n  // def import self elif None\n  return \"def import self elif None\";\n}\n"
      "/* def import self\n   elif None */\nstruct s { int x; };\nvoid g(void) { if (1) return; else return; "
      "}\n";
  EXPECT_EQ(guesser.guess(quoted), "Beta");
}

TEST_F(Guess, IsTheLastRuleOfPickSyntax) {
  LanguageGuesser guesser(source);
  const std::string text = "import os\ndef f(self):\n    return None\n# a\n# b\n# c\n";
  const SyntaxPick p = pick_syntax(source, "notes.txt", text, &guesser);
  EXPECT_EQ(p.syntax, "Alpha");
  EXPECT_EQ(p.rule, SyntaxRule::GUESS);
  EXPECT_EQ(pick_syntax(source, "notes.txt", text).syntax, "");
}

}  // namespace
}  // namespace vorel
