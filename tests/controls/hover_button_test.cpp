// Hover button: messages, click notification, painted pixels and GDI hygiene,
// checked on real controls in a real parent window.
#include "controls/hover_button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "button_test_window.h"

namespace vorel {
namespace {

using testing::capture;
using testing::Pixels;

constexpr COLORREF BLACK = 0x000000;
constexpr COLORREF NORMAL_FILL = 0xFFD7C6;
constexpr COLORREF HOVER_FILL = 0xFFF7C6;
constexpr COLORREF PRESSED_FILL = 0xFFC7C6;
constexpr COLORREF RED = 0x0000FF;
constexpr COLORREF BLUE = 0xFF0000;
// Text is antialiased, so the caption's copies are told apart by channel:
// the front copy in yellow only darkens blue, the back copy in magenta only
// darkens green, on a white fill.
constexpr COLORREF YELLOW = 0x00FFFF;
constexpr COLORREF MAGENTA = 0xFF00FF;
constexpr int GREEN_CHANNEL = 8;
constexpr int BLUE_CHANNEL = 16;
constexpr COLORREF GREEN = 0x00FF00;
constexpr COLORREF WHITE = 0xFFFFFF;
constexpr COLORREF CYAN = 0xFFFF00;  // images beside the caption: touches neither caption channel
constexpr COLORREF DISABLED_TEXT = 0x606060;
constexpr int ID = 321;
constexpr int W = 120;
constexpr int H = 40;
constexpr WPARAM MINUS_ONE = static_cast<WPARAM>(-1);

class HoverButton : public ::testing::Test {
 protected:
  void SetUp() override {
    // Keep the pointer away from the control unless a test puts it there.
    SetCursorPos(OFF.x, OFF.y);
    button = parent.add_button(ID, 0, "Go", 20, 20, W, H);
    ASSERT_NE(button, nullptr);
    testing::pump(20);
  }

  HWND make(DWORD style, const char* text) {
    HWND b = parent.add_button(ID + 1, style, text, 20, 80, W, H);
    testing::pump(10);
    return b;
  }

  // Plain colours make the caption's two copies easy to tell apart.
  void use_plain_colours(HWND b) {
    SendMessageA(b, QBM_SETBKCOLOR, MINUS_ONE, WHITE);
    SendMessageA(b, QBM_SETTEXTCOLOR, YELLOW, MAGENTA);
  }

  void pointer_over(HWND b) {
    POINT c = testing::screen_centre(b);
    SetCursorPos(c.x, c.y);
  }
  void press(HWND b) { SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(W / 2, H / 2)); }
  void release(HWND b) { SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(W / 2, H / 2)); }
  void hover(HWND b) { SendMessageA(b, WM_MOUSEMOVE, 0, MAKELPARAM(W / 2, H / 2)); }

  size_t clicks() const { return parent.commands().size(); }

  static constexpr POINT OFF = {900, 900};
  testing::ParentWindow parent{100, 100, 400, 200};
  HWND button = nullptr;
};

// Fill colour of the control's interior, away from the caption.
COLORREF fill_of(const Pixels& p) { return p.at(2, 2); }

bool is_framed(const Pixels& p) {
  for (int x = 0; x < p.width; ++x)
    if (p.at(x, 0) != BLACK || p.at(x, p.height - 1) != BLACK) return false;
  for (int y = 0; y < p.height; ++y)
    if (p.at(0, y) != BLACK || p.at(p.width - 1, y) != BLACK) return false;
  return true;
}

bool same_rect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT shifted(RECT r, int dx, int dy) {
  OffsetRect(&r, dx, dy);
  return r;
}

RECT front_ink(const Pixels& p) { return p.bounds_below(BLUE_CHANNEL, 255); }
RECT back_ink(const Pixels& p) { return p.bounds_below(GREEN_CHANNEL, 255); }

std::vector<int> channel(const Pixels& p, int shift) {
  std::vector<int> values;
  for (COLORREF c : p.data) values.push_back(static_cast<int>((c >> shift) & 0xFF));
  return values;
}

// ---- Private messages and their results -------------------------------------------

