// The table of output options: its defaults are the options' defaults, every
// value it lists sets something of its own, and bad values say what is wrong
// in the words every front end prints.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/convert.h"
#include "engine/output_options.h"

namespace vorel {
namespace {

// Every value a row takes: its choices, both switch positions, a number's
// ends and middle, a text and none.
std::vector<std::string> values_of(const OutputOption& o) {
  switch (o.kind) {
    case OptionKind::CHOICE: {
      std::vector<std::string> v;
      for (std::size_t i = 0; i < o.choice_count(); ++i) v.emplace_back(o.choices[i].value);
      return v;
    }
    case OptionKind::SWITCH: return {"0", "1"};
    case OptionKind::NUMBER: return {"0", "1", std::to_string(o.max / 2), std::to_string(o.max)};
    case OptionKind::TEXT: return {"", "monospace", "Courier New"};
  }
  return {};
}

TEST(OutputOptionTable, DefaultsAreTheOptionsDefaults) {
  for (const OutputOption& o : output_options()) {
    if (o.kind == OptionKind::NUMBER && o.default_value.empty()) continue;  // off until given
    OutputOptions options;
    EXPECT_EQ(set_output_option(options, o.name, o.default_value), "") << o.name;
    EXPECT_TRUE(options == OutputOptions{}) << o.name << "=" << o.default_value;
  }
}

TEST(OutputOptionTable, EachValueSetsSomethingOfItsOwn) {
  std::set<std::string> names, flags;
  for (const OutputOption& o : output_options()) {
    EXPECT_TRUE(names.insert(std::string(o.name)).second) << o.name;
    EXPECT_TRUE(flags.insert(std::string(o.flag)).second) << o.flag;
    EXPECT_NE(o.formats & (FOR_HTML | FOR_UBB), 0) << o.name;
    EXPECT_FALSE(o.help.empty()) << o.name;
    std::vector<OutputOptions> seen;
    for (const std::string& value : values_of(o)) {
      OutputOptions options;
      ASSERT_EQ(set_output_option(options, o.name, value), "") << o.name << "=" << value;
      for (const OutputOptions& other : seen) EXPECT_FALSE(options == other) << o.name << "=" << value;
      seen.push_back(options);
    }
  }
}

TEST(OutputOptionTable, NamesAndChoicesIgnoreCaseAndBadValuesChangeNothing) {
  OutputOptions o;
  EXPECT_EQ(set_output_option(o, "Page", "MODERN"), "");
  EXPECT_EQ(o.markup.page, PageStyle::MODERN);
  EXPECT_EQ(set_output_option(o, "FORMAT", "Ubb"), "");
  EXPECT_FALSE(o.html);
  EXPECT_EQ(set_output_option(o, "line_numbers", "0042"), "");
  EXPECT_TRUE(o.line_numbers);
  EXPECT_EQ(o.first_line, 42u);
  EXPECT_EQ(set_output_option(o, "tab_width", "004"), "");
  EXPECT_EQ(o.markup.tab_width, 4u);

  const OutputOptions before = o;
  for (auto [name, value, message] :
       {std::tuple{"page", "fancy", "unknown page 'fancy' (use classic or modern)"},
        {"charset", "utf8", "unknown charset 'utf8' (use auto, big5 or utf-8)"},
        {"format", "", "unknown format '' (use html or ubb)"},
        {"fragment", "yes", "unknown fragment 'yes' (use 0 or 1)"},
        {"tab_width", "65", "bad tab width '65' (use 0 to 64)"},
        {"tab_width", "-1", "bad tab width '-1' (use 0 to 64)"},
        {"line_numbers", "4294967296", "bad line number '4294967296' (use 0 to 4294967295)"},
        {"line_numbers", " 5", "bad line number ' 5' (use 0 to 4294967295)"},
        {"ubb_font", "a]b", "bad font name 'a]b' (empty, or holding a bracket or line end)"},
        {"ubb_font", "a\nb", "bad font name 'a\nb' (empty, or holding a bracket or line end)"},
        {"colour", "red", "unknown option 'colour'"}}) {
    EXPECT_EQ(set_output_option(o, name, value), message);
    EXPECT_TRUE(o == before) << name << "=" << value;
  }
}

TEST(OutputOptionTable, TheContextCarriesFormatNumbersAndMarkup) {
  OutputOptions o;
  EXPECT_EQ(conversion_context(o).flags, FLAG_HTML);
  o.html = false;
  o.line_numbers = true;
  o.first_line = 7;
  o.markup.ubb_safe = true;
  const ConversionContext ctx = conversion_context(o);
  EXPECT_EQ(ctx.flags, FLAG_LINE_NUMBERS);
  EXPECT_EQ(ctx.line_counter, 7u);
  EXPECT_TRUE(ctx.markup == o.markup);
}

TEST(OutputOptionTable, TheWebPageGetsEveryRow) {
  const std::string json = output_options_json();
  ASSERT_EQ(json.front(), '[');
  ASSERT_EQ(json.back(), ']');
  for (const OutputOption& o : output_options())
    EXPECT_NE(json.find("{\"name\":\"" + std::string(o.name) + "\""), std::string::npos) << o.name;
  EXPECT_NE(json.find(R"("choices":[["auto","automatic"],["big5","Big5"],["utf-8","UTF-8"]])"),
            std::string::npos);
  EXPECT_NE(json.find(R"x("label":"Strict (& as &amp;)","box":true)x"), std::string::npos);
}

}  // namespace
}  // namespace vorel
