// vorel-convert's output: standard output or a temporary file renamed into
// place when complete.
#include "cli/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#else
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorel::cli {

namespace {

#ifdef _WIN32
std::string last_error_text() {
  char text[256] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           GetLastError(), 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == '.')) text[--n] = 0;
  return n ? text : "system error";
}

// Creates a new file with a name of its own beside target.
FileHandle create_temp_beside(const std::string& target, std::string& temp_path) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = target + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter++);
    HANDLE h = CreateFileA(temp_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return FileHandle(reinterpret_cast<std::intptr_t>(h));
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temp_path.clear();
  return FileHandle();
}

bool replace_file(const std::string& from, const std::string& to, std::string& error) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  error = last_error_text();
  return false;
}

void remove_file(const std::string& path) { DeleteFileA(path.c_str()); }
#else
std::string last_error_text() { return std::strerror(errno); }

// The file a path finally names, so that a symbolic link keeps pointing at
// the new output rather than being replaced by it.
std::string resolve_target(const std::string& target) {
  struct stat st;
  if (lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char real[PATH_MAX];
    if (realpath(target.c_str(), real)) return real;
  }
  return target;
}

FileHandle create_temp_beside(const std::string& target, std::string& temp_path) {
  std::string pattern = target + ".tmp-XXXXXX";
  int fd = mkstemp(pattern.data());
  if (fd < 0) {
    temp_path.clear();
    return FileHandle();
  }
  // mkstemp makes the file private; give it the mode the target has, or the
  // mode a newly created file would get.
  struct stat st;
  mode_t mode;
  if (stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  temp_path = pattern;
  return FileHandle(fd);
}

bool replace_file(const std::string& from, const std::string& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = last_error_text();
  return false;
}

void remove_file(const std::string& path) { unlink(path.c_str()); }
#endif

}  // namespace

OutputFile::OutputFile(std::size_t buffer_size)
    : buf_(new char[buffer_size ? buffer_size : 1]), cap_(buffer_size ? buffer_size : 1) {
  pos_ = buf_;
  end_ = buf_ + cap_;
}

OutputFile::~OutputFile() {
  discard();
  delete[] buf_;
}

void OutputFile::discard() {
  if (is_stdout_) {
    file_.release();  // standard output is not ours to close
  } else if (!temp_path_.empty()) {
    file_.close();
    remove_file(temp_path_);
    temp_path_.clear();
  }
}

bool OutputFile::open_stdout([[maybe_unused]] std::string& error) {
  std::fflush(stdout);
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) {
    error = "no standard output";
    return false;
  }
  file_ = FileHandle(reinterpret_cast<std::intptr_t>(h));
#else
  file_ = FileHandle(STDOUT_FILENO);
#endif
  is_stdout_ = true;
  return true;
}

bool OutputFile::open(const std::string& path, std::string& error) {
#ifdef _WIN32
  target_ = path;
#else
  target_ = resolve_target(path);
#endif
  file_ = create_temp_beside(target_, temp_path_);
  if (!file_) {
    error = "cannot create a temporary file beside '" + path + "': " + last_error_text();
    return false;
  }
  return true;
}

bool OutputFile::write_out(const char* data, std::size_t size) {
  if (failed_) return false;
  if (write_file(file_, data, size) != size) {
    error_ = last_error_text();
    failed_ = true;
    return false;
  }
  total_ += size;
  return true;
}

void OutputFile::overflow(const char* data, std::size_t size) {
  std::size_t buffered = static_cast<std::size_t>(pos_ - buf_);
  pos_ = buf_;
  write_out(buf_, buffered);
  if (size >= cap_) {
    write_out(data, size);
  } else {
    std::memcpy(pos_, data, size);
    pos_ += size;
  }
}

bool OutputFile::finish() {
  std::size_t buffered = static_cast<std::size_t>(pos_ - buf_);
  pos_ = buf_;
  if (buffered) write_out(buf_, buffered);
  return !failed_;
}

bool OutputFile::commit(std::string& error) {
  if (!finish()) {
    error = "cannot write the output: " + error_;
    return false;
  }
  if (is_stdout_) return true;
  // Before the new file replaces an existing one its bytes must be on disk,
  // or a crash right after the rename could leave neither version.  A new
  // target has no old version to lose, and is written like any other file.
#ifndef _WIN32
  struct stat st;
  const bool replaces = stat(target_.c_str(), &st) == 0;
  if (replaces && fsync(static_cast<int>(file_.native())) != 0 && errno != EINVAL) {
    error = "cannot write the output: " + last_error_text();
    return false;
  }
  if (::close(static_cast<int>(file_.release())) != 0) {
    error = "cannot write the output: " + last_error_text();
    return false;
  }
#else
  const bool replaces = GetFileAttributesA(target_.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (replaces && !FlushFileBuffers(reinterpret_cast<HANDLE>(file_.native()))) {
    error = "cannot write the output: " + last_error_text();
    return false;
  }
  file_.close();
#endif
  std::string why;
  if (!replace_file(temp_path_, target_, why)) {
    error = "cannot move the output into place as '" + target_ + "': " + why;
    return false;
  }
  temp_path_.clear();
  return true;
}

}  // namespace vorel::cli