TEST_F(HoverButton, FillColoursReadBackPerSelector) {
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, STATE_NORMAL, 0), static_cast<LRESULT>(NORMAL_FILL));
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, STATE_HOVER, 0), static_cast<LRESULT>(HOVER_FILL));
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, STATE_PRESSED, 0), static_cast<LRESULT>(PRESSED_FILL));

  EXPECT_EQ(SendMessageA(button, QBM_SETBKCOLOR, STATE_HOVER, 0x123456), 0);
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, STATE_HOVER, 0), 0x123456);
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, STATE_NORMAL, 0), static_cast<LRESULT>(NORMAL_FILL));
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, STATE_PRESSED, 0), static_cast<LRESULT>(PRESSED_FILL));

  EXPECT_EQ(SendMessageA(button, QBM_SETBKCOLOR, MINUS_ONE, 0x00ABCD), 0);
  for (WPARAM selector = 0; selector < 3; ++selector)
    EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, selector, 0), 0x00ABCD) << selector;

  // A 32-bit sender's -1 arrives as 0xFFFFFFFF.
  SendMessageA(button, QBM_SETBKCOLOR, 0xFFFFFFFF, 0x0000EE);
  for (WPARAM selector = 0; selector < 3; ++selector)
    EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, selector, 0), 0x0000EE) << selector;
}

TEST_F(HoverButton, UnknownColourSelectorsChangeNothing) {
  EXPECT_EQ(SendMessageA(button, QBM_SETBKCOLOR, 3, 0x123456), 0);
  EXPECT_EQ(SendMessageA(button, QBM_SETBKCOLOR, 0x7FFFFFFF, 0x123456), 0);
  for (WPARAM selector = 0; selector < 3; ++selector)
    EXPECT_NE(SendMessageA(button, QBM_GETBKCOLOR, selector, 0), 0x123456) << selector;
  // Reading an unknown selector answers the selector itself.
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, 5, 0), 5);
  EXPECT_EQ(SendMessageA(button, QBM_GETBKCOLOR, MINUS_ONE, 0), -1);
}

TEST_F(HoverButton, SettingTheNormalFillShowsAtOnce) {
  SendMessageA(button, QBM_SETBKCOLOR, STATE_NORMAL, 0xFF8020);
  UpdateWindow(button);  // the message asked for the repaint itself
  HDC dc = GetDC(button);
  EXPECT_EQ(GetPixel(dc, 3, 3), 0xFF8020u);
  ReleaseDC(button, dc);
}

TEST_F(HoverButton, TextColourMinusOneKeepsEachColour) {
  use_plain_colours(button);
  Pixels before = capture(button);
  RECT ink = front_ink(before);
  ASSERT_FALSE(IsRectEmpty(&ink));

  EXPECT_EQ(SendMessageA(button, QBM_SETTEXTCOLOR, MINUS_ONE, -1), 0);
  EXPECT_EQ(capture(button), before);

  // A lighter magenta for the back copy: only the green channel changes.
  SendMessageA(button, QBM_SETTEXTCOLOR, MINUS_ONE, 0xFF80FF);
  Pixels back_changed = capture(button);
  EXPECT_EQ(channel(back_changed, BLUE_CHANNEL), channel(before, BLUE_CHANNEL));
  EXPECT_NE(channel(back_changed, GREEN_CHANNEL), channel(before, GREEN_CHANNEL));

  // A lighter yellow for the front copy: only the blue channel changes.
  SendMessageA(button, QBM_SETTEXTCOLOR, 0x80FFFF, -1);
  Pixels front_changed = capture(button);
  EXPECT_NE(channel(front_changed, BLUE_CHANNEL), channel(back_changed, BLUE_CHANNEL));
  EXPECT_EQ(channel(front_changed, GREEN_CHANNEL), channel(back_changed, GREEN_CHANNEL));
}

TEST_F(HoverButton, SetImageAcceptsBitmapAndIconOnly) {
  SendMessageA(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  HBITMAP bitmap = testing::make_bitmap(10, 10, GREEN);
  HICON icon = testing::make_icon(BLUE, BLUE);
  HICON cursor = testing::make_icon(RED, RED);

  EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(cursor)), 0);
  EXPECT_EQ(capture(button).count(RED), 0);

  EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)), 0);
  EXPECT_EQ(capture(button).count(BLUE), 16 * 16);

  EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
  Pixels both = capture(button);
  EXPECT_EQ(both.count(GREEN), 10 * 10);
  EXPECT_EQ(both.count(BLUE), 0) << "a bitmap wins over an icon";

  // Clearing the bitmap brings the icon back.
  EXPECT_EQ(SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(capture(button).count(BLUE), 16 * 16);
  DeleteObject(bitmap);
  DestroyIcon(cursor);
}

