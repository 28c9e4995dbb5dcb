// Where vorel-convert finds its language pack (config.ini and the keyword
// files), so that a copy installed or unpacked under any prefix works without
// flags.
#pragma once

#include <string>
#include <vector>

namespace vorel::cli {

// The environment variable naming the language pack's directory.
constexpr const char* CONFIG_DIR_VARIABLE = "VOREL_CONFIG_DIR";

struct ConfigPlace {
  std::string dir;  // ends in a separator
  std::string why;  // how the place was chosen, for messages
};

// The places to look, in order.  A directory given by --config-dir (option_dir
// not null) or else by VOREL_CONFIG_DIR (env_dir neither null nor empty) is the
// only place: a mistyped directory is reported, not silently passed over for
// another pack.  Otherwise the program's own directory, then ../share/vorel
// beside it (the installed layout).
std::vector<ConfigPlace> config_places(const std::string* option_dir, const char* env_dir,
                                       const std::string& exe_dir);

// The first place holding a file config.ini, or null.
const ConfigPlace* find_config(const std::vector<ConfigPlace>& places);

// "cannot find the language pack ..." with every place tried.
std::string missing_pack_message(const std::vector<ConfigPlace>& places);

// Looks for the pack (the option, the environment, the executable's
// directory) and makes the directory found the settings' program directory;
// when there is none, the first place, and message tells where it looked.
bool select_config_dir(const std::string* option_dir, std::string& message);

}  // namespace vorel::cli
