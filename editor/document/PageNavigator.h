// TPageNavigator: moving between the pages of a document while editing. It opens page N of the
// document that the edited page belongs to (from the document window, or by following a link
// of the page view), asking first whether to save unsaved changes, and loads it as the main
// window's "読み込み" does: all of it, or on a failure nothing. A page that has no file yet can be
// started as a new empty page of the document, whose file its first save writes. The pages
// opened this way make a history that Alt+Left and Alt+Right walk back and forward.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pm {

class TForm1;

inline constexpr const char* kMissingPageQuestion = QT_TRANSLATE_NOOP(
    "pm::TPageNavigator", "ページ %1 はまだありません。新しいページを作りますか？");
inline constexpr const char* kCreateAnswer = QT_TRANSLATE_NOOP("pm::TPageNavigator", "作成");
inline constexpr const char* kNoDocumentMessage =
    QT_TRANSLATE_NOOP("pm::TPageNavigator", "このページはどのドキュメントにも属していません");
inline constexpr const char* kNoTargetMessage =
    QT_TRANSLATE_NOOP("pm::TPageNavigator", "リンク %1 には行き先のページがありません");

class TPageNavigator : public QObject {
  Q_OBJECT

 public:
  explicit TPageNavigator(TForm1& window);
  ~TPageNavigator() override;
  TPageNavigator(const TPageNavigator&) = delete;
  TPageNavigator& operator=(const TPageNavigator&) = delete;

  // Opens page `number` of the edited page's document and shows it in the page view, with link
  // `link` as the current link when given. A page without a file is offered as a new page. True
  // when the page is shown; a failed load goes on to the caller and changes nothing.
  bool OpenPage(int32_t number, std::optional<int32_t> link = std::nullopt);
  // Opens the page that link `link` of the edited page leads to.
  bool FollowLink(int32_t link);
  // The page opened before (or after) the edited one, by the pages opened here.
  bool GoBack();
  bool GoForward();
  bool CanGoBack() const { return !back_.empty(); }
  bool CanGoForward() const { return !forward_.empty(); }

 signals:
  // What can be walked back and forward changed.
  void HistoryChanged();
  // Why nothing was opened, for the status line of the window that asked.
  void Message(const QString& text);

 private:
  enum class TStep { New, Back, Forward };

  bool OpenFile(const std::string& fileName, std::optional<int32_t> link, TStep step);
  // Asks whether to start the missing page of that file as a new page, then starts it.
  bool StartMissingPage(const std::string& fileName, TStep step);
  // Writes down the page that was left, as the step goes.
  void Remember(const std::string& leftFile, TStep step);
  // Makes the link current (as if typed into the link number field) and shows the page view.
  void ShowPage(std::optional<int32_t> link);

  TForm1& window_;
  std::vector<std::string> back_;     // the files of the pages left, the latest last
  std::vector<std::string> forward_;  // the files of the pages gone back from, the latest last
};

}  // namespace pm
