#include "manager/form2.h"

#include <gtest/gtest.h>

#include <memory>

#include "manager/form1.h"
#include "tests/support/manager_fixture.h"

using namespace nemba;
using namespace nemba::manager;
using nemba::test::TempDir;

namespace {

class FindDialog : public test::ManagerTest {
 protected:
  TempDir folder;

  void SetUp() override { Start(); }
  Form2& Find() {
    form->Command12.Click();
    EXPECT_NE(form->FindDialog(), nullptr);
    return *form->FindDialog();
  }
  void Search(Form2& d, const std::wstring& text) {
    d.Text1.SetText(text);
    d.Command1.Click();
  }
  std::vector<bool> List1Checks() {
    std::vector<bool> v;
    for (int i = 0; i < form->List1.Count(); ++i) v.push_back(form->List1.Checked(i));
    return v;
  }
  std::vector<bool> File1Selection() {
    std::vector<bool> v;
    for (int i = 0; i < form->File1.Count(); ++i) v.push_back(form->File1.Selected(i));
    return v;
  }
};

}  // namespace

TEST_F(FindDialog, OpensModelessWithItsControls) {
  Form2& d = Find();
  wchar_t caption[32] = {};
  ::GetWindowTextW(d.hwnd(), caption, 32);
  EXPECT_STREQ(caption, L"查找");
  EXPECT_EQ(::GetWindow(d.hwnd(), GW_OWNER), form->hwnd());
  EXPECT_TRUE(::IsWindowEnabled(form->hwnd()));
  RECT client{};
  ::GetClientRect(d.hwnd(), &client);
  int dpi = win::ScreenDpi();
  EXPECT_EQ(client.right, win::Twips(4815, dpi));
  EXPECT_EQ(client.bottom, win::Twips(1575, dpi));
  EXPECT_EQ(d.Command1.Text(), L"查找");
  EXPECT_EQ(d.Check1.Text(), L"文件列表");
  EXPECT_EQ(d.Check2.Text(), L"预览列表");
  EXPECT_TRUE(d.Check1.Ticked() && d.Check2.Ticked());
  EXPECT_EQ(d.Text1.Text(), L"");
  EXPECT_EQ(d.Label1.Text(), L"");
  EXPECT_EQ(::GetNextDlgTabItem(d.hwnd(), d.Text1.hwnd(), FALSE), d.Command1.hwnd());

  // A second click brings the same window; after closing it starts afresh.
  d.Text1.SetText(L"x");
  HWND first = d.hwnd();
  EXPECT_EQ(Find().hwnd(), first);
  EXPECT_EQ(Find().Text1.Text(), L"x");
  ::SendMessageW(first, WM_CLOSE, 0, 0);
  EXPECT_EQ(form->FindDialog(), nullptr);
  Form2& again = Find();
  EXPECT_EQ(again.Text1.Text(), L"");
  EXPECT_TRUE(again.Check1.Ticked() && again.Check2.Ticked());
}

TEST_F(FindDialog, MarksMatchesInBothListsAndCountsThem) {
  for (auto n : {L"lrc-one.lrc", L"two.lrc", L"three.mp3"}) test::WriteBytes(folder / n, "x");
  ASSERT_TRUE(form->Dir1.SetPath(folder.path()));
  form->File1.SetPattern(L"*.*");
  for (auto e : {L"C:\\a\\x.lrc", L"C:\\a\\y.LRC", L"D:\\lrc\\z.mp3"}) form->List1.Add(e);
  form->List1.SetChecked(1, true);
  Form2& d = Find();
  Search(d, L"lrc");
  EXPECT_EQ(List1Checks(), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(File1Selection(), (std::vector<bool>{true, false, true}));  // lrc-one.lrc, three.mp3, two.lrc
  EXPECT_EQ(d.Label1.Text(), L"共找到 4 个项目，已将它们标记。");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(form->ProgressBar1.Visible());

  // Only the file list: the preview list keeps its selection.
  d.Check2.SetTicked(false);
  Search(d, L"\\a\\");
  EXPECT_EQ(List1Checks(), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(File1Selection(), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(d.Label1.Text(), L"共找到 2 个项目，已将它们标记。");

  // Only the preview list, by Enter in the box.
  d.Check1.SetTicked(false);
  d.Check2.SetTicked(true);
  d.Text1.SetText(L"two");
  ::SendMessageW(d.Text1.hwnd(), WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(File1Selection(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(List1Checks(), (std::vector<bool>{true, true, false}));
  EXPECT_EQ(d.Label1.Text(), L"共找到 1 个项目，已将它们标记。");

  // Nothing to search: nothing changes, 0 found.
  Search(d, L"");
  EXPECT_EQ(File1Selection(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(d.Label1.Text(), L"共找到 0 个项目，已将它们标记。");
  EXPECT_EQ(form->ActiveList, 2);
}

TEST_F(FindDialog, ASearchSurvivesTheListChangingUnderIt) {
  for (int i = 0; i < 5; ++i) form->List1.Add(L"x" + std::to_wstring(i));
  Form2& d = Find();
  d.Check2.SetTicked(false);
  ::PostMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND10, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Command10.hwnd()));
  Search(d, L"x");
  EXPECT_EQ(form->List1.Count(), 0);
  EXPECT_FALSE(form->ProgressBar1.Visible());
  EXPECT_EQ(d.Label1.Text(), L"共找到 0 个项目，已将它们标记。");
}
