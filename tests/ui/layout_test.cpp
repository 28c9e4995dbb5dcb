// The two dialog templates as vorel.exe carries them: every control's class,
// text, styles and rectangle (in dialog units), in template order, against the
// tables below.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "resource.h"
#include "ui_test_support.h"

namespace vorel::test {
namespace {

struct Control {
  int id;
  const char* class_name;
  const wchar_t* text;
  DWORD style;  // WS_CHILD and WS_VISIBLE included
  RECT rect;    // x, y, width, height in dialog units
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;

const Control MAIN_CONTROLS[] = {
    {IDC_EDITOR,
     "RichEdit20A",
     L"",
     CHILD | ES_MULTILINE | ES_WANTRETURN | ES_NOHIDESEL | WS_VSCROLL | WS_HSCROLL | WS_BORDER | WS_TABSTOP,
     {7, 36, 375, 215}},
    {IDC_SYNTAX,
     "ComboBox",
     L"",
     CHILD | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
     {14, 14, 56, 113}},
    {IDC_HTML, "Button", L"HTML", CHILD | BS_AUTORADIOBUTTON | WS_GROUP, {196, 15, 31, 10}},
    {IDC_UBB, "Button", L"UBB", CHILD | BS_AUTORADIOBUTTON, {233, 15, 25, 10}},
    {IDC_LINE_NUMBERS, "Button", L"顯示行號 開始於:", CHILD | BS_AUTOCHECKBOX | WS_TABSTOP, {267, 15, 80, 9}},
    {IDC_FIRST_LINE,
     "Edit",
     L"",
     CHILD | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
     {349, 14, 27, 12}},
    {-1, "Button", L"", CHILD | BS_GROUPBOX, {8, 6, 375, 25}},
    {CMD_OPEN, "qButton", L"開啟", CHILD | WS_TABSTOP, {148, 260, 52, 16}},
    {CMD_START, "qButton", L"開始", CHILD | WS_TABSTOP, {330, 260, 52, 16}},
    {CMD_COPY_ALL, "qButton", L"複製", CHILD | WS_TABSTOP, {271, 260, 52, 16}},
    {CMD_SAVE, "qButton", L"儲存", CHILD | WS_TABSTOP, {211, 260, 52, 16}},
    {-1, "Static", L"", CHILD | SS_ETCHEDHORZ, {5, 256, 378, 1}},
};

const Control RESULT_CONTROLS[] = {
    {IDC_RESULT_SAVE, "qButton", L"儲存", CHILD | WS_TABSTOP, {3, 64, 47, 15}},
    {IDC_RESULT_PREVIEW, "qButton", L"預覽", CHILD | WS_TABSTOP, {59, 64, 47, 15}},
    {IDC_RESULT_COPY, "qButton", L"複製", CHILD | WS_TABSTOP, {113, 64, 47, 16}},
    {IDC_RESULT_CLOSE, "qButton", L"關閉", CHILD | WS_TABSTOP, {167, 64, 47, 16}},
    {IDC_RESULT_TEXT, "Static", L"", CHILD | SS_LEFT | SS_SUNKEN | WS_GROUP, {3, 4, 212, 57}},
};

INT_PTR CALLBACK bare_dialog_proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// One item of a compiled DIALOGEX template, as the resource holds it.
struct Item {
  int id;
  std::string class_name;
  std::wstring text;
  DWORD style;
  DWORD ex_style;
  RECT rect;  // x, y, width, height
};

// A string or an ordinal (0xFFFF, n) of a template; the standard classes come as ordinals.
std::wstring read_name(const WORD*& p) {
  if (*p == 0xFFFF) {
    const WORD ordinal = p[1];
    p += 2;
    switch (ordinal) {
      case 0x80: return L"Button";
      case 0x81: return L"Edit";
      case 0x82: return L"Static";
      case 0x85: return L"ComboBox";
      default: return L"#" + std::to_wstring(ordinal);
    }
  }
  std::wstring name(reinterpret_cast<const wchar_t*>(p));
  p += name.size() + 1;
  return name;
}

std::vector<Item> template_items(HMODULE module, int id, DWORD& style, DWORD& ex_style) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
  const auto* p = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  std::vector<Item> items;
  if (!p || p[0] != 1 || p[1] != 0xFFFF) return items;  // not a DIALOGEX
  ex_style = *reinterpret_cast<const DWORD*>(p + 4);
  style = *reinterpret_cast<const DWORD*>(p + 6);
  const int count = p[8];
  p += 13;       // past the counts and the rectangle
  read_name(p);  // menu
  read_name(p);  // class
  read_name(p);  // caption
  if (style & DS_SETFONT) {
    p += 3;  // point size, weight, italic and character set
    read_name(p);
  }
  for (int i = 0; i < count; ++i) {
    p = reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t{3});
    Item item{};
    const auto* d = reinterpret_cast<const DWORD*>(p);
    item.ex_style = d[1];
    item.style = d[2];
    const auto* r = reinterpret_cast<const short*>(p + 6);
    item.rect = {r[0], r[1], r[2], r[3]};
    item.id = static_cast<int>(*reinterpret_cast<const DWORD*>(p + 10));
    p += 12;
    const std::wstring class_name = read_name(p);
    item.class_name.assign(class_name.begin(), class_name.end());
    item.text = read_name(p);
    const WORD extra = *p++;
    p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
    items.push_back(item);
  }
  return items;
}

// The program's own file, its resources only.
class Templates : public testing::Test {
 protected:
  void SetUp() override {
    start_program_in_process();  // the button class and the rich edit
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = self;
    exe = exe.substr(0, exe.rfind('\\') + 1) + "vorel.exe";
    program = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program) << exe;
  }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
    if (program) FreeLibrary(program);
  }

  HWND create(int id) {
    dialog = CreateDialogParamA(program, MAKEINTRESOURCEA(id), nullptr, bare_dialog_proc, 0);
    return dialog;
  }

  // Every item of the compiled template against the table: class, text, id,
  // styles and rectangle, in template order.  The live controls must then sit
  // where those dialog units put them (platform controls change some of their
  // own style bits, such as moving WS_BORDER into an extended style, so the
  // styles are read from the template).
  template <size_t N>
  void expect_controls(int id, const Control (&table)[N]) {
    DWORD style = 0, ex_style = 0;
    const std::vector<Item> items = template_items(program, id, style, ex_style);
    ASSERT_EQ(N, items.size());
    HWND child = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < N; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
      const Control& want = table[i];
      const Item& item = items[i];
      SCOPED_TRACE(testing::Message() << "control " << i << ", id " << want.id);
      EXPECT_EQ(want.id, item.id);
      EXPECT_EQ(0, lstrcmpiA(want.class_name, item.class_name.c_str())) << item.class_name;
      EXPECT_EQ(std::wstring(want.text), item.text);
      EXPECT_EQ(want.style, item.style) << std::hex << "0x" << want.style << " != 0x" << item.style;
      EXPECT_EQ(0u, item.ex_style);
      EXPECT_TRUE(EqualRect(&want.rect, &item.rect));

      ASSERT_TRUE(child);
      EXPECT_EQ(want.id, GetDlgCtrlID(child));
      EXPECT_EQ(0, lstrcmpiA(want.class_name, class_name(child).c_str())) << class_name(child);
      RECT units = want.rect;  // x, y, width, height each mapped on its own, as the dialog manager does
      MapDialogRect(dialog, &units);
      RECT actual;
      GetWindowRect(child, &actual);
      // A drop-down list is as high as its edit field; the template's height
      // is that of the dropped list.
      const bool combo = lstrcmpiA(want.class_name, "ComboBox") == 0;
      if (combo) SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&actual));
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
      EXPECT_EQ(units.left, actual.left);
      EXPECT_EQ(units.top, actual.top);
      // The etched line gets an edge from its class, which its window is
      // made larger by; its size is the template's, checked above.
      if (static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)) & WS_EX_STATICEDGE) continue;
      EXPECT_EQ(units.right, actual.right - actual.left);
      if (!combo) { EXPECT_EQ(units.bottom, actual.bottom - actual.top); }
    }
    EXPECT_FALSE(child) << "more controls than the template";
  }

  void expect_client_size(int width, int height) {
    RECT expected = {0, 0, width, height};
    MapDialogRect(dialog, &expected);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(expected.right, client.right);
    EXPECT_EQ(expected.bottom, client.bottom);
  }

  void expect_font() {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(std::wstring(L"細明體"), std::wstring(font.lfFaceName));
  }

  HMODULE program = nullptr;
  HWND dialog = nullptr;
};

TEST_F(Templates, MainDialog) {
  ASSERT_TRUE(create(IDD_MAIN));
  EXPECT_EQ("Vorel", window_text(dialog));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  const DWORD wanted = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  EXPECT_EQ(wanted, style & wanted) << std::hex << style;
  EXPECT_EQ(0u, style & (WS_POPUP | WS_THICKFRAME | WS_MAXIMIZEBOX)) << std::hex << style;
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "files can be dropped on it";
  expect_client_size(387, 283);
  expect_font();
  expect_controls(IDD_MAIN, MAIN_CONTROLS);
}

TEST_F(Templates, ResultDialog) {
  ASSERT_TRUE(create(IDD_RESULT));
  EXPECT_EQ("Vorel", window_text(dialog));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE));
  const DWORD wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT;
  EXPECT_EQ(wanted, style & wanted) << std::hex << style;
  EXPECT_EQ(0u, style & (DS_MODALFRAME | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))
      << std::hex << style;
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "a tool window";
  expect_client_size(220, 85);
  expect_font();
  expect_controls(IDD_RESULT, RESULT_CONTROLS);
}

}  // namespace
}  // namespace vorel::test
