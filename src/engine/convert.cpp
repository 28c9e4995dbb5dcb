// The conversion driver: syntax loading, the HTML page around the block, scanning with
// the emitter, line numbering, timings; and the file sink.
#include "engine/convert.h"

#include <chrono>
#include <cstring>
#include <new>
#include <stdexcept>

#include "engine/emitter.h"
#include "engine/number_lines.h"
#include "engine/page.h"
#include "engine/scanner.h"
#include "engine/syntax.h"
#include "engine/tabs.h"
#include "settings/settings.h"

namespace vorel {

namespace {

int32_t elapsed_ms(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
  return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
}

}  // namespace

std::string_view html_page_header() { return page_text(PageStyle::CLASSIC, false, Charset::BIG5).head; }
std::string_view html_page_footer() { return page_text(PageStyle::CLASSIC, false, Charset::BIG5).tail; }

namespace {

using Clock = std::chrono::steady_clock;

bool convert_or_throw(ConversionContext& ctx, std::string_view text, const Syntax& syntax, OutputSink& sink,
                      LineEnds line_ends, Clock::time_point start) {
  const bool html = (ctx.flags & FLAG_HTML) != 0;
  const bool lf_lines = line_ends == LineEnds::LF;
  const MarkupOptions& options = ctx.markup;
  std::string expanded;
  if (options.tab_width) {
    expanded = expand_tabs(text, options.tab_width);
    text = expanded;
  }
  PageText page;
  if (html) page = page_text(options.page, options.fragment, choose_charset(options.charset, text));
  sink.write(page.head);
  // The font tag holds the line numbers too: it goes straight to the sink.
  const bool font = !html && usable_font_name(options.ubb_font);
  if (font) {
    sink.write("[font=", 6);
    sink.write(options.ubb_font);
    sink.put(']');
  }

  if (ctx.flags & FLAG_LINE_NUMBERS) {
    LineNumberSink numbered(sink, ctx.line_counter,
                            html ? number_style(options.page, options.fragment) : NumberStyle::TEXT);
    scan_with(syntax, text, lf_lines, Emitter(syntax, html, ctx.markup, lf_lines, numbered));
    numbered.finish();
    ctx.line_counter = numbered.line_counter();
  } else {
    scan_with(syntax, text, lf_lines, Emitter(syntax, html, ctx.markup, lf_lines, sink));
  }

  sink.write(page.tail);
  if (font) sink.write("[/font]", 7);
  const bool ok = sink.finish();
  ctx.stats.conversion_ms = elapsed_ms(start, Clock::now());
  return ok;
}

// Out of memory ends a conversion as a failed write does: no output.
template <class Convert>
bool guarded(Convert&& convert) {
  try {
    return convert();
  } catch (const std::bad_alloc&) { return false; } catch (const std::length_error&) {
    return false;
  }
}

}  // namespace

bool convert_stream(ConversionContext& ctx, std::string_view text, const Syntax& syntax, OutputSink& sink,
                    LineEnds line_ends) {
  return guarded([&] {
    ctx.failed_file.clear();
    ctx.stats.keyword_load_ms = 0;
    return convert_or_throw(ctx, text, syntax, sink, line_ends, Clock::now());
  });
}

bool convert_stream(ConversionContext& ctx, std::string_view text, SyntaxSource& source,
                    const char* syntax_name, OutputSink& sink, LineEnds line_ends) {
  return guarded([&] {
    const Clock::time_point start = Clock::now();
    ctx.failed_file.clear();
    const std::optional<Syntax> syntax = read_syntax(source, syntax_name, &ctx.failed_file);
    if (!syntax) return false;
    const Clock::time_point loaded = Clock::now();
    ctx.stats.keyword_load_ms = elapsed_ms(start, loaded);
    return convert_or_throw(ctx, text, *syntax, sink, line_ends, loaded);
  });
}

bool convert_stream(ConversionContext& ctx, std::string_view text, const char* syntax_name, OutputSink& sink,
                    LineEnds line_ends) {
  SettingsSyntaxSource source;
  return convert_stream(ctx, text, source, syntax_name, sink, line_ends);
}

std::optional<std::string> convert_text(ConversionContext& ctx, const char* text, std::size_t capacity,
                                        const char* syntax_name) {
  try {
    StringSink sink(capacity);
    if (!convert_stream(ctx, text ? std::string_view(text) : std::string_view(), syntax_name, sink))
      return std::nullopt;
    return sink.take();
  } catch (const std::bad_alloc&) { return std::nullopt; }
}

}  // namespace vorel
