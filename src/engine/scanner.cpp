// The scanner's byte classes and its stored-callback entry point.
#include "engine/scanner.h"

#include "engine/markup.h"

namespace vorel {

namespace detail {

ByteClasses::ByteClasses(const Syntax& syntax, const EscapeTable* delimiter_escapes) : of() {
  for (int i = 0; i < 256; ++i) of[i] = syntax.delimiters[i] ? CLASS_DELIMITER : 0;
  // The end of the text ends a word whatever the configuration says.
  of[0] |= CLASS_DELIMITER;
  if (syntax.quote1[0]) of[static_cast<unsigned char>(syntax.quote1[0])] |= CLASS_QUOTE;
  if (syntax.quote2[0]) of[static_cast<unsigned char>(syntax.quote2[0])] |= CLASS_QUOTE;
  for (const CommentPair& pair : syntax.comment_pairs) {
    if (pair.start[0] == 0) break;
    of[static_cast<unsigned char>(pair.start[0])] |= CLASS_COMMENT;
  }
  for (const StringPair& pair : syntax.string_pairs) {
    if (pair.start[0] == 0) break;
    of[static_cast<unsigned char>(pair.start[0])] |= CLASS_PAIR;
  }
  if (syntax.heredoc[0]) of[static_cast<unsigned char>(syntax.heredoc[0])] |= CLASS_HEREDOC;
  if (syntax.regex) of[static_cast<unsigned char>(syntax.regex)] |= CLASS_REGEX;
  if (syntax.symbol) of[static_cast<unsigned char>(syntax.symbol)] |= CLASS_SYMBOL;
  if (!delimiter_escapes) return;
  for (int i = 1; i < 256; ++i)
    if (of[i] == CLASS_DELIMITER && !delimiter_escapes->escapes(static_cast<unsigned char>(i)))
      of[i] |= CLASS_PLAIN;
}

}  // namespace detail

void scan_text(ScanState& state) {
  scan_with(state, [&state](TokenKind kind, std::string_view token) { state.emit(state, kind, token); });
}

}  // namespace vorel
