// Settings backend for systems without the private-profile functions: our own
// INI writer (the reader is ini_text.cpp), giving the same answers as the Windows functions on
// everything the program reads and writes, and POSIX file descriptors.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

#include "settings/settings.h"
#include "settings/ini_text.h"
#include "settings/settings_internal.h"

namespace vorel {

namespace detail {

std::string executable_dir() {
  std::string path;
#ifdef __APPLE__
  uint32_t size = 0;
  _NSGetExecutablePath(nullptr, &size);
  std::string raw(size, '\0');
  if (_NSGetExecutablePath(raw.data(), &size) != 0) return std::string();
  char resolved[PATH_MAX];
  if (!realpath(raw.c_str(), resolved)) return std::string();
  path = resolved;
#else
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  path.assign(buf, static_cast<std::size_t>(n));
#endif
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  path.resize(slash + 1);
  return path;
}

}  // namespace detail

namespace {

using ini::Entry;
using ini::IniFile;
using ini::Line;
using ini::Section;

// Reads the whole file into data, reusing its buffer; false, with errno set,
// when the file cannot be opened or read.
bool read_file_into(const char* path, std::string& data) {
  int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  FileHandle file(fd);
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  try {
    // Room for the size the file had and a byte more, where the read that
    // meets the end lands; a file that grew meanwhile, a pipe or a device
    // makes the buffer grow.
    data.resize(S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) + 1 : 4096);
    std::size_t done = 0;
    for (;;) {
      if (done == data.size()) data.resize(done + std::max<std::size_t>(done, 4096));
      ssize_t n = ::read(fd, &data[done], data.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    data.resize(done);
  } catch (...) {
    errno = ENOMEM;  // too large to hold: never to be taken for a missing file
    return false;
  }
  return true;
}

// ---- Parsed files, kept per thread -----------------------------------------
//
// A conversion reads config.ini some twenty times.  Each use still reads the
// file, since anyone may rewrite it at any moment and file times are too
// coarse to tell, but reuses the last parse of the same path while the bytes
// are exactly those it was made from.  So our own writes need no invalidation
// either.  Per thread, like the current settings file: no locks.

class IniCache {
 public:
  // Calls use(ini, read_error) with the parse of the file at path as it is
  // now and returns what use returns.  A missing or unreadable file reads as
  // empty; read_error is then its errno, else 0.
  template <typename Use>
  auto with(const char* path, Use&& use) {
    int read_error = read_file_into(path, scratch_) ? 0 : errno;
    if (read_error != 0) std::string().swap(scratch_);
    if (scratch_.size() > MAX_CACHED_SIZE) {
      IniFile big;  // takes the buffer along and frees it when done
      big.assign(scratch_);
      return use(static_cast<const IniFile&>(big), read_error);
    }
    Slot& slot = slot_for(path);
    if (!slot.parsed || slot.ini.text != scratch_) {
      slot.parsed = false;  // a parse cut short by bad_alloc must never be reused
      slot.ini.assign(scratch_);
      slot.parsed = true;
    }
    return use(static_cast<const IniFile&>(slot.ini), read_error);
  }

 private:
  static constexpr std::size_t SLOTS = 2;                  // config.ini and option.ini
  static constexpr std::size_t MAX_CACHED_SIZE = 1 << 20;  // larger files are not kept

  struct Slot {
    std::string path;
    IniFile ini;
    bool parsed = false;
    unsigned long long used = 0;
  };

  // The slot of path, else the least recently used one, emptied for it.
  Slot& slot_for(const char* path) {
    ++clock_;
    Slot* oldest = &slots_[0];
    for (Slot& s : slots_) {
      if (s.parsed && s.path == path) {
        s.used = clock_;
        return s;
      }
      if (s.used < oldest->used) oldest = &s;
    }
    oldest->path = path;
    oldest->parsed = false;
    oldest->used = clock_;
    return *oldest;
  }

  Slot slots_[SLOTS];
  std::string scratch_;  // the bytes just read
  unsigned long long clock_ = 0;
};

IniCache& ini_cache() {
  thread_local IniCache cache;
  return cache;
}

bool write_all(const char* path, const std::string& text) {
  FileHandle file = open_file(path, FILE_WRITE | FILE_CREATE_ALWAYS);
  if (!file) return false;
  if (write_file(file, text.data(), text.size()) != text.size()) return false;
  return ::close(static_cast<int>(file.release())) == 0;
}

}  // namespace

uint32_t get_setting_int(const char* section, const char* key) {
  return ini_cache().with(current_settings_path(),
                          [&](const IniFile& ini, int) { return ini.get_int(section, key); });
}

uint32_t get_setting_string(const char* section, const char* key, char* buffer, uint32_t size) {
  return ini_cache().with(current_settings_path(), [&](const IniFile& ini, int) {
    return ini.get_string(section, key, buffer, size);
  });
}

bool put_setting_string(const char* section, const char* key, const char* value) {
  const char* path = current_settings_path();
  std::string text;  // the new file
  bool changed = false;
  bool ok = ini_cache().with(path, [&](const IniFile& ini, int read_error) {
    if (read_error != 0 && read_error != ENOENT)
      return false;  // exists but unreadable: never overwrite what we cannot see
    std::string_view sec = ini::trim(section);
    std::string_view k = ini::trim(key);
    std::string_view v = value;
    while (!v.empty() && ini::is_space(v.front())) v.remove_prefix(1);

    if (const Section* s = ini.find_section(sec)) {
      if (const Entry* e = IniFile::find_key(*s, k)) {
        if (e->has_value && e->value == v) return true;  // unchanged: leave the file alone
        const Line& line = ini.lines[e->line];
        text = ini.text;
        text.replace(line.begin, line.content_end - line.begin, std::string(e->name) + '=' + std::string(v));
      } else {
        // After the section's last line that is not blank.
        std::size_t after = s->entries.empty() ? s->header_line : s->entries.back().line;
        const Line& line = ini.lines[after];
        std::string insert;
        if (line.next == line.content_end) insert += "\r\n";  // last line had no line end
        insert += std::string(k) + '=' + std::string(v) + "\r\n";
        text = ini.text;
        text.insert(line.next, insert);
      }
    } else {
      text = ini.text;
      if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += "\r\n";
      text += '[';
      text += sec;
      text += "]\r\n";
      text += k;
      text += '=';
      text += v;
      text += "\r\n";
    }
    changed = true;
    return true;
  });
  if (!ok || !changed) return ok;
  return write_all(path, text);
}

uint32_t get_settings_section(const char* section, char* buffer, uint32_t size) {
  return ini_cache().with(current_settings_path(),
                          [&](const IniFile& ini, int) { return ini.get_section(section, buffer, size); });
}

uint32_t get_section_names(char* buffer, uint32_t size) {
  return ini_cache().with(current_settings_path(),
                          [&](const IniFile& ini, int) { return ini.get_section_names(buffer, size); });
}

char* resolve_path(char* buffer, const char* name, int base) {
  std::string dir;
  if (base == BASE_TEMP_DIR) {
    const char* tmp = std::getenv("TMPDIR");
    dir = (tmp && *tmp) ? tmp : "/tmp";
  } else {
    dir = program_dir();
  }
  while (*name == '/') ++name;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  dir += name;
  if (dir.size() >= PATH_SIZE) dir.clear();  // too long to name: leave it empty
  std::memcpy(buffer, dir.c_str(), dir.size() + 1);
  return buffer;
}

std::optional<std::string> read_whole_file(const char* path) {
  std::string data;
  if (!read_file_into(path, data)) return std::nullopt;
  return data;
}

void FileHandle::close() {
  if (native_ != INVALID) {
    ::close(static_cast<int>(native_));
    native_ = INVALID;
  }
}

FileHandle open_file(const char* path, uint32_t mode) {
  int flags = O_CLOEXEC;
  bool r = (mode & FILE_READ) != 0, w = (mode & FILE_WRITE) != 0;
  flags |= (r && w) ? O_RDWR : w ? O_WRONLY : O_RDONLY;
  if ((mode & 0xFF) == FILE_CREATE_ALWAYS) flags |= O_CREAT | O_TRUNC;
  int fd = ::open(path, flags, 0666);
  if (fd < 0) return FileHandle();
  return FileHandle(fd);
}

std::size_t write_file(FileHandle& file, const void* data, std::size_t size) {
  if (!file.valid()) return 0;
  const char* p = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::write(static_cast<int>(file.native()), p + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

}  // namespace vorel
