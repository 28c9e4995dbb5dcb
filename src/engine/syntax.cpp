// Syntax sections of config.ini: quotes, comment pairs, delimiters, colours
// and keyword files, read through a SyntaxSource.
#include "engine/syntax.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "engine/scanner.h"
#include "settings/settings.h"
#include "text/ascii.h"

namespace vorel {

const char FIXED_DELIMITERS[6] = {' ', '\t', '\n', '\r', '\xA1', '\0'};

namespace {

constexpr uint32_t VALUE_SIZE = 255;  // values of up to 254 characters

bool read_table(SyntaxSource& source, const char* section, const char* key, uint32_t case_value,
                std::unique_ptr<KeywordTable>& table, std::string* failed_file) {
  char name[VALUE_SIZE];
  source.get_string(section, key, name, sizeof name);
  if (name[0] == 0) return true;
  std::string shown;
  try {
    std::optional<std::string> text = source.keyword_file(name, shown);
    if (text) table = build_keyword_table(std::move(*text), case_value != 0);
  } catch (const std::bad_alloc&) {
    table.reset();  // out of memory counts as unreadable
  }
  if (table) return true;
  // The failure always names the file: as the source shows it, else (a
  // name of slashes alone) as config.ini wrote it.
  if (failed_file) *failed_file = shown.empty() ? std::string(name) : shown;
  return false;
}

// A marker (comment, string pair, here-document, interpolation): read whole,
// then cut to its 7 characters.  Read straight into 8 bytes, the platform's
// profile function cuts a quoted value ("      *") before it takes the quotes
// off, and then drops the last character as if it were the closing quote.
void read_marker(SyntaxSource& source, const char* section, const char* key, char (&marker)[MARKER_SIZE]) {
  char value[VALUE_SIZE];
  source.get_string(section, key, value, sizeof value);
  std::size_t n = 0;
  while (n + 1 < MARKER_SIZE && value[n]) {
    marker[n] = value[n];
    ++n;
  }
  marker[n] = 0;
}

// The keys a section adds to the two quotes and the comment pairs: an escape
// character, quotes whose strings span lines, string pairs and here-documents.
void read_extended_rules(SyntaxSource& source, const char* section, Syntax& syntax) {
  char value[VALUE_SIZE];
  source.get_string(section, "escape", value, sizeof value);
  syntax.escape = value[0];
  syntax.quotes_span_lines = source.get_int(section, "str_multiline") != 0;
  read_marker(source, section, "heredoc", syntax.heredoc);
  syntax.heredoc_space = source.get_int(section, "heredoc_space") != 0;
  source.get_string(section, "regex", value, sizeof value);
  syntax.regex = value[0];
  source.get_string(section, "symbol", value, sizeof value);
  syntax.symbol = value[0];

  // How a string protects its end: "none", "double", one character, or by
  // default the section's escape character.
  auto read_rule = [&](const char* key, EscapeRule& rule, char& escape) {
    source.get_string(section, key, value, sizeof value);
    rule = ESCAPE_CHAR;
    escape = value[0] ? value[0] : syntax.escape;
    if (ascii_equal_folded(value, "none") || escape == 0) rule = ESCAPE_NONE;
    else if (ascii_equal_folded(value, "double")) rule = ESCAPE_DOUBLED;
    if (rule != ESCAPE_CHAR) escape = 0;
  };
  read_rule("str1escape", syntax.quote_rules[0], syntax.quote_escapes[0]);
  read_rule("str2escape", syntax.quote_rules[1], syntax.quote_escapes[1]);
  read_marker(source, section, "interpolate", syntax.interpolate);
  if (syntax.interpolate[0]) {
    syntax.quote_interpolates[0] = source.get_int(section, "str1interpolate") != 0;
    syntax.quote_interpolates[1] = source.get_int(section, "str2interpolate") != 0;
  }

  int used = 0;
  for (int i = 0; i < STRING_PAIR_COUNT; ++i) {
    char key[24];
    std::snprintf(key, sizeof key, "string%d", i + 1);
    StringPair pair;
    read_marker(source, section, key, pair.start);
    if (pair.start[0] == 0) break;
    std::snprintf(key, sizeof key, "string%de", i + 1);
    read_marker(source, section, key, pair.end);
    if (pair.end[0] == 0) std::memcpy(pair.end, pair.start, sizeof pair.end);
    std::snprintf(key, sizeof key, "string%descape", i + 1);
    read_rule(key, pair.rule, pair.escape);
    std::snprintf(key, sizeof key, "string%dinterpolate", i + 1);
    pair.interpolates = syntax.interpolate[0] && source.get_int(section, key) != 0;
    syntax.string_pairs[used++] = pair;
  }
  // Longest start marker first, so """ wins over ", and r#" over r".  Equal
  // lengths keep the file's order.
  std::stable_sort(
      syntax.string_pairs, syntax.string_pairs + used,
      [](const StringPair& a, const StringPair& b) { return std::strlen(a.start) > std::strlen(b.start); });
}

}  // namespace

bool SyntaxSource::has_section(std::string_view name) {
  name = ini::trim(name);
  if (name.empty()) return false;
  for (const std::string& s : section_names())
    if (ini::same_name(s, name)) return true;
  return false;
}

std::optional<Syntax> read_syntax(SyntaxSource& source, const char* syntax_name, std::string* failed_file) {
  const char* section = syntax_name ? syntax_name : "";
  Syntax syntax;
  syntax.case_value = source.get_int(section, "case");
  if (!read_table(source, section, "stxfile1", syntax.case_value, syntax.keywords1, failed_file) ||
      !read_table(source, section, "stxfile2", syntax.case_value, syntax.keywords2, failed_file))
    return std::nullopt;

  source.get_string(section, "str1", syntax.quote1, sizeof syntax.quote1);
  source.get_string(section, "str2", syntax.quote2, sizeof syntax.quote2);

  char value[VALUE_SIZE];
  source.get_string(section, "delimiter", value, sizeof value);
  for (const char* d = value; *d; ++d) syntax.delimiters[static_cast<unsigned char>(*d)] = true;
  for (char c : FIXED_DELIMITERS) syntax.delimiters[static_cast<unsigned char>(c)] = true;

  source.get_string(section, "color_string", value, sizeof value);
  syntax.string_style = parse_hex32(value);
  source.get_string(section, "color_comment", value, sizeof value);
  syntax.comment_style = parse_hex32(value);

  for (int i = 0; i < COMMENT_PAIR_COUNT; ++i) {
    CommentPair& pair = syntax.comment_pairs[i];
    char key[24] = "comment";
    key[7] = static_cast<char>('1' + i);
    key[8] = 0;
    read_marker(source, section, key, pair.start);
    if (pair.start[0] == 0) break;
    key[8] = 'e';
    key[9] = 0;
    read_marker(source, section, key, pair.end);
    if (pair.end[0] == 0) {
      pair.end[0] = '\r';
      pair.end[1] = 0;
    }
    std::snprintf(key, sizeof key, "comment%dat", i + 1);
    source.get_string(section, key, value, sizeof value);
    pair.place = ascii_equal_folded(value, "line")   ? PLACE_LINE_START
                 : ascii_equal_folded(value, "word") ? PLACE_WORD_START
                                                     : PLACE_ANYWHERE;
    std::snprintf(key, sizeof key, "comment%dnest", i + 1);
    pair.nests = source.get_int(section, key) != 0;
  }
  read_extended_rules(source, section, syntax);
  return syntax;
}

bool Syntax::has_extended_rules() const {
  if (escape || quote_rules[0] || quote_rules[1] || quotes_span_lines || string_pairs[0].start[0] ||
      heredoc[0] || regex || symbol || quote_interpolates[0] || quote_interpolates[1])
    return true;
  for (const CommentPair& pair : comment_pairs) {
    if (pair.start[0] == 0) break;
    if (pair.place != PLACE_ANYWHERE || pair.nests) return true;
  }
  return false;
}

bool load_syntax(ScanState& state, const char* syntax_name, std::string* failed_file) {
  SettingsSyntaxSource source;
  std::optional<Syntax> syntax = read_syntax(source, syntax_name, failed_file);
  if (!syntax) return false;
  static_cast<Syntax&>(state) = std::move(*syntax);
  return true;
}

// ---- config.ini and files on disk ------------------------------------------

SettingsSyntaxSource::SettingsSyntaxSource() { settings_path("config.ini"); }

uint32_t SettingsSyntaxSource::get_string(const char* section, const char* key, char* buffer, uint32_t size) {
  return get_setting_string(section, key, buffer, size);
}

uint32_t SettingsSyntaxSource::get_int(const char* section, const char* key) {
  return get_setting_int(section, key);
}

std::optional<std::string> SettingsSyntaxSource::keyword_file(const char* name, std::string& shown) {
  char joined[PATH_SIZE + VALUE_SIZE] = {};
  resolve_path(joined, name, BASE_PROGRAM_DIR);
  shown = joined;
  if (shown.empty()) {
    // Too long for a Windows path buffer; join it ourselves so that systems
    // with longer paths still load it, and a failure still names the file.
    const char* rest = name;
    while (*rest == '/' || *rest == '\\') ++rest;
    shown = program_dir() + rest;
  }
  return read_whole_file(shown.c_str());
}

std::vector<std::string> SettingsSyntaxSource::section_names() {
  std::vector<char> buffer(4096);
  for (;;) {
    const uint32_t n = get_section_names(buffer.data(), static_cast<uint32_t>(buffer.size()));
    if (n + 2 < buffer.size() || buffer.size() >= (1u << 30)) break;
    buffer.assign(buffer.size() * 4, '\0');  // cut short: ask again with more room
  }
  std::vector<std::string> names;
  for (const char* p = buffer.data(); *p; p += std::strlen(p) + 1) names.emplace_back(p);
  return names;
}

// ---- text in memory ---------------------------------------------------------

MemorySyntaxSource::MemorySyntaxSource(std::string ini_text) { ini_.assign(ini_text); }

void MemorySyntaxSource::add_keyword_file(std::string name, std::string text) {
  // Like writing a file: a name given again replaces what it held.
  for (auto& [file_name, held] : keyword_files_)
    if (file_name == name) return void(held = std::move(text));
  keyword_files_.emplace_back(std::move(name), std::move(text));
}

uint32_t MemorySyntaxSource::get_string(const char* section, const char* key, char* buffer, uint32_t size) {
  return ini_.get_string(section, key, buffer, size);
}

uint32_t MemorySyntaxSource::get_int(const char* section, const char* key) {
  return ini_.get_int(section, key);
}

std::optional<std::string> MemorySyntaxSource::keyword_file(const char* name, std::string& shown) {
  while (*name == '/' || *name == '\\') ++name;
  shown = name;
  for (const auto& [file_name, text] : keyword_files_)
    if (file_name == shown) return text;
  return std::nullopt;
}

std::vector<std::string> MemorySyntaxSource::section_names() {
  std::vector<std::string> names;
  for (const ini::Section& s : ini_.sections)
    if (!s.name.empty()) names.emplace_back(s.name);
  return names;
}

}  // namespace vorel
