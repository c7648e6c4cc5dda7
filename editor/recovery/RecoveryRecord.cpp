#include "editor/recovery/RecoveryRecord.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <charconv>
#include <limits>

namespace pm {

namespace {

// Tells this editor's records from any other JSON that may lie in the folder.
constexpr const char* kKind = "mokepontasu-pagemaker recovery record";
constexpr int kVersion = 1;
// Characters that stay as they are in a percent-encoded path besides letters, digits and -._~.
constexpr const char* kPlainPathCharacters = "/";

// Paths are bytes; in the record they are percent-encoded, so that any name comes back exactly.
QString EncodedPath(const std::string& path) {
  return QString::fromLatin1(
      QByteArray::fromStdString(path).toPercentEncoding(kPlainPathCharacters));
}

std::string DecodedPath(const QString& text) {
  return QByteArray::fromPercentEncoding(text.toLatin1()).toStdString();
}

// 64-bit numbers go as decimal text: a JSON number holds only 53 bits exactly.
QString NumberText(uint64_t number) { return QString::number(number); }
QString NumberText(int64_t number) { return QString::number(number); }

template <typename Integer>
std::optional<Integer> NumberFrom(const QJsonValue& value) {
  if (!value.isString()) return std::nullopt;
  const std::string text = value.toString().toStdString();
  Integer number{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return number;
}

QJsonValue IdentityJson(const std::optional<TFileIdentity>& identity) {
  if (!identity) return QJsonValue::Null;
  return QJsonObject{{"device", NumberText(identity->device)},
                     {"inode", NumberText(identity->inode)},
                     {"size", NumberText(identity->size)},
                     {"modifiedSeconds", NumberText(identity->modifiedSeconds)},
                     {"modifiedNanoseconds", NumberText(identity->modifiedNanoseconds)}};
}

QJsonValue PlaceJson(const std::optional<TDocumentPlace>& place) {
  if (!place) return QJsonValue::Null;
  return QJsonObject{{"pattern", EncodedPath(place->pattern)}, {"page", place->number}};
}

// Reading: each step gives nothing for anything unexpected.

struct IdentityField {
  bool valid = false;
  std::optional<TFileIdentity> identity;
};

IdentityField IdentityFrom(const QJsonValue& value) {
  if (value.isNull()) return {true, std::nullopt};
  if (!value.isObject()) return {};
  const QJsonObject object = value.toObject();
  const auto device = NumberFrom<uint64_t>(object["device"]);
  const auto inode = NumberFrom<uint64_t>(object["inode"]);
  const auto size = NumberFrom<int64_t>(object["size"]);
  const auto seconds = NumberFrom<int64_t>(object["modifiedSeconds"]);
  const auto nanoseconds = NumberFrom<int64_t>(object["modifiedNanoseconds"]);
  if (!device || !inode || !size || !seconds || !nanoseconds) return {};
  return {true, TFileIdentity{*device, *inode, *size, *seconds, *nanoseconds}};
}

struct PlaceField {
  bool valid = false;
  std::optional<TDocumentPlace> place;
};

PlaceField PlaceFrom(const QJsonValue& value) {
  if (value.isNull()) return {true, std::nullopt};
  if (!value.isObject()) return {};
  const QJsonObject object = value.toObject();
  const QJsonValue pattern = object["pattern"];
  const QJsonValue page = object["page"];
  if (!pattern.isString() || !page.isDouble()) return {};
  const double number = page.toDouble();
  if (number != static_cast<double>(static_cast<int32_t>(number))) return {};
  return {true, TDocumentPlace{DecodedPath(pattern.toString()), static_cast<int32_t>(number)}};
}

}  // namespace

QByteArray EncodeRecoveryRecord(const TRecoveryRecord& record) {
  const QJsonObject object{
      {"kind", kKind},
      {"version", kVersion},
      {"ownFile", record.ownFile.empty() ? QJsonValue(QJsonValue::Null)
                                         : QJsonValue(EncodedPath(record.ownFile))},
      {"document", PlaceJson(record.place)},
      {"ownFileIdentity", IdentityJson(record.ownFileIdentity)},
      {"writtenAt", NumberText(record.writtenAt)}};
  return QJsonDocument(object).toJson();
}

std::optional<TRecoveryRecord> DecodeRecoveryRecord(const QByteArray& bytes) {
  if (bytes.size() > kLargestRecoveryRecord) return std::nullopt;
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
  const QJsonObject object = document.object();
  if (object["kind"].toString() != kKind || object["version"].toInt() != kVersion) {
    return std::nullopt;
  }

  TRecoveryRecord record;
  const QJsonValue ownFile = object["ownFile"];
  if (ownFile.isString()) {
    record.ownFile = DecodedPath(ownFile.toString());
    if (record.ownFile.empty() || record.ownFile.front() != '/' ||
        record.ownFile.find('\0') != std::string::npos) {
      return std::nullopt;
    }
  } else if (!ownFile.isNull()) {
    return std::nullopt;
  }
  const PlaceField place = PlaceFrom(object["document"]);
  const IdentityField identity = IdentityFrom(object["ownFileIdentity"]);
  const auto writtenAt = NumberFrom<int64_t>(object["writtenAt"]);
  if (!place.valid || !identity.valid || !writtenAt) return std::nullopt;
  // The place is the one that the own file gives, and an identity needs a file.
  if (place.place != (record.ownFile.empty() ? std::nullopt : DocumentPlaceOf(record.ownFile))) {
    return std::nullopt;
  }
  if (identity.identity && record.ownFile.empty()) return std::nullopt;
  record.place = place.place;
  record.ownFileIdentity = identity.identity;
  record.writtenAt = *writtenAt;
  return record;
}

}  // namespace pm
