// vorel-convert's command line.
#pragma once

#include <cstdint>
#include <string>

#include "engine/output_options.h"

namespace vorel::cli {

// The usage summary and the text --help prints after it, the output options
// as OUTPUT_OPTIONS lists them.
std::string usage_text();
std::string help_text();

struct Options {
  std::string config_dir;
  bool config_dir_set = false;
  std::string syntax;
  bool syntax_set = false;  // --syntax given (an empty NAME too)
  bool stats = false;
  std::string output_file;  // "" for standard output
  std::string input;        // "" for standard input
  bool list_syntaxes = false;
  bool list_files = false;  // --list-syntaxes=files
  bool help = false;
  bool version = false;
  // The format, numbering and output modes; the command line picks the
  // charset from the input unless told.
  OutputOptions output;
};

// Prints "vorel-convert: message" to standard error.
void error(const std::string& message);
// Prints the message and the usage to standard error; returns 2.
int usage_error(const std::string& message);

// Reads the command line into opt.  Returns false when it is wrong, the
// message and the usage printed (the exit status is then 2).
bool parse_options(int argc, char** argv, Options& opt);

}  // namespace vorel::cli
