#include "common/lyrics.h"

#include <gtest/gtest.h>

using namespace nemba;

namespace {
// Stands in for the ANSI code page: marks the text so the tests see which way it went.
std::wstring FakeAnsi(std::string_view b) {
  std::wstring out = L"ANSI:";
  for (char c : b) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return out;
}
}  // namespace

TEST(Lyrics, AByteOrderMarkDecidesAndIsDropped) {
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF[ti:\xE6\xAD\x8C]", FakeAnsi), L"[ti:歌]");
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE[\0\x4C\x6B", 6), FakeAnsi), L"[歌");
  EXPECT_EQ(DecodeText(std::string("\xFE\xFF\0[\x6B\x4C", 6), FakeAnsi), L"[歌");
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE\x3D\xD8\x35\xDE", 6), FakeAnsi), L"\U0001F635");
}

TEST(Lyrics, StrictUtf8WithAMultiByteSequenceIsUtf8) {
  EXPECT_EQ(DetectEncoding("[ti:\xE6\xAD\x8C]").encoding, TextEncoding::Utf8);
  EXPECT_EQ(DecodeText("[ti:\xE6\xAD\x8C]", FakeAnsi), L"[ti:歌]");
  // Plain ASCII, GBK bytes, broken or overlong sequences: ANSI.
  EXPECT_EQ(DetectEncoding("[ti:song]").encoding, TextEncoding::Ansi);
  EXPECT_EQ(DetectEncoding("[ti:\xB8\xE8]").encoding, TextEncoding::Ansi);
  EXPECT_EQ(DetectEncoding("\xE6\xAD").encoding, TextEncoding::Ansi);
  EXPECT_EQ(DetectEncoding("\xC0\xAF").encoding, TextEncoding::Ansi);
  EXPECT_EQ(DetectEncoding("\xED\xA0\x80").encoding, TextEncoding::Ansi);
  EXPECT_EQ(DecodeText("[ti:\xB8\xE8]", FakeAnsi), L"ANSI:[ti:\xB8\xE8]");
  // UTF-16 without its mark is never guessed.
  EXPECT_EQ(DetectEncoding(std::string("[\0t\0i\0", 6)).encoding, TextEncoding::Ansi);
}

TEST(Lyrics, LinesAreJoinedWithCrLf) {
  EXPECT_EQ(JoinLinesCrLf(L"a\r\nb"), L"a\r\nb\r\n");
  EXPECT_EQ(JoinLinesCrLf(L"a\rb\r\n"), L"a\r\nb\r\n");
  EXPECT_EQ(JoinLinesCrLf(L"a\nb"), L"a\nb\r\n");
  EXPECT_EQ(JoinLinesCrLf(L""), L"");
}

TEST(Lyrics, TagValuesAreTakenExactly) {
  std::wstring text = L"[ar:A&B]\r\n[ti:Song]\r\n[ti:Second]\r\n";
  EXPECT_EQ(TagValue(text, L"[ti:"), L"Song");
  EXPECT_EQ(TagValue(text, L"[ar:"), L"A&B");
  EXPECT_EQ(TagValue(L"[TI:x]", L"[ti:"), std::nullopt);
  EXPECT_EQ(TagValue(L"[ti:open", L"[ti:"), std::nullopt);
  EXPECT_EQ(TagValue(L"[ti:]", L"[ti:"), L"");
  EXPECT_EQ(TagValue(L"[ti: two\r\nlines]", L"[ti:"), L" two\r\nlines");
}

TEST(Lyrics, UnsafeFileNamesAreRecognised) {
  EXPECT_TRUE(IsSafeFileName(L"Song - A.lrc"));
  EXPECT_TRUE(IsSafeFileName(L"月亮代表我的心.lrc"));
  EXPECT_TRUE(IsSafeFileName(L"console.lrc"));
  EXPECT_TRUE(IsSafeFileName(L"com10.lrc"));
  for (const wchar_t* bad : {L"..\\x.lrc", L"a/b.lrc", L"C:x.lrc", L"a*.lrc", L"a?.lrc", L"\"a\".lrc", L"<a>.lrc",
                             L"a|b.lrc", L"a\tb.lrc", L"...", L" . ", L"", L"CON.lrc", L"nul.lrc", L"Com1.lrc",
                             L"lpt9", L"aux .lrc"})
    EXPECT_FALSE(IsSafeFileName(bad)) << bad;
}
