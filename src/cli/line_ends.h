// Input line ends made CR LF (the editor's form) before conversion.
#pragma once

#include <cstddef>

namespace vorel::cli {

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

}  // namespace vorel::cli
