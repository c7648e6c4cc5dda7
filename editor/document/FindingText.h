// How the editor words a finding of the document checks for the author, in Japanese: the page
// and the link it concerns, then what is wrong ("ページ 1, リンク 2: 行き先のページ 9 のファイルが
// ありません").
#pragma once

#include <QString>

#include "page/DocumentChecks.h"

namespace pm {

// "ページ N" or "ページ N, リンク M".
QString FindingPlaceText(const TFinding& finding);
// What is wrong, without the place.
QString FindingProblemText(const TFinding& finding);
// The place, a colon and what is wrong.
QString FindingText(const TFinding& finding);

}  // namespace pm
