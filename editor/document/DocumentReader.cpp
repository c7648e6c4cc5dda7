#include "editor/document/DocumentReader.h"

#include <QTimer>

#include "base/Exceptions.h"

namespace pm {

// A first version that reads on the window's thread once the event loop runs; the map's work
// replaces it with a thread of its own.
struct TDocumentReader::Reading {
  bool cancelled = false;
};

TDocumentReader::TDocumentReader(QObject* parent) : QObject(parent) {}

TDocumentReader::~TDocumentReader() { Cancel(); }

void TDocumentReader::Start(const std::string& pattern, std::optional<int32_t> start) {
  Cancel();
  auto reading = std::make_shared<Reading>();
  reading_ = reading;
  QTimer::singleShot(0, this, [this, reading, pattern, start] {
    if (reading->cancelled) return;
    reading_.reset();
    try {
      emit Finished(ReadDocumentSnapshot(pattern, start));
    } catch (const Exception& e) {
      emit Failed(QString::fromStdString(e.Message()));
    }
  });
}

void TDocumentReader::Cancel() {
  if (reading_) reading_->cancelled = true;
  reading_.reset();
}

bool TDocumentReader::Busy() const { return reading_ != nullptr; }

}  // namespace pm
