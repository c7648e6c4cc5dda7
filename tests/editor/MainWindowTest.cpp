#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QApplication>
#include <csignal>
#include <functional>

#include "base/FileStream.h"
#include "base/Stream.h"
#include "page/PageFile.h"
#include "tests/editor/StoredPictures.h"
#include "tests/editor/WindowDriver.h"
#include "tests/editor/WindowState.h"
#include "tests/support/TestPictures.h"

namespace pm {
namespace {

using test::Decoded;
using test::kBackgroundEntry;
using test::kJpegTolerance;
using test::MaxChannelDifference;
using test::PixelsOf;
using test::StoredStream;
using test::WindowState;

class MainWindowTest : public test::WindowTest {
 protected:
  // Writes a page file from a page of its own and returns its path.
  std::string PageFile(const std::string& name, const std::function<void(TPage&)>& fill) {
    TPage page;
    fill(page);
    const std::string path = dir.File(name);
    WritePageFile(page, path);
    return path;
  }

  static void PutSlot(TPage& page, int slot, const TBitmap& bitmap) {
    page.SetSlotBitmap(slot, bitmap);
  }

  static void PutLink(TPage& page, int link, const TLinkRecord& values) {
    page.SetLink(link, values);
  }
};

// The two number fields with their spin buttons and the selection that they set.
struct NumberField {
  const char* name;
  TEdit* TForm1::*field;
  TUpDown* TForm1::*upDown;
  int32_t (TPage::*current)() const;
};

const NumberField kNumberFields[] = {
    {"Edit1", &TForm1::Edit1, &TForm1::UpDown1, &TPage::CurrentSlot},
    {"Edit7", &TForm1::Edit7, &TForm1::UpDown2, &TPage::CurrentLink},
};

TEST_F(MainWindowTest, NumberFieldsLimitTheNumberAndPutThePreviousOneBackSilently) {
  for (const NumberField& number : kNumberFields) {
    SCOPED_TRACE(number.name);
    TEdit* field = window.*number.field;
    TUpDown* upDown = window.*number.upDown;
    const auto expectSelected = [&](const std::string& shown, int32_t selected) {
      EXPECT_EQ(field->Text(), shown);
      EXPECT_EQ((window.Page().*number.current)(), selected);
      EXPECT_EQ(upDown->Position(), selected);
    };

    person.TypeInto(field, "300");
    expectSelected("255", 255);
    person.PasteInto(field, "-7");
    expectSelected("0", 0);
    person.TypeInto(field, "5");
    person.DeleteLastCharacter(field);
    expectSelected("5", 5);
    person.TypeInto(field, "12");
    person.PasteInto(field, "abc");
    expectSelected("12", 12);
    person.PasteInto(field, "$ff");
    expectSelected("255", 255);
  }
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(MainWindowTest, TheArrowsWrapAroundAndShowTheSlotOrLinkTheySelect) {
  const std::string picture = BmpFile("255.bmp", test::SharpBitmap(9, 7));
  person.ImportSlot(255, picture);
  const TLinkRecord link255{1, 2, 3, 4, 5, 0, 6};
  person.SetLink(255, link255);
  person.SelectSlot(0);
  person.SelectLink(0);

  person.PressDownArrow(window.UpDown1);
  EXPECT_EQ(window.Edit1->Text(), "255");
  EXPECT_EQ(window.Page().CurrentSlot(), 255);
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), PixelsOf(test::SharpBitmap(9, 7)));
  EXPECT_EQ(window.Edit6->Text(), picture);

  person.PressUpArrow(window.UpDown1);
  EXPECT_EQ(window.Edit1->Text(), "0");
  EXPECT_EQ(window.Page().CurrentSlot(), 0);
  EXPECT_EQ(window.Image1->Picture(), nullptr);
  EXPECT_EQ(window.Edit6->Text(), "");
  person.PressUpArrow(window.UpDown1);
  EXPECT_EQ(window.Edit1->Text(), "1");

