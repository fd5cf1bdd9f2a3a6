#include "manager/paths.h"

#include <gtest/gtest.h>

using namespace nemba::manager;

TEST(Paths, GetDirKeepsTheTrailingBackslash) {
  EXPECT_EQ(GetDir(L"D:\\歌词\\song.lrc"), L"D:\\歌词\\");
  EXPECT_EQ(GetDir(L"D:\\"), L"D:\\");
  EXPECT_EQ(GetDir(L"song.lrc"), L"");
  EXPECT_EQ(GetDir(L""), L"");
}

TEST(Paths, GetRelPathIsTheTextAfterTheLastBackslash) {
  EXPECT_EQ(GetRelPath(L"D:\\歌词\\song.lrc"), L"song.lrc");
  EXPECT_EQ(GetRelPath(L"song.lrc"), L"song.lrc");
  EXPECT_EQ(GetRelPath(L"D:\\歌词\\"), L"");
}

TEST(Paths, GetMidNameDropsOnlyTheLastExtension) {
  EXPECT_EQ(GetMidName(L"D:\\歌词\\a.b.lrc"), L"a.b");
  EXPECT_EQ(GetMidName(L"D:\\x.y\\song.lrc"), L"song");
  EXPECT_EQ(GetMidName(L"D:\\歌词\\.lrc"), L"");
  EXPECT_EQ(GetMidName(L"D:\\x.y\\noext"), L"noext");
  EXPECT_EQ(GetMidName(L"song.mp3"), L"song");
}
