// The Windows program's dialogs and commands, and the state they share.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <string>

#include "engine/convert.h"

namespace vorel {

// One of each for the whole program.
extern HINSTANCE app_instance;        // the executable's module handle
extern HWND editor_window;            // the main dialog's editor, control 5000
extern ConversionContext conversion;  // flags, line_counter, stats of the last conversion

// Whether the editor's text counts as UTF-8 whatever characters it holds:
// from the Open or drop of a UTF-8 file to the next Open or drop.
extern bool editor_utf8;

// Opens a file with the shell's default verb.  Preview uses it; tests replace it
// so that no browser is started.
using ShellOpener = void (*)(const char* path);
extern ShellOpener shell_open;

INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK result_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Carries out one command of the main dialog (the low word of wParam).
BOOL handle_command(HWND dialog, WPARAM wParam, LPARAM lParam);

// Shows the editor's context menu when window is the editor; TRUE if shown.
BOOL show_editor_menu(HWND dialog, HWND window, LPARAM position);

// The output modes of option.ini that the dialog has no controls for
// (selects option.ini as the current settings file).
MarkupOptions markup_options();

// The editor's text as bytes: in the system code page as ever, or as UTF-8
// when the text counts as UTF-8 or holds a character that code page lacks.
struct EditorText {
  std::string bytes;
  bool utf8 = false;
};
EditorText editor_bytes();
// The whole text in the system code page (WM_GETTEXT) and as UTF-16, CR LF line ends.
std::string editor_text_ansi();
std::wstring editor_text_utf16();
// Puts a file's bytes into the editor in place of its text, not undoable: as
// UTF-8 characters when they are UTF-8 and not plain ASCII, else as text in
// the system code page; sets editor_utf8 to match.
void load_editor_file(const std::string& bytes);
// Replaces the whole text with bytes, as one undoable step.
void replace_editor_text(const std::string& bytes, bool utf8);
// The number of characters in UTF-8 text.
int32_t utf8_length(const std::string& bytes);

void enable_item(HWND dialog, int id, BOOL enable);
// Sets or clears bit in flags from the check state of control id; returns the state.
UINT read_check_flag(HWND dialog, int id, uint32_t& flags, uint32_t bit);

// The platform's Open (save == FALSE) or Save As dialog.  Returns 0 when
// cancelled, else the 1-based index of the chosen file type.
DWORD file_dialog(HWND owner, BOOL save, char* file_name, const char* filter, const char* default_extension,
                  DWORD flags, DWORD file_name_size, const char* title, DWORD filter_index,
                  const char* initial_dir, LPOFNHOOKPROC hook);

// The size file_dialog puts in OPENFILENAMEA::lStructSize on this system.
DWORD open_file_name_size();

}  // namespace vorel
