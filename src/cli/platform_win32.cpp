// vorel-convert's system calls on Windows.
#include "cli/platform.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

namespace vorel::cli::platform {

std::string last_error_text() {
  char text[256] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           GetLastError(), 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == '.')) text[--n] = 0;
  return n ? text : "system error";
}

void set_binary_mode(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }

FileHandle stdout_handle(std::string& error) {
  set_binary_mode(stdout);
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  if (h == nullptr || h == INVALID_HANDLE_VALUE) {
    error = "no standard output";
    return FileHandle();
  }
  return FileHandle(reinterpret_cast<std::intptr_t>(h));
}

std::string resolve_target(const std::string& target) { return target; }

FileHandle create_temp_beside(const std::string& target, std::string& temp_path) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = target + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    HANDLE h = CreateFileA(temp_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return FileHandle(reinterpret_cast<std::intptr_t>(h));
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temp_path.clear();
  return FileHandle();
}

bool close_for_replace(FileHandle& file, const std::string& target, std::string& error) {
  const bool replaces = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
  if (replaces && !FlushFileBuffers(reinterpret_cast<HANDLE>(file.native()))) {
    error = last_error_text();
    return false;
  }
  file.close();
  return true;
}

bool replace_file(const std::string& from, const std::string& to, std::string& error) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  error = last_error_text();
  return false;
}

void remove_file(const std::string& path) { DeleteFileA(path.c_str()); }

// Plain memory: large pages need a privilege ordinary users do not hold.
bool map_large_pages(std::size_t, PageMapping&) { return false; }

void unmap_pages(const PageMapping&) {}

}  // namespace vorel::cli::platform
