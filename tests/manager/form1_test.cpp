#include "manager/form1.h"

#include <gtest/gtest.h>

#include <memory>

#include "common/win/ansi.h"
#include "manager/module1.h"
#include "tests/support/manager_fixture.h"

using namespace nemba;
using namespace nemba::manager;
using nemba::test::TempDir;

namespace {

class Form1Test : public test::ManagerTest {
 protected:
  std::wstring Ini() const { return program / L"LrcPath.ini"; }
  void WriteIni(std::wstring_view value) {
    test::WriteBytes(Ini(), "[path]\r\nvalue=" + test::Ansi(value) + "\r\n");
  }
  void Close() {
    ::SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form->IsOpen());
  }
  // The browser agrees on one folder.
  void ExpectBrowserOn(const std::wstring& folder) {
    EXPECT_EQ(form->Dir1.Path(), folder);
    std::wstring withSlash = folder.back() == L'\\' ? folder : folder + L"\\";
    EXPECT_EQ(form->CurFolder, withSlash);
    EXPECT_EQ(form->File1.Folder(), withSlash);
    std::wstring drive = {static_cast<wchar_t>(towlower(folder[0])), L':'};
    EXPECT_EQ(form->Drive1.Drive(), drive);
  }
};

RECT ClientRectOf(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring MenuText(HMENU menu, UINT pos) {
  wchar_t buffer[128] = {};
  ::GetMenuStringW(menu, pos, buffer, 128, MF_BYPOSITION);
  return buffer;
}

}  // namespace

TEST_F(Form1Test, TheWindowHasEveryControlInItsPlace) {
  Form1& f = Start();
  int dpi = win::ScreenDpi();
  wchar_t caption[64] = {};
  ::GetWindowTextW(f.hwnd(), caption, 64);
  EXPECT_STREQ(caption, L"Nemba歌词管理器1.2");
  RECT client{};
  ::GetClientRect(f.hwnd(), &client);
  EXPECT_EQ(client.right, win::Twips(11415, dpi));
  EXPECT_EQ(client.bottom, win::Twips(7785, dpi));
  LONG style = ::GetWindowLongW(f.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  struct Expect {
    win::Control& c;
    int l, t, w, h;
    const wchar_t* text;
    const wchar_t* tip;
  };
  Expect table[] = {
      {f.Command3, 0, 0, 1215, 375, L"反选", nullptr},
      {f.Command2, 1200, 0, 1215, 375, L"删除无效歌词", nullptr},
      {f.Command1, 2400, 0, 495, 375, L"×", L"删除文件"},
      {f.Command8, 2880, 0, 495, 375, L"*", L"刷新"},
      {f.ProgressBar1, 3480, 0, 7815, 375, nullptr, nullptr},
      {f.Label1, 0, 480, 735, 255, L"文件列表", nullptr},
      {f.Command6, 960, 480, 495, 375, L"⌒", L"移除文件"},
      {f.Command10, 1440, 480, 495, 375, L"◎", L"清空"},
      {f.Command9, 1920, 480, 495, 375, nullptr, L"打开所在文件夹"},
      {f.Command11, 2400, 480, 495, 375, L"↑↓", L"移项"},
      {f.Command12, 2880, 480, 495, 375, nullptr, L"查找"},
      {f.Command13, 3360, 480, 495, 375, nullptr, L"去重"},
      {f.Command14, 3840, 480, 495, 375, nullptr, L"删除错误文件"},
      {f.Command15, 4320, 480, 495, 375, nullptr, L"获取文件夹"},
      {f.List1, 0, 960, 7695, 6780, nullptr, L"可直接拖放文件到列表。"},
      {f.Dir1, 7800, 840, 3495, 930, nullptr, nullptr},
      {f.Command7, 7800, 1800, 495, 375, L"←", L"加入列表"},
      {f.Label9, 9360, 1920, 495, 255, L"过滤", nullptr},
      {f.Text5, 9960, 1920, 1335, 270, L"*.lrc", L"输入完成后按Enter键"},
      {f.File1, 7680, 2280, 3735, 5490, nullptr, nullptr},
  };
  for (auto& e : table) {
    SCOPED_TRACE(::GetDlgCtrlID(e.c.hwnd()));
    RECT want = win::TwipsRect(e.l, e.t, e.w, e.h, dpi);
    RECT got = ClientRectOf(e.c.hwnd());
    EXPECT_EQ(got.left, want.left);
    EXPECT_EQ(got.top, want.top);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.bottom, want.bottom);
    if (e.text) {
      EXPECT_EQ(e.c.Text(), e.text);
    }
    if (e.tip) {
      EXPECT_EQ(f.Tips.Tip(e.c.hwnd()), e.tip);
    }
    EXPECT_TRUE(e.c.Enabled());
  }
  RECT drive = ClientRectOf(f.Drive1.hwnd());
  EXPECT_EQ(drive.left, win::Twips(7800, dpi));
  EXPECT_EQ(drive.top, win::Twips(480, dpi));
  EXPECT_EQ(drive.right, win::Twips(7800 + 3495, dpi));
  EXPECT_FALSE(f.ProgressBar1.Visible());
  EXPECT_EQ(f.File1.Pattern(), L"*.lrc");

  // Symbol captions, or their stand-ins where the font lacks the glyph.
  struct Sym {
    win::SymbolButton& b;
    const wchar_t *symbol, *fallback;
  } symbols[] = {{f.Command9, L"1", L"□"}, {f.Command12, L";", L"⊙"}, {f.Command13, L"/", L"≡"},
                 {f.Command14, L"3", L"※"}, {f.Command15, L"0", L"◇"}};
  for (auto& s : symbols) EXPECT_EQ(s.b.Text(), s.b.UsesSymbolFont() ? s.symbol : s.fallback);
}

