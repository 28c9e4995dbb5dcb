// Markup: style templates, colours and the per-byte escapes.
#include "engine/markup.h"

#include <cstring>

namespace vorel {

const char* const HTML_TEMPLATES[8] = {
    "<font color=%06X>%s</font>",
    "<b><font color=%06X>%s</font></b>",
    "<i><font color=%06X>%s</font></i>",
    "<b><i><font color=%06X>%s</font></i></b>",
    "<u><font color=%06X>%s</font></u>",
    "<b><u><font color=%06X>%s</font></u></b>",
    "<u><i><font color=%06X>%s</font></i></u>",
    "<b><i><u><font color=%06X>%s</font></u></i></b>",
};

const char* const MODERN_HTML_TEMPLATES[8] = {
    "<span style=color:#%06X>%s</span>",
    "<b><span style=color:#%06X>%s</span></b>",
    "<i><span style=color:#%06X>%s</span></i>",
    "<b><i><span style=color:#%06X>%s</span></i></b>",
    "<u><span style=color:#%06X>%s</span></u>",
    "<b><u><span style=color:#%06X>%s</span></u></b>",
    "<u><i><span style=color:#%06X>%s</span></i></u>",
    "<b><i><u><span style=color:#%06X>%s</span></u></i></b>",
};

const char* const UBB_TEMPLATES[8] = {
    "[color=#%06X]%s[/color]",
    "[b][color=#%06X]%s[/color][/b]",
    "[i][color=#%06X]%s[/color][/i]",
    "[b][i][color=#%06X]%s[/color][/i][/b]",
    "[u][color=#%06X]%s[/color][/u]",
    "[b][u][color=#%06X]%s[/color][/u][/b]",
    "[u][i][color=#%06X]%s[/color][/i][/u]",
    "[b][i][u][color=#%06X]%s[/color][/u][/i][/b]",
};

void write_rrggbb(char* out, uint32_t value) {
  static constexpr char HEX[] = "0123456789ABCDEF";
  const unsigned r = value & 0xFF, g = (value >> 8) & 0xFF, b = (value >> 16) & 0xFF;
  out[0] = HEX[r >> 4];
  out[1] = HEX[r & 15];
  out[2] = HEX[g >> 4];
  out[3] = HEX[g & 15];
  out[4] = HEX[b >> 4];
  out[5] = HEX[b & 15];
}

StyleMarkup make_style_markup(uint32_t value, bool html, const MarkupOptions& options) {
  // Choose the table before indexing it: gcc 12's -fsanitize=undefined build
  // miscompiles an index applied directly to a conditional of two arrays.
  const char* const* table = !html                               ? UBB_TEMPLATES
                             : options.page == PageStyle::MODERN ? MODERN_HTML_TEMPLATES
                                                                 : HTML_TEMPLATES;
  const char* tpl = table[style_index(value)];
  const char* colour = std::strstr(tpl, "%06X");
  const char* text = std::strstr(tpl, "%s");
  StyleMarkup m{};
  std::size_t n = 0;
  auto add = [&m, &n](const char* b, const char* e) {
    std::memcpy(m.open + n, b, static_cast<std::size_t>(e - b));
    n += static_cast<std::size_t>(e - b);
  };
  add(tpl, colour);
  write_rrggbb(m.open + n, value);
  n += 6;
  add(colour + 4, text);
  m.open_len = static_cast<uint8_t>(n);
  const std::size_t close_len = std::strlen(text + 2);
  std::memcpy(m.close, text + 2, close_len);
  m.close_len = static_cast<uint8_t>(close_len);
  return m;
}

void EscapeTable::set(unsigned char c, std::string_view text) {
  ByteEscape& e = of[c];
  e = ByteEscape{};
  std::memcpy(e.text, text.data(), text.size() < sizeof e.text ? text.size() : sizeof e.text);
  e.len = static_cast<uint8_t>(text.size() < sizeof e.text ? text.size() : sizeof e.text);
}

bool usable_font_name(std::string_view name) {
  return !name.empty() && name.find_first_of("[]\r\n") == std::string_view::npos;
}

EscapeTable make_escape_table(bool html, const MarkupOptions& options) {
  EscapeTable table;
  // Both formats escape the angle brackets, and by default nothing else.
  if (html || !options.ubb_no_entities) {
    table.set('<', "&lt;");
    table.set('>', "&gt;");
  }
  // Strict HTML: an entity in the source shows as written.
  if (html && (options.escape_ampersand || options.page == PageStyle::MODERN)) table.set('&', "&amp;");
  if (!html && options.ubb_safe) {
    if (!options.ubb_no_entities) table.set('&', "&amp;");
    table.set_by_place('[');
  }
  return table;
}

}  // namespace vorel
