// What a conversion that cannot be done says, in the same words wherever the
// engine runs for a user (vorel-convert, the web page).
#pragma once

#include <cstdint>
#include <string>

#include "engine/convert.h"

namespace vorel::text {

// For input with a NUL byte at offset: such input is not converted.
std::string nul_byte_message(std::uint64_t offset);

// For a conversion under syntax that failed other than by its output: a
// keyword file that could not be read, else a lack of memory.
std::string conversion_failure_message(const ConversionContext& ctx, const std::string& syntax);

}  // namespace vorel::text
