// Reading a document for its window: the snapshot with its marks, thumbnails and layout, and
// the reading on a thread of its own with its signals.
#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "editor/document/DocumentReader.h"
#include "editor/document/DocumentSnapshot.h"
#include "page/DocumentErrors.h"
#include "tests/editor/MapDocument.h"

namespace pm {
namespace {

TEST(DocumentSnapshotTest, MarksMissingAndFailedPagesAndMakesSmallThumbnails) {
  test::TempDir dir;
  const auto snapshot = ReadDocumentSnapshot(test::WriteMapDocument(dir));
  ASSERT_NE(snapshot, nullptr);
  const TDocumentOverview& overview = snapshot->overview;

  std::vector<int32_t> numbers;
  for (const TPageCard& card : overview.cards) numbers.push_back(card.number);
  EXPECT_EQ(numbers, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 9}));
  EXPECT_TRUE(overview.Card(1)->start);
  EXPECT_FALSE(overview.Card(2)->unreachable);
  EXPECT_TRUE(overview.Card(3)->unreachable);
  EXPECT_TRUE(overview.Card(4)->loadFailed);
  // A background that can't be decoded fails the page, as it fails the editor's load.
  EXPECT_TRUE(overview.Card(5)->loadFailed);
  EXPECT_TRUE(snapshot->outlines[4].loadFailure.has_value());
  EXPECT_TRUE(overview.Card(9)->missing);
  ASSERT_EQ(overview.arrows.size(), 5u);
  EXPECT_EQ(overview.arrows[0].links, (std::vector<int32_t>{0, 1}));  // 1 → 2
  EXPECT_TRUE(overview.arrows[1].dead);                               // 1 → 9

  // The backgrounds decoded at a reduced scale and no larger than the thumbnail box.
  EXPECT_EQ(snapshot->thumbnails.at(1).size(), QSize(128, 96));  // 256 × 192 at 1/2
  EXPECT_EQ(snapshot->thumbnails.at(2).size(), QSize(128, 96));  // 400 × 300 at 1/2, fitted
  EXPECT_EQ(snapshot->thumbnails.at(3).size(), QSize(64, 48));   // small: at full size
  EXPECT_FALSE(snapshot->thumbnails.contains(4));
  EXPECT_FALSE(snapshot->thumbnails.contains(5));
  const QColor corner = snapshot->thumbnails.at(1).pixelColor(0, 0);
  EXPECT_GT(corner.blue() + corner.red(), 100) << "a picture, not an empty image";

  EXPECT_EQ(snapshot->layout.cards.size(), overview.cards.size());
  EXPECT_EQ(snapshot->layout.arrows.size(), overview.arrows.size());
  EXPECT_TRUE(snapshot->layout.allArrows);
}

TEST(DocumentSnapshotTest, TellsHowFarItHasComeAndStopsWhenAsked) {
  test::TempDir dir;
  const std::string pattern = test::WriteLinkedDocument(dir, 4, 1);
  std::vector<std::pair<size_t, size_t>> steps;
  EXPECT_NE(ReadDocumentSnapshot(pattern, std::nullopt,
                                 [&](size_t done, size_t total) {
                                   steps.emplace_back(done, total);
                                   return true;
                                 }),
            nullptr);
  EXPECT_EQ(steps,
            (std::vector<std::pair<size_t, size_t>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));

  size_t asked = 0;
  EXPECT_EQ(ReadDocumentSnapshot(pattern, std::nullopt,
                                 [&](size_t done, size_t) {
                                   ++asked;
                                   return done < 2;
                                 }),
            nullptr);
  EXPECT_EQ(asked, 3u);
  EXPECT_THROW(ReadDocumentSnapshot(dir.File("none%d.pag")), EInvalidDocument);
}

// What a reader's signals told, in order, as text.
class ReaderLog {
 public:
  explicit ReaderLog(TDocumentReader& reader) {
    QObject::connect(&reader, &TDocumentReader::Progress, [this](int done, int total) {
      events.push_back("progress " + std::to_string(done) + "/" + std::to_string(total));
    });
    QObject::connect(
        &reader, &TDocumentReader::Finished,
        [this](const std::shared_ptr<const TDocumentSnapshot>& snapshot) {
          events.push_back("finished " + std::to_string(snapshot->document.Pages().size()));
        });
    QObject::connect(&reader, &TDocumentReader::Failed,
                     [this](const QString&) { events.push_back("failed"); });
  }
  bool Ended() const {
    return !events.empty() && (events.back().starts_with("finished") || events.back() == "failed");
  }
  std::vector<std::string> events;
};

TEST(DocumentReaderTest, ReadsOnItsOwnThreadAndTellsProgressThenTheSnapshot) {
  test::TempDir dir;
  const std::string pattern = test::WriteLinkedDocument(dir, 3, 2);
  TDocumentReader reader;
  ReaderLog log(reader);
  reader.Start(pattern);
  EXPECT_TRUE(reader.Busy());
  EXPECT_TRUE(log.events.empty()) << "signals come through the window's event loop";
  ASSERT_TRUE(QTest::qWaitFor([&] { return log.Ended(); }, 20000));
  EXPECT_EQ(log.events, (std::vector<std::string>{"progress 0/3", "progress 1/3", "progress 2/3",
                                                  "progress 3/3", "finished 3"}));
  EXPECT_FALSE(reader.Busy());

  reader.Start(dir.File("nothing%d.pag"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return log.events.size() > 5; }, 20000));
  EXPECT_EQ(log.events.back(), "failed");
  EXPECT_FALSE(reader.Busy());
}

TEST(DocumentReaderTest, NoSignalOfACancelledOrReplacedReading) {
  test::TempDir dir;
  const std::string large = test::WriteLinkedDocument(dir, 30, 3);
  const std::string small = dir.File("p%d.pag");
  test::WriteMapDocument(dir);

  TDocumentReader reader;
  ReaderLog log(reader);
  reader.Start(large);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !log.events.empty(); }, 20000));
  reader.Cancel();
  EXPECT_FALSE(reader.Busy());
  const size_t beforeCancel = log.events.size();

  // A new reading replaces the one under way before it has finished.
  reader.Start(large);
  reader.Start(small);
  ASSERT_TRUE(QTest::qWaitFor([&] { return log.Ended(); }, 20000));
  QTest::qWait(100);  // whatever the dropped threads still sent is delivered by now
  const std::vector<std::string> after(log.events.begin() + beforeCancel, log.events.end());
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.front(), "progress 0/6");
  EXPECT_EQ(after.back(), "finished 6");
  for (const std::string& event : after) EXPECT_EQ(event.find("/30"), std::string::npos);

  // A reader that goes while it reads stops and waits for its thread.
  auto leaving = std::make_unique<TDocumentReader>();
  leaving->Start(large);
  leaving.reset();
}

}  // namespace
}  // namespace pm
