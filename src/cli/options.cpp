// vorel-convert's command line: its options, their checks and the usage text.
#include "cli/options.h"

#include <cstdio>

#include "cli/messages.h"

namespace vorel::cli {

const char* const USAGE =
    "usage: vorel-convert [--config-dir DIR] [--syntax NAME] [--format html|ubb]\n"
    "                     [--line-numbers START] [--page classic|modern] [--fragment]\n"
    "                     [--escape default|strict] [--charset auto|big5|utf-8]\n"
    "                     [--tab-width N] [--ubb-safe] [--ubb-no-entities]\n"
    "                     [--ubb-font NAME] [--stats] [-o OUT] [INPUT]\n"
    "       vorel-convert --list-syntaxes[=files] [--config-dir DIR]\n";

const char* const HELP =
    "Converts program source text to coloured markup: an HTML page or UBB forum code.\n"
    "\n"
    "  INPUT                 the source file (default: standard input; '-' also reads it)\n"
    "  -o OUT                write to OUT (default, or '-': standard output); OUT is\n"
    "                        replaced only when the conversion succeeds\n"
    "  --syntax NAME         a syntax section of config.ini; without it (or 'auto'),\n"
    "                        the section INPUT's name asks for, else its #! line,\n"
    "                        modeline or first lines, else a guess from its words\n"
    "                        (none: plain text); an empty NAME converts plain text\n"
    "  --format html|ubb     markup language (default: html)\n"
    "  --line-numbers START  number the lines, the first one START (0 to 4294967295)\n"
    "  --page classic|modern the HTML page (default: classic, the Windows program's);\n"
    "                        modern: HTML5, a monospace font, a copy button that works\n"
    "                        and line numbers that are not copied\n"
    "  --fragment            only the coloured <pre> block, to paste into another page\n"
    "  --escape default|strict  strict: '&' becomes &amp; too, so entities in the\n"
    "                        source show as written (the modern page always does)\n"
    "  --charset auto|big5|utf-8  the charset the page declares and writes its own\n"
    "                        texts in (default: auto, UTF-8 for UTF-8 input that is\n"
    "                        not plain ASCII, Big5 otherwise)\n"
    "  --tab-width N         tabs become blanks up to the next multiple of N columns\n"
    "                        (1 to 64; default: tabs stay)\n"
    "  --ubb-safe            UBB that forums show exactly as the source: no '[' of the\n"
    "                        text can start a tag, and '&' is written &amp;\n"
    "  --ubb-no-entities     UBB with '<', '>' and '&' as they are, for boards that\n"
    "                        escape HTML in posts themselves (most forum software)\n"
    "  --ubb-font NAME       UBB: the whole post inside [font=NAME] (e.g. monospace)\n"
    "  --stats               print the syntax used, timings and lengths to standard error\n"
    "  --config-dir DIR      where config.ini and the keyword files are (default: the\n"
    "                        directory in $VOREL_CONFIG_DIR, else the first of this\n"
    "                        program's directory and ../share/vorel beside it that\n"
    "                        holds config.ini)\n"
    "  --list-syntaxes       print the syntax names of config.ini, one per line;\n"
    "                        =files adds a tab and each one's file-name patterns\n"
    "  --help, --version\n"
    "\n"
    "--page, --fragment, --escape and --charset are for HTML output only.\n"
    "Line ends in the input (LF, CR LF or CR) become CR LF.  Exit status: 0 on success,\n"
    "1 when the input, the language pack, a keyword file or the output fails, 2 for a\n"
    "wrong command line (a --syntax NAME that config.ini does not have among them).\n";

void error(const std::string& message) { std::fprintf(stderr, "vorel-convert: %s\n", message.c_str()); }

int usage_error(const std::string& message) {
  error(message);
  std::fputs(USAGE, stderr);
  return 2;
}

namespace {

// A decimal number from 0 to 4294967295, digits only.
bool parse_line_number(const std::string& text, uint32_t& value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
    if (v > 0xFFFFFFFFu) return false;
  }
  value = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

int parse_options(int argc, char** argv, Options& opt) {
  bool have_input = false;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options_done || arg == "-" || arg.empty() || arg[0] != '-') {
      if (have_input) return usage_error("more than one input file: '" + arg + "'");
      have_input = true;
      opt.input = arg == "-" ? std::string() : arg;
      if (arg.empty()) return usage_error("the input file name is empty");
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    // --name=value or --name value
    std::string name = arg, value;
    bool inline_value = false;
    if (arg.compare(0, 2, "--") == 0) {
      std::size_t eq = arg.find('=');
      if (eq != std::string::npos) {
        name = arg.substr(0, eq);
        value = arg.substr(eq + 1);
        inline_value = true;
      }
    }
    auto takes_value = [&]() -> bool {
      if (inline_value) return true;
      if (i + 1 >= argc) return false;
      value = argv[++i];
      return true;
    };
    auto flag = [&]() { return !inline_value; };

    if (name == "--config-dir") {
      if (!takes_value()) return usage_error("--config-dir needs a directory");
      opt.config_dir = value;
      opt.config_dir_set = true;
    } else if (name == "--syntax") {
      if (!takes_value()) return usage_error("--syntax needs a syntax name");
      opt.syntax = value;
      opt.syntax_set = true;
    } else if (name == "--format") {
      if (!takes_value()) return usage_error("--format needs html or ubb");
      if (value == "html") opt.html = true;
      else if (value == "ubb") opt.html = false;
      else return usage_error("unknown format '" + value + "' (use html or ubb)");
    } else if (name == "--line-numbers") {
      if (!takes_value()) return usage_error("--line-numbers needs a first line number");
      if (!parse_line_number(value, opt.first_line))
        return usage_error("bad line number '" + value + "' (use 0 to 4294967295)");
      opt.line_numbers = true;
    } else if (name == "-o" || name == "--output") {
      if (!takes_value()) return usage_error("-o needs an output file");
      if (value.empty()) return usage_error("the output file name is empty");
      opt.output = value == "-" ? std::string() : value;  // "-": standard output
    } else if (name == "--page" || name == "--escape" || name == "--charset") {
      const std::string_view key = std::string_view(name).substr(2);
      if (!takes_value()) return usage_error(name + " needs " + markup_option_choices(key));
      if (!set_markup_option(opt.markup, key, value))
        return usage_error(bad_markup_option_message(key, value));
      opt.markup_set = true;
    } else if (name == "--fragment" && flag()) {
      opt.markup.fragment = true;
      opt.markup_set = true;
    } else if (name == "--stats" && flag()) {
      opt.stats = true;
    } else if (name == "--list-syntaxes") {
      if (inline_value && value != "files") return usage_error("--list-syntaxes takes only =files");
      opt.list_syntaxes = true;
      opt.list_files = inline_value;
    } else if (name == "--tab-width") {
      if (!takes_value()) return usage_error("--tab-width needs a number of columns");
      uint32_t width = 0;
      if (!parse_line_number(value, width) || width < 1 || width > 64)
        return usage_error(bad_markup_option_message("tab_width", value));
      opt.markup.tab_width = width;
    } else if (name == "--ubb-safe" && flag()) {
      opt.markup.ubb_safe = true;
    } else if (name == "--ubb-no-entities" && flag()) {
      opt.markup.ubb_no_entities = true;
    } else if (name == "--ubb-font") {
      if (!takes_value()) return usage_error("--ubb-font needs a font name");
      if (!usable_font_name(value)) return usage_error(bad_markup_option_message("ubb_font", value));
      opt.markup.ubb_font = value;
    } else if ((name == "--help" || name == "-h") && flag()) {
      opt.help = true;
    } else if (name == "--version" && flag()) {
      opt.version = true;
    } else {
      return usage_error("unknown option '" + arg + "'");
    }
  }
  if (opt.markup_set && !opt.html)
    return usage_error("--page, --fragment, --escape and --charset are for HTML output, not UBB");
  if (opt.html && (opt.markup.ubb_safe || opt.markup.ubb_no_entities || !opt.markup.ubb_font.empty()))
    return usage_error("--ubb-safe, --ubb-no-entities and --ubb-font need --format ubb");
  return -1;
}

}  // namespace vorel::cli
