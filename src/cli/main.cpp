// vorel-convert: converts source text to HTML or UBB markup from the command
// line, with the same engine and config.ini as the Windows program.
#include <cstdio>

#include "cli/conversion.h"
#include "cli/options.h"
#include "settings/settings.h"

int main(int argc, char** argv) {
  using namespace vorel::cli;
  Options opt;
  int status = parse_options(argc, argv, opt);
  if (status >= 0) return status;
  if (opt.help) {
    std::fputs(USAGE, stdout);
    std::fputs("\n", stdout);
    std::fputs(HELP, stdout);
    return 0;
  }
  if (opt.version) {
    std::printf("vorel-convert %s\n", VOREL_VERSION);
    return 0;
  }
  if (opt.config_dir_set) {
    if (opt.config_dir.empty()) return usage_error("the configuration directory is empty");
    vorel::set_program_dir(opt.config_dir);
  }
  return opt.list_syntaxes ? list_syntaxes(opt.list_files) : convert(opt);
}
