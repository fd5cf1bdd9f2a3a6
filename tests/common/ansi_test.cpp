#include "common/win/ansi.h"

#include <gtest/gtest.h>

#include "tests/support/windows_fixture.h"

using namespace nemba;
using nemba::test::TempDir;

// Everything else assumes GBK: a wrong locale must fail here, loudly.
TEST(Ansi, TheCodePageIs936) {
  EXPECT_EQ(::GetACP(), 936u);
  EXPECT_EQ(win::AnsiCodePage(), 936u);
}

TEST(Ansi, ConvertsToAndFromGbk) {
  EXPECT_EQ(win::ToAnsi(L"歌词a"), "\xB8\xE8\xB4\xCA" "a");
  EXPECT_EQ(win::FromAnsi("\xB8\xE8\xB4\xCA" "a"), L"歌词a");
  EXPECT_EQ(win::ToAnsi(L""), "");
  EXPECT_EQ(win::FromAnsi(""), L"");
}

TEST(Ansi, WritesAndReadsWholeFiles) {
  TempDir dir;
  std::wstring file = dir / L"歌词.lrc";
  ASSERT_TRUE(win::WriteAnsiText(file, L"[ti:歌]\r\n"));
  EXPECT_EQ(test::ReadBytes(file), "[ti:\xB8\xE8]\r\n");
  EXPECT_EQ(win::ReadAnsiText(file), L"[ti:歌]\r\n");
  // Overwriting replaces the whole file and leaves nothing beside it.
  ASSERT_TRUE(win::WriteAnsiText(file, L"x"));
  EXPECT_EQ(test::ReadBytes(file), "x");
  EXPECT_FALSE(test::Exists(file + L".nemba-tmp"));
}

TEST(Ansi, ReportsFailuresAndKeepsTheOldFile) {
  TempDir dir;
  DWORD error = 0;
  EXPECT_FALSE(win::ReadAnsiText(dir / L"missing.lrc", &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(win::WriteAnsiText(dir / L"no\\such\\folder.lrc", L"x", &error));
  EXPECT_NE(error, 0u);

  std::wstring locked = dir / L"locked.lrc";
  test::WriteBytes(locked, "old");
  HANDLE h = ::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(win::WriteAnsiText(locked, L"new", &error));
  ::CloseHandle(h);
  EXPECT_EQ(test::ReadBytes(locked), "old");
  EXPECT_FALSE(test::Exists(locked + L".nemba-tmp"));
}

TEST(Ansi, SettingsFilesAgreeWithTheProfileApi) {
  TempDir dir;
  std::wstring ini = dir / L"LrcPath.ini";
  EXPECT_EQ(win::IniRead(ini, L"path", L"value", L"默认"), L"默认");

  ASSERT_TRUE(win::IniWrite(ini, L"path", L"value", L"D:\\歌词"));
  EXPECT_EQ(test::ReadBytes(ini), "[path]\r\nvalue=D:\\\xB8\xE8\xB4\xCA\r\n");
  wchar_t buffer[256] = {};
  ::GetPrivateProfileStringW(L"path", L"value", L"", buffer, 256, ini.c_str());
  EXPECT_STREQ(buffer, L"D:\\歌词");

  ASSERT_TRUE(::WritePrivateProfileStringW(L"other", L"key", L"值", ini.c_str()));
  ASSERT_TRUE(::WritePrivateProfileStringW(L"path", L"value", L"E:\\新", ini.c_str()));
  EXPECT_EQ(win::IniRead(ini, L"path", L"value", L""), L"E:\\新");
  EXPECT_EQ(win::IniRead(ini, L"other", L"key", L""), L"值");
  ASSERT_TRUE(win::IniWrite(ini, L"path", L"value", L"F:\\"));
  ::GetPrivateProfileStringW(L"other", L"key", L"", buffer, 256, ini.c_str());
  EXPECT_STREQ(buffer, L"值");
}

TEST(Ansi, ErrorTextHasNoTrailingLineBreak) {
  std::wstring text = win::ErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
}