  person.PressDownArrow(window.UpDown2);
  EXPECT_EQ(window.Edit7->Text(), "255");
  EXPECT_EQ(window.Page().CurrentLink(), 255);
  EXPECT_EQ(person.ShownLink(), link255);
  person.PressUpArrow(window.UpDown2);
  EXPECT_EQ(window.Edit7->Text(), "0");
  EXPECT_EQ(window.Page().CurrentLink(), 0);
  EXPECT_EQ(person.ShownLink(), TLinkRecord{});
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(MainWindowTest, AnImportShowsTheBitmapAsReadNotAJpegCopy) {
  const TBitmap sharp = test::SharpBitmap(40, 30, 1);
  // JPEG would blur this picture's detail: the checks below tell the two apart.
  ASSERT_GT(MaxChannelDifference(Decoded(test::EncodeWithHolder(sharp)), PixelsOf(sharp)), 32);
  const std::string slotFile = BmpFile("sharp.bmp", sharp);
  const std::string backgroundFile = BmpFile("back.bmp", test::SharpBitmap(64, 48, 2));

  person.ImportSlot(3, slotFile);
  person.ImportBackground(backgroundFile);
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), PixelsOf(sharp));
  EXPECT_EQ(window.Edit6->Text(), slotFile);
  EXPECT_EQ(PixelsOf(window.Image2->Picture()), PixelsOf(test::SharpBitmap(64, 48, 2)));
  EXPECT_EQ(window.Edit9->Text(), backgroundFile);

  // A save encodes the pictures, but the slot keeps showing the bitmap as read.
  person.Save(dir.File("page.pag"));
  person.SelectSlot(4);
  EXPECT_EQ(window.Image1->Picture(), nullptr);
  EXPECT_EQ(window.Edit6->Text(), "");
  person.SelectSlot(3);
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), PixelsOf(sharp));
  EXPECT_EQ(window.Edit6->Text(), slotFile);

  // "削除" empties the slot, its preview and its name.
  person.Click(window.BitBtn2);
  EXPECT_EQ(window.Image1->Picture(), nullptr);
  EXPECT_EQ(window.Edit6->Text(), "");
  EXPECT_TRUE(window.Page().SlotHolder(3).IsEmpty());
  EXPECT_EQ(window.Page().SlotFileName(3), "");
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(MainWindowTest, ASlotFromAPageFileShowsItsDecodedPictureWithoutAName) {
  const std::string file = PageFile("loaded.pag", [](TPage& page) {
    page.SetBackgroundBitmap(test::GradientBitmap(80, 60, 3));
    PutSlot(page, 0, test::GradientBitmap(16, 12, 1));
    PutSlot(page, 9, test::GradientBitmap(48, 36));
  });
  const auto bytes = test::ReadFileBytes(file);
  person.Load(file);
  ASSERT_TRUE(errors.shown.empty());
  EXPECT_EQ(PixelsOf(window.Image2->Picture()), Decoded(StoredStream(bytes, kBackgroundEntry)));

  person.SelectSlot(9);
  EXPECT_EQ(window.Edit6->Text(), "");
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), Decoded(StoredStream(bytes, 9)));
  EXPECT_LE(MaxChannelDifference(PixelsOf(window.Image1->Picture()),
                                 PixelsOf(test::GradientBitmap(48, 36))),
            kJpegTolerance);
  person.SelectSlot(10);
  EXPECT_EQ(window.Image1->Picture(), nullptr);
  EXPECT_EQ(window.Edit6->Text(), "");
}

