#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "manager/form1.h"
#include "manager/form4.h"
#include "recommend/form5.h"
#include "tests/support/manager_fixture.h"
#include "tests/support/scripted_ui.h"
#include "tests/support/windows_fixture.h"

using namespace nemba;
using namespace nemba::manager;
using nemba::test::TempDir;

namespace {

struct DisplayRequest {
  HWND target;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

// Runs with another current folder, and puts the old one back.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::wstring& folder) {
    wchar_t buffer[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, buffer);
    saved_ = buffer;
    ::SetCurrentDirectoryW(folder.c_str());
  }
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;
  ~CurrentFolderScope() { ::SetCurrentDirectoryW(saved_.c_str()); }

 private:
  std::wstring saved_;
};

std::wstring CaptionOf(HWND hwnd) {
  wchar_t buffer[128] = {};
  ::GetWindowTextW(hwnd, buffer, 128);
  return buffer;
}

// Top-level windows of a class that `owner` owns.
int OwnedWindows(HWND owner, const wchar_t* className) {
  struct Search {
    HWND owner;
    const wchar_t* className;
    int count = 0;
  } search{owner, className};
  ::EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t name[128] = {};
        ::GetClassNameW(h, name, 128);
        if (::GetWindow(h, GW_OWNER) == s->owner && std::wstring(name) == s->className) ++s->count;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.count;
}

using MenusTest = test::ManagerTest;

class NembaSoftTest : public MenusTest {
 protected:
  TempDir folder;

  void SetUp() override {
    for (const wchar_t* name : {L"a.exe", L"B.EXE", L"c.Ink", L"g.ink", L"d.lrc", L"e.exe.txt", L"setup.exe.bak"})
      test::WriteBytes(folder / name, "x");
    test::MakeDir(folder / L"f.exe");
    test::MakeDir(folder / L"tools.ink");
    Start();
  }
  Form4& OpenForm4() {
    CurrentFolderScope scope(folder.path());
    form->ChooseMenu(ID_MNNEMBASOFT);
    test::Pump();
    Form4* f4 = form->NembaSoftWindow();
    EXPECT_NE(f4, nullptr);
    return *f4;
  }
  static std::vector<std::wstring> Items(const Form4& f4) {
    std::vector<std::wstring> v;
    for (int i = 0; i < f4.File1.Count(); ++i) v.push_back(f4.File1.Item(i));
    std::sort(v.begin(), v.end());
    return v;
  }
  static int IndexOf(const Form4& f4, const std::wstring& name) {
    for (int i = 0; i < f4.File1.Count(); ++i)
      if (f4.File1.Item(i) == name) return i;
    return -1;
  }
  // What the list box tells its parent.
  static void Notify(Form4& f4, WORD code) {
    ::SendMessageW(f4.hwnd(), WM_COMMAND, MAKEWPARAM(f4.File1.id(), code), reinterpret_cast<LPARAM>(f4.File1.hwnd()));
  }
};

}  // namespace

