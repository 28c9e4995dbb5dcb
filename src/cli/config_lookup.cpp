#include "cli/config_lookup.h"

#include <cstdlib>
#include <filesystem>

#include "settings/settings.h"

namespace vorel::cli {

namespace {

std::string with_separator(std::filesystem::path p) {
  p /= "";  // appends the platform's separator unless one ends the path already
  return p.string();
}

}  // namespace

std::vector<ConfigPlace> config_places(const std::string* option_dir, const char* env_dir,
                                       const std::string& exe_dir) {
  namespace fs = std::filesystem;
  if (option_dir) return {{with_separator(*option_dir), "--config-dir"}};
  if (env_dir && *env_dir) return {{with_separator(env_dir), CONFIG_DIR_VARIABLE}};
  if (exe_dir.empty()) return {};
  // exe_dir ends in a separator, so its parent_path is the directory itself.
  const fs::path program = fs::path(exe_dir).parent_path();
  return {{exe_dir, "the program's directory"},
          {with_separator(program.parent_path() / "share" / "vorel"), "../share/vorel beside the program"}};
}

const ConfigPlace* find_config(const std::vector<ConfigPlace>& places) {
  for (const ConfigPlace& place : places) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(place.dir + "config.ini", ec)) return &place;
  }
  return nullptr;
}

std::string missing_pack_message(const std::vector<ConfigPlace>& places) {
  if (places.empty()) return "cannot find the language pack: the program's own directory is unknown";
  std::string m = "cannot find the language pack (config.ini); looked in:";
  for (const ConfigPlace& place : places) m += "\n  " + place.dir + "  (" + place.why + ")";
  return m;
}

bool select_config_dir(const std::string* option_dir, std::string& message) {
  const std::vector<ConfigPlace> places =
      config_places(option_dir, std::getenv(CONFIG_DIR_VARIABLE), executable_dir());
  const ConfigPlace* found = find_config(places);
  // Without a pack, plain text still converts; the first place is where the
  // messages say the pack was expected.
  const ConfigPlace* chosen = found ? found : places.empty() ? nullptr : &places.front();
  if (chosen) set_program_dir(chosen->dir);
  if (!found) message = missing_pack_message(places);
  return found != nullptr;
}

}  // namespace vorel::cli
