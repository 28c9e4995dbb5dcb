// Loading a syntax: one section of config.ini into a ScanState, keyword
// tables included.
#pragma once

#include <string>

#include "engine/scanner.h"

namespace vorel {

// The delimiters every syntax has besides its own: space, tab, LF, CR, the
// Big5 punctuation lead byte 0xA1, and the zero byte that ends the text.
extern const char FIXED_DELIMITERS[6];

// Fills an already reset state from the section syntax_name of config.ini in
// program_dir().  False when a keyword file the section names cannot be
// loaded; failed_file (when given) then gets its full path.  A missing
// section converts with the defaults.
bool load_syntax(ScanState& state, const char* syntax_name, std::string* failed_file = nullptr);

}  // namespace vorel