TEST_F(Form1Test, MenusAndTabOrderAreAsListed) {
  Form1& f = Start();
  HMENU bar = f.Menu();
  ASSERT_EQ(::GetMenuItemCount(bar), 3);
  EXPECT_EQ(MenuText(bar, 0), L"文件");
  EXPECT_EQ(MenuText(bar, 1), L"工具");
  EXPECT_EQ(MenuText(bar, 2), L"帮助");
  std::vector<std::vector<std::wstring>> items = {
      {L"打开", L"移动到...", L"复制到...", L"复制列表", L"粘贴列表", L"标记无效歌词"},
      {L"歌词智能重命名", L"关闭显示屏", L"关闭显示屏并最小化", L"Nemba软件"},
      {L"访问主页", L"作者推荐", L"关于"}};
  for (int m = 0; m < 3; ++m) {
    HMENU sub = ::GetSubMenu(bar, m);
    ASSERT_EQ(::GetMenuItemCount(sub), static_cast<int>(items[m].size()));
    for (UINT i = 0; i < items[m].size(); ++i) EXPECT_EQ(MenuText(sub, i), items[m][i]);
  }

  std::vector<HWND> order = {f.Command3.hwnd(),  f.Command2.hwnd(),  f.Command1.hwnd(),  f.Command8.hwnd(),
                             f.Command6.hwnd(),  f.Command10.hwnd(), f.Command9.hwnd(),  f.Command11.hwnd(),
                             f.Command12.hwnd(), f.Command13.hwnd(), f.Command14.hwnd(), f.Command15.hwnd(),
                             f.List1.hwnd(),     f.Drive1.hwnd(),    f.Dir1.hwnd(),      f.Command7.hwnd(),
                             f.Text5.hwnd(),     f.File1.hwnd()};
  for (size_t i = 0; i + 1 < order.size(); ++i)
    EXPECT_EQ(::GetNextDlgTabItem(f.hwnd(), order[i], FALSE), order[i + 1]) << i;
}

