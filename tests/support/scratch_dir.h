// A scratch folder for tests where a real file is the point (settings files,
// keyword files on disk, hostile file modes); everything else reads its
// texts from memory.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace vorel::test {

// A fresh folder of its own, removed with everything in it (whatever its
// permissions) when it goes away.
class ScratchDir {
 public:
  explicit ScratchDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    // Creating the folder is the claim: tests running side by side in other
    // processes, or folders left by a crash, just move the count on.
    static std::atomic<unsigned> counter{0};
    do path_ = base / ("vorel-test-" + std::to_string(counter++));
    while (!std::filesystem::create_directory(path_));
  }
  ~ScratchDir() {
    if (program_dir_) set_program_dir("");
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ec))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ec);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::string operator/(const std::string& name) const { return file(name); }
  void write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  // Points program_dir() here until this goes away.
  ScratchDir& as_program_dir() {
    set_program_dir(path_.string());
    program_dir_ = true;
    return *this;
  }

 private:
  std::filesystem::path path_;
  bool program_dir_ = false;
};

}  // namespace vorel::test
