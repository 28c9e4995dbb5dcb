// Syntax sections of config.ini: quotes, comment pairs, delimiters, colours
// and keyword files.
#include "engine/syntax.h"

#include <cstring>
#include <string>

#include "settings/settings.h"

namespace vorel {

const char FIXED_DELIMITERS[6] = {' ', '\t', '\n', '\r', '\xA1', '\0'};

namespace {

constexpr uint32_t VALUE_SIZE = 255;  // values of up to 254 characters

bool load_table(const char* section, const char* key, uint32_t case_value,
                std::unique_ptr<KeywordTable>& table, std::string* failed_file) {
  char name[VALUE_SIZE];
  get_setting_string(section, key, name, sizeof name);
  if (name[0] == 0) return true;
  char joined[PATH_SIZE + VALUE_SIZE] = {};
  resolve_path(joined, name, BASE_PROGRAM_DIR);
  std::string path = joined;
  if (path.empty()) {
    // Too long for a Windows path buffer; join it ourselves so that systems
    // with longer paths still load it, and a failure still names the file.
    const char* rest = name;
    while (*rest == '/' || *rest == '\\') ++rest;
    path = program_dir() + rest;
  }
  table = load_keyword_table(path.c_str(), case_value);
  if (table) return true;
  if (failed_file) *failed_file = path;
  return false;
}

}  // namespace

bool load_syntax(ScanState& state, const char* syntax_name, std::string* failed_file) {
  const char* section = syntax_name ? syntax_name : "";
  settings_path("config.ini");
  const uint32_t case_value = get_setting_int(section, "case");
  if (!load_table(section, "stxfile1", case_value, state.keywords1, failed_file)) return false;
  if (!load_table(section, "stxfile2", case_value, state.keywords2, failed_file)) {
    state.keywords1.reset();
    return false;
  }

  get_setting_string(section, "str1", state.quote1, sizeof state.quote1);
  get_setting_string(section, "str2", state.quote2, sizeof state.quote2);

  char delimiters[VALUE_SIZE];
  get_setting_string(section, "delimiter", delimiters, sizeof delimiters);
  for (const char* d = delimiters; *d; ++d) state.delimiters[static_cast<unsigned char>(*d)] = true;
  for (char c : FIXED_DELIMITERS) state.delimiters[static_cast<unsigned char>(c)] = true;

  state.string_style = get_setting_hex(section, "color_string");
  state.comment_style = get_setting_hex(section, "color_comment");

  for (int i = 0; i < COMMENT_PAIR_COUNT; ++i) {
    CommentPair& pair = state.comment_pairs[i];
    char key[16] = "comment";
    key[7] = static_cast<char>('1' + i);
    key[8] = 0;
    get_setting_string(section, key, pair.start, sizeof pair.start);
    if (pair.start[0] == 0) break;
    key[8] = 'e';
    key[9] = 0;
    get_setting_string(section, key, pair.end, sizeof pair.end);
    if (pair.end[0] == 0) {
      pair.end[0] = '\r';
      pair.end[1] = 0;
    }
  }
  return true;
}

}  // namespace vorel
