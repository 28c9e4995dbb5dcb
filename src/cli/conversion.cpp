// vorel-convert's two jobs: listing the syntaxes and converting a text.
#include "cli/conversion.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "cli/input.h"
#include "cli/output_file.h"
#include "engine/convert.h"
#include "settings/settings.h"

namespace vorel::cli {

namespace {

// Every section name of config.ini, read into a buffer that grows until the
// whole list fits.
std::vector<std::string> syntax_names() {
  std::vector<std::string> names;
  settings_path("config.ini");
  std::vector<char> buf(4096);
  for (;;) {
    uint32_t n = get_section_names(buf.data(), static_cast<uint32_t>(buf.size()));
    if (n + 2 < buf.size()) {
      for (const char* p = buf.data(); *p; p += std::strlen(p) + 1) names.emplace_back(p);
      return names;
    }
    buf.resize(buf.size() * 2);
  }
}

void print_stats(const ConversionStats& s, std::uint64_t original, std::uint64_t converted) {
  std::fprintf(stderr,
               "keyword loading:  %12d ms\n"
               "conversion:       %12d ms\n"
               "original length:  %12llu characters\n"
               "converted length: %12llu characters\n",
               static_cast<int>(s.keyword_load_ms), static_cast<int>(s.conversion_ms),
               static_cast<unsigned long long>(original), static_cast<unsigned long long>(converted));
}

}  // namespace

int list_syntaxes() {
  settings_path("config.ini");
  std::string path = current_settings_path();
  if (!read_whole_file(path.c_str())) {
    error("cannot read '" + path + "'");
    return 1;
  }
  for (const std::string& name : syntax_names()) std::printf("%s\n", name.c_str());
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int convert(const Options& opt) {
  if (!opt.syntax.empty()) {
    bool known = false;
    for (const std::string& name : syntax_names())
      known = known || same_setting_name(name, opt.syntax);
    if (!known) {
      settings_path("config.ini");
      error("warning: no syntax '" + opt.syntax + "' in '" + current_settings_path() +
            "'; converting without one");
    }
  }

  Input in;
  std::string message;
  bool read_ok;
  try {
    read_ok = read_input(opt.input, in, message);
  } catch (const std::bad_alloc&) {
    read_ok = false;
    message = "not enough memory to read the input";
  }
  if (!read_ok) {
    error(message);
    return 1;
  }
  if (in.nul_offset >= 0) {
    error("the input contains a NUL byte at offset " + std::to_string(in.nul_offset) +
          "; it is not a text file");
    return 1;
  }

  OutputFile out;
  bool opened = opt.output.empty() ? out.open_stdout(message) : out.open(opt.output, message);
  if (!opened) {
    error(message);
    return 1;
  }

  FileSink sink(out);
  ConversionContext ctx;
  ctx.flags = (opt.html ? FLAG_HTML : 0) | (opt.line_numbers ? FLAG_LINE_NUMBERS : 0);
  ctx.line_counter = opt.first_line;
  ctx.markup = opt.markup;
  if (!convert_stream(ctx, std::string_view(in.text, in.size), opt.syntax.c_str(), sink, in.line_ends)) {
    if (!ctx.failed_file.empty())
      error("cannot read keyword file '" + ctx.failed_file + "' named by syntax '" + opt.syntax +
            "'");
    else if (out.failed())
      error("cannot write the output: " + out.write_error());
    else  // a keyword file that fails is always named: the conversion ran out of memory
      error("not enough memory to convert the input");
    return 1;
  }
  if (!out.commit(message)) {
    error(message);
    return 1;
  }
  if (opt.stats) print_stats(ctx.stats, in.original_length(), sink.bytes_written());
  return 0;
}

}  // namespace vorel::cli
