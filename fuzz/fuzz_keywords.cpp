// Fuzzes keyword-file parsing and lookup: the table must hold exactly the well-formed
// lines, sorted, and find_keyword must agree with a linear search.
//
// Input: a flags byte (bit 0 case-sensitive, bit 1 also load through a file), then
// "KEYWORD FILE\n--8<--\nWORDS TO LOOK UP" (the words one per line).
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/keywords.h"
#include "fuzz_util.h"

namespace {

std::string folded(std::string_view s, bool case_sensitive) {
  std::string out(s);
  if (!case_sensitive)
    for (char& c : out) c = static_cast<char>(vorel::ascii_lower(static_cast<unsigned char>(c)));
  return out;
}

// strtoul(s, nullptr, 16) where unsigned long has 32 bits.
uint32_t reference_hex(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || (s[i] >= '\t' && s[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  auto digit = [](char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
  };
  if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && digit(s[i + 2]) >= 0) i += 2;
  uint64_t v = 0;
  bool overflow = false;
  for (; i < s.size() && digit(s[i]) >= 0; ++i) {
    v = v * 16 + digit(s[i]);
    if (v > 0xFFFFFFFFu) overflow = true, v = 0xFFFFFFFFu;
  }
  if (overflow) return 0xFFFFFFFFu;
  return negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(v)) : static_cast<uint32_t>(v);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t lf = text.find('\n', at);
    if (lf == std::string::npos) lf = text.size();
    lines.push_back(text.substr(at, lf - at));
    at = lf + 1;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return -1;
  const bool case_sensitive = data[0] & 1;
  const auto parts = fuzz::split_input(data + 1, size - 1, 2);
  const std::string file = parts[0];
  auto table = vorel::build_keyword_table(file, case_sensitive);
  FUZZ_CHECK(table != nullptr);

  // The keywords of the well-formed lines: text before the line's first space, not empty.
  const std::string text(file.c_str());  // the file ends at its first zero byte
  std::vector<std::string> expected;
  std::vector<std::pair<std::string, uint32_t>> expected_values;
  for (const std::string& line : lines_of(text)) {
    std::size_t sp = line.find(' ');
    if (sp == std::string::npos || sp == 0) continue;
    expected.push_back(folded(line.substr(0, sp), case_sensitive));
    expected_values.emplace_back(expected.back(), reference_hex(line.substr(sp + 1)));
  }
  std::vector<std::string> got;
  for (std::size_t i = 0; i < table->count(); ++i)
    got.emplace_back(folded(table->keyword(i), case_sensitive));
  FUZZ_CHECK(got.size() <= static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ')));
  for (std::size_t i = 1; i < table->count(); ++i)
    FUZZ_CHECK(table->compare(table->keyword(i - 1), table->keyword(i)) <= 0);
  std::vector<std::string> sorted_expected = expected;
  std::sort(sorted_expected.begin(), sorted_expected.end());
  std::vector<std::string> sorted_got = got;
  std::sort(sorted_got.begin(), sorted_got.end());
  FUZZ_CHECK(sorted_got == sorted_expected);

  // Every keyword, in either case, and every word asked for finds exactly what the
  // file's lines say: found when a line has it, with the value of one of those lines.
  std::map<std::string, std::set<uint32_t>> values;
  for (const auto& [key, value] : expected_values) values[key].insert(value);
  std::vector<std::string> words = lines_of(parts[1]);
  if (words.size() > 32) words.resize(32);
  for (std::size_t i = 0; i < table->count(); i += 1 + table->count() / 32) {
    std::string w(table->keyword(i));
    words.push_back(w);
    std::string other = w;
    for (char& c : other)
      c = (c >= 'a' && c <= 'z') ? char(c - 32) : (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
    words.push_back(other);
    if (w.size() > 1) words.push_back(w.substr(0, w.size() - 1));
  }
  for (const std::string& w : words) {
    const std::optional<uint32_t> found = vorel::find_keyword(table.get(), w);
    const auto it = values.find(folded(w, case_sensitive));
    FUZZ_CHECK(found.has_value() == (it != values.end()));
    FUZZ_CHECK(!found || it->second.count(*found) == 1);
  }
  FUZZ_CHECK(!vorel::find_keyword(nullptr, "x"));

  // Loading the same bytes from a file builds the same table.
  if (data[0] & 2) {
    const std::string path = fuzz::scratch_dir() + "k.txt";
    fuzz::write_file(path, file);
    auto loaded = vorel::load_keyword_table(path.c_str(), case_sensitive ? 1 : 0);
    FUZZ_CHECK(loaded && loaded->count() == table->count());
    for (std::size_t i = 0; i < table->count(); ++i) {
      FUZZ_CHECK(loaded->keyword(i) == table->keyword(i));
      FUZZ_CHECK(loaded->entries[i].value == table->entries[i].value);
    }
  }
  return 0;
}
