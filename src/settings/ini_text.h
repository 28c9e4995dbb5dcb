// INI text as the settings layer reads it: the parse of a whole file and the
// answers the reads give.  Portable: the posix settings backend reads its
// files through this, and so does anything that holds INI text in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorel::ini {

// The rules follow the platform's private-profile functions: a line ends at
// CR, LF or CR LF; white space (and ^Z) around a line, a section name, a key
// and a value is ignored; a line "[name]" starts a section (the name runs to
// the last ']'); a line with '=' is a key and its value, a line without one is
// kept as a key without value; names compare without regard to case, and only
// the first section of a name and the first key of a name count.

bool is_space(char c);
std::string_view trim(std::string_view s);
// Names compare with ASCII letters folded.
bool same_name(std::string_view a, std::string_view b);

struct Line {
  std::size_t begin;        // first byte of the line
  std::size_t content_end;  // where its line end (if any) starts
  std::size_t next;         // first byte of the following line
};

struct Entry {
  std::string_view name;
  std::string_view value;
  bool has_value;
  std::size_t line;
};

struct Section {
  std::string_view name;  // empty for the lines before the first section
  std::vector<Entry> entries;
  std::size_t header_line;
};

// The parse points into text: an IniFile is neither copied nor moved.
struct IniFile {
  std::string text;
  std::vector<Line> lines;
  std::vector<Section> sections;

  IniFile() = default;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // Takes bytes as the new text (bytes gets the old one) and parses it.
  void assign(std::string& bytes);

  const Section* find_section(std::string_view name) const;
  static const Entry* find_key(const Section& section, std::string_view key);

  // The reads, answered as get_setting_string, get_setting_int,
  // get_settings_section and get_section_names answer them.
  uint32_t get_string(const char* section, const char* key, char* buffer, uint32_t size) const;
  uint32_t get_int(const char* section, const char* key) const;
  uint32_t get_section(const char* section, char* buffer, uint32_t size) const;
  uint32_t get_section_names(char* buffer, uint32_t size) const;

 private:
  void parse();
};

// Parses a number as the platform's integer reads do: leading control
// characters and spaces skipped, an optional sign, a "0x", "0o" or "0b" prefix,
// digits of that base up to the first other character, modulo 2^32.
uint32_t parse_profile_int(std::string_view s);

// A value as the string reads give it: one pair of matching quotes removed.
std::string_view unquote(std::string_view v);

}  // namespace vorel::ini
