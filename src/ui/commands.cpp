// The main dialog's commands and the wrapper around the Open and Save As dialogs.
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>
#include <shellapi.h>

#include <new>
#include <string>

#include "engine/output_options.h"
#include "resource.h"
#include "settings/settings.h"
#include "ui/ui.h"

namespace vorel {

namespace {

constexpr DWORD FILE_DIALOG_FLAGS =
    OFN_EXPLORER | OFN_CREATEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
static_assert(FILE_DIALOG_FLAGS == 534534);
constexpr DWORD FILE_NAME_SIZE = 255;

// "網頁文件" (web page file) / "*.htm?"; the literal's own zero ends the list.
constexpr char SAVE_FILTER[] = "\xBA\xF4\xAD\xB6\xA4\xE5\xA5\xF3\0*.htm?\0";

// "Vorel 原始碼著色工具" / "把程式原始碼轉換成彩色的 HTML 網頁或 UBB 論壇代碼：" /
// "字串、註解和關鍵字各有自己的顏色與字型。" / "版本 " and the build's version.
constexpr char ABOUT_TEXT[] =
    "Vorel \xAD\xEC\xA9\x6C\xBD\x58\xB5\xDB\xA6\xE2\xA4\x75\xA8\xE3\r\n\r\n"
    "\xA7\xE2\xB5\x7B\xA6\xA1\xAD\xEC\xA9\x6C\xBD\x58\xC2\xE0\xB4\xAB\xA6\xA8\xB1\x6D\xA6\xE2"
    "\xAA\xBA HTML \xBA\xF4\xAD\xB6\xA9\xCE UBB \xBD\xD7\xBE\xC2\xA5\x4E\xBD\x58\xA1\x47\r\n"
    "\xA6\x72\xA6\xEA\xA1\x42\xB5\xF9\xB8\xD1\xA9\x4D\xC3\xF6\xC1\xE4\xA6\x72\xA6\x55\xA6\xB3"
    "\xA6\xDB\xA4\x76\xAA\xBA\xC3\x43\xA6\xE2\xBB\x50\xA6\x72\xAB\xAC\xA1\x43\r\n\r\n"
    "\xAA\xA9\xA5\xBB " VOREL_VERSION;

int editor_length() { return GetWindowTextLengthA(editor_window); }

void write_text_file(const char* path, const std::string& text) {
  FileHandle file = open_file(path, FILE_WRITE | FILE_CREATE_ALWAYS);
  write_file(file, text.data(), text.size());
}

void start_conversion(HWND dialog) {
  const int length = editor_length();
  if (length <= 0) return;
  const EditorText source = editor_bytes();
  if (source.bytes.empty()) return;
  // A length counts characters: a Big5 character is one, and so is any
  // character of UTF-8 text, whatever its number of bytes.
  conversion.stats.original_length = source.utf8 ? utf8_length(source.bytes) : length;

  char syntax[100] = {};
  GetDlgItemTextA(dialog, IDC_SYNTAX, syntax, sizeof syntax);
  read_check_flag(dialog, IDC_HTML, conversion.flags, FLAG_HTML);
  read_check_flag(dialog, IDC_LINE_NUMBERS, conversion.flags, FLAG_LINE_NUMBERS);
  conversion.line_counter = GetDlgItemInt(dialog, IDC_FIRST_LINE, nullptr, FALSE);
  conversion.markup = markup_options();
  // A page of UTF-8 text must not claim Big5: it declares what vorel-convert
  // declares by default (UTF-8, or Big5 for plain ASCII, which reads the same).
  if (source.utf8 && conversion.markup.charset == CharsetChoice::BIG5)
    conversion.markup.charset = CharsetChoice::AUTO;

  const std::size_t capacity = (static_cast<std::size_t>(length) + 1) * 8 + 1024;
  auto markup = convert_text(conversion, source.bytes.c_str(), capacity, syntax);
  if (!markup) return;

  // One undoable step: Undo brings the source back.
  replace_editor_text(*markup, source.utf8);
  conversion.stats.converted_length = source.utf8 ? utf8_length(*markup) : editor_length();
  markup.reset();

  DialogBoxParamA(app_instance, MAKEINTRESOURCEA(IDD_RESULT), dialog, result_dialog_proc, 0);
}

void copy_all() {
  DWORD start = 0, end = 0;
  SendMessageA(editor_window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SendMessageA(editor_window, EM_SETSEL, 0, -1);
  SendMessageA(editor_window, WM_COPY, 0, 0);
  SendMessageA(editor_window, EM_SETSEL, start, end);
  SetFocus(editor_window);
}

void open_into_editor(HWND dialog) {
  // Each "filter" line holds description|pattern pairs; '|' becomes the zero
  // byte the dialog's list needs, up to the section's closing double zero.
  char filter[260] = {};
  settings_path("option.ini");
  get_settings_section("filter", filter, sizeof filter);
  for (char* p = filter; p + 1 < filter + sizeof filter && !(p[0] == '\0' && p[1] == '\0'); ++p) {
    if (*p == '|') *p = '\0';
  }

  char name[260] = {};
  if (!file_dialog(dialog, FALSE, name, filter, nullptr, FILE_DIALOG_FLAGS, FILE_NAME_SIZE, nullptr, 0,
                   nullptr, nullptr))
    return;
  // A file that cannot be read leaves the editor's text as it was.
  if (auto text = read_whole_file(name)) load_editor_file(*text);
}

void save_editor_text(HWND dialog) {
  if (editor_length() <= 0) return;
  char name[260] = {};
  if (!file_dialog(dialog, TRUE, name, SAVE_FILTER, "html", FILE_DIALOG_FLAGS, FILE_NAME_SIZE, nullptr, 0,
                   nullptr, nullptr))
    return;
  write_text_file(name, editor_bytes().bytes);
}

void preview_editor_text() {
  if (editor_length() <= 0) return;
  const std::string text = editor_bytes().bytes;
  if (text.empty()) return;
  char path[PATH_SIZE] = {};
  resolve_path(path, "temp.html", BASE_TEMP_DIR);
  write_text_file(path, text);
  shell_open(path);
}

void show_about(HWND dialog) { MessageBoxA(dialog, ABOUT_TEXT, "Vorel", MB_OK | MB_ICONINFORMATION); }

void open_with_shell(const char* path) { ShellExecuteA(nullptr, nullptr, path, nullptr, nullptr, SW_SHOW); }

}  // namespace

// The output modes beside the dialog's choices, read from option.ini at
// start and at each Start and never written, so they stay as the user put
// them there; the dialog itself keeps its original controls.  A missing or
// unknown value, a tab width above 64 or a font name that would break the
// tag keeps the default.
MarkupOptions markup_options() {
  settings_path("option.ini");
  MarkupOptions options;
  for (const OutputOption& o : output_options()) {
    if (!o.option_ini) continue;
    char value[100] = {};
    get_setting_string("option", std::string(o.name).c_str(), value, sizeof value);
    set_markup_option(options, o.name, value);
  }
  return options;
}

ShellOpener shell_open = open_with_shell;

DWORD open_file_name_size() {
  // The NT family takes the longer record (pvReserved, dwReserved, FlagsEx);
  // older systems only know the 4.0 one.  Both sizes follow the build's
  // pointer size (88 and 76 bytes on 32-bit Windows, 152 and 136 on 64-bit).
  return static_cast<LONG>(GetVersion()) >= 0 ? sizeof(OPENFILENAMEA) : OPENFILENAME_SIZE_VERSION_400A;
}

DWORD file_dialog(HWND owner, BOOL save, char* file_name, const char* filter, const char* default_extension,
                  DWORD flags, DWORD file_name_size, const char* title, DWORD filter_index,
                  const char* initial_dir, LPOFNHOOKPROC hook) {
  OPENFILENAMEA ofn{};
  ofn.lStructSize = open_file_name_size();
  ofn.hwndOwner = owner;
  ofn.hInstance = app_instance;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = filter_index;
  ofn.lpstrFile = file_name;
  ofn.nMaxFile = file_name_size;
  ofn.lpstrInitialDir = initial_dir;
  ofn.lpstrTitle = title;
  ofn.Flags = flags;
  ofn.lpstrDefExt = default_extension;
  ofn.lpfnHook = hook;
  const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!chosen) return 0;
  return ofn.nFilterIndex ? ofn.nFilterIndex : 1;
}

BOOL handle_command(HWND dialog, WPARAM wParam, LPARAM /*lParam*/) {
  // A failed allocation ends the command without effect; nothing may unwind
  // through the dialog manager.
  try {
    switch (LOWORD(wParam)) {
      case CMD_START: start_conversion(dialog); break;
      case CMD_UNDO: SendMessageA(editor_window, EM_UNDO, 0, 0); break;
      case CMD_REDO: SendMessageA(editor_window, EM_REDO, 0, 0); break;
      case CMD_COPY_ALL: copy_all(); break;
      case CMD_PASTE: SendMessageA(editor_window, WM_PASTE, 0, 0); break;
      case CMD_OPEN: open_into_editor(dialog); break;
      case CMD_SAVE: save_editor_text(dialog); break;
      case CMD_PREVIEW: preview_editor_text(); break;
      case CMD_ABOUT: show_about(dialog); break;
      default: return FALSE;
    }
  } catch (const std::bad_alloc&) {}
  return TRUE;
}

}  // namespace vorel
