// The text around the coloured block: the classic page frame, the modern
// page, or only the block's own <pre> tags (a fragment).
#pragma once

#include <string_view>

#include "engine/charset.h"
#include "engine/markup.h"
#include "engine/number_lines.h"

namespace vorel {

// What goes before and after the coloured block.  The classic page in Big5
// is the Windows program's frame byte for byte; in UTF-8 only its meta tag
// and its Chinese texts differ.  A fragment is the block alone.
struct PageText {
  std::string_view head;
  std::string_view tail;
};
PageText page_text(PageStyle style, bool fragment, Charset charset);

// How the lines of each page are numbered.
NumberStyle number_style(PageStyle style, bool fragment);

}  // namespace vorel
