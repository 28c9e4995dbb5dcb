// vorel-convert's two jobs: listing the syntaxes and converting a text.
#include "cli/conversion.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/input.h"
#include "cli/output_file.h"
#include "cli/syntax_choice.h"
#include "engine/convert.h"
#include "engine/file_names.h"
#include "engine/language_guess.h"
#include "engine/syntax.h"
#include "settings/settings.h"
#include "text/messages.h"

namespace vorel::cli {

namespace {

// Every section name of config.ini, read into a buffer that grows until the
// whole list fits.
std::vector<std::string> syntax_names() {
  std::vector<std::string> names;
  settings_path("config.ini");
  std::vector<char> buf(4096);
  for (;;) {
    uint32_t n = get_section_names(buf.data(), static_cast<uint32_t>(buf.size()));
    if (n + 2 < buf.size()) {
      for (const char* p = buf.data(); *p; p += std::strlen(p) + 1) names.emplace_back(p);
      return names;
    }
    buf.resize(buf.size() * 2);
  }
}

void print_stats(const std::string& syntax, const ConversionStats& s, std::uint64_t original,
                 std::uint64_t converted) {
  std::fprintf(stderr, "syntax:           %s\n", syntax.c_str());
  std::fprintf(stderr,
               "keyword loading:  %12d ms\n"
               "conversion:       %12d ms\n"
               "original length:  %12llu characters\n"
               "converted length: %12llu characters\n",
               static_cast<int>(s.keyword_load_ms), static_cast<int>(s.conversion_ms),
               static_cast<unsigned long long>(original), static_cast<unsigned long long>(converted));
}

// Whether the syntax comes from the input itself: no --syntax, or "auto"
// where config.ini has no section of that name.
bool detects_syntax(const Options& opt) {
  if (!opt.syntax_set) return true;
  if (opt.syntax != "auto") return false;
  SettingsSyntaxSource source;
  return !source.has_section(opt.syntax);
}

// The syntax --syntax names; told gets how --stats names it.  False (and
// the message said) when config.ini has no such section.
bool named_syntax(const Options& opt, std::string& syntax, std::string& told) {
  SettingsSyntaxSource source;
  syntax = opt.syntax;
  told = "none";
  if (opt.syntax.empty()) return true;
  told = opt.syntax;
  if (source.has_section(opt.syntax)) return true;
  std::string nearest;
  for (const std::string& name : closest_names(opt.syntax, source.section_names()))
    nearest += (nearest.empty() ? "" : ", ") + name;
  error("no syntax '" + opt.syntax + "' in '" + current_settings_path() + "'" +
        (nearest.empty() ? std::string() : "; the nearest: " + nearest) + " (see --list-syntaxes)");
  return false;
}

// The syntax the input asks for (see pick_syntax): its name, its "#!" line,
// a modeline, its first lines, else the guess from its content.  Where the
// name did not decide alone, a named input gets a one-line note.
void detect_syntax(const Options& opt, std::string_view text, std::string& syntax, std::string& told) {
  SettingsSyntaxSource source;
  const LanguageGuesser guesser(source);
  // Standard input without --syntax takes what its first and last lines say
  // (#!, modeline), but is guessed from its words only when asked (--syntax auto).
  const bool from_stdin = opt.input.empty() || opt.input == "-";
  const SyntaxPick pick =
      pick_syntax(source, opt.input, text, from_stdin && !opt.syntax_set ? nullptr : &guesser);
  syntax = pick.syntax;
  told = pick.syntax.empty() ? "none" : pick.syntax + " (from the " + syntax_rule_name(pick.rule) + ")";
  if (opt.input.empty() || (pick.rule == SyntaxRule::FILE_NAME && pick.name_matches.size() == 1)) return;
  const std::string name(file_base_name(opt.input));
  if (pick.name_matches.size() > 1) {
    std::string all;
    for (const std::string& s : pick.name_matches) all += (all.empty() ? "" : ", ") + s;
    error("note: '" + name + "' matches " + all + "; using " + pick.syntax +
          (pick.rule == SyntaxRule::FILE_NAME
               ? ""
               : std::string(" (from the ") + syntax_rule_name(pick.rule) + ")"));
  } else if (pick.syntax.empty()) {
    error("note: no syntax's file names match '" + name + "'; converting without one (see --syntax)");
  } else {
    error("note: no syntax's file names match '" + name + "'; using " + pick.syntax + " (from the " +
          syntax_rule_name(pick.rule) + "; see --syntax)");
  }
}

}  // namespace

int list_syntaxes(bool files) {
  settings_path("config.ini");
  std::string path = current_settings_path();
  if (!read_whole_file(path.c_str())) {
    error("cannot read '" + path + "'");
    return 1;
  }
  if (files) {
    SettingsSyntaxSource source;
    std::fputs(syntax_files_listing(source).c_str(), stdout);
  } else {
    for (const std::string& name : syntax_names()) std::printf("%s\n", name.c_str());
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int convert(const Options& opt) {
  std::string syntax, told;
  const bool detect = detects_syntax(opt);
  if (!detect)
    if (!named_syntax(opt, syntax, told)) return 2;  // a wrong command line

  Input in;
  std::string message;
  bool read_ok;
  try {
    read_ok = read_input(opt.input, in, message);
  } catch (const std::bad_alloc&) {
    read_ok = false;
    message = "not enough memory to read the input";
  }
  if (!read_ok) {
    error(message);
    return 1;
  }
  if (in.nul_offset >= 0) {
    error(text::nul_byte_message(static_cast<std::uint64_t>(in.nul_offset)));
    return 1;
  }
  if (detect) detect_syntax(opt, std::string_view(in.text, in.size), syntax, told);

  OutputFile out;
  bool opened = opt.output_file.empty() ? out.open_stdout(message) : out.open(opt.output_file, message);
  if (!opened) {
    error(message);
    return 1;
  }

  FileSink sink(out);
  ConversionContext ctx = conversion_context(opt.output);
  if (!convert_stream(ctx, std::string_view(in.text, in.size), syntax.c_str(), sink, in.line_ends)) {
    if (ctx.failed_file.empty() && out.failed()) error("cannot write the output: " + out.write_error());
    else error(text::conversion_failure_message(ctx, syntax));
    return 1;
  }
  if (!out.commit(message)) {
    error(message);
    return 1;
  }
  if (opt.stats) print_stats(told, ctx.stats, in.original_length(), sink.bytes_written());
  return 0;
}

}  // namespace vorel::cli
