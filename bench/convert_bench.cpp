// Engine throughput: convert_text and convert_stream on a generated C-like
// corpus of several megabytes, and convert_stream on the real C/C++ corpus of
// bench/make_corpus.sh with the shipped C++ syntax; HTML and UBB, numbered
// and not (MB/s of input).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/convert.h"
#include "settings/settings.h"

namespace {

const char* const RESERVED[] = {
    "auto",       "break",    "case",     "char",     "const",  "continue", "default", "do",     "double",
    "else",       "enum",     "extern",   "float",    "for",    "goto",     "if",      "inline", "int",
    "long",       "register", "restrict", "return",   "short",  "signed",   "sizeof",  "static", "struct",
    "switch",     "typedef",  "union",    "unsigned", "void",   "volatile", "while",   "_Bool",  "_Complex",
    "_Imaginary", "#include", "#define",  "#if",      "#ifdef", "#ifndef",  "#else",   "#elif",  "#endif",
    "#pragma",    "#undef",   "#error",   "NULL",     "true",   "false"};

const char* const LIBRARY[] = {
    "printf",  "fprintf", "sprintf",  "snprintf", "scanf",    "fscanf",    "sscanf",  "fopen",    "fclose",
    "fread",   "fwrite",  "fgets",    "fputs",    "fputc",    "fgetc",     "getc",    "putc",     "getchar",
    "putchar", "puts",    "fseek",    "ftell",    "rewind",   "fflush",    "feof",    "ferror",   "perror",
    "remove",  "rename",  "tmpfile",  "malloc",   "calloc",   "realloc",   "free",    "abort",    "exit",
    "atexit",  "atoi",    "atol",     "atof",     "strtol",   "strtoul",   "strtod",  "qsort",    "bsearch",
    "abs",     "labs",    "rand",     "srand",    "getenv",   "system",    "memcpy",  "memmove",  "memset",
    "memcmp",  "memchr",  "strcpy",   "strncpy",  "strcat",   "strncat",   "strcmp",  "strncmp",  "strchr",
    "strrchr", "strstr",  "strlen",   "strtok",   "strerror", "isalpha",   "isdigit", "isalnum",  "isspace",
    "isupper", "islower", "toupper",  "tolower",  "size_t",   "ptrdiff_t", "FILE",    "EOF",      "stdin",
    "stdout",  "stderr",  "uint8_t",  "uint16_t", "uint32_t", "uint64_t",  "int8_t",  "int16_t",  "int32_t",
    "int64_t", "time",    "clock",    "difftime", "mktime",   "localtime", "gmtime",  "strftime", "assert",
    "errno",   "va_list", "va_start", "va_end",   "va_arg",   "sin",       "cos",     "tan",      "sqrt",
    "pow",     "exp",     "log",      "floor",    "ceil",     "fabs",      "setjmp",  "longjmp",  "signal",
    "raise"};

const char* const IDENTIFIERS[] = {"i",    "j",     "n",     "count", "buffer", "len",   "result",
                                   "node", "next",  "value", "key",   "table",  "index", "state",
                                   "out",  "p",     "q",     "ctx",   "first",  "last",  "size",
                                   "data", "flags", "head",  "tail",  "item"};

// Deterministic C-like source with CR LF line ends: declarations, calls,
// loops, strings, line and block comments, numbers and operators.
std::string make_corpus(std::size_t target) {
  std::mt19937 rng(20261208);
  auto pick = [&rng](const auto& list) { return list[rng() % std::size(list)]; };
  std::string s;
  s.reserve(target + 4096);
  int depth = 0;
  while (s.size() < target) {
    std::string line(static_cast<std::size_t>(depth) * 4, ' ');
    switch (rng() % 12) {
      case 0:
        line += std::string("/* ") + pick(IDENTIFIERS) + " holds the " + pick(IDENTIFIERS) + " of each " +
                pick(IDENTIFIERS) + " <see below> */";
        break;
      case 1:
        line += std::string("if (") + pick(IDENTIFIERS) + " < " + std::to_string(rng() % 1000) + " && " +
                pick(IDENTIFIERS) + " != NULL) {";
        ++depth;
        break;
      case 2:
        line += std::string(pick(LIBRARY)) + "(\"" + pick(IDENTIFIERS) + " = %d, <%s>\\n\", " +
                pick(IDENTIFIERS) + ", " + pick(IDENTIFIERS) + "); // " + pick(IDENTIFIERS) + " done";
        break;
      case 3:
        line += std::string("for (") + pick(IDENTIFIERS) + " = 0; " + pick(IDENTIFIERS) + " < " +
                pick(IDENTIFIERS) + "; ++" + pick(IDENTIFIERS) + ") {";
        ++depth;
        break;
      case 4:
      case 5:
        if (depth > 0) {
          line.resize(line.size() - 4);
          line += "}";
          --depth;
          break;
        }
        [[fallthrough]];
      case 6:
        line += std::string(pick(RESERVED)) + " " + pick(IDENTIFIERS) + " = " + pick(IDENTIFIERS) + "->" +
                pick(IDENTIFIERS) + "[" + std::to_string(rng() % 64) + "] + 0x" +
                std::to_string(rng() % 9999) + ";";
        break;
      case 7:
        line += std::string("static const char *") + pick(IDENTIFIERS) + " = \"" + pick(IDENTIFIERS) + " & " +
                pick(IDENTIFIERS) + "\"; /* " + pick(IDENTIFIERS) + " */";
        break;
      case 8:
        line += std::string("return ") + pick(LIBRARY) + "(" + pick(IDENTIFIERS) + ", '" +
                static_cast<char>('a' + rng() % 26) + "', sizeof(" + pick(RESERVED) + "));";
        break;
      case 9: line += ""; break;
      default:
        line += std::string(pick(IDENTIFIERS)) + " = (" + pick(IDENTIFIERS) + " >> " +
                std::to_string(rng() % 8) + ") | " + pick(IDENTIFIERS) + "; // " + pick(IDENTIFIERS);
    }
    s += line;
    s += "\r\n";
  }
  return s;
}

// A program directory with a C syntax and its two keyword files.
struct Setup {
  std::filesystem::path dir;
  std::string corpus;
  Setup() {
    dir = std::filesystem::temp_directory_path() / "vorel_convert_bench";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "config.ini", std::ios::binary)
        << "[C]\r\ncase=1\r\nstxfile1=c1.txt\r\nstxfile2=c2.txt\r\nstr1=\"\r\nstr2='\r\n"
           "delimiter=~!%^&*()-+=[]{}|\\:;\"'<>,.?/\r\ncolor_string=1515A3\r\ncolor_comment=2008000\r\n"
           "comment1=/*\r\ncomment1e=*/\r\ncomment2=//\r\n";
    std::ofstream reserved(dir / "c1.txt", std::ios::binary);
    for (const char* k : RESERVED) reserved << k << " 1FF0000\r\n";
    std::ofstream library(dir / "c2.txt", std::ios::binary);
    for (const char* k : LIBRARY) library << k << " 800080\r\n";
    reserved.close();
    library.close();
    vorel::set_program_dir(dir.string());
    corpus = make_corpus(8 * 1000 * 1000);
  }
};

