// vorel-convert against hostile files and output places, as a new user would meet them:
// binary input, binary config.ini and keyword files, a folder as input, an input cut
// short while it is read, output into folders that are missing or cannot be written.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <string>
#include <vector>

#include "../cli/convert_runner.h"
#include "hostile_support.h"

namespace {

using hostile::garbage;
using hostile::read;
using hostile::write;

using clitest::Result;

class ConvertCliHostile : public ::testing::Test {
 protected:
  Result run(const std::vector<std::string>& args) { return clitest::run_convert(dir.path(), args); }
  // Every file of the scratch folder, to see that nothing is left behind.
  std::vector<std::string> files() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string config_dir() { return dir.path().string(); }
  hostile::ScratchDir dir;
};

TEST_F(ConvertCliHostile, BinaryInputIsRefusedNamingTheFirstZeroByte) {
  std::string data = garbage(100000, 3, false);
  data[4242] = '\0';
  write(dir / "in.bin", data);
  write(dir / "config.ini", "");
  Result r = run({"--config-dir", config_dir(), "-o", dir / "out.html", dir / "in.bin"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("offset 4242"), std::string::npos) << r.err;
  EXPECT_EQ(files(), (std::vector<std::string>{"config.ini", "in.bin"}));
}

TEST_F(ConvertCliHostile, BinaryInputWithoutZeroBytesConverts) {
  write(dir / "in.bin", garbage(1 << 20, 5, false));
  write(dir / "config.ini", "[S]\r\nstr1=\"\r\ncomment1=/*\r\ncomment1e=*/\r\ndelimiter=<>\r\n");
  Result r = run({"--config-dir", config_dir(), "--syntax", "S", "-o", dir / "out.html", dir / "in.bin"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_GT(read(dir / "out.html").size(), std::size_t(1) << 20);
}

TEST_F(ConvertCliHostile, BinaryConfigIniListsAndConverts) {
  write(dir / "config.ini", garbage(256 << 10, 11));
  write(dir / "in.c", "int main() { return 0; }\n");
  Result r = run({"--config-dir", config_dir(), "--list-syntaxes"});
  EXPECT_EQ(r.status, 0) << r.err;
  // No section "C": a clear error, and by the file name plain text.
  r = run({"--config-dir", config_dir(), "--syntax", "C", "--format", "ubb", dir / "in.c"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("no syntax 'C'"), std::string::npos) << r.err;
  r = run({"--config-dir", config_dir(), "--format", "ubb", dir / "in.c"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "int main() { return 0; }\r\n");
}

TEST_F(ConvertCliHostile, BinaryKeywordFilesConvert) {
  write(dir / "k1.txt", garbage(1 << 20, 13));
  write(dir / "k2.txt", garbage(4096, 17, false));
  write(dir / "config.ini", "[S]\r\nstxfile1=k1.txt\r\nstxfile2=k2.txt\r\n");
  write(dir / "in.c", "int main() { return 0; }\n");
  Result r = run({"--config-dir", config_dir(), "--syntax", "S", dir / "in.c"});
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(ConvertCliHostile, KeywordFileWithoutLineEnd) {
  write(dir / "k.txt", "int 1FF");
  write(dir / "config.ini", "[S]\r\nstxfile1=k.txt\r\n");
  write(dir / "in.c", "int x;");
  Result r = run({"--config-dir", config_dir(), "--syntax", "S", "--format", "ubb", dir / "in.c"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "[color=#FF0100]int[/color] x;");
}

// Once a finding: a folder as input aborted the converter (std::bad_alloc from the
// size hint of 2^63 - 1 that ftell gives for a directory).
TEST_F(ConvertCliHostile, FolderAsInputIsAClearError) {
  write(dir / "config.ini", "");
  std::filesystem::create_directory(dir / "sub");
  Result r = run({"--config-dir", config_dir(), dir / "sub"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("sub"), std::string::npos) << r.err;
}

TEST_F(ConvertCliHostile, OutputIntoAMissingFolderIsAClearError) {
  write(dir / "in.c", "x\n");
  write(dir / "config.ini", "");
  Result r = run({"--config-dir", config_dir(), "-o", dir / "no/such/folder/out.html", dir / "in.c"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no/such/folder/out.html"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}

TEST_F(ConvertCliHostile, OutputOntoAFileSystemThatTakesNoFilesIsAClearError) {
  write(dir / "in.c", "x\n");
  write(dir / "config.ini", "");
  Result r = run({"--config-dir", config_dir(), "-o", "/proc/vorel-out.html", dir / "in.c"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("/proc/vorel-out.html"), std::string::npos) << r.err;
}

// Where no new file can go beside the target, the run fails naming it and the old
// file stays.  Root writes into read-only folders, so the places that refuse
// everyone come first: a target whose temporary name is longer than a file name may
// be, and a target below a regular file.
TEST_F(ConvertCliHostile, OutputIntoAReadOnlyFolderKeepsTheOldFile) {
  write(dir / "in.c", "x\n");
  write(dir / "config.ini", "");
  std::vector<std::string> targets;
  const std::string longest = std::string(250, 'o') + ".html";  // a name may have 255 bytes
  write(dir / longest, "KEEP");
  targets.push_back(dir / longest);
  write(dir / "plain", "KEEP");
  targets.push_back(dir / "plain/out.html");
  if (geteuid() != 0) {
    std::filesystem::create_directory(dir / "ro");
    write(dir / "ro/out.html", "KEEP");
    std::filesystem::permissions(dir / "ro",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    targets.push_back(dir / "ro/out.html");
  }
  for (const std::string& target : targets) {
    Result r = run({"--config-dir", config_dir(), "-o", target, dir / "in.c"});
    EXPECT_EQ(r.status, 1) << target;
    EXPECT_NE(r.err.find("cannot create a temporary file beside '" + target + "'"), std::string::npos)
        << r.err;
  }
  std::error_code ec;  // no "ro" as root
  std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_all, ec);
  EXPECT_EQ(read(dir / longest), "KEEP");
  EXPECT_EQ(read(dir / "plain"), "KEEP");
  std::vector<std::string> expected{"config.ini", "in.c", longest, "plain"};
  if (geteuid() != 0) {
    EXPECT_EQ(read(dir / "ro/out.html"), "KEEP");
    expected.push_back("ro");
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(files(), expected);
}

TEST_F(ConvertCliHostile, OutputOverAFolderFailsAndKeepsIt) {
  write(dir / "in.c", "x\n");
  write(dir / "config.ini", "");
  std::filesystem::create_directory(dir / "out.html");
  write(dir / "out.html/inside", "KEEP");
  Result r = run({"--config-dir", config_dir(), "-o", dir / "out.html", dir / "in.c"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(read(dir / "out.html/inside"), "KEEP");
  EXPECT_EQ(files(), (std::vector<std::string>{"config.ini", "in.c", "out.html"}));
}

TEST_F(ConvertCliHostile, FailedRunsNeverTouchAnExistingOutput) {
  write(dir / "out.html", "KEEP");
  write(dir / "config.ini", "[S]\r\nstxfile1=missing.txt\r\n");
  write(dir / "nul.c", std::string("a\0b", 3));
  write(dir / "in.c", "x\n");
  // Binary input, a missing keyword file, a missing input.
  EXPECT_EQ(run({"--config-dir", config_dir(), "-o", dir / "out.html", dir / "nul.c"}).status, 1);
  EXPECT_EQ(run({"--config-dir", config_dir(), "--syntax", "S", "-o", dir / "out.html", dir / "in.c"}).status,
            1);
  EXPECT_EQ(run({"--config-dir", config_dir(), "-o", dir / "out.html", dir / "gone.c"}).status, 1);
  EXPECT_EQ(read(dir / "out.html"), "KEEP");
  EXPECT_EQ(files(), (std::vector<std::string>{"config.ini", "in.c", "nul.c", "out.html"}));
}

// Another program cutting the input short while it is read must neither crash the
// converter nor leave a partial output: what was read converts to a whole page, or the
// run fails and the old output stays.
TEST_F(ConvertCliHostile, InputCutShortWhileReadNeverHalfWritesTheOutput) {
  std::string big;
  while (big.size() < 40u * 1000 * 1000) big += "int value = table[index]; // a comment line\n";
  for (int delay_ms : {5, 30, 80}) {
    write(dir / "big.c", big);
    write(dir / "out.html", "KEEP");
    const std::string in = dir / "big.c", out = dir / "out.html";
    clitest::ConvertRun run(dir.path(), {"--config-dir", config_dir(), "-o", out, in});
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
    ASSERT_EQ(truncate(in.c_str(), 1000), 0);
    const Result r = run.wait();
    ASSERT_LT(r.status, 128) << "ended by signal " << r.status - 128;
    const std::string result = read(out);
    if (r.status == 0) {
      // Done before the cut: the whole page.
      EXPECT_EQ(result.compare(result.size() - 6, 6, "</pre>"), 0);
    } else {
      EXPECT_EQ(r.status, 1);
      EXPECT_NE(r.err.find("big.c"), std::string::npos) << r.err;
      EXPECT_EQ(result, "KEEP");
    }
    EXPECT_EQ(files(), (std::vector<std::string>{"big.c", "out.html"}));
  }
}

// Once a finding: a keyword file whose full path was 260 characters or more could not
// be loaded, and the converter said "cannot write the output: " with no reason.
TEST_F(ConvertCliHostile, OverlongKeywordPathLoadsOrIsReportedAsTheKeywordFile) {
  const std::string name = std::string(250, 'k') + ".txt";
  write(dir / name, "int FF\n");
  write(dir / "config.ini", "[S]\r\nstxfile1=" + name + "\r\n");
  write(dir / "in.c", "int x;\n");
  Result r = run({"--config-dir", config_dir(), "--syntax", "S", "--format", "ubb", dir / "in.c"});
  if (r.status == 0) {
    EXPECT_EQ(r.out, "[color=#FF0000]int[/color] x;\r\n");
  } else {
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("keyword file"), std::string::npos) << r.err;
  }
}

}  // namespace
