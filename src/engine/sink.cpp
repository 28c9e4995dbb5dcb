// Output sinks: the long-write path and the in-memory sink.
#include "engine/sink.h"

#include <stdexcept>

namespace vorel {

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
  } catch (const std::exception&) {}
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

std::size_t StringSink::size() const { return pos_ ? static_cast<std::size_t>(pos_ - buf_.data()) : 0; }

std::string StringSink::take() {
  finish();
  std::string out = std::move(buf_);
  buf_ = std::string();
  pos_ = end_ = nullptr;
  return out;
}

}  // namespace vorel
