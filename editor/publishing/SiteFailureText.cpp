#include "editor/publishing/SiteFailureText.h"

#include <QCoreApplication>

#include "base/Exceptions.h"
#include "page/DocumentErrors.h"
#include "site/SiteErrors.h"

namespace pm {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

std::optional<QString> SiteFailureText(const std::exception_ptr& failure, const QString& folder) {
  try {
    std::rethrow_exception(failure);
  } catch (const EAbort&) {
    return std::nullopt;
  } catch (const site::ESiteInPagesFolder&) {
    return QCoreApplication::translate(
               "pm::SiteFailureText",
               "フォルダー %1 には、このドキュメントのページファイルがあります。Webサイトは"
               "ページファイルとは別のフォルダーに書き出してください")
        .arg(folder);
  } catch (const site::ESiteFileInTheWay& e) {
    return QCoreApplication::translate(
               "pm::SiteFailureText",
               "フォルダー %1 の %2 は、Webサイトとして書き出されたファイルではありませんが、"
               "Webサイトのファイルと同じ名前です。Webサイトはこのファイルを上書きしません。"
               "別のフォルダーを選ぶか、このファイルを移してください")
        .arg(folder, Text(e.File()));
  } catch (const site::ESiteForeignFiles& e) {
    return QCoreApplication::translate(
               "pm::SiteFailureText",
               "フォルダー %1 に、Webサイトとして書き出されたものではないファイル %2 が"
               "あります。Webサイトは書き出していません")
        .arg(folder, e.Files().empty() ? QString() : Text(e.Files().front()));
  } catch (const site::ESiteFolderBusy&) {
    return QCoreApplication::translate(
               "pm::SiteFailureText",
               "フォルダー %1 には、ほかのプログラムがWebサイトを書き出しています。しばらく"
               "してから、もう一度書き出してください")
        .arg(folder);
  } catch (const site::ESitePageFailure& e) {
    return QCoreApplication::translate(
               "pm::SiteFailureText",
               "ページファイル %1 を読み込めないため、Webサイトを書き出せませんでした: %2")
        .arg(Text(e.FileName()), Text(e.Reason()));
  } catch (const EInvalidDocument& e) {
    return QCoreApplication::translate(
               "pm::SiteFailureText",
               "ドキュメントを読み込めないため、Webサイトを書き出せませんでした: %1")
        .arg(Text(e.Message()));
  } catch (const Exception& e) {
    return QCoreApplication::translate("pm::SiteFailureText", "Webサイトを書き出せませんでした: %1")
        .arg(Text(e.Message()));
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace pm
