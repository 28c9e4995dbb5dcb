// Fuzzes the whole conversion: config.ini, two keyword files (held in memory), options and
// source text, then convert_stream, checked, and once more numbered (into a string, a file or
// a tiny sink) against the first result numbered by the plain rule; and the text as Unix text
// (no CR) against its CR LF form.  Input: the five parts separated by "\n--8<--\n"
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = fuzz::scratch_dir();
  static const std::string frame = [] {
    // The page frame: the HTML output of an empty text, less its "</pre>".
    vorel::MemorySyntaxSource empty("");
    vorel::ConversionContext ctx;
    ctx.flags = vorel::FLAG_HTML;
    vorel::StringSink sink;
    if (!vorel::convert_stream(ctx, "", empty, "S", sink)) fuzz::fail("empty HTML conversion");
    std::string out = sink.take();
    if (out.size() < 6) fuzz::fail("empty HTML conversion");
    return out.substr(0, out.size() - 6);
  }();

  const auto parts = fuzz::split_input(data, size, 5);
  const fuzz::Options opt = fuzz::parse_options(parts[3]);
  const bool html = opt.html;
  const std::string& text = parts[4];

  vorel::MemorySyntaxSource syntaxes(parts[0]);
  syntaxes.add_keyword_file("k1.txt", parts[1]);
  syntaxes.add_keyword_file("k2.txt", parts[2]);
  const char* syntax_name = opt.syntax.c_str();
  const uint32_t first_line = opt.first_line;
  const std::size_t window = opt.window;

  vorel::ConversionContext plain;
  plain.flags = html ? vorel::FLAG_HTML : 0;
  vorel::StringSink plain_sink;
  if (!vorel::convert_stream(plain, text, syntaxes, syntax_name, plain_sink)) {
    FUZZ_CHECK(!plain.failed_file.empty());
    return 0;
  }
  const std::optional<std::string> out = plain_sink.take();

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
      FUZZ_CHECK(vorel::convert_stream(numbered, text, syntaxes, syntax_name, sink));
      FUZZ_CHECK(sink.finish() && file.commit(error));
    }
    auto back = vorel::read_whole_file(path.c_str());
    FUZZ_CHECK(back && *back == expected);
  } else if (opt.tiny_sink) {
    // Streamed through a sink that overflows on nearly every write.
    fuzz::TinySink sink(window);
    FUZZ_CHECK(vorel::convert_stream(numbered, text, syntaxes, syntax_name, sink));
    sink.finish();
    FUZZ_CHECK(sink.out == expected);
  } else {
    // The syntax read once, converted twice.
    std::optional<vorel::Syntax> syntax = vorel::read_syntax(syntaxes, syntax_name);
    FUZZ_CHECK(syntax);
    vorel::StringSink sink;
    FUZZ_CHECK(vorel::convert_stream(numbered, text, *syntax, sink));
    FUZZ_CHECK(sink.take() == expected);
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
  FUZZ_CHECK(vorel::convert_stream(a, crlf_text, syntaxes, syntax_name, want));
  FUZZ_CHECK(vorel::convert_stream(b, lf_text, syntaxes, syntax_name, got, vorel::LineEnds::LF));
  FUZZ_CHECK(got.take() == want.take());
  FUZZ_CHECK(a.line_counter == b.line_counter);
  return 0;
}
