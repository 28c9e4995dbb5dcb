// Keyword files: parsing, sorting and the hashed index behind find_keyword.
#include "engine/keywords.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "settings/settings.h"
#include "text/ascii.h"

namespace vorel {

namespace {

struct FoldTables {
  unsigned char identity[256];
  unsigned char ascii[256];
  constexpr FoldTables() : identity(), ascii() {
    for (int i = 0; i < 256; ++i) {
      identity[i] = static_cast<unsigned char>(i);
      ascii[i] = ascii_lower(static_cast<unsigned char>(i));
    }
  }
};
constexpr FoldTables FOLD;

}  // namespace

int compare_case_sensitive(std::string_view a, std::string_view b) {
  const int r = a.compare(b);  // char_traits<char> compares as unsigned char
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int compare_case_insensitive(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = ascii_lower(static_cast<unsigned char>(a[i]));
    const unsigned char y = ascii_lower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void KeywordIndex::build(const std::vector<Key>& keys, bool case_sensitive) {
  fold_ = case_sensitive ? FOLD.identity : FOLD.ascii;
  folds_ = !case_sensitive;
  slots_.clear();
  mask_ = 0;
  length_bits_ = 0;
  std::size_t live = 0;
  for (const Key& k : keys) live += !k.text.empty();
  if (live == 0) return;
  std::size_t size = 8;
  while (size < live * 2) size *= 2;
  slots_.assign(size, Slot{{0, 0}, nullptr, 0, 0});
  mask_ = static_cast<uint32_t>(size - 1);

  for (const Key& k : keys) {
    if (k.text.empty()) continue;
    const auto* bytes = reinterpret_cast<const unsigned char*>(k.text.data());
    const std::size_t n = k.text.size();
    const Words w = words_of(bytes, n, folds_);
    uint32_t i = hash(w, n) & mask_;
    bool present = false;
    for (; slots_[i].key; i = (i + 1) & mask_) {
      const Slot& s = slots_[i];
      if (s.length == n && equal(bytes, s.key, n, fold_)) {
        present = true;
        break;
      }
    }
    if (present) continue;
    slots_[i] = Slot{w, k.text.data(), static_cast<uint32_t>(n), k.payload};
    length_bits_ |= uint64_t{1} << (n < 63 ? n : 63);
  }
}

std::vector<KeywordIndex::Key> KeywordTable::distinct_keys() const {
  std::vector<KeywordIndex::Key> keys;
  keys.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (i == 0 || compare(keyword(i - 1), keyword(i)) != 0)
      keys.push_back(KeywordIndex::Key{keyword(i), static_cast<uint32_t>(i)});
  return keys;
}

std::unique_ptr<KeywordTable> build_keyword_table(std::string text, bool case_sensitive) {
  auto table = std::make_unique<KeywordTable>();
  table->case_sensitive = case_sensitive;
  table->compare = case_sensitive ? compare_case_sensitive : compare_case_insensitive;
  table->buffer = std::move(text);
  std::string& buf = table->buffer;
  std::size_t size = buf.size();
  if (const void* zero = std::memchr(buf.data(), 0, size))
    size = static_cast<std::size_t>(static_cast<const char*>(zero) - buf.data());
  buf.resize(size);  // keeps a zero after the last byte

  char* const data = buf.data();
  std::size_t line = 0;
  while (line < size) {
    char* const lf = static_cast<char*>(std::memchr(data + line, '\n', size - line));
    const std::size_t line_end = lf ? static_cast<std::size_t>(lf - data) : size;
    const char* const space = static_cast<const char*>(std::memchr(data + line, ' ', line_end - line));
    if (space && space != data + line) {
      const std::size_t key_end = static_cast<std::size_t>(space - data);
      // The value is read from this line only: its LF (or the buffer's final
      // zero) ends it, and the space ends the keyword.
      data[line_end] = 0;
      data[key_end] = 0;
      const uint32_t value = parse_hex32(data + key_end + 1);
      table->entries.push_back(
          KeywordEntry{static_cast<uint32_t>(line), static_cast<uint32_t>(key_end - line), value});
      if (!case_sensitive)
        for (std::size_t i = line; i < key_end; ++i)
          data[i] = static_cast<char>(ascii_lower(static_cast<unsigned char>(data[i])));
    }
    line = line_end + 1;
  }

  const KeywordTable& t = *table;
  std::stable_sort(table->entries.begin(), table->entries.end(),
                   [&t](const KeywordEntry& a, const KeywordEntry& b) {
                     return t.compare(std::string_view(t.buffer.data() + a.offset, a.length),
                                      std::string_view(t.buffer.data() + b.offset, b.length)) < 0;
                   });
  table->build_index();
  return table;
}

std::unique_ptr<KeywordTable> load_keyword_table(const char* path, uint32_t case_value) {
  try {
    std::optional<std::string> text = read_whole_file(path);
    if (!text) return nullptr;
    return build_keyword_table(std::move(*text), case_value != 0);
  } catch (const std::bad_alloc&) {
    return nullptr;  // out of memory counts as unreadable
  }
}

std::optional<uint32_t> find_keyword(const KeywordTable* table, std::string_view word) {
  if (!table) return std::nullopt;
  const std::ptrdiff_t i = table->find_index(word);
  if (i < 0) return std::nullopt;
  return table->entries[static_cast<std::size_t>(i)].value;
}

}  // namespace vorel
