// The page frames and the fragment tags, in Big5 or UTF-8.
#include "engine/page.h"

#include <string>

namespace vorel {

namespace {

// Bytes of the templates below that page_text replaces by the charset's own
// texts (none of them can appear in the templates' own ASCII).
enum : char {
  CHARSET_NAME = '\x01',
  FONT_NAME = '\x02',   // 細明體, a Chinese font family
  FONT_LABEL = '\x03',  // 明體, the family name without its first character
  COPY_LABEL = '\x04',  // 複製所有代碼, copy all code
  WRAP_LABEL = '\x05',  // 自動換行, automatic line wrap
};

struct PageTexts {
  const char* charset;
  const char* font_name;
  const char* font_label;
  const char* copy_label;
  const char* wrap_label;
};

constexpr PageTexts BIG5_TEXTS = {"big5", "\xb2\xd3\xa9\xfa\xc5\xe9", "\xa9\xfa\xc5\xe9",
                                  "\xbd\xc6\xbb\x73\xa9\xd2\xa6\xb3\xa5\x4e\xbd\x58",
                                  "\xa6\xdb\xb0\xca\xb4\xab\xa6\xe6"};
constexpr PageTexts UTF8_TEXTS = {"utf-8", "\xe7\xb4\xb0\xe6\x98\x8e\xe9\xab\x94", "\xe6\x98\x8e\xe9\xab\x94",
                                  "\xe8\xa4\x87\xe8\xa3\xbd\xe6\x89\x80\xe6\x9c\x89\xe4\xbb\xa3\xe7\xa2\xbc",
                                  "\xe8\x87\xaa\xe5\x8b\x95\xe6\x8f\x9b\xe8\xa1\x8c"};

#define CLASSIC_PRE "<pre style=\"font-family:arial;font-size:9pt;word-wrap:break-word;\" id=code>\r\n"

// The classic frame: a font chooser, a copy-all button and a word-wrap switch
// for a browser that no longer exists.
const char CLASSIC_HEAD[] =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=\x01\">\r\n"
    "<title> Vorel </title>\r\n"
    "<select name=\"setfontface\" onchange=\"vbscript:code.style.fontfamily= setfontface.value\">\r\n"
    "<option value=\x02>\x03</option>\r\n"
    "<option value=Fixedsys>Fixedsys</option>\r\n"
    "<option value=Tahoma>Tahoma</option>\r\n"
    "<option value=Courier>Courier</option>\r\n"
    "<option value=Arial selected>Arial</option>\r\n"
    "</select>\r\n"
    "<input onclick=\"javascript:clipboardData.setData('text',code.innerText)\" type=button "
    "value=\"\x04\">\r\n"
    "<input onclick=\"vbscript:if autowrap.checked then code.style.wordwrap='break-word' else "
    "code.style.wordwrap='normal'\" type=\"checkbox\" checked name=\"autowrap\">"
    "<font style='font-size:9pt;'>\x05</font>\r\n"
    "<hr size=1>\r\n" CLASSIC_PRE;

// The code's font, in the modern page's style sheet and in a modern
// fragment's style attribute alike (so no double quotes).
#define MODERN_FONT \
  "font:13px/1.45 ui-monospace,Consolas,'DejaVu Sans Mono','Liberation Mono',monospace;tab-size:8"

// The modern page: the code in a monospace font, wrapped unless the switch
// is cleared (CSS alone), line numbers drawn by CSS from data-n so that
// neither a selection nor the copy button takes them, and the one script
// the copy button needs.
const char MODERN_HEAD[] =
    "<!DOCTYPE html>\r\n"
    "<html>\r\n"
    "<head>\r\n"
    "<meta charset=\"\x01\">\r\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
    "<title>Vorel</title>\r\n"
    "<style>\r\n"
    "body{margin:8px;background:#fff;color:#000;font:13px sans-serif}\r\n"
    "#copy{font:inherit;margin:0 8px 6px 0}\r\n"
    "pre{" MODERN_FONT
    ";margin:0;padding-top:6px;border-top:1px solid #ccc;"
    "white-space:pre-wrap;overflow-wrap:anywhere}\r\n"
    "#wrap:not(:checked)~pre{white-space:pre;overflow-x:auto}\r\n"
    "[data-n]::before{content:attr(data-n);display:inline-block;min-width:6ch;margin-right:1ch;"
    "text-align:right;color:#999;font-weight:normal;font-style:normal}\r\n"
    "</style>\r\n"
    "</head>\r\n"
    "<body>\r\n"
    "<button type=button id=copy lang=zh-Hant>\x04</button>"
    "<input type=checkbox id=wrap checked><label for=wrap lang=zh-Hant>\x05</label>\r\n"
    "<pre id=code>\r\n";

// textContent holds the source exactly: the numbers are no text.  Pages
// served over plain http have no navigator.clipboard; a selected text area
// copies there.
const char MODERN_TAIL[] =
    "</pre>\r\n"
    "<script>\r\n"
    "document.getElementById(\"copy\").onclick = function () {\r\n"
    "  var text = document.getElementById(\"code\").textContent;\r\n"
    "  function viaSelection() {\r\n"
    "    var area = document.createElement(\"textarea\");\r\n"
    "    area.style.cssText = \"position:fixed;top:0;left:0;opacity:0\";\r\n"
    "    area.value = text;\r\n"
    "    document.body.appendChild(area);\r\n"
    "    area.select();\r\n"
    "    document.execCommand(\"copy\");\r\n"
    "    area.remove();\r\n"
    "  }\r\n"
    "  if (navigator.clipboard && window.isSecureContext) "
    "navigator.clipboard.writeText(text).catch(viaSelection);\r\n"
    "  else viaSelection();\r\n"
    "};\r\n"
    "</script>\r\n"
    "</body>\r\n"
    "</html>\r\n";

// A modern fragment styles itself: the page around it is someone else's.
const char MODERN_FRAGMENT_HEAD[] = "<pre style=\"" MODERN_FONT ";white-space:pre;overflow-x:auto\">\r\n";
const char FRAGMENT_TAIL[] = "</pre>\r\n";
const char CLASSIC_TAIL[] = "</pre>";

std::string fill(const char* tpl, const PageTexts& texts) {
  std::string out;
  for (const char* p = tpl; *p; ++p) {
    switch (*p) {
      case CHARSET_NAME: out += texts.charset; break;
      case FONT_NAME: out += texts.font_name; break;
      case FONT_LABEL: out += texts.font_label; break;
      case COPY_LABEL: out += texts.copy_label; break;
      case WRAP_LABEL: out += texts.wrap_label; break;
      default: out += *p;
    }
  }
  return out;
}

}  // namespace

PageText page_text(PageStyle style, bool fragment, Charset charset) {
  // Each page's head is filled in once and kept.
  static const std::string HEADS[2][2] = {
      {fill(CLASSIC_HEAD, BIG5_TEXTS), fill(CLASSIC_HEAD, UTF8_TEXTS)},
      {fill(MODERN_HEAD, BIG5_TEXTS), fill(MODERN_HEAD, UTF8_TEXTS)},
  };
  const bool modern = style == PageStyle::MODERN;
  if (fragment)
    return modern ? PageText{MODERN_FRAGMENT_HEAD, FRAGMENT_TAIL} : PageText{CLASSIC_PRE, FRAGMENT_TAIL};
  return {HEADS[modern][charset == Charset::UTF8], modern ? MODERN_TAIL : CLASSIC_TAIL};
}

NumberStyle number_style(PageStyle style, bool fragment) {
  if (style == PageStyle::CLASSIC) return NumberStyle::TEXT;
  return fragment ? NumberStyle::UNSELECTABLE : NumberStyle::MARKER;
}

}  // namespace vorel
