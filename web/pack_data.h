// The language pack built into the web engine: config.ini and the keyword
// files, by the names config.ini gives them (e.g. "keywords/c1.txt").
#pragma once

#include <cstddef>

namespace vorel::web {

struct PackFile {
  const char* name;
  const char* data;
  std::size_t size;
};

extern const PackFile PACK_FILES[];  // config.ini first
extern const std::size_t PACK_FILE_COUNT;

}  // namespace vorel::web
