// The conversion engine's entry points: flags, statistics, markup options and
// the conversions.  Callers (the Windows program, vorel-convert, tests) own one
// ConversionContext and pass it in; the engine keeps no mutable globals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/markup.h"
#include "engine/sink.h"
#include "engine/syntax.h"

namespace vorel {

constexpr uint32_t FLAG_LINE_NUMBERS = 0x100;
constexpr uint32_t FLAG_HTML = 0x10000;

// The four numbers of the result dialog, in this order.
struct ConversionStats {
  int32_t keyword_load_ms = 0;
  int32_t conversion_ms = 0;
  int32_t original_length = 0;
  int32_t converted_length = 0;
};

// The values that live for the whole program: set by the caller before a
// conversion (flags, first line number), updated by it (last line number,
// timings).
struct ConversionContext {
  uint32_t flags = 0;
  uint32_t line_counter = 0;
  ConversionStats stats;
  MarkupOptions markup;
  // After a failed conversion: the keyword file that could not be loaded
  // (full path), or empty when the output could not be written.
  std::string failed_file;
};

// The HTML page frame around the code: the thirteen lines before it (each
// ended by CR LF) and the "</pre>" after it.
std::string_view html_page_header();
std::string_view html_page_footer();

// Converts text under the named syntax of config.ini (in program_dir()) and
// returns the finished markup: the HTML frame when ctx.flags has FLAG_HTML,
// line numbers from ctx.line_counter when it has FLAG_LINE_NUMBERS.  The text
// ends at its first zero byte.  capacity is only a reservation hint: the output
// grows as needed.  Empty when a keyword file the syntax names cannot be
// loaded (ctx.failed_file names it).  Sets ctx.stats' two timings.
std::optional<std::string> convert_text(ConversionContext& ctx, const char* text, std::size_t capacity,
                                        const char* syntax_name);

// How the lines of a text end.  CR_LF is the editor's form: a CR ends a line
// and one LF after it writes nothing.  LF is Unix text: every line ends in an
// LF and there is no CR; it converts exactly as its CR LF copy would, without
// the caller making that copy.
enum class LineEnds { CR_LF, LF };

// The streaming form: text is text.size() bytes (it need not be followed by a
// zero byte; a zero byte inside ends it).  Returns false when a keyword file
// cannot be loaded (nothing is written then) or the sink failed.
bool convert_stream(ConversionContext& ctx, std::string_view text, const char* syntax_name, OutputSink& sink,
                    LineEnds line_ends = LineEnds::CR_LF);
// The same with the syntax read from source instead of config.ini.
bool convert_stream(ConversionContext& ctx, std::string_view text, SyntaxSource& source,
                    const char* syntax_name, OutputSink& sink, LineEnds line_ends = LineEnds::CR_LF);
// The same with a syntax read already (ctx.stats.keyword_load_ms is 0); false
// only when the sink failed.
bool convert_stream(ConversionContext& ctx, std::string_view text, const Syntax& syntax, OutputSink& sink,
                    LineEnds line_ends = LineEnds::CR_LF);

}  // namespace vorel
