#include "editor/Translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace pm {

namespace {

constexpr const char* kTranslationName = "pagemaker";
constexpr const char* kTranslationFolder = ":/i18n";
constexpr const char* kMessageContext = "Message";

// The messages of the core, each with its arguments: %s a text, %d a number, %m a message of its
// own, translated in turn.
constexpr std::array kMessages = {
    QT_TRANSLATE_NOOP("Message", "ストリームからの読み込みエラー"),
    QT_TRANSLATE_NOOP("Message", "ストリームへの書き込みエラー"),
    QT_TRANSLATE_NOOP("Message", "ファイル %s は開けません"),
    QT_TRANSLATE_NOOP("Message", "ファイル %s を作成できません"),
    QT_TRANSLATE_NOOP("Message", "メモリストリームの拡大中にメモリが足りなくなりました"),
    QT_TRANSLATE_NOOP("Message", "メモリが足りません"),
    QT_TRANSLATE_NOOP("Message", "'%s' は整数ではありません"),
    QT_TRANSLATE_NOOP("Message", "システムエラー。コード：%d.\r\n%m"),
    QT_TRANSLATE_NOOP("Message", "メモリを確保できません"),
    QT_TRANSLATE_NOOP("Message", "JPEG エラー #%d"),
    QT_TRANSLATE_NOOP("Message", "JPEG イメージのサイズは変更できません"),
    QT_TRANSLATE_NOOP("Message", "画像フォーマットが不正です"),
    QT_TRANSLATE_NOOP("Message", "ビットマップイメージが不正です"),
    QT_TRANSLATE_NOOP("Message", "スキャンライン のインデックスが範囲を越えました"),
    QT_TRANSLATE_NOOP("Message", "内部エラー: %s"),
    QT_TRANSLATE_NOOP("Message", "不明なエラーが発生しました"),
};

// A message split at its arguments: the texts around them and the kind of each argument.
struct TTemplate {
  std::vector<std::string> texts;  // one more than the arguments
  std::vector<char> kinds;         // 's', 'd' or 'm'
};

TTemplate Split(std::string_view message) {
  TTemplate split;
  std::string text;
  for (size_t i = 0; i < message.size(); ++i) {
    const bool argument = message[i] == '%' && i + 1 < message.size() &&
                          std::string_view("sdm").find(message[i + 1]) != std::string_view::npos;
    if (!argument) {
      text += message[i];
      continue;
    }
    split.texts.push_back(std::move(text));
    text.clear();
    split.kinds.push_back(message[++i]);
  }
  split.texts.push_back(std::move(text));
  return split;
}

bool IsNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The arguments of `message` when it is the template with some arguments, byte for byte.
std::optional<std::vector<std::string>> Arguments(const TTemplate& pattern,
                                                  std::string_view message) {
  const std::string& first = pattern.texts.front();
  const std::string& last = pattern.texts.back();
  if (pattern.kinds.empty()) {
    return message == first ? std::optional<std::vector<std::string>>(std::in_place) : std::nullopt;
  }
  if (message.size() < first.size() + last.size() || !message.starts_with(first) ||
      !message.ends_with(last)) {
    return std::nullopt;
  }
  std::string_view rest = message.substr(first.size(), message.size() - first.size() - last.size());
  std::vector<std::string> arguments;
  for (size_t i = 0; i < pattern.kinds.size(); ++i) {
    const bool lastArgument = i + 1 == pattern.kinds.size();
    const size_t end = lastArgument ? rest.size() : rest.find(pattern.texts[i + 1]);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view argument = rest.substr(0, end);
    if (pattern.kinds[i] == 'd' && !IsNumber(argument)) return std::nullopt;
    arguments.emplace_back(argument);
    rest.remove_prefix(end + (lastArgument ? 0 : pattern.texts[i + 1].size()));
  }
  return arguments;
}

// The translated template with the arguments in their places, in their order.
std::string WithArguments(const TTemplate& translation, const TTemplate& source,
                          const std::vector<std::string>& arguments) {
  std::string text = translation.texts.front();
  for (size_t i = 0; i < translation.kinds.size() && i < arguments.size(); ++i) {
    text += source.kinds[i] == 'm' ? TranslatedMessage(arguments[i]) : arguments[i];
    text += translation.texts[i + 1];
  }
  return text;
}

}  // namespace

bool InstallTranslation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QLocale::system(), kTranslationName, "_", kTranslationFolder)) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

std::string TranslatedMessage(const std::string& message) {
  for (const char* source : kMessages) {
    const TTemplate original = Split(source);
    const auto arguments = Arguments(original, message);
    if (!arguments) continue;
    const TTemplate translation =
        Split(QCoreApplication::translate(kMessageContext, source).toStdString());
    if (translation.kinds.size() != original.kinds.size()) return message;
    return WithArguments(translation, original, *arguments);
  }
  return message;
}

}  // namespace pm
