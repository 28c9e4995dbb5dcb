// vorel-convert: converts source text to HTML or UBB markup from the command
// line, with the same engine and config.ini as the Windows program.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <sys/mman.h>
#endif

#include "cli/line_ends.h"
#include "cli/output_file.h"
#include "engine/byte_search.h"
#include "engine/convert.h"
#include "settings/settings.h"

namespace {

using namespace vorel;

constexpr const char* USAGE =
    "usage: vorel-convert [--config-dir DIR] [--syntax NAME] [--format html|ubb]\n"
    "                     [--line-numbers START] [--stats] [-o OUT] [INPUT]\n"
    "       vorel-convert --list-syntaxes [--config-dir DIR]\n";

constexpr const char* HELP =
    "Converts program source text to coloured markup: an HTML page or UBB forum code.\n"
    "\n"
    "  INPUT                 the source file (default: standard input; '-' also reads it)\n"
    "  -o OUT                write to OUT (default, or '-': standard output); OUT is\n"
    "                        replaced only when the conversion succeeds\n"
    "  --syntax NAME         a syntax section of config.ini (default: none, plain text)\n"
    "  --format html|ubb     markup language (default: html)\n"
    "  --line-numbers START  number the lines, the first one START (0 to 4294967295)\n"
    "  --stats               print timings and lengths to standard error\n"
    "  --config-dir DIR      where config.ini and the keyword files are\n"
    "                        (default: the directory of this program)\n"
    "  --list-syntaxes       print the syntax names of config.ini, one per line\n"
    "  --help, --version\n"
    "\n"
    "Line ends in the input (LF, CR LF or CR) become CR LF.  Exit status: 0 on success,\n"
    "1 when the input, a keyword file or the output fails, 2 for a wrong command line.\n";

struct Options {
  std::string config_dir;
  bool config_dir_set = false;
  std::string syntax;
  bool html = true;
  bool line_numbers = false;
  uint32_t first_line = 0;
  bool stats = false;
  std::string output;  // "" for standard output
  std::string input;   // "" for standard input
  bool list_syntaxes = false;
  bool help = false;
  bool version = false;
};

void error(const std::string& message) {
  std::fprintf(stderr, "vorel-convert: %s\n", message.c_str());
}

int usage_error(const std::string& message) {
  error(message);
  std::fputs(USAGE, stderr);
  return 2;
}

// A decimal number from 0 to 4294967295, digits only.
bool parse_line_number(const std::string& text, uint32_t& value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<uint64_t>(c - '0');
    if (v > 0xFFFFFFFFu) return false;
  }
  value = static_cast<uint32_t>(v);
  return true;
}

// Returns -1 when the command line is good, else the exit status.
int parse_options(int argc, char** argv, Options& opt) {
  bool have_input = false;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (options_done || arg == "-" || arg.empty() || arg[0] != '-') {
      if (have_input) return usage_error("more than one input file: '" + arg + "'");
      have_input = true;
      opt.input = arg == "-" ? std::string() : arg;
      if (arg.empty()) return usage_error("the input file name is empty");
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    // --name=value or --name value
    std::string name = arg, value;
    bool inline_value = false;
    if (arg.compare(0, 2, "--") == 0) {
      std::size_t eq = arg.find('=');
      if (eq != std::string::npos) {
        name = arg.substr(0, eq);
        value = arg.substr(eq + 1);
        inline_value = true;
      }
    }
    auto takes_value = [&]() -> bool {
      if (inline_value) return true;
      if (i + 1 >= argc) return false;
      value = argv[++i];
      return true;
    };
    auto flag = [&]() { return !inline_value; };

    if (name == "--config-dir") {
      if (!takes_value()) return usage_error("--config-dir needs a directory");
      opt.config_dir = value;
      opt.config_dir_set = true;
    } else if (name == "--syntax") {
      if (!takes_value()) return usage_error("--syntax needs a syntax name");
      opt.syntax = value;
    } else if (name == "--format") {
      if (!takes_value()) return usage_error("--format needs html or ubb");
      if (value == "html") opt.html = true;
      else if (value == "ubb") opt.html = false;
      else return usage_error("unknown format '" + value + "' (use html or ubb)");
    } else if (name == "--line-numbers") {
      if (!takes_value()) return usage_error("--line-numbers needs a first line number");
      if (!parse_line_number(value, opt.first_line))
        return usage_error("bad line number '" + value + "' (use 0 to 4294967295)");
      opt.line_numbers = true;
    } else if (name == "-o" || name == "--output") {
      if (!takes_value()) return usage_error("-o needs an output file");
      if (value.empty()) return usage_error("the output file name is empty");
      opt.output = value == "-" ? std::string() : value;  // "-": standard output
    } else if (name == "--stats" && flag()) {
      opt.stats = true;
    } else if (name == "--list-syntaxes" && flag()) {
      opt.list_syntaxes = true;
    } else if ((name == "--help" || name == "-h") && flag()) {
      opt.help = true;
    } else if (name == "--version" && flag()) {
      opt.version = true;
    } else {
      return usage_error("unknown option '" + arg + "'");
    }
  }
  return -1;
}

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

