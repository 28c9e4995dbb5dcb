// What vorel-convert does once its command line is read.
#pragma once

#include "cli/options.h"

namespace vorel::cli {

// Prints the section names of config.ini (with files: and their "files"
// patterns); returns the exit status.
int list_syntaxes(bool files);
// Converts the input to the output as the options say; returns the exit status.
int convert(const Options& opt);

}  // namespace vorel::cli
