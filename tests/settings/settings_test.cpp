// Settings layer: INI reads and writes, paths and whole-file I/O.  The same
// cases run against our INI code and, under Wine, the platform's functions.
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/scratch_dir.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace vorel;

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() { scratch_.as_program_dir(); }

  // Writes an INI file in the program directory and selects it.
  void use_ini(const std::string& text, const char* name = "test.ini") {
    write_bytes(name, text);
    settings_path(name);
  }
  void write_bytes(const char* name, const std::string& bytes) {
    std::ofstream out(dir_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string file_bytes(const char* name = "test.ini") {
    auto data = read_whole_file((dir_ / name).string().c_str());
    return data ? *data : std::string("<missing>");
  }
  std::string str(const char* section, const char* key, uint32_t size = 256) {
    std::vector<char> buf(size + 1, 'X');
    uint32_t n = get_setting_string(section, key, buf.data(), size);
    std::string s(buf.data());
    EXPECT_EQ(n, s.size()) << section << "/" << key;
    return s;
  }

  vorel::test::ScratchDir scratch_;
  fs::path dir_ = scratch_.path();
};

// A list of zero-terminated strings ended by an empty string, as bytes.
std::string list(std::initializer_list<const char*> items) {
  std::string s;
  for (const char* i : items) {
    s += i;
    s += '\0';
  }
  return s + '\0';
}

TEST_F(SettingsTest, MissingFileSectionOrKeyReadsAsZeroAndEmpty) {
  settings_path("option.ini");
  EXPECT_EQ(get_setting_int("option", "type"), 0u);
  EXPECT_EQ(str("option", "type"), "");
  EXPECT_EQ(get_setting_hex("option", "type"), 0u);
  char buf[8] = "XXXXXXX";
  EXPECT_EQ(get_settings_section("filter", buf, sizeof buf), 0u);
  EXPECT_EQ(buf[0], '\0');
  EXPECT_EQ(get_section_names(buf, sizeof buf), 0u);
  EXPECT_EQ(buf[0], '\0');

  use_ini("[option]\r\ntype=3\r\n");
  EXPECT_EQ(get_setting_int("option", "html"), 0u);
  EXPECT_EQ(str("option", "html"), "");
  EXPECT_EQ(get_setting_int("other", "type"), 0u);
}

TEST_F(SettingsTest, SettingsPathIsProgramDirPlusName) {
  settings_path("config.ini");
  EXPECT_EQ(std::string(current_settings_path()), program_dir() + "config.ini");
  EXPECT_EQ(fs::path(current_settings_path()), dir_ / "config.ini");
}

TEST_F(SettingsTest, NamesIgnoreCaseAndSurroundingSpace) {
  use_ini("  [ Sec ]  \r\n  Some Key  =  the value  \r\n");
  EXPECT_EQ(str("sec", "some key"), "the value");
  EXPECT_EQ(str(" SEC ", " SOME KEY "), "the value");
  EXPECT_EQ(str("sec", "some  key"), "");  // inner space is part of the name
}

TEST_F(SettingsTest, LineEndsMayBeCrLfLfOrCr) {
  use_ini("[a]\r\nx=1\r\n[b]\ny=2\n[c]\rz=3\rw=4");
  EXPECT_EQ(get_setting_int("a", "x"), 1u);
  EXPECT_EQ(get_setting_int("b", "y"), 2u);
  EXPECT_EQ(get_setting_int("c", "z"), 3u);
  EXPECT_EQ(get_setting_int("c", "w"), 4u);
}

TEST_F(SettingsTest, OnePairOfMatchingQuotesIsStripped) {
  use_ini(
      "[s]\r\nq1='quoted value'\r\nq2=\"x'\r\nq3=\"\r\nq4=''\r\nq5=\"a\"b\"\r\n"
      "q6=\"  padded  \"\r\nstr1=\"\r\nstr2='\r\n");
  EXPECT_EQ(str("s", "q1"), "quoted value");
  EXPECT_EQ(str("s", "q2"), "\"x'");
  EXPECT_EQ(str("s", "q3"), "\"");
  EXPECT_EQ(str("s", "q4"), "");
  EXPECT_EQ(str("s", "q5"), "a\"b");
  EXPECT_EQ(str("s", "q6"), "  padded  ");
  // config.ini's quote characters are single-character values.
  EXPECT_EQ(str("s", "str1"), "\"");
  EXPECT_EQ(str("s", "str2"), "'");
}

TEST_F(SettingsTest, StringIsCutToSizeMinusOne) {
  use_ini("[s]\r\nplain=abcdef\r\nquoted='quoted value'\r\n");
  EXPECT_EQ(str("s", "plain", 1), "");
  EXPECT_EQ(str("s", "plain", 4), "abc");
  EXPECT_EQ(str("s", "plain", 7), "abcdef");
  EXPECT_EQ(str("s", "quoted", 5), "quot");
  EXPECT_EQ(str("s", "quoted", 14), "quoted value");
  char untouched = 'X';
  EXPECT_EQ(get_setting_string("s", "plain", &untouched, 0), 0u);
  EXPECT_EQ(untouched, 'X');
}

TEST_F(SettingsTest, FirstKeyAndFirstSectionOfANameWin) {
  use_ini("[s]\r\ndup=first\r\nDUP=second\r\n[other]\r\nx=1\r\n[S]\r\ndup=third\r\nlater=4\r\n");
  EXPECT_EQ(str("s", "dup"), "first");
  EXPECT_EQ(str("s", "later"), "");
}

TEST_F(SettingsTest, SemicolonOnlyStartsACommentAtTheStartOfALine) {
  use_ini("[s]\r\ndelimiter=~!;:,.\r\n;note=1\r\nkey=a ; b\r\n");
  EXPECT_EQ(str("s", "delimiter"), "~!;:,.");
  EXPECT_EQ(str("s", "key"), "a ; b");
  char buf[128];
  uint32_t n = get_settings_section("s", buf, sizeof buf);
  EXPECT_EQ(std::string(buf, n + 1), list({"delimiter=~!;:,.", "key=a ; b"}));
}

TEST_F(SettingsTest, IntegerReadsFollowThePlatform) {
  use_ini(
      "[s]\r\ndec=1234\r\nneg=-5\r\nplus=+7x\r\nlead=  12abc\r\nhex=0x10\r\nupx=0X10\r\n"
      "quoted=\"42\"\r\nwrap=4294967296\r\nbig=99999999999\r\nbin=0b101\r\noct=0o17\r\n"
      "word=abc\r\nempty=\r\nnoeq\r\nsignspace=+ 5\r\nlong=00000000000000000000000000001\r\n"
      "toolong=0000000000000000000000000000001\r\n");
  EXPECT_EQ(get_setting_int("s", "dec"), 1234u);
  EXPECT_EQ(get_setting_int("s", "neg"), 4294967291u);
  EXPECT_EQ(get_setting_int("s", "plus"), 7u);
  EXPECT_EQ(get_setting_int("s", "lead"), 12u);
  EXPECT_EQ(get_setting_int("s", "hex"), 16u);
  EXPECT_EQ(get_setting_int("s", "upx"), 0u);  // only a lower-case x makes a prefix
  EXPECT_EQ(get_setting_int("s", "quoted"), 42u);
  EXPECT_EQ(get_setting_int("s", "wrap"), 0u);
  EXPECT_EQ(get_setting_int("s", "big"), 1215752191u);
  EXPECT_EQ(get_setting_int("s", "bin"), 5u);
  EXPECT_EQ(get_setting_int("s", "oct"), 15u);
  EXPECT_EQ(get_setting_int("s", "word"), 0u);
  EXPECT_EQ(get_setting_int("s", "empty"), 0u);
  EXPECT_EQ(get_setting_int("s", "noeq"), 0u);
  EXPECT_EQ(get_setting_int("s", "signspace"), 0u);
  EXPECT_EQ(get_setting_int("s", "long"), 1u);     // 29 characters are read
  EXPECT_EQ(get_setting_int("s", "toolong"), 0u);  // the 31st is not
}

TEST_F(SettingsTest, HexReads) {
  use_ini(std::string("[s]\r\nlow=ff\r\nup=FF\r\ngarbage=1G\r\ncolor=2008000\r\nempty=\r\n") +
          "long=" + std::string(254, '0') + "1\r\n" + "fits=" + std::string(253, '0') + "1\r\n");
  EXPECT_EQ(get_setting_hex("s", "low"), 255u);
  EXPECT_EQ(get_setting_hex("s", "up"), 255u);
  EXPECT_EQ(get_setting_hex("s", "garbage"), 1u);
  EXPECT_EQ(get_setting_hex("s", "color"), 0x2008000u);
  EXPECT_EQ(get_setting_hex("s", "empty"), 0u);
  EXPECT_EQ(get_setting_hex("s", "missing"), 0u);
  EXPECT_EQ(get_setting_hex("s", "long"), 0u);  // only 254 characters are read
  EXPECT_EQ(get_setting_hex("s", "fits"), 1u);
}

TEST(ParseHex32, BehavesLikeStrtoulWith32BitLong) {
  struct Case {
    const char* text;
    uint32_t value;
  } cases[] = {
      {"ff", 255},
      {"FF", 255},
      {"1G", 1},
      {"", 0},
      {"g", 0},
      {"  \t1f", 31},
      {"+A", 10},
      {"-1", 0xFFFFFFFFu},
      {"-ff", 0xFFFFFF01u},
      {"0x1F", 31},
      {"0X1f", 31},
      {"0x", 0},
      {"0xg", 0},
      {"- 1", 0},
      {"FFFFFFFF", 0xFFFFFFFFu},
      {"100000000", 0xFFFFFFFFu},
      {"-100000000", 0xFFFFFFFFu},
      {"00000000000000000001", 1},
      {"2008000", 0x2008000u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parse_hex32(c.text), c.value) << '"' << c.text << '"';
#ifdef _WIN32
    // Here unsigned long is 32 bits: the C library must agree, except that
    // msvcrt negates the overflow value of "-100000000" (giving 1); we keep
    // the C standard's ULONG_MAX there.
    if (std::string(c.text) != "-100000000") {
      EXPECT_EQ(parse_hex32(c.text), std::strtoul(c.text, nullptr, 16)) << '"' << c.text << '"';
    }
#endif
  }
}

TEST_F(SettingsTest, SectionReadReturnsEveryLineWhole) {
  use_ini(
      "[filter]\r\n  Source = *.c;*.h  \r\nnot a pair\r\n; comment\r\nall=*.*\r\n"
      "quoted='kept'\r\n\r\n[next]\r\nx=1\r\n");
  char buf[256];
  std::memset(buf, 'X', sizeof buf);
  uint32_t n = get_settings_section("FILTER", buf, sizeof buf);
  EXPECT_EQ(std::string(buf, n + 1), list({"Source=*.c;*.h", "not a pair", "all=*.*", "quoted='kept'"}));
  EXPECT_EQ(get_settings_section("missing", buf, sizeof buf), 0u);
  EXPECT_EQ(buf[0], '\0');
}

TEST_F(SettingsTest, SectionReadIntoASmallBufferIsCutAndDoublyTerminated) {
  use_ini("[t]\r\na=1\r\nbb=2\r\n");  // the list "a=1\0bb=2\0" is 9 bytes
  struct Case {
    uint32_t size, result;
    std::string bytes;
  } cases[] = {
      {2, 0, std::string("\0\0", 2)},
      {3, 1, std::string("a\0\0", 3)},
      {8, 6, std::string("a=1\0bb\0\0", 8)},
      {10, 8, std::string("a=1\0bb=2\0\0", 10)},  // no byte to spare: still cut
      {11, 9, std::string("a=1\0bb=2\0\0", 10)},
  };
  for (const Case& c : cases) {
    char buf[32];
    std::memset(buf, 'X', sizeof buf);
    EXPECT_EQ(get_settings_section("t", buf, c.size), c.result) << c.size;
    EXPECT_EQ(std::string(buf, c.bytes.size()), c.bytes) << c.size;
  }
}

TEST_F(SettingsTest, SectionNamesListEverySectionInOrder) {
  use_ini("k=v\r\n[one]\r\na=1\r\n[two]\r\n[]\r\n[ three ]\r\n[four\r\n[fi]ve]\r\n[one]\r\nb=2\r\n");
  char buf[64];
  uint32_t n = get_section_names(buf, sizeof buf);
  EXPECT_EQ(std::string(buf, n + 1), list({"one", "two", "three", "fi]ve", "one"}));
}

TEST_F(SettingsTest, SectionNamesIntoASmallBufferAreCutLikeThePlatform) {
  use_ini("[one]\r\n[two]\r\n[three]\r\n");  // "one\0two\0three\0" is 14 bytes
  struct Case {
    uint32_t size, result;
    std::string bytes;  // the first size bytes
  } cases[] = {
      {1, 0, std::string("\0", 1)},
      {2, 0, std::string("\0\0", 2)},
      {3, 1, std::string("o\0\0", 3)},
      {5, 3, std::string("one\0\0", 5)},  // "one" fits only without the final zero
      {6, 4, std::string("one\0\0\0", 6)},
      {9, 7, std::string("one\0two\0\0", 9)},
      {12, 10, std::string("one\0two\0th\0\0", 12)},
      {15, 13, std::string("one\0two\0three\0", 15)},
      {16, 14, std::string("one\0two\0three\0\0", 15)},  // fits
  };
  for (const Case& c : cases) {
    char buf[32];
    std::memset(buf, 'X', sizeof buf);
    EXPECT_EQ(get_section_names(buf, c.size), c.result) << c.size;
    EXPECT_EQ(std::string(buf, c.bytes.size()), c.bytes) << c.size;
  }
}

TEST_F(SettingsTest, PutIntWritesUnsignedDecimalAndCreatesTheFile) {
  settings_path("option.ini");
  EXPECT_TRUE(put_setting_int("option", "type", 0));
  EXPECT_EQ(file_bytes("option.ini"), "[option]\r\ntype=0\r\n");
  EXPECT_TRUE(put_setting_int("option", "linenumber_start", 4294967295u));
  EXPECT_TRUE(put_setting_int("option", "html", 1));
  EXPECT_EQ(file_bytes("option.ini"), "[option]\r\ntype=0\r\nlinenumber_start=4294967295\r\nhtml=1\r\n");
  EXPECT_EQ(get_setting_int("option", "linenumber_start"), 4294967295u);
}

TEST_F(SettingsTest, WritesReplaceOrAddOnlyTheirLine) {
  use_ini("; top\r\n[a]\r\nx=1\r\n; c\r\ny=2\r\n[b]\r\nz=3\r\n");
  EXPECT_TRUE(put_setting_int("A", "X", 9));
  EXPECT_EQ(file_bytes(), "; top\r\n[a]\r\nx=9\r\n; c\r\ny=2\r\n[b]\r\nz=3\r\n");
  EXPECT_TRUE(put_setting_string("a", "new", "  v"));
  EXPECT_EQ(file_bytes(), "; top\r\n[a]\r\nx=9\r\n; c\r\ny=2\r\nnew=v\r\n[b]\r\nz=3\r\n");
  EXPECT_TRUE(put_setting_string("c", "k", "0"));
  EXPECT_EQ(file_bytes(), "; top\r\n[a]\r\nx=9\r\n; c\r\ny=2\r\nnew=v\r\n[b]\r\nz=3\r\n[c]\r\nk=0\r\n");
}

TEST_F(SettingsTest, WriteAfterALastLineWithoutLineEnd) {
  use_ini("[a]\r\nx=1");
  EXPECT_TRUE(put_setting_int("a", "y", 2));
  EXPECT_EQ(file_bytes(), "[a]\r\nx=1\r\ny=2\r\n");
  use_ini("[a]\r\nx=1", "other.ini");
  EXPECT_TRUE(put_setting_int("b", "y", 2));
  EXPECT_EQ(file_bytes("other.ini"), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
}

TEST_F(SettingsTest, WriteGoesToTheFirstSectionOfAName) {
  use_ini("[a]\r\nx=1\r\n[b]\r\ny=1\r\n[a]\r\nz=1\r\n");
  EXPECT_TRUE(put_setting_int("a", "w", 2));
  EXPECT_EQ(file_bytes(), "[a]\r\nx=1\r\nw=2\r\n[b]\r\ny=1\r\n[a]\r\nz=1\r\n");
}

TEST_F(SettingsTest, WriteGivesAValueToALineWithoutOne) {
  use_ini("[a]\r\nx\r\n");
  EXPECT_TRUE(put_setting_int("a", "x", 1));
  EXPECT_EQ(file_bytes(), "[a]\r\nx=1\r\n");
  // An empty value too: the line reads as empty either way, but the platform
  // writes "key=", and so do we.
  use_ini("[a]\r\nx\r\ny=2\r\n");
  EXPECT_TRUE(put_setting_string("a", "x", ""));
  EXPECT_EQ(file_bytes(), "[a]\r\nx=\r\ny=2\r\n");
}

TEST_F(SettingsTest, WriteIntoAMissingDirectoryFails) {
  set_program_dir((dir_ / "no" / "such").string());
  settings_path("option.ini");
  EXPECT_FALSE(put_setting_int("option", "type", 1));
}

#ifndef _WIN32
// Windows edits the line in place; Wine rewrites the whole file in its own
// layout, so these run only against our writer.
TEST_F(SettingsTest, WritesKeepEveryOtherLineAsItWas) {
  use_ini("; options\n\n[option]\n  type = 1 \n\n; filter below\n[filter]\nC=*.c\n");
  EXPECT_TRUE(put_setting_int("option", "type", 2));
  EXPECT_TRUE(put_setting_int("option", "html", 0));
  EXPECT_EQ(file_bytes(), "; options\n\n[option]\ntype=2\n\n; filter below\nhtml=0\r\n[filter]\nC=*.c\n");
}

TEST_F(SettingsTest, WriteOfAnUnchangedValueLeavesTheFileAlone) {
  use_ini("[option]\n  type = 1 \n");
  EXPECT_TRUE(put_setting_int("option", "type", 1));
  EXPECT_EQ(file_bytes(), "[option]\n  type = 1 \n");
}
#endif

// Reads reuse what they parsed before; whatever happens to the files in
// between must show at the next read.  Rewrites here keep the size and the
// file time, so that neither can tell them apart.
class SettingsChangeTest : public SettingsTest {
 protected:
  void rewrite(const char* name, const std::string& bytes) {
    const fs::path path = dir_ / name;
    const auto when = fs::last_write_time(path);
    ASSERT_EQ(fs::file_size(path), bytes.size());
    write_bytes(name, bytes);
    fs::last_write_time(path, when);
  }
  std::string names() {
    char buf[64];
    uint32_t n = get_section_names(buf, sizeof buf);
    return std::string(buf, n);
  }
  std::string section(const char* name) {
    char buf[64];
    uint32_t n = get_settings_section(name, buf, sizeof buf);
    return std::string(buf, n);
  }
};

TEST_F(SettingsChangeTest, ARewriteOfTheSameSizeAndTimeIsSeenByEveryRead) {
  use_ini("[s]\r\nk=1\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  EXPECT_EQ(names(), std::string("s\0", 2));
  rewrite("test.ini", "[s]\r\nk=2\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 2u);
  EXPECT_EQ(section("s"), std::string("k=2\0", 4));
  rewrite("test.ini", "[t]\r\nk=3\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 0u);
  EXPECT_EQ(str("t", "k"), "3");
  EXPECT_EQ(names(), std::string("t\0", 2));
  // A write starts from the file as it is now.
  rewrite("test.ini", "[t]\r\nk=4\r\n");
  EXPECT_TRUE(put_setting_int("t", "x", 5));
  EXPECT_EQ(file_bytes(), "[t]\r\nk=4\r\nx=5\r\n");
}

TEST_F(SettingsChangeTest, ADeletedFileReadsAsMissingAndMayComeBack) {
  use_ini("[s]\r\nk=1\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  fs::remove(dir_ / "test.ini");
  EXPECT_EQ(get_setting_int("s", "k"), 0u);
  EXPECT_EQ(str("s", "k"), "");
  EXPECT_EQ(names(), "");
  write_bytes("test.ini", "[s]\r\nk=1\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  fs::remove(dir_ / "test.ini");
  EXPECT_TRUE(put_setting_int("s", "j", 2));
  EXPECT_EQ(file_bytes(), "[s]\r\nj=2\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 0u);
}

TEST_F(SettingsChangeTest, FilesReadInTurnEachGiveTheirOwnValues) {
  const char* const files[] = {"a.ini", "b.ini", "c.ini"};
  for (const char* f : files) write_bytes(f, std::string("[s]\r\nk=") + f[0] + "\r\n");
  for (int round = 0; round < 3; ++round) {
    if (round == 2) rewrite("b.ini", "[s]\r\nk=B\r\n");
    for (const char* f : files) {
      settings_path(f);
      const char expected = round == 2 && f[0] == 'b' ? 'B' : f[0];
      EXPECT_EQ(str("s", "k"), std::string(1, expected)) << f << " round " << round;
    }
  }
  // The same name in another directory is another file.
  fs::create_directories(dir_ / "other");
  set_program_dir((dir_ / "other").string());
  write_bytes("other/a.ini", "[s]\r\nk=z\r\n");
  settings_path("a.ini");
  EXPECT_EQ(str("s", "k"), "z");
}

TEST_F(SettingsChangeTest, WritesAndReadsInTurn) {
  use_ini("[s]\r\nk=1\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  EXPECT_TRUE(put_setting_int("s", "k", 2));
  EXPECT_EQ(get_setting_int("s", "k"), 2u);
  EXPECT_TRUE(put_setting_string("s", "k", "3"));
  EXPECT_EQ(str("s", "k"), "3");
  // Back to the bytes read before the writes.
  rewrite("test.ini", "[s]\r\nk=1\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  EXPECT_TRUE(put_setting_int("s", "k", 1));  // unchanged
  EXPECT_EQ(file_bytes(), "[s]\r\nk=1\r\n");
}

TEST_F(SettingsChangeTest, FilesWithTheSameBytesStaySeparate) {
  write_bytes("a.ini", "[s]\r\nk=1\r\n");
  write_bytes("b.ini", "[s]\r\nk=1\r\n");
  settings_path("a.ini");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  settings_path("b.ini");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  EXPECT_TRUE(put_setting_int("s", "k", 2));
  EXPECT_EQ(get_setting_int("s", "k"), 2u);
  settings_path("a.ini");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  rewrite("a.ini", "[s]\r\nk=3\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 3u);
  settings_path("b.ini");
  EXPECT_EQ(get_setting_int("s", "k"), 2u);
  EXPECT_EQ(file_bytes("a.ini"), "[s]\r\nk=3\r\n");
  EXPECT_EQ(file_bytes("b.ini"), "[s]\r\nk=2\r\n");
}

TEST_F(SettingsChangeTest, ALargeFileIsReadAndRewrittenLikeAnyOther) {
  const std::string filler = "[pad]\r\n" + std::string(3u << 20, ';') + "\r\n";
  use_ini(filler + "[s]\r\nk=1\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  rewrite("test.ini", filler + "[s]\r\nk=2\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 2u);
  EXPECT_TRUE(put_setting_int("s", "k", 3));
  EXPECT_EQ(get_setting_int("s", "k"), 3u);
  EXPECT_EQ(file_bytes(), filler + "[s]\r\nk=3\r\n");
}

TEST_F(SettingsChangeTest, AWriteOnAnotherThreadIsSeen) {
  use_ini("[s]\r\nk=1\r\n");
  EXPECT_EQ(get_setting_int("s", "k"), 1u);
  bool written = false;
  std::thread([&] {
    settings_path("test.ini");  // the selection is per thread
    EXPECT_EQ(get_setting_int("s", "k"), 1u);
    written = put_setting_int("s", "k", 2);
  }).join();
  EXPECT_TRUE(written);
  EXPECT_EQ(get_setting_int("s", "k"), 2u);
}

TEST_F(SettingsTest, ResolvePathJoinsWithExactlyOneSeparator) {
  char buf[PATH_SIZE];
  std::string expected = program_dir() + "a.txt";
  EXPECT_EQ(std::string(resolve_path(buf, "a.txt", BASE_PROGRAM_DIR)), expected);
  EXPECT_EQ(fs::path(buf), dir_ / "a.txt");

  std::string temp = resolve_path(buf, "temp.html", BASE_TEMP_DIR);
  ASSERT_GT(temp.size(), std::string("temp.html").size() + 1);
  std::string sep = temp.substr(temp.size() - 10, 1);
  EXPECT_TRUE(sep == "/" || sep == "\\") << temp;
  EXPECT_EQ(temp.substr(temp.size() - 9), "temp.html");
  char before = temp[temp.size() - 11];
  EXPECT_TRUE(before != '/' && before != '\\') << temp;
}

TEST_F(SettingsTest, ResolvePathLeavesATooLongPathEmpty) {
  char buf[PATH_SIZE];
  std::string name(PATH_SIZE, 'n');
  EXPECT_STREQ(resolve_path(buf, name.c_str(), BASE_PROGRAM_DIR), "");
}

TEST_F(SettingsTest, ReadWholeFileGivesEveryByteAndATerminatingZero) {
  std::string bytes("a\r\nb\0c\xff\r", 9);
  write_bytes("doc.txt", bytes);
  auto data = read_whole_file((dir_ / "doc.txt").string().c_str());
  ASSERT_TRUE(data);
  EXPECT_EQ(*data, bytes);
  EXPECT_EQ(data->data()[data->size()], '\0');

  write_bytes("empty.txt", "");
  data = read_whole_file((dir_ / "empty.txt").string().c_str());
  ASSERT_TRUE(data);
  EXPECT_TRUE(data->empty());
  EXPECT_EQ(data->data()[0], '\0');

  EXPECT_FALSE(read_whole_file((dir_ / "missing.txt").string().c_str()));
  EXPECT_FALSE(read_whole_file(dir_.string().c_str()));
}

TEST_F(SettingsTest, OpenFileCreatesTruncatesAndSharesTheFile) {
  std::string path = (dir_ / "out.txt").string();
  EXPECT_FALSE(open_file(path.c_str(), FILE_READ | FILE_OPEN_EXISTING));
  {
    FileHandle f = open_file(path.c_str(), FILE_WRITE | FILE_CREATE_ALWAYS);
    ASSERT_TRUE(f);
    EXPECT_EQ(write_file(f, "hello world", 11), 11u);
    // Others may read the file while it is open for writing.
    auto data = read_whole_file(path.c_str());
    ASSERT_TRUE(data);
    EXPECT_EQ(*data, "hello world");
  }
  {
    FileHandle f = open_file(path.c_str(), FILE_WRITE | FILE_CREATE_ALWAYS);
    ASSERT_TRUE(f);
    EXPECT_EQ(write_file(f, "hi", 2), 2u);
    FileHandle moved = std::move(f);
    EXPECT_FALSE(f);
    EXPECT_TRUE(moved);
  }
  EXPECT_EQ(file_bytes("out.txt"), "hi");
  EXPECT_TRUE(open_file(path.c_str(), FILE_READ | FILE_OPEN_EXISTING));

  FileHandle invalid = open_file((dir_ / "no" / "x.txt").string().c_str(), FILE_WRITE | FILE_CREATE_ALWAYS);
  EXPECT_FALSE(invalid);
  EXPECT_EQ(write_file(invalid, "x", 1), 0u);
}

}  // namespace
