// Helpers for the Windows program's tests (see ui_test_support.h).
#include "ui_test_support.h"

#include <commdlg.h>
#include <dlgs.h>
#include <richedit.h>
#include <shlobj.h>

#include <algorithm>

#include "controls/hover_button.h"
#include "settings/settings.h"
#include "ui/ui.h"

namespace vorel::test {

namespace {

void remove_tree(const std::string& dir) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((dir + "*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) remove_tree(dir + name + "\\");
      else DeleteFileA((dir + name).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(dir.c_str());
}

DialogWatcher* active_watcher = nullptr;

}  // namespace

TempDir::TempDir() {
  static int serial = 0;
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  path_ = std::string(base) + "vorel-ui-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(++serial) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempDir::~TempDir() { remove_tree(path_); }

void write_bytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string read_bytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void pump(DWORD ms) {
  pump_until([] { return false; }, ms);
}

bool pump_until(const std::function<bool()>& done, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(ms - elapsed, 20), QS_ALLINPUT);
  }
}

std::string window_text(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) * 2 + 1, '\0');
  GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(lstrlenA(text.c_str()));
  return text;
}

std::string class_name(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

DialogWatcher::DialogWatcher(std::function<void(HWND)> on_dialog) : on_dialog_(std::move(on_dialog)) {
  active_watcher = this;
  hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, hook_proc, nullptr, GetCurrentThreadId());
}

DialogWatcher::~DialogWatcher() {
  UnhookWindowsHookEx(hook_);
  active_watcher = nullptr;
}

LRESULT CALLBACK DialogWatcher::hook_proc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && active_watcher) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    // Child dialogs (a file dialog's parts) are not dialogs of their own.
    if (call->message == WM_INITDIALOG && !(GetWindowLongA(call->hwnd, GWL_STYLE) & WS_CHILD)) {
      ++active_watcher->count_;
      if (active_watcher->on_dialog_) active_watcher->on_dialog_(call->hwnd);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

CommandRecorder::CommandRecorder() {
  static ATOM atom = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VorelTestRecorder";
    return RegisterClassA(&wc);
  }();
  (void)atom;
  window_ = CreateWindowExA(0, "VorelTestRecorder", "recorder", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                            nullptr, GetModuleHandleA(nullptr), this);
}

CommandRecorder::~CommandRecorder() { DestroyWindow(window_); }

LRESULT CALLBACK CommandRecorder::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<CommandRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_COMMAND && self) {
    self->commands_.push_back(wParam);
    if (self->on_command_) self->on_command_(wParam);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool is_file_dialog(HWND dialog) { return GetDlgItem(dialog, cmb13) || GetDlgItem(dialog, edt1); }

bool accept_file_dialog(HWND dialog, const std::string& path) {
  if (is_file_dialog(dialog)) {
    SetDlgItemTextA(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1, path.c_str());
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return true;
  }
  const int answer = GetDlgItem(dialog, IDYES) ? IDYES : IDOK;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
  return false;
}

std::string dialog_texts(HWND dialog) {
  std::string texts;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    texts += window_text(child);
    texts += '\n';
  }
  return texts;
}

HGLOBAL make_drop(const std::vector<std::string>& paths) {
  std::string names;
  for (const auto& p : paths) names += p + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = FALSE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
  GlobalUnlock(memory);
  return memory;
}

std::wstring utf16(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

std::string vorel_convert(const std::string& arguments) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe = self;
  exe = exe.substr(0, exe.rfind('\\') + 1) + "vorel-convert.exe";
  TempDir out;
  std::string command_line = "\"" + exe + "\" " + arguments + " -o \"" + out.file("out") + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process))
    return "<failed: cannot start " + exe + ">";
  DWORD code = 0xDEAD;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (code != 0) return "<failed: exit code " + std::to_string(code) + " of " + command_line + ">";
  return read_bytes(out.file("out"));
}

void start_program_in_process() {
  static const bool started = [] {
    vorel::app_instance = GetModuleHandleA(nullptr);
    vorel::register_button_class(vorel::app_instance);
    return LoadLibraryA("RichEd20.dll") != nullptr;
  }();
  (void)started;
}

ProgramDir::ProgramDir() {
  write_bytes(file("config.ini"),
              "[Gamma]\r\nstxfile1=words.txt\r\nstr1=\"\r\ncomment1=//\r\ncolor_string=FF\r\n"
              "[Alpha]\r\nstxfile1=words.txt\r\nstr1=\"\r\ncomment1=//\r\ncolor_comment=8000\r\n"
              "[Beta]\r\nstxfile1=missing.txt\r\n");
  write_bytes(file("words.txt"), "int FF0000\nreturn 10000FF\n");
  set_program_dir(path());
}

ProgramDir::~ProgramDir() { set_program_dir(""); }

MainDialog::MainDialog() {
  start_program_in_process();
  window_ = CreateDialogParamA(vorel::app_instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr,
                               vorel::main_dialog_proc, 0);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
}

MainDialog::~MainDialog() {
  if (window_) DestroyWindow(window_);
}

void MainDialog::set_text(const std::string& text) const { SetWindowTextA(editor(), text.c_str()); }

std::string MainDialog::text() const {
  GETTEXTLENGTHEX how{GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
  const LRESULT bytes = SendMessageA(editor(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
  std::string text(static_cast<std::size_t>(bytes) + 1, '\0');
  SendMessageA(editor(), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(lstrlenA(text.c_str()));
  return text;
}

std::wstring MainDialog::unicode_text() const {
  GETTEXTLENGTHEX how{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
  const LRESULT units = SendMessageA(editor(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
  std::wstring text(static_cast<std::size_t>(units) + 1, L'\0');
  GETTEXTEX get{};
  get.cb = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  get.flags = GT_USECRLF;
  get.codepage = 1200;
  SendMessageA(editor(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
  text.resize(lstrlenW(text.c_str()));
  return text;
}

void MainDialog::command(int id) const {
  SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(item(id)));
}

void MainDialog::close() {
  SendMessageA(window_, WM_CLOSE, 0, 0);
  DestroyWindow(window_);
  window_ = nullptr;
}

std::string MainDialog::syntax() const { return window_text(item(IDC_SYNTAX)); }

}  // namespace vorel::test
