#include "text/messages.h"

namespace vorel::text {

std::string nul_byte_message(std::uint64_t offset) {
  return "the input contains a NUL byte at offset " + std::to_string(offset) + "; it is not a text file";
}

std::string conversion_failure_message(const ConversionContext& ctx, const std::string& syntax) {
  if (!ctx.failed_file.empty())
    return "cannot read keyword file '" + ctx.failed_file + "' named by syntax '" + syntax + "'";
  // A keyword file that fails is always named: the conversion ran out of memory.
  return "not enough memory to convert the input";
}

}  // namespace vorel::text
