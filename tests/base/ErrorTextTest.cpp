#include "base/ErrorText.h"

#include <gtest/gtest.h>

namespace pm {
namespace {

TEST(ErrorTextTest, AFullStopFollowsEveryLastCharacterAboveTheFullStop) {
  EXPECT_EQ(WithFullStop("'abc' は整数ではありません"), "'abc' は整数ではありません.");
  EXPECT_EQ(WithFullStop("JPEG エラー #52"), "JPEG エラー #52.");
  EXPECT_EQ(WithFullStop("code:"), "code:.");
  EXPECT_EQ(WithFullStop("[x]"), "[x].");
  EXPECT_EQ(WithFullStop("a/"), "a/.");
  for (const char* unchanged :
       {"", "done.", "a,", "a-", "(a)", "a ", "a\n", "'a'", "\"a\"", "a!", "a#", "a+"}) {
    EXPECT_EQ(WithFullStop(unchanged), unchanged);
  }
  // A broken last character counts as one above the full stop.
  EXPECT_EQ(WithFullStop(",\x80"), ",\x80.");
  EXPECT_EQ(WithFullStop("\xE3\x83"), "\xE3\x83.");
  // The system error's message ends in its text, which decides.
  EXPECT_EQ(WithFullStop("システムエラー。コード：12.\r\nメモリを確保できません"),
            "システムエラー。コード：12.\r\nメモリを確保できません.");
}

}  // namespace
}  // namespace pm
