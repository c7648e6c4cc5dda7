#include "base/IntegerText.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/Exceptions.h"

namespace pm {
namespace {

struct Accepted {
  const char* text;
  int32_t value;
};

TEST(IntegerTextTest, AcceptsEveryFormOfTheRule) {
  const Accepted cases[] = {
      {"0", 0},
      {"  12", 12},
      {"+7", 7},
      {"-0", 0},
      {"007", 7},
      {"$ff", 255},
      {"0x1F", 31},
      {"0XFF", 255},
      {"x10", 16},
      {"X10", 16},
      {"$FFFFFFFF", -1},
      {"$80000000", std::numeric_limits<int32_t>::min()},
      {"$000000001", 1},
      {"2147483647", std::numeric_limits<int32_t>::max()},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"000000000000000000000042", 42},
      {"-1", -1},
      {"  -12", -12},
      {"  $ff", 255},
      {"0x0", 0},
      {"$7FFFFFFF", std::numeric_limits<int32_t>::max()},
      {"+2147483647", std::numeric_limits<int32_t>::max()},
      {"-000000000002147483648", std::numeric_limits<int32_t>::min()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.value) << "text: '" << c.text << "'";
  }
}

TEST(IntegerTextTest, RefusesEverythingElseQuotingTheTextAsPassed) {
  const char* refused[] = {
      "",           "   ",        "12 ",
      "-",          "+",          "$",
      "0x",         "x",          "1.5",
      "1e3",        "1,000",      "\t12",
      "- 5",        "--5",        "+-5",
      "-$5",        "+$5",        "-0x5",
      "$100000000", "2147483648", "-2147483649",
      "１２",       "12\n",       "0x 1",
      "$g",         "　12",       "99999999999999999999",
      "0X",         "X",          "+0x5",
      "\n12",       "0x-5",       "$+5",
      "$-1",        "12-",        "  1 2",
      "0b101",
  };
  for (const char* text : refused) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' は整数ではありません");
    }
  }
}

TEST(IntegerTextTest, DecimalTextRoundTrips) {
  EXPECT_EQ(IntToStr(-1), "-1");
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(std::numeric_limits<int32_t>::min()), "-2147483648");
  for (const int32_t v : {0, 1, -1, 255, 65536, std::numeric_limits<int32_t>::max(),
                          std::numeric_limits<int32_t>::min()}) {
    EXPECT_EQ(StrToInt(IntToStr(v)), v);
  }
}

}  // namespace
}  // namespace pm
