// The record beside a recovery copy: which file the copy's unsaved changes belong to, the
// document place that file gives, the state of that file on disk when the editor last read or
// wrote it, and when the copy was written. A small JSON object; everything read from one is
// checked, and a record that isn't wholly as this editor writes it is not used at all.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>

#include "base/FileIdentity.h"
#include "page/DocumentPlace.h"

namespace pm {

// A record larger than this is not read.
inline constexpr int64_t kLargestRecoveryRecord = 64 * 1024;

struct TRecoveryRecord {
  // The page's own file as an absolute path, or empty for a new page of no document.
  std::string ownFile;
  std::optional<TDocumentPlace> place;
  // The own file's state on disk as the editor last knew it; nothing when there was no file.
  std::optional<TFileIdentity> ownFileIdentity;
  // When the copy was written, in milliseconds since 1970-01-01 UTC.
  int64_t writtenAt = 0;

  friend bool operator==(const TRecoveryRecord&, const TRecoveryRecord&) = default;
};

QByteArray EncodeRecoveryRecord(const TRecoveryRecord& record);
// Nothing for anything but a record as EncodeRecoveryRecord writes it: not JSON, another kind of
// object, a missing or mistyped field, a relative own file, a place that its own file doesn't
// give, a size beyond kLargestRecoveryRecord.
std::optional<TRecoveryRecord> DecodeRecoveryRecord(const QByteArray& bytes);

}  // namespace pm
