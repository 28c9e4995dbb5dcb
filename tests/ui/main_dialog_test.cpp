// The main dialog from its real template: options, syntax list, drops, context menu.
#include <windows.h>
#include <richedit.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <vector>

#include "controls/hover_button.h"
#include "resource.h"
#include "ui/ui.h"
#include "ui_test_support.h"

namespace vorel::test {
namespace {

std::string option_file(const ProgramDir& dir) { return read_bytes(dir.file("option.ini")); }

TEST(MainDialogOptions, FirstStartWithoutOptionFileIsUbbWithoutNumbersFromZeroOnTheFirstSyntax) {
  ProgramDir dir;
  MainDialog dialog;
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog.window(), IDC_UBB));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog.window(), IDC_HTML));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog.window(), IDC_LINE_NUMBERS));
  EXPECT_EQ("0", window_text(dialog.item(IDC_FIRST_LINE)));
  EXPECT_EQ(0, SendMessageA(dialog.item(IDC_SYNTAX), CB_GETCURSEL, 0, 0));
  EXPECT_EQ("Alpha", dialog.syntax());
}

TEST(MainDialogOptions, ListsEverySectionOfConfigSorted) {
  ProgramDir dir;
  MainDialog dialog;
  HWND list = dialog.item(IDC_SYNTAX);
  ASSERT_EQ(3, SendMessageA(list, CB_GETCOUNT, 0, 0));
  const char* expected[] = {"Alpha", "Beta", "Gamma"};
  for (int i = 0; i < 3; ++i) {
    char name[100] = {};
    SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(expected[i], name);
  }
}

TEST(MainDialogOptions, SetsUpEditorStartButtonAndIcon) {
  ProgramDir dir;
  MainDialog dialog;
  EXPECT_EQ(editor_window, dialog.editor());
  EXPECT_EQ(0x7FFFFFFE, SendMessageA(dialog.editor(), EM_GETLIMITTEXT, 0, 0));
  EXPECT_EQ(0x00FF8020, SendMessageA(dialog.item(CMD_START), QBM_GETBKCOLOR, STATE_NORMAL, 0));
  // The other buttons keep the control's own colour.
  EXPECT_EQ(0x00FFD7C6, SendMessageA(dialog.item(CMD_OPEN), QBM_GETBKCOLOR, STATE_NORMAL, 0));
  EXPECT_NE(0, SendMessageA(dialog.window(), WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ("Vorel", window_text(dialog.window()));
  EXPECT_EQ("\xC5\xE3\xA5\xDC\xA6\xE6\xB8\xB9 \xB6\x7D\xA9\x6C\xA9\xF3:",
            window_text(dialog.item(IDC_LINE_NUMBERS)));
}

TEST(MainDialogOptions, CloseWritesTheOptionsInOrderAndTheNextStartRestoresThem) {
  ProgramDir dir;
  {
    MainDialog dialog;
    CheckRadioButton(dialog.window(), IDC_HTML, IDC_UBB, IDC_HTML);
    CheckDlgButton(dialog.window(), IDC_LINE_NUMBERS, BST_CHECKED);
    SetDlgItemTextA(dialog.window(), IDC_FIRST_LINE, "1");
    SendMessageA(dialog.item(IDC_SYNTAX), CB_SETCURSEL, 2, 0);
    dialog.close();
  }
  const std::string file = option_file(dir);
  const auto type = file.find("type=2\r\n");
  const auto html = file.find("html=1\r\n");
  const auto numbers = file.find("linenumber=1\r\n");
  const auto start = file.find("linenumber_start=1\r\n");
  ASSERT_NE(std::string::npos, file.find("[option]")) << file;
  ASSERT_NE(std::string::npos, type) << file;
  ASSERT_NE(std::string::npos, html) << file;
  ASSERT_NE(std::string::npos, numbers) << file;
  ASSERT_NE(std::string::npos, start) << file;
  EXPECT_LT(type, html);
  EXPECT_LT(html, numbers);
  EXPECT_LT(numbers, start);

  MainDialog again;
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(again.window(), IDC_HTML));
  EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(again.window(), IDC_UBB));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(again.window(), IDC_LINE_NUMBERS));
  EXPECT_EQ("1", window_text(again.item(IDC_FIRST_LINE)));
  EXPECT_EQ("Gamma", again.syntax());
}

