// The "qButton" window class: state machine, click notification and off-screen paint.
#include "controls/hover_button.h"

namespace vorel {

namespace {

constexpr DWORD FLAG_FOCUS_RECT = 0x1;
constexpr COLORREF DISABLED_TEXT_COLOR = 0x606060;
constexpr DWORD ALL_SELECTORS = 0xFFFFFFFF;  // -1 as the caller's 32-bit value
constexpr int IMAGE_X = 5;
constexpr int ICON_SIZE = 16;
constexpr int ICON_TEXT_LEFT = 17;
constexpr int FOCUS_INSET = 4;
constexpr int TEXT_BUFFER_SIZE = 260;
constexpr UINT CAPTION_FORMAT = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

struct ButtonData {
  COLORREF text_color;
  COLORREF highlight_color;
  DWORD flags;
  DWORD state;
  COLORREF back_colors[3];
  HFONT font;
  HBITMAP bitmap;
  HICON icon;
};

ButtonData* data_of(HWND window) { return reinterpret_cast<ButtonData*>(GetWindowLongPtrA(window, 0)); }

// Every change repaints the whole control; the off-screen paint covers every
// pixel, so erasing the background would only flicker.
void repaint(HWND window) { InvalidateRect(window, nullptr, FALSE); }

// -1 arrives as 0xFFFFFFFF from 32-bit senders and as all ones from 64-bit
// ones; both mean "leave unchanged".
bool is_minus_one(WPARAM value) { return static_cast<DWORD>(value) == ALL_SELECTORS; }

LRESULT send_click(HWND window) {
  WPARAM id = MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED);
  return SendMessageA(GetParent(window), WM_COMMAND, id, reinterpret_cast<LPARAM>(window));
}

// The arrow glyph of the style's lowest arrow bit, or 0 in text mode.
char arrow_glyph(DWORD style) {
  if (style & QBS_LEFTARROW) return '3';
  if (style & QBS_RIGHTARROW) return '4';
  if (style & QBS_UPARROW) return '5';
  if (style & QBS_DOWNARROW) return '6';
  return 0;
}

void fill_framed(HDC dc, COLORREF color, int width, int height) {
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ old = SelectObject(dc, brush);
  Rectangle(dc, 0, 0, width, height);
  SelectObject(dc, old);
  DeleteObject(brush);
}

// Copies the whole bitmap through a second memory surface.
void draw_bitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height) {
  HDC source = CreateCompatibleDC(dc);
  if (!source) return;
  HGDIOBJ old = SelectObject(source, bitmap);
  BitBlt(dc, x, y, width, height, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

// Image at the left, then the caption twice, then the focus rectangle.
void draw_enabled(HWND window, const ButtonData& data, HDC dc, int width, int height, const char* caption) {
  DWORD state = data.state <= STATE_PRESSED ? data.state : STATE_PRESSED;
  fill_framed(dc, data.back_colors[state], width, height);

  RECT content = {0, 0, width, height};
  if (data.state == STATE_PRESSED) OffsetRect(&content, 1, 1);

  BITMAP info;
  if (data.bitmap && GetObjectA(data.bitmap, sizeof info, &info)) {
    int y = content.top + ((content.bottom - info.bmHeight) >> 1);
    draw_bitmap(dc, data.bitmap, IMAGE_X, y, info.bmWidth, info.bmHeight);
    content.left = info.bmWidth;
  } else if (data.icon) {
    int y = content.top + ((content.bottom - ICON_SIZE) >> 1);
    DrawIconEx(dc, IMAGE_X, y, data.icon, ICON_SIZE, ICON_SIZE, 0, nullptr, DI_NORMAL);
    content.left = ICON_TEXT_LEFT;
  }

  if (caption) {
    SetTextColor(dc, data.highlight_color);
    DrawTextA(dc, caption, -1, &content, CAPTION_FORMAT);
    OffsetRect(&content, 1, 1);
    SetTextColor(dc, data.text_color);
    DrawTextA(dc, caption, -1, &content, CAPTION_FORMAT);
  }

  if ((data.flags & FLAG_FOCUS_RECT) && GetFocus() == window) {
    RECT focus = {0, 0, width, height};
    InflateRect(&focus, -FOCUS_INSET, -FOCUS_INSET);
    DrawFocusRect(dc, &focus);
  }
}

void draw_disabled(HDC dc, int width, int height, const char* caption) {
  fill_framed(dc, GetSysColor(COLOR_BTNFACE), width, height);
  if (caption) {
    RECT content = {0, 0, width, height};
    SetTextColor(dc, DISABLED_TEXT_COLOR);
    DrawTextA(dc, caption, -1, &content, CAPTION_FORMAT);
  }
}

// Draws the whole control off screen and copies it to `target` in one block.
void paint_to(HWND window, const ButtonData& data, HDC target) {
  RECT client;
  GetClientRect(window, &client);
  int width = client.right;
  int height = client.bottom;
  if (width <= 0 || height <= 0) return;

  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  HBITMAP surface = CreateCompatibleBitmap(target, width, height);
  if (!surface) {
    DeleteDC(dc);
    return;
  }
  HGDIOBJ old_bitmap = SelectObject(dc, surface);

  char text[TEXT_BUFFER_SIZE] = {};
  const char* caption = nullptr;
  HFONT arrow_font = nullptr;
  HGDIOBJ old_font;
  char glyph[2] = {arrow_glyph(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE))), 0};
  if (glyph[0]) {
    // Any character set: asking for ANSI makes the font mapper pass over
    // the symbol font and draw a plain digit instead of the arrow.
    arrow_font = CreateFontA(0, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Marlett");
    old_font = SelectObject(dc, arrow_font ? static_cast<HGDIOBJ>(arrow_font) : data.font);
    caption = glyph;
  } else {
    old_font = SelectObject(dc, data.font);
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    if (text[0]) caption = text;
  }
  SetBkMode(dc, TRANSPARENT);

  if (IsWindowEnabled(window)) draw_enabled(window, data, dc, width, height, caption);
  else draw_disabled(dc, width, height, caption);

  BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);

  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  DeleteDC(dc);
  DeleteObject(surface);
  if (arrow_font) DeleteObject(arrow_font);
}

