#include "pdf/core/text_encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/literal_string.h"

namespace pagora {
namespace {

using testing::UnescapeLiteral;

TEST(EscapeString, EscapesOnlyDelimitersBackslashAndLineEnds) {
  EXPECT_EQ(EscapeString("a(b)c\\d"), "a\\(b\\)c\\\\d");
  EXPECT_EQ(EscapeString("\r\n"), "\\r\\n");
  EXPECT_EQ(EscapeString(""), "");
  const std::string kept = std::string("\t\x01\xA9\xE8\xFF", 5) + std::string(1, '\0');
  EXPECT_EQ(EscapeString(kept), kept);
  EXPECT_EQ(EscapeString("\\("), "\\\\\\(");
}

TEST(EscapeString, RoundTripsEveryByteString) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(0, 64);
  for (int i = 0; i < 20000; ++i) {
    std::string text(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : text) c = static_cast<char>(byte(random));
    const std::string escaped = EscapeString(text);
    ASSERT_EQ(UnescapeLiteral(escaped), text);
    // Parentheses never stay bare, so the literal string cannot end early.
    for (std::size_t j = 0; j < escaped.size(); ++j) {
      if (escaped[j] == '\\') {
        ++j;
      } else {
        ASSERT_TRUE(escaped[j] != '(' && escaped[j] != ')' && escaped[j] != '\r' &&
                    escaped[j] != '\n');
      }
    }
  }
}

TEST(ReplaceText, ReplacesFromStartUpToCount) {
  EXPECT_EQ(ReplaceText("1,5 2,25", ",", "."), "1.5 2.25");
  EXPECT_EQ(ReplaceText("aaaa", "a", "bb", 1, 2), "bbbbaa");
  EXPECT_EQ(ReplaceText("abcabc", "abc", "x", 2), "abcx");
  EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceText("aAa", "A", "b"), "aba");     // case matters
  EXPECT_EQ(ReplaceText("aaa", "aa", "a"), "aa");     // continues after the replacement
  EXPECT_EQ(ReplaceText("abc", "c", "x", 9), "abc");  // start past the end
  EXPECT_EQ(ReplaceText("", "a", "x"), "");
}

TEST(SplitText, KeepsEmptyPieces) {
  using Pieces = std::vector<std::string>;
  EXPECT_EQ(SplitText("a;b;;c", ";"), (Pieces{"a", "b", "", "c"}));
  EXPECT_EQ(SplitText(";a;", ";"), (Pieces{"", "a", ""}));
  EXPECT_EQ(SplitText("a--b", "--"), (Pieces{"a", "b"}));
  EXPECT_EQ(SplitText("", ";"), (Pieces{""}));
  EXPECT_EQ(SplitText("abc", ""), (Pieces{"abc"}));
  EXPECT_EQ(SplitText("abc", "x"), (Pieces{"abc"}));
}

}  // namespace
}  // namespace pagora