TEST(MainDialogOptions, HtmlChoicesAreReadAtStartAndLeftAsTheyAre) {
  ProgramDir dir;
  const std::string options =
      "[option]\r\ntype=1\r\nhtml=1\r\nlinenumber=0\r\nlinenumber_start=1\r\n"
      "page=Modern\r\nfragment=1\r\nescape=strict\r\ncharset=utf-8\r\n";
  write_bytes(dir.file("option.ini"), options);
  {
    MainDialog dialog;
    EXPECT_EQ(conversion.markup.page, PageStyle::MODERN);
    EXPECT_TRUE(conversion.markup.fragment);
    EXPECT_TRUE(conversion.markup.escape_ampersand);
    EXPECT_EQ(conversion.markup.charset, CharsetChoice::UTF8);
    dialog.close();
  }
  EXPECT_EQ(option_file(dir), options);
  // Without them, and with values it does not know, the defaults.
  write_bytes(dir.file("option.ini"), "[option]\r\nhtml=1\r\npage=fancy\r\ncharset=latin1\r\n");
  MainDialog again;
  EXPECT_EQ(conversion.markup.page, PageStyle::CLASSIC);
  EXPECT_FALSE(conversion.markup.fragment);
  EXPECT_FALSE(conversion.markup.escape_ampersand);
  EXPECT_EQ(conversion.markup.charset, CharsetChoice::BIG5);
}

TEST(MainDialogOptions, NoSelectionIsWrittenAs4294967295AndComesBackAsNoSelection) {
  ProgramDir dir;
  {
    MainDialog dialog;
    SendMessageA(dialog.item(IDC_SYNTAX), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextA(dialog.window(), IDC_FIRST_LINE, "");
    dialog.close();
  }
  const std::string file = option_file(dir);
  EXPECT_NE(std::string::npos, file.find("type=4294967295\r\n")) << file;
  EXPECT_NE(std::string::npos, file.find("linenumber_start=0\r\n")) << file;
  MainDialog again;
  EXPECT_EQ(CB_ERR, SendMessageA(again.item(IDC_SYNTAX), CB_GETCURSEL, 0, 0));
  EXPECT_EQ("", again.syntax());
}

TEST(MainDialogOptions, ATypePastTheEndOfTheListLeavesNoSelection) {
  ProgramDir dir;
  write_bytes(dir.file("option.ini"), "[option]\r\ntype=3\r\n");  // three syntaxes: 0 to 2
  MainDialog dialog;
  EXPECT_EQ(CB_ERR, SendMessageA(dialog.item(IDC_SYNTAX), CB_GETCURSEL, 0, 0));
  EXPECT_EQ("", dialog.syntax());
}

TEST(MainDialogOptions, EverySectionIsListedHoweverManyThereAre) {
  ProgramDir dir;
  // 80 names of 60 characters: 4881 bytes of names, far beyond 260, and
  // beyond the first room the list of names is read into.
  std::string config;
  std::vector<std::string> names;
  for (int i = 0; i < 80; ++i) {
    char name[16];
    wsprintfA(name, "Section_%02d_", i);
    names.push_back(name + std::string(60 - lstrlenA(name), 'x'));
    config += "[" + names.back() + "]\r\nstr1=\"\r\n";
  }
  write_bytes(dir.file("config.ini"), config);
  MainDialog dialog;
  HWND list = dialog.item(IDC_SYNTAX);
  std::vector<std::string> listed;
  for (int i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
    char name[100] = {};
    SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    listed.push_back(name);
  }
  EXPECT_EQ(names, listed);
}

TEST(MainDialogOptions, CancelNeitherClosesNorSaves) {
  ProgramDir dir;
  MainDialog dialog;
  dialog.command(IDCANCEL);
  EXPECT_TRUE(IsWindowVisible(dialog.window()));
  EXPECT_FALSE(file_exists(dir.file("option.ini")));
}

TEST(MainDialogDrop, LoadsOnlyTheFirstDroppedFileInPlaceOfTheText) {
  ProgramDir dir;
  write_bytes(dir.file("one.c"), "int one;\r\nint two;");
  write_bytes(dir.file("two.c"), "second");
  write_bytes(dir.file("three.c"), "third");
  MainDialog dialog;
  dialog.set_text("old text");
  PostMessageA(
      dialog.window(), WM_DROPFILES,
      reinterpret_cast<WPARAM>(make_drop({dir.file("one.c"), dir.file("two.c"), dir.file("three.c")})), 0);
  EXPECT_TRUE(pump_until([&] { return dialog.text() != "old text"; }, 5000));
  EXPECT_EQ("int one;\r\nint two;", dialog.text());
}

TEST(MainDialogDrop, AUtf8FileShowsItsCharactersAndABig5FileAfterItItsBytes) {
  ProgramDir dir;
  // Simplified Chinese, Hangul, an accent and an emoji: none of them in Big5.
  const std::string utf8 = "// \xE8\xBF\x99 \xED\x95\x9C caf\xC3\xA9 \xF0\x9F\x98\x80\r\nint x;";
  write_bytes(dir.file("utf8.c"), utf8);
  const std::string big5 = "// \xA4\xA4\xA4\xE5\r\nint x;";
  write_bytes(dir.file("big5.c"), big5);
  MainDialog dialog;
  SendMessageA(dialog.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({dir.file("utf8.c")})), 0);
  EXPECT_EQ(utf16(utf8), dialog.unicode_text());
  SendMessageA(dialog.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({dir.file("big5.c")})), 0);
  EXPECT_EQ(big5, dialog.text());
  EXPECT_EQ(L"// \x4E2D\x6587\r\nint x;", dialog.unicode_text());
  // Text, even where it starts as RTF does.
  const std::string rtf_like = "{\\rtf1 caf\xC3\xA9}";
  write_bytes(dir.file("rtf.txt"), rtf_like);
  SendMessageA(dialog.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({dir.file("rtf.txt")})), 0);
  EXPECT_EQ(utf16(rtf_like), dialog.unicode_text());
}

