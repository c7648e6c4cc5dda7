#include "editor/ApplicationTitle.h"

#include <QCoreApplication>
#include <QString>

namespace pm {

namespace {

constexpr char kPathSeparator = '/';
constexpr char kFullStop = '.';

std::string_view FileNameOf(std::string_view path) {
  const size_t separator = path.rfind(kPathSeparator);
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string_view BeforeFirstFullStop(std::string_view name) {
  return name.substr(0, name.find(kFullStop));
}

// The first character keeps its case; a character outside the basic plane is two UTF-16 units.
std::string LowerAfterFirstCharacter(std::string_view name) {
  const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (text.isEmpty()) return {};
  const qsizetype firstLength = text.front().isHighSurrogate() && text.size() > 1 ? 2 : 1;
  return (text.left(firstLength) + text.mid(firstLength).toLower()).toStdString();
}

}  // namespace

std::string ApplicationTitleFromPath(std::string_view programPath) {
  return LowerAfterFirstCharacter(BeforeFirstFullStop(FileNameOf(programPath)));
}

const std::string& ApplicationTitle() {
  static const std::string title =
      ApplicationTitleFromPath(QCoreApplication::applicationFilePath().toStdString());
  return title;
}

}  // namespace pm
