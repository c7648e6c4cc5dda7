#include <filesystem>

#include "tests/tool/PagetoolTestSupport.h"

namespace pm::test {
namespace {

class PagetoolFailureTest : public PagetoolTest {
 protected:
  // Runs the command, expects exit status 1 with the message on standard error, and that
  // `output` is as it was before (absent, or with its old content).
  void ExpectFailure(const std::vector<std::string>& arguments, const std::string& message,
                     const std::string& output) {
    const bool existed = std::filesystem::exists(output);
    const auto before = existed ? ReadFileBytes(output) : std::vector<uint8_t>();
    const auto result = RunPagetool(arguments);
    EXPECT_EQ(result.exitCode, 1) << result.out;
    EXPECT_EQ(result.err, message + "\n");
    ASSERT_EQ(std::filesystem::exists(output), existed);
    if (existed) {
      EXPECT_EQ(ReadFileBytes(output), before);
    }
  }

  void ExpectUsageError(const std::vector<std::string>& arguments) {
    const auto result = RunPagetool(arguments);
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_NE(result.err.find("pagetool "), std::string::npos);
  }
};

TEST_F(PagetoolFailureTest, FailuresPrintTheEditorsMessageAndLeaveNoOutput) {
  const std::string output = dir_.File("out.pag");
  const std::string missing = dir_.File("missing.pag");
  ExpectFailure({"edit", missing, output}, "ファイル " + missing + " は開けません.", output);
  ExpectFailure({"new", output, "--slot", "1=" + dir_.File("missing.bmp")},
                "ファイル " + dir_.File("missing.bmp") + " は開けません.", output);

  const std::string text = dir_.File("text.bmp");
  const std::string words = "plain text, not a picture";
  WriteFileBytes(text, std::vector<uint8_t>(words.begin(), words.end()));
  ExpectFailure({"new", output, "--background", text}, "ビットマップイメージが不正です.", output);
  ExpectFailure({"new", output, "--link", "0=1,2,1.5,4,5,6"}, "'1.5' は整数ではありません.",
                output);
  ExpectFailure({"new", output, "--slot", "1.5=" + text}, "'1.5' は整数ではありません.", output);
  ExpectFailure({"bmp", text, dir_.File("out.bmp")}, "ビットマップイメージが不正です.",
                dir_.File("out.bmp"));
  ExpectFailure({"extract", missing, dir_.File("folder")}, "ファイル " + missing + " は開けません.",
                dir_.File("folder"));
}

TEST_F(PagetoolFailureTest, AFailedSaveNeverTouchesAnExistingOutput) {
  const std::string output = dir_.File("out.pag");
  ASSERT_EQ(RunPagetool({"new", output}).exitCode, 0);
  const std::string text = dir_.File("text.bmp");
  WriteFileBytes(text, {'B', 'M', 0, 0});
  ExpectFailure({"edit", output, output, "--slot", "3=" + text}, "ストリームからの読み込みエラー.",
                output);

  // A damaged page file stops the edit before anything is written.
  const std::string damaged = dir_.File("damaged.pag");
  auto bytes = ReadFileBytes(output);
  bytes.resize(bytes.size() - 100);
  WriteFileBytes(damaged, bytes);
  ExpectFailure({"edit", damaged, output}, "ストリームからの読み込みエラー.", output);
  ExpectFailure({"decode", damaged, "background", dir_.File("x.bmp")},
                "ストリームからの読み込みエラー.", dir_.File("x.bmp"));
}

TEST_F(PagetoolFailureTest, APictureFileOfNoBytesFailsTheImportAndChangesNothing) {
  const std::string page = dir_.File("page.pag");
  ASSERT_EQ(RunPagetool({"new", page, "--slot", "0=" + WriteBmp("slot.bmp", GradientBitmap(8, 8))})
                .exitCode,
            0);
  const std::string empty = dir_.File("empty.png");
  WriteFileBytes(empty, {});
  const std::string output = dir_.File("out.pag");
  ExpectFailure({"edit", page, output, "--background", empty}, "ビットマップイメージが不正です.",
                output);
  ExpectFailure({"edit", page, page, "--slot", "0=" + empty}, "ビットマップイメージが不正です.",
                page);
  ExpectFailure({"new", output, "--slot", "4=" + empty}, "ビットマップイメージが不正です.", output);
}

TEST_F(PagetoolFailureTest, UsageErrorsExitWithTwo) {
  const std::string page = dir_.File("page.pag");
  ExpectUsageError({});
  ExpectUsageError({"frobnicate"});
  ExpectUsageError({"new"});
  ExpectUsageError({"new", page, "--slot", "256=a.bmp"});
  ExpectUsageError({"new", page, "--slot", "-1=a.bmp"});
  ExpectUsageError({"new", page, "--slot", "a.bmp"});
  ExpectUsageError({"new", page, "--link", "0=1,2,3,4,5"});
  ExpectUsageError({"new", page, "--link", "0=1,2,3,4,5,6,7"});
  ExpectUsageError({"new", page, "--clear-slot", "1"});
  ExpectUsageError({"info", page, "--xml"});
  ExpectUsageError({"decode", page, "999", dir_.File("x.bmp")});
  EXPECT_FALSE(std::filesystem::exists(page));
}

}  // namespace
}  // namespace pm::test
