// vorel.exe as its own process, driven from outside as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "engine/convert.h"
#include "settings/settings.h"
#include "ui_test_support.h"

namespace vorel::test {
namespace {

struct WindowSearch {
  DWORD process;
  std::function<bool(HWND)> wanted;
  HWND found;
};

HWND find_window_of(DWORD process, const std::function<bool(HWND)>& wanted) {
  WindowSearch search{process, wanted, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<WindowSearch*>(data);
        DWORD owner_process = 0;
        GetWindowThreadProcessId(window, &owner_process);
        if (owner_process != s->process || !IsWindowVisible(window) || !s->wanted(window)) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND wait_for_window(DWORD process, const std::function<bool(HWND)>& wanted) {
  HWND window = nullptr;
  pump_until([&] { return (window = find_window_of(process, wanted)) != nullptr; }, 30000);
  return window;
}

// A real left click in the middle of the control: the pointer moves there and
// the button goes down and up.
void click(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

std::string text_of(HWND window) {
  char text[4096] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(VorelExe, ConvertsThroughItsButtonsAndKeepsItsOptionsOnClose) {
  TempDir dir;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe = self;
  exe = exe.substr(0, exe.rfind('\\') + 1) + "vorel.exe";
  ASSERT_TRUE(CopyFileA(exe.c_str(), dir.file("vorel.exe").c_str(), FALSE)) << exe;
  write_bytes(dir.file("config.ini"), "[Alpha]\r\nstxfile1=words.txt\r\nstr1=\"\r\ncomment1=//\r\n");
  write_bytes(dir.file("words.txt"), "int FF0000\nreturn 10000FF\n");
  write_bytes(dir.file("option.ini"), "[option]\r\ntype=0\r\nhtml=1\r\nlinenumber=1\r\nlinenumber_start=7\r\n");

  std::string command_line = "\"" + dir.file("vorel.exe") + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             dir.path().c_str(), &startup, &process));
  WaitForInputIdle(process.hProcess, 30000);

  HWND main = wait_for_window(process.dwProcessId, [](HWND w) { return GetDlgItem(w, 5000) != nullptr; });
  ASSERT_TRUE(main);
  EXPECT_EQ("Vorel", window_text(main));
  EXPECT_EQ("Alpha", text_of(GetDlgItem(main, 1001)));

  const std::string source = "int main() {\r\n  return 0; // done\r\n}";
  SetDlgItemTextA(main, 5000, source.c_str());
  click(GetDlgItem(main, 1));

  HWND result = wait_for_window(process.dwProcessId, [&](HWND w) {
    return GetWindow(w, GW_OWNER) == main && GetDlgItem(w, 1004) != nullptr;
  });
  ASSERT_TRUE(result);
  EXPECT_EQ(0u, text_of(GetDlgItem(result, 1004)).find("\xC2\xE0\xB4\xAB\xA7\xB9\xA6\xA8!\r\n"));  // 轉換完成!
  click(GetDlgItem(result, 1003));
  EXPECT_TRUE(pump_until([&] { return !IsWindow(result); }, 30000));

  set_program_dir(dir.path());
  ConversionContext ctx;
  ctx.flags = FLAG_HTML | FLAG_LINE_NUMBERS;
  ctx.line_counter = 7;
  auto expected = convert_text(ctx, source.c_str(), 0, "Alpha");
  set_program_dir("");
  ASSERT_TRUE(expected);
  EXPECT_EQ(*expected, text_of(GetDlgItem(main, 5000)));

  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(0u, code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const std::string options = read_bytes(dir.file("option.ini"));
  EXPECT_NE(std::string::npos, options.find("html=1\r\nlinenumber=1\r\nlinenumber_start=7")) << options;
}

}  // namespace
}  // namespace vorel::test
