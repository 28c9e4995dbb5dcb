// The main dialog's commands run through the real dialog, file dialogs and result dialog.
#include <windows.h>
#include <richedit.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include "engine/convert.h"
#include "resource.h"
#include "ui/ui.h"
#include "ui_test_support.h"

namespace vorel::test {
namespace {

const char* const SOURCE = "int main;\r\nreturn \"s\"; // done\r\nx";

std::string clipboard_text() {
  std::string text = "<none>";
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring clipboard_unicode() {
  std::wstring text = L"<none>";
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void set_clipboard_unicode(const std::wstring& text) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

void set_clipboard_text(const std::string& text) {
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
}

// The file-type list of a file dialog (empty for other dialogs).
std::vector<std::string> file_types(HWND dialog) {
  std::vector<std::string> types;
  if (!is_file_dialog(dialog)) return types;
  HWND combo = GetDlgItem(dialog, cmb1);
  for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
    char name[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    types.push_back(name);
  }
  return types;
}

bool has_line(const std::string& file, const std::string& line) {
  return file.find(line + "\r\n") != std::string::npos;
}

// Start, closing the result dialog as soon as it is up.
int convert(const MainDialog& dialog) {
  DialogWatcher watcher([](HWND result) { PostMessageA(result, WM_COMMAND, IDC_RESULT_CLOSE, 0); });
  dialog.command(CMD_START);
  return watcher.count();
}

class Commands : public testing::Test {
 protected:
  void SetUp() override {
    // Preview writes into the temporary directory; keep it ours.
    SetEnvironmentVariableA("TMP", dir.path().c_str());
    SetEnvironmentVariableA("TEMP", dir.path().c_str());
    opened.clear();
    shell_open = [](const char* path) { opened.push_back(path); };
    conversion = ConversionContext{};
  }

  // What the engine makes of text with these options.
  std::string markup(const std::string& text, uint32_t flags, uint32_t first_line, const char* syntax,
                     MarkupOptions options = {}) {
    ConversionContext ctx;
    ctx.markup = std::move(options);
    ctx.flags = flags;
    ctx.line_counter = first_line;
    auto result = convert_text(ctx, text.c_str(), 0, syntax);
    return result ? *result : "<failed>";
  }

  void choose(bool html, bool numbers, const char* first_line, int syntax) {
    CheckRadioButton(dialog.window(), IDC_HTML, IDC_UBB, html ? IDC_HTML : IDC_UBB);
    CheckDlgButton(dialog.window(), IDC_LINE_NUMBERS, numbers ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(dialog.window(), IDC_FIRST_LINE, first_line);
    SendMessageA(dialog.item(IDC_SYNTAX), CB_SETCURSEL, syntax, 0);
  }

  // Start, closing the result dialog with the given button.
  void start_and_press(int result_button) {
    DialogWatcher watcher([&](HWND result) {
      result_text = window_text(GetDlgItem(result, IDC_RESULT_TEXT));
      preview_enabled = IsWindowEnabled(GetDlgItem(result, IDC_RESULT_PREVIEW));
      PostMessageA(result, WM_COMMAND, result_button, 0);
    });
    dialog.command(CMD_START);
    result_dialogs = watcher.count();
  }

  ProgramDir dir;
  MainDialog dialog;
  static inline std::vector<std::string> opened;
  std::string result_text;
  bool preview_enabled = false;
  int result_dialogs = 0;
};

TEST_F(Commands, StartConvertsInPlaceAndOneUndoBringsBackTheExactSource) {
  choose(true, true, "5", 0);
  dialog.set_text(SOURCE);
  start_and_press(IDC_RESULT_CLOSE);
  const std::string expected = markup(SOURCE, FLAG_HTML | FLAG_LINE_NUMBERS, 5, "Alpha");
  EXPECT_EQ(1, result_dialogs);
  EXPECT_EQ(expected, dialog.text());
  EXPECT_EQ(FLAG_HTML | FLAG_LINE_NUMBERS, conversion.flags);
  EXPECT_EQ(static_cast<int32_t>(strlen(SOURCE)), conversion.stats.original_length);
  EXPECT_EQ(GetWindowTextLengthA(dialog.editor()), conversion.stats.converted_length);
  EXPECT_TRUE(preview_enabled);

  dialog.command(CMD_UNDO);
  EXPECT_EQ(SOURCE, dialog.text());
  dialog.command(CMD_REDO);
  EXPECT_EQ(expected, dialog.text());
}

TEST_F(Commands, StartTakesTheWholeTextWhenItHoldsBig5Characters) {
  // Two bytes per character: a buffer sized by the character count would lose the end.
  const std::string source = "int a; // \xA4\xA4\xA4\xE5\r\nreturn a;";
  choose(false, false, "0", 0);
  dialog.set_text(source);
  start_and_press(IDC_RESULT_CLOSE);
  EXPECT_EQ(1, result_dialogs);
  EXPECT_EQ(markup(source, 0, 0, "Alpha"), dialog.text());
  EXPECT_EQ(GetWindowTextLengthA(dialog.editor()), conversion.stats.converted_length);
  dialog.command(CMD_UNDO);
  EXPECT_EQ(source, dialog.text());
}

TEST_F(Commands, StartColoursAStringOverSeveralLinesAsOneRun) {
  // A section with a string pair, an escape and a comment that counts only at
  // a word's start, as the shipped Python and shell sections have them.
  write_bytes(dir.file("config.ini"), read_bytes(dir.file("config.ini")) +
                                          "[Py]\r\nstr1=\"\r\nescape=\\\r\nstring1='\"\"\"'\r\n"
                                          "comment1=#\r\ncomment1at=word\r\ncolor_string=FF\r\n");
  SendMessageA(dialog.item(IDC_SYNTAX), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Py"));
  const std::string source =
      "def f():\r\n    \"\"\"Say \"hi\"\r\n    twice.\"\"\"\r\n    return \"a\\\"b\" # $#\r\n";
  dialog.set_text(source);
  choose(true, false, "0", 3);
  ASSERT_EQ("Py", dialog.syntax());
  start_and_press(IDC_RESULT_CLOSE);
  const std::string expected = markup(source, FLAG_HTML, 0, "Py");
  EXPECT_EQ(expected, dialog.text());
  EXPECT_NE(std::string::npos,
            expected.find("<font color=FF0000>\"\"\"Say \"hi\"\r\n    twice.\"\"\"</font>\r\n"))
      << expected;
  EXPECT_NE(std::string::npos, expected.find("<font color=FF0000>\"a\\\"b\"</font> <font color=000000># $#"))
      << expected;
}

TEST_F(Commands, StartTwiceConvertsTheMarkupAndTwoUndosLeadBack) {
  choose(false, false, "0", 2);
  dialog.set_text(SOURCE);
  start_and_press(IDC_RESULT_CLOSE);
  const std::string first = dialog.text();
  EXPECT_EQ(markup(SOURCE, 0, 0, "Gamma"), first);
  start_and_press(IDC_RESULT_CLOSE);
  EXPECT_EQ(markup(first, 0, 0, "Gamma"), dialog.text());
  dialog.command(CMD_UNDO);
  EXPECT_EQ(first, dialog.text());
  dialog.command(CMD_UNDO);
  EXPECT_EQ(SOURCE, dialog.text());
}

TEST_F(Commands, UbbClearsOnlyTheHtmlFlagAndGreysPreview) {
  conversion.flags = FLAG_HTML | FLAG_LINE_NUMBERS | 1;
  choose(false, true, "", 0);
  dialog.set_text("int x;");
  start_and_press(IDC_RESULT_CLOSE);
  EXPECT_EQ(FLAG_LINE_NUMBERS | 1, conversion.flags);
  EXPECT_FALSE(preview_enabled);
  // An empty number box numbers from 0.
  EXPECT_EQ(markup("int x;", FLAG_LINE_NUMBERS, 0, "Alpha"), dialog.text());
}

TEST_F(Commands, StartWritesTheHtmlChoicesOfOptionIni) {
  write_bytes(dir.file("option.ini"), "[option]\r\npage=modern\r\ncharset=auto\r\n");
  const MarkupOptions modern{.page = PageStyle::MODERN, .charset = CharsetChoice::AUTO};
  choose(true, true, "3", 0);
  dialog.set_text(SOURCE);
  start_and_press(1003);
  EXPECT_EQ(0u, dialog.text().find("<!DOCTYPE html>"));
  EXPECT_EQ(markup(SOURCE, FLAG_HTML | FLAG_LINE_NUMBERS, 3, "Alpha", modern), dialog.text());
  // They are for HTML only.
  choose(false, false, "0", 0);
  dialog.set_text("a & b");
  start_and_press(1003);
  EXPECT_EQ(markup("a & b", 0, 0, "Alpha"), dialog.text());
  EXPECT_NE(std::string::npos, dialog.text().find("a & b"));
}

TEST_F(Commands, OutputModesAreReadFromOptionIniAtEachStart) {
  const std::string source = "a[i]\t\"x[b]<\"; // [/color]\r\nb & c";
  write_bytes(dir.file("option.ini"), "[option]\r\nubb_safe=1\r\ntab_width=4\r\nubb_font=monospace\r\n");
  choose(false, false, "0", 0);
  dialog.set_text(source);
  start_and_press(1003);
  MarkupOptions safe;
  safe.ubb_safe = true;
  safe.tab_width = 4;
  safe.ubb_font = "monospace";
  EXPECT_EQ(markup(source, 0, 0, "Alpha", safe), dialog.text());
  EXPECT_NE(markup(source, 0, 0, "Alpha"), dialog.text());

  // Values that cannot be used are left out.
  write_bytes(dir.file("option.ini"), "[option]\r\nubb_no_entities=1\r\ntab_width=65\r\nubb_font=a]b\r\n");
  dialog.set_text(source);
  start_and_press(1003);
  MarkupOptions raw;
  raw.ubb_no_entities = true;
  EXPECT_EQ(markup(source, 0, 0, "Alpha", raw), dialog.text());
}

TEST_F(Commands, ResultDialogShowsTheStatisticsOfThisConversion) {
  choose(false, false, "0", 0);
  dialog.set_text("int");
  start_and_press(IDC_RESULT_CLOSE);
  const std::string lengths = "(\xA6\x72\xA4\xB8)";  // "(字元)"
  char expected_tail[200];
  wsprintfA(expected_tail, "      %7d %s\r\n\xC2\xE0\xB4\xAB\xAB\xE1:      %7d %s", 3, lengths.c_str(),
            conversion.stats.converted_length, lengths.c_str());
  EXPECT_NE(std::string::npos, result_text.find(expected_tail)) << result_text;
}

TEST_F(Commands, WithAnEmptyEditorStartSaveAndPreviewDoNothing) {
  DialogWatcher watcher([](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
  dialog.command(CMD_START);
  dialog.command(CMD_SAVE);
  dialog.command(CMD_PREVIEW);
  EXPECT_EQ(0, watcher.count());
  EXPECT_TRUE(opened.empty());
  EXPECT_FALSE(file_exists(dir.file("temp.html")));
  EXPECT_EQ(0, conversion.stats.original_length);
}

TEST_F(Commands, AMissingKeywordFileLeavesTheEditorAsItWasWithoutADialog) {
  choose(true, false, "1", 1);  // Beta names missing.txt
  dialog.set_text(SOURCE);
  DialogWatcher watcher([](HWND d) { PostMessageA(d, WM_COMMAND, IDC_RESULT_CLOSE, 0); });
  dialog.command(CMD_START);
  EXPECT_EQ(0, watcher.count());
  EXPECT_EQ(SOURCE, dialog.text());
  dialog.command(CMD_UNDO);
  EXPECT_EQ(SOURCE, dialog.text());
}

TEST_F(Commands, CopyAllPutsTheWholeTextOnTheClipboardAndKeepsTheCaret) {
  // Big5 text too: the clipboard gets the same bytes back.
  const std::string text = "abc\r\n\xA4\xA4\xA4\xE5 def";
  dialog.set_text(text);
  SendMessageA(dialog.editor(), EM_SETSEL, 2, 2);
  SetFocus(dialog.item(IDC_SYNTAX));
  dialog.command(CMD_COPY_ALL);
  EXPECT_EQ(text, clipboard_text());
  DWORD start = 0, end = 0;
  SendMessageA(dialog.editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(2u, start);
  EXPECT_EQ(2u, end);
  EXPECT_EQ(dialog.editor(), GetFocus());
}

TEST_F(Commands, PasteInsertsTheClipboardAtTheSelection) {
  set_clipboard_text("xyz");
  dialog.set_text("ab");
  SendMessageA(dialog.editor(), EM_SETSEL, 1, 1);
  dialog.command(CMD_PASTE);
  EXPECT_EQ("axyzb", dialog.text());
}

TEST_F(Commands, SaveWritesExactlyTheTextsBytesAndAddsHtml) {
  const std::string text = "ab\xA4\xA4\xA4\xE5\r\nc";
  dialog.set_text(text);
  DialogWatcher watcher([&](HWND d) { accept_file_dialog(d, dir.file("saved")); });
  dialog.command(CMD_SAVE);
  EXPECT_GE(watcher.count(), 1);
  EXPECT_EQ(text, read_bytes(dir.file("saved.html")));
}

TEST_F(Commands, SaveCancelledFromTheResultDialogWritesNothingAndClosesIt) {
  choose(true, false, "1", 0);
  dialog.set_text("int");
  int dialogs = 0;
  DialogWatcher watcher([&](HWND d) {
    if (++dialogs == 1) PostMessageA(d, WM_COMMAND, IDC_RESULT_SAVE, 0);  // Save
    else PostMessageA(d, WM_COMMAND, IDCANCEL, 0);                        // Save As: cancel
  });
  dialog.command(CMD_START);
  EXPECT_EQ(2, dialogs);
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(dir.file("*.htm*").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, find);
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST_F(Commands, CopyFromTheResultDialogCopiesTheMarkup) {
  choose(true, false, "1", 0);
  dialog.set_text("return 1;");
  start_and_press(IDC_RESULT_COPY);
  EXPECT_EQ(markup("return 1;", FLAG_HTML, 1, "Alpha"), clipboard_text());
}

TEST_F(Commands, OpenLoadsTheChosenFileWithTheFilterSectionsTypes) {
  write_bytes(dir.file("option.ini"), "[filter]\r\nC files|*.c\r\nText|*.txt\r\n");
  write_bytes(dir.file("prog.c"), "int main() {}\r\n");
  dialog.set_text("old");
  std::vector<std::string> types;
  DialogWatcher watcher([&](HWND d) {
    if (is_file_dialog(d)) types = file_types(d);
    accept_file_dialog(d, dir.file("prog.c"));
  });
  dialog.command(CMD_OPEN);
  EXPECT_EQ((std::vector<std::string>{"C files", "Text"}), types);
  EXPECT_EQ("int main() {}\r\n", dialog.text());
}

TEST_F(Commands, OpenOfAFileThatCannotBeReadKeepsTheText) {
  dialog.set_text("keep");
  DialogWatcher watcher([&](HWND d) { accept_file_dialog(d, dir.file("nothing-here.c")); });
  dialog.command(CMD_OPEN);
  EXPECT_GE(watcher.count(), 1);
  EXPECT_EQ("keep", dialog.text());
}

TEST_F(Commands, PreviewWritesTempHtmlWhateverTheTextAndOpensIt) {
  const std::string text = "[b]ubb[/b]\r\n\xA4\xA4";
  dialog.set_text(text);
  dialog.command(CMD_PREVIEW);
  EXPECT_EQ(text, read_bytes(dir.file("temp.html")));
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(dir.file("temp.html"), opened[0]);
}

TEST_F(Commands, AboutTellsWhatTheProgramDoesUnderItsName) {
  std::string caption, texts;
  DialogWatcher watcher([&](HWND d) {
    caption = window_text(d);
    texts = dialog_texts(d);
    PostMessageA(d, WM_COMMAND, IDOK, 0);
  });
  dialog.command(CMD_ABOUT);
  EXPECT_EQ(1, watcher.count());
  EXPECT_EQ("Vorel", caption);
  EXPECT_NE(std::string::npos, texts.find("Vorel \xAD\xEC\xA9\x6C\xBD\x58")) << texts;  // "Vorel 原始碼"
}

// UTF-8 text with characters Big5 lacks (simplified Chinese, Hangul, accented
// letters, an emoji and an ideograph beyond the 16-bit range) beside some it
// has (中文): 61 characters.
const std::string UTF8_SOURCE =
    "// \xE8\xBF\x99\xE6\x98\xAF\xE7\xAE\x80\xE4\xBD\x93 \xED\x95\x9C\xEA\xB8\x80 caf\xC3\xA9 "
    "na\xC3\xAFve\r\n"
    "int main; // \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 \xF0\xA0\x80\x80\r\n"
    "return \"\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80\";\r\n";
constexpr int32_t UTF8_SOURCE_CHARACTERS = 61;
const char* const UTF8_BOM = "\xEF\xBB\xBF";

class Utf8Commands : public Commands {
 protected:
  // What vorel-convert makes of the file with the program's pack.
  std::string converted(const std::string& file, const std::string& options) {
    return vorel_convert("--config-dir \"" + dir.path() + ".\" --syntax Alpha " + options + " \"" + file +
                         "\"");
  }

  // Start; the result dialog's Save, answered with path.
  void start_and_save(const std::string& path) {
    int dialogs = 0;
    DialogWatcher watcher([&](HWND d) {
      if (++dialogs == 1) {
        result_text = window_text(GetDlgItem(d, IDC_RESULT_TEXT));
        PostMessageA(d, WM_COMMAND, IDC_RESULT_SAVE, 0);
      } else {
        accept_file_dialog(d, path);
      }
    });
    dialog.command(CMD_START);
    result_dialogs = dialogs;
  }

  void open(const std::string& path) {
    DialogWatcher watcher([&](HWND d) { accept_file_dialog(d, path); });
    dialog.command(CMD_OPEN);
  }
};

TEST_F(Utf8Commands, AnOpenedUtf8FileKeepsEveryCharacterThroughStartSaveUndoAndPreview) {
  write_bytes(dir.file("source.c"), UTF8_SOURCE);
  open(dir.file("source.c"));
  ASSERT_EQ(utf16(UTF8_SOURCE), dialog.unicode_text());

  choose(true, true, "5", 0);
  start_and_save(dir.file("page.html"));
  ASSERT_EQ(2, result_dialogs);
  const std::string expected = converted(dir.file("source.c"), "--format html --line-numbers 5");
  ASSERT_NE(std::string::npos, expected.find("charset=utf-8")) << expected;
  EXPECT_EQ(expected, read_bytes(dir.file("page.html")));
  EXPECT_EQ(utf16(expected), dialog.unicode_text());
  // Lengths count characters, however many bytes each takes.
  EXPECT_EQ(UTF8_SOURCE_CHARACTERS, conversion.stats.original_length);
  EXPECT_EQ(static_cast<int32_t>(utf16(expected).size()) - 3, conversion.stats.converted_length)
      << "three characters beyond 16 bits, each two UTF-16 units";

  dialog.command(CMD_PREVIEW);
  EXPECT_EQ(expected, read_bytes(dir.file("temp.html")));
  dialog.command(CMD_UNDO);
  EXPECT_EQ(utf16(UTF8_SOURCE), dialog.unicode_text());
  dialog.command(CMD_REDO);
  EXPECT_EQ(utf16(expected), dialog.unicode_text());
}

TEST_F(Utf8Commands, ADroppedUtf8FileWithAByteOrderMarkSavesConvertsToUbbAndCopiesAsVorelConvertDoes) {
  write_bytes(dir.file("marked.c"), UTF8_BOM + UTF8_SOURCE);
  SendMessageA(dialog.window(), WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({dir.file("marked.c")})), 0);
  // Saved before any conversion, the text is the file again.
  {
    DialogWatcher saving([&](HWND d) { accept_file_dialog(d, dir.file("again.html")); });
    dialog.command(CMD_SAVE);
  }
  EXPECT_EQ(UTF8_BOM + UTF8_SOURCE, read_bytes(dir.file("again.html")));

  choose(false, false, "0", 0);
  start_and_save(dir.file("post.html"));
  const std::string expected = converted(dir.file("marked.c"), "--format ubb");
  EXPECT_EQ(expected, read_bytes(dir.file("post.html")));
  EXPECT_EQ(utf16(expected), dialog.unicode_text());

  dialog.command(CMD_COPY_ALL);
  EXPECT_EQ(utf16(expected), clipboard_unicode());
  // The ANSI form beside it, for programs that take only that.
  EXPECT_NE(std::string::npos, clipboard_text().find("// \xA4\xA4\xA4\xE5 ")) << clipboard_text();
}

TEST_F(Utf8Commands, PastedTextConvertsAsUtf8OnlyWhenBig5LacksACharacter) {
  set_clipboard_unicode(utf16(UTF8_SOURCE));
  dialog.command(CMD_PASTE);
  EXPECT_EQ(utf16(UTF8_SOURCE), dialog.unicode_text());
  choose(true, false, "0", 0);
  start_and_press(IDC_RESULT_CLOSE);
  const MarkupOptions automatic{.charset = CharsetChoice::AUTO};
  const std::string expected = markup(UTF8_SOURCE, FLAG_HTML, 0, "Alpha", automatic);
  ASSERT_NE(std::string::npos, expected.find("charset=utf-8")) << expected;
  EXPECT_EQ(utf16(expected), dialog.unicode_text());

  // Text that Big5 holds whole is converted as Big5 bytes, as ever.
  dialog.set_text("");
  const std::string big5 = "int a; // \xA4\xA4\xA4\xE5";
  set_clipboard_unicode(L"int a; // \x4E2D\x6587");
  dialog.command(CMD_PASTE);
  start_and_press(IDC_RESULT_CLOSE);
  EXPECT_EQ(markup(big5, FLAG_HTML, 0, "Alpha"), dialog.text());
}

TEST_F(Utf8Commands, ABig5FileGivesTheSameBytesAsBefore) {
  // Big5 bytes that are no UTF-8.
  const std::string big5 = "int a; // \xA4\xA4\xA4\xE5\xB4\xFA\xB8\xD5\r\nreturn \"\xA6\x72\";\r\n";
  write_bytes(dir.file("big5.c"), big5);
  open(dir.file("big5.c"));
  EXPECT_EQ(big5, dialog.text());
  choose(true, false, "1", 0);
  start_and_save(dir.file("big5.html"));
  const std::string expected = markup(big5, FLAG_HTML, 1, "Alpha");
  ASSERT_NE(std::string::npos, expected.find("charset=big5")) << expected;
  EXPECT_EQ(expected, read_bytes(dir.file("big5.html")));
  EXPECT_EQ(static_cast<int32_t>(big5.size()) - 5, conversion.stats.original_length)
      << "five Big5 characters";
}

// A conversion leaves config.ini as the current settings file: closing must
// still write the options that are chosen now into option.ini, and nothing
// into config.ini.
TEST(CommandsAndOptions, OptionsChosenBeforeAConversionGoToOptionIniOnClose) {
  ProgramDir dir;
  write_bytes(dir.file("option.ini"),
              "[option]\r\ntype=1\r\nhtml=0\r\nlinenumber=0\r\nlinenumber_start=3\r\n[filter]\r\nC|*.c\r\n");
  const std::string config = read_bytes(dir.file("config.ini"));
  MainDialog dialog;
  ASSERT_EQ("Beta", dialog.syntax());
  CheckRadioButton(dialog.window(), IDC_HTML, IDC_UBB, IDC_HTML);
  CheckDlgButton(dialog.window(), IDC_LINE_NUMBERS, BST_CHECKED);
  SetDlgItemTextA(dialog.window(), IDC_FIRST_LINE, "5");
  SendMessageA(dialog.item(IDC_SYNTAX), CB_SETCURSEL, 2, 0);
  dialog.set_text("int x;");
  ASSERT_EQ(1, convert(dialog));
  dialog.close();

  const std::string options = read_bytes(dir.file("option.ini"));
  for (const char* line : {"type=2", "html=1", "linenumber=1", "linenumber_start=5", "C|*.c"})
    EXPECT_TRUE(has_line(options, line)) << line << " in\n" << options;
  EXPECT_EQ(config, read_bytes(dir.file("config.ini")));
}

TEST(CommandsAndOptions, OpenAfterAConversionTakesItsTypesFromOptionIni) {
  ProgramDir dir;
  write_bytes(dir.file("option.ini"), "[filter]\r\nC files|*.c\r\nText|*.txt\r\n");
  // A "filter" section in config.ini too: only option.ini's may show.
  const std::string config = read_bytes(dir.file("config.ini")) + "[filter]\r\nWrong|*.x\r\n";
  write_bytes(dir.file("config.ini"), config);
  MainDialog dialog;
  SendMessageA(dialog.item(IDC_SYNTAX), CB_SETCURSEL, 0, 0);
  dialog.set_text("int x;");
  ASSERT_EQ(1, convert(dialog));
  std::vector<std::string> types;
  DialogWatcher watcher([&](HWND d) {
    types = file_types(d);
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
  });
  dialog.command(CMD_OPEN);
  EXPECT_EQ(1, watcher.count());
  EXPECT_EQ((std::vector<std::string>{"C files", "Text"}), types);
}

TEST(CommandsAndOptions, ASyntaxNameIsCutToItsFirst99Characters) {
  ProgramDir dir;
  const std::string cut(99, 'S');
  const std::string full = cut + std::string(21, 'T');
  write_bytes(dir.file("config.ini"),
              "[" + full + "]\r\nstr1=\"\r\n[" + cut + "]\r\ncomment1=//\r\ncolor_comment=8000\r\n");
  MainDialog dialog;
  const LRESULT index = SendMessageA(dialog.item(IDC_SYNTAX), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(full.c_str()));
  ASSERT_NE(CB_ERR, index);
  SendMessageA(dialog.item(IDC_SYNTAX), CB_SETCURSEL, index, 0);
  const std::string text = "a \"b\" // c";
  dialog.set_text(text);
  ASSERT_EQ(1, convert(dialog));

  ConversionContext ctx;
  auto under_cut = convert_text(ctx, text.c_str(), 0, cut.c_str());
  auto under_full = convert_text(ctx, text.c_str(), 0, full.c_str());
  ASSERT_TRUE(under_cut && under_full);
  ASSERT_NE(*under_cut, *under_full) << "the two sections must convert differently";
  EXPECT_EQ(*under_cut, dialog.text());
}

TEST_F(Commands, OpenWithoutAFilterSectionOffersNoTypesAndOpensAnyFile) {
  write_bytes(dir.file("odd.name"), "any file");
  std::vector<std::string> types = {"<no file dialog>"};
  DialogWatcher watcher([&](HWND d) {
    if (is_file_dialog(d)) types = file_types(d);
    accept_file_dialog(d, dir.file("odd.name"));
  });
  dialog.command(CMD_OPEN);
  EXPECT_TRUE(types.empty()) << types[0];
  EXPECT_EQ("any file", dialog.text());
}

TEST_F(Commands, SaveAsOffersTheWebPageTypeAndAsksBeforeReplacingAFile) {
  write_bytes(dir.file("old.html"), "old bytes");
  dialog.set_text("new");
  std::vector<std::string> types;
  int prompts = 0;
  DialogWatcher watcher([&](HWND d) {
    if (is_file_dialog(d)) types = file_types(d);
    else if (GetDlgItem(d, IDYES)) ++prompts;
    accept_file_dialog(d, dir.file("old.html"));
  });
  dialog.command(CMD_SAVE);
  EXPECT_EQ(std::vector<std::string>{"\xBA\xF4\xAD\xB6\xA4\xE5\xA5\xF3"}, types);  // 網頁文件
  EXPECT_EQ(1, prompts) << "no question before the file was replaced";
  EXPECT_EQ("new", read_bytes(dir.file("old.html")));
}

TEST_F(Commands, PreviewThatCannotWriteTempHtmlStillAsksTheShell) {
  ASSERT_TRUE(CreateDirectoryA(dir.file("temp.html").c_str(), nullptr));  // in the way of the file
  dialog.set_text("text");
  dialog.command(CMD_PREVIEW);
  ASSERT_EQ(1u, opened.size());
  EXPECT_EQ(dir.file("temp.html"), opened[0]);
  EXPECT_TRUE(GetFileAttributesA(dir.file("temp.html").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace vorel::test