bool same_name(std::string_view a, std::string_view b) {
  auto trim = [](std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  };
  a = trim(a);
  b = trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Memory for the input, filled once and read by the engine.  On Linux it
// comes from 2 MiB pages where the system has them: on some virtual machines
// the first touch of each 4 KiB page costs microseconds, so a 10 MB text in
// small pages costs more to fill and read than to convert.
class TextBuffer {
 public:
  TextBuffer() = default;
  explicit TextBuffer(std::size_t capacity) : capacity_(capacity ? capacity : 1) {
#ifdef MADV_HUGEPAGE
    constexpr std::size_t HUGE_PAGE = 2 * 1024 * 1024;
    if (capacity_ >= HUGE_PAGE) {
      const std::size_t rounded = (capacity_ + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
      void* p = mmap(nullptr, rounded + HUGE_PAGE, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
      if (p != MAP_FAILED) {
        map_ = p;
        map_size_ = rounded + HUGE_PAGE;
        const std::uintptr_t a = (reinterpret_cast<std::uintptr_t>(p) + HUGE_PAGE - 1) & ~std::uintptr_t{HUGE_PAGE - 1};
        data_ = reinterpret_cast<char*>(a);
        capacity_ = rounded;
        madvise(data_, rounded, MADV_HUGEPAGE);
#ifdef MADV_POPULATE_WRITE
        madvise(data_, rounded, MADV_POPULATE_WRITE);
#endif
        return;
      }
    }
#endif
    owned_.reset(new char[capacity_]);
    data_ = owned_.get();
  }
  TextBuffer(TextBuffer&& o) noexcept { *this = std::move(o); }
  TextBuffer& operator=(TextBuffer&& o) noexcept {
    if (this != &o) {
      release();
      owned_ = std::move(o.owned_);
      data_ = o.data_;
      capacity_ = o.capacity_;
      map_ = o.map_;
      map_size_ = o.map_size_;
      o.data_ = nullptr;
      o.capacity_ = 0;
      o.map_ = nullptr;
      o.map_size_ = 0;
    }
    return *this;
  }
  ~TextBuffer() { release(); }
  char* data() const { return data_; }
  std::size_t capacity() const { return capacity_; }

 private:
  void release() {
#ifndef _WIN32
    if (map_) munmap(map_, map_size_);
#endif
    map_ = nullptr;
    owned_.reset();
  }
  std::unique_ptr<char[]> owned_;
  char* data_ = nullptr;
  std::size_t capacity_ = 0;
  void* map_ = nullptr;
  std::size_t map_size_ = 0;
};

// The input as the engine gets it: the bytes read, or, when the line ends are
// mixed (or lone CRs), a copy with every line end made CR LF.
struct Input {
  const char* text = nullptr;
  std::size_t size = 0;
  LineEnds line_ends = LineEnds::CR_LF;
  std::int64_t nul_offset = -1;  // where the input had its first NUL byte, if any
  TextBuffer buffer;
  // The text's length with CR LF line ends (what the Windows program counts).
  std::uint64_t original_length() const {
    if (line_ends == LineEnds::CR_LF) return size;
    return size + static_cast<std::uint64_t>(std::count(text, text + size, '\n'));
  }
};

// Reads everything from f (size_hint: the size of a regular file, else 0).
bool read_all(std::FILE* f, std::size_t size_hint, Input& in) {
  TextBuffer buf(size_hint ? size_hint + 1 : 1 << 20);  // + 1: the end shows without growing
  std::size_t size = 0;
  for (;;) {
    if (size == buf.capacity()) {
      TextBuffer bigger(buf.capacity() * 2);
      std::memcpy(bigger.data(), buf.data(), size);
      buf = std::move(bigger);
    }
    std::size_t n = std::fread(buf.data() + size, 1, buf.capacity() - size, f);
    if (n == 0) {
      if (std::ferror(f)) return false;
      break;
    }
    size += n;
  }
  in.buffer = std::move(buf);
  in.text = in.buffer.data();
  in.size = size;
  return true;
}

// Decides how the text's lines end: no CR at all is Unix text, converted as
// it is; every CR followed by an LF and every LF after a CR is the CR LF form,
// also converted as it is; anything else is copied with each LF, CR LF and
// lone CR made CR LF.
void settle_line_ends(Input& in) {
  const char* const p = in.text;
  const char* const e = p + in.size;
  if (!std::memchr(p, '\r', in.size)) {
    in.line_ends = LineEnds::LF;
    return;
  }
  bool crlf = true;
  for (const char* q = p; (q = detail::find_any_of3(q, e, '\r', '\n', '\r')) != e;) {
    if (*q == '\n' || q + 1 == e || q[1] != '\n') {
      crlf = false;
      break;
    }
    q += 2;
  }
  in.line_ends = LineEnds::CR_LF;
  if (crlf) return;

  // At most one byte more per line end: growth counted first, then one pass.
  const std::size_t size = in.size + cli::line_end_growth(p, in.size);
  TextBuffer out(size);
  cli::LineEndNormaliser normaliser;
  std::size_t written = 0;
  constexpr std::size_t PIECE = 64 * 1024;
  for (const char* q = p; q != e;) {
    const std::size_t n = std::min<std::size_t>(PIECE, static_cast<std::size_t>(e - q));
    // A piece can grow to 2n bytes, but never past the counted total.
    written += normaliser.feed(q, n, out.data() + written);
    q += n;
  }
  in.buffer = std::move(out);
  in.text = in.buffer.data();
  in.size = written;
}

bool read_input(const std::string& path, Input& in, std::string& message) {
  std::FILE* f;
  if (path.empty()) {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    f = stdin;
  } else {
    f = std::fopen(path.c_str(), "rb");
    if (!f) {
      message = "cannot read '" + path + "': " + std::strerror(errno);
      return false;
    }
  }
  // A regular file (also one redirected to standard input) is read into a
  // buffer of its size; pipes and devices grow the buffer as they go.
  std::size_t hint = 0;
  struct stat st;
  if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
    hint = static_cast<std::size_t>(st.st_size);
  const bool ok = read_all(f, hint, in);
  if (!ok)
    message = "cannot read " + (path.empty() ? std::string("standard input") : "'" + path + "'") + ": " +
              std::strerror(errno);
  if (f != stdin) std::fclose(f);
  if (!ok) return false;
  if (const void* zero = std::memchr(in.text, 0, in.size)) {
    in.nul_offset = static_cast<const char*>(zero) - in.text;
    return true;
  }
  settle_line_ends(in);
  return true;
}

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

// The engine names the keyword file it could not load, except when its path
// could not even be built; find which one that was.
std::string unnamed_keyword_failure(const std::string& syntax) {
  settings_path("config.ini");
  for (const char* key : {"stxfile1", "stxfile2"}) {
    char name[255];
    if (get_setting_string(syntax.c_str(), key, name, sizeof name) == 0) continue;
    char path[PATH_SIZE];
    if (resolve_path(path, name, BASE_PROGRAM_DIR)[0] == '\0')
      return "cannot read keyword file '" + program_dir() + name + "' named by syntax '" + syntax +
             "': the path is too long";
  }
  return "cannot load the keyword files of syntax '" + syntax + "'";
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

int convert(const Options& opt) {
  if (!opt.syntax.empty()) {
    bool known = false;
    for (const std::string& name : syntax_names()) known = known || same_name(name, opt.syntax);
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

  cli::OutputFile out;
  bool opened = opt.output.empty() ? out.open_stdout(message) : out.open(opt.output, message);
  if (!opened) {
    error(message);
    return 1;
  }

  ConversionContext ctx;
  ctx.flags = (opt.html ? FLAG_HTML : 0) | (opt.line_numbers ? FLAG_LINE_NUMBERS : 0);
  ctx.line_counter = opt.first_line;
  if (!convert_stream(ctx, std::string_view(in.text, in.size), opt.syntax.c_str(), out, in.line_ends)) {
    if (!ctx.failed_file.empty())
      error("cannot read keyword file '" + ctx.failed_file + "' named by syntax '" + opt.syntax +
            "'");
    else if (!out.write_error().empty())
      error("cannot write the output: " + out.write_error());
    else
      error(unnamed_keyword_failure(opt.syntax));
    return 1;
  }
  if (!out.commit(message)) {
    error(message);
    return 1;
  }
  if (opt.stats) print_stats(ctx.stats, in.original_length(), out.bytes_written());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  int status = parse_options(argc, argv, opt);
  if (status >= 0) return status;
  if (opt.help) {
    std::fputs(USAGE, stdout);
    std::fputs("\n", stdout);
    std::fputs(HELP, stdout);
    return 0;
  }
  if (opt.version) {
    std::printf("vorel-convert %s\n", VOREL_VERSION);
    return 0;
  }
  if (opt.config_dir_set) {
    if (opt.config_dir.empty()) return usage_error("the configuration directory is empty");
    set_program_dir(opt.config_dir);
  }
  return opt.list_syntaxes ? list_syntaxes() : convert(opt);
}
