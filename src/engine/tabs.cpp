// Tab expansion.
#include "engine/tabs.h"

#include "engine/byte_search.h"

namespace vorel {

std::string expand_tabs(std::string_view text, uint32_t width) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  const char* p = text.data();
  const char* const end = p + text.size();
  const char* line = p;   // where the current line began
  std::size_t added = 0;  // columns the line's tabs added beyond their one byte
  while (p != end) {
    const char* q = detail::find_any_of3(p, end, '\t', '\r', '\n');
    out.append(p, static_cast<std::size_t>(q - p));
    if (q == end) break;
    if (*q == '\t') {
      const std::size_t column = static_cast<std::size_t>(q - line) + added;
      const std::size_t blanks = width - column % width;
      out.append(blanks, ' ');
      added += blanks - 1;
    } else {
      out += *q;
      line = q + 1;
      added = 0;
    }
    p = q + 1;
  }
  return out;
}

}  // namespace vorel
