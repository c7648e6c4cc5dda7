// TDocumentReader: reads a document's snapshot (DocumentSnapshot.h) on a thread of its own, so
// that a large document never freezes the window, and tells the window on its own thread how
// far it has come and what it found. Only one reading runs at a time; a new one replaces it.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>

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
  // Drops the reading under way; none of its signals comes after this.
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
  std::shared_ptr<Reading> reading_;
};

}  // namespace pm
