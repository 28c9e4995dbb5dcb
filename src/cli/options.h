// vorel-convert's command line.
#pragma once

#include <cstdint>
#include <string>

#include "engine/markup.h"

namespace vorel::cli {

extern const char* const USAGE;
extern const char* const HELP;

struct Options {
  std::string config_dir;
  bool config_dir_set = false;
  std::string syntax;
  bool syntax_set = false;  // --syntax given (an empty NAME too)
  bool html = true;
  bool line_numbers = false;
  uint32_t first_line = 0;
  bool stats = false;
  std::string output;  // "" for standard output
  std::string input;   // "" for standard input
  bool list_syntaxes = false;
  bool list_files = false;  // --list-syntaxes=files
  bool help = false;
  bool version = false;
  // The output modes; the command line picks the charset from the input
  // unless told.
  MarkupOptions markup{.charset = CharsetChoice::AUTO};
  bool markup_set = false;  // one of the HTML ones was given
};

// Prints "vorel-convert: message" to standard error.
void error(const std::string& message);
// Prints the message and the usage to standard error; returns 2.
int usage_error(const std::string& message);

// Returns -1 when the command line is good, else the exit status (the
// message already printed).
int parse_options(int argc, char** argv, Options& opt);

}  // namespace vorel::cli
