// The markup emitter: templates, colour formatting, escaping and keyword runs.
#include "engine/emitter.h"

#include <cstring>
#include <unordered_map>

namespace vorel {

const char* const HTML_TEMPLATES[8] = {
    "<font color=%06X>%s</font>",
    "<b><font color=%06X>%s</font></b>",
    "<i><font color=%06X>%s</font></i>",
    "<b><i><font color=%06X>%s</font></i></b>",
    "<u><font color=%06X>%s</font></u>",
    "<b><u><font color=%06X>%s</font></u></b>",
    "<u><i><font color=%06X>%s</font></i></u>",
    "<b><i><u><font color=%06X>%s</font></u></i></b>",
};

const char* const UBB_TEMPLATES[8] = {
    "[color=#%06X]%s[/color]",
    "[b][color=#%06X]%s[/color][/b]",
    "[i][color=#%06X]%s[/color][/i]",
    "[b][i][color=#%06X]%s[/color][/i][/b]",
    "[u][color=#%06X]%s[/color][/u]",
    "[b][u][color=#%06X]%s[/color][/u][/b]",
    "[u][i][color=#%06X]%s[/color][/i][/u]",
    "[b][i][u][color=#%06X]%s[/color][/u][/i][/b]",
};

void write_rrggbb(char* out, uint32_t value) {
  static constexpr char HEX[] = "0123456789ABCDEF";
  const unsigned r = value & 0xFF, g = (value >> 8) & 0xFF, b = (value >> 16) & 0xFF;
  out[0] = HEX[r >> 4];
  out[1] = HEX[r & 15];
  out[2] = HEX[g >> 4];
  out[3] = HEX[g & 15];
  out[4] = HEX[b >> 4];
  out[5] = HEX[b & 15];
}

StyleMarkup make_style_markup(uint32_t value, bool html) {
  // Choose the table before indexing it: gcc 12's -fsanitize=undefined build
  // miscompiles an index applied directly to a conditional of two arrays.
  const char* const* table = html ? HTML_TEMPLATES : UBB_TEMPLATES;
  const char* tpl = table[style_index(value)];
  const char* colour = std::strstr(tpl, "%06X");
  const char* text = std::strstr(tpl, "%s");
  StyleMarkup m{};
  std::size_t n = 0;
  auto add = [&m, &n](const char* b, const char* e) {
    std::memcpy(m.open + n, b, static_cast<std::size_t>(e - b));
    n += static_cast<std::size_t>(e - b);
  };
  add(tpl, colour);
  write_rrggbb(m.open + n, value);
  n += 6;
  add(colour + 4, text);
  m.open_len = static_cast<uint8_t>(n);
  const std::size_t close_len = std::strlen(text + 2);
  std::memcpy(m.close, text + 2, close_len);
  m.close_len = static_cast<uint8_t>(close_len);
  return m;
}

Emitter::Emitter(const ScanState& state, bool html, OutputSink& out)
    : out_(out),
      keywords1_(state.keywords1.get()),
      keywords2_(state.keywords2.get()),
      words_need_escaping_(!state.delimiters[static_cast<unsigned char>('<')] ||
                           !state.delimiters[static_cast<unsigned char>('>')]),
      lf_lines_(state.lf_lines),
      string_markup_(make_style_markup(state.string_style, html)),
      comment_markup_(make_style_markup(state.comment_style, html)) {
  index_tables(html);
}

void Emitter::index_tables(bool html) {
  std::unordered_map<uint32_t, uint32_t> seen;
  auto markup_for = [&](uint32_t value) {
    auto [it, fresh] = seen.emplace(value, static_cast<uint32_t>(keyword_markup_.size()));
    if (fresh) keyword_markup_.push_back(make_style_markup(value, html));
    return it->second;
  };
  const KeywordTable* tables[2] = {keywords1_, keywords2_};
  std::vector<uint32_t>* maps[2] = {&markup_of1_, &markup_of2_};
  for (int t = 0; t < 2; ++t) {
    if (!tables[t]) continue;
    maps[t]->resize(tables[t]->count());
    for (std::size_t i = 0; i < tables[t]->count(); ++i) (*maps[t])[i] = markup_for(tables[t]->entries[i].value);
  }
  merged_ = !(keywords1_ && keywords2_ && keywords1_->case_sensitive != keywords2_->case_sensitive);
  if (!merged_) return;
  std::vector<KeywordIndex::Key> keys;
  bool case_sensitive = false;
  for (int t = 0; t < 2; ++t) {
    if (!tables[t]) continue;
    case_sensitive = tables[t]->case_sensitive;
    for (KeywordIndex::Key k : tables[t]->distinct_keys()) {
      k.payload = (*maps[t])[k.payload];
      keys.push_back(k);
    }
  }
  words_.build(keys, case_sensitive);
}

void Emitter::write_escaped(const char* b, const char* e) {
  while (b != e) {
    const char* q = detail::find_any_of3(b, e, '<', '>', '<');
    out_.write(b, static_cast<std::size_t>(q - b));
    if (q == e) return;
    out_.write(*q == '<' ? "&lt;" : "&gt;", 4);
    b = q + 1;
  }
}

void Emitter::run(const StyleMarkup& markup, std::string_view token, bool block) {
  flush();
  out_.write_padded<StyleMarkup::SIZE>(markup.open, markup.open_len);
  // Outside block comments the line end ends the token's line: the line
  // break goes after the markup.  Inside them a CR is text, and so is the LF
  // after it; a line-ending LF of Unix text is written as CR LF.
  const char eol = lf_lines_ ? '\n' : '\r';
  const char stop = block ? (lf_lines_ ? '\n' : '<') : eol;
  const char* b = token.data();
  const char* const e = b + token.size();
  bool line_break = false;
  while (b != e) {
    const char* q = detail::find_any_of3(b, e, '<', '>', stop);
    out_.write(b, static_cast<std::size_t>(q - b));
    if (q == e) break;
    if (*q == eol) {
      if (!block) {
        line_break = true;
        break;
      }
      out_.write("\r\n", 2);
    } else {
      out_.write(*q == '<' ? "&lt;" : "&gt;", 4);
    }
    b = q + 1;
  }
  out_.write_padded<StyleMarkup::SIZE>(markup.close, markup.close_len);
  if (line_break) out_.write("\r\n", 2);
}

int64_t Emitter::find_markup_unmerged(std::string_view w) const {
  std::ptrdiff_t i = keywords1_->find_index(w);
  if (i >= 0) return markup_of1_[static_cast<std::size_t>(i)];
  i = keywords2_->find_index(w);
  if (i >= 0) return markup_of2_[static_cast<std::size_t>(i)];
  return -1;
}

void Emitter::escaped_word(const char* b, const char* e) {
  flush();
  write_escaped(b, e);
}

void emit_token(ScanState& state, TokenKind kind, std::string_view token) {
  Emitter& emitter = *static_cast<Emitter*>(state.emit_data);
  emitter(kind, token);
  emitter.end_of_text();
}

}  // namespace vorel
