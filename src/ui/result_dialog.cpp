// The result dialog: the conversion's statistics, and Save, Preview, Copy passed on.
#include <windows.h>

#include "resource.h"
#include "ui/ui.h"

namespace vorel {

namespace {

// "轉換完成!" / "初始化關鍵字:%7d (毫秒)" / "轉換時間:    %7d (毫秒)" /
// "原長度:      %7d (字元)" / "轉換後:      %7d (字元)": every label 13 columns wide.
constexpr char STATISTICS_FORMAT[] =
    "\xC2\xE0\xB4\xAB\xA7\xB9\xA6\xA8!\r\n"
    "\xAA\xEC\xA9\x6C\xA4\xC6\xC3\xF6\xC1\xE4\xA6\x72:%7d (\xB2\x40\xAC\xED)\r\n"
    "\xC2\xE0\xB4\xAB\xAE\xC9\xB6\xA1:    %7d (\xB2\x40\xAC\xED)\r\n"
    "\xAD\xEC\xAA\xF8\xAB\xD7:      %7d (\xA6\x72\xA4\xB8)\r\n"
    "\xC2\xE0\xB4\xAB\xAB\xE1:      %7d (\xA6\x72\xA4\xB8)";

BOOL on_init_dialog(HWND dialog) {
  char text[512];
  const ConversionStats& stats = conversion.stats;
  wsprintfA(text, STATISTICS_FORMAT, stats.keyword_load_ms, stats.conversion_ms, stats.original_length,
            stats.converted_length);
  SetDlgItemTextA(dialog, IDC_RESULT_TEXT, text);
  // UBB code is nothing a browser could show.
  if (!(conversion.flags & FLAG_HTML)) enable_item(dialog, IDC_RESULT_PREVIEW, FALSE);
  return TRUE;
}

// Runs the command in the main dialog first, so that a Save As dialog it opens
// is finished before this dialog goes.
void pass_on(HWND dialog, WORD command) {
  SendMessageA(GetParent(dialog), WM_COMMAND, command, 0);
  EndDialog(dialog, 0);
}

void on_command(HWND dialog, WORD id) {
  switch (id) {
    case IDC_RESULT_SAVE: pass_on(dialog, CMD_SAVE); break;
    case IDC_RESULT_PREVIEW: pass_on(dialog, CMD_PREVIEW); break;
    case IDC_RESULT_COPY: pass_on(dialog, CMD_COPY_ALL); break;
    case IDC_RESULT_CLOSE: EndDialog(dialog, 0); break;
  }
}

}  // namespace

INT_PTR CALLBACK result_dialog_proc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG: return on_init_dialog(dialog);
    case WM_COMMAND: on_command(dialog, LOWORD(wParam)); return TRUE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
  }
  return FALSE;
}

}  // namespace vorel
