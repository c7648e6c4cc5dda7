#include "editor/document/DocumentReader.h"

#include <QMetaObject>
#include <algorithm>
#include <atomic>
#include <limits>
#include <stop_token>
#include <thread>

#include "base/Exceptions.h"

namespace pm {

// One reading: its thread and whether it has ended. The thread owns its pages and the snapshot
// until it hands the snapshot over through the window's event queue.
struct TDocumentReader::Reading {
  std::atomic<bool> ended = false;
  std::jthread thread;  // last: it stops and is joined before the flag goes
};

namespace {

int Count(size_t value) {
  return static_cast<int>(std::min<size_t>(value, std::numeric_limits<int>::max()));
}

}  // namespace

TDocumentReader::TDocumentReader(QObject* parent) : QObject(parent) {}

// Each jthread is asked to stop and joined as its reading goes.
TDocumentReader::~TDocumentReader() = default;

void TDocumentReader::Start(const std::string& pattern, std::optional<int32_t> start) {
  Cancel();
  const uint64_t serial = ++serial_;
  auto reading = std::make_unique<Reading>();
  Reading& own = *reading;
  reading->thread = std::jthread([this, serial, pattern, start, &own](std::stop_token stop) {
    Read(serial, pattern, start, stop);
    own.ended.store(true);
  });
  reading_ = std::move(reading);
}

void TDocumentReader::Cancel() {
  ++serial_;
  if (reading_) {
    reading_->thread.request_stop();
    dropped_.push_back(std::move(reading_));
  }
  JoinEnded();
}

bool TDocumentReader::Busy() const { return reading_ != nullptr; }

void TDocumentReader::JoinEnded() {
  std::erase_if(dropped_, [](const std::unique_ptr<Reading>& reading) {
    return reading->ended.load();  // its thread is about to return: the join is short
  });
}

template <typename Deliver>
void TDocumentReader::Post(uint64_t serial, Deliver deliver) {
  QMetaObject::invokeMethod(
      this,
      [this, serial, deliver = std::move(deliver)] {
        if (serial == serial_) deliver();
      },
      Qt::QueuedConnection);
}

// On the reading's own thread; `this` lives until the thread has been joined.
void TDocumentReader::Read(uint64_t serial, const std::string& pattern,
                           std::optional<int32_t> start, const std::stop_token& stop) {
  const auto ended = [&](auto deliver) {
    Post(serial, [this, deliver = std::move(deliver)] {
      if (reading_) dropped_.push_back(std::move(reading_));
      JoinEnded();
      deliver();
    });
  };
  try {
    std::shared_ptr<const TDocumentSnapshot> snapshot =
        ReadDocumentSnapshot(pattern, start, [&](size_t done, size_t total) {
          if (stop.stop_requested()) return false;
          Post(serial, [this, done, total] { emit Progress(Count(done), Count(total)); });
          return true;
        });
    if (snapshot) ended([this, snapshot] { emit Finished(snapshot); });
  } catch (const Exception& e) {
    ended([this, message = QString::fromStdString(e.Message())] { emit Failed(message); });
  } catch (...) {
    ended([this, message = tr("ドキュメントを読めませんでした")] { emit Failed(message); });
  }
}

}  // namespace pm
