// Golden conversions: each case in cases/ converted to HTML and UBB, numbered
// and not, compared byte for byte with its expected files.  A differing
// output is written beside them as a .new file for review.  The cases are
// found in the folder: a source is a file with NAME.html beside it, and
// sources.ini names its syntax.  The output modes have cases of their own:
// NAME.WORDS.html or NAME.WORDS.ubb, each word "numbered" (from line 1) or
// an output option as "name-value" (NAME.page-modern.numbered.html).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/convert.h"
#include "engine/output_options.h"
#include "settings/ini_text.h"
#include "settings/settings.h"

namespace vorel {
namespace {

struct GoldenCase {
  std::string source;
  std::string syntax;
  bool html;
  bool numbered;
  bool bare_cr;  // line ends as bare CR instead of CR LF
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.source << " (" << c.syntax << ")"; }

const std::filesystem::path& cases_dir();
std::optional<std::string> read_bytes(const std::filesystem::path& path);

std::vector<GoldenCase> make_cases() {
  std::string index = read_bytes(cases_dir() / "sources.ini").value_or("");
  ini::IniFile syntaxes;
  syntaxes.assign(index);
  std::vector<std::string> sources;
  for (const auto& entry : std::filesystem::directory_iterator(cases_dir()))
    if (std::filesystem::exists(entry.path().string() + ".html"))
      sources.push_back(entry.path().filename().string());
  std::sort(sources.begin(), sources.end());
  std::vector<GoldenCase> cases;
  for (const std::string& source : sources) {
    char syntax[256];
    syntaxes.get_string("syntax", source.c_str(), syntax, sizeof syntax);
    for (bool bare_cr : {false, true})
      for (bool html : {true, false})
        for (bool numbered : {false, true})
          cases.push_back(GoldenCase{source, syntax, html, numbered, bare_cr});
  }
  return cases;
}

std::string case_name(const ::testing::TestParamInfo<GoldenCase>& info) {
  std::string name = info.param.source;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  name += info.param.html ? "_html" : "_ubb";
  if (info.param.numbered) name += "_numbered";
  name += info.param.bare_cr ? "_cr" : "_crlf";
  return name;
}

// Taken once, before any test points program_dir() elsewhere.
const std::filesystem::path& cases_dir() {
  static const std::filesystem::path dir = [] {
#ifdef VOREL_CASES_SOURCE_DIR
    if (std::filesystem::exists(VOREL_CASES_SOURCE_DIR)) return std::filesystem::path(VOREL_CASES_SOURCE_DIR);
#endif
    set_program_dir("");
    return std::filesystem::path(program_dir()) / "engine_cases";
  }();
  return dir;
}

std::optional<std::string> read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Stored sources use LF; the program hands the engine CR LF (or bare CR).
std::string with_line_ends(const std::string& text, const char* line_end) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += line_end;
    else out.push_back(c);
  }
  return out;
}

std::string fold_crlf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

std::string first_difference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  std::ostringstream s;
  s << "first difference at byte " << i << " (actual " << a.size() << " bytes, expected " << b.size()
    << "): actual \"" << a.substr(i, 40) << "\" expected \"" << b.substr(i, 40) << "\"";
  return s.str();
}

class Golden : public ::testing::TestWithParam<GoldenCase> {
 protected:
  void SetUp() override { set_program_dir(cases_dir().string()); }
  void TearDown() override { set_program_dir(""); }
};

// The cases' config.ini and keyword files, in memory.
MemorySyntaxSource& memory_source() {
  static MemorySyntaxSource* const source = [] {
    auto* s = new MemorySyntaxSource(read_bytes(cases_dir() / "config.ini").value_or(""));
    for (const auto& entry : std::filesystem::directory_iterator(cases_dir()))
      if (entry.path().extension() == ".kw")
        s->add_keyword_file(entry.path().filename().string(), read_bytes(entry.path()).value_or(""));
    return s;
  }();
  return *source;
}

TEST_P(Golden, ConvertsAsExpected) {
  const GoldenCase& c = GetParam();
  ASSERT_FALSE(c.syntax.empty()) << c.source << " has no syntax in sources.ini";
  const std::filesystem::path& dir = cases_dir();
  const auto stored = read_bytes(dir / c.source);
  ASSERT_TRUE(stored) << (dir / c.source).string();
  const std::string text = with_line_ends(*stored, c.bare_cr ? "\r" : "\r\n");

  ConversionContext ctx;
  ctx.flags = (c.html ? FLAG_HTML : 0) | (c.numbered ? FLAG_LINE_NUMBERS : 0);
  ctx.line_counter = 1;
  const auto out = convert_text(ctx, text.c_str(), (text.size() + 1) * 8 + 1024, c.syntax.c_str());
  ASSERT_TRUE(out) << ctx.failed_file;

  // The streaming form, with the syntax read from memory, gives the same bytes.
  ConversionContext stream_ctx;
  stream_ctx.flags = ctx.flags;
  stream_ctx.line_counter = 1;
  StringSink sink;
  ASSERT_TRUE(convert_stream(stream_ctx, text, memory_source(), c.syntax.c_str(), sink));
  EXPECT_EQ(sink.take(), *out);
  EXPECT_EQ(stream_ctx.line_counter, ctx.line_counter);

  const std::string expected_name = c.source + (c.numbered ? ".numbered" : "") + (c.html ? ".html" : ".ubb");
  const std::string expected = read_bytes(dir / expected_name).value_or("");
  // Bare CR sources keep bare CRs inside block comments; elsewhere every line
  // end comes out as CR LF, and numbering turns either into CR LF.
  const bool same = (c.bare_cr && !c.numbered) ? fold_crlf(*out) == fold_crlf(expected) : *out == expected;
  if (!same) {
    const std::string new_name = expected_name + (c.bare_cr ? ".cr.new" : ".new");
    std::ofstream(dir / new_name, std::ios::binary) << *out;
    ADD_FAILURE() << expected_name << " differs; wrote " << (dir / new_name).string() << "\n"
                  << first_difference(*out, expected);
  }
}

