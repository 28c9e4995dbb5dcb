// What a conversion that cannot be done says, in the same words wherever the
// engine runs for a user (vorel-convert, the web page).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/convert.h"

namespace vorel::cli {

// For input with a NUL byte at offset: such input is not converted.
std::string nul_byte_message(std::uint64_t offset);

// For a conversion under syntax that failed other than by its output: a
// keyword file that could not be read, else a lack of memory.
std::string conversion_failure_message(const ConversionContext& ctx, const std::string& syntax);

// The values an output mode takes, for messages ("classic or modern"); name
// as set_markup_option takes it.  "" for a switch or an unknown name.
const char* markup_option_choices(std::string_view name);

// For a value set_markup_option refused.
std::string bad_markup_option_message(std::string_view name, std::string_view value);

}  // namespace vorel::cli
