// Keyword tables: a keyword file's entries, sorted, with a hashed index for
// the per-word lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/ascii.h"

// Forces inlining of the few calls on the scanning loop's path.
#ifndef VOREL_ALWAYS_INLINE
#if defined(__GNUC__) || defined(__clang__)
#define VOREL_ALWAYS_INLINE [[gnu::always_inline]] inline
#else
#define VOREL_ALWAYS_INLINE inline
#endif
#endif

namespace vorel {

// Orders keywords: byte-wise (case-sensitive) or with ASCII letters folded.
using KeywordCompare = int (*)(std::string_view a, std::string_view b);
int compare_case_sensitive(std::string_view a, std::string_view b);
int compare_case_insensitive(std::string_view a, std::string_view b);

struct KeywordEntry {
  uint32_t offset;  // keyword text at buffer.data() + offset
  uint32_t length;
  uint32_t value;  // StyleValue
};

// A hashed set of keywords, each with a payload.  Keys are stored folded
// when the set is case-insensitive; the first of equal keys added wins.
// Lookups do no locale work and allocate nothing.
class KeywordIndex {
 public:
  struct Key {
    std::string_view text;  // folded already; must outlive the index
    uint32_t payload;
  };
  void build(const std::vector<Key>& keys, bool case_sensitive);
  bool empty() const { return slots_.empty(); }
  // The payload of word's key, or -1.
  VOREL_ALWAYS_INLINE int64_t find(std::string_view word) const;

 private:
  // A key as two words: its first and last eight bytes (overlapping, or
  // fewer for short keys), folded.  Keys of up to 16 bytes are equal exactly
  // when their lengths and both words are.
  struct Words {
    uint64_t lo;
    uint64_t hi;
  };
  static inline Words words_of(const unsigned char* w, std::size_t n, bool fold);
  static inline uint32_t hash(Words k, std::size_t n);
  struct Slot {
    Words words;
    const char* key;  // null when empty
    uint32_t length;
    uint32_t payload;
  };
  static bool equal(const unsigned char* w, const char* key, std::size_t n, const unsigned char* fold) {
    const auto* k = reinterpret_cast<const unsigned char*>(key);
    for (std::size_t j = 0; j < n; ++j)
      if (fold[w[j]] != k[j]) return false;
    return true;
  }
  std::vector<Slot> slots_;
  uint32_t mask_ = 0;
  uint64_t length_bits_ = 0;             // bit n: some key has length n (63: 63 or more)
  const unsigned char* fold_ = nullptr;  // identity or ASCII folding, 256 entries
  bool folds_ = false;
};

struct KeywordTable {
  // The file's text; keywords are slices of it, stored folded when the table
  // is case-insensitive.
  std::string buffer;
  // Sorted by compare; entries equal under it keep their file order.
  std::vector<KeywordEntry> entries;
  KeywordCompare compare = compare_case_insensitive;
  bool case_sensitive = false;

  std::size_t count() const { return entries.size(); }
  std::string_view keyword(std::size_t i) const {
    return std::string_view(buffer.data() + entries[i].offset, entries[i].length);
  }

  // The index of the entry a binary search (lower bound) with compare finds,
  // or -1.
  std::ptrdiff_t find_index(std::string_view word) const { return index.find(word); }

  // The first entry of each run of equal keywords (the one a lower-bound
  // search lands on), with its entry index as payload.
  std::vector<KeywordIndex::Key> distinct_keys() const;
  KeywordIndex index;
  void build_index() { index.build(distinct_keys(), case_sensitive); }
};

namespace detail {
// ASCII letters of eight bytes at once made lower case, as ascii_lower does
// byte by byte.
inline uint64_t fold_ascii8(uint64_t x) {
  constexpr uint64_t ONES = 0x0101010101010101u;
  const uint64_t low7 = x & (0x7F * ONES);
  const uint64_t at_least_a = low7 + (0x80 - 'A') * ONES;    // top bit: >= 'A'
  const uint64_t beyond_z = low7 + (0x80 - 'Z' - 1) * ONES;  // top bit: > 'Z'
  const uint64_t upper = at_least_a & ~beyond_z & ~x & (0x80 * ONES);
  return x | (upper >> 2);
}
}  // namespace detail

inline KeywordIndex::Words KeywordIndex::words_of(const unsigned char* w, std::size_t n, bool fold) {
  Words k;
  if (n >= 8) {
    std::memcpy(&k.lo, w, 8);
    std::memcpy(&k.hi, w + n - 8, 8);
  } else if (n >= 4) {
    uint32_t a, b;
    std::memcpy(&a, w, 4);
    std::memcpy(&b, w + n - 4, 4);
    k.lo = a;
    k.hi = b;
  } else {
    k.lo = w[0] | uint64_t{w[n / 2]} << 8 | uint64_t{w[n - 1]} << 16;
    k.hi = 0;
  }
  if (fold) {
    k.lo = detail::fold_ascii8(k.lo);
    k.hi = detail::fold_ascii8(k.hi);
  }
  return k;
}

inline uint32_t KeywordIndex::hash(Words k, std::size_t n) {
  uint64_t h = (k.lo * 0x9E3779B97F4A7C15u) ^ (k.hi * 0xC2B2AE3D27D4EB4Fu) ^ n;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9u;
  return static_cast<uint32_t>(h >> 32);
}

VOREL_ALWAYS_INLINE int64_t KeywordIndex::find(std::string_view word) const {
  const std::size_t n = word.size();
  if (slots_.empty() || n == 0) return -1;
  if (!(length_bits_ & (uint64_t{1} << (n < 63 ? n : 63)))) return -1;
  const auto* w = reinterpret_cast<const unsigned char*>(word.data());
  const Words k = words_of(w, n, folds_);
  for (uint32_t i = hash(k, n) & mask_;; i = (i + 1) & mask_) {
    const Slot& s = slots_[i];
    if (!s.key) return -1;
    if (s.length == n && s.words.lo == k.lo && s.words.hi == k.hi && (n <= 16 || equal(w, s.key, n, fold_)))
      return s.payload;
  }
}

// Parses keyword-file text into a sorted, indexed table.  Each line is one
// entry: the keyword, one space, a hexadecimal StyleValue; lines without a
// space or with an empty keyword give no entry.  The text ends at its first
// zero byte.
std::unique_ptr<KeywordTable> build_keyword_table(std::string text, bool case_sensitive);

// Reads and parses a keyword file; null when the file cannot be read.
// case_value is the syntax's "case" setting (non-zero: case-sensitive).
std::unique_ptr<KeywordTable> load_keyword_table(const char* path, uint32_t case_value);

// Releases a table (tables are also released by their owner going away).
inline void free_keyword_table(std::unique_ptr<KeywordTable>& table) { table.reset(); }

// The StyleValue of word in table, or nothing; an absent table finds nothing.
std::optional<uint32_t> find_keyword(const KeywordTable* table, std::string_view word);

}  // namespace vorel
