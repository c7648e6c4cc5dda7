// File names reach web pages and graphs as they are on disk: any bytes at all.
#include "site/TextEscaping.h"

#include <gtest/gtest.h>

#include <string>

namespace pm::site {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

TEST(TextEscapingTest, ValidUtf8KeepsWellFormedTextAndReplacesEachBadByte) {
  EXPECT_EQ(ValidUtf8("p1.pag ページ \xF0\x9F\x93\x96"), "p1.pag ページ \xF0\x9F\x93\x96");
  EXPECT_EQ(ValidUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  const std::string r = kReplacement;
  // Overlong forms, surrogates, beyond U+10FFFF, stray continuation bytes, bytes no UTF-8 has,
  // a sequence cut short at the end and one cut short by another character.
  EXPECT_EQ(ValidUtf8("\xC0\xAF"), r + r);
  EXPECT_EQ(ValidUtf8("\xE0\x80\xAF"), r + r + r);
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), r + r + r);
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80"), r + r + r + r);
  EXPECT_EQ(ValidUtf8("\x80x\xBF"), r + "x" + r);
  EXPECT_EQ(ValidUtf8("\xFE\xFF\xF5"), r + r + r);
  EXPECT_EQ(ValidUtf8("x\xE3\x83"), "x" + r + r);
  EXPECT_EQ(ValidUtf8("\xE3\x83y"), r + r + "y");
  // The edges of what is allowed.
  EXPECT_EQ(ValidUtf8("\xC2\x80\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF"),
            "\xC2\x80\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF");
}

TEST(TextEscapingTest, EscapeHtmlLeavesNoMarkupAndNoControlCharacters) {
  EXPECT_EQ(EscapeHtml("<a href=\"x\" title='y'>&amp;</a>"),
            "&lt;a href=&quot;x&quot; title=&#39;y&#39;&gt;&amp;amp;&lt;/a&gt;");
  EXPECT_EQ(EscapeHtml("tab\there\nline"), "tab\there\nline");
  EXPECT_EQ(EscapeHtml(std::string("\x1b[31m\r\0\x7F", 8)),
            std::string(kReplacement) + "[31m" + kReplacement + kReplacement + kReplacement);
  EXPECT_EQ(EscapeHtml("\xFF<"), std::string(kReplacement) + "&lt;");
  EXPECT_EQ(EscapeHtml("ページ 1"), "ページ 1");
}

TEST(TextEscapingTest, QuoteDotMakesOneQuotedStringOfAnyText) {
  EXPECT_EQ(QuoteDot(""), "\"\"");
  EXPECT_EQ(QuoteDot("page \"1\"\\"), "\"page \\\"1\\\"\\\\\"");
  EXPECT_EQ(QuoteDot("1\np1.pag\r\n"), "\"1\\np1.pag\\n\"");
  EXPECT_EQ(QuoteDot("a\xFF"), std::string("\"a") + kReplacement + "\"");
  // A backslash at the end can't escape the closing quote.
  EXPECT_EQ(QuoteDot("x\\"), "\"x\\\\\"");
}

}  // namespace
}  // namespace pm::site
