// vorel-convert: converts source text to HTML or UBB markup from the command
// line, with the same engine and config.ini as the Windows program.
#include <cstdio>
#include <string>

#include "cli/config_lookup.h"
#include "cli/conversion.h"
#include "cli/options.h"
#include "settings/settings.h"

int main(int argc, char** argv) {
  using namespace vorel::cli;
  Options opt;
  if (!parse_options(argc, argv, opt)) return 2;
  if (opt.help) {
    std::fputs(usage_text().c_str(), stdout);
    std::fputs("\n", stdout);
    std::fputs(help_text().c_str(), stdout);
    return 0;
  }
  if (opt.version) {
    std::printf("vorel-convert %s\n", VOREL_VERSION);
    return 0;
  }
  if (opt.config_dir_set && opt.config_dir.empty())
    return usage_error("the configuration directory is empty");
  std::string message;  // a missing pack matters only to a syntax or the syntax list
  if (!select_config_dir(opt.config_dir_set ? &opt.config_dir : nullptr, message) &&
      (opt.list_syntaxes || !opt.syntax.empty())) {
    error(message);
    return 1;
  }
  return opt.list_syntaxes ? list_syntaxes(opt.list_files) : convert(opt);
}
