// Input line ends settled for the engine, the way vorel-convert and the web
// page both take a text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/convert.h"

namespace vorel::text {

// How a text goes to the engine.  Text without a CR is Unix text (LF) and
// converts as it is; text whose every CR is followed by an LF, and every LF
// preceded by a CR, is the CR LF form and also converts as it is.  Anything
// else (mixed line ends, lone CRs) converts as a copy with each LF, CR LF and
// lone CR made CR LF: normalised_size is that copy's size, 0 when no copy is
// needed.
struct LineEndForm {
  LineEnds line_ends = LineEnds::LF;
  std::size_t normalised_size = 0;
};
LineEndForm line_end_form(const char* text, std::size_t n);

// Writes the copy line_end_form asked for into dst, which has room for its
// normalised_size bytes; returns the number of bytes written.
std::size_t normalise_line_ends(const char* src, std::size_t n, char* dst);

// The text's length with CR LF line ends (what the Windows program counts).
std::uint64_t length_with_crlf(const char* text, std::size_t n, LineEnds line_ends);

// What normalising the bytes src[0..n) to CR LF line ends adds: one byte for
// every LF without a CR before it and every CR without an LF after it.
std::size_t line_end_growth(const char* src, std::size_t n);

// Writes text with LF, CR LF and a lone CR each made CR LF, in one forward
// pass over pieces of it: a CR at the end of one piece and an LF at the start
// of the next are one line end.
class LineEndNormaliser {
 public:
  // Writes src[0..n) normalised to dst, which has room for 2 * n bytes (or, for
  // a whole text, n + line_end_growth); returns the number of bytes written.
  std::size_t feed(const char* src, std::size_t n, char* dst);

 private:
  bool after_cr_ = false;
};

}  // namespace vorel::text