TEST_F(HoverButton, DestroyReleasesOnlyTheImagesHeld) {
  HBITMAP replaced = testing::make_bitmap(8, 8, GREEN);
  HBITMAP held = testing::make_bitmap(8, 8, BLUE);
  HICON icon = testing::make_icon(RED, RED);
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(replaced));
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(held));
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  DestroyWindow(button);

  EXPECT_EQ(GetObjectType(held), 0u);
  ICONINFO info;
  EXPECT_FALSE(GetIconInfo(icon, &info));
  EXPECT_EQ(GetObjectType(replaced), static_cast<DWORD>(OBJ_BITMAP)) << "the sender still owns it";
  DeleteObject(replaced);
}

TEST_F(HoverButton, ClassAttributes) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), BUTTON_CLASS_NAME, &wc));
  EXPECT_EQ(wc.style, static_cast<UINT>(CS_GLOBALCLASS | CS_BYTEALIGNWINDOW | CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(wc.cbWndExtra, static_cast<int>(sizeof(LONG_PTR)));
  EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
}

// ---- Click notification -----------------------------------------------------------

TEST_F(HoverButton, PressAndReleaseOverTheControlClicksOnce) {
  pointer_over(button);
  press(button);
  EXPECT_EQ(GetCapture(), button);
  EXPECT_EQ(clicks(), 0u) << "the press alone is no click";
  release(button);
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(clicks(), 1u);
  EXPECT_EQ(parent.commands()[0].wParam, MAKEWPARAM(ID, BN_CLICKED));
  EXPECT_EQ(parent.commands()[0].lParam, reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(GetFocus(), button);
}

TEST_F(HoverButton, ReleaseOffTheControlIsNoClick) {
  pointer_over(button);
  press(button);
  SetCursorPos(OFF.x, OFF.y);
  SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(W + 300, H + 300));
  release(button);
  EXPECT_EQ(clicks(), 0u);
  EXPECT_EQ(fill_of(capture(button)), NORMAL_FILL);
}

TEST_F(HoverButton, ReleaseOverTheControlClicksWhereverThePressBegan) {
  pointer_over(button);
  release(button);
  EXPECT_EQ(clicks(), 1u);
}

TEST_F(HoverButton, BmClickReturnsTheParentsAnswerAndKeepsTheLook) {
  pointer_over(button);
  hover(button);
  Pixels before = capture(button);
  ASSERT_EQ(fill_of(before), HOVER_FILL);
  parent.set_command_result(4321);
  EXPECT_EQ(SendMessageA(button, BM_CLICK, 0, 0), 4321);
  ASSERT_EQ(clicks(), 1u);
  EXPECT_EQ(parent.commands()[0].wParam, MAKEWPARAM(ID, BN_CLICKED));
  EXPECT_EQ(parent.commands()[0].lParam, reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(capture(button), before);
}

TEST_F(HoverButton, DisabledControlStillAnswersBmClick) {
  EnableWindow(button, FALSE);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks(), 1u);
}

TEST_F(HoverButton, RealDoubleClickGivesTwoClicks) {
  SetForegroundWindow(parent.handle());
  pointer_over(button);
  testing::pump(50);
  INPUT inputs[4] = {};
  const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_MOUSE;
    inputs[i].mi.dwFlags = flags[i];
  }
  ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
  for (int i = 0; i < 20 && clicks() < 2; ++i) testing::pump(25);
  EXPECT_EQ(clicks(), 2u);
}

TEST_F(HoverButton, ParentMayDestroyTheControlInsideTheClick) {
  parent.on_command([](HWND control) { DestroyWindow(control); });
  pointer_over(button);
  press(button);
  release(button);
  EXPECT_EQ(clicks(), 1u);
  EXPECT_FALSE(IsWindow(button));
  testing::pump(20);
}

// Messages that reach the window before its record exists or after it is
// gone fall to the default procedure.
HWND hooked_button = nullptr;
std::vector<LRESULT> early_results;

