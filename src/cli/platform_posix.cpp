// vorel-convert's system calls on POSIX systems.
#include "cli/platform.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorel::cli::platform {

std::string last_error_text() { return std::strerror(errno); }

void set_binary_mode(std::FILE*) {}

FileHandle stdout_handle(std::string&) { return FileHandle(STDOUT_FILENO); }

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

bool close_for_replace(FileHandle& file, const std::string& target, std::string& error) {
  // A new target has no old version to lose, and is written like any other file.
  struct stat st;
  const bool replaces = stat(target.c_str(), &st) == 0;
  if (replaces && fsync(static_cast<int>(file.native())) != 0 && errno != EINVAL) {
    error = last_error_text();
    return false;
  }
  if (::close(static_cast<int>(file.release())) != 0) {
    error = last_error_text();
    return false;
  }
  return true;
}

bool replace_file(const std::string& from, const std::string& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = last_error_text();
  return false;
}

void remove_file(const std::string& path) { unlink(path.c_str()); }

// On some virtual machines the first touch of each 4 KiB page costs
// microseconds, so a 10 MB text in small pages costs more to fill and read
// than to convert: big buffers come from 2 MiB pages where the system has them.
bool map_large_pages([[maybe_unused]] std::size_t capacity, [[maybe_unused]] PageMapping& mapping) {
#ifdef MADV_HUGEPAGE
  constexpr std::size_t HUGE_PAGE = 2 * 1024 * 1024;
  if (capacity < HUGE_PAGE) return false;
  const std::size_t rounded = (capacity + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
  void* p = mmap(nullptr, rounded + HUGE_PAGE, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return false;
  mapping.base = p;
  mapping.size = rounded + HUGE_PAGE;
  const std::uintptr_t a =
      (reinterpret_cast<std::uintptr_t>(p) + HUGE_PAGE - 1) & ~std::uintptr_t{HUGE_PAGE - 1};
  mapping.data = reinterpret_cast<char*>(a);
  mapping.capacity = rounded;
  madvise(mapping.data, rounded, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
  madvise(mapping.data, rounded, MADV_POPULATE_WRITE);
#endif
  return true;
#else
  return false;
#endif
}

void unmap_pages(const PageMapping& mapping) {
  if (mapping.base) munmap(mapping.base, mapping.size);
}

}  // namespace vorel::cli::platform
