// The conversion driver: syntax and keyword loading, the HTML page frame,
// scanning with the emitter, line numbering, timings; and the output sinks.
#include "engine/convert.h"

#include <chrono>
#include <cstring>
#include <new>
#include <stdexcept>

#include "engine/emitter.h"
#include "engine/number_lines.h"
#include "engine/scanner.h"
#include "engine/syntax.h"
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

bool convert_stream_or_throw(ConversionContext& ctx, std::string_view text, const char* syntax_name,
                             OutputSink& sink, LineEnds line_ends) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  ctx.failed_file.clear();

  ScanState state;
  state.text = text;
  if (!load_syntax(state, syntax_name, &ctx.failed_file)) return false;
  state.lf_lines = line_ends == LineEnds::LF;
  const Clock::time_point loaded = Clock::now();
  ctx.stats.keyword_load_ms = elapsed_ms(start, loaded);

  const bool html = (ctx.flags & FLAG_HTML) != 0;
  if (html) sink.write(HTML_FRAME, HTML_FRAME_SIZE);

  if (ctx.flags & FLAG_LINE_NUMBERS) {
    LineNumberSink numbered(sink, ctx.line_counter);
    Emitter emitter(state, html, numbered);
    state.out = &numbered;
    scan_with(state, emitter);
    numbered.finish();
    ctx.line_counter = numbered.line_counter();
  } else {
    Emitter emitter(state, html, sink);
    state.out = &sink;
    scan_with(state, emitter);
  }
  state.out = nullptr;

  if (html) sink.write(HTML_FOOTER, sizeof HTML_FOOTER - 1);
  const bool ok = sink.finish();
  ctx.stats.conversion_ms = elapsed_ms(loaded, Clock::now());
  return ok;
}

}  // namespace

bool convert_stream(ConversionContext& ctx, std::string_view text, const char* syntax_name,
                    OutputSink& sink, LineEnds line_ends) {
  try {
    return convert_stream_or_throw(ctx, text, syntax_name, sink, line_ends);
  } catch (const std::bad_alloc&) {
    return false;  // out of memory: no output, like a failed write
  } catch (const std::length_error&) {
    return false;
  }
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

void OutputSink::write_long(const char* data, std::size_t size) {
  std::memcpy(pos_, data, size);
  pos_ += size;
}

// StringSink grows its string a slice at a time inside a reservation, so the
// capacity hint costs address space, not page-touching zero fills.
namespace {
constexpr std::size_t STRING_SLICE = 64 * 1024;
}

StringSink::StringSink(std::size_t reserve) {
  // Only a hint: when so much cannot be had, the string grows as it goes.
  try {
    if (reserve) buf_.reserve(reserve);
  } catch (const std::exception&) {
  }
}

void StringSink::overflow(const char* data, std::size_t size) {
  const std::size_t used = pos_ ? static_cast<std::size_t>(pos_ - buf_.data()) : 0;
  std::size_t want = used + size;
  if (want < used + STRING_SLICE) want = used + STRING_SLICE;
  if (want > buf_.capacity()) {
    std::size_t grown = buf_.capacity() * 2;
    buf_.reserve(grown > want ? grown : want);
  }
  buf_.resize(want);
  char* base = buf_.data();
  std::memcpy(base + used, data, size);
  pos_ = base + used + size;
  end_ = base + buf_.size();
}

bool StringSink::finish() {
  buf_.resize(size());
  pos_ = end_ = buf_.empty() ? nullptr : buf_.data() + buf_.size();
  return true;
}

std::size_t StringSink::size() const {
  return pos_ ? static_cast<std::size_t>(pos_ - buf_.data()) : 0;
}

std::string StringSink::take() {
  finish();
  std::string out = std::move(buf_);
  buf_ = std::string();
  pos_ = end_ = nullptr;
  return out;
}

}  // namespace vorel
