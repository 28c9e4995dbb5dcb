// Times the Windows program's Start from outside, as a user would press it:
// text into the editor, C++ and HTML chosen, Start, until the result dialog
// shows; the dialog's own figures split off the conversion.
// Usage: wine_start_timing VOREL_EXE ROUNDS FILE...   (prints one line per file)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int CMD_START = 1;
constexpr int IDC_SYNTAX = 1001;
constexpr int IDC_HTML = 1005;
constexpr int IDC_UBB = 1006;
constexpr int IDC_LINE_NUMBERS = 1000;
constexpr int IDC_EDITOR = 5000;
constexpr int IDC_RESULT_CLOSE = 1003;
constexpr int IDC_RESULT_TEXT = 1004;

struct Search {
  DWORD process;
  HWND owner;  // null: the main dialog; else a dialog owned by it
  HWND found;
};

BOOL CALLBACK match(HWND window, LPARAM data) {
  auto* s = reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s->process || !IsWindowVisible(window)) return TRUE;
  const bool wanted =
      s->owner ? GetWindow(window, GW_OWNER) == s->owner && GetDlgItem(window, IDC_RESULT_TEXT) != nullptr
               : GetDlgItem(window, IDC_EDITOR) != nullptr;
  if (!wanted) return TRUE;
  s->found = window;
  return FALSE;
}

HWND find(DWORD process, HWND owner) {
  Search s{process, owner, nullptr};
  EnumWindows(match, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

double now_ms() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

std::string read_file(const char* path) {
  std::string s;
  if (FILE* f = std::fopen(path, "rb")) {
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
  }
  return s;
}

// The four numbers of the statistics text, in order.
std::vector<long> numbers_in(const std::string& text) {
  std::vector<long> v;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] >= '0' && text[i] <= '9') {
      long n = 0;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') n = n * 10 + (text[i++] - '0');
      v.push_back(n);
    } else {
      ++i;
    }
  }
  return v;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s VOREL_EXE ROUNDS FILE...\n", argv[0]);
    return 2;
  }
  const int rounds = std::max(1, std::atoi(argv[2]));
  std::string command = std::string("\"") + argv[1] + "\"";
  std::string dir = argv[1];
  dir = dir.substr(0, dir.find_last_of("\\/") + 1);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                      &process)) {
    std::fprintf(stderr, "cannot start %s\n", argv[1]);
    return 1;
  }
  WaitForInputIdle(process.hProcess, 30000);
  HWND main = nullptr;
  for (int i = 0; i < 30000 && !(main = find(process.dwProcessId, nullptr)); ++i) Sleep(1);
  if (!main) {
    std::fprintf(stderr, "no main window\n");
    return 1;
  }
  SendDlgItemMessageA(main, IDC_SYNTAX, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>("C++"));
  char syntax[100] = {};
  GetDlgItemTextA(main, IDC_SYNTAX, syntax, sizeof syntax);
  SendDlgItemMessageA(main, IDC_HTML, BM_SETCHECK, BST_CHECKED, 0);
  SendDlgItemMessageA(main, IDC_UBB, BM_SETCHECK, BST_UNCHECKED, 0);
  SendDlgItemMessageA(main, IDC_LINE_NUMBERS, BM_SETCHECK, BST_UNCHECKED, 0);
  std::printf("syntax: %s, HTML, no line numbers, %d rounds, medians in ms\n", syntax, rounds);
  std::printf("%-20s %8s %8s %8s %8s %8s %9s %9s %9s\n", "file", "bytes", "Start", "keywords", "convert",
              "rest", "markup", "set src", "set mkup");

  for (int f = 3; f < argc; ++f) {
    const std::string text = read_file(argv[f]);
    std::vector<double> total, keywords, convert, set_source, set_markup;
    long markup = 0;
    std::vector<char> converted;
    for (int r = 0; r < rounds; ++r) {
      const double s0 = now_ms();
      SetDlgItemTextA(main, IDC_EDITOR, text.c_str());
      set_source.push_back(now_ms() - s0);
      const double t0 = now_ms();
      PostMessageA(main, WM_COMMAND, MAKEWPARAM(CMD_START, BN_CLICKED), 0);
      HWND result = nullptr;
      while (!(result = find(process.dwProcessId, main))) {
        if (now_ms() - t0 > 120000) {
          std::fprintf(stderr, "no result dialog for %s\n", argv[f]);
          return 1;
        }
        Sleep(0);
      }
      const double t1 = now_ms();
      char stats[1024] = {};
      GetDlgItemTextA(result, IDC_RESULT_TEXT, stats, sizeof stats);
      const std::vector<long> n = numbers_in(stats);
      if (n.size() >= 4) {
        keywords.push_back(static_cast<double>(n[n.size() - 4]));
        convert.push_back(static_cast<double>(n[n.size() - 3]));
        markup = n[n.size() - 1];
      }
      total.push_back(t1 - t0);
      PostMessageA(result, WM_COMMAND, MAKEWPARAM(IDC_RESULT_CLOSE, BN_CLICKED), 0);
      for (int i = 0; i < 30000 && IsWindow(result); ++i) Sleep(1);
      // The same markup set from outside: what replacing the editor's text
      // costs without the conversion and the dialog.
      converted.assign(static_cast<std::size_t>(markup) * 2 + 16, 0);
      GetDlgItemTextA(main, IDC_EDITOR, converted.data(), static_cast<int>(converted.size()));
      SetDlgItemTextA(main, IDC_EDITOR, "");
      const double m0 = now_ms();
      SetDlgItemTextA(main, IDC_EDITOR, converted.data());
      set_markup.push_back(now_ms() - m0);
    }
    const double t = median(total), k = median(keywords), c = median(convert);
    const char* name = argv[f] + std::string(argv[f]).find_last_of("\\/") + 1;
    std::printf("%-20s %8zu %8.0f %8.0f %8.0f %8.0f %9ld %9.0f %9.0f\n", name, text.size(), t, k, c,
                t - k - c, markup, median(set_source), median(set_markup));
  }
  SetDlgItemTextA(main, IDC_EDITOR, "");
  PostMessageA(main, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, 30000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
