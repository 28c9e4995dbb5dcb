// The engine for the web page: one conversion call and the syntax list,
// exported to JavaScript.  The language pack is compiled in (pack_data.h) and
// read through a MemorySyntaxSource, by the same rules as the programs' files.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <emscripten/emscripten.h>

#include "engine/charset.h"
#include "engine/convert.h"
#include "engine/file_names.h"
#include "engine/language_guess.h"
#include "engine/markup.h"
#include "engine/output_options.h"
#include "engine/syntax.h"
#include "text/line_ends.h"
#include "text/messages.h"
#include "web/pack_data.h"

namespace {

using namespace vorel;

// The last conversion's result; the page reads it through the accessors below
// before it converts again.
struct Result {
  std::string markup;
  std::string message;  // what vorel-convert would print as its error, "" on success
  ConversionStats stats;
  uint64_t original_length = 0;  // counted with CR LF line ends, as vorel-convert's --stats
  uint32_t last_line = 0;
  bool markup_utf8 = false;
};
Result result;

// options: one choice per line as "name=value", name an output option's
// (see output_options_json); a font name may hold blanks, never a line end.
bool parse_options(const char* text, OutputOptions& options, std::string& message) {
  std::string_view rest = text ? text : "";
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (line.empty()) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      message = "unknown option '" + std::string(line) + "'";
      return false;
    }
    message = set_output_option(options, line.substr(0, eq), line.substr(eq + 1));
    if (!message.empty()) return false;
  }
  return true;
}

// A list of names, each ended by a zero byte, the list ended by one more.
const char* name_list(std::string& out, const std::vector<std::string>& names) {
  out.clear();
  for (const std::string& name : names) {
    out += name;
    out += '\0';
  }
  out += '\0';
  return out.data();
}

// config.ini and the keyword files, as shipped in data/.  Made once and kept
// for the life of the module.
SyntaxSource& pack() {
  static MemorySyntaxSource* source = [] {
    using web::PACK_FILES;
    auto* s = new MemorySyntaxSource(std::string(PACK_FILES[0].data, PACK_FILES[0].size));
    for (std::size_t i = 1; i < web::PACK_FILE_COUNT; ++i)
      s->add_keyword_file(PACK_FILES[i].name, std::string(PACK_FILES[i].data, PACK_FILES[i].size));
    return s;
  }();
  return *source;
}

}  // namespace

extern "C" {

// Converts text[0..size) under the named syntax.  options lists the choices
// (see parse_options), as vorel-convert's defaults where it says nothing.
// Returns 1 on success (vorel_markup() holds the markup), 0 on failure
// (vorel_message() says why, in the words of vorel-convert).
EMSCRIPTEN_KEEPALIVE int vorel_convert(const char* text, std::size_t size, const char* syntax,
                                       const char* options) {
  result = Result();
  OutputOptions opt;
  if (!parse_options(options, opt, result.message)) return 0;

  if (const void* zero = std::memchr(text, 0, size)) {
    result.message = text::nul_byte_message(static_cast<uint64_t>(static_cast<const char*>(zero) - text));
    return 0;
  }
  const text::LineEndForm form = text::line_end_form(text, size);
  std::string normalised;
  if (form.normalised_size) {
    normalised.resize(form.normalised_size);
    normalised.resize(text::normalise_line_ends(text, size, normalised.data()));
    text = normalised.data();
    size = normalised.size();
  }

  ConversionContext ctx = conversion_context(opt);
  StringSink sink(size + size / 2 + 4096);
  const std::string name = syntax ? syntax : "";
  if (!convert_stream(ctx, std::string_view(text, size), pack(), name.c_str(), sink, form.line_ends)) {
    result.message = text::conversion_failure_message(ctx, name);
    return 0;
  }
  result.markup = sink.take();
  result.original_length = text::length_with_crlf(text, size, form.line_ends);
  result.stats = ctx.stats;
  result.last_line = ctx.line_counter;
  result.markup_utf8 = is_non_ascii_utf8(result.markup);
  return 1;
}

EMSCRIPTEN_KEEPALIVE const char* vorel_markup() { return result.markup.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t vorel_markup_size() { return result.markup.size(); }
EMSCRIPTEN_KEEPALIVE const char* vorel_message() { return result.message.c_str(); }
EMSCRIPTEN_KEEPALIVE int32_t vorel_keyword_load_ms() { return result.stats.keyword_load_ms; }
EMSCRIPTEN_KEEPALIVE int32_t vorel_conversion_ms() { return result.stats.conversion_ms; }
EMSCRIPTEN_KEEPALIVE double vorel_original_length() { return static_cast<double>(result.original_length); }
EMSCRIPTEN_KEEPALIVE uint32_t vorel_last_line() { return result.last_line; }
// 1 when the markup reads as UTF-8, 0 when as Big5: how the page shows and
// copies it (the automatic charset's rule, applied to the markup's bytes).
EMSCRIPTEN_KEEPALIVE int vorel_markup_is_utf8() { return result.markup_utf8; }
// Frees the markup once the page has copied it out.
EMSCRIPTEN_KEEPALIVE void vorel_release() { result = Result(); }

// How the page shows an opened file: 2 when text[0..size) reads as UTF-8, 1
// when as Big5 (the automatic charset's rule), 0 when it is plain ASCII and
// reads the same either way.
EMSCRIPTEN_KEEPALIVE int vorel_text_charset(const char* text, std::size_t size) {
  const std::string_view t(text, size);
  if (choose_charset(CharsetChoice::AUTO, t) == Charset::UTF8) return 2;
  return std::any_of(t.begin(), t.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; }) ? 1 : 0;
}

// Every section name of the embedded config.ini (see name_list).
EMSCRIPTEN_KEEPALIVE const char* vorel_syntax_names() {
  static std::string names;
  return name_list(names, pack().section_names());
}

// The sections whose "files" patterns match a file's name, the choice first
// (see name_list).
EMSCRIPTEN_KEEPALIVE const char* vorel_syntaxes_for_file(const char* file_name) {
  static std::string names;
  return name_list(names, syntaxes_for_file(pack(), file_name ? file_name : ""));
}

// The syntax a text asks for, as vorel-convert chooses it without --syntax
// (see pick_syntax): its name (file_name, "" for a pasted text), "#!" line,
// modeline, first lines, else the guess.  The list (see name_list) holds the
// rule's name ("none" alone when nothing fits), the syntax, and the sections
// the name matches.
EMSCRIPTEN_KEEPALIVE const char* vorel_pick_syntax(const char* text, std::size_t size,
                                                   const char* file_name) {
  static const LanguageGuesser guesser(pack());
  static std::string list;
  const SyntaxPick pick =
      pick_syntax(pack(), file_name ? file_name : "", std::string_view(text, size), &guesser);
  std::vector<std::string> names{syntax_rule_name(pick.rule)};
  if (!pick.syntax.empty()) {
    names.push_back(pick.syntax);
    names.insert(names.end(), pick.name_matches.begin(), pick.name_matches.end());
  }
  return name_list(list, names);
}

// The output options as JSON (output_options_json): the page builds its
// controls from them.
EMSCRIPTEN_KEEPALIVE const char* vorel_output_options() {
  static const std::string json = output_options_json();
  return json.c_str();
}

}  // extern "C"