const Setup& setup() {
  static const Setup s;
  return s;
}

uint32_t flags_of(const benchmark::State& state) {
  return (state.range(0) ? vorel::FLAG_HTML : 0) | (state.range(1) ? vorel::FLAG_LINE_NUMBERS : 0);
}

void label(benchmark::State& state, std::size_t out_size) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * setup().corpus.size()));
  state.SetLabel(std::string(state.range(0) ? "html" : "ubb") + (state.range(1) ? " numbered" : "") +
                 ", output " + std::to_string(out_size / 1000) + " kB");
}

// The Windows program's call: the whole markup as one string.
void BM_ConvertText(benchmark::State& state) {
  const Setup& s = setup();
  vorel::ConversionContext ctx;
  std::size_t out_size = 0;
  for (auto _ : state) {
    ctx.flags = flags_of(state);
    ctx.line_counter = 1;
    auto out = vorel::convert_text(ctx, s.corpus.c_str(), (s.corpus.size() + 1) * 8 + 1024, "C");
    if (!out) state.SkipWithError("conversion failed");
    out_size = out ? out->size() : 0;
    benchmark::DoNotOptimize(out);
  }
  label(state, out_size);
}

// Streaming into a fixed window that is dropped when full: the engine alone.
class DiscardSink final : public vorel::OutputSink {
 public:
  DiscardSink() { reset(); }
  bool finish() override {
    total_ += static_cast<std::size_t>(pos_ - buf_);
    reset();
    return true;
  }
  std::size_t total() const { return total_; }

