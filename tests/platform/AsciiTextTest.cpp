#include "platform/AsciiText.h"

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

using namespace platform;

TEST(AsciiText, CaseFoldingTouchesAsciiLettersOnly) {
  EXPECT_EQ(UpperCase("xPlayersL1.upl"), "XPLAYERSL1.UPL");
  // Latin-1 letters (here e-acute and a-umlaut) stay as they are.
  EXPECT_EQ(UpperCase("J\xe9r\xe4me"), "J\xe9R\xe4ME");
  EXPECT_TRUE(SameText("XPlayers.INT", "xplayers.int"));
  EXPECT_FALSE(SameText("\xe9", "\xc9"));
  EXPECT_FALSE(SameText("abc", "abcd"));
}

TEST(AsciiText, SortedListOrderIsUpperCasedTextThenBytes) {
  std::vector<std::string> names{"b", "_x", "B", "a", "A", "\xe9t\xe9", "Z"};
  std::sort(names.begin(), names.end(), TextLess{});
  // "_" (0x5F) sorts after the upper-case letters, as in the game's lists;
  // bytes above 127 sort last; equal texts order by their bytes.
  EXPECT_EQ(names, (std::vector<std::string>{"A", "a", "B", "b", "Z", "_x", "\xe9t\xe9"}));
  EXPECT_EQ(CompareText("abc", "ABC") > 0, true);
  EXPECT_EQ(CompareText("ab", "abc") < 0, true);
}

TEST(AsciiText, TrimRemovesBytesBelow33Only) {
  EXPECT_EQ(Trim(" \t\r\nname\x01 "), "name");
  EXPECT_EQ(Trim("\xa0name\xa0"), "\xa0name\xa0");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(Trim(""), "");
}

TEST(AsciiText, PrefixSuffixAndSearchIgnoreCase) {
  EXPECT_TRUE(StartsText("player", "PLAYER=(Name=x)"));
  EXPECT_FALSE(StartsText("player=", "Play"));
  EXPECT_TRUE(EndsText(".UPL", "roster.upl"));
  EXPECT_EQ(FindText("Engine.WEAPON", "weapon"), 7u);
  EXPECT_EQ(FindText("abc", "abcd"), std::string_view::npos);
}