TEST_F(Form1Test, FirstStartUsesTheProgramFolderAndClosingWritesIt) {
  test::WriteBytes(program / L"a.lrc", "x");
  test::WriteBytes(program / L"b.mp3", "x");
  Form1& f = Start();
  EXPECT_EQ(f.ActiveList, 2);
  EXPECT_EQ(f.IniFile, program / L"LrcPath.ini");
  ExpectBrowserOn(program.path());
  EXPECT_EQ(File1Items(), std::vector<std::wstring>{L"a.lrc"});
  EXPECT_FALSE(test::Exists(Ini()));
  Close();
  EXPECT_EQ(test::ReadBytes(Ini()), "[path]\r\nvalue=" + test::Ansi(program.path()) + "\r\n");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Form1Test, TheStoredFolderIsRestoredAndWrittenAgain) {
  TempDir other;
  std::wstring folder = other / L"我的 歌词";
  test::MakeDir(folder);
  test::WriteBytes(folder + L"\\歌.lrc", "x");
  WriteIni(folder);
  Start();
  ExpectBrowserOn(folder);
  EXPECT_EQ(File1Items(), std::vector<std::wstring>{L"歌.lrc"});
  Close();
  EXPECT_EQ(win::IniRead(Ini(), L"path", L"value", L""), folder);
}

TEST_F(Form1Test, AStoredDriveRootIsRestored) {
  if (test::TestDriveRoot(L'T').empty()) GTEST_SKIP() << "no test drive T:";
  WriteIni(L"T:\\");
  Form1& f = Start();
  ExpectBrowserOn(L"T:\\");
  EXPECT_EQ(f.CurFolder, L"T:\\");
  Close();
  EXPECT_EQ(win::IniRead(Ini(), L"path", L"value", L""), L"T:\\");
}

