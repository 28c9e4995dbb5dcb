// Tab expansion, done on the text before it is scanned: tabs and blanks are
// both delimiters, so the markup is the same as if each tab had been typed as
// its blanks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorel {

// Every tab of text replaced by blanks up to the next multiple of width
// columns.  Columns count from the last CR or LF, one per byte: right for
// ASCII and for double-byte code pages, whose wide characters take two bytes
// and two columns.  width must not be 0.
std::string expand_tabs(std::string_view text, uint32_t width);

}  // namespace vorel
