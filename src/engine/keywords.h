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

struct KeywordTable {
  // The file's text; keywords are slices of it, stored folded when the table
  // is case-insensitive.
  std::string buffer;
  // Sorted by compare; entries equal under it keep their file order.
  std::vector<KeywordEntry> entries;
  KeywordCompare compare = compare_case_insensitive;

  std::size_t count() const { return entries.size(); }
  std::string_view keyword(std::size_t i) const {
    return std::string_view(buffer.data() + entries[i].offset, entries[i].length);
  }

  // The index of the entry a binary search (lower bound) with compare finds,
  // or -1.  Hashed: no locale work, no allocation.
  inline std::ptrdiff_t find_index(std::string_view word) const;

  // Open-addressed index over the distinct keywords: each slot holds the hash
  // and 1 + the index of the first entry of an equal run, 0 when empty.
  struct Slot {
    uint32_t hash;
    uint32_t entry_plus_one;
  };
  std::vector<Slot> slots;
  uint32_t slot_mask = 0;
  uint64_t length_bits = 0;      // bit n: some keyword has length n (63: 63 or more)
  bool first_bytes[256] = {};    // folded first bytes of the keywords
  bool case_sensitive = false;
  const unsigned char* fold = nullptr;  // identity or ASCII folding, 256 entries

  void build_index();
};

namespace detail {
inline uint32_t keyword_hash(const unsigned char* s, std::size_t n, const unsigned char* fold) {
  uint32_t h = 2166136261u ^ static_cast<uint32_t>(n);
  for (std::size_t i = 0; i < n; ++i) h = (h ^ fold[s[i]]) * 16777619u;
  return h ^ (h >> 15);
}
}  // namespace detail

inline std::ptrdiff_t KeywordTable::find_index(std::string_view word) const {
  const std::size_t n = word.size();
  if (slots.empty() || n == 0) return -1;
  if (!(length_bits & (uint64_t{1} << (n < 63 ? n : 63)))) return -1;
  const auto* w = reinterpret_cast<const unsigned char*>(word.data());
  if (!first_bytes[fold[w[0]]]) return -1;
  const uint32_t h = detail::keyword_hash(w, n, fold);
  for (uint32_t i = h & slot_mask;; i = (i + 1) & slot_mask) {
    const Slot& s = slots[i];
    if (s.entry_plus_one == 0) return -1;
    if (s.hash != h) continue;
    const KeywordEntry& e = entries[s.entry_plus_one - 1];
    if (e.length != n) continue;
    const auto* k = reinterpret_cast<const unsigned char*>(buffer.data()) + e.offset;
    std::size_t j = 0;
    while (j < n && fold[w[j]] == k[j]) ++j;
    if (j == n) return static_cast<std::ptrdiff_t>(s.entry_plus_one - 1);
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
