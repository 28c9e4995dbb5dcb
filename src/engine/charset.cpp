// UTF-8 recognition for the page's character set: ASCII is skipped sixteen
// bytes a step, the rest checked sequence by sequence.
#include "engine/charset.h"

#include <cstdint>

#include "engine/byte_search.h"

namespace vorel {

namespace {

// The first byte at or after p that is zero or above 0x7F, or e.
const unsigned char* skip_ascii(const unsigned char* p, const unsigned char* e) {
#ifdef VOREL_SSE2
  const __m128i zero = _mm_setzero_si128();
  while (e - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(v)) |
                          static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)));
    if (mask) return p + detail::first_bit(mask);
    p += 16;
  }
#endif
  while (p != e && *p != 0 && *p < 0x80) ++p;
  return p;
}

}  // namespace

bool is_non_ascii_utf8(std::string_view text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* const e = p + text.size();
  bool non_ascii = false;
  for (;;) {
    p = skip_ascii(p, e);
    if (p == e || *p == 0) return non_ascii;
    non_ascii = true;
    const unsigned c = *p;
    // The sequence's length and the range its second byte must fall in,
    // which is where overlong forms, surrogates and values past U+10FFFF
    // are turned away.
    std::ptrdiff_t n;
    unsigned lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 3;
      if (c == 0xE0) lo = 0xA0;
      else if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 4;
      if (c == 0xF0) lo = 0x90;
      else if (c == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (e - p < n) return false;
    if (p[1] < lo || p[1] > hi) return false;
    for (std::ptrdiff_t i = 2; i < n; ++i)
      if (p[i] < 0x80 || p[i] > 0xBF) return false;
    p += n;
  }
}

}  // namespace vorel
