// Fuzzes the scanner and the emitter under a syntax built straight from the input bytes:
// the tokens must be those of a plain re-statement of the scanning rules, the markup must
// keep every source byte in order with only the templates' tags around them, and it must
// be byte for byte what the emitting rules give for those tokens.
//
// Input: a 139-byte header, then "KEYWORDS1\n--8<--\nKEYWORDS2\n--8<--\nSOURCE".
//   0      flags: bit 0 HTML, bit 1 case-sensitive keywords, bit 2 also through scan_text
//   1, 2   quote1, quote2 (0: none)
//   3..10  string_style, comment_style (little-endian)
//   11..106 six comment pairs, start[8] then end[8] (7 characters each at most)
//   107..138 delimiter flags, one bit per byte value
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/convert.h"
#include "engine/emitter.h"
#include "engine/keywords.h"
#include "engine/scanner.h"
#include "fuzz_util.h"
#include "markup_check.h"

namespace {

constexpr std::size_t HEADER = 139;

using Token = std::pair<int, std::string_view>;  // views into the text: no copies

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

// The scanning rules, one position at a time, with no shortcuts.
std::vector<Token> reference_scan(const vorel::ScanState& st, std::string_view t) {
  std::vector<Token> out;
  const std::size_t n = t.size();
  std::size_t p = 0, pending = 0;
  auto word = [&](std::size_t from, std::size_t to) {
    out.emplace_back(vorel::TOKEN_WORD, t.substr(from, to - from));
  };
  auto starts_at = [&](std::size_t at, const char* marker) {
    const std::size_t len = std::strlen(marker);
    return at + len <= n && t.compare(at, len, marker) == 0;
  };
  for (;;) {
    const char c = p < n ? t[p] : 0;
    if (c != 0 && ((st.quote1[0] && c == st.quote1[0]) || (st.quote2[0] && c == st.quote2[0]))) {
      std::size_t close = p + 1;
      while (close < n && t[close] != c && t[close] != '\r') ++close;
      word(pending, p);
      if (close == n) {
        out.emplace_back(vorel::TOKEN_STRING, t.substr(p));
        return out;
      }
      out.emplace_back(vorel::TOKEN_STRING, t.substr(p, close + 1 - p));
      p = pending = close + 1;
      continue;
    }
    const vorel::CommentPair* hit = nullptr;
    for (const auto& pair : st.comment_pairs) {
      if (pair.start[0] == 0) break;
      if (c != 0 && starts_at(p, pair.start)) {
        hit = &pair;
        break;
      }
    }
    if (hit) {
      const std::size_t end_len = std::strlen(hit->end);
      std::size_t stop = n;
      for (std::size_t q = p + 1; q < n; ++q) {
        if (starts_at(q, hit->end)) {
          stop = q + end_len;
          break;
        }
      }
      word(pending, p);
      out.emplace_back(hit->end[0] == '\r' ? vorel::TOKEN_LINE_COMMENT : vorel::TOKEN_BLOCK_COMMENT,
                       t.substr(p, stop - p));
      if (stop == n) return out;
      p = pending = stop;
      continue;
    }
    if (st.delimiters[static_cast<unsigned char>(c)]) {
      if (p != pending) word(pending, p);
      if (c == 0) return out;
      out.emplace_back(vorel::TOKEN_DELIMITER, t.substr(p, 1));
      p = pending = p + 1;
    } else {
      ++p;
    }
  }
}

const char* const HTML[8] = {"<font color=%06X>%s</font>",
                             "<b><font color=%06X>%s</font></b>",
                             "<i><font color=%06X>%s</font></i>",
                             "<b><i><font color=%06X>%s</font></i></b>",
                             "<u><font color=%06X>%s</font></u>",
                             "<b><u><font color=%06X>%s</font></u></b>",
                             "<u><i><font color=%06X>%s</font></i></u>",
                             "<b><i><u><font color=%06X>%s</font></u></i></b>"};
const char* const UBB[8] = {"[color=#%06X]%s[/color]",
                            "[b][color=#%06X]%s[/color][/b]",
                            "[i][color=#%06X]%s[/color][/i]",
                            "[b][i][color=#%06X]%s[/color][/i][/b]",
                            "[u][color=#%06X]%s[/color][/u]",
                            "[b][u][color=#%06X]%s[/color][/u][/b]",
                            "[u][i][color=#%06X]%s[/color][/i][/u]",
                            "[b][i][u][color=#%06X]%s[/color][/u][/i][/b]"};

std::string escaped(std::string_view s) {
  std::string out;
  for (char c : s) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
  return out;
}

// A styled run: the template of the value's style (only the low three bits of the top
// byte count) with the colour as RRGGBB.
void styled(std::string& out, uint32_t value, std::string_view text, bool html) {
  const char* const* table = html ? HTML : UBB;
  const char* tpl = table[(value >> 24) & 7];
  const uint32_t rgb = (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
  const std::string body = escaped(text);
  std::string buf(std::strlen(tpl) + body.size() + 16, '\0');
  buf.resize(std::snprintf(buf.data(), buf.size(), tpl, rgb, body.c_str()));
  out += buf;
}

// The markup the emitting rules give for the tokens: keywords looked up in the first
// table, then the second; words that are no keywords escaped like everything else.
std::string reference_emit(const vorel::ScanState& st, const std::vector<Token>& tokens, bool html) {
  std::string out;
  for (const auto& [kind, text] : tokens) {
    switch (kind) {
      case vorel::TOKEN_DELIMITER:
        out += text[0] == '\r' ? "\r\n" : text[0] == '\n' ? "" : escaped(text);
        break;
      case vorel::TOKEN_WORD: {
        if (text.empty()) break;
        std::optional<uint32_t> v = vorel::find_keyword(st.keywords1.get(), text);
        if (!v) v = vorel::find_keyword(st.keywords2.get(), text);
        if (v) styled(out, *v, text, html);
        else out += escaped(text);
        break;
      }
      case vorel::TOKEN_BLOCK_COMMENT: styled(out, st.comment_style, text, html); break;
      default: {  // strings and line comments: a CR ends the run, the line break follows it
        const std::size_t cr = text.find('\r');
        styled(out, kind == vorel::TOKEN_STRING ? st.string_style : st.comment_style, text.substr(0, cr),
               html);
        if (cr != std::string_view::npos) out += "\r\n";
      }
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < HEADER) return -1;
  vorel::ScanState st;
  const bool html = data[0] & 1;
  const bool case_sensitive = data[0] & 2;
  // A value read from config.ini never holds a line break (CR and LF end its line):
  // quotes and markers here follow suit.
  auto no_break = [](uint8_t c) { return c == '\r' || c == '\n' ? 0 : static_cast<char>(c); };
  st.quote1[0] = no_break(data[1]);
  st.quote2[0] = no_break(data[2]);
  st.string_style = le32(data + 3);
  st.comment_style = le32(data + 7);
  for (int i = 0; i < vorel::COMMENT_PAIR_COUNT; ++i) {
    vorel::CommentPair& pair = st.comment_pairs[i];
    std::memcpy(pair.start, data + 11 + 16 * i, 8);
    std::memcpy(pair.end, data + 19 + 16 * i, 8);
    for (char* m : {pair.start, pair.end}) {
      m[7] = 0;
      for (int k = 0; k < 7; ++k)
        if (m[k] == '\r' || m[k] == '\n') m[k] = 0;
    }
    // As the syntax loader fills them: a missing end marker is the CR of a line comment.
    if (pair.end[0] == 0) std::memcpy(pair.end, "\r", 2);
  }
  for (int b = 0; b < 256; ++b) st.delimiters[b] = data[107 + b / 8] >> (b % 8) & 1;
  st.delimiters[0] = true;   // always: the end of the text ends a word
  st.delimiters[13] = true;  // always among the fixed delimiters

  const auto parts = fuzz::split_input(data + HEADER, size - HEADER, 3);
  st.keywords1 = vorel::build_keyword_table(parts[0], case_sensitive);
  st.keywords2 = vorel::build_keyword_table(parts[1], case_sensitive);
  const std::string& text = parts[2];
  st.text = text;
  const std::string source(text.c_str());

  // Tokens, in order and content, as the rules give them.
  std::vector<Token> tokens;
  vorel::scan_with(st, [&](vorel::TokenKind kind, std::string_view tok) { tokens.emplace_back(kind, tok); });
  FUZZ_CHECK(tokens == reference_scan(st, source));

  // Markup through the inlined emitter and (bit 2) through the stored callback: the same bytes.
  vorel::StringSink sink;
  vorel::Emitter emitter(st, html, sink);
  vorel::scan_with(st, emitter);
  sink.finish();
  const std::string markup = sink.take();
  fuzz::check_markup(source, markup, html);
  if (markup != reference_emit(st, tokens, html)) {
    fuzz::dump("source", source);
    fuzz::dump("markup", markup);
    fuzz::dump("expected", reference_emit(st, tokens, html));
    fuzz::fail("the markup is the emitting rules' markup");
  }

  if (!(data[0] & 4)) return 0;
  vorel::StringSink sink2;
  vorel::Emitter emitter2(st, html, sink2);
  st.emit = vorel::emit_token;
  st.emit_data = &emitter2;
  vorel::scan_text(st);
  sink2.finish();
  FUZZ_CHECK(sink2.take() == markup);
  return 0;
}
