// The result dialog from its real template: statistics text, Preview state, buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include "engine/convert.h"
#include "resource.h"
#include "ui/ui.h"
#include "ui_test_support.h"

namespace vorel::test {
namespace {

class ResultDialog : public testing::Test {
 protected:
  HWND open(uint32_t flags, ConversionStats stats) {
    start_program_in_process();
    conversion.flags = flags;
    conversion.stats = stats;
    dialog =
        CreateDialogParamA(app_instance, MAKEINTRESOURCEA(IDD_RESULT), owner.window(), result_dialog_proc, 0);
    ShowWindow(dialog, SW_SHOW);
    return dialog;
  }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
  }

  CommandRecorder owner;
  HWND dialog = nullptr;
};

TEST_F(ResultDialog, ShowsTheFourNumbersRightAlignedInFiveBig5Lines) {
  open(FLAG_HTML, {0, 12, 100, 12345678});
  const std::string expected =
      "\xC2\xE0\xB4\xAB\xA7\xB9\xA6\xA8!\r\n"                                            // 轉換完成!
      "\xAA\xEC\xA9\x6C\xA4\xC6\xC3\xF6\xC1\xE4\xA6\x72:      0 (\xB2\x40\xAC\xED)\r\n"  // 初始化關鍵字:
                                                                                         // (毫秒)
      "\xC2\xE0\xB4\xAB\xAE\xC9\xB6\xA1:         12 (\xB2\x40\xAC\xED)\r\n"  // 轉換時間:
      "\xAD\xEC\xAA\xF8\xAB\xD7:          100 (\xA6\x72\xA4\xB8)\r\n"        // 原長度: (字元)
      "\xC2\xE0\xB4\xAB\xAB\xE1:      12345678 (\xA6\x72\xA4\xB8)";          // 轉換後:
  EXPECT_EQ(expected, window_text(GetDlgItem(dialog, IDC_RESULT_TEXT)));
  EXPECT_EQ("Vorel", window_text(dialog));
}

TEST_F(ResultDialog, AllButtonsWorkAfterHtmlAndPreviewIsGreyedAfterUbb) {
  open(FLAG_HTML, {});
  EXPECT_EQ(GetDlgItem(dialog, IDC_RESULT_SAVE), GetFocus()) << "the first tab stop has the focus";
  for (int id : {IDC_RESULT_SAVE, IDC_RESULT_PREVIEW, IDC_RESULT_COPY, IDC_RESULT_CLOSE})
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
  DestroyWindow(dialog);
  open(FLAG_LINE_NUMBERS, {});
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_RESULT_PREVIEW)));
  for (int id : {IDC_RESULT_SAVE, IDC_RESULT_COPY, IDC_RESULT_CLOSE})
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
}

TEST_F(ResultDialog, EachButtonSendsItsCommandToTheOwnerThenCloses) {
  const std::pair<int, WPARAM> buttons[] = {
      {IDC_RESULT_SAVE, CMD_SAVE}, {IDC_RESULT_PREVIEW, CMD_PREVIEW}, {IDC_RESULT_COPY, CMD_COPY_ALL}};
  // The command runs while the dialog is still up (a Save As dialog it opens
  // comes first), and the dialog ends after it.
  bool up_during_command = false;
  owner.on_command([&](WPARAM) { up_during_command = IsWindowVisible(dialog); });
  for (const auto& [button, command] : buttons) {
    open(FLAG_HTML, {});
    up_during_command = false;
    SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    ASSERT_FALSE(owner.commands().empty()) << button;
    EXPECT_EQ(command, owner.commands().back()) << button;
    EXPECT_TRUE(up_during_command) << button;
    EXPECT_FALSE(IsWindowVisible(dialog)) << button;
    DestroyWindow(dialog);
  }
  dialog = nullptr;
  EXPECT_EQ(3u, owner.commands().size());
}

TEST_F(ResultDialog, CloseButtonAndCloseBoxOnlyClose) {
  open(FLAG_HTML, {});
  SendMessageA(GetDlgItem(dialog, IDC_RESULT_CLOSE), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowVisible(dialog));
  DestroyWindow(dialog);
  open(FLAG_HTML, {});
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_TRUE(owner.commands().empty());
}

TEST_F(ResultDialog, EnterAndEscapeDoNothing) {
  open(FLAG_HTML, {});
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(owner.commands().empty());
}

}  // namespace
}  // namespace vorel::test
