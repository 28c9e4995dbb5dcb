// vorel.exe as its own process, driven from outside as a user would: real
// clicks and keystrokes (SendInput), then what it left in option.ini.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "engine/convert.h"
#include "resource.h"
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

HWND wait_for_window(DWORD process, const std::function<bool(HWND)>& wanted, DWORD ms = 30000) {
  HWND window = nullptr;
  pump_until([&] { return (window = find_window_of(process, wanted)) != nullptr; }, ms);
  return window;
}

void send_input(INPUT* inputs, UINT count) {
  ASSERT_EQ(count, SendInput(count, inputs, sizeof(INPUT)));
  pump(100);
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
  send_input(inputs, 2);
}

// A real key press and release; it goes to whatever has the keyboard focus.
void press_key(WORD key) {
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[1].ki.wVk = key;
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  send_input(inputs, 2);
}

// Keys pressed in order and released in reverse, as a chord (Alt+F4).
void press_chord(WORD first, WORD second) {
  INPUT inputs[4] = {};
  for (INPUT& input : inputs) input.type = INPUT_KEYBOARD;
  inputs[0].ki.wVk = inputs[3].ki.wVk = first;
  inputs[1].ki.wVk = inputs[2].ki.wVk = second;
  inputs[2].ki.dwFlags = inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
  send_input(inputs, 4);
}

HWND focus_of(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// The other process takes its input in its own time.
bool focus_reaches(HWND control) {
  return pump_until([&] { return focus_of(GetParent(control)) == control; }, 10000);
}

std::string text_of(HWND window) {
  char text[8192] = {};
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

// vorel.exe copied into a program directory of its own and started there.
class VorelExe : public testing::Test {
 protected:
  // Starts a copy of vorel.exe under the given file name.
  void start(const std::string& name = "vorel.exe") {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    exe = exe.substr(0, exe.rfind('\\') + 1) + "vorel.exe";
    ASSERT_TRUE(CopyFileA(exe.c_str(), dir.file(name).c_str(), FALSE)) << exe;
    std::string command_line = "\"" + dir.file(name) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               dir.path().c_str(), &startup, &process));
    WaitForInputIdle(process.hProcess, 30000);
  }

  HWND main_window() {
    return wait_for_window(process.dwProcessId, [](HWND w) { return GetDlgItem(w, IDC_EDITOR) != nullptr; });
  }

  HWND result_window(HWND main, DWORD ms = 30000) {
    return wait_for_window(
        process.dwProcessId,
        [&](HWND w) { return GetWindow(w, GW_OWNER) == main && GetDlgItem(w, IDC_RESULT_TEXT) != nullptr; },
        ms);
  }

  // The program's exit code once it has ended by itself.
  DWORD wait_for_exit() {
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) return 0xDEAD;
    DWORD code = 0xDEAD;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }

  void TearDown() override {
    if (process.hProcess) {
      if (WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
      WaitForSingleObject(process.hProcess, 30000);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
  }

  TempDir dir;
  PROCESS_INFORMATION process{};
};

const char* const CONFIG = "[Alpha]\r\nstxfile1=words.txt\r\nstr1=\"\r\ncomment1=//\r\n[Beta]\r\nstr1='\r\n";

TEST_F(VorelExe, KeysActAsTheDialogSaysAndTheOptionsChosenAreSavedAfterTheConversion) {
  write_bytes(dir.file("config.ini"), CONFIG);
  write_bytes(dir.file("words.txt"), "int FF0000\nreturn 10000FF\n");
  // What is on disk differs in every key from what is chosen below.
  write_bytes(dir.file("option.ini"),
              "[option]\r\ntype=1\r\nhtml=0\r\nlinenumber=0\r\nlinenumber_start=3\r\n");
  start();
  HWND main = main_window();
  ASSERT_TRUE(main);
  EXPECT_EQ("Vorel", window_text(main));
  EXPECT_EQ("Beta", text_of(GetDlgItem(main, IDC_SYNTAX)));
  EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(main, IDC_UBB));
  EXPECT_EQ("3", text_of(GetDlgItem(main, IDC_FIRST_LINE)));

  CheckRadioButton(main, IDC_HTML, IDC_UBB, IDC_HTML);
  CheckDlgButton(main, IDC_LINE_NUMBERS, BST_CHECKED);
  SetDlgItemTextA(main, IDC_FIRST_LINE, "7");
  SendDlgItemMessageA(main, IDC_SYNTAX, CB_SETCURSEL, 0, 0);
  HWND editor = GetDlgItem(main, IDC_EDITOR);
  const std::string typed = "int main() {\r\n  return 0; // done\r\n}";
  SetWindowTextA(editor, typed.c_str());
  SetForegroundWindow(main);

  // In the editor Enter starts a new line.
  click(editor);
  ASSERT_TRUE(focus_reaches(editor));
  SendMessageA(editor, EM_SETSEL, 12, 12);  // after "int main() {"
  press_key(VK_RETURN);
  EXPECT_TRUE(pump_until([&] { return text_of(editor) != typed; }, 10000));
  const std::string source = "int main() {\r\n\r\n  return 0; // done\r\n}";
  EXPECT_EQ(source, text_of(editor));
  EXPECT_FALSE(result_window(main, 1000)) << "Enter in the editor converted";

  // Outside it Escape does nothing and Enter converts.
  click(GetDlgItem(main, IDC_FIRST_LINE));
  ASSERT_TRUE(focus_reaches(GetDlgItem(main, IDC_FIRST_LINE)));
  press_key(VK_ESCAPE);
  pump(500);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_FALSE(result_window(main, 0));
  press_key(VK_RETURN);
  HWND result = result_window(main);
  ASSERT_TRUE(result) << "Enter in the number box did not convert";
  EXPECT_EQ(0u, text_of(GetDlgItem(result, IDC_RESULT_TEXT)).find("\xC2\xE0\xB4\xAB\xA7\xB9\xA6\xA8!\r\n"));
  EXPECT_TRUE(focus_reaches(GetDlgItem(result, IDC_RESULT_SAVE))) << "the first tab stop has the focus";
  // The result dialog ignores Enter and Escape.
  press_key(VK_RETURN);
  press_key(VK_ESCAPE);
  pump(500);
  EXPECT_TRUE(IsWindowVisible(result));
  click(GetDlgItem(result, IDC_RESULT_CLOSE));
  EXPECT_TRUE(pump_until([&] { return !IsWindow(result); }, 30000));

  set_program_dir(dir.path());
  ConversionContext ctx;
  ctx.flags = FLAG_HTML | FLAG_LINE_NUMBERS;
  ctx.line_counter = 7;
  auto expected = convert_text(ctx, source.c_str(), 0, "Alpha");
  set_program_dir("");
  ASSERT_TRUE(expected);
  EXPECT_EQ(*expected, text_of(editor));

  // Enter converts also while a button has the focus (Tab from the number box
  // reaches Open).
  click(GetDlgItem(main, IDC_FIRST_LINE));
  ASSERT_TRUE(focus_reaches(GetDlgItem(main, IDC_FIRST_LINE)));
  press_key(VK_TAB);
  ASSERT_TRUE(focus_reaches(GetDlgItem(main, CMD_OPEN)));
  press_key(VK_RETURN);
  result = result_window(main);
  ASSERT_TRUE(result) << "Enter on the Open button did not convert";
  click(GetDlgItem(result, IDC_RESULT_CLOSE));
  EXPECT_TRUE(pump_until([&] { return !IsWindow(result); }, 30000));

  // Escape in the editor does nothing either: the program keeps its text.  A
  // key typed after it shows that the Escape has been handled (the editor
  // would have posted WM_CLOSE then, which comes before later input).
  click(editor);
  ASSERT_TRUE(focus_reaches(editor));
  const std::string converted = text_of(editor);
  SendMessageA(editor, EM_SETSEL, 0, 0);
  press_key(VK_ESCAPE);
  press_key('X');
  EXPECT_TRUE(pump_until([&] { return text_of(editor) != converted; }, 10000));
  EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(process.hProcess, 0))
      << "Escape in the editor ended the program";
  EXPECT_EQ("x" + converted, text_of(editor));

  // Alt+F4 closes it, and the options chosen are saved.
  press_chord(VK_MENU, VK_F4);
  EXPECT_EQ(0u, wait_for_exit());
  EXPECT_EQ("[option]\r\ntype=0\r\nhtml=1\r\nlinenumber=1\r\nlinenumber_start=7\r\n",
            read_bytes(dir.file("option.ini")));
  EXPECT_EQ(CONFIG, read_bytes(dir.file("config.ini")));
}