LRESULT CALLBACK send_before_create(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    if (create->lpcs->lpszClass && HIWORD(reinterpret_cast<ULONG_PTR>(create->lpcs->lpszClass)) &&
        lstrcmpA(create->lpcs->lpszClass, BUTTON_CLASS_NAME) == 0) {
      HWND w = reinterpret_cast<HWND>(wParam);
      early_results.push_back(SendMessageA(w, QBM_GETBKCOLOR, 1, 0));
      early_results.push_back(SendMessageA(w, QBM_SETBKCOLOR, 0, 0x123456));
      early_results.push_back(SendMessageA(w, WM_LBUTTONUP, 0, 0));
      early_results.push_back(SendMessageA(w, WM_PRINTCLIENT, 0, 0));
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK send_after_destroy(int code, WPARAM wParam, LPARAM lParam) {
  auto* ret = reinterpret_cast<CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && ret->hwnd == hooked_button && ret->message == WM_DESTROY) {
    HWND w = ret->hwnd;
    early_results.push_back(SendMessageA(w, QBM_GETBKCOLOR, 1, 0));
    early_results.push_back(SendMessageA(w, BM_SETIMAGE, IMAGE_BITMAP, 0));
    early_results.push_back(SendMessageA(w, WM_MOUSEMOVE, 0, 0));
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(HoverButton, MessagesOutsideTheControlsLifetimeAreHarmless) {
  early_results.clear();
  HHOOK hook = SetWindowsHookExA(WH_CBT, send_before_create, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  HWND b = make(0, "early");
  UnhookWindowsHookEx(hook);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(early_results, (std::vector<LRESULT>{0, 0, 0, 0}));
  EXPECT_EQ(SendMessageA(b, QBM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(NORMAL_FILL)) << "defaults still set";

  early_results.clear();
  hooked_button = b;
  hook = SetWindowsHookExA(WH_CALLWNDPROCRET, send_after_destroy, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  DestroyWindow(b);
  UnhookWindowsHookEx(hook);
  hooked_button = nullptr;
  EXPECT_EQ(early_results, (std::vector<LRESULT>{0, 0, 0}));
}

// ---- Looks ------------------------------------------------------------------------

TEST_F(HoverButton, NewControlIsFramedDefaultFillWithShadowedCaption) {
  Pixels p = capture(button);
  EXPECT_TRUE(is_framed(p));
  EXPECT_EQ(p.at(1, 1), NORMAL_FILL);
  EXPECT_EQ(p.at(W - 2, H - 2), NORMAL_FILL);
  // Black front copy and the lighter highlight copy both show inside the frame.
  RECT dark = p.bounds_below(0, 0x40);
  EXPECT_FALSE(IsRectEmpty(&dark));
  int lighter_than_fill = 0;
  for (COLORREF c : p.data) lighter_than_fill += (c & 0xFF) > 0xD0;
  EXPECT_GT(lighter_than_fill, 0) << "highlight copy";
  EXPECT_EQ(testing::print_client(button), p);
}

TEST_F(HoverButton, FillFollowsPointerAndPress) {
  pointer_over(button);
  hover(button);
  EXPECT_EQ(fill_of(capture(button)), HOVER_FILL);
  press(button);
  Pixels pressed = capture(button);
  EXPECT_EQ(fill_of(pressed), PRESSED_FILL);
  EXPECT_TRUE(is_framed(pressed));
  hover(button);  // moving while pressed stays pressed
  EXPECT_EQ(fill_of(capture(button)), PRESSED_FILL);
  release(button);
  EXPECT_EQ(fill_of(capture(button)), NORMAL_FILL) << "normal after a click until the next move";
  hover(button);
  EXPECT_EQ(fill_of(capture(button)), HOVER_FILL);
}

TEST_F(HoverButton, LeavingTheControlRestoresTheNormalFill) {
  pointer_over(button);
  hover(button);
  testing::pump(50);
  ASSERT_EQ(fill_of(capture(button)), HOVER_FILL);
  SetCursorPos(OFF.x, OFF.y);
  COLORREF fill = HOVER_FILL;
  for (int i = 0; i < 400 && fill != NORMAL_FILL; ++i) {
    testing::pump(25);
    fill = fill_of(capture(button));
  }
  EXPECT_EQ(fill, NORMAL_FILL);
}

TEST_F(HoverButton, CaptionIsDrawnTwiceOnePixelApart) {
  use_plain_colours(button);
  Pixels p = capture(button);
  RECT front = front_ink(p);
  RECT back = back_ink(p);
  ASSERT_FALSE(IsRectEmpty(&front));
  ASSERT_FALSE(IsRectEmpty(&back));
  // The front copy hides part of the back one, but not its top and left edges.
  EXPECT_EQ(back.left, front.left - 1);
  EXPECT_EQ(back.top, front.top - 1);
  EXPECT_NEAR((front.left + front.right) / 2.0, W / 2.0 + 1, 1.5) << "centred";
}

TEST_F(HoverButton, PressMovesTheCaptionOnePixelRightAndDown) {
  use_plain_colours(button);
  pointer_over(button);
  Pixels normal = capture(button);
  press(button);
  Pixels pressed = capture(button);
  EXPECT_TRUE(same_rect(front_ink(pressed), shifted(front_ink(normal), 1, 1)));
  EXPECT_TRUE(same_rect(back_ink(pressed), shifted(back_ink(normal), 1, 1)));
  release(button);
}

TEST_F(HoverButton, AmpersandUnderlinesInsteadOfShowing) {
  use_plain_colours(button);
  SetWindowTextA(button, "&&");
  RECT doubled = front_ink(capture(button));
  SetWindowTextA(button, "a&b");
  Pixels mnemonic = capture(button);
  SetWindowTextA(button, "ab");
  Pixels plain = capture(button);

  EXPECT_FALSE(IsRectEmpty(&doubled)) << "a doubled ampersand draws one";
  EXPECT_NE(mnemonic, plain) << "the mnemonic is underlined";
  RECT m = front_ink(mnemonic), q = front_ink(plain);
  EXPECT_EQ(m.right - m.left, q.right - q.left) << "the ampersand itself takes no room";
  EXPECT_GT(m.bottom, q.bottom) << "the underline lies below the letters";
}

TEST_F(HoverButton, BitmapSitsAtTheLeftAndMovesTheCaption) {
  use_plain_colours(button);
  Pixels without = capture(button);
  HBITMAP bitmap = testing::make_bitmap(30, 9, CYAN);
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
  Pixels with = capture(button);
  RECT image = with.bounds(CYAN);
  RECT expected = {5, (H - 9) >> 1, 35, ((H - 9) >> 1) + 9};
  EXPECT_TRUE(same_rect(image, expected));
  // The caption is centred in what is right of x = bitmap width.
  RECT a = front_ink(without), b = front_ink(with);
  EXPECT_NEAR(b.left - a.left, 30 / 2.0, 0.5);
  EXPECT_EQ(b.top, a.top);

  // Pressed: the image goes down (odd H - bh: by two), never right.
  pointer_over(button);
  press(button);
  RECT pressed = capture(button).bounds(CYAN);
  EXPECT_TRUE(same_rect(pressed, shifted(expected, 0, 2)));
  release(button);
}

TEST_F(HoverButton, PressedBitmapOfEvenDifferenceMovesDownOne) {
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(testing::make_bitmap(10, 10, GREEN)));
  RECT normal = capture(button).bounds(GREEN);
  pointer_over(button);
  press(button);
  EXPECT_TRUE(same_rect(capture(button).bounds(GREEN), shifted(normal, 0, 1)));
  release(button);
}

TEST_F(HoverButton, TallBitmapIsCentredAndCutOff) {
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(testing::make_bitmap(6, H + 21, GREEN)));
  Pixels p = capture(button);
  RECT all = {5, 0, 11, H};
  EXPECT_TRUE(same_rect(p.bounds(GREEN), all));
  EXPECT_EQ(p.count(GREEN), 6 * H);
}

TEST_F(HoverButton, IconSitsAtTheLeftAndCaptionStartsAt17) {
  use_plain_colours(button);
  Pixels without = capture(button);
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(testing::make_icon(CYAN, CYAN)));
  Pixels with = capture(button);
  RECT expected = {5, (H - 16) >> 1, 21, ((H - 16) >> 1) + 16};
  EXPECT_TRUE(same_rect(with.bounds(CYAN), expected));
  RECT a = front_ink(without), b = front_ink(with);
  EXPECT_NEAR(b.left - a.left, 17 / 2.0, 0.5);
}

TEST_F(HoverButton, FocusRectangleNeedsTheFlagAndTheFocus) {
  auto has_focus_rect = [this] {
    Pixels p = capture(button);
    // Only the dotted rectangle touches row 4 and column 4; the caption is far inside.
    int marks = 0;
    for (int x = 4; x < W - 4; ++x) marks += p.at(x, 4) != NORMAL_FILL;
    for (int y = 4; y < H - 4; ++y) marks += p.at(4, y) != NORMAL_FILL;
    return marks > 0;
  };
  SetFocus(button);
  ASSERT_EQ(GetFocus(), button);
  EXPECT_FALSE(has_focus_rect()) << "no flag";

  EXPECT_EQ(SendMessageA(button, QBM_SETFOCUSRECT, 1, 0), 0);
  EXPECT_TRUE(has_focus_rect());

  SetFocus(parent.handle());
  EXPECT_FALSE(has_focus_rect()) << "no focus";
  SetFocus(button);
  EXPECT_TRUE(has_focus_rect());

  SendMessageA(button, QBM_SETFOCUSRECT, 0, 0);
  EXPECT_FALSE(has_focus_rect());
}

TEST_F(HoverButton, DisabledLookIgnoresStateImageAndFocus) {
  use_plain_colours(button);
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(testing::make_icon(GREEN, GREEN)));
  SendMessageA(button, QBM_SETFOCUSRECT, 1, 0);
  SetFocus(button);
  pointer_over(button);
  press(button);
  EnableWindow(button, FALSE);
  Pixels p = capture(button);
  ReleaseCapture();

  EXPECT_TRUE(is_framed(p));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(p.at(1, 1), face);
  EXPECT_EQ(p.at(W - 2, H - 2), face);
  EXPECT_GT(p.count(DISABLED_TEXT), 0);
  // Inside the frame every pixel is a blend of the face and the grey caption:
  // no image, no coloured copy, no focus rectangle.
  for (int y = 1; y < H - 1; ++y)
    for (int x = 1; x < W - 1; ++x)
      for (int shift : {0, 8, 16}) {
        int v = (p.at(x, y) >> shift) & 0xFF, f = (face >> shift) & 0xFF, g = 0x60;
        ASSERT_TRUE(v >= std::min(f, g) && v <= std::max(f, g)) << x << "," << y;
      }
  for (int x = 4; x < W - 4; ++x) EXPECT_EQ(p.at(x, 4), face) << x;

  // One copy, where an enabled, unpressed control draws its back copy.
  EnableWindow(button, TRUE);
  SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, 0);
  SendMessageA(button, WM_MOUSELEAVE, 0, 0);
  RECT front = front_ink(capture(button));
  EXPECT_TRUE(same_rect(p.bounds_below(0, GetRValue(face)), shifted(front, -1, -1)));
}

TEST_F(HoverButton, EmptyTextShowsOnlyTheFramedFill) {
  SetWindowTextA(button, "");
  Pixels p = capture(button);
  EXPECT_TRUE(is_framed(p));
  EXPECT_EQ(p.count(NORMAL_FILL), (W - 2) * (H - 2));
}

TEST_F(HoverButton, LongTextShowsItsFirst259Characters) {
  // Centred text: had more than 259 characters been read, the tail would
  // move the visible part.
  std::string shown(259, 'W');
  SetWindowTextA(button, (shown + std::string(41, '.')).c_str());
  Pixels cut = capture(button);
  SetWindowTextA(button, shown.c_str());
  EXPECT_EQ(capture(button), cut);
  for (int x = 0; x < W; ++x) ASSERT_EQ(cut.at(x, 0), BLACK);
}

TEST_F(HoverButton, ArrowStyleDrawsAGlyphInsteadOfTheText) {
  auto look = [this](DWORD style, const char* text) {
    HWND b = make(style, text);
    use_plain_colours(b);
    Pixels p = capture(b);
    DestroyWindow(b);
    return p;
  };
  Pixels left = look(QBS_LEFTARROW, "Words");
  RECT ink = front_ink(left);
  EXPECT_FALSE(IsRectEmpty(&ink)) << "something is drawn";
  EXPECT_EQ(look(QBS_LEFTARROW, ""), left) << "the window text is not shown";
  EXPECT_NE(look(0, "Words"), left);

  // The lowest arrow bit decides; the others are ignored.
  EXPECT_EQ(look(QBS_LEFTARROW | QBS_RIGHTARROW, "x"), left);
  EXPECT_EQ(look(QBS_LEFTARROW | QBS_DOWNARROW | 0x0001 | 0x0020, ""), left);
  Pixels right = look(QBS_RIGHTARROW, "");
  Pixels up = look(QBS_UPARROW, "");
  Pixels down = look(QBS_DOWNARROW, "");
  EXPECT_EQ(look(QBS_RIGHTARROW | QBS_UPARROW | QBS_DOWNARROW, ""), right);
  EXPECT_EQ(look(QBS_UPARROW | QBS_DOWNARROW, ""), up);
  EXPECT_NE(left, right);
  EXPECT_NE(right, up);
  EXPECT_NE(up, down);
  EXPECT_NE(left, down);
}

// The glyph is the symbol font's own character: compare the front copy with
// that character drawn in yellow with the symbol font of that name (where the
// font is missing, both fall back to the same substitute).
TEST_F(HoverButton, ArrowGlyphsAreMarlettCharacters) {
  const std::pair<DWORD, const char*> arrows[] = {
      {QBS_LEFTARROW, "3"}, {QBS_RIGHTARROW, "4"}, {QBS_UPARROW, "5"}, {QBS_DOWNARROW, "6"}};
  for (const auto& [style, glyph] : arrows) {
    HWND b = make(style, "");
    use_plain_colours(b);
    Pixels control = capture(b);
    DestroyWindow(b);

    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, W, -H, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, dib);
    HFONT font = CreateFontA(0, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Marlett");
    HGDIOBJ old_font = SelectObject(dc, font);
    RECT all = {0, 0, W, H};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, YELLOW);
    RECT moved = {1, 1, W + 1, H + 1};
    DrawTextA(dc, glyph, -1, &moved, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    int mismatches = 0;
    for (int y = 1; y < H - 1; ++y)
      for (int x = 1; x < W - 1; ++x)
        mismatches += (control.at(x, y) >> 16 & 0xFF) != (pixels[y * W + x] & 0xFF);
    EXPECT_EQ(mismatches, 0) << glyph;
    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(font);
    DeleteObject(dib);
    DeleteDC(dc);
  }
}

// ---- Repaint requests -------------------------------------------------------------

constexpr COLORREF MARKER = 0x123456;

// Whether `action` makes the control repaint itself: its pixels are painted
// over with a marker and every pending repaint is dropped, so only an
// invalidation that the action itself makes brings the control's look back
// at the UpdateWindow that follows.
template <typename Action>
bool repaints_after(HWND b, Action action) {
  UpdateWindow(b);
  RECT client;
  GetClientRect(b, &client);
  HDC dc = GetDC(b);
  HBRUSH marker = CreateSolidBrush(MARKER);
  FillRect(dc, &client, marker);
  DeleteObject(marker);
  ReleaseDC(b, dc);
  ValidateRect(b, nullptr);
  if (testing::peek(b).count(MARKER) != client.right * client.bottom) ADD_FAILURE() << "no marker on screen";
  action();
  UpdateWindow(b);
  const Pixels after = testing::peek(b);
  return after.count(MARKER) == 0 && is_framed(after);
}

TEST_F(HoverButton, EveryChangeOfStateColourImageOrFocusRepaintsByItself) {
  SetFocus(button);  // so that a press or release changes no focus of its own
  pointer_over(button);
  const std::pair<const char*, std::function<void()>> repainting[] = {
      {"WM_MOUSEMOVE", [&] { hover(button); }},
      {"WM_MOUSELEAVE", [&] { SendMessageA(button, WM_MOUSELEAVE, 0, 0); }},
      {"WM_LBUTTONDOWN", [&] { press(button); }},
      {"WM_LBUTTONUP",
       [&] {
         SetCursorPos(OFF.x, OFF.y);  // no click
         release(button);
       }},
      {"WM_SETFOCUS", [&] { SendMessageA(button, WM_SETFOCUS, 0, 0); }},
      {"WM_KILLFOCUS", [&] { SendMessageA(button, WM_KILLFOCUS, 0, 0); }},
      {"BM_SETIMAGE", [&] { SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP, 0); }},
      {"BM_SETIMAGE of another type", [&] { SendMessageA(button, BM_SETIMAGE, IMAGE_CURSOR, 0); }},
      {"QBM_SETTEXTCOLOR", [&] { SendMessageA(button, QBM_SETTEXTCOLOR, MINUS_ONE, -1); }},
      {"QBM_SETFOCUSRECT", [&] { SendMessageA(button, QBM_SETFOCUSRECT, 1, 0); }},
      {"QBM_SETBKCOLOR", [&] { SendMessageA(button, QBM_SETBKCOLOR, STATE_HOVER, 0x00AA00); }},
      {"QBM_SETBKCOLOR of another selector", [&] { SendMessageA(button, QBM_SETBKCOLOR, 3, 0x00AA00); }},
  };
  for (const auto& [name, action] : repainting) EXPECT_TRUE(repaints_after(button, action)) << name;
  EXPECT_EQ(clicks(), 0u);

  // What the control leaves alone: the marker stays.
  const std::pair<const char*, std::function<void()>> quiet[] = {
      {"BM_CLICK", [&] { SendMessageA(button, BM_CLICK, 0, 0); }},
      {"QBM_GETBKCOLOR", [&] { SendMessageA(button, QBM_GETBKCOLOR, 0, 0); }},
      {"WM_SETTEXT", [&] { SetWindowTextA(button, "Other"); }},
      {"WM_ENABLE", [&] { SendMessageA(button, WM_ENABLE, FALSE, 0); }},
  };
  for (const auto& [name, action] : quiet) EXPECT_FALSE(repaints_after(button, action)) << name;
}

