// The character set a page declares: Big5 (the Windows program's own), UTF-8,
// or chosen from the text itself.
#pragma once

#include <string_view>

namespace vorel {

enum class Charset { BIG5, UTF8 };
enum class CharsetChoice { BIG5, UTF8, AUTO };

// True when text, up to its first zero byte, is well-formed UTF-8 (no
// overlong forms, no surrogates, nothing above U+10FFFF) and holds at least
// one byte above 0x7F.  Plain ASCII is false: it reads the same in Big5.
bool is_non_ascii_utf8(std::string_view text);

// AUTO picks UTF-8 for a text that is_non_ascii_utf8 accepts, Big5 otherwise,
// so ASCII and Big5 texts keep the Big5 page.
inline Charset choose_charset(CharsetChoice choice, std::string_view text) {
  switch (choice) {
    case CharsetChoice::BIG5: return Charset::BIG5;
    case CharsetChoice::UTF8: return Charset::UTF8;
    case CharsetChoice::AUTO: break;
  }
  return is_non_ascii_utf8(text) ? Charset::UTF8 : Charset::BIG5;
}

}  // namespace vorel