 protected:
  void overflow(const char*, std::size_t size) override {
    total_ += static_cast<std::size_t>(pos_ - buf_) + size;
    reset();
  }

 private:
  void reset() {
    pos_ = buf_;
    end_ = buf_ + sizeof buf_;
  }
  char buf_[256 * 1024];
  std::size_t total_ = 0;
};

void BM_ConvertStream(benchmark::State& state) {
  const Setup& s = setup();
  vorel::ConversionContext ctx;
  std::size_t out_size = 0;
  for (auto _ : state) {
    ctx.flags = flags_of(state);
    ctx.line_counter = 1;
    DiscardSink sink;
    if (!vorel::convert_stream(ctx, s.corpus, "C", sink)) state.SkipWithError("conversion failed");
    out_size = sink.total();
  }
  label(state, out_size);
}

// The real corpus (1 or 10 MB of GoogleTest and libstdc++ sources, LF line
// ends), read once, from $VOREL_BENCH_CORPUS_DIR or the build's bench-corpus.
const std::string* real_corpus(int megabytes) {
  static std::string texts[2];
  static bool tried[2];
  const int i = megabytes == 1 ? 0 : 1;
  if (!tried[i]) {
    tried[i] = true;
    const char* env = std::getenv("VOREL_BENCH_CORPUS_DIR");
    const std::filesystem::path dir = env ? env : VOREL_BENCH_CORPUS_DIR;
    std::ifstream in(dir / ("corpus-" + std::to_string(megabytes) + "mb.cpp"), std::ios::binary);
    if (in) texts[i].assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return texts[i].empty() ? nullptr : &texts[i];
}

// vorel-convert's work without its file I/O: the corpus as Unix text, the
// shipped C++ syntax, streamed through a warm 256 KiB window.  Arguments:
// megabytes, HTML, numbered, CR LF form (1: the text made CR LF first, as the
// Windows program hands it over).
void BM_RealCorpus(benchmark::State& state) {
  setup();  // keeps its program directory from being set later
  const std::string* unix_text = real_corpus(static_cast<int>(state.range(0)));
  if (!unix_text) {
    state.SkipWithError("no corpus: run bench/make_corpus.sh (or set VOREL_BENCH_CORPUS_DIR)");
    return;
  }
  std::string crlf;
  if (state.range(3)) {
    crlf.reserve(unix_text->size() + unix_text->size() / 16);
    for (char c : *unix_text) {
      if (c == '\n') crlf += '\r';
      crlf += c;
    }
  }
  const std::string& text = state.range(3) ? crlf : *unix_text;
  const vorel::LineEnds ends = state.range(3) ? vorel::LineEnds::CR_LF : vorel::LineEnds::LF;
  vorel::set_program_dir("");  // the shipped pack beside this program
  vorel::ConversionContext ctx;
  std::size_t out_size = 0;
  for (auto _ : state) {
    ctx.flags = (state.range(1) ? vorel::FLAG_HTML : 0) | (state.range(2) ? vorel::FLAG_LINE_NUMBERS : 0);
    ctx.line_counter = 1;
    DiscardSink sink;
    if (!vorel::convert_stream(ctx, text, "C++", sink, ends)) state.SkipWithError("conversion failed");
    out_size = sink.total();
  }
  vorel::set_program_dir(setup().dir.string());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * unix_text->size()));
  state.SetLabel(std::to_string(state.range(0)) + " MB " + (state.range(1) ? "html" : "ubb") +
                 (state.range(2) ? " numbered" : "") + (state.range(3) ? " crlf" : "") + ", output " +
                 std::to_string(out_size / 1000) + " kB");
}

BENCHMARK(BM_ConvertText)->ArgsProduct({{1, 0}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertStream)->ArgsProduct({{1, 0}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealCorpus)->ArgsProduct({{1, 10}, {1, 0}, {0, 1}, {0}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealCorpus)->Args({10, 1, 0, 1})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
