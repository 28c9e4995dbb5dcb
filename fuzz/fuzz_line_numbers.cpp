// Fuzzes line numbering: number_lines and the streaming LineNumberSink against a plain
// re-statement of the rule, from any first number (the counter wraps at 4294967295).
//
// Input: first line number (4 bytes, little-endian), skip, sink buffer size, write
// chunk size (1 byte each), then the text.
#include <algorithm>
#include <string>

#include "engine/number_lines.h"
#include "fuzz_util.h"
#include "markup_check.h"
#include "tiny_sink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 7) return -1;
  const uint32_t first = data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24;
  const std::string text(reinterpret_cast<const char*>(data) + 7, size - 7);
  const std::size_t skip = std::min<std::size_t>(data[4], text.size());
  const std::size_t buffer_size = data[5];
  const std::size_t chunk = data[6] % 64 + 1;

  // The lines after skip end at the first zero byte.
  const std::string rest = std::string(text.c_str() + skip, strnlen(text.c_str() + skip, text.size() - skip));
  uint32_t expected_last = first;
  const std::string expected = fuzz::reference_number_lines(rest, expected_last);

  uint32_t counter = first;
  const std::string numbered = vorel::number_lines(text, skip, counter);
  FUZZ_CHECK(numbered.compare(0, skip, text, 0, skip) == 0);
  FUZZ_CHECK(numbered.compare(skip, std::string::npos, expected) == 0);
  FUZZ_CHECK(counter == expected_last);

  // The streaming filter, fed in pieces of every size, writes the same bytes.
  fuzz::TinySink down(data[6] >> 6);
  {
    vorel::LineNumberSink sink(down, first, buffer_size);
    const std::string_view all(text.data() + skip, text.size() - skip);
    for (std::size_t at = 0; at < all.size(); at += chunk) {
      std::string_view piece = all.substr(at, chunk);
      if (piece.size() == 1) sink.put(piece[0]);
      else sink.write(piece);
    }
    FUZZ_CHECK(sink.finish());
    FUZZ_CHECK(sink.line_counter() == expected_last);
  }
  down.finish();
  FUZZ_CHECK(down.out == expected);
  return 0;
}
