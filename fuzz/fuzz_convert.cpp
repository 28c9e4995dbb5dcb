// Fuzzes the whole conversion: config.ini, two keyword files, options and source text, then
// convert_text, checked, and once more numbered (convert_text, or convert_stream into a
// file or a tiny sink) against the first result numbered by the plain rule; and the text as
// Unix text (no CR) against its CR LF form.  Input: the five parts separated by "\n--8<--\n"
// (see fuzz/README.md), so that seeds are readable files built from the shipped pack.
#include <cstring>
#include <string>
#include <vector>

#include "cli/output_file.h"
#include "engine/convert.h"
#include "fuzz_util.h"
#include "markup_check.h"
#include "settings/settings.h"
#include "tiny_sink.h"

namespace {

struct Files {
  std::string config, k1, k2;
  bool config_present = false, k1_present = false, k2_present = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string dir = [] {
    vorel::set_program_dir(fuzz::scratch_dir());
    return fuzz::scratch_dir();
  }();
  static Files files;
  static const std::string frame = [] {
    // The page frame: the HTML output of an empty text, less its "</pre>".
    fuzz::write_file(dir + "config.ini", "");
    files.config_present = true;
    vorel::ConversionContext ctx;
    ctx.flags = vorel::FLAG_HTML;
    auto out = vorel::convert_text(ctx, "", 0, "S");
    if (!out || out->size() < 6) fuzz::fail("empty HTML conversion");
    return out->substr(0, out->size() - 6);
  }();

  const auto parts = fuzz::split_input(data, size, 5);
  const fuzz::Options opt = fuzz::parse_options(parts[3]);
  const bool html = opt.html;
  const std::string& text = parts[4];

  fuzz::write_file_cached(dir + "config.ini", parts[0], files.config, files.config_present);
  fuzz::write_file_cached(dir + "k1.txt", parts[1], files.k1, files.k1_present);
  fuzz::write_file_cached(dir + "k2.txt", parts[2], files.k2, files.k2_present);
  const char* syntax_name = opt.syntax.c_str();
  const uint32_t first_line = opt.first_line;
  const std::size_t window = opt.window;

  vorel::ConversionContext plain;
  plain.flags = html ? vorel::FLAG_HTML : 0;
  auto out = vorel::convert_text(plain, text.c_str(), (text.size() + 1) * 8 + 1024, syntax_name);
  if (!out) {
    FUZZ_CHECK(!plain.failed_file.empty());
    return 0;
  }

  // The body: the markup between the frame and "</pre>".
  std::string body = *out;
  if (html) {
    FUZZ_CHECK(body.compare(0, frame.size(), frame) == 0);
    FUZZ_CHECK(body.size() >= frame.size() + 6 && body.compare(body.size() - 6, 6, "</pre>") == 0);
    body = body.substr(frame.size(), body.size() - frame.size() - 6);
  }
  const std::string source(text.c_str());  // the text ends at its first zero byte
  fuzz::check_markup(source, body, html);

  // Numbered: exactly the unnumbered markup with numbers inserted after each line break.
  uint32_t last_line = first_line;
  std::string expected = fuzz::reference_number_lines(body, last_line);
  if (html) expected = frame + expected + "</pre>";
  vorel::ConversionContext numbered;
  numbered.flags = plain.flags | vorel::FLAG_LINE_NUMBERS;
  numbered.line_counter = first_line;

  if (opt.through_file) {
    // Streamed into a file through a buffer of a few bytes.
    std::string path = dir + "out.txt";
    {
      vorel::cli::OutputFile file;
      std::string error;
      FUZZ_CHECK(file.open(path, error));
      vorel::cli::FileSink sink(file, window + 1);
      FUZZ_CHECK(vorel::convert_stream(numbered, text, syntax_name, sink));
      FUZZ_CHECK(sink.finish() && file.commit(error));
    }
    auto back = vorel::read_whole_file(path.c_str());
    FUZZ_CHECK(back && *back == expected);
  } else if (opt.tiny_sink) {
    // Streamed through a sink that overflows on nearly every write.
    fuzz::TinySink sink(window);
    FUZZ_CHECK(vorel::convert_stream(numbered, text, syntax_name, sink));
    sink.finish();
    FUZZ_CHECK(sink.out == expected);
  } else {
    auto out_numbered = vorel::convert_text(numbered, text.c_str(), 0, syntax_name);
    FUZZ_CHECK(out_numbered && *out_numbered == expected);
  }
  FUZZ_CHECK(numbered.line_counter == last_line);

  // Unix text (the source without its CRs) converted as such equals its CR LF
  // form converted, numbered as the options say.
  std::string lf_text, crlf_text;
  for (char c : source) {
    if (c == '\r') continue;
    lf_text += c;
    if (c == '\n') crlf_text += '\r';
    crlf_text += c;
  }
  vorel::ConversionContext a, b;
  a.flags = b.flags = plain.flags | (opt.through_file || opt.tiny_sink ? vorel::FLAG_LINE_NUMBERS : 0);
  a.line_counter = b.line_counter = first_line;
  vorel::StringSink want, got;
  FUZZ_CHECK(vorel::convert_stream(a, crlf_text, syntax_name, want));
  FUZZ_CHECK(vorel::convert_stream(b, lf_text, syntax_name, got, vorel::LineEnds::LF));
  FUZZ_CHECK(got.take() == want.take());
  FUZZ_CHECK(a.line_counter == b.line_counter);
  return 0;
}