TEST_F(MenusTest, TheDisplayCommandsAskTheForegroundWindowForLowPowerAndTheSecondMinimises) {
  Form1& f = Start();
  std::vector<DisplayRequest> sent;
  f.sendDisplayRequest = [&sent](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    sent.push_back({h, m, w, l});
    return 0;
  };

  HWND foreground = ::GetForegroundWindow();
  f.ChooseMenu(ID_MNCLOSESCREEN);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].target, foreground);
  EXPECT_EQ(sent[0].msg, 0x0112u);
  EXPECT_EQ(sent[0].wp, 0xF170u);
  EXPECT_EQ(sent[0].lp, 1);
  EXPECT_FALSE(::IsIconic(f.hwnd()));

  f.ChooseMenu(ID_MNCLOSESCREENQUIT);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].target, foreground);
  EXPECT_EQ(sent[1].msg, 0x0112u);
  EXPECT_EQ(sent[1].wp, 0xF170u);
  EXPECT_EQ(sent[1].lp, 1);
  test::Pump();
  EXPECT_TRUE(::IsIconic(f.hwnd()));
  EXPECT_TRUE(f.IsOpen());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MenusTest, AboutAndHomepage) {
  Form1& f = Start();
  f.ChooseMenu(ID_MNABOUT);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"Nemba歌词管理器1.2\r\n作者：Nemba");
  EXPECT_EQ(ui.messages[0].title, L"关于");
  EXPECT_EQ(ui.messages[0].buttons(), static_cast<UINT>(MB_OK));
  EXPECT_EQ(ui.messages[0].icon(), static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_TRUE(ui.runs.empty());

  f.ChooseMenu(ID_MNVISITHOMEPAGE);
  ASSERT_EQ(ui.runs.size(), 1u);
  EXPECT_EQ(ui.runs[0].commandLine, L"explorer https://blog.nemba.example.com/");
  EXPECT_EQ(ui.runs[0].show, SW_SHOWNORMAL);
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MenusTest, TheRecommendationWindowIsOneAtATimeAndFetchesAnewAfterClosing) {
  Form1& f = Start();
  f.ChooseMenu(ID_MNTUIJIAN);
  test::Pump();
  recommend::Form5* first = f.RecommendWindow();
  ASSERT_NE(first, nullptr);
  HWND firstWindow = first->hwnd();
  EXPECT_EQ(::GetWindow(firstWindow, GW_OWNER), f.hwnd());
  EXPECT_EQ(CaptionOf(firstWindow), L"正在获取，请稍后...");

  f.ChooseMenu(ID_MNTUIJIAN);
  test::Pump();
  EXPECT_EQ(f.RecommendWindow(), first);
  EXPECT_EQ(first->hwnd(), firstWindow);
  EXPECT_EQ(OwnedWindows(f.hwnd(), L"Nemba.Recommend.Form5"), 1);

  // As if the page had been shown; closing and opening again starts over.
  first->DocumentComplete(nullptr);
  EXPECT_EQ(first->Counter().Count(), 1);
  ::SendMessageW(firstWindow, WM_CLOSE, 0, 0);
  test::Pump();
  EXPECT_FALSE(::IsWindow(firstWindow));
  EXPECT_EQ(f.RecommendWindow(), nullptr);
  EXPECT_TRUE(f.IsOpen());

  f.ChooseMenu(ID_MNTUIJIAN);
  test::Pump();
  recommend::Form5* second = f.RecommendWindow();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(::IsWindow(second->hwnd()));
  EXPECT_EQ(second->Counter().Count(), 0);
  EXPECT_EQ(CaptionOf(second->hwnd()), L"正在获取，请稍后...");
  EXPECT_EQ(OwnedWindows(f.hwnd(), L"Nemba.Recommend.Form5"), 1);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MenusTest, ClosingTheMainWindowTakesTheMenuWindowsWithIt) {
  Form1& f = Start();
  f.ChooseMenu(ID_MNTUIJIAN);
  f.ChooseMenu(ID_MNNEMBASOFT);
  test::Pump();
  ASSERT_NE(f.RecommendWindow(), nullptr);
  ASSERT_NE(f.NembaSoftWindow(), nullptr);
  HWND w4 = f.NembaSoftWindow()->hwnd(), w5 = f.RecommendWindow()->hwnd();

  ::SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
  test::Pump();
  EXPECT_FALSE(f.IsOpen());
  EXPECT_FALSE(::IsWindow(w4));
  EXPECT_FALSE(::IsWindow(w5));
  EXPECT_EQ(f.RecommendWindow(), nullptr);
  EXPECT_EQ(f.NembaSoftWindow(), nullptr);
  form.reset();  // the objects of the closed windows go without touching them
}

