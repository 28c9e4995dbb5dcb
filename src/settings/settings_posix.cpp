// Settings backend for systems without the private-profile functions: our own
// INI reader and writer, giving the same answers as the Windows functions on
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

// ---- INI text model -------------------------------------------------------
//
// The rules follow the platform's private-profile functions: a line ends at
// CR, LF or CR LF; white space (and ^Z) around a line, a section name, a key
// and a value is ignored; a line "[name]" starts a section (the name runs to
// the last ']'); a line with '=' is a key and its value, a line without one is
// kept as a key without value; names compare without regard to case, and only
// the first section of a name and the first key of a name count.

using detail::is_setting_space;
using detail::trim_setting;

struct Line {
  std::size_t begin;        // first byte of the line
  std::size_t content_end;  // where its line end (if any) starts
  std::size_t next;         // first byte of the following line
};

struct Entry {
  std::string_view name;
  std::string_view value;
  bool has_value;
  std::size_t line;
};

struct Section {
  std::string_view name;  // empty for the lines before the first section
  std::vector<Entry> entries;
  std::size_t header_line;
};

// The parse points into text: an IniFile is neither copied nor moved.
struct IniFile {
  std::string text;
  std::vector<Line> lines;
  std::vector<Section> sections;

  IniFile() = default;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  // Takes bytes as the new text (bytes gets the old one) and parses it.
  void assign(std::string& bytes) {
    text.swap(bytes);
    lines.clear();
    sections.clear();
    parse();
  }

  void parse() {
    std::size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;  // UTF-8 byte order mark
    sections.push_back(Section{std::string_view(), {}, SIZE_MAX});
    const Entry* prev = nullptr;
    while (pos < text.size()) {
      Line line{pos, pos, pos};
      while (line.content_end < text.size() && text[line.content_end] != '\r' &&
             text[line.content_end] != '\n')
        ++line.content_end;
      line.next = line.content_end;
      if (line.next < text.size() && text[line.next] == '\r') ++line.next;
      if (line.next < text.size() && text[line.next] == '\n') ++line.next;
      pos = line.next;
      lines.push_back(line);
      std::size_t index = lines.size() - 1;

      std::string_view s =
          trim_setting(std::string_view(text).substr(line.begin, line.content_end - line.begin));
      if (s.empty()) continue;
      if (s.front() == '[') {
        std::size_t close = s.rfind(']');
        if (close != std::string_view::npos && close > 0) {
          sections.push_back(Section{trim_setting(s.substr(1, close - 1)), {}, index});
          prev = nullptr;
          continue;
        }
      }
      Entry e{s, std::string_view(), false, index};
      std::size_t eq = s.find('=');
      if (eq != std::string_view::npos) {
        e.name = trim_setting(s.substr(0, eq));
        e.value = trim_setting(s.substr(eq + 1));
        e.has_value = true;
      }
      // Runs of lines with empty names collapse into one, as the platform does.
      if (!e.name.empty() || !prev || !prev->name.empty()) {
        sections.back().entries.push_back(e);
        prev = &sections.back().entries.back();
      }
    }
  }

  const Section* find_section(std::string_view name) const {
    name = trim_setting(name);
    for (const Section& s : sections)
      if (!s.name.empty() && same_setting_name(s.name, name)) return &s;
    return nullptr;
  }

  static const Entry* find_key(const Section& section, std::string_view key) {
    key = trim_setting(key);
    for (const Entry& e : section.entries)
      if (same_setting_name(e.name, key)) return &e;
    return nullptr;
  }
};

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
  static constexpr std::size_t SLOTS = 2;                 // config.ini and option.ini
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

// Copies src into buffer (size > 0), cut to size - 1 bytes; returns the length.
uint32_t copy_cut(char* buffer, uint32_t size, std::string_view src) {
  std::size_t n = std::min<std::size_t>(src.size(), size - 1);
  std::memcpy(buffer, src.data(), n);
  buffer[n] = '\0';
  return static_cast<uint32_t>(n);
}

// Parses a number as the platform's integer reads do: leading control
// characters and spaces skipped, an optional sign, a "0x", "0o" or "0b" prefix,
// digits of that base up to the first other character, modulo 2^32.
uint32_t parse_profile_int(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  uint32_t base = 10;
  if (i + 1 < s.size() && s[i] == '0') {
    if (s[i + 1] == 'x') base = 16;
    else if (s[i + 1] == 'o') base = 8;
    else if (s[i + 1] == 'b') base = 2;
    if (base != 10) i += 2;
  }
  uint32_t value = 0;
  for (; i < s.size(); ++i) {
    char c = s[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'z') digit = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'Z') digit = static_cast<uint32_t>(c - 'A' + 10);
    else break;
    if (digit >= base) break;
    value = value * base + digit;
  }
  return negative ? 0u - value : value;
}