TEST_F(Form1Test, BrokenStoredValuesFallBackToTheProgramFolder) {
  for (std::wstring value : {program / L"gone", std::wstring(L"Q:\\nowhere"), std::wstring(L"\\\\server\\share\\x"),
                             std::wstring(L"@@@ garbage"), program / L"LrcPath.ini"}) {
    SCOPED_TRACE(value);
    WriteIni(value);
    Start();
    ExpectBrowserOn(program.path());
    Close();
    EXPECT_EQ(win::IniRead(Ini(), L"path", L"value", L""), program.path());
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Form1Test, AnEmptyStoredValueKeepsTheFolderTheProgramStartsOn) {
  TempDir current;
  wchar_t saved[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, saved);
  ::SetCurrentDirectoryW(current.path().c_str());
  WriteIni(L"");
  Start();
  ::SetCurrentDirectoryW(saved);
  ExpectBrowserOn(current.path());
  Close();
}

TEST_F(Form1Test, TheCommandLineAddsEachQuotedPath) {
  Start(LR"("D:\歌词\a b.lrc" "E:\c.lrc")");
  EXPECT_EQ(List1Items(), (std::vector<std::wstring>{LR"(D:\歌词\a b.lrc)", LR"(E:\c.lrc)"}));
  Close();
  Start(L"\"\"");
  EXPECT_TRUE(List1Items().empty());
  Close();
  Start(LR"("a""b"  "c")");
  EXPECT_EQ(List1Items(), (std::vector<std::wstring>{L"a", L"b", L"c"}));
  Close();
  Start(LR"(C:\x.lrc "D:\y z.lrc")");
  EXPECT_EQ(List1Items(), (std::vector<std::wstring>{LR"(C:\x.lrc)", LR"(D:\y z.lrc)"}));
  Close();
}

TEST_F(Form1Test, TheCurrentListIsTheOneThatHadTheFocusLast) {
  Form1& f = Start();
  ::SetForegroundWindow(f.hwnd());
  EXPECT_EQ(f.ActiveList, 2);
  f.List1.Focus();
  EXPECT_EQ(f.ActiveList, 1);
  f.Command3.Focus();
  f.ChooseMenu(ID_MNCHECKWUXIAO);
  EXPECT_EQ(f.ActiveList, 1);
  f.File1.Focus();
  EXPECT_EQ(f.ActiveList, 2);
  f.Command8.Focus();
  f.Command8.Click();
  EXPECT_EQ(f.ActiveList, 2);

  // Tab from the last button before it into the list.
  f.Command15.Focus();
  MSG tab{f.Command15.hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(win::PreTranslate(tab));
  EXPECT_EQ(::GetFocus(), f.List1.hwnd());
  EXPECT_EQ(f.ActiveList, 1);
}

TEST_F(Form1Test, ClickTooltipsShowIndexAndText) {
  test::WriteBytes(program / L"a.lrc", "x");
  test::WriteBytes(program / L"song.lrc", "x");
  Form1& f = Start(LR"("D:\歌词\a.lrc" "E:\b.lrc")");
  f.List1.SetCurrent(0);
  f.List1_Click();
  EXPECT_EQ(f.Tips.Tip(f.List1.hwnd()), L"0.D:\\歌词\\a.lrc");
  f.File1.SetCurrent(1);
  f.File1_Click();
  EXPECT_EQ(f.Tips.Tip(f.File1.hwnd()), L"1.song.lrc");
  f.List1.SetCurrent(-1);
  f.List1_Click();
  EXPECT_EQ(f.Tips.Tip(f.List1.hwnd()), L"");

  // Refresh empties both until the next click.
  f.List1.SetCurrent(1);
  f.List1_Click();
  f.Command8.Click();
  EXPECT_EQ(f.Tips.Tip(f.List1.hwnd()), L"");
  EXPECT_EQ(f.Tips.Tip(f.File1.hwnd()), L"");
}

TEST_F(Form1Test, FolderChangesAndTheFilter) {
  test::MakeDir(program / L"sub");
  test::WriteBytes(program / L"sub\\x.lrc", "x");
  test::WriteBytes(program / L"sub\\y.mp3", "x");
  test::WriteBytes(program / L"sub\\z.WMA", "x");
  Form1& f = Start();
  int sub = -1;
  for (int i = 0; i < f.Dir1.Count(); ++i)
    if (f.Dir1.ItemPath(i) == program / L"sub") sub = i;
  ASSERT_GE(sub, 0);
  ::SendMessageW(f.Dir1.hwnd(), LB_SETCURSEL, static_cast<WPARAM>(sub), 0);
  ::SendMessageW(f.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_DIR1, LBN_DBLCLK), reinterpret_cast<LPARAM>(f.Dir1.hwnd()));
  ExpectBrowserOn(program / L"sub");
  EXPECT_EQ(File1Items(), std::vector<std::wstring>{L"x.lrc"});

  f.Text5.SetText(L"*.mp3;*.wma");
  ::SendMessageW(f.Text5.hwnd(), WM_CHAR, L'a', 0);
  f.Text5.SetText(L"*.mp3;*.wma");
  EXPECT_EQ(File1Items(), std::vector<std::wstring>{L"x.lrc"});  // no Enter, no change
  ::SendMessageW(f.Text5.hwnd(), WM_CHAR, VK_RETURN, 0);
  EXPECT_EQ(File1Items(), (std::vector<std::wstring>{L"y.mp3", L"z.WMA"}));
  EXPECT_EQ(f.File1.Pattern(), L"*.mp3;*.wma");
  EXPECT_EQ(f.Text5.Text(), L"*.mp3;*.wma");

  f.Dir1.Open(0);  // the drive's root
  EXPECT_EQ(f.CurFolder, f.Dir1.Path());
  EXPECT_EQ(f.CurFolder.size(), 3u);
}

TEST_F(Form1Test, RefreshRereadsFilesAndKeepsList1) {
  Form1& f = Start(LR"("C:\a.lrc" "C:\b.lrc")");
  f.List1.SetChecked(1, true);
  test::WriteBytes(program / L"new.lrc", "x");
  EXPECT_EQ(f.File1.Count(), 0);
  f.Command8.Click();
  EXPECT_EQ(File1Items(), std::vector<std::wstring>{L"new.lrc"});
  EXPECT_EQ(List1Items(), (std::vector<std::wstring>{L"C:\\a.lrc", L"C:\\b.lrc"}));
  EXPECT_TRUE(f.List1.Checked(1));
  ExpectBrowserOn(program.path());
}

TEST_F(Form1Test, DriveChangesFollowAndAFailingDriveIsReported) {
  if (test::TestDriveRoot(L'T').empty() || test::TestDriveRoot(L'U').empty()) GTEST_SKIP() << "no test drives";
  Form1& f = Start();
  ASSERT_TRUE(f.Drive1.SetDrive(L"t:"));
  ExpectBrowserOn(L"T:\\");

  // U: loses its medium: the folder behind it goes away.
  const wchar_t* unixU = _wgetenv(L"NEMBA_DRIVE_U_UNIX");
  ASSERT_NE(unixU, nullptr);
  std::wstring target = std::wstring(L"Z:") + unixU;
  for (auto& c : target)
    if (c == L'/') c = L'\\';
  ASSERT_TRUE(::RemoveDirectoryW(target.c_str()));
  f.Drive1.SetDrive(L"u:");
  ::CreateDirectoryW(target.c_str(), nullptr);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, L"error");
  EXPECT_EQ(ui.messages[0].buttons(), static_cast<UINT>(MB_OK));
  EXPECT_NE(ui.messages[0].text.find(L' '), std::wstring::npos);
  EXPECT_EQ(f.Drive1.Drive(), L"u:");  // keeps the pick
  EXPECT_EQ(f.Dir1.Path(), L"T:\\");
  EXPECT_EQ(f.CurFolder, L"T:\\");
}

