// Page files made to exhaust the editor: its load refuses a picture beyond the limit with the
// memory message before anything of its size exists, and takes a page whose entries all name
// one stream with the stream held once.
#include "base/Exceptions.h"
#include "page/PageFile.h"
#include "tests/editor/WindowDriver.h"
#include "tests/support/HostileFiles.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

class HostileLoadTest : public test::WindowTest {};

TEST_F(HostileLoadTest, APictureBeyondTheLimitIsRefusedAndTheWindowKeepsItsPage) {
  const std::string claims = dir.File("claims.pag");
  test::WriteFileBytes(claims, test::PageFileOf(test::CutOffJpeg(65500, 10900, true)));
  person.Load(claims);
  EXPECT_EQ(errors.Texts(),
            std::vector<std::string>{"システムエラー。コード：12.\r\nメモリを確保できません."});
  EXPECT_TRUE(window.Page().BackgroundHolder().IsEmpty());
  EXPECT_EQ(window.Image2->Picture(), nullptr);
}

TEST_F(HostileLoadTest, EntriesNamingOneStreamLoadItOnce) {
  const std::string same = dir.File("same.pag");
  test::WriteFileBytes(
      same, test::PageFileNamingOneStream(test::EncodeWithHolder(test::GradientBitmap(40, 30))));
  person.Load(same);
  ASSERT_TRUE(errors.shown.empty());
  const uint8_t* bytes = window.Page().BackgroundHolder().Data().Bytes().data();
  EXPECT_EQ(window.Page().SlotHolder(255).Data().Bytes().data(), bytes);
  ASSERT_NE(window.Image1->Picture(), nullptr);
  EXPECT_TRUE(window.Image1->Picture()->SharesStoreWith(*window.Image2->Picture()));
}

}  // namespace
}  // namespace pm
