// vorel-convert's output: the streaming sink over a temporary file that takes
// the target's place only when committed.
#include "cli/output_file.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/convert.h"
#include "scratch_dir.h"
#include "settings/settings.h"

namespace vorel::cli {
namespace {

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override { set_program_dir(dir.path().string()); }
  void TearDown() override { set_program_dir(""); }
  clitest::ScratchDir dir;
  ConversionContext ctx;
};

TEST_F(OutputFileTest, StreamedFileHoldsWhatStringSinkCollects) {
  clitest::write(dir / "config.ini", "[S]\r\nstr1=\"\r\ncomment1=//\r\n");
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "line \"" + std::to_string(i) + "\" // <c>\r\n";
  ctx.flags = FLAG_HTML | FLAG_LINE_NUMBERS;
  ctx.line_counter = 1;
  const auto expected = convert_text(ctx, text.c_str(), 0, "S");
  ASSERT_TRUE(expected);
  const std::string path = dir / "out.html";
  for (std::size_t window : {1, 7, 4096, 1 << 20}) {
    clitest::write(path, "old");
    std::string error;
    OutputFile out;
    ASSERT_TRUE(out.open(path, error)) << error;
    FileSink sink(out, window);
    ctx.line_counter = 1;
    ASSERT_TRUE(convert_stream(ctx, text, "S", sink));
    EXPECT_FALSE(out.failed());
    EXPECT_EQ(sink.bytes_written(), expected->size());
    EXPECT_EQ(clitest::read(path), "old") << "replaced before the commit";
    ASSERT_TRUE(out.commit(error)) << error;
    EXPECT_EQ(clitest::read(path), expected) << window;
  }
}

TEST_F(OutputFileTest, AnUncommittedOutputLeavesNothingBehind) {
  {
    std::string error;
    OutputFile out;
    ASSERT_TRUE(out.open(dir / "new.html", error)) << error;
    FileSink sink(out, 16);
    sink.write("partial markup, more than one window");
    EXPECT_TRUE(sink.finish());
  }
  EXPECT_TRUE(clitest::fs::is_empty(dir.path()));
}

TEST_F(OutputFileTest, FailedWriteIsReported) {
  OutputFile never_opened;
  FileSink sink(never_opened, 16);
  ctx.flags = FLAG_HTML;
  EXPECT_FALSE(convert_stream(ctx, "abc", "S", sink));
  EXPECT_TRUE(never_opened.failed());
  EXPECT_EQ(ctx.failed_file, "");
  std::string error;
  EXPECT_FALSE(never_opened.commit(error));
  EXPECT_EQ(error.rfind("cannot write the output: ", 0), 0u) << error;
}

}  // namespace
}  // namespace vorel::cli
