// Where vorel-convert writes: standard output, or a temporary file beside the
// target that is renamed into place only once complete.
#pragma once

#include <cstdint>
#include <string>

#include "engine/convert.h"
#include "settings/settings.h"

namespace vorel::cli {

// An output that counts what it writes.  Opening a named output creates a
// temporary file beside it; commit() renames that over the target, and a
// destroyed uncommitted output removes it, so a failed run never leaves a
// partial or truncated target behind.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Standard output, in binary mode.
  bool open_stdout(std::string& error);
  // A temporary file beside path.
  bool open(const std::string& path, std::string& error);

  // False once any write has failed (nothing more is written then).
  bool write(const char* data, std::size_t size);
  // Closes and moves the temporary file into place.
  bool commit(std::string& error);
  // Why a write failed ("" while none has).
  const std::string& write_error() const { return error_; }
  bool failed() const { return failed_; }
  std::uint64_t bytes_written() const { return total_; }

 private:
  void discard();

  FileHandle file_;
  bool is_stdout_ = false;
  std::string target_;     // the final path ("" for standard output)
  std::string temp_path_;  // the temporary file while uncommitted
  std::uint64_t total_ = 0;
  bool failed_ = false;
  std::string error_;
};

// Streams the markup through a fixed buffer into an OutputFile.
class FileSink final : public OutputSink {
 public:
  explicit FileSink(OutputFile& file, std::size_t buffer_size = 256 * 1024);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool finish() override;
  // Bytes handed to the sink, buffered ones included.
  std::uint64_t bytes_written() const {
    return file_.bytes_written() + static_cast<std::size_t>(pos_ - buf_);
  }

 protected:
  void overflow(const char* data, std::size_t size) override;

 private:
  OutputFile& file_;
  char* buf_ = nullptr;
  std::size_t cap_ = 0;
};

}  // namespace vorel::cli
