// Settings backend for Windows: the platform's private-profile functions,
// shlwapi path joining and kernel32 file handles.
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "settings/settings.h"
#include "settings/settings_internal.h"

namespace vorel {

namespace detail {

std::string executable_dir() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  char* slash = std::strrchr(path, '\\');
  if (!slash) return std::string();
  slash[1] = '\0';
  return path;
}

}  // namespace detail

uint32_t get_setting_int(const char* section, const char* key) {
  return GetPrivateProfileIntA(section, key, 0, current_settings_path());
}

uint32_t get_setting_string(const char* section, const char* key, char* buffer, uint32_t size) {
  if (size == 0) return 0;
  return GetPrivateProfileStringA(section, key, "", buffer, size, current_settings_path());
}

bool put_setting_string(const char* section, const char* key, const char* value) {
  return WritePrivateProfileStringA(section, key, value, current_settings_path()) != FALSE;
}

uint32_t get_settings_section(const char* section, char* buffer, uint32_t size) {
  if (size < 2) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  return GetPrivateProfileSectionA(section, buffer, size, current_settings_path());
}

uint32_t get_section_names(char* buffer, uint32_t size) {
  if (size == 0) return 0;
  uint32_t n = GetPrivateProfileSectionNamesA(buffer, size, current_settings_path());
  // A cut list may come back without its second zero; callers walk the list
  // to the empty string, so make sure it is there.
  if (size >= 2 && n + 2 >= size) buffer[size - 1] = '\0';
  if (n == 0 && size >= 2) buffer[1] = '\0';
  return n;
}

char* resolve_path(char* buffer, const char* name, int base) {
  buffer[0] = '\0';
  if (base == BASE_TEMP_DIR) {
    DWORD n = GetTempPathA(static_cast<DWORD>(PATH_SIZE), buffer);
    if (n == 0 || n >= PATH_SIZE) buffer[0] = '\0';
  } else {
    std::string dir = program_dir();
    if (dir.size() < PATH_SIZE) std::memcpy(buffer, dir.c_str(), dir.size() + 1);
  }
  // A path too long to build is left empty rather than silently naming the
  // directory itself.
  if (buffer[0] == '\0' || !PathAppendA(buffer, name)) buffer[0] = '\0';
  return buffer;
}

std::optional<std::string> read_whole_file(const char* path) {
  HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  FileHandle file(reinterpret_cast<std::intptr_t>(h));
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size) || static_cast<unsigned long long>(size.QuadPart) >= SIZE_MAX / 2)
    return std::nullopt;
  std::string data;
  try {
    data.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (...) { return std::nullopt; }
  std::size_t done = 0;
  while (done < data.size()) {
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(h, &data[done], want, &got, nullptr)) return std::nullopt;
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  data.resize(done);
  return data;
}

void FileHandle::close() {
  if (native_ != INVALID) {
    CloseHandle(reinterpret_cast<HANDLE>(native_));
    native_ = INVALID;
  }
}

FileHandle open_file(const char* path, uint32_t mode) {
  DWORD disposition = (mode & 0xFF) == FILE_CREATE_ALWAYS ? CREATE_ALWAYS : OPEN_EXISTING;
  HANDLE h = CreateFileA(path, mode & (FILE_READ | FILE_WRITE), FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FileHandle();
  return FileHandle(reinterpret_cast<std::intptr_t>(h));
}

std::size_t write_file(FileHandle& file, const void* data, std::size_t size) {
  if (!file.valid()) return 0;
  HANDLE h = reinterpret_cast<HANDLE>(file.native());
  const char* p = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(h, p + done, want, &wrote, nullptr) || wrote == 0) break;
    done += wrote;
  }
  return done;
}

}  // namespace vorel