TEST_F(HoverButton, EveryMoveAsksForTheNextLeave) {
  for (int round = 0; round < 3; ++round) {
    pointer_over(button);
    hover(button);
    testing::pump(50);
    ASSERT_EQ(fill_of(capture(button)), HOVER_FILL) << round;
    SetCursorPos(OFF.x, OFF.y);
    // The platform notices the leave by polling; give it time on a busy machine.
    COLORREF fill = HOVER_FILL;
    for (int i = 0; i < 400 && fill != NORMAL_FILL; ++i) {
      testing::pump(25);
      fill = fill_of(capture(button));
    }
    EXPECT_EQ(fill, NORMAL_FILL) << "no leave notification in round " << round;
  }
}

TEST_F(HoverButton, TheRightAndBottomEdgesAreOutsideForTheClick) {
  RECT r;
  GetWindowRect(button, &r);
  const std::pair<POINT, size_t> releases[] = {{{r.left, r.top}, 1},         {{r.right - 1, r.bottom - 1}, 1},
                                               {{r.right, r.top + 5}, 0},    {{r.left + 5, r.bottom}, 0},
                                               {{r.left - 1, r.top + 5}, 0}, {{r.left + 5, r.top - 1}, 0}};
  for (const auto& [point, expected] : releases) {
    parent.clear_commands();
    SetCursorPos(point.x, point.y);
    release(button);
    EXPECT_EQ(clicks(), expected) << point.x - r.left << "," << point.y - r.top;
  }
}

