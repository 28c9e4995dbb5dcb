// Test scaffolding for the hover button: a parent window that records clicks,
// pixel capture from a control's window, and mouse helpers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "controls/hover_button.h"

namespace vorel::testing {

// A top-level window that records every WM_COMMAND it receives and answers
// with a chosen result.
class ParentWindow {
 public:
  struct Command {
    WPARAM wParam;
    LPARAM lParam;
  };

  ParentWindow(int x, int y, int width, int height);
  ~ParentWindow();
  ParentWindow(const ParentWindow&) = delete;
  ParentWindow& operator=(const ParentWindow&) = delete;

  HWND handle() const { return window_; }
  const std::vector<Command>& commands() const { return commands_; }
  void clear_commands() { commands_.clear(); }
  void set_command_result(LRESULT result) { command_result_ = result; }
  // Runs inside the parent's WM_COMMAND handling, as a dialog's command would.
  void on_command(std::function<void(HWND control)> action) { on_command_ = std::move(action); }

  // A visible hover button child with the given id, extra style, text and rectangle.
  HWND add_button(int id, DWORD style, const char* text, int x, int y, int width, int height);

 private:
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::vector<Command> commands_;
  LRESULT command_result_ = 0;
  std::function<void(HWND)> on_command_;
};

// Registers the control's class once per process.
void ensure_button_class();

// Runs the message loop for the given time.
void pump(DWORD milliseconds);

// The control's client area as it is on screen, after a full repaint.
class Pixels {
 public:
  int width = 0;
  int height = 0;
  std::vector<COLORREF> data;

  COLORREF at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  int count(COLORREF color) const;
  // Bounding box of the pixels of exactly this colour; empty when there are none.
  RECT bounds(COLORREF color) const;
  // Bounding box of the pixels inside the one-pixel frame whose channel
  // (0 red, 8 green, 16 blue) is below `limit`; with antialiased text and
  // colours that each touch one channel this finds the ink of one copy.
  RECT bounds_below(int shift, int limit) const;
  bool operator==(const Pixels& other) const {
    return width == other.width && height == other.height && data == other.data;
  }
};

Pixels capture(HWND control);
// The control's client area as it is on screen now, without repainting it.
Pixels peek(HWND control);
// The same, drawn through WM_PRINTCLIENT into a memory surface.
Pixels print_client(HWND control);

POINT screen_centre(HWND control);

// Images owned by whoever receives them (the control releases what it holds).
HBITMAP make_bitmap(int width, int height, COLORREF color);
// A 16 x 16 icon: an opaque square of `color` with a one-pixel `border`.
HICON make_icon(COLORREF color, COLORREF border);

}  // namespace vorel::testing
