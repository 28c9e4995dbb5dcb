// The conversion engine's entry points: flags, statistics, output sinks and
// convert_text.  Callers (the Windows program, vorel-convert, tests) own one
// ConversionContext and pass it in; the engine keeps no mutable globals.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "engine/byte_search.h"

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
  // After a failed conversion: the keyword file that could not be loaded
  // (full path), or empty when the output could not be written.
  std::string failed_file;
};

// Where markup goes.  Appends are inline and cheap; when the current window is
// full, overflow() grows the buffer or flushes it.
class OutputSink {
 public:
  virtual ~OutputSink() = default;

  void write(const char* data, std::size_t size) {
    if (size <= static_cast<std::size_t>(end_ - pos_)) {
      // Most writes are a few bytes: copied inline, not by a library call.
      if (size <= 32) {
        detail::copy_small(pos_, data, size);
        pos_ += size;
      } else {
        write_long(data, size);
      }
    } else {
      overflow(data, size);
    }
  }
  void write(std::string_view s) { write(s.data(), s.size()); }
  // Appends the first size bytes of data, which must be readable for N bytes
  // (size <= N): one fixed-size copy when the window has room for N.  Bytes
  // of the window past the write position are scratch to every sink.
  template <std::size_t N>
  void write_padded(const char* data, std::size_t size) {
    if (static_cast<std::size_t>(end_ - pos_) >= N) {
      std::memcpy(pos_, data, N);
      pos_ += size;
    } else {
      write(data, size);
    }
  }
  void put(char c) {
    if (pos_ != end_) *pos_++ = c;
    else overflow(&c, 1);
  }
  // Pushes buffered bytes to their destination; false after any write error.
  virtual bool finish() = 0;

 protected:
  // Must make room for and append data[0..size).
  virtual void overflow(const char* data, std::size_t size) = 0;
  // Appends more than 32 bytes that fit the window.
  void write_long(const char* data, std::size_t size);
  char* pos_ = nullptr;
  char* end_ = nullptr;
};

// Collects the markup in memory (the Windows program's editor).
class StringSink final : public OutputSink {
 public:
  explicit StringSink(std::size_t reserve = 0);
  bool finish() override;       // trims the buffer to the bytes written
  std::string take();           // the markup; the sink is empty afterwards
  std::size_t size() const;

 protected:
  void overflow(const char* data, std::size_t size) override;

 private:
  std::string buf_;
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
std::optional<std::string> convert_text(ConversionContext& ctx, const char* text,
                                        std::size_t capacity, const char* syntax_name);

// How the lines of a text end.  CR_LF is the editor's form: a CR ends a line
// and one LF after it writes nothing.  LF is Unix text: every line ends in an
// LF and there is no CR; it converts exactly as its CR LF copy would, without
// the caller making that copy.
enum class LineEnds { CR_LF, LF };

// The streaming form: text is text.size() bytes (it need not be followed by a
// zero byte; a zero byte inside ends it).  Returns false when a keyword file
// cannot be loaded (nothing is written then) or the sink failed.
bool convert_stream(ConversionContext& ctx, std::string_view text, const char* syntax_name,
                    OutputSink& sink, LineEnds line_ends = LineEnds::CR_LF);

}  // namespace vorel