TEST_F(MainWindowTest, ALoadShowsSlotZeroAndLinkZeroOfTheFileWhateverTheFieldsShowed) {
  const std::string backgroundFile = BmpFile("back.bmp", test::SharpBitmap(20, 10));
  person.ImportBackground(backgroundFile);
  person.ImportSlot(0, BmpFile("0.bmp", test::SharpBitmap(8, 8)));
  person.SetLink(0, {1, 2, 3, 4, 5, 0, 6});
  ASSERT_EQ(window.Edit1->Text(), "0");
  ASSERT_EQ(window.Edit7->Text(), "0");

  const TLinkRecord loadedLink{100, 200, 300, 400, 7, 9, 1};
  const std::string file = PageFile("loaded.pag", [&](TPage& page) {
    page.SetBackgroundBitmap(test::GradientBitmap(32, 24, 4));
    PutSlot(page, 0, test::GradientBitmap(24, 16, 5));
    PutLink(page, 0, loadedLink);
  });
  const auto bytes = test::ReadFileBytes(file);
  person.Load(file);
  ASSERT_TRUE(errors.shown.empty());
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), Decoded(StoredStream(bytes, 0)));
  EXPECT_EQ(window.Edit6->Text(), "");
  EXPECT_EQ(person.ShownLink(), (TLinkRecord{100, 200, 300, 400, 7, 0, 1}));
  EXPECT_EQ(window.Page().Link(0), loadedLink);
  EXPECT_EQ(PixelsOf(window.Image2->Picture()), Decoded(StoredStream(bytes, kBackgroundEntry)));
  // The background's name field keeps the name imported before; the page has none now.
  EXPECT_EQ(window.Edit9->Text(), backgroundFile);
  EXPECT_EQ(window.Page().BackgroundFileName(), "");

  // From other numbers the load goes back to 0, spin buttons included.
  person.SelectSlot(7);
  person.SelectLink(9);
  person.Load(file);
  EXPECT_EQ(window.Edit1->Text(), "0");
  EXPECT_EQ(window.UpDown1->Position(), 0);
  EXPECT_EQ(window.Edit7->Text(), "0");
  EXPECT_EQ(window.UpDown2->Position(), 0);
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), Decoded(StoredStream(bytes, 0)));
  EXPECT_EQ(person.ShownLink(), (TLinkRecord{100, 200, 300, 400, 7, 0, 1}));
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(MainWindowTest, UpdateStoresTheFieldsBeforeOneThatIsNotANumberAndNamesIt) {
  person.SetLink(2, {1, 2, 3, 4, 5, 0, 6});
  ASSERT_EQ(window.Page().Link(2), (TLinkRecord{1, 2, 3, 4, 5, 0, 6}));

  person.TypeInto(window.Edit2, "10");
  person.TypeInto(window.Edit3, "20");
  person.TypeInto(window.Edit4, "abc");
  person.TypeInto(window.Edit5, "40");
  person.TypeInto(window.Edit8, "50");
  person.TypeInto(window.Edit10, "60");
  person.Click(window.Button3);
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"'abc' は整数ではありません."});
  EXPECT_EQ(window.Page().Link(2), (TLinkRecord{10, 20, 3, 4, 5, 0, 6}));
  EXPECT_EQ(window.Edit4->Text(), "abc");

  // Values are stored as typed, without a range check.
  person.SetLink(2, {-5, 2147483647, -2147483648, 0, 99999, 0, 1000});
  EXPECT_EQ(window.Page().Link(2), (TLinkRecord{-5, 2147483647, -2147483648, 0, 99999, 0, 1000}));
}

TEST_F(MainWindowTest, ClearingALinkKeepsItsFieldsSoUpdateStoresThemBackWithReservedZero) {
  const TLinkRecord loaded{11, 12, 13, 14, 15, 77, 16};
  person.Load(PageFile("reserved.pag", [&](TPage& page) { PutLink(page, 4, loaded); }));
  person.SelectLink(4);
  ASSERT_EQ(window.Page().Link(4), loaded);

  person.Click(window.Button1);
  EXPECT_EQ(window.Page().Link(4), TLinkRecord{});
  EXPECT_EQ(person.ShownLink(), (TLinkRecord{11, 12, 13, 14, 15, 0, 16}));
  person.Click(window.Button3);
  EXPECT_EQ(window.Page().Link(4), (TLinkRecord{11, 12, 13, 14, 15, 0, 16}));
  EXPECT_TRUE(errors.shown.empty());
}

