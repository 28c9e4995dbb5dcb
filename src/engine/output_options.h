// Every choice about the output beside the syntax, and the one table that
// names them: vorel-convert's options, usage text and messages, the option.ini
// keys the Windows program reads and the web page's controls all come from
// OUTPUT_OPTIONS.  A new output mode is a row here plus its effect.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/markup.h"

namespace vorel {

struct ConversionContext;

// The format, the numbering and the markup modes.  The defaults are
// vorel-convert's and the web page's; the Windows program takes its format
// and numbering from the dialog and the modes from option.ini over a default
// MarkupOptions (whose page declares Big5).
struct OutputOptions {
  bool html = true;
  bool line_numbers = false;
  uint32_t first_line = 0;
  MarkupOptions markup{.charset = CharsetChoice::AUTO};

  bool operator==(const OutputOptions&) const = default;
};

// The context of a conversion with these options: flags, first line number
// and markup.
ConversionContext conversion_context(const OutputOptions& options);

enum class OptionKind : unsigned char {
  CHOICE,  // one of choices
  SWITCH,  // "0" or "1"; on the command line the option alone means "1"
  NUMBER,  // a decimal number from 0 to max, digits only
  TEXT,    // a text the row accepts, or "" for none
};

// The formats an option applies to.
constexpr unsigned char FOR_HTML = 1, FOR_UBB = 2;

struct OptionChoice {
  std::string_view value;
  std::string_view label;  // as the web page offers it
};

struct OutputOption {
  std::string_view name = {};  // option.ini's key, the web page's and set_output_option's name
  std::string_view flag = {};  // vorel-convert's option
  OptionKind kind = {};
  unsigned char formats = {};           // FOR_HTML, FOR_UBB or both
  std::string_view default_value = {};  // as set_output_option takes it
  // CHOICE: the values in the order messages list them, each with its label.
  OptionChoice choices[3] = {};
  uint32_t max = {};                // NUMBER: the largest value
  std::string_view argument = {};   // NUMBER, TEXT: the value's name in the usage ("N")
  std::string_view wanted = {};     // NUMBER, TEXT: "--flag needs WANTED" when it is missing
  std::string_view noun = {};       // NUMBER, TEXT: "bad NOUN 'value' (...)"
  std::string_view text_rule = {};  // TEXT: what a good value is, in that message
  std::string_view help = {};       // --help's text; a '\n' starts a new line
  // Where the option is also set: read by the Windows program from
  // option.ini's [option] section (the dialog sets the others itself).
  bool option_ini = {};
  // The web page: the control's label ("" when the page lays out its own
  // control), a two-value choice shown as a box that picks the second value,
  // and what an empty text or number field shows.
  std::string_view label = {};
  bool box = {};
  std::string_view placeholder = {};

  std::size_t choice_count() const;
  // "classic or modern", "auto, big5 or utf-8"; "0 or 1" for a switch.
  std::string choice_list() const;
};

std::span<const OutputOption> output_options();

// The option called name, case aside; nullptr for none.
const OutputOption* find_output_option(std::string_view name);

// Sets the option called name (case aside) from value (case aside for a
// choice).  Returns "" when done, else what is wrong, leaving options as
// they were: "unknown option 'x'", "unknown page 'x' (use classic or
// modern)", "bad tab width 'x' (use 0 to 64)".
std::string set_output_option(OutputOptions& options, std::string_view name, std::string_view value);

// What set_output_option says of a bad value for option.  vorel-convert says
// it of an empty text too, which would name nothing.
std::string bad_value_message(const OutputOption& option, std::string_view value);

// The same for the markup modes alone (the rows option.ini holds); false for
// any other name or a bad value.
bool set_markup_option(MarkupOptions& options, std::string_view name, std::string_view value);

// The web page's controls: every row as JSON, for the page to build its
// controls and to know what the engine takes.
std::string output_options_json();

}  // namespace vorel
