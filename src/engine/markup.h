// What the markup looks like: each format's style templates, the options of
// the output modes, and what each byte of text becomes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/charset.h"

namespace vorel {

enum class PageStyle : unsigned char {
  CLASSIC,  // the frame the Windows program has always written
  MODERN,   // an HTML5 page: monospace, a copy button that works, numbers that are not copied
};

// Choices about the markup beside its format.  The default writes the
// markup both formats have always had; the output modes add their switches
// here.
struct MarkupOptions {
  // HTML only.
  PageStyle page = PageStyle::CLASSIC;
  bool fragment = false;                        // the coloured block alone, without the page around it
  bool escape_ampersand = false;                // '&' as "&amp;" too (the modern page always does)
  CharsetChoice charset = CharsetChoice::BIG5;  // what the page declares
  // UBB that a forum shows exactly as the source: no '[' of the text can
  // start a tag (see Emitter), and '&' is written "&amp;" so that a board
  // that passes HTML through shows it as itself.
  bool ubb_safe = false;
  // UBB with '<', '>' and '&' as they are, for boards that escape HTML in
  // posts themselves (where "&lt;" would show as those four characters).
  bool ubb_no_entities = false;
  // Tabs become spaces up to the next multiple of this many columns (0: tabs
  // stay).  Columns count from each line start, one per byte.
  uint32_t tab_width = 0;
  // UBB: the whole post inside [font=ubb_font] when not empty.
  std::string ubb_font = {};

  bool operator==(const MarkupOptions&) const = default;
};

// Each option is set by name through set_output_option (engine/output_options.h).

// What one byte of text becomes in the markup: the byte itself (AS_IS), len
// bytes of text (none at all when len is 0), or markup that depends on where
// the byte stands (BY_PLACE: the '[' of forum-safe UBB, written by the
// emitter).  text is padded to eight bytes so it goes out in one fixed-size
// copy.
struct ByteEscape {
  static constexpr uint8_t AS_IS = 0xFF;
  static constexpr uint8_t BY_PLACE = 0xFE;
  char text[8] = {};
  uint8_t len = AS_IS;
};

// One entry per byte value, built once per conversion.
struct EscapeTable {
  ByteEscape of[256];
  bool escapes(unsigned char c) const { return of[c].len != ByteEscape::AS_IS; }
  void set(unsigned char c, std::string_view text);
  void set_by_place(unsigned char c) { of[c] = ByteEscape{{}, ByteEscape::BY_PLACE}; }
};

// Forum-safe UBB's '[' outside coloured runs: the bracket alone in a colour
// run of the surrounding colour, so the tag boundary after it keeps every
// parser from reading a tag name there.
constexpr std::string_view UBB_SAFE_BRACKET = "[color=inherit][[/color]";

// The escapes of a format's text (line ends are not among them: what they
// become depends on where they stand).
EscapeTable make_escape_table(bool html, const MarkupOptions& options);

// Whether name can stand in "[font=name]": not empty, and no bracket or line
// end that would break the tag.
bool usable_font_name(std::string_view name);

// The eight templates of each markup language, indexed by style index; the
// first placeholder takes the colour, the second the escaped token text.
// The modern page's HTML names the colour in a style attribute.
extern const char* const HTML_TEMPLATES[8];
extern const char* const MODERN_HTML_TEMPLATES[8];
extern const char* const UBB_TEMPLATES[8];

// The markup around one styled run: the template's text before and after the
// token text, with the colour filled in.
struct StyleMarkup {
  static constexpr std::size_t SIZE = 48;  // the longest is 35 bytes
  char open[SIZE];
  char close[SIZE];
  uint8_t open_len = 0;
  uint8_t close_len = 0;
  std::string_view opening() const { return {open, open_len}; }
  std::string_view closing() const { return {close, close_len}; }
};

// The style index of a StyleValue: its top byte, of which only the low three
// bits count (bold, italic, underline), so every value has a template.
inline unsigned style_index(uint32_t value) { return (value >> 24) & 7u; }

// Writes the colour of a StyleValue as RRGGBB, upper case.
void write_rrggbb(char* out, uint32_t value);

StyleMarkup make_style_markup(uint32_t value, bool html, const MarkupOptions& options = {});

}  // namespace vorel
