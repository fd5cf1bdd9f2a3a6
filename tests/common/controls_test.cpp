#include "common/win/controls.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>

#include "common/win/gdi.h"
#include "tests/support/host_window.h"
#include "tests/support/windows_fixture.h"

using namespace nemba;
using nemba::test::TempDir;

namespace {

class ControlsTest : public ::testing::Test {
 protected:
  test::HostWindow host;
  HWND parent() const { return host.hwnd(); }
};

// A shell file drop, built as the shell builds it.
HGLOBAL MakeDrop(const std::vector<std::wstring>& files) {
  size_t chars = 1;
  for (auto& f : files) chars += f.size() + 1;
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* df = static_cast<DROPFILES*>(::GlobalLock(h));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  auto* p = reinterpret_cast<wchar_t*>(df + 1);
  for (auto& f : files) {
    std::memcpy(p, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
    p += f.size() + 1;
  }
  ::GlobalUnlock(h);
  return h;
}

LPARAM PointOf(HWND list, int index, int x) {
  RECT r{};
  ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return MAKELPARAM(x, (r.top + r.bottom) / 2);
}

void ClickAt(HWND list, LPARAM at) {
  ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageW(list, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST_F(ControlsTest, CheckListKeepsTextsAndChecks) {
  win::CheckList list;
  ASSERT_TRUE(list.Create(parent(), 10, RECT{0, 0, 300, 200}));
  EXPECT_EQ(list.Current(), -1);
  EXPECT_EQ(list.Add(L"a"), 0);
  EXPECT_EQ(list.Add(L"c"), 1);
  EXPECT_EQ(list.Insert(1, L"b"), 1);
  list.SetChecked(2, true);
  EXPECT_EQ(list.Item(1), L"b");
  EXPECT_FALSE(list.Checked(0));
  EXPECT_TRUE(list.Checked(2));
  EXPECT_TRUE(list.Remove(0));
  EXPECT_EQ(list.Count(), 2);
  EXPECT_TRUE(list.Checked(1));  // the check moves with its entry
  EXPECT_FALSE(list.Remove(5));
  EXPECT_FALSE(list.Checked(9));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ControlsTest, CheckListHoldsAtMost32767Entries) {
  win::CheckList list;
  ASSERT_TRUE(list.Create(parent(), 10, RECT{0, 0, 300, 200}));
  list.SetRedraw(false);
  list.Reserve(win::CheckList::kMaxEntries);
  for (int i = 0; i < win::CheckList::kMaxEntries; ++i) ASSERT_EQ(list.Add(L"x"), i);
  EXPECT_EQ(list.Add(L"one too many"), -1);
  EXPECT_EQ(list.Insert(0, L"one too many"), -1);
  list.SetRedraw(true);
  EXPECT_EQ(list.Count(), win::CheckList::kMaxEntries);
}

TEST_F(ControlsTest, CheckListTogglesByBoxClickAndSpace) {
  win::CheckList list;
  ASSERT_TRUE(list.Create(parent(), 10, RECT{0, 0, 300, 200}));
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  list.Add(L"a");
  list.Add(L"b");

  ClickAt(list.hwnd(), PointOf(list.hwnd(), 1, 150));  // on the text: makes it current
  EXPECT_EQ(list.Current(), 1);
  EXPECT_FALSE(list.Checked(1));
  EXPECT_GE(clicks, 1);

  ClickAt(list.hwnd(), PointOf(list.hwnd(), 0, 5));  // on the box: toggles
  EXPECT_EQ(list.Current(), 0);
  EXPECT_TRUE(list.Checked(0));

  ClickAt(list.hwnd(), PointOf(list.hwnd(), 0, 150));  // the current entry's text toggles too
  EXPECT_FALSE(list.Checked(0));

  ::SendMessageW(list.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(list.hwnd(), WM_CHAR, L' ', 0);
  EXPECT_TRUE(list.Checked(0));
  EXPECT_FALSE(list.Checked(1));
}

TEST_F(ControlsTest, CheckListTakesDroppedFiles) {
  win::CheckList list;
  ASSERT_TRUE(list.Create(parent(), 10, RECT{0, 0, 300, 200}));
  std::vector<std::wstring> got;
  list.onDropFiles = [&](std::vector<std::wstring> files) { got = std::move(files); };
  ::SendMessageW(list.hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\歌 1.lrc", L"D:\\b"})), 0);
  EXPECT_EQ(got, (std::vector<std::wstring>{L"C:\\歌 1.lrc", L"D:\\b"}));
}

TEST_F(ControlsTest, FileListMatchesPatternsWithoutRegardToCase) {
  TempDir dir;
  for (auto name : {L"b.lrc", L"A.LRC", L"c.mp3", L"d.Wma", L"e.lrcx", L"歌.lrc"}) test::WriteBytes(dir / name, "x");
  test::MakeDir(dir / L"folder.lrc");
  test::WriteBytes(dir / L"hidden.lrc", "x");
  ::SetFileAttributesW((dir / L"hidden.lrc").c_str(), FILE_ATTRIBUTE_HIDDEN);
  test::WriteBytes(dir / L"system.lrc", "x");
  ::SetFileAttributesW((dir / L"system.lrc").c_str(), FILE_ATTRIBUTE_SYSTEM);

  win::FileList files;
  ASSERT_TRUE(files.Create(parent(), 11, RECT{0, 0, 300, 200}));
  files.SetPattern(L"*.lrc");
  files.SetFolder(dir.path() + L"\\");
  auto names = [&] {
    std::vector<std::wstring> v;
    for (int i = 0; i < files.Count(); ++i) v.push_back(files.Item(i));
    return v;
  };
  using Names = std::vector<std::wstring>;
  EXPECT_EQ(names(), (Names{L"A.LRC", L"b.lrc", L"歌.lrc"}));

  files.SetShowSystem(true);
  files.Refresh();
  EXPECT_EQ(names(), (Names{L"A.LRC", L"b.lrc", L"system.lrc", L"歌.lrc"}));
  files.SetShowHidden(true);
  files.Refresh();
  EXPECT_EQ(names(), (Names{L"A.LRC", L"b.lrc", L"hidden.lrc", L"system.lrc", L"歌.lrc"}));

  files.SetPattern(L"*.MP3; *.wma");
  EXPECT_EQ(names(), (Names{L"c.mp3", L"d.Wma"}));
  files.SetPattern(L"nothing.*");
  EXPECT_EQ(files.Count(), 0);
  files.SetFolder(dir / L"missing");
  EXPECT_EQ(files.Count(), 0);
}

TEST_F(ControlsTest, FileListHasNoCurrentEntryUntilOneIsMarked) {
  TempDir dir;
  test::WriteBytes(dir / L"a.lrc", "x");
  test::WriteBytes(dir / L"b.lrc", "x");
  win::FileList files;
  ASSERT_TRUE(files.Create(parent(), 11, RECT{0, 0, 300, 200}));
  files.SetPattern(L"*.lrc");
  files.SetFolder(dir.path());
  EXPECT_EQ(files.Current(), -1);
  ClickAt(files.hwnd(), PointOf(files.hwnd(), 1, 20));
  EXPECT_EQ(files.Current(), 1);
  EXPECT_TRUE(files.Selected(1));
  files.SetSelected(0, true);
  EXPECT_TRUE(files.Selected(0));
  EXPECT_TRUE(files.Selected(1));  // extended selection: both
  files.Refresh();
  EXPECT_EQ(files.Current(), -1);
  EXPECT_FALSE(files.Selected(1));
}

TEST_F(ControlsTest, DirListShowsAncestorsAndSubfolders) {
  TempDir dir;
  test::MakeDir(dir / L"歌词\\b");
  test::MakeDir(dir / L"歌词\\A");
  test::MakeDir(dir / L"歌词\\hidden");
  ::SetFileAttributesW((dir / L"歌词\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  win::DirList dirs;
  ASSERT_TRUE(dirs.Create(parent(), 12, RECT{0, 0, 300, 200}));
  int changes = 0;
  dirs.onChange = [&] { ++changes; };

  ASSERT_TRUE(dirs.SetPath(dir / L"歌词\\"));
  EXPECT_EQ(dirs.Path(), dir / L"歌词");
  EXPECT_EQ(changes, 1);
  int n = dirs.Count();
  ASSERT_GE(n, 4);
  EXPECT_EQ(dirs.ItemPath(0), dirs.Path().substr(0, 3));
  EXPECT_EQ(dirs.ItemPath(n - 3), dir / L"歌词");
  EXPECT_EQ(dirs.ItemPath(n - 2), dir / L"歌词\\A");
  EXPECT_EQ(dirs.ItemPath(n - 1), dir / L"歌词\\b");

  EXPECT_TRUE(dirs.SetPath(dir / L"歌词"));
  EXPECT_EQ(changes, 1);  // the same folder again is no change

  dirs.Open(n - 1);
  EXPECT_EQ(dirs.Path(), dir / L"歌词\\b");
  EXPECT_EQ(changes, 2);
  dirs.Open(0);
  EXPECT_EQ(dirs.Path(), dir.path().substr(0, 3));
  EXPECT_EQ(dirs.Path().back(), L'\\');
}

TEST_F(ControlsTest, DirListRefusesWhatIsNoFolder) {
  TempDir dir;
  test::WriteBytes(dir / L"file.txt", "x");
  win::DirList dirs;
  ASSERT_TRUE(dirs.Create(parent(), 12, RECT{0, 0, 300, 200}));
  ASSERT_TRUE(dirs.SetPath(dir.path()));
  DWORD error = 0;
  EXPECT_FALSE(dirs.SetPath(dir / L"missing", &error));
  EXPECT_NE(error, 0u);
  EXPECT_FALSE(dirs.SetPath(dir / L"file.txt", &error));
  EXPECT_FALSE(dirs.SetPath(L"\\\\server\\share", &error));
  EXPECT_FALSE(dirs.SetPath(L"", &error));
  EXPECT_EQ(dirs.Path(), dir.path());
}

TEST_F(ControlsTest, DirListGoesUpWhenItsFolderIsGone) {
  TempDir dir;
  test::MakeDir(dir / L"a\\b");
  win::DirList dirs;
  ASSERT_TRUE(dirs.Create(parent(), 12, RECT{0, 0, 300, 200}));
  ASSERT_TRUE(dirs.SetPath(dir / L"a\\b"));
  test::RemoveTree(dir / L"a");
  dirs.Refresh();
  EXPECT_EQ(dirs.Path(), dir.path());
}

TEST_F(ControlsTest, DirListRemembersTheFolderOfEachDrive) {
  std::wstring t = test::TestDriveRoot(L'T');
  if (t.empty()) GTEST_SKIP() << "no test drive T:";
  TempDir onT(L"T:");
  TempDir here;
  win::DirList dirs;
  ASSERT_TRUE(dirs.Create(parent(), 12, RECT{0, 0, 300, 200}));
  ASSERT_TRUE(dirs.SetPath(onT.path()));
  ASSERT_TRUE(dirs.SetPath(here.path()));
  ASSERT_TRUE(dirs.SetPath(L"t:"));
  EXPECT_EQ(dirs.Path(), onT.path());
}

TEST_F(ControlsTest, DriveListListsDrivesAndSelects) {
  win::DriveList drives;
  ASSERT_TRUE(drives.Create(parent(), 13, RECT{0, 0, 200, 20}));
  int changes = 0;
  drives.onChange = [&] { ++changes; };
  ASSERT_GE(drives.Count(), 1);
  EXPECT_EQ(drives.ItemText(0).substr(1, 1), L":");
  ASSERT_TRUE(drives.SetDrive(L"C:\\windows"));
  EXPECT_EQ(drives.Drive(), L"c:");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(drives.SetDrive(L"c:"));
  EXPECT_EQ(changes, 1);
  drives.Forget();
  EXPECT_TRUE(drives.SetDrive(L"c:"));
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(drives.SetDrive(L"1:"));
  if (!test::TestDriveRoot(L'T').empty()) {
    EXPECT_TRUE(drives.SetDrive(L"t:"));
    EXPECT_EQ(drives.Drive(), L"t:");
    drives.Refresh();
    EXPECT_EQ(drives.Drive(), L"t:");
  }
}

TEST_F(ControlsTest, SymbolButtonFallsBackWhereTheGlyphIsMissing) {
  win::UniqueFont font = win::MakeUiFont(9, 96);
  win::SymbolButton missing;
  ASSERT_TRUE(missing.Create(parent(), 14, L"No Such Symbol Font", 9, 96, L"3", L"※", font.get(), RECT{0, 0, 33, 25}));
  EXPECT_FALSE(missing.UsesSymbolFont());
  EXPECT_EQ(missing.Text(), L"※");
  EXPECT_EQ(missing.Font(), font.get());

  // Whatever is installed, a button shows either the symbol in its font or the fallback.
  win::SymbolButton wingdings;
  ASSERT_TRUE(wingdings.Create(parent(), 15, L"Wingdings", 9, 96, L"1", L"□", font.get(), RECT{0, 0, 33, 25}));
  EXPECT_EQ(wingdings.Text(), wingdings.UsesSymbolFont() ? L"1" : L"□");
  if (wingdings.UsesSymbolFont()) {
    LOGFONTW lf{};
    ::GetObjectW(wingdings.Font(), sizeof(lf), &lf);
    EXPECT_STREQ(lf.lfFaceName, L"Wingdings");
    EXPECT_EQ(lf.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  }
}

TEST_F(ControlsTest, ToolTipTextsCanBeChangedAndCleared) {
  win::ToolTip tips;
  ASSERT_TRUE(tips.Create(parent()));
  win::Button b;
  ASSERT_TRUE(b.Create(parent(), 16, L"b", RECT{0, 0, 40, 20}));
  tips.Add(b.hwnd(), L"删除文件");
  EXPECT_EQ(tips.Tip(b.hwnd()), L"删除文件");
  tips.SetTip(b.hwnd(), L"0.D:\\歌词\\a.lrc");
  EXPECT_EQ(tips.Tip(b.hwnd()), L"0.D:\\歌词\\a.lrc");
  tips.SetTip(b.hwnd(), L"");
  EXPECT_EQ(tips.Tip(b.hwnd()), L"");
}

TEST_F(ControlsTest, ButtonsAndEditsRaiseTheirEvents) {
  win::Button b;
  ASSERT_TRUE(b.Create(parent(), 17, L"b", RECT{0, 0, 40, 20}));
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  b.Click();
  EXPECT_EQ(clicks, 1);
  b.SetEnabled(false);
  b.Click();
  EXPECT_EQ(clicks, 1);

  win::Edit e;
  ASSERT_TRUE(e.Create(parent(), 18, L"*.lrc", RECT{0, 30, 100, 50}));
  std::wstring keys;
  e.onKeyPress = [&](wchar_t k) {
    keys += k;
    return k == L'\r';
  };
  ::SendMessageW(e.hwnd(), WM_CHAR, L'x', 0);
  ::SendMessageW(e.hwnd(), WM_CHAR, L'\r', 0);
  EXPECT_EQ(keys, L"x\r");
  EXPECT_EQ(e.Text().find(L'\r'), std::wstring::npos);
}

TEST_F(ControlsTest, ProgressBarKeepsItsRangeAndValue) {
  win::ProgressBar bar;
  ASSERT_TRUE(bar.Create(parent(), 19, RECT{0, 0, 200, 20}));
  EXPECT_EQ(bar.Max(), 100);
  bar.SetMax(32767);
  bar.SetValue(32767);
  EXPECT_EQ(bar.Max(), 32767);
  EXPECT_EQ(bar.Value(), 32767);
  EXPECT_FALSE(bar.Visible());
}