TEST_F(NembaSoftTest, ListsOnlyProgramsAndInkFilesOfTheCurrentFolder) {
  Form4& f4 = OpenForm4();
  EXPECT_EQ(CaptionOf(f4.hwnd()), L"Nemba软件-同一文件夹中");
  EXPECT_EQ(::GetWindow(f4.hwnd(), GW_OWNER), form->hwnd());
  EXPECT_EQ(Items(f4), (std::vector<std::wstring>{L"B.EXE", L"a.exe", L"c.Ink", L"g.ink"}));

  RECT client{}, list{};
  ::GetClientRect(f4.hwnd(), &client);
  ::GetWindowRect(f4.File1.hwnd(), &list);
  ::MapWindowPoints(nullptr, f4.hwnd(), reinterpret_cast<POINT*>(&list), 2);
  EXPECT_TRUE(::EqualRect(&client, &list));
  ::SetWindowPos(f4.hwnd(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::GetClientRect(f4.hwnd(), &client);
  ::GetWindowRect(f4.File1.hwnd(), &list);
  ::MapWindowPoints(nullptr, f4.hwnd(), reinterpret_cast<POINT*>(&list), 2);
  EXPECT_TRUE(::EqualRect(&client, &list));
}

TEST_F(NembaSoftTest, ADoubleClickStartsTheEntryAndASingleClickDoesNothing) {
  Form4& f4 = OpenForm4();
  int i = IndexOf(f4, L"a.exe");
  ASSERT_GE(i, 0);

  Notify(f4, LBN_DBLCLK);  // no current entry yet
  EXPECT_TRUE(ui.runs.empty());

  f4.File1.SetCurrent(i);
  Notify(f4, LBN_SELCHANGE);
  EXPECT_TRUE(ui.runs.empty());

  Notify(f4, LBN_DBLCLK);
  ASSERT_EQ(ui.runs.size(), 1u);
  EXPECT_EQ(ui.runs[0].commandLine, folder.path() + L"\\a.exe");
  EXPECT_EQ(ui.runs[0].show, SW_SHOWNORMAL);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(NembaSoftTest, AFileThatCannotStartIsReportedAndEverythingStaysOpen) {
  Form4& f4 = OpenForm4();
  f4.File1.SetCurrent(IndexOf(f4, L"c.Ink"));
  ui.runSucceeds = false;
  Notify(f4, LBN_DBLCLK);
  ASSERT_EQ(ui.runs.size(), 1u);
  EXPECT_EQ(ui.runs[0].commandLine, folder.path() + L"\\c.Ink");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"无法启动：" + folder.path() + L"\\c.Ink");
  EXPECT_EQ(ui.messages[0].buttons(), static_cast<UINT>(MB_OK));
  EXPECT_EQ(ui.messages[0].icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  test::Pump();
  EXPECT_TRUE(f4.IsOpen());
  EXPECT_TRUE(form->IsOpen());
}

TEST_F(NembaSoftTest, OneWindowAtATimeReadOnceAndListedAnewAfterClosing) {
  Form4& f4 = OpenForm4();
  HWND first = f4.hwnd();
  test::WriteBytes(folder / L"h.exe", "x");

  OpenForm4();
  EXPECT_EQ(form->NembaSoftWindow(), &f4);
  EXPECT_EQ(f4.hwnd(), first);
  EXPECT_EQ(OwnedWindows(form->hwnd(), L"Nemba.LyricsManager.Form4"), 1);
  EXPECT_EQ(IndexOf(f4, L"h.exe"), -1);

  ::SendMessageW(first, WM_CLOSE, 0, 0);
  test::Pump();
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_EQ(form->NembaSoftWindow(), nullptr);

  Form4& again = OpenForm4();
  EXPECT_GE(IndexOf(again, L"h.exe"), 0);
  EXPECT_EQ(again.File1.Count(), 5);
  EXPECT_EQ(OwnedWindows(form->hwnd(), L"Nemba.LyricsManager.Form4"), 1);
}
