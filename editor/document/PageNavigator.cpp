#include "editor/document/PageNavigator.h"

#include <filesystem>
#include <system_error>

#include "base/IntegerText.h"
#include "editor/EditedPage.h"
#include "editor/Form1.h"
#include "editor/PageFiles.h"
#include "editor/PageViewOpener.h"
#include "editor/QuestionBox.h"
#include "page/DocumentPattern.h"
#include "page/DocumentPlace.h"
#include "page/PageOperations.h"

namespace pm {

namespace {

bool FileExists(const std::string& fileName) {
  std::error_code ignored;
  return std::filesystem::exists(fileName, ignored);
}

}  // namespace

TPageNavigator::TPageNavigator(TForm1& window) : window_(window) {}

TPageNavigator::~TPageNavigator() = default;

bool TPageNavigator::OpenPage(int32_t number, std::optional<int32_t> link) {
  const std::optional<TDocumentPlace>& place = window_.EditedPage().Place();
  if (!place) {
    emit Message(tr(kNoDocumentMessage));
    return false;
  }
  if (number < 0) {
    emit Message(tr("ページ %1 はありません").arg(number));
    return false;
  }
  return OpenFile(TDocumentPattern(place->pattern).FileName(number), link, TStep::New);
}

bool TPageNavigator::FollowLink(int32_t link) {
  const int32_t target = window_.Page().Link(link).LinkPage;
  if (target == -1) {
    emit Message(tr(kNoTargetMessage).arg(link));
    return false;
  }
  return OpenPage(target);
}

bool TPageNavigator::GoBack() {
  if (back_.empty()) return false;
  return OpenFile(back_.back(), std::nullopt, TStep::Back);
}

bool TPageNavigator::GoForward() {
  if (forward_.empty()) return false;
  return OpenFile(forward_.back(), std::nullopt, TStep::Forward);
}

bool TPageNavigator::OpenFile(const std::string& fileName, std::optional<int32_t> link,
                              TStep step) {
  TEditedPage& edited = window_.EditedPage();
  const std::string left = edited.FileName();
  if (fileName == left) {
    // The page is open already (also a new page whose file isn't written yet): nothing is left.
    Remember({}, step);
    ShowPage(link);
    return true;
  }
  if (!FileExists(fileName)) return StartMissingPage(fileName, step);
  const bool hadChanges = edited.Modified();
  if (!window_.PageFiles().MayLeavePage()) return false;
  try {
    window_.OpenPageFile(fileName);
  } catch (...) {
    // The page stays as it was: changes that were to be left are unsaved changes again.
    if (hadChanges && !edited.Modified()) edited.Restored(left);
    throw;
  }
  Remember(left, step);
  ShowPage(link);
  return true;
}

bool TPageNavigator::StartMissingPage(const std::string& fileName, TStep step) {
  const std::optional<TDocumentPlace> place = DocumentPlaceOf(fileName);
  if (!place) return false;
  const TQuestion question{.title = {},
                           .text = tr(kMissingPageQuestion).arg(place->number),
                           .answers = {{tr(kCreateAnswer), TAnswerRole::Accept},
                                       {tr("キャンセル"), TAnswerRole::Reject}}};
  if (Ask(question) != 0) return false;
  if (!window_.PageFiles().MayLeavePage()) return false;
  const std::string left = window_.EditedPage().FileName();
  StartNewPage(window_.Page());
  // The new page has no background: its file name field is empty again, as at start-up.
  window_.Edit9->SetText("");
  window_.EditedPage().StartedNew(place);
  Remember(left, step);
  ShowPage(std::nullopt);
  return true;
}

void TPageNavigator::Remember(const std::string& leftFile, TStep step) {
  // A step back or forward takes its page off its list; the page left goes on the other one. A
  // page without a file (a new page of no document) can't be opened again and isn't written down.
  std::vector<std::string>* leftGoesTo = &back_;
  switch (step) {
    case TStep::New:
      if (leftFile.empty()) return;
      forward_.clear();
      break;
    case TStep::Back:
      back_.pop_back();
      leftGoesTo = &forward_;
      break;
    case TStep::Forward:
      forward_.pop_back();
      break;
  }
  if (!leftFile.empty()) leftGoesTo->push_back(leftFile);
  emit HistoryChanged();
}

void TPageNavigator::ShowPage(std::optional<int32_t> link) {
  if (link) window_.Edit7->SetText(IntToStr(*link));
  window_.PageViewOpener().Open();
}

}  // namespace pm
