// Test scaffolding for the hover button: parent window, pixel capture, pumping.
#include "button_test_window.h"

namespace vorel::testing {

namespace {

constexpr const char* PARENT_CLASS = "VorelButtonTestParent";

void ensure_parent_class() {
  static const ATOM atom = [] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;  // replaced per window below
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = PARENT_CLASS;
    return RegisterClassExA(&wc);
  }();
  (void)atom;
}

COLORREF from_dib(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

// Copies `width` x `height` pixels of `source` into a top-down 32-bit DIB.
template <typename Draw>
Pixels read_back(HWND control, Draw draw) {
  RECT client;
  GetClientRect(control, &client);
  Pixels result;
  result.width = client.right;
  result.height = client.bottom;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = result.width;
  info.bmiHeader.biHeight = -result.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  draw(memory, result.width, result.height);
  GdiFlush();
  const auto* source = static_cast<const uint32_t*>(bits);
  result.data.reserve(static_cast<size_t>(result.width) * result.height);
  for (int i = 0; i < result.width * result.height; ++i) result.data.push_back(from_dib(source[i]));
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  return result;
}

}  // namespace

void ensure_button_class() {
  static const ATOM atom = register_button_class(GetModuleHandleA(nullptr));
  (void)atom;
}

ParentWindow::ParentWindow(int x, int y, int width, int height) {
  ensure_button_class();
  ensure_parent_class();
  window_ = CreateWindowExA(0, PARENT_CLASS, "hover button test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x,
                            y, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentWindow::proc));
  SetForegroundWindow(window_);
  UpdateWindow(window_);
  pump(50);
}

ParentWindow::~ParentWindow() {
  if (window_) DestroyWindow(window_);
  pump(10);
}

HWND ParentWindow::add_button(int id, DWORD style, const char* text, int x, int y, int width, int height) {
  HWND button = CreateWindowExA(0, BUTTON_CLASS_NAME, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y,
                                width, height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(button);
  return button;
}

LRESULT CALLBACK ParentWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && message == WM_COMMAND) {
    self->commands_.push_back({wParam, lParam});
    if (self->on_command_) self->on_command_(reinterpret_cast<HWND>(lParam));
    return self->command_result_;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void pump(DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

int Pixels::count(COLORREF color) const {
  int n = 0;
  for (COLORREF c : data) n += c == color;
  return n;
}

template <typename Match>
static RECT bounds_where(const Pixels& p, int margin, Match match) {
  const int width = p.width, height = p.height;
  RECT box = {width, height, 0, 0};
  for (int y = margin; y < height - margin; ++y)
    for (int x = margin; x < width - margin; ++x)
      if (match(p.at(x, y))) {
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x + 1 > box.right) box.right = x + 1;
        if (y + 1 > box.bottom) box.bottom = y + 1;
      }
  if (box.left >= box.right) return RECT{0, 0, 0, 0};
  return box;
}

RECT Pixels::bounds(COLORREF color) const {
  return bounds_where(*this, 0, [color](COLORREF c) { return c == color; });
}

RECT Pixels::bounds_below(int shift, int limit) const {
  return bounds_where(*this, 1,
                      [shift, limit](COLORREF c) { return static_cast<int>((c >> shift) & 0xFF) < limit; });
}

Pixels capture(HWND control) {
  InvalidateRect(control, nullptr, FALSE);
  UpdateWindow(control);
  return peek(control);
}

Pixels peek(HWND control) {
  return read_back(control, [control](HDC memory, int width, int height) {
    HDC window_dc = GetDC(control);
    BitBlt(memory, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
    ReleaseDC(control, window_dc);
  });
}

Pixels print_client(HWND control) {
  return read_back(control, [control](HDC memory, int, int) {
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  });
}

POINT screen_centre(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HBITMAP make_bitmap(int width, int height, COLORREF color) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(color);
  RECT all = {0, 0, width, height};
  FillRect(memory, &all, brush);
  DeleteObject(brush);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

HICON make_icon(COLORREF color, COLORREF border) {
  HBITMAP colour = make_bitmap(16, 16, border);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, colour);
  HBRUSH brush = CreateSolidBrush(color);
  RECT inner = {1, 1, 15, 15};
  FillRect(memory, &inner, brush);
  DeleteObject(brush);
  SelectObject(memory, old);
  DeleteDC(memory);
  static const BYTE opaque[32] = {};  // AND mask all zero: every pixel opaque
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, opaque);
  ICONINFO info = {TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  return icon;
}

}  // namespace vorel::testing
