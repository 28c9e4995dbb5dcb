// INI text: the parse and the reads' answers, shared by the posix settings
// backend and in-memory INI text.
#include "settings/ini_text.h"

#include <algorithm>
#include <cstring>

#include "text/ascii.h"

namespace vorel::ini {

namespace {

// Copies src into buffer (size > 0), cut to size - 1 bytes; returns the length.
uint32_t copy_cut(char* buffer, uint32_t size, std::string_view src) {
  std::size_t n = std::min<std::size_t>(src.size(), size - 1);
  std::memcpy(buffer, src.data(), n);
  buffer[n] = '\0';
  return static_cast<uint32_t>(n);
}

}  // namespace

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1a;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && is_space(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_space(s.back())) s.remove_suffix(1);
  return s;
}

bool same_name(std::string_view a, std::string_view b) { return ascii_equal_folded(a, b); }

void IniFile::assign(std::string& bytes) {
  text.swap(bytes);
  lines.clear();
  sections.clear();
  parse();
}

void IniFile::parse() {
  std::size_t pos = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;  // UTF-8 byte order mark
  sections.push_back(Section{std::string_view(), {}, SIZE_MAX});
  const Entry* prev = nullptr;
  while (pos < text.size()) {
    Line line{pos, pos, pos};
    while (line.content_end < text.size() && text[line.content_end] != '\r' && text[line.content_end] != '\n')
      ++line.content_end;
    line.next = line.content_end;
    if (line.next < text.size() && text[line.next] == '\r') ++line.next;
    if (line.next < text.size() && text[line.next] == '\n') ++line.next;
    pos = line.next;
    lines.push_back(line);
    std::size_t index = lines.size() - 1;

    std::string_view s = trim(std::string_view(text).substr(line.begin, line.content_end - line.begin));
    if (s.empty()) continue;
    if (s.front() == '[') {
      std::size_t close = s.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        sections.push_back(Section{trim(s.substr(1, close - 1)), {}, index});
        prev = nullptr;
        continue;
      }
    }
    Entry e{s, std::string_view(), false, index};
    std::size_t eq = s.find('=');
    if (eq != std::string_view::npos) {
      e.name = trim(s.substr(0, eq));
      e.value = trim(s.substr(eq + 1));
      e.has_value = true;
    }
    // Runs of lines with empty names collapse into one, as the platform does.
    if (!e.name.empty() || !prev || !prev->name.empty()) {
      sections.back().entries.push_back(e);
      prev = &sections.back().entries.back();
    }
  }
}

const Section* IniFile::find_section(std::string_view name) const {
  name = trim(name);
  for (const Section& s : sections)
    if (!s.name.empty() && same_name(s.name, name)) return &s;
  return nullptr;
}

const Entry* IniFile::find_key(const Section& section, std::string_view key) {
  key = trim(key);
  for (const Entry& e : section.entries)
    if (same_name(e.name, key)) return &e;
  return nullptr;
}

uint32_t IniFile::get_string(const char* section, const char* key, char* buffer, uint32_t size) const {
  if (size == 0) return 0;
  buffer[0] = '\0';
  const Section* s = find_section(section);
  if (!s) return 0;
  const Entry* e = find_key(*s, key);
  if (!e || !e->has_value) return 0;
  return copy_cut(buffer, size, unquote(e->value));
}

uint32_t IniFile::get_int(const char* section, const char* key) const {
  // The platform reads the value into 30 characters before converting it.
  char buffer[30];
  if (get_string(section, key, buffer, sizeof buffer) == 0) return 0;
  return parse_profile_int(buffer);
}

uint32_t IniFile::get_section(const char* section, char* buffer, uint32_t size) const {
  if (size < 2) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  buffer[0] = buffer[1] = '\0';
  const Section* s = find_section(section);
  if (!s) return 0;
  // The whole list first; the platform cuts it at size - 2 bytes when it does
  // not fit with a byte to spare, and ends it with two zeros.
  std::string list;
  for (const Entry& e : s->entries) {
    if (!e.name.empty() && e.name.front() == ';') continue;  // comment line
    list += e.name;
    if (e.has_value) {
      list += '=';
      list += e.value;
    }
    list += '\0';
  }
  if (list.size() + 2 <= size) {
    std::memcpy(buffer, list.data(), list.size());
    buffer[list.size()] = '\0';
    return static_cast<uint32_t>(list.size());
  }
  std::memcpy(buffer, list.data(), size - 2);
  buffer[size - 2] = buffer[size - 1] = '\0';
  return size - 2;
}

uint32_t IniFile::get_section_names(char* buffer, uint32_t size) const {
  if (size == 0) return 0;
  buffer[0] = '\0';
  if (size == 1) return 0;
  buffer[1] = '\0';
  // As the platform does: a name that does not fit with room for the list's
  // final zero is cut, and the result is then size - 2.
  uint32_t room = size - 1;
  char* out = buffer;
  for (const Section& s : sections) {
    if (s.name.empty()) continue;
    std::size_t need = s.name.size() + 1;
    if (need >= room) {
      std::memcpy(out, s.name.data(), room - 1);
      out += room - 1;
      *out++ = '\0';
      *out = '\0';
      return size - 2;
    }
    std::memcpy(out, s.name.data(), s.name.size());
    out[s.name.size()] = '\0';
    out += need;
    room -= static_cast<uint32_t>(need);
  }
  *out = '\0';
  return static_cast<uint32_t>(out - buffer);
}

uint32_t parse_profile_int(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint32_t base = 10;
  if (i + 1 < s.size() && s[i] == '0') {
    if (s[i + 1] == 'x') base = 16;
    else if (s[i + 1] == 'o') base = 8;
    else if (s[i + 1] == 'b') base = 2;
    if (base != 10) i += 2;
  }
  uint32_t value = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'z') digit = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'Z') digit = static_cast<uint32_t>(c - 'A' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace vorel::ini
