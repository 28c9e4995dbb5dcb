// Shows hover buttons in each of their looks; with a file name argument it
// saves a picture of the window as a 24-bit BMP and exits.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "button_test_window.h"

using vorel::testing::ParentWindow;

namespace {

constexpr int WIDTH = 600;
constexpr int HEIGHT = 150;

bool save_bmp(HWND window, const char* path) {
  RECT client;
  GetClientRect(window, &client);
  int width = client.right, height = client.bottom;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  HDC window_dc = GetDC(window);
  BitBlt(memory, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
  ReleaseDC(window, window_dc);
  GdiFlush();

  DWORD row = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  DWORD image_size = row * height;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + image_size;
  info.bmiHeader.biSizeImage = image_size;
  bool ok = false;
  if (FILE* out = std::fopen(path, "wb")) {
    ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
         std::fwrite(bits, image_size, 1, out) == 1;
    ok = std::fclose(out) == 0 && ok;
  }
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vorel;
  ParentWindow parent(40, 40, WIDTH, HEIGHT);
  HWND window = parent.handle();

  HWND normal = parent.add_button(1, 0, "&Normal", 10, 10, 100, 30);
  HWND hover = parent.add_button(2, 0, "Hover", 125, 10, 100, 30);
  HWND pressed = parent.add_button(3, 0, "Pressed", 240, 10, 100, 30);
  HWND disabled = parent.add_button(4, 0, "Disabled", 355, 10, 100, 30);
  HWND focused = parent.add_button(5, 0, "Focus", 470, 10, 100, 30);

  HWND left = parent.add_button(10, QBS_LEFTARROW, "", 10, 60, 30, 30);
  HWND right = parent.add_button(11, QBS_RIGHTARROW, "", 45, 60, 30, 30);
  HWND up = parent.add_button(12, QBS_UPARROW, "", 80, 60, 30, 30);
  HWND down = parent.add_button(13, QBS_DOWNARROW, "", 115, 60, 30, 30);
  HWND icon = parent.add_button(20, 0, "Icon", 160, 60, 100, 30);
  HWND bitmap = parent.add_button(21, 0, "Bitmap", 275, 60, 100, 30);
  HWND start = parent.add_button(1, 0, "Start", 390, 60, 80, 30);
  HWND coloured = parent.add_button(22, 0, "Text colour", 485, 60, 100, 30);
  HWND empty = parent.add_button(23, 0, "", 10, 105, 60, 30);
  HWND pressed_icon = parent.add_button(24, 0, "Icon pressed", 85, 105, 120, 30);
  (void)normal, (void)left, (void)right, (void)up, (void)down, (void)empty;

  SendMessageA(icon, BM_SETIMAGE, IMAGE_ICON,
               reinterpret_cast<LPARAM>(testing::make_icon(0x2060E0, 0x000000)));
  SendMessageA(bitmap, BM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(testing::make_bitmap(14, 14, 0x30A030)));
  SendMessageA(pressed_icon, BM_SETIMAGE, IMAGE_ICON,
               reinterpret_cast<LPARAM>(testing::make_icon(0x2060E0, 0x000000)));
  SendMessageA(start, QBM_SETBKCOLOR, 0, 0xFF8020);
  SendMessageA(coloured, QBM_SETTEXTCOLOR, 0x0000C0, 0xFFFFFF);
  SendMessageA(focused, QBM_SETFOCUSRECT, 1, 0);
  EnableWindow(disabled, FALSE);

  bool snapshot = argc > 1;
  if (snapshot) {
    // Put each button in its look without a real pointer: the messages
    // below are exactly what the platform would send, and the leave
    // notifications they ask for stay queued until the picture is taken.
    SendMessageA(hover, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(pressed_icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(pressed, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SetFocus(focused);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    bool ok = save_bmp(window, argv[1]);
    ReleaseCapture();
    std::printf("%s %s\n", ok ? "saved" : "could not save", argv[1]);
    return ok ? 0 : 1;
  }

  MSG msg;
  while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
