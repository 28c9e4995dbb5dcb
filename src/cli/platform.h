// What vorel-convert needs from the operating system, one file per platform
// (platform_posix.cpp, platform_win32.cpp; CMake picks one).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "settings/settings.h"

namespace vorel::cli::platform {

// The last system error as text, for messages.
std::string last_error_text();

// Makes a standard stream pass bytes through untouched.
void set_binary_mode(std::FILE* stream);

// Standard output as a file handle (not to be closed by its holder).
FileHandle stdout_handle(std::string& error);

// The file a path finally names: a symbolic link keeps pointing at the new
// output rather than being replaced by it.
std::string resolve_target(const std::string& target);
// Creates a new file with a name of its own beside target, with the target's
// permissions where the system has them; invalid (and temp_path "") on failure.
FileHandle create_temp_beside(const std::string& target, std::string& temp_path);
// Closes file; when it is to replace an existing target, its bytes go to disk
// first, so that a crash right after the rename cannot leave neither version.
bool close_for_replace(FileHandle& file, const std::string& target, std::string& error);
bool replace_file(const std::string& from, const std::string& to, std::string& error);
void remove_file(const std::string& path);

// Memory in large pages for a big buffer, where the system has them.
struct PageMapping {
  void* base = nullptr;  // what to release
  std::size_t size = 0;
  char* data = nullptr;  // aligned start
  std::size_t capacity = 0;
};
bool map_large_pages(std::size_t capacity, PageMapping& mapping);
void unmap_pages(const PageMapping& mapping);

}  // namespace vorel::cli::platform
