// The conversion driver: syntax loading, the HTML page frame, scanning with
// the emitter, line numbering, timings; and the file sink.
#include "engine/convert.h"

#include <chrono>
#include <cstring>
#include <new>
#include <stdexcept>

#include "engine/emitter.h"
#include "engine/number_lines.h"
#include "engine/scanner.h"
#include "engine/syntax.h"
#include "engine/tabs.h"
#include "settings/settings.h"

namespace vorel {

// The page frame before the code: a font chooser, a copy-all button and a
// word-wrap switch.  Its Chinese texts are Big5.
namespace {

const char HTML_FRAME[] =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=big5\">\r\n"
    "<title> Vorel </title>\r\n"
    "<select name=\"setfontface\" onchange=\"vbscript:code.style.fontfamily= setfontface.value\">\r\n"
    "<option value=\xb2\xd3\xa9\xfa\xc5\xe9>\xa9\xfa\xc5\xe9</option>\r\n"  // 細明體, 明體
    "<option value=Fixedsys>Fixedsys</option>\r\n"
    "<option value=Tahoma>Tahoma</option>\r\n"
    "<option value=Courier>Courier</option>\r\n"
    "<option value=Arial selected>Arial</option>\r\n"
    "</select>\r\n"
    "<input onclick=\"javascript:clipboardData.setData('text',code.innerText)\" type=button "
    "value=\"\xbd\xc6\xbb\x73\xa9\xd2\xa6\xb3\xa5\x4e\xbd\x58\">\r\n"  // 複製所有代碼
    "<input onclick=\"vbscript:if autowrap.checked then code.style.wordwrap='break-word' else "
    "code.style.wordwrap='normal'\" type=\"checkbox\" checked name=\"autowrap\">"
    "<font style='font-size:9pt;'>\xa6\xdb\xb0\xca\xb4\xab\xa6\xe6</font>\r\n"  // 自動換行
    "<hr size=1>\r\n"
    "<pre style=\"font-family:arial;font-size:9pt;word-wrap:break-word;\" id=code>\r\n";
const std::size_t HTML_FRAME_SIZE = sizeof HTML_FRAME - 1;
const char HTML_FOOTER[] = "</pre>";

int32_t elapsed_ms(std::chrono::steady_clock::time_point from, std::chrono::steady_clock::time_point to) {
  return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
}

}  // namespace

std::string_view html_page_header() { return {HTML_FRAME, HTML_FRAME_SIZE}; }
std::string_view html_page_footer() { return {HTML_FOOTER, sizeof HTML_FOOTER - 1}; }

namespace {

using Clock = std::chrono::steady_clock;

bool convert_or_throw(ConversionContext& ctx, std::string_view text, const Syntax& syntax, OutputSink& sink,
                      LineEnds line_ends, Clock::time_point start) {
  const bool html = (ctx.flags & FLAG_HTML) != 0;
  const bool lf_lines = line_ends == LineEnds::LF;
  std::string expanded;
  if (ctx.markup.tab_width) {
    expanded = expand_tabs(text, ctx.markup.tab_width);
    text = expanded;
  }
  // The font tag holds the line numbers too: it goes straight to the sink.
  const bool font = !html && usable_font_name(ctx.markup.ubb_font);
  if (html) sink.write(HTML_FRAME, HTML_FRAME_SIZE);
  if (font) {
    sink.write("[font=", 6);
    sink.write(ctx.markup.ubb_font);
    sink.put(']');
  }

  if (ctx.flags & FLAG_LINE_NUMBERS) {
    LineNumberSink numbered(sink, ctx.line_counter);
    scan_with(syntax, text, lf_lines, Emitter(syntax, html, ctx.markup, lf_lines, numbered));
    numbered.finish();
    ctx.line_counter = numbered.line_counter();
  } else {
    scan_with(syntax, text, lf_lines, Emitter(syntax, html, ctx.markup, lf_lines, sink));
  }

  if (html) sink.write(HTML_FOOTER, sizeof HTML_FOOTER - 1);
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
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
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

bool convert_stream(ConversionContext& ctx, std::string_view text, const char* syntax_name,
                    OutputSink& sink, LineEnds line_ends) {
  SettingsSyntaxSource source;
  return convert_stream(ctx, text, source, syntax_name, sink, line_ends);
}

std::optional<std::string> convert_text(ConversionContext& ctx, const char* text,
                                        std::size_t capacity, const char* syntax_name) {
  try {
    StringSink sink(capacity);
    if (!convert_stream(ctx, text ? std::string_view(text) : std::string_view(), syntax_name, sink))
      return std::nullopt;
    return sink.take();
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace vorel
