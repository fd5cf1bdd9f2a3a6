#include "manager/form3.h"

#include <gtest/gtest.h>

#include <memory>

#include "manager/form1.h"
#include "tests/support/manager_fixture.h"

using namespace nemba;
using namespace nemba::manager;
using nemba::test::TempDir;
using Items = std::vector<std::wstring>;

namespace {

class SmartRename : public test::ManagerTest {
 protected:
  TempDir dir;
  Form3* rename = nullptr;

  void SetUp() override { Start(); }
  // Adds a selected lyrics file with the given content (ANSI unless raw).
  std::wstring Lyrics(const std::wstring& name, const std::wstring& text) {
    test::WriteBytes(dir / name, test::Ansi(text));
    form->List1.Add(dir / name);
    form->List1.SetChecked(form->List1.Count() - 1, true);
    return dir / name;
  }
  void Song(const std::wstring& name) { test::WriteBytes(dir / name, "x"); }
  void Run(int format, const std::wstring& separator = L" - ") {
    if (!rename) {
      ASSERT_TRUE(OpenWindow());
    } else {
      ASSERT_TRUE(rename->Show());
    }
    rename->Combo1.SetIndex(format);
    rename->Text1.SetText(separator);
    rename->Command1.Click();
  }
  // The menu shows the window modally; the tests show it and click instead.
  bool OpenWindow() {
    owned_ = std::make_unique<Form3>(*form);
    rename = owned_.get();
    return rename->Show();
  }
  Items List1() { return List1Items(); }
  std::unique_ptr<Form3> owned_;
};

}  // namespace

TEST_F(SmartRename, TheWindowAndItsSettings) {
  ASSERT_TRUE(OpenWindow());
  wchar_t caption[32] = {};
  ::GetWindowTextW(rename->hwnd(), caption, 32);
  EXPECT_STREQ(caption, L"歌词智能重命名");
  EXPECT_FALSE(::IsWindowEnabled(form->hwnd()));  // modal over the main window
  EXPECT_EQ(rename->Combo1.Count(), 4);
  EXPECT_EQ(rename->Combo1.Index(), 0);
  EXPECT_EQ(rename->Text1.Text(), L" - ");
  EXPECT_EQ(rename->Command1.Text(), L"开始");
  EXPECT_FALSE(rename->List1.Visible());
  rename->Combo1.SetIndex(2);
  rename->Text1.SetText(L"/");
  ::SendMessageW(rename->hwnd(), WM_CLOSE, 0, 0);  // hides, keeps everything
  EXPECT_TRUE(rename->IsOpen());
  EXPECT_FALSE(::IsWindowVisible(rename->hwnd()));
  EXPECT_TRUE(::IsWindowEnabled(form->hwnd()));
  ASSERT_TRUE(rename->Show());
  EXPECT_EQ(rename->Combo1.Index(), 2);
  EXPECT_EQ(rename->Text1.Text(), L"/");
}

TEST_F(SmartRename, NothingSelectedSaysSoAndCloses) {
  form->List1.Add(dir / L"a.lrc");
  Run(0);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"No list or not select!");
  EXPECT_EQ(ui.messages[0].title, L"Nemba歌词管理器");
  EXPECT_FALSE(::IsWindowVisible(rename->hwnd()));
}

TEST_F(SmartRename, RenamesAfterTheTags) {
  std::wstring a = Lyrics(L"a.lrc", L"[ar:A&B]\r\n[ti:歌]\r\n[ti:second]\r\n");
  Lyrics(L"b.lrc", L"[ti:歌]\r\n");       // same title: refused, keeps its name
  Lyrics(L"c.lrc", L"[ar:X]\r\nno title");  // no tag: left alone
  form->List1.Add(L"unselected.lrc");
  Run(0);
  EXPECT_EQ(List1(), (Items{dir / L"歌.lrc", dir / L"b.lrc", dir / L"c.lrc", L"unselected.lrc"}));
  EXPECT_FALSE(form->List1.Checked(0));
  EXPECT_TRUE(form->List1.Checked(1) && form->List1.Checked(2));
  EXPECT_TRUE(test::Exists(dir / L"歌.lrc"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"重命名完成！");
  EXPECT_EQ(ui.messages[0].title, L"提示");
  EXPECT_EQ(ui.messages[0].icon(), static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_FALSE(form->ProgressBar1.Visible());

  form->List1.SetChecked(0, true);
  Run(1);
  EXPECT_EQ(form->List1.Item(0), dir / L"A - B.lrc");
  form->List1.SetChecked(0, true);
  Run(2, L"");
  EXPECT_EQ(form->List1.Item(0), dir / L"歌AB.lrc");
}

TEST_F(SmartRename, UnsafeTagsAndOtherEncodings) {
  Lyrics(L"a.lrc", L"[ti:..\\..\\evil]");
  Lyrics(L"b.lrc", L"[ti:CON]");
  test::WriteBytes(dir / L"u.lrc", "\xEF\xBB\xBF[ti:\xE6\xAD\x8C\xE8\xAF\x8D]");  // UTF-8 with its mark
  form->List1.Add(dir / L"u.lrc");
  form->List1.SetChecked(2, true);
  form->List1.Add(dir / L"missing.lrc");  // cannot be read: skipped
  form->List1.SetChecked(3, true);
  Run(0);
  EXPECT_EQ(List1(), (Items{dir / L"a.lrc", dir / L"b.lrc", dir / L"歌词.lrc", dir / L"missing.lrc"}));
  EXPECT_TRUE(form->List1.Checked(0) && form->List1.Checked(1) && form->List1.Checked(3));
  EXPECT_EQ(ui.messages.back().text, L"重命名完成！");
}

TEST_F(SmartRename, FollowsTheSongAndPutsThePreviewListBack) {
  TempDir other;
  ASSERT_TRUE(form->Dir1.SetPath(other.path()));
  form->Text5.SetText(L"*.txt");
  Song(L"Other.mp3");
  Song(L"Song - A.wma");
  Song(L"Song (A&B).mp3");
  Lyrics(L"x.lrc", L"[ti:Song][ar:A&B]");
  TempDir second;
  test::WriteBytes(second / L"Song A2.wma", "x");
  test::WriteBytes(second / L"Song A1.MP3", "x");
  test::WriteBytes(second / L"y.lrc", "[ti:Song][ar:A]");
  form->List1.Add(second / L"y.lrc");
  form->List1.SetChecked(1, true);
  test::WriteBytes(second / L"z.lrc", "[ti:song][ar:A]");  // other letter case: no match
  form->List1.Add(second / L"z.lrc");
  form->List1.SetChecked(2, true);
  Run(3);
  EXPECT_EQ(List1(), (Items{dir / L"Song (A&B).lrc", second / L"Song A1.lrc", second / L"z.lrc"}));
  EXPECT_TRUE(form->List1.Checked(2));
  EXPECT_EQ(form->File1.Folder(), other.path() + L"\\");
  EXPECT_EQ(form->File1.Pattern(), L"*.txt");
}
