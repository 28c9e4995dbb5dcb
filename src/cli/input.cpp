// vorel-convert's input: read whole into one buffer, line ends settled.
#include "cli/input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#include "text/line_ends.h"

namespace vorel::cli {

TextBuffer::TextBuffer(std::size_t capacity) : capacity_(capacity ? capacity : 1) {
  if (platform::map_large_pages(capacity_, map_)) {
    data_ = map_.data;
    capacity_ = map_.capacity;
    return;
  }
  owned_.reset(new char[capacity_]);
  data_ = owned_.get();
}

TextBuffer& TextBuffer::operator=(TextBuffer&& o) noexcept {
  if (this != &o) {
    release();
    owned_ = std::move(o.owned_);
    data_ = o.data_;
    capacity_ = o.capacity_;
    map_ = o.map_;
    o.data_ = nullptr;
    o.capacity_ = 0;
    o.map_ = platform::PageMapping();
  }
  return *this;
}

void TextBuffer::release() {
  platform::unmap_pages(map_);
  map_ = platform::PageMapping();
  owned_.reset();
}

namespace {

// Reads everything from f (size_hint: the size of a regular file, else 0).
bool read_all(std::FILE* f, std::size_t size_hint, Input& in) {
  TextBuffer buf(size_hint ? size_hint + 1 : 1 << 20);  // + 1: the end shows without growing
  std::size_t size = 0;
  for (;;) {
    if (size == buf.capacity()) {
      TextBuffer bigger(buf.capacity() * 2);
      std::memcpy(bigger.data(), buf.data(), size);
      buf = std::move(bigger);
    }
    std::size_t n = std::fread(buf.data() + size, 1, buf.capacity() - size, f);
    if (n == 0) {
      if (std::ferror(f)) return false;
      break;
    }
    size += n;
  }
  in.buffer = std::move(buf);
  in.text = in.buffer.data();
  in.size = size;
  return true;
}

// Converts as read, or as a copy with every line end made CR LF.
void settle_line_ends(Input& in) {
  const text::LineEndForm form = text::line_end_form(in.text, in.size);
  in.line_ends = form.line_ends;
  if (!form.normalised_size) return;
  TextBuffer out(form.normalised_size);
  const std::size_t written = text::normalise_line_ends(in.text, in.size, out.data());
  in.buffer = std::move(out);
  in.text = in.buffer.data();
  in.size = written;
}

}  // namespace

bool read_input(const std::string& path, Input& in, std::string& message) {
  std::FILE* f;
  if (path.empty()) {
    platform::set_binary_mode(stdin);
    f = stdin;
  } else {
    f = std::fopen(path.c_str(), "rb");
    if (!f) {
      message = "cannot read '" + path + "': " + std::strerror(errno);
      return false;
    }
  }
  // A regular file (also one redirected to standard input) is read into a
  // buffer of its size; pipes and devices grow the buffer as they go.
  std::size_t hint = 0;
  struct stat st;
  if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
    hint = static_cast<std::size_t>(st.st_size);
  const bool ok = read_all(f, hint, in);
  if (!ok)
    message = "cannot read " + (path.empty() ? std::string("standard input") : "'" + path + "'") + ": " +
              std::strerror(errno);
  if (f != stdin) std::fclose(f);
  if (!ok) return false;
  if (const void* zero = std::memchr(in.text, 0, in.size)) {
    in.nul_offset = static_cast<const char*>(zero) - in.text;
    return true;
  }
  settle_line_ends(in);
  return true;
}

}  // namespace vorel::cli
