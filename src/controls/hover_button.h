// The "qButton" window class: a flat push button whose fill follows the
// pointer, with a shadowed caption, optional image, arrow glyph and focus
// rectangle.  Win32 only.
#pragma once

#include <windows.h>

namespace vorel {

constexpr const char* BUTTON_CLASS_NAME = "qButton";

// Private messages.
constexpr UINT QBM_SETTEXTCOLOR = WM_USER + 1;  // wParam text, lParam highlight; -1 keeps
constexpr UINT QBM_SETFOCUSRECT = WM_USER + 2;  // wParam non-zero: on
constexpr UINT QBM_SETBKCOLOR = WM_USER + 3;    // wParam selector 0/1/2 or -1, lParam colour
constexpr UINT QBM_GETBKCOLOR = WM_USER + 4;    // wParam selector; returns the colour

// Style bits that switch to an arrow glyph of the "Marlett" font.
constexpr DWORD QBS_LEFTARROW = 0x0002;
constexpr DWORD QBS_RIGHTARROW = 0x0004;
constexpr DWORD QBS_UPARROW = 0x0008;
constexpr DWORD QBS_DOWNARROW = 0x0010;

// Interaction states, also the selectors of the fill colours.
constexpr DWORD STATE_NORMAL = 0;
constexpr DWORD STATE_HOVER = 1;
constexpr DWORD STATE_PRESSED = 2;

// Registers the class for the module instance (the program's app_instance).
ATOM register_button_class(HINSTANCE instance);

LRESULT CALLBACK button_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vorel
