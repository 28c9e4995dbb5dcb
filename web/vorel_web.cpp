// The engine for the web page: one conversion call and the syntax list,
// exported to JavaScript.  The language pack is compiled in (pack_data.h) and
// read through a MemorySyntaxSource, by the same rules as the programs' files.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <emscripten/emscripten.h>

#include "cli/line_ends.h"
#include "engine/convert.h"
#include "engine/syntax.h"
#include "web/pack_data.h"

namespace {

using namespace vorel;

// What the page chose besides the syntax and the first line number.  Each
// option word of the page maps to one entry here: a new mode is one line.
struct WebOptions {
  bool html = true;
  bool line_numbers = false;
  // As vorel-convert's defaults: the page declares UTF-8 for UTF-8 input
  // that is not plain ASCII, Big5 otherwise.
  MarkupOptions markup{.charset = CharsetChoice::AUTO};
};

struct OptionWord {
  const char* word;
  void (*apply)(WebOptions&);
};

constexpr OptionWord OPTION_WORDS[] = {
    {"html", [](WebOptions& o) { o.html = true; }},
    {"ubb", [](WebOptions& o) { o.html = false; }},
    {"numbered", [](WebOptions& o) { o.line_numbers = true; }},
};

// The last conversion's result; the page reads it through the accessors below
// before it converts again.
struct Result {
  std::string markup;
  std::string message;  // what vorel-convert would print as its error, "" on success
  ConversionStats stats;
  uint64_t original_length = 0;  // counted with CR LF line ends, as vorel-convert's --stats
  uint32_t last_line = 0;
};
Result result;

bool parse_options(const char* text, WebOptions& options, std::string& message) {
  std::string_view rest = text ? text : "";
  while (!rest.empty()) {
    const std::size_t space = rest.find(' ');
    const std::string_view word = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    if (word.empty()) continue;
    bool known = false;
    for (const OptionWord& o : OPTION_WORDS) {
      if (word == o.word) {
        o.apply(options);
        known = true;
      }
    }
    if (!known) {
      message = "unknown option '" + std::string(word) + "'";
      return false;
    }
  }
  return true;
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

// Converts text[0..size) under the named syntax.  options is a space-separated
// list of option words ("html", "ubb", "numbered", ...); first_line is the
// first line number when numbering.  Returns 1 on success (vorel_markup()
// holds the markup), 0 on failure (vorel_message() says why, in the words of
// vorel-convert).
EMSCRIPTEN_KEEPALIVE int vorel_convert(const char* text, std::size_t size, const char* syntax,
                                       const char* options, uint32_t first_line) {
  result = Result();
  WebOptions opt;
  if (!parse_options(options, opt, result.message)) return 0;

  if (const void* zero = std::memchr(text, 0, size)) {
    result.message = "the input contains a NUL byte at offset " +
                     std::to_string(static_cast<const char*>(zero) - text) + "; it is not a text file";
    return 0;
  }
  // Unix text converts as it is; any other line ends are made CR LF first, as
  // vorel-convert does (CR LF text is left as it was).
  LineEnds line_ends = LineEnds::LF;
  std::string crlf;
  if (std::memchr(text, '\r', size)) {
    const std::size_t growth = cli::line_end_growth(text, size);
    if (growth) {
      crlf.resize(size + growth);
      cli::LineEndNormaliser normaliser;
      crlf.resize(normaliser.feed(text, size, crlf.data()));
      text = crlf.data();
      size = crlf.size();
    }
    line_ends = LineEnds::CR_LF;
  }

  ConversionContext ctx;
  ctx.flags = (opt.html ? FLAG_HTML : 0) | (opt.line_numbers ? FLAG_LINE_NUMBERS : 0);
  ctx.line_counter = first_line;
  ctx.markup = opt.markup;
  StringSink sink(size + size / 2 + 4096);
  const char* name = syntax ? syntax : "";
  if (!convert_stream(ctx, std::string_view(text, size), pack(), name, sink, line_ends)) {
    if (!ctx.failed_file.empty())
      result.message = "cannot read keyword file '" + ctx.failed_file + "' named by syntax '" + name + "'";
    else result.message = "not enough memory for the markup";
    return 0;
  }
  result.markup = sink.take();
  result.original_length = size;
  if (line_ends == LineEnds::LF)
    result.original_length += static_cast<uint64_t>(std::count(text, text + size, '\n'));
  result.stats = ctx.stats;
  result.last_line = ctx.line_counter;
  return 1;
}

EMSCRIPTEN_KEEPALIVE const char* vorel_markup() { return result.markup.data(); }
EMSCRIPTEN_KEEPALIVE std::size_t vorel_markup_size() { return result.markup.size(); }
EMSCRIPTEN_KEEPALIVE const char* vorel_message() { return result.message.c_str(); }
EMSCRIPTEN_KEEPALIVE int32_t vorel_keyword_load_ms() { return result.stats.keyword_load_ms; }
EMSCRIPTEN_KEEPALIVE int32_t vorel_conversion_ms() { return result.stats.conversion_ms; }
EMSCRIPTEN_KEEPALIVE double vorel_original_length() { return static_cast<double>(result.original_length); }
EMSCRIPTEN_KEEPALIVE uint32_t vorel_last_line() { return result.last_line; }
// Frees the markup once the page has copied it out.
EMSCRIPTEN_KEEPALIVE void vorel_release() { result = Result(); }

// Every section name of the embedded config.ini, each ended by a zero byte,
// the list ended by one more.
EMSCRIPTEN_KEEPALIVE const char* vorel_syntax_names() {
  static std::string names;
  names.clear();
  for (const std::string& name : pack().section_names()) {
    names += name;
    names += '\0';
  }
  names += '\0';
  return names.data();
}

// The names of the option words the module understands, space-separated, so
// the page can offer exactly the modes this engine has.
EMSCRIPTEN_KEEPALIVE const char* vorel_option_words() {
  static std::string words;
  if (words.empty()) {
    for (const OptionWord& o : OPTION_WORDS) {
      if (!words.empty()) words += ' ';
      words += o.word;
    }
  }
  return words.c_str();
}

}  // extern "C"
