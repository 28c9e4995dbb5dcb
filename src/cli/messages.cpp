#include "cli/messages.h"

namespace vorel::cli {

std::string nul_byte_message(std::uint64_t offset) {
  return "the input contains a NUL byte at offset " + std::to_string(offset) + "; it is not a text file";
}

std::string conversion_failure_message(const ConversionContext& ctx, const std::string& syntax) {
  if (!ctx.failed_file.empty())
    return "cannot read keyword file '" + ctx.failed_file + "' named by syntax '" + syntax + "'";
  // A keyword file that fails is always named: the conversion ran out of memory.
  return "not enough memory to convert the input";
}

const char* markup_option_choices(std::string_view name) {
  if (name == "page") return "classic or modern";
  if (name == "escape") return "default or strict";
  if (name == "charset") return "auto, big5 or utf-8";
  if (name == "tab_width") return "1 to 64";
  return "";
}

std::string bad_markup_option_message(std::string_view name, std::string_view value) {
  const std::string v(value);
  if (name == "tab_width") return "bad tab width '" + v + "' (use 1 to 64)";
  if (name == "ubb_font") return "bad font name '" + v + "' (empty, or holding a bracket or line end)";
  const char* choices = markup_option_choices(name);
  return "unknown " + std::string(name) + " '" + v + "' (use " + (*choices ? choices : "0 or 1") + ")";
}

}  // namespace vorel::cli