// The stored source is Unix text: converted as such (no CR LF copy) it must
// give exactly the bytes of its CR LF form.
class GoldenUnix : public Golden {};

TEST_P(GoldenUnix, ConvertsAsItsCrLfForm) {
  const GoldenCase& c = GetParam();
  const auto stored = read_bytes(cases_dir() / c.source);
  ASSERT_TRUE(stored);
  ASSERT_EQ(stored->find('\r'), std::string::npos) << "stored sources use LF";
  const uint32_t flags = (c.html ? FLAG_HTML : 0) | (c.numbered ? FLAG_LINE_NUMBERS : 0);
  for (const std::string& text :
       {*stored, *stored + "tail without a line end", std::string("\n\n") + *stored}) {
    ConversionContext a, b;
    a.flags = b.flags = flags;
    a.line_counter = b.line_counter = 4294967290u;
    StringSink crlf, lf;
    ASSERT_TRUE(convert_stream(a, with_line_ends(text, "\r\n"), c.syntax.c_str(), crlf));
    ASSERT_TRUE(convert_stream(b, text, c.syntax.c_str(), lf, LineEnds::LF));
    const std::string want = crlf.take(), got = lf.take();
    EXPECT_EQ(got, want) << first_difference(got, want);
    EXPECT_EQ(b.line_counter, a.line_counter);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(make_cases()), case_name);

std::vector<GoldenCase> crlf_cases() {
  std::vector<GoldenCase> cases;
  for (const GoldenCase& c : make_cases())
    if (!c.bare_cr) cases.push_back(c);
  return cases;
}
INSTANTIATE_TEST_SUITE_P(Cases, GoldenUnix, ::testing::ValuesIn(crlf_cases()), case_name);

// An output mode's case: the source, its syntax, and the expected file whose
// name says the options.
struct ModeCase {
  std::string source;
  std::string syntax;
  std::string expected;
  bool lf;  // the source as Unix text, else CR LF
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.expected << (c.lf ? " (LF)" : " (CR LF)"); }

// WORDS of SOURCE.WORDS.html or SOURCE.WORDS.ubb; "" for any other name.
std::string mode_words(const std::string& source, const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || (name.compare(dot, std::string::npos, ".html") != 0 &&
                                   name.compare(dot, std::string::npos, ".ubb") != 0))
    return {};
  if (dot <= source.size() + 1 || name.compare(0, source.size() + 1, source + ".") != 0) return {};
  return name.substr(source.size() + 1, dot - source.size() - 1);
}

std::vector<ModeCase> make_mode_cases() {
  std::vector<ModeCase> cases;
  for (const GoldenCase& c : make_cases()) {
    if (c.bare_cr || !c.html || c.numbered) continue;  // once per source
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(cases_dir())) {
      const std::string name = entry.path().filename().string();
      const std::string words = mode_words(c.source, name);
      if (!words.empty() && words != "numbered") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
      for (bool lf : {false, true}) cases.push_back(ModeCase{c.source, c.syntax, name, lf});
  }
  return cases;
}

std::string mode_case_name(const ::testing::TestParamInfo<ModeCase>& info) {
  std::string name = info.param.expected;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name + (info.param.lf ? "_lf" : "_crlf");
}

// The options an expected file's name gives; "" or what is wrong.
std::string options_from_name(const ModeCase& c, OutputOptions& options) {
  options.html = c.expected.ends_with(".html");
  options.first_line = 1;
  std::string words = mode_words(c.source, c.expected);
  while (!words.empty()) {
    const std::size_t dot = words.find('.');
    const std::string word = words.substr(0, dot);
    words = dot == std::string::npos ? "" : words.substr(dot + 1);
    if (word == "numbered") {
      options.line_numbers = true;
      continue;
    }
    const std::size_t dash = word.find('-');
    if (dash == std::string::npos) return "'" + word + "' is neither numbered nor name-value";
    if (std::string wrong = set_output_option(options, word.substr(0, dash), word.substr(dash + 1));
        !wrong.empty())
      return wrong;
  }
  return {};
}

class GoldenMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(GoldenMode, ConvertsAsExpected) {
  const ModeCase& c = GetParam();
  OutputOptions options;
  ASSERT_EQ(options_from_name(c, options), "") << c.expected;
  const auto stored = read_bytes(cases_dir() / c.source);
  ASSERT_TRUE(stored);
  ConversionContext ctx = conversion_context(options);
  StringSink sink;
  ASSERT_TRUE(convert_stream(ctx, c.lf ? *stored : with_line_ends(*stored, "\r\n"), memory_source(),
                             c.syntax.c_str(), sink, c.lf ? LineEnds::LF : LineEnds::CR_LF));
  const std::string out = sink.take();
  const std::string expected = read_bytes(cases_dir() / c.expected).value_or("");
  if (out != expected) {
    const std::string new_name = c.expected + (c.lf ? ".lf.new" : ".new");
    std::ofstream(cases_dir() / new_name, std::ios::binary) << out;
    ADD_FAILURE() << c.expected << " differs; wrote " << (cases_dir() / new_name).string() << "\n"
                  << first_difference(out, expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, GoldenMode, ::testing::ValuesIn(make_mode_cases()), mode_case_name);

}  // namespace
}  // namespace vorel
