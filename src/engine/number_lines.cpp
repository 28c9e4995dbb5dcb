// Line numbering: the streaming filter, and the whole-buffer form run through it.
#include "engine/number_lines.h"

#include <cstring>

namespace vorel {

std::size_t format_line_break(char* out, uint32_t n) {
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n);
  std::size_t len = 0;
  out[len++] = '\r';
  out[len++] = '\n';
  for (int pad = 6 - count; pad > 0; --pad) out[len++] = ' ';
  while (count) out[len++] = digits[--count];
  out[len++] = ' ';
  return len;
}

std::string number_lines(std::string_view text, std::size_t skip, uint32_t& line_counter) {
  if (skip > text.size()) skip = text.size();
  StringSink out(text.size() + text.size() / 4 + 64);
  out.write(text.data(), skip);
  LineNumberSink numbered(out, line_counter);
  numbered.write(text.substr(skip));
  numbered.finish();
  line_counter = numbered.line_counter();
  return out.take();
}

namespace {

// The text around a number in the styles that write it inside an element.
constexpr std::string_view MARKER_OPEN = "<span data-n=";
constexpr std::string_view MARKER_CLOSE = "></span>";
constexpr std::string_view UNSELECTABLE_OPEN =
    "<span style=\"-webkit-user-select:none;user-select:none;display:inline-block;color:#999;"
    "font-weight:normal;font-style:normal\">";
constexpr std::string_view UNSELECTABLE_CLOSE = "</span>";

}  // namespace

LineNumberSink::LineNumberSink(OutputSink& downstream, uint32_t first_line, NumberStyle style,
                               std::size_t buffer_size)
    : down_(downstream),
      buf_(new char[buffer_size ? buffer_size : 1]),
      cap_(buffer_size ? buffer_size : 1),
      counter_(first_line),
      style_(style) {
  format_number();
  down_.write(number_, number_len_);
  pos_ = buf_.get();
  end_ = buf_.get() + cap_;
}

void LineNumberSink::format_number() {
  auto put = [this](std::string_view s) {
    std::memcpy(number_ + number_len_, s.data(), s.size());
    number_len_ += s.size();
  };
  number_len_ = 0;
  switch (style_) {
    case NumberStyle::TEXT:
      number_len_ = format_line_break(number_, counter_);
      last_digit_ = number_len_ - 2;
      return;
    case NumberStyle::MARKER: {
      put(MARKER_OPEN);
      char digits[16];
      // "\r\n%6u " without its line break and padding.
      const std::size_t n = format_line_break(digits, counter_);
      std::size_t first = 2;
      while (digits[first] == ' ') ++first;
      put(std::string_view(digits + first, n - 1 - first));
      last_digit_ = number_len_ - 1;
      put(MARKER_CLOSE);
      return;
    }
    case NumberStyle::UNSELECTABLE: {
      put(UNSELECTABLE_OPEN);
      char digits[16];
      const std::size_t n = format_line_break(digits, counter_);
      put(std::string_view(digits + 2, n - 2));
      last_digit_ = number_len_ - 2;
      put(UNSELECTABLE_CLOSE);
      return;
    }
  }
}

void LineNumberSink::next_number() {
  ++counter_;
  char& last = number_[last_digit_];
  if (last != '9' && counter_ != 0) ++last;  // no carry, no wrap past 4294967295
  else format_number();
}

void LineNumberSink::number(const char* b, const char* e) {
  while (b != e && !ended_) {
    if (after_cr_) {
      after_cr_ = false;
      if (*b == '\n') {
        ++b;
        continue;
      }
    }
    if (break_owed_) {
      if (*b == 0) {
        ended_ = true;
        return;
      }
      break_owed_ = false;
      next_number();
      down_.write(number_, number_len_);
    }
    // Copy up to the next CR (or zero) in one piece.
    const char* stop = detail::find_any_of3(b, e, '\r', '\0', '\r');
    down_.write(b, static_cast<std::size_t>(stop - b));
    if (stop == e) return;
    if (*stop == 0) {
      ended_ = true;
      return;
    }
    after_cr_ = true;
    break_owed_ = true;
    if (style_ != NumberStyle::TEXT) down_.write("\r\n", 2);
    b = stop + 1;
  }
}

void LineNumberSink::overflow(const char* data, std::size_t size) {
  number(buf_.get(), pos_);
  pos_ = buf_.get();
  if (size >= cap_) {
    number(data, data + size);
  } else {
    std::memcpy(pos_, data, size);
    pos_ += size;
  }
}

bool LineNumberSink::finish() {
  number(buf_.get(), pos_);
  pos_ = buf_.get();
  return true;
}

}  // namespace vorel
