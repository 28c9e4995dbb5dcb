// vorel-convert's command line: its options, their checks and the usage text.
#include "cli/options.h"

#include <cstdio>
#include <string_view>
#include <vector>

namespace vorel::cli {

using vorel::bad_value_message;
using vorel::FOR_HTML;
using vorel::FOR_UBB;
using vorel::OptionKind;
using vorel::output_options;
using vorel::OutputOption;

namespace {

constexpr std::size_t USAGE_WIDTH = 80;
constexpr std::size_t HELP_COLUMN = 24;  // where the descriptions start

// What follows an option's flag in the usage and the help: "classic|modern",
// "N"; nothing for a switch.
std::string argument_of(const OutputOption& o) {
  if (o.kind == OptionKind::SWITCH) return {};
  if (o.kind != OptionKind::CHOICE) return " " + std::string(o.argument);
  std::string out = " ";
  for (std::size_t i = 0; i < o.choice_count(); ++i) out += (i ? "|" : "") + std::string(o.choices[i].value);
  return out;
}

// One entry of the help: the left part, then the description from
// HELP_COLUMN (or two blanks further when the left part reaches it), each
// further line of it indented to that column.
std::string help_entry(const std::string& left, std::string_view description) {
  std::string out = "  " + left;
  out += out.size() < HELP_COLUMN ? std::string(HELP_COLUMN - out.size(), ' ') : "  ";
  for (char c : description) {
    out += c;
    if (c == '\n') out += std::string(HELP_COLUMN, ' ');
  }
  return out + "\n";
}

// "--page, --fragment, --escape and --charset": the flags of the options
// that apply to only format.
std::string flags_only_for(unsigned char format) {
  std::vector<std::string_view> flags;
  for (const OutputOption& o : output_options())
    if (o.formats == format) flags.push_back(o.flag);
  std::string out;
  for (std::size_t i = 0; i < flags.size(); ++i) {
    if (i) out += i + 1 == flags.size() ? " and " : ", ";
    out += flags[i];
  }
  return out;
}

}  // namespace

std::string usage_text() {
  std::vector<std::string> items = {"[--config-dir DIR]", "[--syntax NAME]"};
  for (const OutputOption& o : output_options())
    items.push_back("[" + std::string(o.flag) + argument_of(o) + "]");
  for (const char* item : {"[--stats]", "[-o OUT]", "[INPUT]"}) items.emplace_back(item);
  const std::string lead = "usage: vorel-convert";
  std::string out, line = lead;
  for (const std::string& item : items) {
    if (line.size() + 1 + item.size() > USAGE_WIDTH) {
      out += line + "\n";
      line = std::string(lead.size(), ' ');
    }
    line += " " + item;
  }
  out += line + "\n";
  return out + "       vorel-convert --list-syntaxes[=files] [--config-dir DIR]\n";
}

std::string help_text() {
  std::string out =
      "Converts program source text to coloured markup: an HTML page or UBB forum code.\n"
      "\n"
      "  INPUT                 the source file (default: standard input; '-' also reads it)\n"
      "  -o OUT                write to OUT (default, or '-': standard output); OUT is\n"
      "                        replaced only when the conversion succeeds\n"
      "  --syntax NAME         a syntax section of config.ini; without it (or 'auto'),\n"
      "                        the section INPUT's name asks for, else its #! line,\n"
      "                        modeline or first lines, else a guess from its words\n"
      "                        (standard input: with 'auto' only; none: plain text);\n"
      "                        an empty NAME converts plain text\n";
  for (const OutputOption& o : output_options())
    out += help_entry(std::string(o.flag) + argument_of(o), o.help);
  out +=
      "  --stats               print the syntax used, timings and lengths to standard error\n"
      "  --config-dir DIR      where config.ini and the keyword files are (default: the\n"
      "                        directory in $VOREL_CONFIG_DIR, else the first of this\n"
      "                        program's directory and ../share/vorel beside it that\n"
      "                        holds config.ini)\n"
      "  --list-syntaxes       print the syntax names of config.ini, one per line;\n"
      "                        =files adds a tab and each one's file-name patterns\n"
      "  --help, --version\n"
      "\n";
  out += flags_only_for(FOR_HTML) + " are for HTML output only.\n";
  return out +
         "Line ends in the input (LF, CR LF or CR) become CR LF.  Exit status: 0 on success,\n"
         "1 when the input, the language pack, a keyword file or the output fails, 2 for a\n"
         "wrong command line (a --syntax NAME that config.ini does not have among them).\n";
}

void error(const std::string& message) { std::fprintf(stderr, "vorel-convert: %s\n", message.c_str()); }

int usage_error(const std::string& message) {
  error(message);
  std::fputs(usage_text().c_str(), stderr);
  return 2;
}

namespace {

bool refuse(const std::string& message) {
  usage_error(message);
  return false;
}

}  // namespace

bool parse_options(int argc, char** argv, Options& opt) {
  bool have_input = false;
  bool options_done = false;
  unsigned char formats_given = 0;  // what the output options given apply to
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options_done || arg == "-" || arg.empty() || arg[0] != '-') {
      if (have_input) return refuse("more than one input file: '" + arg + "'");
      have_input = true;
      opt.input = arg == "-" ? std::string() : arg;
      if (arg.empty()) return refuse("the input file name is empty");
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
    const OutputOption* output = nullptr;
    for (const OutputOption& o : output_options())
      if (name == o.flag) output = &o;

    if (output && (output->kind != OptionKind::SWITCH || flag())) {
      if (output->kind == OptionKind::SWITCH) value = "1";
      else if (!takes_value())
        return refuse(
            name + " needs " +
            (output->kind == OptionKind::CHOICE ? output->choice_list() : std::string(output->wanted)));
      if (output->kind == OptionKind::TEXT && value.empty()) return refuse(bad_value_message(*output, value));
      if (const std::string wrong = set_output_option(opt.output, output->name, value); !wrong.empty())
        return refuse(wrong);
      formats_given |= output->formats == (FOR_HTML | FOR_UBB) ? 0 : output->formats;
    } else if (name == "--config-dir") {
      if (!takes_value()) return refuse("--config-dir needs a directory");
      opt.config_dir = value;
      opt.config_dir_set = true;
    } else if (name == "--syntax") {
      if (!takes_value()) return refuse("--syntax needs a syntax name");
      opt.syntax = value;
      opt.syntax_set = true;
    } else if (name == "-o" || name == "--output") {
      if (!takes_value()) return refuse("-o needs an output file");
      if (value.empty()) return refuse("the output file name is empty");
      opt.output_file = value == "-" ? std::string() : value;  // "-": standard output
    } else if (name == "--stats" && flag()) {
      opt.stats = true;
    } else if (name == "--list-syntaxes") {
      if (inline_value && value != "files") return refuse("--list-syntaxes takes only =files");
      opt.list_syntaxes = true;
      opt.list_files = inline_value;
    } else if ((name == "--help" || name == "-h") && flag()) {
      opt.help = true;
    } else if (name == "--version" && flag()) {
      opt.version = true;
    } else {
      return refuse("unknown option '" + arg + "'");
    }
  }
  if ((formats_given & FOR_HTML) && !opt.output.html)
    return refuse(flags_only_for(FOR_HTML) + " are for HTML output, not UBB");
  if ((formats_given & FOR_UBB) && opt.output.html)
    return refuse(flags_only_for(FOR_UBB) + " need --format ubb");
  return true;
}

}  // namespace vorel::cli
