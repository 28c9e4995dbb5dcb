// The markup emitter: templates, colour formatting, escaping and keyword runs.
#include "engine/emitter.h"

#include <cstring>
#include <unordered_map>

namespace vorel {

Emitter::Emitter(const Syntax& syntax, bool html, const MarkupOptions& options, bool lf_lines,
                 OutputSink& out)
    : out_(out),
      keywords1_(syntax.keywords1.get()),
      keywords2_(syntax.keywords2.get()),
      lf_lines_(lf_lines),
      text_escapes_(make_escape_table(html, options)),
      delimiter_escapes_(text_escapes_),
      string_markup_(make_style_markup(syntax.string_style, html, options)),
      comment_markup_(make_style_markup(syntax.comment_style, html, options)) {
  // A CR ends the editor's line and an LF after it writes nothing; in Unix
  // text the LF ends it.
  delimiter_escapes_.set('\r', "\r\n");
  delimiter_escapes_.set('\n', lf_lines ? "\r\n" : "");
  for (int c = 0; c < 256; ++c) {
    if (!text_escapes_.escapes(static_cast<unsigned char>(c))) continue;
    if (!syntax.delimiters[c]) word_escapes_.add(static_cast<unsigned char>(c));
    for (detail::ByteSet& stops : run_stops_) stops.add(static_cast<unsigned char>(c));
  }
  // Outside block comments the line end ends the run; inside them a CR is
  // text, and only Unix text's LF needs writing as CR LF.
  run_stops_[0].add(lf_lines ? '\n' : '\r');
  if (lf_lines) run_stops_[1].add('\n');
  index_tables(html, options);
}

void Emitter::index_tables(bool html, const MarkupOptions& options) {
  std::unordered_map<uint32_t, uint32_t> seen;
  auto markup_for = [&](uint32_t value) {
    auto [it, fresh] = seen.emplace(value, static_cast<uint32_t>(keyword_markup_.size()));
    if (fresh) keyword_markup_.push_back(make_style_markup(value, html, options));
    return it->second;
  };
  const KeywordTable* tables[2] = {keywords1_, keywords2_};
  std::vector<uint32_t>* maps[2] = {&markup_of1_, &markup_of2_};
  for (int t = 0; t < 2; ++t) {
    if (!tables[t]) continue;
    maps[t]->resize(tables[t]->count());
    for (std::size_t i = 0; i < tables[t]->count(); ++i)
      (*maps[t])[i] = markup_for(tables[t]->entries[i].value);
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
    const char* q = word_escapes_.find(b, e);
    out_.write(b, static_cast<std::size_t>(q - b));
    if (q == e) return;
    write_escape(text_escapes_.of[static_cast<unsigned char>(*q)]);
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
  const detail::ByteSet& stops = run_stops_[block];
  const char* b = token.data();
  const char* const e = b + token.size();
  bool line_break = false;
  while (b != e) {
    const char* q = stops.find(b, e);
    out_.write(b, static_cast<std::size_t>(q - b));
    if (q == e) break;
    if (*q == eol) {
      if (!block) {
        line_break = true;
        break;
      }
      out_.write("\r\n", 2);
    } else if (const ByteEscape& x = text_escapes_.of[static_cast<unsigned char>(*q)];
               x.len != ByteEscape::BY_PLACE) {
      write_escape(x);
    } else {
      // Forum-safe '[': the run ends right after it and begins again, so a
      // tag boundary, not a tag name, follows the bracket.  Nothing is
      // needed when the run ends there anyway.
      out_.put('[');
      if (q + 1 != e && (block || q[1] != eol)) {
        out_.write_padded<StyleMarkup::SIZE>(markup.close, markup.close_len);
        out_.write_padded<StyleMarkup::SIZE>(markup.open, markup.open_len);
      }
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
