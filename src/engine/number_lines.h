// Line numbering of finished markup: the streaming filter the driver puts in
// front of its output, and the whole-buffer form (the same filter).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/sink.h"

namespace vorel {

// text with its first skip bytes unchanged and every line after them
// numbered: CR LF and the number right-aligned in six columns and a space
// before each line; a CR (and one LF after it) becomes the next line's
// break; a line break at the very end adds no line.  line_counter is the
// first number on entry and the last one on return (it wraps at 2^32).  The
// text ends at its first zero byte after skip.
std::string number_lines(std::string_view text, std::size_t skip, uint32_t& line_counter);

// Writes "\r\n" and n as "%6u " (at most 13 bytes) at out; returns the length.
std::size_t format_line_break(char* out, uint32_t n);

// How a line's number is written at its start.
enum class NumberStyle : unsigned char {
  TEXT,          // "\r\n%6u " in place of the line break before it (the classic form)
  MARKER,        // an empty element whose number CSS draws (the modern page)
  UNSELECTABLE,  // "%6u " in an element styled not to be selected (a modern fragment)
};

// Numbers everything written to it on its way to another sink, byte for byte
// as number_lines does; the first number is written on construction.
class LineNumberSink final : public OutputSink {
 public:
  // Except in the TEXT style, line breaks stay where they are, the last one
  // too, and the number goes after them.
  LineNumberSink(OutputSink& downstream, uint32_t first_line, NumberStyle style,
                 std::size_t buffer_size = 64 * 1024);
  LineNumberSink(OutputSink& downstream, uint32_t first_line, std::size_t buffer_size = 64 * 1024)
      : LineNumberSink(downstream, first_line, NumberStyle::TEXT, buffer_size) {}
  // Numbers what is buffered; the downstream sink is not finished.
  bool finish() override;
  uint32_t line_counter() const { return counter_; }

 protected:
  void overflow(const char* data, std::size_t size) override;

 private:
  void number(const char* b, const char* e);
  OutputSink& down_;
  std::unique_ptr<char[]> buf_;
  std::size_t cap_;
  uint32_t counter_;
  // The current line's number as written: the next one is mostly this with
  // its last digit (at last_digit_) raised.
  char number_[160];
  std::size_t number_len_ = 0;
  std::size_t last_digit_ = 0;
  NumberStyle style_;
  void format_number();
  void next_number();
  // After a CR: whether one LF may still be skipped, and whether the next
  // line's number is owed (written only if more text follows).
  bool after_cr_ = false;
  bool break_owed_ = false;
  bool ended_ = false;  // a zero byte ended the text
};

}  // namespace vorel
