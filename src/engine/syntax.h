// A syntax: one section of config.ini and its keyword files, read once into
// a value.  Where the section comes from is a SyntaxSource: config.ini and
// files on disk for the programs, text in memory for tests and fuzzers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/keywords.h"
#include "settings/ini_text.h"

namespace vorel {

constexpr int COMMENT_PAIR_COUNT = 6;
constexpr int STRING_PAIR_COUNT = 8;
constexpr std::size_t MARKER_SIZE = 8;  // 7 characters and the terminator

// Where a comment marker counts ("comment<n>at").
enum CommentPlace : uint8_t {
  PLACE_ANYWHERE = 0,  // also inside a word
  PLACE_LINE_START,    // only as the first byte of a line
  PLACE_WORD_START,    // at a line start or after a space or tab
};

// Start and end marker of one comment kind.  An end of a lone CR makes it a
// line comment.
struct CommentPair {
  char start[MARKER_SIZE] = {};
  char end[MARKER_SIZE] = {};
  CommentPlace place = PLACE_ANYWHERE;
  bool nests = false;  // a start marker inside opens one more level
};

// How a string protects its end marker.
enum EscapeRule : uint8_t {
  ESCAPE_NONE = 0,  // raw: the first end marker ends it
  ESCAPE_CHAR,      // the byte after the escape character never ends it
  ESCAPE_DOUBLED,   // a doubled end marker stands for itself ("a""b")
};

// A string that may span lines, from its start marker to its end marker
// ("string<n>", "string<n>e", "string<n>escape").
struct StringPair {
  char start[MARKER_SIZE] = {};
  char end[MARKER_SIZE] = {};
  EscapeRule rule = ESCAPE_NONE;
  char escape = 0;            // with ESCAPE_CHAR
  bool interpolates = false;  // "string<n>interpolate": holds code after the "interpolate" marker
};

// The delimiters every syntax has besides its own: space, tab, LF, CR, the
// Big5 punctuation lead byte 0xA1, and the zero byte that ends the text.
extern const char FIXED_DELIMITERS[6];

// Every setting of a syntax section.  Value-initialised it holds nothing at
// all; read_syntax adds the fixed delimiters to every syntax it reads.
struct Syntax {
  char quote1[2] = {};
  char quote2[2] = {};
  uint32_t string_style = 0;
  uint32_t comment_style = 0;
  CommentPair comment_pairs[COMMENT_PAIR_COUNT];
  bool delimiters[256] = {};
  uint32_t case_value = 0;  // "case": non-zero makes the keyword tables case-sensitive
  // Beyond the two quotes and six comment pairs: rules a section opts into
  // with keys of its own.  A section without them scans as it always has.
  char escape = 0;                 // "escape": protects the next byte in a string
  EscapeRule quote_rules[2] = {};  // "str1escape", "str2escape" (default: by "escape")
  char quote_escapes[2] = {};
  bool quote_interpolates[2] = {};             // "str1interpolate", "str2interpolate"
  char interpolate[MARKER_SIZE] = {};          // "interpolate": marks code inside a string ($x, ${x}, #{x})
  bool quotes_span_lines = false;              // "str_multiline": the quotes' strings may span lines
  StringPair string_pairs[STRING_PAIR_COUNT];  // in use up to the first empty start, longest first
  char heredoc[MARKER_SIZE] = {};              // "heredoc": the marker that opens a here-document
  bool heredoc_space = false;                  // "heredoc_space": blanks may follow the marker
  char regex = 0;                              // "regex": opens and closes a regular expression literal
  char symbol = 0;  // "symbol": opens a symbol (:name) and ends a key (name: value)
  std::unique_ptr<KeywordTable> keywords1;
  std::unique_ptr<KeywordTable> keywords2;

  // Whether any of the section's own rules is in use; without them the
  // scanner runs its plain loop.
  bool has_extended_rules() const;
};

// Where syntax sections and keyword files are read from.  Reads answer as
// the settings layer's get_setting_* functions do.
class SyntaxSource {
 public:
  virtual ~SyntaxSource() = default;
  // The value cut to size - 1 characters, "" when missing; returns its length.
  virtual uint32_t get_string(const char* section, const char* key, char* buffer, uint32_t size) = 0;
  // The value as an unsigned number; 0 when missing.
  virtual uint32_t get_int(const char* section, const char* key) = 0;
  // The text of the keyword file a section names (its stxfile value), or
  // nothing when it cannot be read; shown gets the name to report it by.
  virtual std::optional<std::string> keyword_file(const char* name, std::string& shown) = 0;
  // The section names, in file order.
  virtual std::vector<std::string> section_names() = 0;
  // Whether a section of that name exists, names matched as the reads match
  // them (white space around them ignored, letters in either case).
  bool has_section(std::string_view name);
};

// config.ini in program_dir(), read through the settings layer (on Windows
// the platform's private-profile functions), and keyword files named relative
// to program_dir().  Selects config.ini as the current settings file.
class SettingsSyntaxSource final : public SyntaxSource {
 public:
  SettingsSyntaxSource();
  uint32_t get_string(const char* section, const char* key, char* buffer, uint32_t size) override;
  uint32_t get_int(const char* section, const char* key) override;
  std::optional<std::string> keyword_file(const char* name, std::string& shown) override;
  std::vector<std::string> section_names() override;
};

// An INI text and keyword files held in memory, read by the same rules as
// the settings layer's files.  Keyword files are found by the name a section
// gives, leading separators ignored.
class MemorySyntaxSource final : public SyntaxSource {
 public:
  explicit MemorySyntaxSource(std::string ini_text);
  // A name given again replaces the text it held.
  void add_keyword_file(std::string name, std::string text);
  uint32_t get_string(const char* section, const char* key, char* buffer, uint32_t size) override;
  uint32_t get_int(const char* section, const char* key) override;
  std::optional<std::string> keyword_file(const char* name, std::string& shown) override;
  std::vector<std::string> section_names() override;

 private:
  ini::IniFile ini_;
  std::vector<std::pair<std::string, std::string>> keyword_files_;
};

// Reads the section syntax_name (null reads as "") from source.  Nothing when
// a keyword file the section names cannot be loaded; failed_file (when given)
// then gets the name the source reports it by.  A missing section reads as
// the defaults.
std::optional<Syntax> read_syntax(SyntaxSource& source, const char* syntax_name,
                                  std::string* failed_file = nullptr);

struct ScanState;

// Fills an already reset state from the section syntax_name of config.ini in
// program_dir().  False when a keyword file the section names cannot be
// loaded; failed_file (when given) then gets its full path.  A missing
// section converts with the defaults.
bool load_syntax(ScanState& state, const char* syntax_name, std::string* failed_file = nullptr);

}  // namespace vorel