TEST_F(MainWindowTest, AFailedImportNamesTheImageButKeepsItsPictureAndPreview) {
  const std::string good = BmpFile("good.bmp", test::SharpBitmap(12, 10));
  const std::string notes = dir.File("notes.txt");
  const std::string text = "This is a note, not a picture.\n";
  test::WriteFileBytes(notes, {text.begin(), text.end()});
  person.ImportSlot(4, good);
  person.ImportBackground(good);
  ASSERT_TRUE(errors.shown.empty());

  const struct {
    const char* what;
    QAbstractButton* button;
    TImage* preview;
    TEdit* nameField;
    std::function<const TJPEGImage&()> holder;
    std::function<std::string()> name;
  } imports[] = {
      {"slot", window.BitBtn1, window.Image1, window.Edit6,
       [&]() -> const TJPEGImage& { return window.Page().SlotHolder(4); },
       [&] { return window.Page().SlotFileName(4); }},
      {"background", window.Button2, window.Image2, window.Edit9,
       [&]() -> const TJPEGImage& { return window.Page().BackgroundHolder(); },
       [&] { return window.Page().BackgroundFileName(); }},
  };
  for (const auto& import : imports) {
    SCOPED_TRACE(import.what);
    errors.shown.clear();
    const TJPEGImage* holderBefore = &import.holder();
    const auto pictureBefore = PixelsOf(import.holder().HeldBitmap());
    const auto previewBefore = PixelsOf(import.preview->Picture());

    dialogs.Answer(notes, 2);  // picked through "*.*"
    person.Click(import.button);
    EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ビットマップイメージが不正です."});
    EXPECT_EQ(import.name(), notes);
    EXPECT_EQ(&import.holder(), holderBefore);
    EXPECT_EQ(PixelsOf(import.holder().HeldBitmap()), pictureBefore);
    EXPECT_EQ(PixelsOf(import.preview->Picture()), previewBefore);
    EXPECT_EQ(import.nameField->Text(), good);

    // A file that isn't there fails the same way, with the message of the open.
    errors.shown.clear();
    const std::string missing = dir.File("missing.bmp");
    dialogs.Answer(missing);
    person.Click(import.button);
    EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ファイル " + missing + " は開けません."});
    EXPECT_EQ(import.name(), missing);
    EXPECT_EQ(PixelsOf(import.preview->Picture()), previewBefore);
  }

  // A file of no bytes is no picture either: the slot keeps the picture that it had.
  person.ImportSlot(4, BmpFile("4.bmp", test::SharpBitmap(8, 8, 4)));
  const auto slotBefore = PixelsOf(window.Page().SlotHolder(4).HeldBitmap());
  const auto shownBefore = PixelsOf(window.Image1->Picture());
  errors.shown.clear();
  const std::string empty = dir.File("empty.bmp");
  test::WriteFileBytes(empty, {});
  person.ImportSlot(4, empty);
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ビットマップイメージが不正です."});
  EXPECT_EQ(PixelsOf(window.Page().SlotHolder(4).HeldBitmap()), slotBefore);
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), shownBefore);
  errors.shown.clear();
  person.Save(dir.File("page.pag"));
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_FALSE(StoredStream(test::ReadFileBytes(dir.File("page.pag")), 4).empty());
}

// Puts a little-endian integer into file bytes.
void PutInt(std::vector<uint8_t>& bytes, int64_t offset, int32_t value) {
  StoreUInt32LE(bytes.data() + offset, static_cast<uint32_t>(value));
}

// Points an entry at bytes appended to the file.
std::vector<uint8_t> WithStream(std::vector<uint8_t> file, int slot,
                                const std::vector<uint8_t>& stream) {
  PutInt(file, page_file::SlotEntryOffset(slot), static_cast<int32_t>(file.size()));
  PutInt(file, page_file::SlotEntryOffset(slot) + page_file::kIntegerSize,
         static_cast<int32_t>(stream.size()));
  file.insert(file.end(), stream.begin(), stream.end());
  return file;
}

TEST_F(MainWindowTest, AFailedLoadLeavesTheWindowShowingWhatItShowedBefore) {
  person.ImportBackground(BmpFile("back.bmp", test::SharpBitmap(20, 10)));
  person.ImportSlot(0, BmpFile("0.bmp", test::SharpBitmap(8, 8, 1)));
  person.ImportSlot(200, BmpFile("200.bmp", test::SharpBitmap(8, 8, 2)));
  person.SetLink(3, {1, 2, 3, 4, 5, 0, 6});
  person.SelectSlot(200);
  person.TypeInto(window.Edit10, "77");  // typed, not yet stored

  const std::string goodFile = PageFile("good.pag", [](TPage& page) {
    page.SetBackgroundBitmap(test::GradientBitmap(32, 24, 1));
    PutSlot(page, 0, test::GradientBitmap(16, 16, 2));
    PutSlot(page, 200, test::GradientBitmap(16, 16, 3));
    PutLink(page, 3, {9, 9, 9, 9, 9, 9, 9});
  });
  const auto good = test::ReadFileBytes(goodFile);
  auto cutShort = good;
  cutShort.pop_back();
  const auto undecodable =
      test::WithoutSegments(test::EncodeWithHolder(test::GradientBitmap(8, 8)), 0xDB);

  const struct {
    const char* what;
    std::vector<uint8_t> bytes;  // empty: no file at all
    std::string message;
  } cases[] = {
      {"slot 200 isn't JPEG", WithStream(good, 200, {'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'}),
       "JPEG エラー #52."},
      {"slot 0 can't be decoded", WithStream(good, 0, undecodable), "JPEG エラー #51."},
      {"cut short", cutShort, "ストリームからの読み込みエラー."},
      {"missing", {}, ""},
  };
  for (const auto& failure : cases) {
    SCOPED_TRACE(failure.what);
    const std::string file = dir.File(std::string(failure.what) + ".pag");
    std::string message = failure.message;
    if (failure.bytes.empty()) {
      message = "ファイル " + file + " は開けません.";
    } else {
      test::WriteFileBytes(file, failure.bytes);
    }
    errors.shown.clear();
    const WindowState before(window);
    person.Load(file);
    EXPECT_EQ(errors.Texts(), std::vector<std::string>{message});
    EXPECT_TRUE(WindowState(window) == before);
  }

  // The failed loads closed their files and changed nothing that a good load needs.
  errors.shown.clear();
  person.Load(goodFile);
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_EQ(window.Page().Link(3), (TLinkRecord{9, 9, 9, 9, 9, 9, 9}));
}

