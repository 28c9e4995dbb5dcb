// Which syntax a file asks for: a section of config.ini may list file-name
// patterns in its "files" key ("*.c *.h", "Makefile *.mk"), and, for files the
// name cannot tell, interpreter names of a "#!" line ("shebang"), Emacs and
// Vim mode names ("modeline"), patterns of the first line ("firstline") and
// of the first lines, which split a name several sections share ("content").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorel {

class SyntaxSource;
class LanguageGuesser;

// The part of path after its last '/' or '\'.  Both count on every platform,
// so a Windows path handed to the POSIX build names the same file.
std::string_view file_base_name(std::string_view path);

// Whether name matches pattern: '*' stands for any run of characters, '?' for
// one; ASCII letters match either case (file systems on Windows ignore case,
// and "FOO.C" is as much C as "foo.c").
bool match_file_pattern(std::string_view pattern, std::string_view name);

// Whether the base name of path matches one of the blank-separated patterns
// of a "files" value.
bool matches_file_patterns(std::string_view patterns, std::string_view path);

// The sections of source whose "files" patterns match path's base name, in
// file order: the first one is the choice.
std::vector<std::string> syntaxes_for_file(SyntaxSource& source, std::string_view path);

// Every section name with its "files" value, tab-separated, one per line.
std::string syntax_files_listing(SyntaxSource& source);

// The program a "#!" first line runs, by its base name: "perl" for
// "#!/usr/bin/perl -w", "python3" for "#!/usr/bin/env python3" (env's options
// and NAME=value words skipped, "-S" included); a trailing ".exe" is dropped.
// Empty when text has no such line.
std::string_view shebang_program(std::string_view text);

// The mode an editor's modeline names: Emacs's "-*- NAME -*-" or
// "-*- mode: NAME; ... -*-" on the first line (the second after a "#!" line),
// or "mode: NAME" in a "Local Variables:" block near the end, with a trailing
// "-mode" dropped; else Vim's "vim: set ft=NAME :", "vi: ft=NAME", "ex:" forms
// ("filetype", "syntax", "syn" too) in the first or last five lines, a
// compound type "a.b" read as "a".  Empty when there is none.
std::string_view modeline_mode(std::string_view text);

// Whether one of the blank-separated patterns (as "files" has them) matches
// word entirely.
bool matches_any_pattern(std::string_view patterns, std::string_view word);

// How a syntax was chosen.
enum class SyntaxRule { NONE, FILE_NAME, SHEBANG, MODELINE, FIRST_LINE, CONTENT, GUESS };

// How vorel-convert's --stats says it: "file name", "#! line", "modeline",
// "first line", "first lines", "guess", "none".
const char* syntax_rule_name(SyntaxRule rule);

struct SyntaxPick {
  std::string syntax;  // empty: none
  SyntaxRule rule = SyntaxRule::NONE;
  std::vector<std::string> name_matches;  // the sections path's name matches, in file order
};

// The syntax for a text named path (empty: no name), tried in this order: a
// name only one section's "files" match; a "#!" line; a modeline; for a name
// several sections match, the section whose "content" patterns match the
// earliest of the first 100 lines (leading blanks removed), else the first of
// them; for a name no section matches, the "firstline" patterns against the
// second non-blank line, then the first; at last, when a guesser is given,
// its guess from the pack's keywords and markers.  In each rule the first section in file order
// wins.
SyntaxPick pick_syntax(SyntaxSource& source, std::string_view path, std::string_view text,
                       const LanguageGuesser* guesser = nullptr);

}  // namespace vorel
