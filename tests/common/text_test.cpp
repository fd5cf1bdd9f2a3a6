#include "common/text.h"

#include <gtest/gtest.h>

using namespace nemba;
using Paths = std::vector<std::wstring>;

TEST(Text, TrimSpacesOnlyTrimsSpaces) {
  EXPECT_EQ(TrimSpaces(L"  a b  "), L"a b");
  EXPECT_EQ(TrimSpaces(L"   "), L"");
  EXPECT_EQ(TrimSpaces(L"\ta\t"), L"\ta\t");
  EXPECT_EQ(FoldAscii(L"AbC歌Ä"), L"abc歌Ä");
}

TEST(Text, SplitPatternsTrimsAndDropsEmptyPieces) {
  EXPECT_EQ(SplitPatterns(L"*.mp3;*.wma"), (Paths{L"*.mp3", L"*.wma"}));
  EXPECT_EQ(SplitPatterns(L" *.mp3 ; ;*.wma;"), (Paths{L"*.mp3", L"*.wma"}));
  EXPECT_TRUE(SplitPatterns(L"").empty());
  EXPECT_TRUE(SplitPatterns(L" ; ").empty());
}

TEST(Text, WildcardMatchesWholeNames) {
  EXPECT_TRUE(WildcardMatch(L"*.lrc", L"song.lrc"));
  EXPECT_FALSE(WildcardMatch(L"*.lrc", L"song.lrcx"));  // no short-name surprises
  EXPECT_FALSE(WildcardMatch(L"*.lrc", L"song.lr"));
  EXPECT_TRUE(WildcardMatch(L"*.lrc", L".lrc"));
  EXPECT_TRUE(WildcardMatch(L"a?c", L"abc"));
  EXPECT_FALSE(WildcardMatch(L"a?c", L"ac"));
  EXPECT_TRUE(WildcardMatch(L"*歌*", L"我的歌.lrc"));
  EXPECT_TRUE(WildcardMatch(L"*.*", L"noextension"));
  EXPECT_TRUE(WildcardMatch(L"*", L""));
  EXPECT_TRUE(WildcardMatch(L"a*b*c", L"aXbYbZc"));
  EXPECT_FALSE(WildcardMatch(L"a*b*c", L"aXbYbZ"));
  EXPECT_TRUE(WildcardMatch(L"song.lrc", L"song.lrc"));
  EXPECT_FALSE(WildcardMatch(L"Song.lrc", L"song.lrc"));  // callers fold case
}

TEST(Text, WildcardIsLinearOnPathologicalPatterns) {
  std::wstring name(5000, L'a');
  EXPECT_FALSE(WildcardMatch(L"*a*a*a*a*a*a*a*a*b", name));
}

TEST(Text, MatchesAnyPattern) {
  auto p = SplitPatterns(L"*.mp3;*.wma");
  EXPECT_TRUE(MatchesAny(p, L"a.mp3"));
  EXPECT_TRUE(MatchesAny(p, L"b.wma"));
  EXPECT_FALSE(MatchesAny(p, L"c.lrc"));
  EXPECT_TRUE(MatchesAny({}, L"anything"));
}

TEST(Text, CommandTailSkipsTheProgramName) {
  EXPECT_EQ(CommandTail(LR"("C:\Program Files\x.exe" "a" "b")"), LR"("a" "b")");
  EXPECT_EQ(CommandTail(LR"(x.exe   "a")"), LR"("a")");
  EXPECT_EQ(CommandTail(LR"("x.exe")"), L"");
  EXPECT_EQ(CommandTail(L"x.exe"), L"");
  EXPECT_EQ(CommandTail(L""), L"");
  EXPECT_EQ(CommandTail(L"x.exe\t\"a\""), L"\"a\"");
}

TEST(Text, SplitQuotedPathsTakesEachQuotedPathAsWritten) {
  EXPECT_EQ(SplitQuotedPaths(LR"("D:\歌词\a b.lrc" "E:\c.lrc")"), (Paths{LR"(D:\歌词\a b.lrc)", LR"(E:\c.lrc)"}));
  // Back to back, as the editor writes them.
  EXPECT_EQ(SplitQuotedPaths(LR"("a""b""c")"), (Paths{L"a", L"b", L"c"}));
  EXPECT_EQ(SplitQuotedPaths(L"\"\""), Paths{});
  EXPECT_EQ(SplitQuotedPaths(L"\"   \" \"\""), Paths{});
  EXPECT_EQ(SplitQuotedPaths(L"\"  a  \""), Paths{L"  a  "});  // kept untrimmed
  EXPECT_EQ(SplitQuotedPaths(L""), Paths{});
}

TEST(Text, SplitQuotedPathsTakesUnquotedPathsToo) {
  // The shell quotes only paths with blanks in them.
  EXPECT_EQ(SplitQuotedPaths(LR"(C:\a.lrc "D:\b c.lrc" E:\d.lrc)"),
            (Paths{LR"(C:\a.lrc)", LR"(D:\b c.lrc)", LR"(E:\d.lrc)"}));
  EXPECT_EQ(SplitQuotedPaths(L"x"), Paths{L"x"});
  EXPECT_EQ(SplitQuotedPaths(L"\""), Paths{});
  EXPECT_EQ(SplitQuotedPaths(L"\"unclosed"), Paths{L"unclosed"});
}

TEST(Text, SplitCrLfSplitsOnlyAtPairs) {
  EXPECT_EQ(SplitCrLf(L"x\r\ny\r\n"), (Paths{L"x", L"y", L""}));
  EXPECT_EQ(SplitCrLf(L"a\rb\nc"), Paths{L"a\rb\nc"});
  EXPECT_EQ(SplitCrLf(L"\r\n\r\n"), (Paths{L"", L"", L""}));
  EXPECT_EQ(SplitCrLf(L""), Paths{});
}

TEST(Text, LeadingNumberReadsTheLongestDecimalPrefix) {
  EXPECT_EQ(LeadingNumber(L"4"), 4);
  EXPECT_EQ(LeadingNumber(L"  2.5abc"), 2.5);
  EXPECT_EQ(LeadingNumber(L"-1"), -1);
  EXPECT_EQ(LeadingNumber(L"+3"), 3);
  EXPECT_EQ(LeadingNumber(L"1e2x"), 100);
  EXPECT_EQ(LeadingNumber(L"1e"), 1);
  EXPECT_EQ(LeadingNumber(L".5"), 0.5);
  EXPECT_EQ(LeadingNumber(L"abc"), 0);
  EXPECT_EQ(LeadingNumber(L"-"), 0);
  EXPECT_EQ(LeadingNumber(L"0x10"), 0);
  EXPECT_EQ(LeadingNumber(L"1 2"), 1);
  EXPECT_GT(LeadingNumber(L"1e400"), 1e300);
}
