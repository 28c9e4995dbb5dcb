// The main dialog: editor, syntax list, options kept in option.ini, drops, context menu.
#include <windows.h>
#include <richedit.h>
#include <shellapi.h>

#include "controls/hover_button.h"
#include "engine/syntax.h"
#include "resource.h"
#include "settings/settings.h"
#include "ui/ui.h"

namespace vorel {

HINSTANCE app_instance = nullptr;
HWND editor_window = nullptr;
ConversionContext conversion;

namespace {

constexpr const char* OPTION_SECTION = "option";
constexpr COLORREF START_BUTTON_COLOR = 0x00FF8020;

// Every section of config.ini, however many: the list grows with the
// language pack, and a name left out would be a syntax nobody can choose.
void fill_syntax_list(HWND dialog) {
  for (const std::string& name : SettingsSyntaxSource().section_names())
    SendDlgItemMessageA(dialog, IDC_SYNTAX, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void restore_options(HWND dialog) {
  settings_path("option.ini");
  CheckDlgButton(dialog, get_setting_int(OPTION_SECTION, "html") ? IDC_HTML : IDC_UBB, BST_CHECKED);
  SetDlgItemInt(dialog, IDC_FIRST_LINE, get_setting_int(OPTION_SECTION, "linenumber_start"), FALSE);
  // 4294967295 (no selection) and any index past the end leave the list unselected.
  const int type = static_cast<int>(get_setting_int(OPTION_SECTION, "type"));
  SendDlgItemMessageA(dialog, IDC_SYNTAX, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
  CheckDlgButton(dialog, IDC_LINE_NUMBERS, get_setting_int(OPTION_SECTION, "linenumber"));
  conversion.markup = markup_options();
}

void save_options(HWND dialog) {
  // After a conversion the current settings file is config.ini.
  settings_path("option.ini");
  const auto selection = SendDlgItemMessageA(dialog, IDC_SYNTAX, CB_GETCURSEL, 0, 0);
  put_setting_int(OPTION_SECTION, "type", static_cast<uint32_t>(selection));
  put_setting_int(OPTION_SECTION, "html", IsDlgButtonChecked(dialog, IDC_HTML));
  put_setting_int(OPTION_SECTION, "linenumber", IsDlgButtonChecked(dialog, IDC_LINE_NUMBERS));
  put_setting_int(OPTION_SECTION, "linenumber_start", GetDlgItemInt(dialog, IDC_FIRST_LINE, nullptr, FALSE));
}

BOOL on_init_dialog(HWND dialog) {
  HICON icon = LoadIconA(app_instance, MAKEINTRESOURCEA(IDI_VOREL));
  SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  editor_window = GetDlgItem(dialog, IDC_EDITOR);
  SendMessageA(editor_window, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  // The markup is several times longer than the source; the default limit
  // would also stop typing at 32767 characters.
  SendMessageA(editor_window, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  // The editor asks before it acts on a key (EN_MSGFILTER); see on_notify.
  const LRESULT events = SendMessageA(editor_window, EM_GETEVENTMASK, 0, 0);
  SendMessageA(editor_window, EM_SETEVENTMASK, 0, events | ENM_KEYEVENTS);
  editor_utf8 = false;
  fill_syntax_list(dialog);
  restore_options(dialog);
  SendDlgItemMessageA(dialog, CMD_START, QBM_SETBKCOLOR, STATE_NORMAL, START_BUTTON_COLOR);
  return TRUE;
}

void on_close(HWND dialog) {
  save_options(dialog);
  EndDialog(dialog, 0);
}

// A rich edit in a dialog answers Escape by posting WM_CLOSE to the dialog,
// which would end the program and lose the text.  Told to ignore that key,
// the editor leaves Escape doing nothing, as it does everywhere else in the
// window; every other key and message goes on as before.
BOOL on_notify(HWND dialog, const NMHDR* header) {
  if (header->idFrom != IDC_EDITOR || header->code != EN_MSGFILTER) return FALSE;
  const auto* key = reinterpret_cast<const MSGFILTER*>(header);
  const bool ignore = key->msg == WM_KEYDOWN && key->wParam == VK_ESCAPE;
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, ignore);
  return TRUE;
}

void on_drop_files(HDROP drop) {
  char path[260] = {};
  if (DragQueryFileA(drop, 0, path, sizeof path)) {
    // A file that cannot be read leaves the editor's text as it was.
    if (auto text = read_whole_file(path)) load_editor_file(*text);
  }
  DragFinish(drop);
}

}  // namespace

void enable_item(HWND dialog, int id, BOOL enable) { EnableWindow(GetDlgItem(dialog, id), enable); }

UINT read_check_flag(HWND dialog, int id, uint32_t& flags, uint32_t bit) {
  const UINT state = static_cast<UINT>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
  if (state) flags |= bit;
  else flags &= ~bit;
  return state;
}

BOOL show_editor_menu(HWND dialog, HWND window, LPARAM /*position*/) {
  if (GetDlgCtrlID(window) != IDC_EDITOR) return FALSE;
  // The pointer, not the message's position: a keyboard request carries -1, -1.
  POINT point{};
  GetCursorPos(&point);
  HMENU menu = LoadMenuA(app_instance, MAKEINTRESOURCEA(IDR_EDITOR_MENU));
  TrackPopupMenuEx(GetSubMenu(menu, 0), 0, point.x, point.y, dialog, nullptr);
  DestroyMenu(menu);
  return TRUE;
}

INT_PTR CALLBACK main_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return on_init_dialog(dialog);
    case WM_COMMAND: handle_command(dialog, wParam, lParam); return TRUE;
    case WM_CLOSE: on_close(dialog); return TRUE;
    case WM_DROPFILES: on_drop_files(reinterpret_cast<HDROP>(wParam)); return TRUE;
    case WM_NOTIFY: return on_notify(dialog, reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU: return show_editor_menu(dialog, reinterpret_cast<HWND>(wParam), lParam);
  }
  return FALSE;
}

}  // namespace vorel