// ---- GDI hygiene ------------------------------------------------------------------

// How many more drawing objects the process can create right now.  Counting
// by exhaustion works where GetGuiResources has no figures (Wine answers 0).
size_t creatable_objects() {
  std::vector<HBRUSH> probe;
  while (HBRUSH b = CreateSolidBrush(0)) probe.push_back(b);
  for (HBRUSH b : probe) DeleteObject(b);
  return probe.size();
}

TEST_F(HoverButton, ManyPaintsLeakNoDrawingObjects) {
  HWND arrow = make(QBS_UPARROW, "");
  SendMessageA(button, BM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(testing::make_bitmap(12, 12, GREEN)));
  HWND with_icon = parent.add_button(ID + 2, 0, "Icon", 20, 130, W, H);
  SendMessageA(with_icon, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(testing::make_icon(GREEN, BLUE)));
  SendMessageA(arrow, QBM_SETFOCUSRECT, 1, 0);
  SetFocus(arrow);
  pointer_over(button);
  press(button);
  const HWND controls[] = {button, arrow, with_icon};
  for (HWND b : controls) capture(b);

  // Leave only a small reserve of handles so that the count below is quick
  // and a leak shows as a smaller reserve.
  std::vector<HBRUSH> held;
  while (HBRUSH b = CreateSolidBrush(0)) held.push_back(b);
  for (int i = 0; i < 1000 && !held.empty(); ++i) {
    DeleteObject(held.back());
    held.pop_back();
  }
  const DWORD gui_before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const size_t before = creatable_objects();

  for (int i = 0; i < 300; ++i) {
    HWND b = controls[i % 3];
    if (i % 4 == 0) EnableWindow(b, (i / 4) % 2 == 0);
    InvalidateRect(b, nullptr, FALSE);
    UpdateWindow(b);
    testing::print_client(b);
  }

  const size_t after = creatable_objects();
  const DWORD gui_after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  for (HBRUSH b : held) DeleteObject(b);
  release(button);

  EXPECT_GT(before, 0u);
  EXPECT_EQ(after, before);
  EXPECT_EQ(gui_after, gui_before);
  for (HWND b : controls) {
    EnableWindow(b, TRUE);
    EXPECT_TRUE(is_framed(capture(b)));
  }
}

}  // namespace
}  // namespace vorel