LRESULT on_create(HWND window) {
  auto* data = static_cast<ButtonData*>(GlobalAlloc(GPTR, sizeof(ButtonData)));
  if (!data) return -1;  // creation fails instead of a control without state
  data->text_color = 0x000000;
  data->highlight_color = 0xF0F0F0;
  data->back_colors[STATE_NORMAL] = 0xFFD7C6;
  data->back_colors[STATE_HOVER] = 0xFFF7C6;
  data->back_colors[STATE_PRESSED] = 0xFFC7C6;
  data->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(data));
  return 0;
}

LRESULT on_destroy(HWND window, ButtonData* data) {
  SetWindowLongPtrA(window, 0, 0);
  if (data->bitmap) DeleteObject(data->bitmap);
  if (data->icon) DestroyIcon(data->icon);
  GlobalFree(data);
  return 0;
}

LRESULT on_paint(HWND window, const ButtonData& data) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc) paint_to(window, data, dc);
  EndPaint(window, &ps);
  return 0;
}

LRESULT on_print_client(HWND window, const ButtonData& data, HDC dc) {
  if (dc) paint_to(window, data, dc);
  return 0;
}

LRESULT on_mouse_move(HWND window, ButtonData* data) {
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
  TrackMouseEvent(&track);
  if (data->state != STATE_PRESSED) data->state = STATE_HOVER;
  repaint(window);
  return 0;
}

LRESULT on_mouse_leave(HWND window, ButtonData* data) {
  data->state = STATE_NORMAL;
  repaint(window);
  return 0;
}

LRESULT on_button_down(HWND window, ButtonData* data) {
  data->state = STATE_PRESSED;
  SetCapture(window);
  SetFocus(window);
  repaint(window);
  return 0;
}

// A release is a click whenever the cursor is over the control now, wherever
// the press began.  The parent may run a whole modal dialog inside the
// notification, so nothing of the control is touched after it.
LRESULT on_button_up(HWND window, ButtonData* data) {
  data->state = STATE_NORMAL;
  ReleaseCapture();
  SetFocus(window);
  repaint(window);
  POINT cursor;
  RECT bounds;
  if (GetCursorPos(&cursor) && GetWindowRect(window, &bounds) && PtInRect(&bounds, cursor))
    send_click(window);
  return 0;
}

LRESULT on_set_image(HWND window, ButtonData* data, WPARAM type, LPARAM image) {
  if (type == IMAGE_BITMAP) data->bitmap = reinterpret_cast<HBITMAP>(image);
  else if (type == IMAGE_ICON) data->icon = reinterpret_cast<HICON>(image);
  repaint(window);
  return 0;
}

LRESULT on_set_text_color(HWND window, ButtonData* data, WPARAM text, LPARAM highlight) {
  if (!is_minus_one(text)) data->text_color = static_cast<COLORREF>(text);
  if (!is_minus_one(static_cast<WPARAM>(highlight))) data->highlight_color = static_cast<COLORREF>(highlight);
  repaint(window);
  return 0;
}

LRESULT on_set_focus_rect(HWND window, ButtonData* data, WPARAM on) {
  if (on) data->flags |= FLAG_FOCUS_RECT;
  else data->flags &= ~FLAG_FOCUS_RECT;
  repaint(window);
  return 0;
}

LRESULT on_set_bk_color(HWND window, ButtonData* data, WPARAM selector, LPARAM color) {
  if (is_minus_one(selector)) {
    for (COLORREF& back : data->back_colors) back = static_cast<COLORREF>(color);
  } else if (selector <= STATE_PRESSED) {
    data->back_colors[selector] = static_cast<COLORREF>(color);
  }
  repaint(window);
  return 0;
}

LRESULT on_get_bk_color(const ButtonData& data, WPARAM selector) {
  if (selector <= STATE_PRESSED) return data.back_colors[selector];
  return static_cast<LRESULT>(selector);
}

}  // namespace

ATOM register_button_class(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_GLOBALCLASS | CS_BYTEALIGNWINDOW | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = button_proc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = BUTTON_CLASS_NAME;
  return RegisterClassExA(&wc);
}

LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return on_create(window);

  // Before WM_CREATE and after WM_DESTROY there is no record: behave like a plain window.
  ButtonData* data = data_of(window);
  if (!data) return DefWindowProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_DESTROY: return on_destroy(window, data);
    case WM_PAINT: return on_paint(window, *data);
    case WM_PRINTCLIENT: return on_print_client(window, *data, reinterpret_cast<HDC>(wParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS: repaint(window); return 0;
    case WM_MOUSEMOVE: return on_mouse_move(window, data);
    case WM_MOUSELEAVE: return on_mouse_leave(window, data);
    case WM_LBUTTONDOWN: return on_button_down(window, data);
    case WM_LBUTTONUP: return on_button_up(window, data);
    case BM_CLICK: return send_click(window);
    case BM_SETIMAGE: return on_set_image(window, data, wParam, lParam);
    case QBM_SETTEXTCOLOR: return on_set_text_color(window, data, wParam, lParam);
    case QBM_SETFOCUSRECT: return on_set_focus_rect(window, data, wParam);
    case QBM_SETBKCOLOR: return on_set_bk_color(window, data, wParam, lParam);
    case QBM_GETBKCOLOR: return on_get_bk_color(*data, wParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace vorel
