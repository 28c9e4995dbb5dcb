// Keyword tables: a keyword file's entries, sorted, with a hashed index for
// the per-word lookup.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorel {

// Orders keywords: byte-wise (case-sensitive) or with ASCII letters folded.
using KeywordCompare = int (*)(std::string_view a, std::string_view b);
int compare_case_sensitive(std::string_view a, std::string_view b);
int compare_case_insensitive(std::string_view a, std::string_view b);

// ASCII letter folding only, the same on every platform and locale.
constexpr unsigned char fold_ascii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

struct KeywordEntry {
  uint32_t offset;  // keyword text at buffer.data() + offset
  uint32_t length;
  uint32_t value;   // StyleValue
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
  inline int64_t find(std::string_view word) const;

 private:
  struct Slot {
    const char* key;  // null when empty
    uint32_t length;
    uint32_t hash;
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
  uint64_t length_bits_ = 0;    // bit n: some key has length n (63: 63 or more)
  bool first_bytes_[256] = {};  // first bytes of the keys
  const unsigned char* fold_ = nullptr;  // identity or ASCII folding, 256 entries
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
inline uint32_t keyword_hash(const unsigned char* s, std::size_t n, const unsigned char* fold) {
  uint32_t h = 2166136261u ^ static_cast<uint32_t>(n);
  for (std::size_t i = 0; i < n; ++i) h = (h ^ fold[s[i]]) * 16777619u;
  return h ^ (h >> 15);
}
}  // namespace detail

inline int64_t KeywordIndex::find(std::string_view word) const {
  const std::size_t n = word.size();
  if (slots_.empty() || n == 0) return -1;
  if (!(length_bits_ & (uint64_t{1} << (n < 63 ? n : 63)))) return -1;
  const auto* w = reinterpret_cast<const unsigned char*>(word.data());
  if (!first_bytes_[fold_[w[0]]]) return -1;
  const uint32_t h = detail::keyword_hash(w, n, fold_);
  for (uint32_t i = h & mask_;; i = (i + 1) & mask_) {
    const Slot& s = slots_[i];
    if (!s.key) return -1;
    if (s.hash == h && s.length == n && equal(w, s.key, n, fold_)) return s.payload;
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
