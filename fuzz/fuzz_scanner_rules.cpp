// Fuzzes the rules a section opts into with keys of its own (escape characters, quote rules,
// quotes that span lines, string pairs, comment places and nesting, here-documents, regular
// expression literals, code inside strings, symbols): the section is read from config.ini
// text as the programs read it, and the tokens and markup of the source must be those of
// the slow restatement in scanner_rules_reference.h, for the text as it is and, when it
// holds no CR, for it as Unix text and its CR LF copy alike.  The first keyword file holds
// the words after which a regular expression may open.
//
// Input: "FLAGS\n--8<--\nSECTION\n--8<--\nKEYWORDS\n--8<--\nSOURCE"
//   FLAGS    h: HTML (else UBB); c: case-sensitive keywords
//   SECTION  the body of section [S] of config.ini (its keys, one a line)
//   KEYWORDS the first keyword file
#include <cstdint>
#include <string>

#include "engine/keywords.h"
#include "engine/syntax.h"
#include "fuzz_util.h"
#include "markup_check.h"
#include "scanner_rules_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 65536) return -1;
  const auto parts = fuzz::split_input(data, size, 4);
  const bool html = parts[0].find('h') != std::string::npos;
  const bool case_sensitive = parts[0].find('c') != std::string::npos;

  vorel::MemorySyntaxSource source("[S]\r\n" + parts[1]);
  std::optional<vorel::Syntax> syntax = vorel::read_syntax(source, "S");
  if (!syntax) return 0;  // names a keyword file: none is given here
  syntax->keywords1 = vorel::build_keyword_table(parts[2], case_sensitive);
  const rules_ref::Rules rules = rules_ref::read_rules(source, "S", *syntax);

  const std::string text = parts[3];
  if (const rules_ref::Finding f = rules_ref::check(*syntax, rules, text, html)) {
    fuzz::dump("section", parts[1]);
    fuzz::dump("source", std::string(text.c_str()));
    fuzz::dump("expected", f.expected);
    fuzz::dump("got", f.got);
    fuzz::fail(f.what.c_str());
  }

  // The markup keeps every source byte in order, inside the templates' own tags only.
  vorel::StringSink sink;
  const std::string plain(text.c_str());
  vorel::scan_with(*syntax, plain, false, vorel::Emitter(*syntax, html, vorel::MarkupOptions{}, false, sink));
  sink.finish();
  fuzz::check_markup(plain, sink.take(), html);
  return 0;
}
