// The markup emitter: turns each token into HTML or UBB markup on an output
// sink, with each style's opening and closing markup built once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/markup.h"
#include "engine/scanner.h"
#include "engine/sink.h"

namespace vorel {

// Bytes that come out as they went in (ordinary delimiters and words that
// are no keywords) are not copied one token at a time: they accumulate as a
// range of the input and go out in one write when something else must be
// written.  Tokens are contiguous in the text, so the range usually just
// grows.
class Emitter {
 public:
  // Reads the styles, delimiters and keyword tables of syntax, which must
  // outlive this.  lf_lines: the text is Unix text (ScanState::lf_lines).
  Emitter(const Syntax& syntax, bool html, const MarkupOptions& options, bool lf_lines, OutputSink& out);
  // The default markup of state's syntax and line ends.
  Emitter(const ScanState& state, bool html, OutputSink& out)
      : Emitter(state, html, MarkupOptions{}, state.lf_lines, out) {}

  VOREL_ALWAYS_INLINE void operator()(TokenKind kind, std::string_view token) {
    switch (kind) {
      case TOKEN_DELIMITER: delimiter(token.data()); break;
      case TOKEN_WORD: word(token); break;
      case TOKEN_STRING: run(string_markup_, token, false); break;
      case TOKEN_LINE_COMMENT: run(comment_markup_, token, false); break;
      case TOKEN_BLOCK_COMMENT: run(comment_markup_, token, true); break;
      case TOKEN_BLOCK_STRING: run(string_markup_, token, true); break;
    }
  }
  // A run of delimiters that come out as they are, one TOKEN_DELIMITER each
  // (the scanner's class CLASS_PLAIN).
  void plain_delimiters(const char* b, const char* e) { keep(b, e); }
  // Writes what is still held back; called after the last token (scan_with
  // does this by itself).
  void end_of_text() { flush(); }
  // What each delimiter becomes: the scanner hands over runs of those that
  // stay as they are.
  const EscapeTable& delimiter_escapes() const { return delimiter_escapes_; }

 private:
  void keep(const char* b, const char* e) {
    if (b != kept_end_) {
      flush();
      kept_begin_ = b;
    }
    kept_end_ = e;
  }
  void flush() {
    if (kept_end_ != kept_begin_) out_.write(kept_begin_, static_cast<std::size_t>(kept_end_ - kept_begin_));
    kept_begin_ = kept_end_ = nullptr;
  }
  VOREL_ALWAYS_INLINE void delimiter(const char* p) {
    const ByteEscape& x = delimiter_escapes_.of[static_cast<unsigned char>(*p)];
    if (x.len == ByteEscape::AS_IS) return keep(p, p + 1);
    flush();
    write_escape(x);
  }
  void write_escape(const ByteEscape& x) {
    if (x.len == ByteEscape::BY_PLACE) [[unlikely]]
      return out_.write(UBB_SAFE_BRACKET);
    out_.write_padded<sizeof x.text>(x.text, x.len);
  }
  VOREL_ALWAYS_INLINE void word(std::string_view w) {
    if (w.empty()) return;
    const int64_t markup = find_markup(w);
    const char* b = w.data();
    const char* e = b + w.size();
    if (markup >= 0) return keyword(keyword_markup_[static_cast<std::size_t>(markup)], b, e);
    if (!word_escapes_.empty() && word_escapes_.find(b, e) != e) return escaped_word(b, e);
    keep(b, e);
  }
  void escaped_word(const char* b, const char* e);
  // A keyword's run: a word holds no line end, and bytes that need escaping
  // only when they are no delimiters (then it is written as any run).
  void keyword(const StyleMarkup& markup, const char* b, const char* e) {
    if (!word_escapes_.empty())
      return run(markup, std::string_view(b, static_cast<std::size_t>(e - b)), false);
    flush();
    out_.write_padded<StyleMarkup::SIZE>(markup.open, markup.open_len);
    out_.write(b, static_cast<std::size_t>(e - b));
    out_.write_padded<StyleMarkup::SIZE>(markup.close, markup.close_len);
  }
  void run(const StyleMarkup& markup, std::string_view token, bool block);
  void write_escaped(const char* b, const char* e);
  void index_tables(bool html, const MarkupOptions& options);
  int64_t find_markup(std::string_view w) const { return merged_ ? words_.find(w) : find_markup_unmerged(w); }
  int64_t find_markup_unmerged(std::string_view w) const;

  OutputSink& out_;
  const char* kept_begin_ = nullptr;
  const char* kept_end_ = nullptr;
  const KeywordTable* keywords1_;
  const KeywordTable* keywords2_;
  bool lf_lines_;  // an LF ends a line (ScanState::lf_lines)
  // What bytes become: in text (text_escapes_), and as delimiters, where
  // line ends become the markup's CR LF (delimiter_escapes_).
  EscapeTable text_escapes_;
  EscapeTable delimiter_escapes_;
  detail::ByteSet word_escapes_;  // escaped bytes that are no delimiters, so a word may hold one
  detail::ByteSet run_stops_[2];  // what a line run (0) and a block run (1) stop at
  StyleMarkup string_markup_;
  StyleMarkup comment_markup_;
  std::vector<StyleMarkup> keyword_markup_;  // one per distinct keyword value
  // Both tables' keywords in one index, those of keywords1 first, with the
  // index of their markup: one probe per word.  Tables that fold case
  // differently keep their own indexes and the per-entry maps below.
  KeywordIndex words_;
  bool merged_ = true;
  std::vector<uint32_t> markup_of1_;  // per entry of keywords1: index into keyword_markup_
  std::vector<uint32_t> markup_of2_;
};

// The stored-callback form: state.emit_data points at an Emitter.  Each
// token is written before it returns.
void emit_token(ScanState& state, TokenKind kind, std::string_view token);

}  // namespace vorel