// The caption's close box: found by asking the window what lies under points
// along its caption.
POINT close_box(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = r.right - 1; x > r.left; --x) {
    if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return {x - 3, y};
  }
  return {-1, -1};
}

TEST_F(VorelExe, TheCloseBoxEndsTheProgramAndSavesTheOptions) {
  write_bytes(dir.file("config.ini"), CONFIG);
  start();
  HWND main = main_window();
  ASSERT_TRUE(main);
  CheckRadioButton(main, IDC_HTML, IDC_UBB, IDC_HTML);
  SetDlgItemTextA(main, IDC_FIRST_LINE, "12");
  SetWindowTextA(GetDlgItem(main, IDC_EDITOR), "some text");
  SetForegroundWindow(main);
  const POINT box = close_box(main);
  ASSERT_NE(-1, box.x) << "no close box on the caption";
  SetCursorPos(box.x, box.y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  send_input(inputs, 2);
  EXPECT_EQ(0u, wait_for_exit());
  EXPECT_EQ("[option]\r\ntype=0\r\nhtml=1\r\nlinenumber=0\r\nlinenumber_start=12\r\n",
            read_bytes(dir.file("option.ini")));
}

// Wine's per-program DLL settings: riched20 disabled for this one file name.
class NoRichEdit {
 public:
  static constexpr const char* KEY = "Software\\Wine\\AppDefaults\\vorel-no-richedit.exe\\DllOverrides";
  NoRichEdit() {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    RegSetValueExA(key, "riched20", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(key);
  }
  ~NoRichEdit() { RegDeleteKeyA(HKEY_CURRENT_USER, KEY); }
};

TEST_F(VorelExe, WithoutTheRichEditLibraryItSaysSoAndEnds) {
  write_bytes(dir.file("config.ini"), CONFIG);
  NoRichEdit no_rich_edit;
  start("vorel-no-richedit.exe");
  HWND box = wait_for_window(process.dwProcessId, [](HWND w) {
    return dialog_texts(w).find("can't load richedit") != std::string::npos;
  });
  ASSERT_TRUE(box);
  EXPECT_FALSE(
      find_window_of(process.dwProcessId, [](HWND w) { return GetDlgItem(w, IDC_EDITOR) != nullptr; }));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(0u, wait_for_exit());
  EXPECT_FALSE(file_exists(dir.file("option.ini"))) << "no main window, no options";
}

}  // namespace
}  // namespace vorel::test
