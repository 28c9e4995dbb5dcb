// Fuzzes vorel-convert's line-end widening (LF, CR LF and a lone CR all become CR LF),
// whole and streamed in pieces, against the plain rule.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "text/line_ends.h"
#include "fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* src = reinterpret_cast<const char*>(data);
  std::string expected;
  for (std::size_t i = 0; i < size; ++i) {
    if (src[i] == '\r') {
      expected += "\r\n";
      if (i + 1 < size && src[i + 1] == '\n') ++i;
    } else if (src[i] == '\n') {
      expected += "\r\n";
    } else {
      expected += src[i];
    }
  }
  const std::size_t growth = vorel::text::line_end_growth(src, size);
  FUZZ_CHECK(size + growth == expected.size());

  // Whole, into exactly the room the growth promises, so that ASan sees a write one byte out.
  {
    std::unique_ptr<char[]> out(new char[size + growth]);
    vorel::text::LineEndNormaliser whole;
    FUZZ_CHECK(whole.feed(src, size, out.get()) == size + growth);
    FUZZ_CHECK(std::string(out.get(), size + growth) == expected);
  }

  // The streaming form, fed in pieces of 1-64 bytes (the first byte picks the size), so
  // that CR LF pairs fall across pieces; each piece's output room is exactly 2n bytes.
  const std::size_t piece = size ? data[0] % 64 + 1 : 1;
  vorel::text::LineEndNormaliser normaliser;
  std::string streamed;
  for (std::size_t at = 0; at < size; at += piece) {
    const std::size_t n = std::min(piece, size - at);
    std::unique_ptr<char[]> room(new char[2 * n]);
    const std::size_t written = normaliser.feed(src + at, n, room.get());
    FUZZ_CHECK(written <= 2 * n);
    streamed.append(room.get(), written);
  }
  FUZZ_CHECK(streamed == expected);
  return 0;
}