// A value as the string reads give it: one pair of matching quotes removed.
std::string_view unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

bool write_all(const char* path, const std::string& text) {
  FileHandle file = open_file(path, FILE_WRITE | FILE_CREATE_ALWAYS);
  if (!file) return false;
  if (write_file(file, text.data(), text.size()) != text.size()) return false;
  return ::close(static_cast<int>(file.release())) == 0;
}

}  // namespace

uint32_t get_setting_int(const char* section, const char* key) {
  // The platform reads the value into 30 characters before converting it.
  char buffer[30];
  if (get_setting_string(section, key, buffer, sizeof buffer) == 0) return 0;
  return parse_profile_int(buffer);
}

uint32_t get_setting_string(const char* section, const char* key, char* buffer, uint32_t size) {
  if (size == 0) return 0;
  buffer[0] = '\0';
  return ini_cache().with(current_settings_path(), [&](const IniFile& ini, int) -> uint32_t {
    const Section* s = ini.find_section(section);
    if (!s) return 0;
    const Entry* e = IniFile::find_key(*s, key);
    if (!e || !e->has_value) return 0;
    return copy_cut(buffer, size, unquote(e->value));
  });
}

bool put_setting_string(const char* section, const char* key, const char* value) {
  const char* path = current_settings_path();
  std::string text;  // the new file
  bool changed = false;
  bool ok = ini_cache().with(path, [&](const IniFile& ini, int read_error) {
    if (read_error != 0 && read_error != ENOENT)
      return false;  // exists but unreadable: never overwrite what we cannot see
    std::string_view sec = trim_setting(section);
    std::string_view k = trim_setting(key);
    std::string_view v = value;
    while (!v.empty() && is_setting_space(v.front())) v.remove_prefix(1);

    if (const Section* s = ini.find_section(sec)) {
      if (const Entry* e = IniFile::find_key(*s, k)) {
        if (e->has_value && e->value == v) return true;  // unchanged: leave the file alone
        const Line& line = ini.lines[e->line];
        text = ini.text;
        text.replace(line.begin, line.content_end - line.begin,
                     std::string(e->name) + '=' + std::string(v));
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
  if (size < 2) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  buffer[0] = buffer[1] = '\0';
  return ini_cache().with(current_settings_path(), [&](const IniFile& ini, int) -> uint32_t {
    const Section* s = ini.find_section(section);
    if (!s) return 0;
    // The whole list first; the platform cuts it at size - 2 bytes when it does
    // not fit with a byte to spare, and ends it with two zeros.
    std::string list;
    for (const Entry& e : s->entries) {
      if (!e.name.empty() && e.name.front() == ';') continue;  // comment line
      list += e.name;
      if (e.has_value) {
        list += '=';
        list += e.value;
      }
      list += '\0';
    }
    if (list.size() + 2 <= size) {
      std::memcpy(buffer, list.data(), list.size());
      buffer[list.size()] = '\0';
      return static_cast<uint32_t>(list.size());
    }
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = buffer[size - 1] = '\0';
    return size - 2;
  });
}

uint32_t get_section_names(char* buffer, uint32_t size) {
  if (size == 0) return 0;
  buffer[0] = '\0';
  if (size == 1) return 0;
  buffer[1] = '\0';
  return ini_cache().with(current_settings_path(), [&](const IniFile& ini, int) -> uint32_t {
    // As the platform does: a name that does not fit with room for the list's
    // final zero is cut, and the result is then size - 2.
    uint32_t room = size - 1;
    char* out = buffer;
    for (const Section& s : ini.sections) {
      if (s.name.empty()) continue;
      std::size_t need = s.name.size() + 1;
      if (need >= room) {
        std::memcpy(out, s.name.data(), room - 1);
        out += room - 1;
        *out++ = '\0';
        *out = '\0';
        return size - 2;
      }
      std::memcpy(out, s.name.data(), s.name.size());
      out[s.name.size()] = '\0';
      out += need;
      room -= static_cast<uint32_t>(need);
    }
    *out = '\0';
    return static_cast<uint32_t>(out - buffer);
  });
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
