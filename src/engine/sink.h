// Output sinks: where markup goes.  The emitter and the line numbering write
// through OutputSink; StringSink collects the markup in memory.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/byte_search.h"

namespace vorel {

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
  bool finish() override;  // trims the buffer to the bytes written
  std::string take();      // the markup; the sink is empty afterwards
  std::size_t size() const;

 protected:
  void overflow(const char* data, std::size_t size) override;

 private:
  std::string buf_;
};

}  // namespace vorel
