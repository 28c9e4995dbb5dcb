// Helpers for the Windows program's tests: program dir, pump, dialog hook.
#pragma once

#include <windows.h>

#include "resource.h"

#include <functional>
#include <string>
#include <vector>

namespace vorel::test {

// A fresh directory under the temporary directory, removed with its files.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }  // ends in a backslash
  std::string file(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void write_bytes(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be read.
std::string read_bytes(const std::string& path);
bool file_exists(const std::string& path);

// Runs the thread's messages for about ms milliseconds.
void pump(DWORD ms);
// Pumps until done() is true or ms have passed; returns done().
bool pump_until(const std::function<bool()>& done, DWORD ms);

std::string window_text(HWND window);
std::string class_name(HWND window);

// Calls on_dialog(dialog) right after each dialog of this thread has handled
// WM_INITDIALOG: result dialogs, file dialogs, message boxes.  The handler
// usually posts the click that closes it, which the dialog's own modal loop
// then delivers.
class DialogWatcher {
 public:
  explicit DialogWatcher(std::function<void(HWND)> on_dialog);
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;
  int count() const { return count_; }

 private:
  static LRESULT CALLBACK hook_proc(int code, WPARAM wParam, LPARAM lParam);
  HHOOK hook_ = nullptr;
  std::function<void(HWND)> on_dialog_;
  int count_ = 0;
};

// A window that records the WM_COMMAND wParams sent to it (an owner for the
// result dialog).
class CommandRecorder {
 public:
  CommandRecorder();
  ~CommandRecorder();
  HWND window() const { return window_; }
  const std::vector<WPARAM>& commands() const { return commands_; }
  // Runs inside the handling of each command, before it returns.
  void on_command(std::function<void(WPARAM)> action) { on_command_ = std::move(action); }

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
  std::vector<WPARAM> commands_;
  std::function<void(WPARAM)> on_command_;
};

// Types a path into an open or save dialog and confirms it; answers Yes or OK
// to the prompts the dialog may show.  Returns false for other dialogs.
bool accept_file_dialog(HWND dialog, const std::string& path);
bool is_file_dialog(HWND dialog);
// Every child window's text, joined with '\n' (what a message box says).
std::string dialog_texts(HWND dialog);

// A drop handle as the shell builds it: ANSI names, double-zero terminated.
HGLOBAL make_drop(const std::vector<std::string>& paths);

// UTF-8 bytes as UTF-16 text.
std::wstring utf16(const std::string& utf8);

// Runs vorel-convert.exe (built beside the tests) with the arguments and
// returns what it wrote to its -o file, which is added last; "<failed: ...>"
// when it did not succeed.
std::string vorel_convert(const std::string& arguments);

// The program's one-time start-up steps that the tests need in-process.
void start_program_in_process();

// A program directory for one test: config.ini with the syntaxes "Gamma",
// "Alpha" and "Beta" (in that file order; Beta names a keyword file that does
// not exist) and the keyword file words.txt.  The settings layer points at it
// until destruction.
class ProgramDir : public TempDir {
 public:
  ProgramDir();
  ~ProgramDir();
};

// The main dialog, created modeless from the real template in the program
// directory that the settings layer points at.
class MainDialog {
 public:
  MainDialog();
  ~MainDialog();
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;

  HWND window() const { return window_; }
  HWND item(int id) const { return GetDlgItem(window_, id); }
  HWND editor() const { return item(IDC_EDITOR); }
  void set_text(const std::string& text) const;  // as Open does, not undoable
  std::string text() const;                      // the editor's bytes, CR LF line ends
  std::wstring unicode_text() const;             // the editor's characters, CR LF line ends
  void command(int id) const;                    // WM_COMMAND as a button sends it
  void close();                                  // WM_CLOSE; the window is gone afterwards
  std::string syntax() const;                    // the syntax list's text

 private:
  HWND window_ = nullptr;
};

}  // namespace vorel::test
