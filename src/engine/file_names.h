// Which syntax a file's name asks for: a section of config.ini may list
// file-name patterns in its "files" key ("*.c *.h", "Makefile *.mk").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorel {

class SyntaxSource;

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

}  // namespace vorel