// Writes past this size fail while the object lives, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    EXPECT_EQ(::sigaction(SIGXFSZ, &ignore, &previousAction_), 0);
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &previous_), 0);
    const struct rlimit limit { bytes, previous_.rlim_max };
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    ::sigaction(SIGXFSZ, &previousAction_, nullptr);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit previous_ {};
  struct sigaction previousAction_ {};
};

TEST_F(MainWindowTest, AFailedSaveOverAnExistingFileLeavesItIntact) {
  person.ImportSlot(1, BmpFile("1.bmp", test::GradientBitmap(64, 64)));
  const std::string file = dir.File("page.pag");
  const std::vector<uint8_t> previous{'o', 'l', 'd', ' ', 'p', 'a', 'g', 'e'};
  test::WriteFileBytes(file, previous);

  {
    const TFileStream heldByALoad(file, FileAccess::ReadExclusive);
    person.Save(file);
  }
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ファイル " + file + " を作成できません."});
  EXPECT_EQ(test::ReadFileBytes(file), previous);

  errors.shown.clear();
  {
    const FileSizeLimit full(4096);
    person.Save(file);
  }
  EXPECT_EQ(errors.Texts(), std::vector<std::string>{"ストリームへの書き込みエラー."});
  EXPECT_EQ(test::ReadFileBytes(file), previous);

  errors.shown.clear();
  person.Save(file);
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_FALSE(StoredStream(test::ReadFileBytes(file), 1).empty());
}

TEST_F(MainWindowTest, ClosingWithUnsavedEditsClosesAtOnceAndFreesTheHolders) {
  person.ImportSlot(2, BmpFile("2.bmp", test::SharpBitmap(8, 8)));
  person.SetLink(1, {1, 2, 3, 4, 5, 0, 6});
  const size_t dialogsAsked = dialogs.requests.size();

  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(window.Page().HoldersFreed());
  EXPECT_TRUE(errors.shown.empty());
  EXPECT_EQ(dialogs.requests.size(), dialogsAsked);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Another view of the same page changes it by number: the window shows each change at once, as
// if the author had made it here, and its own handlers go on as before.
TEST_F(MainWindowTest, TheWindowFollowsWhatAnotherViewChangesInThePage) {
  TPage& page = window.Page();
  person.SelectSlot(4);
  person.SelectLink(7);
  page.SetLink(7, TLinkRecord{10, 20, 110, 220, 3, 0, 4});
  EXPECT_EQ(person.ShownLink(), (TLinkRecord{10, 20, 110, 220, 3, 0, 4}));

  page.SetSlotBitmap(4, test::SharpBitmap(5, 3));
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), PixelsOf(test::SharpBitmap(5, 3)));
  page.SetSlotBitmap(5, test::SharpBitmap(2, 2));  // not the slot shown
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), PixelsOf(test::SharpBitmap(5, 3)));

  page.SelectLink(9);
  EXPECT_EQ(window.Edit7->Text(), "9");
  EXPECT_EQ(window.UpDown2->Position(), 9);
  EXPECT_EQ(person.ShownLink(), TLinkRecord());
  page.SelectSlot(4);
  page.SelectSlot(5);
  EXPECT_EQ(window.Edit1->Text(), "5");
  EXPECT_EQ(PixelsOf(window.Image1->Picture()), PixelsOf(test::SharpBitmap(2, 2)));

  // The window's own "削除" still leaves its fields as they were.
  person.TypeInto(window.Edit2, "1");
  person.Click(window.Button3);
  person.Click(window.Button1);
  EXPECT_EQ(window.Edit2->Text(), "1");
  EXPECT_EQ(page.Link(9), TLinkRecord());
  EXPECT_TRUE(errors.shown.empty());
}

}  // namespace
}  // namespace pm
