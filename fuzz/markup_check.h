// Independent checks of converted markup, shared by the fuzz targets: tag structure, the
// source text's bytes surviving conversion, and a plain re-statement of line numbering.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_util.h"

namespace fuzz {

inline void append_number(std::string& out, uint32_t n) {
  char buf[32];
  int len = std::snprintf(buf, sizeof buf, "\r\n%6u ", n);
  out.append(buf, len);
}

// Line numbering as a reader of the markup sees it: a break and a number first, then one
// after every CR (with the LF after it); a final line break starts no new line.
inline std::string reference_number_lines(const std::string& text, uint32_t& counter) {
  std::string out;
  out.reserve(text.size() + 64);
  append_number(out, counter);
  for (std::size_t i = 0; i < text.size();) {
    char c = text[i];
    if (c == '\r') {
      ++i;
      if (i < text.size() && text[i] == '\n') ++i;
      if (i == text.size()) break;
      ++counter;
      append_number(out, counter);
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

inline bool is_upper_hex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Length of the template tag at body[i] ("<b>", "<font color=RRGGBB>", "[/color]" ...), 0 if none.
// Sets closing and name (b, i, u, f).
inline std::size_t tag_at(const std::string& body, std::size_t i, bool html, bool& closing, char& name) {
  const char open = html ? '<' : '[', close = html ? '>' : ']';
  if (body[i] != open) return 0;
  std::size_t j = i + 1;
  closing = j < body.size() && body[j] == '/';
  if (closing) ++j;
  auto rest = [&](const char* s) { return body.compare(j, std::strlen(s), s) == 0; };
  for (char c : {'b', 'i', 'u'}) {
    if (j + 1 < body.size() && body[j] == c && body[j + 1] == close) {
      name = c;
      return j + 2 - i;
    }
  }
  const char* colour_name = html ? "font" : "color";
  if (closing) {
    if (rest(colour_name) && j + std::strlen(colour_name) < body.size() &&
        body[j + std::strlen(colour_name)] == close) {
      name = 'f';
      return j + std::strlen(colour_name) + 1 - i;
    }
    return 0;
  }
  const char* prefix = html ? "font color=" : "color=#";
  if (!rest(prefix)) return 0;
  j += std::strlen(prefix);
  for (int k = 0; k < 6; ++k, ++j)
    if (j >= body.size() || !is_upper_hex(body[j])) return 0;
  if (j >= body.size() || body[j] != close) return 0;
  name = 'f';
  return j + 1 - i;
}

inline std::string drop_lf(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s)
    if (c != '\n') out += c;
  return out;
}

// The markup of a source (no frame, no numbers):
// - in HTML every "<" begins one of the templates' own tags, and they nest properly;
// - with the tags taken out, the text is the source with "<" and ">" escaped, every
//   byte in order, line ends aside (CR comes out as CR LF, a lone LF may vanish).
// UBB output is checked the same way when the source has no "[" (otherwise a source
// "[b]" could not be told from a template's).
inline void check_markup(const std::string& source, const std::string& body, bool html) {
  if (!html && source.find('[') != std::string::npos) {
    FUZZ_CHECK(body.find('<') == std::string::npos && body.find('>') == std::string::npos);
    return;
  }
  std::string text;
  text.reserve(body.size());
  std::vector<char> open_tags;
  for (std::size_t i = 0; i < body.size();) {
    bool closing = false;
    char name = 0;
    std::size_t n = tag_at(body, i, html, closing, name);
    if (n == 0) {
      FUZZ_CHECK(body[i] != '<' && body[i] != '>');
      FUZZ_CHECK(!(html ? false : body[i] == '['));
      text += body[i++];
      continue;
    }
    if (closing) {
      FUZZ_CHECK(!open_tags.empty() && open_tags.back() == name);
      open_tags.pop_back();
    } else {
      FUZZ_CHECK(open_tags.empty() || open_tags.back() != 'f');  // nothing opens inside the colour
      open_tags.push_back(name);
    }
    i += n;
  }
  FUZZ_CHECK(open_tags.empty());
  std::string escaped;
  escaped.reserve(source.size() * 2);
  for (char c : source) {
    if (c == '<') escaped += "&lt;";
    else if (c == '>') escaped += "&gt;";
    else escaped += c;
  }
  const std::string got = drop_lf(text), want = drop_lf(escaped);
  if (got != want) {
    std::size_t at = 0;
    while (at < got.size() && at < want.size() && got[at] == want[at]) ++at;
    std::fprintf(stderr, "markup text differs from the source at byte %zu\n", at);
    dump("source", source);
    dump("markup", body);
    fail("the markup's text is the escaped source");
  }
}

}  // namespace fuzz
