// Settings and files: INI access in the program's directory, paths, and
// whole-file input and output.  One header; the win32 backend uses the
// platform's private-profile functions, the posix backend our own INI code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorel {

// Base-directory codes of resolve_path.
constexpr int BASE_TEMP_DIR = 4;     // the system's temporary directory
constexpr int BASE_PROGRAM_DIR = 6;  // the directory of the running executable

// Access bits and dispositions of open_file's mode word.
constexpr uint32_t FILE_READ = 0x80000000u;   // GENERIC_READ
constexpr uint32_t FILE_WRITE = 0x40000000u;  // GENERIC_WRITE
constexpr uint32_t FILE_OPEN_EXISTING = 0;    // low byte 0
constexpr uint32_t FILE_CREATE_ALWAYS = 1;    // low byte 1: create or truncate

constexpr std::size_t PATH_SIZE = 260;

// The program's directory, always ending in a separator.  By default the
// directory of the running executable; set_program_dir points it elsewhere
// (the converter's --config-dir, tests).  An empty string restores the default.
std::string program_dir();
void set_program_dir(const std::string& dir);
// The running executable's directory with its trailing separator, whatever
// set_program_dir says; "" when it cannot be found.
std::string executable_dir();

// Selects the current settings file: program_dir() + file_name.  Every
// settings read and write below works on the file selected last.
void settings_path(const char* file_name);
// The current settings file's full path ("" before the first selection).
const char* current_settings_path();

// Unsigned value of a key; 0 when the key or the file is missing.
uint32_t get_setting_int(const char* section, const char* key);
// The value cut to size - 1 characters, "" when missing; returns the number
// of characters stored.  size 0 stores nothing.
uint32_t get_setting_string(const char* section, const char* key, char* buffer, uint32_t size);
// The value (at most 254 characters) as an unsigned 32-bit hexadecimal number.
uint32_t get_setting_hex(const char* section, const char* key);
// Writes value as "%u".  Returns false when the file could not be written.
bool put_setting_int(const char* section, const char* key, uint32_t value);
// Writes a string value (creating the file, section or key as needed).
bool put_setting_string(const char* section, const char* key, const char* value);
// Every line of a section, in file order, each zero-terminated, the whole
// ended by an extra zero.  Returns the characters stored, without the final zero.
uint32_t get_settings_section(const char* section, char* buffer, uint32_t size);
// Every section name, each zero-terminated, the whole ended by an extra zero.
uint32_t get_section_names(char* buffer, uint32_t size);
// Whether two section or key names name the same thing in a settings file:
// white space (and ^Z) around them ignored, ASCII letters without regard to case.
bool same_setting_name(std::string_view a, std::string_view b);

// Fills buffer (at least PATH_SIZE bytes) with the base directory joined with
// name, exactly one separator between them.  Returns buffer.
char* resolve_path(char* buffer, const char* name, int base);

// Parses text as the C library's strtoul(text, nullptr, 16) does where
// unsigned long is 32 bits: leading white space, an optional sign, an optional
// 0x/0X, digits up to the first non-hex character, overflow to 0xFFFFFFFF.
uint32_t parse_hex32(const char* text);

// The whole file, with a zero byte after its last byte (data()[size()] == 0).
// Empty optional when the file cannot be opened or read.
std::optional<std::string> read_whole_file(const char* path);

// An open file, closed on destruction.  Invalid when open_file failed.
class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(std::intptr_t native) : native_(native) {}
  FileHandle(FileHandle&& other) noexcept : native_(other.release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept;
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { close(); }

  bool valid() const { return native_ != INVALID; }
  explicit operator bool() const { return valid(); }
  std::intptr_t native() const { return native_; }
  std::intptr_t release() {
    std::intptr_t n = native_;
    native_ = INVALID;
    return n;
  }
  void close();

  static constexpr std::intptr_t INVALID = -1;

 private:
  std::intptr_t native_ = INVALID;
};

// Opens or creates path for the access bits in mode; the low byte of mode is
// the disposition (FILE_OPEN_EXISTING or FILE_CREATE_ALWAYS).  Others may read
// and write the file meanwhile.
FileHandle open_file(const char* path, uint32_t mode);
// Writes the bytes; returns the number written (0 on an invalid handle).
std::size_t write_file(FileHandle& file, const void* data, std::size_t size);

}  // namespace vorel
