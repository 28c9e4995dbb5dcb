// An output sink with a window of a few bytes, so that nearly every write overflows.
#pragma once

#include <string>
#include <vector>

#include "engine/convert.h"

namespace fuzz {

class TinySink final : public vorel::OutputSink {
 public:
  explicit TinySink(std::size_t window) : buf_(window) {
    pos_ = buf_.data();
    end_ = pos_ + window;
  }
  bool finish() override {
    out.append(buf_.data(), pos_ - buf_.data());
    pos_ = buf_.data();
    return true;
  }
  std::string out;

 protected:
  void overflow(const char* data, std::size_t size) override {
    finish();
    out.append(data, size);
  }

 private:
  std::vector<char> buf_;
};

}  // namespace fuzz
