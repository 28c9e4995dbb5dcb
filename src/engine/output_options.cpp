// The table of output options and setting one by name.
#include "engine/output_options.h"

#include <algorithm>
#include <iterator>

#include "engine/convert.h"
#include "text/ascii.h"

namespace vorel {

namespace {

// What set_output_option hands a row once the value is checked: the index of
// a choice, 0 or 1 for a switch, the number; the text itself for TEXT.
using Setter = void (*)(OutputOptions& o, uint32_t n, std::string_view text);

struct Row {
  OutputOption option;
  Setter set;
  bool (*valid)(std::string_view text) = nullptr;  // TEXT: a value other than ""
};

constexpr unsigned char BOTH = FOR_HTML | FOR_UBB;

// vorel-convert's usage and help list the options in this order.
const Row ROWS[] = {
    {{.name = "format",
      .flag = "--format",
      .kind = OptionKind::CHOICE,
      .formats = BOTH,
      .default_value = "html",
      .choices = {{"html", "HTML"}, {"ubb", "UBB"}},
      .help = "markup language (default: html)"},
     [](OutputOptions& o, uint32_t n, std::string_view) { o.html = n == 0; }},
    {{.name = "line_numbers",
      .flag = "--line-numbers",
      .kind = OptionKind::NUMBER,
      .formats = BOTH,
      .max = 4294967295u,
      .argument = "START",
      .wanted = "a first line number",
      .noun = "line number",
      .help = "number the lines, the first one START (0 to 4294967295)"},
     [](OutputOptions& o, uint32_t n, std::string_view) {
       o.line_numbers = true;
       o.first_line = n;
     }},
    {{.name = "page",
      .flag = "--page",
      .kind = OptionKind::CHOICE,
      .formats = FOR_HTML,
      .default_value = "classic",
      .choices = {{"classic", "classic"}, {"modern", "modern (HTML5, copy button)"}},
      .help = "the HTML page (default: classic, the Windows program's);\n"
              "modern: HTML5, a monospace font, a copy button that works\n"
              "and line numbers that are not copied",
      .option_ini = true,
      .label = "Page"},
     [](OutputOptions& o, uint32_t n, std::string_view) {
       o.markup.page = n ? PageStyle::MODERN : PageStyle::CLASSIC;
     }},
    {{.name = "fragment",
      .flag = "--fragment",
      .kind = OptionKind::SWITCH,
      .formats = FOR_HTML,
      .default_value = "0",
      .help = "only the coloured <pre> block, to paste into another page",
      .option_ini = true,
      .label = "Fragment only"},
     [](OutputOptions& o, uint32_t n, std::string_view) { o.markup.fragment = n == 1; }},
    {{.name = "escape",
      .flag = "--escape",
      .kind = OptionKind::CHOICE,
      .formats = FOR_HTML,
      .default_value = "default",
      .choices = {{"default", "default"}, {"strict", "strict"}},
      .help = "strict: '&' becomes &amp; too, so entities in the\n"
              "source show as written (the modern page always does)",
      .option_ini = true,
      .label = "Strict (& as &amp;)",
      .box = true},
     [](OutputOptions& o, uint32_t n, std::string_view) { o.markup.escape_ampersand = n == 1; }},
    {{.name = "charset",
      .flag = "--charset",
      .kind = OptionKind::CHOICE,
      .formats = FOR_HTML,
      .default_value = "auto",
      .choices = {{"auto", "automatic"}, {"big5", "Big5"}, {"utf-8", "UTF-8"}},
      .help = "the charset the page declares and writes its own\n"
              "texts in (default: auto, UTF-8 for UTF-8 input that is\n"
              "not plain ASCII, Big5 otherwise)",
      .option_ini = true,
      .label = "Charset"},
     [](OutputOptions& o, uint32_t n, std::string_view) {
       constexpr CharsetChoice CHOICES[] = {CharsetChoice::AUTO, CharsetChoice::BIG5, CharsetChoice::UTF8};
       o.markup.charset = CHOICES[n];
     }},
    {{.name = "tab_width",
      .flag = "--tab-width",
      .kind = OptionKind::NUMBER,
      .formats = BOTH,
      .default_value = "0",
      .max = 64,
      .argument = "N",
      .wanted = "a number of columns",
      .noun = "tab width",
      .help = "tabs become blanks up to the next multiple of N columns\n"
              "(0 to 64; default: 0, tabs stay)",
      .option_ini = true,
      .label = "Tab width",
      .placeholder = "keep tabs"},
     [](OutputOptions& o, uint32_t n, std::string_view) { o.markup.tab_width = n; }},
    {{.name = "ubb_safe",
      .flag = "--ubb-safe",
      .kind = OptionKind::SWITCH,
      .formats = FOR_UBB,
      .default_value = "0",
      .help = "UBB that forums show exactly as the source: no '[' of the\n"
              "text can start a tag, and '&' is written &amp;",
      .option_ini = true,
      .label = "Forum-safe"},
     [](OutputOptions& o, uint32_t n, std::string_view) { o.markup.ubb_safe = n == 1; }},
    {{.name = "ubb_no_entities",
      .flag = "--ubb-no-entities",
      .kind = OptionKind::SWITCH,
      .formats = FOR_UBB,
      .default_value = "0",
      .help = "UBB with '<', '>' and '&' as they are, for boards that\n"
              "escape HTML in posts themselves (most forum software)",
      .option_ini = true,
      .label = "No entities"},
     [](OutputOptions& o, uint32_t n, std::string_view) { o.markup.ubb_no_entities = n == 1; }},
    {{.name = "ubb_font",
      .flag = "--ubb-font",
      .kind = OptionKind::TEXT,
      .formats = FOR_UBB,
      .default_value = "",
      .argument = "NAME",
      .wanted = "a font name",
      .noun = "font name",
      .text_rule = "empty, or holding a bracket or line end",
      .help = "UBB: the whole post inside [font=NAME] (e.g. monospace)",
      .option_ini = true,
      .label = "Font",
      .placeholder = "none"},
     [](OutputOptions& o, uint32_t, std::string_view text) { o.markup.ubb_font = text; },
     usable_font_name},
};

constexpr std::size_t ROW_COUNT = std::size(ROWS);

const OutputOption* const OPTIONS = [] {
  static OutputOption options[ROW_COUNT];
  for (std::size_t i = 0; i < ROW_COUNT; ++i) options[i] = ROWS[i].option;
  return options;
}();

// A decimal number from 0 to max, digits only (at most 20 of them).
bool parse_number(std::string_view text, uint32_t max, uint32_t& value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
    if (v > max) return false;
  }
  value = static_cast<uint32_t>(v);
  return true;
}

void append_json_string(std::string& out, std::string_view s) {
  out += '"';
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  out += '"';
}

}  // namespace

