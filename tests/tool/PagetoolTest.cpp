#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/PictureEncoders.h"
#include "tests/tool/PagetoolTestSupport.h"

namespace pm::test {
namespace {

using nlohmann::json;

TEST_F(PagetoolTest, NewThenInfoDescribesEveryEntryAndLink) {
  const std::string page = dir_.File("new.pag");
  const auto result = RunPagetool(
      {"new", page, "--background", WriteBmp("back.bmp", GradientBitmap(64, 48)), "--slot",
       "$ff=" + WriteBmp("a.bmp", GradientBitmap(10, 20, 1)), "--link", "3=1,2,3,4,5,6", "--link",
       "4=0,0,0,0,0,0", "--slot", "7=" + dir_.File("a.bmp")});
  ASSERT_EQ(result.exitCode, 0) << result.err;

  const json info = Info(page);
  EXPECT_EQ(info["file_size"], std::filesystem::file_size(page));
  EXPECT_EQ(info["background"]["offset"], 2064);
  EXPECT_EQ(info["background"]["width"], 64);
  EXPECT_EQ(info["background"]["height"], 48);
  EXPECT_EQ(info["background"]["components"], 3);
  EXPECT_EQ(info["background"]["progressive"], false);
  ASSERT_EQ(info["slots"].size(), 256u);
  EXPECT_EQ(info["slots"][255]["width"], 10);
  EXPECT_EQ(info["slots"][255]["height"], 20);
  EXPECT_EQ(info["slots"][7]["size"], info["slots"][255]["size"]);
  EXPECT_TRUE(info["slots"][0].is_null());
  EXPECT_EQ(info["link_table"]["size"], 7168);
  ASSERT_EQ(info["links"].size(), 256u);
  // "更新" stores Left, Top, Right, Bottom, then Bitmap and LinkPage; Reserved stays 0.
  EXPECT_EQ(info["links"][3], (json{{"left", 1},
                                    {"top", 2},
                                    {"right", 3},
                                    {"bottom", 4},
                                    {"link_page", 5},
                                    {"reserved", 0},
                                    {"bitmap", 6}}));
  EXPECT_EQ(info["links"][0]["left"], -1);

  const auto text = RunPagetool({"info", page});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_NE(text.out.find("slot 255: offset"), std::string::npos);
  EXPECT_NE(text.out.find("link 3: left 1, top 2, right 3, bottom 4, link page 5"),
            std::string::npos);
  EXPECT_EQ(text.out.find("link 0:"), std::string::npos);
}

TEST_F(PagetoolTest, EditPassesUntouchedStreamsThroughByteForByte) {
  const std::string original = dir_.File("original.pag");
  ASSERT_EQ(RunPagetool({"new", original, "--slot", "1=" + WriteBmp("a.bmp", GradientBitmap(9, 9)),
                         "--slot", "2=" + WriteBmp("b.bmp", GradientBitmap(5, 7, 2)), "--slot",
                         "3=" + dir_.File("b.bmp")})
                .exitCode,
            0);
  const json before = Info(original);

  const std::string edited = dir_.File("edited.pag");
  const auto result = RunPagetool({"edit", original, edited, "--clear-slot", "2", "--slot",
                                   "4=" + WriteBmp("c.bmp", GradientBitmap(3, 3, 3)),
                                   "--clear-link", "0", "--link", "9=-1,-2,-3,-4,-5,-6"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const json after = Info(edited);
  EXPECT_EQ(StreamBytes(edited, after["background"]), StreamBytes(original, before["background"]));
  EXPECT_EQ(StreamBytes(edited, after["slots"][1]), StreamBytes(original, before["slots"][1]));
  EXPECT_EQ(StreamBytes(edited, after["slots"][3]), StreamBytes(original, before["slots"][3]));
  EXPECT_TRUE(after["slots"][2].is_null());
  EXPECT_EQ(after["slots"][4]["width"], 3);
  EXPECT_EQ(after["links"][9]["bitmap"], -6);
  EXPECT_EQ(after["links"][9]["link_page"], -5);

  // OUT may be IN.
  ASSERT_EQ(RunPagetool({"edit", edited, edited, "--clear-slot", "1"}).exitCode, 0);
  EXPECT_TRUE(Info(edited)["slots"][1].is_null());
}

TEST_F(PagetoolTest, ExtractWritesEveryStreamAndTheLinks) {
  const std::string page = dir_.File("page.pag");
  ASSERT_EQ(RunPagetool({"new", page, "--slot", "12=" + WriteBmp("a.bmp", GradientBitmap(4, 4)),
                         "--link", "255=10,20,30,40,50,60"})
                .exitCode,
            0);
  const std::string folder = dir_.File("out/streams");
  const auto result = RunPagetool({"extract", page, folder});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const json info = Info(page);
  EXPECT_EQ(ReadFileBytes(folder + "/background.jpg"), StreamBytes(page, info["background"]));
  EXPECT_EQ(ReadFileBytes(folder + "/slot012.jpg"), StreamBytes(page, info["slots"][12]));
  EXPECT_FALSE(std::filesystem::exists(folder + "/slot000.jpg"));

  std::ifstream csv(folder + "/links.csv");
  std::vector<std::string> lines;
  for (std::string line; std::getline(csv, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 257u);
  EXPECT_EQ(lines[0], "index,left,top,right,bottom,link_page,reserved,bitmap");
  EXPECT_EQ(lines[1], "0,-1,-1,-1,-1,-1,0,-1");
  EXPECT_EQ(lines[256], "255,10,20,30,40,50,0,60");
}

TEST_F(PagetoolTest, CheckFindsNothingInAWrittenFileAndEveryProblemInADamagedOne) {
  const std::string page = dir_.File("page.pag");
  ASSERT_EQ(
      RunPagetool({"new", page, "--slot", "0=" + WriteBmp("a.bmp", GradientBitmap(4, 4))}).exitCode,
      0);
  const auto good = RunPagetool({"check", page});
  EXPECT_EQ(good.exitCode, 0) << good.out;
  EXPECT_EQ(good.out, "no problems found\n");

  auto bytes = ReadFileBytes(page);
  const auto put = [&bytes](size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  put(8 + 8 * 5, 2064);  // slot 5 overlaps the background
  put(12 + 8 * 5, 10);
  put(8 + 8 * 6, 2070);  // slot 6 begins inside a stream, without a start-of-image marker
  put(12 + 8 * 6, 4);
  put(8 + 8 * 7, 100000000);  // slot 7 past the end
  put(12 + 8 * 7, 1);
  put(2060, 7000);
  bytes.push_back(0);
  WriteFileBytes(page, bytes);

  const auto damaged = RunPagetool({"check", page});
  EXPECT_EQ(damaged.exitCode, 1);
  for (const char* problem :
       {"background and slot 5 overlap", "slot 6: doesn't begin with a start-of-image marker",
        "slot 7: bytes 100000000 to 100000001 past the end", "link table size is 7000",
        "1 bytes after the link table", "the editor can't load it: JPEG エラー #"}) {
    EXPECT_NE(damaged.out.find(problem), std::string::npos) << problem << "\n" << damaged.out;
  }
}

TEST_F(PagetoolTest, NewTakesEveryPictureFormatAndStoresAKeptJpegByteForByte) {
  const std::vector<uint8_t> photo = EncodeWithHolder(GradientBitmap(30, 20, 4));
  const std::string jpeg = dir_.File("photo.jpg");
  WriteFileBytes(jpeg, photo);
  const std::string webp = dir_.File("back.webp");
  WriteFileBytes(webp, EncodeWebp(16, 12, std::vector<uint8_t>(16 * 12 * 4, 200), true, true));
  const std::string page = dir_.File("formats.pag");
  const auto result = RunPagetool({"new", page, "--background", webp, "--slot", "0=" + jpeg});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const auto info = Info(page);
  EXPECT_EQ(StreamBytes(page, info["slots"][0]), photo);
  EXPECT_EQ(info["background"]["width"], 16);
}

TEST_F(PagetoolTest, BmpWritesBottomUpTwentyFourBits) {
  // An 8-bit picture in, the same colours out as 24 bits.
  TBitmap eight;
  eight.SetPixelFormat(TPixelFormat::pf8bit);
  eight.SetWidth(5);
  eight.SetHeight(3);
  eight.Canvas().Brush().Color = TColor{255, 0, 0};
  eight.Canvas().FillRect(0, 0, 2, 1);
  const std::string output = dir_.File("out.bmp");
  const auto result = RunPagetool({"bmp", WriteBmp("in.bmp", eight), output});
  ASSERT_EQ(result.exitCode, 0) << result.err;

  TBitmap written;
  written.LoadFromFile(output);
  EXPECT_EQ(written.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(written.Info().rowOrder, TRowOrder::BottomUp);
  const auto bytes = ReadFileBytes(output);
  EXPECT_EQ(IntAt(bytes, 14), 40);
  EXPECT_EQ(IntAt(bytes, 22), 3);  // positive height: bottom-up
  EXPECT_EQ(written.Pixel(0, 0), (TColor{255, 0, 0}));
  EXPECT_EQ(written.Pixel(2, 0), clWhite);
}

TEST_F(PagetoolTest, DecodeAndRenderShowTheBackgroundAndTheLinks) {
  const std::string page = dir_.File("page.pag");
  ASSERT_EQ(RunPagetool({"new", page, "--link", "0=10,20,30,40,1,1", "--link", "1=5,5,-1,9,1,1"})
                .exitCode,
            0);
  const std::string decoded = dir_.File("decoded.bmp");
  ASSERT_EQ(RunPagetool({"decode", page, "background", decoded}).exitCode, 0);
  TBitmap background;
  background.LoadFromFile(decoded);
  EXPECT_EQ(background.Width(), 640);
  EXPECT_EQ(background.Height(), 480);
  EXPECT_EQ(background.PixelFormat(), TPixelFormat::pf24bit);

  const std::string rendered = dir_.File("rendered.bmp");
  ASSERT_EQ(RunPagetool({"render", page, rendered}).exitCode, 0);
  TBitmap picture;
  picture.LoadFromFile(rendered);
  const TColor red{255, 0, 0};
  EXPECT_EQ(picture.Pixel(10, 20), red);
  EXPECT_EQ(picture.Pixel(29, 39), red);
  EXPECT_EQ(picture.Pixel(20, 20), red);
  EXPECT_NE(picture.Pixel(20, 30), red);  // inside the outline
  EXPECT_NE(picture.Pixel(30, 40), red);  // right and bottom are excluded
  EXPECT_NE(picture.Pixel(5, 5), red);    // link 1 has an edge that isn't set

  const auto empty = RunPagetool({"decode", page, "3", decoded});
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_EQ(empty.err, "スロット 3 に画像がありません.\n");
}

// Columns of a line on a terminal; the Japanese characters take two.
int TerminalColumns(const std::string& line) {
  int columns = 0;
  for (const char c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) columns += byte >= 0xE3 ? 2 : 1;
  }
  return columns;
}

void ExpectLinesFitTheTerminal(const std::string& text) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(TerminalColumns(line), 79) << line;
  }
}

TEST_F(PagetoolTest, HelpDescribesEveryCommandWithinEightyColumns) {
  const auto help = RunPagetool({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("Usage: pagetool COMMAND", 0), 0u) << help.out;
  ExpectLinesFitTheTerminal(help.out);
  for (const char* command :
       {"new", "edit", "info", "check", "extract", "bmp", "decode", "render"}) {
    EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
    const auto one = RunPagetool({command, "--help"});
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_EQ(one.out.rfind(std::string("Usage: pagetool ") + command + " ", 0), 0u) << one.out;
    ExpectLinesFitTheTerminal(one.out);
  }
  // new takes no clearing options; edit does.
  EXPECT_EQ(RunPagetool({"new", "--help"}).out.find("--clear-slot"), std::string::npos);
  EXPECT_NE(RunPagetool({"edit", "--help"}).out.find("--clear-slot"), std::string::npos);

  const auto version = RunPagetool({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("pagetool ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace pm::test
