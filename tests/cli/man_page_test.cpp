// The manual page against the program: every option --help lists and every
// output option of the table has its entry, with its values and the format it
// is for, and every option the page describes is one vorel-convert knows.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "convert_runner.h"
#include "engine/output_options.h"

namespace {

std::string read_text(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Roff source as a reader sees it: the font macros and escapes gone.
std::string plain(std::string line) {
  line = std::regex_replace(line, std::regex(R"(^\.(B|I|R|BR|BI|IR|RB|RI|IB)\s+)"), "");
  line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
  line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
  line = std::regex_replace(line, std::regex(R"(")"), "");
  return line;
}

// The lines of section name (up to the next .SH).
std::vector<std::string> section(const std::string& page, const std::string& name) {
  std::vector<std::string> lines;
  std::istringstream in(page);
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(".SH", 0) == 0) inside = line == ".SH " + name;
    else if (inside) lines.push_back(line);
  }
  return lines;
}

// OPTIONS' entries: each .TP's tag line (plain) and the text up to the next.
std::map<std::string, std::string> entries(const std::string& page) {
  std::map<std::string, std::string> out;
  const std::vector<std::string> lines = section(page, "OPTIONS");
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] != ".TP") continue;
    std::string body;
    for (std::size_t j = i + 2; j < lines.size() && lines[j] != ".TP" && lines[j] != ".PP"; ++j)
      body += plain(lines[j]) + " ";
    out[plain(lines[i + 1])] = body;
  }
  return out;
}

std::set<std::string> flags_in(const std::string& text) {
  std::set<std::string> flags;
  const std::regex flag(R"((^|[\s,\[])(--?[a-z][a-z-]*))");
  for (std::sregex_iterator it(text.begin(), text.end(), flag), end; it != end; ++it) flags.insert((*it)[2]);
  return flags;
}

class ManPage : public ::testing::Test {
 protected:
  const std::string page_ = read_text(VOREL_MAN_PAGE);
  const std::map<std::string, std::string> entries_ = entries(page_);
  clitest::ScratchDir scratch_;

  // The entry whose tag names flag.
  const std::pair<const std::string, std::string>* entry(const std::string& flag) const {
    for (const auto& e : entries_)
      if (flags_in(e.first).count(flag)) return &e;
    return nullptr;
  }
};

TEST_F(ManPage, DescribesEveryOptionOfTheHelp) {
  ASSERT_FALSE(entries_.empty()) << VOREL_MAN_PAGE;
  const clitest::Result help = clitest::run_convert(scratch_.path(), {"--help"});
  ASSERT_EQ(help.status, 0);
  std::set<std::string> listed;
  std::istringstream in(help.out.substr(help.out.find("\n\n")));
  for (std::string line; std::getline(in, line);)
    if (line.rfind("  -", 0) == 0)
      for (const std::string& f : flags_in(line.substr(0, line.find("  ", 2)))) listed.insert(f);
  EXPECT_GT(listed.size(), 15u);
  for (const std::string& flag : listed)
    EXPECT_TRUE(entry(flag)) << flag << " is not in the manual's OPTIONS";
}

TEST_F(ManPage, DescribesOnlyOptionsTheProgramKnows) {
  for (const auto& [tag, body] : entries_) {
    for (const std::string& flag : flags_in(tag)) {
      if (flag == "--") continue;
      const clitest::Result r = clitest::run_convert(scratch_.path(), {flag, ""});
      EXPECT_EQ(r.err.find("unknown option '" + flag), std::string::npos) << flag << ": " << r.err;
    }
  }
}

TEST_F(ManPage, GivesEachOutputOptionItsValuesAndFormat) {
  std::string synopsis;
  for (const std::string& line : section(page_, "SYNOPSIS")) synopsis += plain(line) + " ";
  for (const vorel::OutputOption& o : vorel::output_options()) {
    const std::string flag(o.flag);
    const auto* e = entry(flag);
    ASSERT_TRUE(e) << flag << " is not in the manual's OPTIONS";
    EXPECT_NE(synopsis.find(flag), std::string::npos) << flag << " is not in the synopsis";
    if (o.kind == vorel::OptionKind::CHOICE) {
      for (std::size_t i = 0; i < o.choice_count(); ++i) {
        EXPECT_NE(e->first.find(std::string(o.choices[i].value)), std::string::npos) << flag;
        EXPECT_NE(synopsis.find(std::string(o.choices[i].value)), std::string::npos) << flag;
      }
    }
    if (o.kind == vorel::OptionKind::NUMBER) {
      // The range the program takes.
      EXPECT_NE(e->second.find(std::to_string(o.max)), std::string::npos) << flag << ": " << e->second;
    }
    const bool says_html = e->second.find("HTML only") != std::string::npos;
    const bool says_ubb = e->second.find("UBB only") != std::string::npos;
    EXPECT_EQ(says_html, o.formats == vorel::FOR_HTML) << flag << ": " << e->second;
    EXPECT_EQ(says_ubb, o.formats == vorel::FOR_UBB) << flag << ": " << e->second;
  }
}

}  // namespace