TEST(MainDialogDrop, AFileThatCannotBeReadKeepsTheText) {
  ProgramDir dir;
  MainDialog dialog;
  dialog.set_text("keep me");
  SendMessageA(dialog.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({dir.file("absent.c")})), 0);
  EXPECT_EQ("keep me", dialog.text());
}

// Records the context menu as it opens and closes it again from inside its loop.
struct MenuProbe {
  static inline std::vector<UINT> ids;
  static inline std::string first_text;
  static inline RECT popup{};
  static inline HHOOK hook = nullptr;

  MenuProbe() {
    ids.clear();
    first_text.clear();
    popup = {};
    hook = SetWindowsHookExA(WH_CALLWNDPROC, on_message, nullptr, GetCurrentThreadId());
  }
  ~MenuProbe() { UnhookWindowsHookEx(hook); }

  static LRESULT CALLBACK on_message(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP) {
      HMENU menu = reinterpret_cast<HMENU>(call->wParam);
      for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
      char text[64] = {};
      GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
      first_text = text;
      SetTimer(nullptr, 0, 100, end_menu);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static void CALLBACK end_menu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (HWND window = FindWindowA("#32768", nullptr)) GetWindowRect(window, &popup);
    EndMenu();
  }
};

TEST(MainDialogContextMenu, TheEditorShowsTheCommandsAtThePointer) {
  ProgramDir dir;
  MainDialog dialog;
  MenuProbe probe;
  SetCursorPos(300, 200);
  // A keyboard request carries -1, -1; the menu still opens at the pointer.
  EXPECT_TRUE(show_editor_menu(dialog.window(), dialog.editor(), MAKELPARAM(-1, -1)));
  const std::vector<UINT> expected = {CMD_START, 0,        CMD_UNDO, CMD_REDO,    0, CMD_COPY_ALL, CMD_PASTE,
                                      0,         CMD_OPEN, CMD_SAVE, CMD_PREVIEW, 0, CMD_ABOUT};
  EXPECT_EQ(expected, MenuProbe::ids);
  EXPECT_EQ("\xB6\x7D\xA9\x6C!!", MenuProbe::first_text);
  EXPECT_EQ(300, MenuProbe::popup.left);
  EXPECT_EQ(200, MenuProbe::popup.top);
}

TEST(MainDialogContextMenu, ArrivesThroughTheDialogForTheEditor) {
  ProgramDir dir;
  MainDialog dialog;
  MenuProbe probe;
  SendMessageA(dialog.window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog.editor()),
               MAKELPARAM(10, 10));
  EXPECT_EQ(13u, MenuProbe::ids.size());
}

TEST(MainDialogContextMenu, NoOtherControlHasOne) {
  ProgramDir dir;
  MainDialog dialog;
  MenuProbe probe;
  for (int id : {IDC_SYNTAX, IDC_HTML, IDC_UBB, IDC_LINE_NUMBERS, CMD_START, CMD_OPEN}) {
    EXPECT_FALSE(show_editor_menu(dialog.window(), dialog.item(id), MAKELPARAM(10, 10))) << id;
  }
  SendMessageA(dialog.window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dialog.item(IDC_SYNTAX)),
               MAKELPARAM(10, 10));
  EXPECT_TRUE(MenuProbe::ids.empty());
}

}  // namespace
}  // namespace vorel::test