ConversionContext conversion_context(const OutputOptions& options) {
  ConversionContext ctx;
  ctx.flags = (options.html ? FLAG_HTML : 0) | (options.line_numbers ? FLAG_LINE_NUMBERS : 0);
  ctx.line_counter = options.first_line;
  ctx.markup = options.markup;
  return ctx;
}

std::size_t OutputOption::choice_count() const {
  if (kind == OptionKind::SWITCH) return 2;
  std::size_t n = 0;
  while (n < std::size(choices) && !choices[n].value.empty()) ++n;
  return n;
}

std::string OutputOption::choice_list() const {
  if (kind == OptionKind::SWITCH) return "0 or 1";
  std::string out;
  const std::size_t n = choice_count();
  for (std::size_t i = 0; i < n; ++i) {
    if (i) out += i + 1 == n ? " or " : ", ";
    out += choices[i].value;
  }
  return out;
}

std::span<const OutputOption> output_options() { return {OPTIONS, ROW_COUNT}; }

const OutputOption* find_output_option(std::string_view name) {
  for (const OutputOption& o : output_options())
    if (ascii_equal_folded(o.name, name)) return &o;
  return nullptr;
}

std::string bad_value_message(const OutputOption& option, std::string_view value) {
  const std::string v(value), name(option.name), noun(option.noun);
  switch (option.kind) {
    case OptionKind::CHOICE:
    case OptionKind::SWITCH: return "unknown " + name + " '" + v + "' (use " + option.choice_list() + ")";
    case OptionKind::NUMBER:
      return "bad " + noun + " '" + v + "' (use 0 to " + std::to_string(option.max) + ")";
    case OptionKind::TEXT: break;
  }
  return "bad " + noun + " '" + v + "' (" + std::string(option.text_rule) + ")";
}

std::string set_output_option(OutputOptions& options, std::string_view name, std::string_view value) {
  const OutputOption* option = find_output_option(name);
  if (!option) return "unknown option '" + std::string(name) + "'";
  const Row& row = ROWS[static_cast<std::size_t>(option - OPTIONS)];
  uint32_t n = 0;
  switch (option->kind) {
    case OptionKind::CHOICE:
    case OptionKind::SWITCH: {
      const std::size_t count = option->choice_count();
      for (n = 0; n < count; ++n) {
        const std::string_view choice =
            option->kind == OptionKind::SWITCH ? (n ? "1" : "0") : option->choices[n].value;
        if (ascii_equal_folded(value, choice)) break;
      }
      if (n == count) return bad_value_message(*option, value);
      break;
    }
    case OptionKind::NUMBER:
      if (!parse_number(value, option->max, n)) return bad_value_message(*option, value);
      break;
    case OptionKind::TEXT:
      if (!value.empty() && !row.valid(value)) return bad_value_message(*option, value);
      break;
  }
  row.set(options, n, value);
  return {};
}

bool set_markup_option(MarkupOptions& options, std::string_view name, std::string_view value) {
  const OutputOption* option = find_output_option(name);
  if (!option || !option->option_ini) return false;
  OutputOptions all;
  all.markup = std::move(options);
  const bool ok = set_output_option(all, name, value).empty();
  options = std::move(all.markup);
  return ok;
}

std::string output_options_json() {
  std::string out = "[";
  for (const OutputOption& o : output_options()) {
    if (out.size() > 1) out += ',';
    out += "{\"name\":";
    append_json_string(out, o.name);
    static constexpr const char* KINDS[] = {"choice", "switch", "number", "text"};
    out += ",\"kind\":\"";
    out += KINDS[static_cast<int>(o.kind)];
    out += "\",\"formats\":[";
    if (o.formats & FOR_HTML) out += "\"html\"";
    if (o.formats == (FOR_HTML | FOR_UBB)) out += ',';
    if (o.formats & FOR_UBB) out += "\"ubb\"";
    out += "],\"default\":";
    append_json_string(out, o.default_value);
    out += ",\"choices\":[";
    if (o.kind == OptionKind::CHOICE) {
      for (std::size_t i = 0; i < o.choice_count(); ++i) {
        out += i ? ",[" : "[";
        append_json_string(out, o.choices[i].value);
        out += ',';
        append_json_string(out, o.choices[i].label);
        out += ']';
      }
    }
    out += "],\"max\":" + std::to_string(o.max) + ",\"label\":";
    append_json_string(out, o.label);
    out += ",\"box\":";
    out += o.box ? "true" : "false";
    out += ",\"placeholder\":";
    append_json_string(out, o.placeholder);
    out += '}';
  }
  return out + "]";
}

}  // namespace vorel
