// Input line ends made CR LF before conversion.
#include "text/line_ends.h"

#include <algorithm>
#include <cstring>

#include "engine/byte_search.h"

namespace vorel::text {

LineEndForm line_end_form(const char* text, std::size_t n) {
  const char* const e = text + n;
  if (!std::memchr(text, '\r', n)) return {LineEnds::LF, 0};
  for (const char* q = text; (q = detail::find_any_of3(q, e, '\r', '\n', '\r')) != e; q += 2) {
    // At most one byte more per line end.
    if (*q == '\n' || q + 1 == e || q[1] != '\n') return {LineEnds::CR_LF, n + line_end_growth(text, n)};
  }
  return {LineEnds::CR_LF, 0};
}

std::size_t normalise_line_ends(const char* src, std::size_t n, char* dst) {
  // In pieces, so the text is read once while it is still in the cache.  A
  // piece can grow to twice its size, but never past the counted total.
  constexpr std::size_t PIECE = 64 * 1024;
  LineEndNormaliser normaliser;
  std::size_t written = 0;
  for (std::size_t at = 0; at < n; at += PIECE)
    written += normaliser.feed(src + at, std::min(PIECE, n - at), dst + written);
  return written;
}

std::uint64_t length_with_crlf(const char* text, std::size_t n, LineEnds line_ends) {
  if (line_ends == LineEnds::CR_LF) return n;
  return n + static_cast<std::uint64_t>(std::count(text, text + n, '\n'));
}

std::size_t line_end_growth(const char* src, std::size_t n) {
  std::size_t growth = 0;
  for (std::size_t i = 0; i < n; ++i) {
    char c = src[i];
    if (c > '\r') continue;
    if (c == '\n') {
      if (i == 0 || src[i - 1] != '\r') ++growth;
    } else if (c == '\r') {
      if (i + 1 == n || src[i + 1] != '\n') ++growth;
    }
  }
  return growth;
}

std::size_t LineEndNormaliser::feed(const char* src, std::size_t n, char* dst) {
  const char* p = src;
  const char* const e = src + n;
  char* d = dst;
  if (p != e && after_cr_ && *p == '\n') ++p;  // CR LF split between two pieces
  after_cr_ = false;
  if (!std::memchr(p, '\r', static_cast<std::size_t>(e - p))) {
    // No CR: every LF becomes CR LF, and the lines between are copied whole.
    while (const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(e - p))) {
      const std::size_t len = static_cast<std::size_t>(static_cast<const char*>(lf) - p);
      std::memcpy(d, p, len);
      d += len;
      *d++ = '\r';
      *d++ = '\n';
      p += len + 1;
    }
    std::memcpy(d, p, static_cast<std::size_t>(e - p));
    return static_cast<std::size_t>(d - dst) + static_cast<std::size_t>(e - p);
  }
  for (; p != e; ++p) {
    const char c = *p;
    if (c == '\r') {
      *d++ = '\r';
      *d++ = '\n';
      after_cr_ = true;
    } else if (c == '\n') {
      if (!after_cr_) {
        *d++ = '\r';
        *d++ = '\n';
      }
      after_cr_ = false;
    } else {
      *d++ = c;
      after_cr_ = false;
    }
  }
  return static_cast<std::size_t>(d - dst);
}

}  // namespace vorel::text
