// The editor's text in and out as bytes: the system code page as ever, or
// UTF-8 for text that code page cannot hold.
#include <windows.h>
#include <richedit.h>

#include <string>

#include "engine/charset.h"
#include "ui/ui.h"

namespace vorel {

bool editor_utf8 = false;

namespace {

// The rich edit's code page number for UTF-16: no translation at all, so
// neither the system code page nor the control's own sniffing for RTF or a
// byte-order mark touches the text.
constexpr UINT CODE_PAGE_UTF16 = 1200;

std::wstring widen(UINT code_page, const std::string& bytes) {
  const int n = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return wide;
}

std::string narrow(UINT code_page, const std::wstring& wide) {
  const int n = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr,
                      nullptr);
  return bytes;
}

// Whether every character survives the trip through the system code page:
// a character it lacks comes back as '?' or a look-alike, never as itself.
bool fits_code_page(const std::wstring& wide) { return widen(CP_ACP, narrow(CP_ACP, wide)) == wide; }

void set_text_utf16(const std::wstring& wide, DWORD flags) {
  SETTEXTEX how{flags, CODE_PAGE_UTF16};
  SendMessageA(editor_window, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how),
               reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace

std::wstring editor_text_utf16() {
  GETTEXTLENGTHEX length{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, CODE_PAGE_UTF16};
  const LRESULT units = SendMessageA(editor_window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  if (units <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(units) + 1, L'\0');
  GETTEXTEX how{};
  how.cb = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
  how.flags = GT_USECRLF;
  how.codepage = CODE_PAGE_UTF16;
  SendMessageA(editor_window, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&how),
               reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(lstrlenW(wide.c_str()));
  return wide;
}

std::string editor_text_ansi() {
  // WM_GETTEXTLENGTH counts characters, but a Big5 character takes two
  // bytes, so the buffer is sized in bytes to get the whole text.
  GETTEXTLENGTHEX how{GTL_USECRLF | GTL_PRECISE | GTL_NUMBYTES, CP_ACP};
  const LRESULT bytes = SendMessageA(editor_window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0);
  if (bytes <= 0) return {};
  std::string text(static_cast<std::size_t>(bytes) + 1, '\0');
  const LRESULT copied =
      SendMessageA(editor_window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? lstrlenA(text.c_str()) : 0);
  return text;
}

EditorText editor_bytes() {
  const std::wstring wide = editor_text_utf16();
  if (editor_utf8 || !fits_code_page(wide)) return {narrow(CP_UTF8, wide), true};
  return {editor_text_ansi(), false};
}

void load_editor_file(const std::string& bytes) {
  // Like SetWindowTextA, the text ends at its first zero byte.
  const std::string text(bytes.c_str());
  editor_utf8 = is_non_ascii_utf8(text);
  if (editor_utf8) set_text_utf16(widen(CP_UTF8, text), ST_DEFAULT);
  else SetWindowTextA(editor_window, text.c_str());
}

void replace_editor_text(const std::string& bytes, bool utf8) {
  SendMessageA(editor_window, EM_SETSEL, 0, -1);
  if (utf8) set_text_utf16(widen(CP_UTF8, bytes), ST_SELECTION | ST_KEEPUNDO);
  else SendMessageA(editor_window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(bytes.c_str()));
}

int32_t utf8_length(const std::string& bytes) {
  int32_t characters = 0;
  for (unsigned char c : bytes) characters += (c & 0xC0) != 0x80;
  return characters;
}

}  // namespace vorel