TEST_F(Form1Test, GetFolderBrowsesToTheCurrentEntrysFolder) {
  Form1& f = Start();
  f.Command15.Click();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"No list or not select!");
  EXPECT_EQ(ui.messages[0].title, L"Nemba歌词管理器");
  EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK));

  TempDir other;
  test::WriteBytes(other / L"one.lrc", "x");
  f.List1.Add(other / L"one.lrc");
  f.List1.Add(L"Q:\\gone\\two.lrc");
  f.List1.SetChecked(1, true);
  f.List1.SetCurrent(0);
  f.Command15.Click();
  ExpectBrowserOn(other.path());
  EXPECT_EQ(File1Items(), std::vector<std::wstring>{L"one.lrc"});
  EXPECT_TRUE(f.List1.Checked(1));
  EXPECT_FALSE(f.List1.Checked(0));

  f.List1.SetCurrent(1);  // a folder that is not there: say so, stay put
  f.Command15.Click();
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[1].text.find(L"Q:\\gone\\"), std::wstring::npos);
  ExpectBrowserOn(other.path());

  if (!test::TestDriveRoot(L'T').empty()) {
    TempDir onT(L"T:");
    test::WriteBytes(onT / L"t.lrc", "x");
    f.List1.Add(onT / L"t.lrc");
    f.List1.SetCurrent(2);
    f.Command15.Click();
    ExpectBrowserOn(onT.path());
    EXPECT_EQ(File1Items(), std::vector<std::wstring>{L"t.lrc"});
  }
}

TEST_F(Form1Test, ForbidCmdDisablesExactlyItsSet) {
  Form1& f = Start();
  std::vector<win::Control*> set = {&f.List1,    &f.Command6,  &f.Command7,  &f.File1,     &f.Command1,
                                    &f.Command2, &f.Command3,  &f.Command8,  &f.Command9,  &f.Command10,
                                    &f.Command11, &f.Command12, &f.Command13, &f.Command14, &f.Command15};
  std::vector<win::Control*> kept = {&f.Drive1, &f.Dir1, &f.Text5};
  std::vector<UINT> setMenus = {ID_MNMOVETO, ID_MNCOPYTO, ID_MNOPEN, ID_MNCOPYLIST};
  std::vector<UINT> keptMenus = {ID_MNPASTELIST,      ID_MNCHECKWUXIAO, ID_MNRENAMELRC, ID_MNCLOSESCREEN,
                                 ID_MNCLOSESCREENQUIT, ID_MNNEMBASOFT,   ID_MNVISITHOMEPAGE, ID_MNTUIJIAN,
                                 ID_MNABOUT};
  f.ForbidCmd();
  f.ForbidCmd();
  for (auto* c : set) EXPECT_FALSE(c->Enabled()) << c->id();
  for (auto* c : kept) EXPECT_TRUE(c->Enabled()) << c->id();
  for (UINT id : setMenus) EXPECT_FALSE(f.MenuEnabled(id)) << id;
  for (UINT id : keptMenus) EXPECT_TRUE(f.MenuEnabled(id)) << id;
  f.UnForbidCmd();  // one undoes any number
  for (auto* c : set) EXPECT_TRUE(c->Enabled()) << c->id();
  for (UINT id : setMenus) EXPECT_TRUE(f.MenuEnabled(id)) << id;
}

