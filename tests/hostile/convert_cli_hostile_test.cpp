// vorel-convert against hostile files and output places, as a new user would meet them:
// binary input, binary config.ini and keyword files, a folder as input, an input cut
// short while it is read, output into folders that are missing or cannot be written.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <string>
#include <vector>

#include "hostile_support.h"

namespace {

using hostile::garbage;
using hostile::read;
using hostile::write;

struct Result {
  int status = -1;  // exit status, or 128 + signal
  std::string out, err;
};

std::string quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class ConvertCliHostile : public ::testing::Test {
 protected:
  Result run(const std::vector<std::string>& args) {
    std::string cmd = quote(VOREL_CONVERT);
    for (const std::string& a : args) cmd += " " + quote(a);
    const std::string out = dir / ".stdout", err = dir / ".stderr";
    cmd += " >" + quote(out) + " 2>" + quote(err) + " </dev/null";
    const int raw = std::system(cmd.c_str());
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    r.out = read(out);
    r.err = read(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
  }
  // Every file of the scratch folder, to see that nothing is left behind.
  std::vector<std::string> files() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
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
  r = run({"--config-dir", config_dir(), "--syntax", "C", "--format", "ubb", dir / "in.c"});
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

TEST_F(ConvertCliHostile, OutputIntoAReadOnlyFolderKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  write(dir / "in.c", "x\n");
  write(dir / "config.ini", "");
  std::filesystem::create_directory(dir / "ro");
  write(dir / "ro/out.html", "KEEP");
  std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  Result r = run({"--config-dir", config_dir(), "-o", dir / "ro/out.html", dir / "in.c"});
  std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_all);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("out.html"), std::string::npos) << r.err;
  EXPECT_EQ(read(dir / "ro/out.html"), "KEEP");
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
  EXPECT_EQ(run({"--config-dir", config_dir(), "--syntax", "S", "-o", dir / "out.html", dir / "in.c"}).status, 1);
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
    const std::string in = dir / "big.c", out = dir / "out.html", err = dir / ".stderr";
    pid_t pid = fork();
    if (pid == 0) {
      int fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(fd, 2);
      execl(VOREL_CONVERT, VOREL_CONVERT, "--config-dir", config_dir().c_str(), "-o", out.c_str(), in.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
    ASSERT_EQ(truncate(in.c_str(), 1000), 0);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    const std::string result = read(out);
    if (WEXITSTATUS(status) == 0) {
      // Done before the cut: the whole page.
      EXPECT_EQ(result.compare(result.size() - 6, 6, "</pre>"), 0);
    } else {
      EXPECT_EQ(WEXITSTATUS(status), 1);
      EXPECT_NE(read(err).find("big.c"), std::string::npos) << read(err);
      EXPECT_EQ(result, "KEEP");
    }
    std::filesystem::remove(err);
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
