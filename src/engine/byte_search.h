// Searches over runs of bytes that the hot loops hand off: sixteen bytes a
// step with SSE2 where the compiler targets it, a byte loop elsewhere.  Every
// function reads only [p, e).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define VOREL_SSE2 1
#endif

namespace vorel::detail {

#ifdef VOREL_SSE2
inline unsigned first_bit(unsigned mask) {
#if defined(_MSC_VER) && !defined(__clang__)
  unsigned long i;
  _BitScanForward(&i, mask);
  return static_cast<unsigned>(i);
#else
  return static_cast<unsigned>(__builtin_ctz(mask));
#endif
}
#endif

#ifdef VOREL_SSE2
// find_any_of3 with the three bytes also given broadcast to all lanes.
inline const char* find_any_of3(const char* p, const char* e, __m128i va, __m128i vb, __m128i vc, char a,
                                char b, char c) {
  while (e - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)), _mm_cmpeq_epi8(v, vc));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    if (mask) return p + first_bit(mask);
    p += 16;
  }
  while (p != e && *p != a && *p != b && *p != c) ++p;
  return p;
}
#endif

// The first byte of [p, e) equal to a, b or c, or e.
inline const char* find_any_of3(const char* p, const char* e, char a, char b, char c) {
#ifdef VOREL_SSE2
  return find_any_of3(p, e, _mm_set1_epi8(a), _mm_set1_epi8(b), _mm_set1_epi8(c), a, b, c);
#else
  while (p != e && *p != a && *p != b && *p != c) ++p;
  return p;
#endif
}

// The first byte of [p, e) equal to a, b, c or d, or e.
inline const char* find_any_of4(const char* p, const char* e, char a, char b, char c, char d) {
#ifdef VOREL_SSE2
  const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), vc = _mm_set1_epi8(c), vd = _mm_set1_epi8(d);
  while (e - p >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)),
                                     _mm_or_si128(_mm_cmpeq_epi8(v, vc), _mm_cmpeq_epi8(v, vd)));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    if (mask) return p + first_bit(mask);
    p += 16;
  }
#endif
  while (p != e && *p != a && *p != b && *p != c && *p != d) ++p;
  return p;
}

// A set of bytes to look for.  Sets of up to four bytes (the usual case:
// the escaped bytes and a line end) are searched sixteen bytes a step;
// larger ones a byte at a time.
class ByteSet {
 public:
  void add(unsigned char c) {
    if (has_[c]) return;
    has_[c] = true;
    if (count_ < 4) {
      for (int i = count_; i < 4; ++i) {
        first_[i] = static_cast<char>(c);
#ifdef VOREL_SSE2
        if (i < 3) lanes_[i] = _mm_set1_epi8(static_cast<char>(c));
#endif
      }
    }
    ++count_;
  }
  bool empty() const { return count_ == 0; }
  bool has(unsigned char c) const { return has_[c]; }
  // The first byte of [p, e) in the set, or e.
  const char* find(const char* p, const char* e) const {
#ifdef VOREL_SSE2
    if (count_ <= 3)
      return count_ ? find_any_of3(p, e, lanes_[0], lanes_[1], lanes_[2], first_[0], first_[1], first_[2])
                    : e;
#else
    if (count_ <= 3) return count_ ? find_any_of3(p, e, first_[0], first_[1], first_[2]) : e;
#endif
    if (count_ == 4) return find_any_of4(p, e, first_[0], first_[1], first_[2], first_[3]);
    while (p != e && !has_[static_cast<unsigned char>(*p)]) ++p;
    return p;
  }

 private:
#ifdef VOREL_SSE2
  __m128i lanes_[3] = {};  // first_[0..2] broadcast, made once rather than at every search
#endif
  char first_[4] = {};
  int count_ = 0;
  bool has_[256] = {};
};

// The first position in [p, e - 1) where the bytes a b stand, or e.
inline const char* find_pair(const char* p, const char* e, char a, char b) {
#ifdef VOREL_SSE2
  const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b);
  while (e - p >= 17) {
    const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const unsigned mask = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(v0, va), _mm_cmpeq_epi8(v1, vb))));
    if (mask) return p + first_bit(mask);
    p += 16;
  }
#endif
  for (; e - p >= 2; ++p)
    if (p[0] == a && p[1] == b) return p;
  return e;
}

// The first and last sizeof(Word) bytes of src[0..n), which may overlap,
// copied to dst with two loads and two stores (sizeof(Word) <= n).
template <class Word>
inline void copy_ends(char* dst, const char* src, std::size_t n) {
  Word a, b;
  std::memcpy(&a, src, sizeof a);
  std::memcpy(&b, src + n - sizeof b, sizeof b);
  std::memcpy(dst, &a, sizeof a);
  std::memcpy(dst + n - sizeof b, &b, sizeof b);
}

// Copies n bytes (at most 32) from src to dst, reading and writing exactly
// those bytes, without a library call: two overlapping moves of the largest
// size that fits.
inline void copy_small(char* dst, const char* src, std::size_t n) {
  struct Bytes16 {
    char bytes[16];
  };
  if (n >= 16) {
    copy_ends<Bytes16>(dst, src, n);
  } else if (n >= 8) {
    copy_ends<uint64_t>(dst, src, n);
  } else if (n >= 4) {
    copy_ends<uint32_t>(dst, src, n);
  } else if (n) {
    const char x = src[0], y = src[n / 2], z = src[n - 1];
    dst[0] = x;
    dst[n / 2] = y;
    dst[n - 1] = z;
  }
}

}  // namespace vorel::detail
