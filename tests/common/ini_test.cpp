#include "common/ini.h"

#include <gtest/gtest.h>

using nemba::IniText;

TEST(Ini, ReadsLikeTheProfileApi) {
  IniText ini(L"; note\r\n[Other]\r\nvalue=no\r\n[ PATH ]\r\n  Value =  D:\\歌词  \r\nvalue=second\r\n");
  EXPECT_EQ(ini.Get(L"path", L"value"), L"D:\\歌词");
  EXPECT_EQ(ini.Get(L"other", L"VALUE"), L"no");
  EXPECT_FALSE(ini.Get(L"path", L"missing"));
  EXPECT_FALSE(ini.Get(L"missing", L"value"));
  EXPECT_EQ(IniText(L"[a]\nk=\"quoted\"\n").Get(L"a", L"k"), L"quoted");
  EXPECT_EQ(IniText(L"[a]\nk=\n").Get(L"a", L"k"), L"");
  EXPECT_EQ(IniText(L"[a]\nk=x=y\n").Get(L"a", L"k"), L"x=y");
}

TEST(Ini, OnlyTheFirstMatchingSectionCounts) {
  IniText ini(L"[a]\nx=1\n[a]\ny=2\n");
  EXPECT_EQ(ini.Get(L"a", L"x"), L"1");
  EXPECT_FALSE(ini.Get(L"a", L"y"));
}

TEST(Ini, WritesANewFileAsTheProfileApiDoes) {
  IniText ini;
  ini.Set(L"path", L"value", L"D:\\歌词");
  EXPECT_EQ(ini.Text(), L"[path]\r\nvalue=D:\\歌词\r\n");
}

TEST(Ini, ReplacesOrAddsKeepingOtherLines) {
  IniText ini(L"[path]\r\nother=1\r\nvalue=old\r\n\r\n[more]\r\nk=v\r\n");
  ini.Set(L"PATH", L"Value", L"new");
  EXPECT_EQ(ini.Text(), L"[path]\r\nother=1\r\nValue=new\r\n\r\n[more]\r\nk=v\r\n");

  IniText add(L"[path]\r\nother=1\r\n\r\n[more]\r\nk=v\r\n");
  add.Set(L"path", L"value", L"x");
  EXPECT_EQ(add.Text(), L"[path]\r\nother=1\r\nvalue=x\r\n\r\n[more]\r\nk=v\r\n");

  IniText section(L"[more]\nk=v");
  section.Set(L"path", L"value", L"x");
  EXPECT_EQ(section.Text(), L"[more]\r\nk=v\r\n\r\n[path]\r\nvalue=x\r\n");
  EXPECT_EQ(section.Get(L"path", L"value"), L"x");
}
