// vorel-convert's output: standard output or a temporary file renamed into
// place when complete.
#include "cli/output_file.h"

#include <cstdio>
#include <cstring>

#include "cli/platform.h"

namespace vorel::cli {

OutputFile::~OutputFile() { discard(); }

void OutputFile::discard() {
  if (is_stdout_) {
    file_.release();  // standard output is not ours to close
  } else if (!temp_path_.empty()) {
    file_.close();
    platform::remove_file(temp_path_);
    temp_path_.clear();
  }
}

bool OutputFile::open_stdout(std::string& error) {
  std::fflush(stdout);
  file_ = platform::stdout_handle(error);
  if (!file_) return false;
  is_stdout_ = true;
  return true;
}

bool OutputFile::open(const std::string& path, std::string& error) {
  target_ = platform::resolve_target(path);
  file_ = platform::create_temp_beside(target_, temp_path_);
  if (!file_) {
    error = "cannot create a temporary file beside '" + path + "': " + platform::last_error_text();
    return false;
  }
  return true;
}

bool OutputFile::write(const char* data, std::size_t size) {
  if (failed_) return false;
  if (write_file(file_, data, size) != size) {
    error_ = platform::last_error_text();
    failed_ = true;
    return false;
  }
  total_ += size;
  return true;
}

bool OutputFile::commit(std::string& error) {
  if (failed_) {
    error = "cannot write the output: " + error_;
    return false;
  }
  if (is_stdout_) return true;
  std::string why;
  if (!platform::close_for_replace(file_, target_, why)) {
    error = "cannot write the output: " + why;
    return false;
  }
  if (!platform::replace_file(temp_path_, target_, why)) {
    error = "cannot move the output into place as '" + target_ + "': " + why;
    return false;
  }
  temp_path_.clear();
  return true;
}

FileSink::FileSink(OutputFile& file, std::size_t buffer_size)
    : file_(file), buf_(new char[buffer_size ? buffer_size : 1]), cap_(buffer_size ? buffer_size : 1) {
  pos_ = buf_;
  end_ = buf_ + cap_;
}

FileSink::~FileSink() { delete[] buf_; }

void FileSink::overflow(const char* data, std::size_t size) {
  const std::size_t buffered = static_cast<std::size_t>(pos_ - buf_);
  pos_ = buf_;
  file_.write(buf_, buffered);
  if (size >= cap_) {
    file_.write(data, size);
  } else {
    std::memcpy(pos_, data, size);
    pos_ += size;
  }
}

bool FileSink::finish() {
  const std::size_t buffered = static_cast<std::size_t>(pos_ - buf_);
  pos_ = buf_;
  if (buffered) file_.write(buf_, buffered);
  return !file_.failed();
}

}  // namespace vorel::cli
