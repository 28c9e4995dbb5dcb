// vorel-convert's input: a file or standard input read whole, its line ends
// settled for the engine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "text/line_ends.h"
#include "cli/platform.h"
#include "engine/convert.h"

namespace vorel::cli {

// Memory for the input, filled once and read by the engine; large ones in
// large pages where the system has them.
class TextBuffer {
 public:
  TextBuffer() = default;
  explicit TextBuffer(std::size_t capacity);
  TextBuffer(TextBuffer&& o) noexcept { *this = std::move(o); }
  TextBuffer& operator=(TextBuffer&& o) noexcept;
  ~TextBuffer() { release(); }
  char* data() const { return data_; }
  std::size_t capacity() const { return capacity_; }

 private:
  void release();
  std::unique_ptr<char[]> owned_;
  char* data_ = nullptr;
  std::size_t capacity_ = 0;
  platform::PageMapping map_;
};

// The input as the engine gets it: the bytes read, or, when the line ends are
// mixed (or lone CRs), a copy with every line end made CR LF.
struct Input {
  const char* text = nullptr;
  std::size_t size = 0;
  LineEnds line_ends = LineEnds::CR_LF;
  std::int64_t nul_offset = -1;  // where the input had its first NUL byte, if any
  TextBuffer buffer;
  // The text's length with CR LF line ends (what the Windows program counts).
  std::uint64_t original_length() const { return text::length_with_crlf(text, size, line_ends); }
};

// Reads path ("" for standard input) into in; false with message when it
// cannot be read.  Input with a NUL byte is read but not settled.
bool read_input(const std::string& path, Input& in, std::string& message);

}  // namespace vorel::cli
