// TDocumentReader: reads a document's snapshot (DocumentSnapshot.h) on a thread of its own, so
// that a large document never freezes the window, and tells the window on its own thread how
// far it has come and what it found. Only one reading runs at a time; a new one replaces it.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "editor/document/DocumentSnapshot.h"

namespace pm {

class TDocumentReader : public QObject {
  Q_OBJECT

 public:
  explicit TDocumentReader(QObject* parent = nullptr);
  // Stops a reading under way and waits for its thread.
  ~TDocumentReader() override;
  TDocumentReader(const TDocumentReader&) = delete;
  TDocumentReader& operator=(const TDocumentReader&) = delete;

  // Starts reading the document of `pattern`; a reading under way is dropped.
  void Start(const std::string& pattern, std::optional<int32_t> start = std::nullopt);
  // Drops the reading under way; none of its signals comes after this. Its thread stops after
  // the page it is reading, without keeping the window waiting.
  void Cancel();
  bool Busy() const;

 signals:
  // Pages read of pages in all.
  void Progress(int done, int total);
  void Finished(std::shared_ptr<const pm::TDocumentSnapshot> snapshot);
  // The pattern names no document (a folder that can't be read, no pages); the message says why.
  void Failed(const QString& message);

 private:
  struct Reading;

  // On the window's thread: runs `deliver` (which emits a signal) when the reading `serial` is
  // still the one under way.
  template <typename Deliver>
  void Post(uint64_t serial, Deliver deliver);
  // On the reading's own thread.
  void Read(uint64_t serial, const std::string& pattern, std::optional<int32_t> start,
            const std::stop_token& stop);
  // Joins the threads of dropped readings that have ended.
  void JoinEnded();

  std::unique_ptr<Reading> reading_;  // the reading under way
  std::vector<std::unique_ptr<Reading>> dropped_;
  uint64_t serial_ = 0;  // of the reading under way; on the window's thread
};

}  // namespace pm