TEST_F(Form1Test, TheProgressBarRoutines) {
  Form1& f = Start();
  f.ShowProgressBar(0);
  EXPECT_FALSE(f.ProgressBar1.Visible());
  EXPECT_EQ(f.ProgressBar1.Value(), 0);
  f.ShowProgressBar(3);
  EXPECT_TRUE(f.ProgressBar1.Visible());
  EXPECT_EQ(f.ProgressBar1.Max(), 3);
  for (int i = 0; i < 3; ++i) f.ShowProgress();
  EXPECT_EQ(f.ProgressBar1.Value(), 3);
  f.UnShowProgressBar();
  EXPECT_FALSE(f.ProgressBar1.Visible());
  EXPECT_EQ(f.ProgressBar1.Value(), 3);
  EXPECT_EQ(f.ProgressBar1.Max(), 3);
  f.ShowProgressBar(-5);
  EXPECT_EQ(f.ProgressBar1.Value(), 0);
  EXPECT_FALSE(f.ProgressBar1.Visible());
  f.ShowProgressBar(32767);
  EXPECT_EQ(f.ProgressBar1.Max(), 32767);
}

TEST_F(Form1Test, SelectionCountsAndListTidying) {
  Form1& f = Start();
  EXPECT_EQ(f.GetSelCounts(), 0);
  for (int i = 0; i < 5; ++i) f.List1.Add(L"C:\\" + std::to_wstring(i) + L".lrc");
  f.List1.SetChecked(0, true);
  f.List1.SetChecked(2, true);
  f.List1.SetChecked(4, true);
  f.ActiveList = 2;
  EXPECT_EQ(f.GetSelCounts(), 3);

  // Both empty: only List1's flag and tooltip are reset.
  f.List1.Clear();
  f.ListSelFlag = f.FileSelFlag = true;
  f.Tips.SetTip(f.File1.hwnd(), L"keep");
  f.PanDuanList();
  EXPECT_FALSE(f.ListSelFlag);
  EXPECT_TRUE(f.FileSelFlag);
  EXPECT_EQ(f.Tips.Tip(f.List1.hwnd()), L"");
  EXPECT_EQ(f.Tips.Tip(f.File1.hwnd()), L"keep");
  f.List1.Add(L"x");
  f.ListSelFlag = true;
  f.PanDuanList();
  EXPECT_TRUE(f.ListSelFlag);
  EXPECT_FALSE(f.FileSelFlag);
  EXPECT_EQ(f.Tips.Tip(f.File1.hwnd()), L"");
}

TEST_F(Form1Test, ShowingAFileInItsFolderAndBrowsingForAFolder) {
  Form1& f = Start();
  test::WriteBytes(program / L"a b.lrc", "x");
  EXPECT_TRUE(f.OpenFolderAndSetFileFocus(L"  " + (program / L"a b.lrc") + L"  "));
  ASSERT_EQ(ui.shownInFolder.size(), 1u);
  EXPECT_EQ(ui.shownInFolder[0], program / L"a b.lrc");
  EXPECT_FALSE(f.OpenFolderAndSetFileFocus(program / L"missing.lrc"));
  EXPECT_EQ(ui.shownInFolder.size(), 1u);
  ui.showInFolderSucceeds = false;
  EXPECT_FALSE(f.OpenFolderAndSetFileFocus(program / L"a b.lrc"));

  EXPECT_TRUE(FileExists(program / L"a b.lrc"));
  EXPECT_TRUE(FileExists(program.path()));
  EXPECT_TRUE(FileExists(program / L"*.lrc"));
  EXPECT_FALSE(FileExists(program / L"*.mp3"));

  ui.folderAnswers = {L"D:\\歌词", L""};
  EXPECT_EQ(BrowseFolder(L"请选择文件夹"), L"D:\\歌词");
  EXPECT_EQ(BrowseFolder(L"请选择文件夹"), L"");
  ASSERT_EQ(ui.folders.size(), 2u);
  EXPECT_EQ(ui.folders[0].title, L"请选择文件夹");
  EXPECT_EQ(ui.folders[0].flags, 0x51u);
}

TEST_F(Form1Test, ClosingDuringALongOperationWaitsForIt) {
  Form1& f = Start();
  {
    win::Window::BusyScope busy(f);
    ::SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.IsOpen());
  }
  test::Pump();
  EXPECT_FALSE(f.IsOpen());
  EXPECT_TRUE(test::Exists(Ini()));
}
