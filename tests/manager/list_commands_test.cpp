// The file list commands and the file commands on the real main window.
#include <gtest/gtest.h>

#include <memory>

#include "common/win/clipboard.h"
#include "manager/form1.h"
#include "tests/support/manager_fixture.h"

using namespace nemba;
using namespace nemba::manager;
using nemba::test::TempDir;
using Items = std::vector<std::wstring>;

namespace {

class ListCommands : public test::ManagerTest {
 protected:
  TempDir files;  // a folder of test files

  void SetUp() override { Start(); }
  Form1& f() { return *form; }
  Items List1() { return List1Items(); }
  Items File1() { return File1Items(); }
  void Fill(const Items& items) {
    f().List1.Clear();
    for (auto& i : items) f().List1.Add(i);
  }
  std::wstring Make(const std::wstring& name) {
    test::WriteBytes(files / name, "x");
    return files / name;
  }
  void Browse(const std::wstring& folder) { ASSERT_TRUE(f().Dir1.SetPath(folder)); }
  std::wstring LastMessage() { return ui.messages.empty() ? L"" : ui.messages.back().text; }
};

}  // namespace

TEST_F(ListCommands, AddToListAppendsTheSelectedPreviewEntries) {
  f().Command7.Click();
  EXPECT_EQ(LastMessage(), L"没有文件！");
  Make(L"a.lrc");
  Make(L"b.lrc");
  Make(L"c.lrc");
  Browse(files.path());
  ui.messages.clear();
  f().Command7.Click();  // none selected
  EXPECT_TRUE(List1().empty());
  EXPECT_FALSE(f().ProgressBar1.Visible());
  f().File1.SetSelected(0, true);
  f().File1.SetSelected(2, true);
  f().Command7.Click();
  f().Command7.Click();
  EXPECT_EQ(List1(), (Items{files / L"a.lrc", files / L"c.lrc", files / L"a.lrc", files / L"c.lrc"}));
  EXPECT_TRUE(f().File1.Selected(0));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ListCommands, AddToListInADriveRootHasOneBackslash) {
  if (test::TestDriveRoot(L'T').empty()) GTEST_SKIP() << "no test drive T:";
  test::WriteBytes(L"T:\\root-file.lrc", "x");
  Browse(L"T:\\");
  for (int i = 0; i < f().File1.Count(); ++i) f().File1.SetSelected(i, f().File1.Item(i) == L"root-file.lrc");
  f().Command7.Click();
  ::DeleteFileW(L"T:\\root-file.lrc");
  EXPECT_EQ(List1(), Items{L"T:\\root-file.lrc"});
}

TEST_F(ListCommands, RemoveClearAndSelectAll) {
  f().Command6.Click();
  EXPECT_EQ(LastMessage(), L"没有文件！");
  Fill({L"a", L"b", L"c", L"d"});
  f().Command6.Click();  // nothing selected
  EXPECT_EQ(List1().size(), 4u);
  f().List1.SetChecked(1, true);
  f().List1.SetChecked(3, true);
  f().List1.SetChecked(0, true);
  f().List1.SetChecked(0, false);
  f().Command6.Click();
  EXPECT_EQ(List1(), (Items{L"a", L"c"}));

  f().ActiveList = 1;
  f().Command3.Click();
  EXPECT_TRUE(f().List1.Checked(0) && f().List1.Checked(1));
  f().Command3.Click();
  EXPECT_FALSE(f().List1.Checked(0) || f().List1.Checked(1));
  // Both toggles flip on every click: after one on List1, File1 deselects.
  Make(L"x.lrc");
  Browse(files.path());
  f().Command3.Click();
  f().ActiveList = 2;
  f().File1.SetSelected(0, true);
  f().Command3.Click();
  EXPECT_FALSE(f().File1.Selected(0));
  f().Command3.Click();
  EXPECT_TRUE(f().File1.Selected(0));

  f().ListSelFlag = true;
  f().Command10.Click();
  EXPECT_TRUE(List1().empty());
  EXPECT_FALSE(f().ListSelFlag);
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ListCommands, MoveAnEntry) {
  f().Command11.Click();
  EXPECT_EQ(LastMessage(), L"没有文件或没选择文件！");
  struct Case {
    std::optional<std::wstring> reply;
    Items want;
  } cases[] = {
      {L"4", {L"a", L"c", L"d", L"e", L"b"}},   {L"0", {L"b", L"a", L"c", L"d", L"e"}},
      {L"2.5", {L"a", L"c", L"b", L"d", L"e"}}, {L"3.5", {L"a", L"c", L"d", L"e", L"b"}},
      {L" 1e0x", {L"a", L"b", L"c", L"d", L"e"}}, {L"abc", {L"b", L"a", L"c", L"d", L"e"}},
      {std::nullopt, {L"a", L"b", L"c", L"d", L"e"}}, {L"", {L"a", L"b", L"c", L"d", L"e"}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.reply.value_or(L"(cancel)"));
    Fill({L"a", L"b", L"c", L"d", L"e"});
    f().List1.SetChecked(1, true);
    f().List1.SetCurrent(1);
    ui.inputAnswers = {c.reply};
    ui.messages.clear();
    f().Command11.Click();
    EXPECT_EQ(List1(), c.want);
    EXPECT_TRUE(ui.messages.empty());
    int at = static_cast<int>(std::find(c.want.begin(), c.want.end(), L"b") - c.want.begin());
    EXPECT_TRUE(f().List1.Checked(at));
    if (c.reply && !c.reply->empty()) {
      EXPECT_EQ(f().List1.Current(), at);
    }
  }
  ASSERT_FALSE(ui.inputs.empty());
  EXPECT_EQ(ui.inputs[0].prompt, L"请输入索引，0是第一项，1是第二项，依此类推。\r\n现有5项，现行选中项是：1");
  EXPECT_EQ(ui.inputs[0].title, L"输入");
  EXPECT_EQ(ui.inputs[0].initial, L"");

  // Positions that cannot be used: the entry goes back, the error is shown.
  for (std::wstring reply : {L"5", L"-1", L"99999"}) {
    SCOPED_TRACE(reply);
    Fill({L"a", L"b", L"c", L"d", L"e"});
    f().List1.SetCurrent(1);
    f().ForbidCmd();
    ui.inputAnswers = {reply};
    ui.messages.clear();
    f().Command11_Click();  // as after a long command that disabled the set
    EXPECT_EQ(List1(), (Items{L"a", L"b", L"c", L"d", L"e"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.substr(0, 3), reply == L"99999" ? L"6\r\n" : L"5\r\n");
    EXPECT_EQ(ui.messages[0].title, L"Nemba歌词管理器");
    EXPECT_TRUE(f().Command11.Enabled());  // UnForbidCmd ran
  }
}

TEST_F(ListCommands, RemoveDuplicatesKeepsTheLastOfEach) {
  f().Command13.Click();
  EXPECT_EQ(LastMessage(), L"没有文件！");
  Fill({L"A", L"B", L"A", L"C", L"B", L"C", L"c", L"x ", L"x"});
  f().List1.SetChecked(4, true);
  f().Command13.Click();
  EXPECT_EQ(List1(), (Items{L"A", L"B", L"C", L"c", L"x ", L"x"}));
  EXPECT_TRUE(f().List1.Checked(1));
  EXPECT_FALSE(f().ProgressBar1.Visible());
  EXPECT_EQ(f().ProgressBar1.Value(), 9);
}

TEST_F(ListCommands, CopyAndPasteThroughTheClipboard) {
  f().ActiveList = 1;
  f().ChooseMenu(ID_MNCOPYLIST);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"没有选中文件！");
  EXPECT_EQ(ui.messages[0].title, L"提示");
  EXPECT_EQ(ui.messages[0].icon(), static_cast<UINT>(MB_ICONINFORMATION));

  Fill({L"C:\\a.lrc", L"D:\\歌\\b.lrc", L"E:\\c.lrc"});
  f().List1.SetChecked(0, true);
  f().List1.SetChecked(2, true);
  f().ChooseMenu(ID_MNCOPYLIST);
  EXPECT_EQ(win::GetClipboardText(f().hwnd()), L"C:\\a.lrc\r\nE:\\c.lrc\r\n");
  f().Command10.Click();
  f().ChooseMenu(ID_MNPASTELIST);
  EXPECT_EQ(List1(), (Items{L"C:\\a.lrc", L"E:\\c.lrc"}));

  // Entries already there move to the end; only CR LF splits.
  ASSERT_TRUE(win::SetClipboardText(f().hwnd(), L"C:\\a.lrc\r\nx\ny\r\n\r\nz"));
  f().ChooseMenu(ID_MNPASTELIST);
  EXPECT_EQ(List1(), (Items{L"E:\\c.lrc", L"C:\\a.lrc", L"x\ny", L"z"}));

  f().Command10.Click();
  ui.messages.clear();
  ASSERT_TRUE(win::SetClipboardText(f().hwnd(), L"\r\n\r\n"));
  f().ChooseMenu(ID_MNPASTELIST);
  EXPECT_TRUE(List1().empty());
  EXPECT_EQ(LastMessage(), L"没有文件！");

  // From the preview list: folder and name.
  Make(L"p.lrc");
  Make(L"q.lrc");
  Browse(files.path());
  f().ActiveList = 2;
  ui.messages.clear();
  f().ChooseMenu(ID_MNCOPYLIST);
  EXPECT_EQ(LastMessage(), L"没有或没选中文件！");
  f().File1.SetSelected(1, true);
  f().ChooseMenu(ID_MNCOPYLIST);
  EXPECT_EQ(win::GetClipboardText(f().hwnd()), files.path() + L"\\q.lrc\r\n");
}

TEST_F(ListCommands, DroppedFilesAndFoldersAreAppended) {
  f().List1.Add(L"first");
  f().List1_DropFiles({files.path(), L"C:\\x.lrc", L"first"});
  EXPECT_EQ(List1(), (Items{L"first", files.path(), L"C:\\x.lrc", L"first"}));
}

TEST_F(ListCommands, MarkInvalidLyrics) {
  std::wstring withWma = Make(L"one.lrc"), withMp3 = Make(L"two.LRC"), hiddenSong = Make(L"three.lrc"),
               none = Make(L"four.lrc"), other = Make(L"five.txt");
  Make(L"one.wma");
  Make(L"TWO.MP3");
  Make(L"three.mp3");
  ::SetFileAttributesW((files / L"three.mp3").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Make(L"five.mp3");
  test::MakeDir(files / L"six.wma");
  std::wstring folderSong = Make(L"six.lrc");
  Fill({withWma, withMp3, hiddenSong, none, other, folderSong, L"Q:\\gone\\x.lrc", L"noext"});
  f().List1.SetChecked(0, true);
  for (int round = 0; round < 2; ++round) {
    f().ChooseMenu(ID_MNCHECKWUXIAO);
    std::vector<bool> got;
    for (int i = 0; i < f().List1.Count(); ++i) got.push_back(f().List1.Checked(i));
    EXPECT_EQ(got, (std::vector<bool>{false, false, true, true, false, true, true, true}));
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ListCommands, DeleteInvalidLyrics) {
  f().Command2.Click();
  EXPECT_EQ(LastMessage(), L"列表里没有项目！");
  std::wstring a = Make(L"a.lrc"), b = Make(L"b.lrc"), c = Make(L"c.lrc");
  Make(L"a.mp3");
  Make(L"c.wma");
  Fill({a, b, c});
  f().List1.SetChecked(2, true);
  ui.messages.clear();
  f().Command2.Click();
  EXPECT_FALSE(test::Exists(b));
  EXPECT_TRUE(test::Exists(a));
  EXPECT_EQ(List1(), (Items{a, c}));
  EXPECT_TRUE(f().List1.Checked(1));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"OK!");
  EXPECT_EQ(ui.messages[0].title, L"提示");
  EXPECT_EQ(ui.messages[0].icon(), static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_TRUE(f().Command2.Enabled());
  EXPECT_FALSE(f().ProgressBar1.Visible());

  // A lyrics file that cannot be deleted keeps its entry, where it was.
  std::wstring upper = Make(L"d.LRC");
  std::wstring stray = files / L"e.txt";  // invalid, and there is no e.lrc to delete
  Fill({upper, stray, c});
  ui.messages.clear();
  f().Command2.Click();
  EXPECT_EQ(List1(), (Items{upper, stray, c}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text.substr(0, 3), L"2\r\n");
  EXPECT_TRUE(f().Command2.Enabled());
  EXPECT_TRUE(f().List1.Enabled());
  EXPECT_TRUE(test::Exists(upper));  // not yet reached
}

TEST_F(ListCommands, DeleteErroneousFilesRemovesEntriesOfMissingFiles) {
  f().Command14.Click();
  EXPECT_EQ(LastMessage(), L"没有文件！");
  std::wstring a = Make(L"a.lrc"), b = Make(L"b.lrc");
  Fill({a, files / L"gone.lrc", files.path(), b, L"Q:\\x.lrc"});
  f().List1.SetChecked(3, true);
  ui.messages.clear();
  f().Command14.Click();
  EXPECT_EQ(List1(), (Items{a, b}));
  EXPECT_TRUE(f().List1.Checked(1));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(test::Exists(a) && test::Exists(b));
}

TEST_F(ListCommands, DeleteFilesAsksAndReportsWhatItCouldNotDelete) {
  std::wstring a = Make(L"a.lrc"), b = Make(L"b.lrc"), locked = Make(L"locked.lrc");
  Fill({a, b, locked, files / L"gone.lrc"});
  for (int i = 0; i < 4; ++i) f().List1.SetChecked(i, i != 1);
  f().ActiveList = 1;
  ui.messageAnswers = {IDNO};
  f().Command1.Click();
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, L"文件删除后不可恢复，是否继续？");
  EXPECT_EQ(ui.messages[0].title, L"询问：");
  EXPECT_EQ(ui.messages[0].buttons(), static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(ui.messages[0].icon(), static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_TRUE(test::Exists(a));

  HANDLE h = ::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ui.messages.clear();
  f().Command1.Click();
  ::CloseHandle(h);
  EXPECT_FALSE(test::Exists(a));
  EXPECT_TRUE(test::Exists(b));
  EXPECT_EQ(List1(), (Items{b, locked}));
  EXPECT_TRUE(f().List1.Checked(1));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[1].text, L"OK！");

  // All went well: "OK！"; on File1 the files leave the preview list.
  Make(L"p.lrc");
  Make(L"q.lrc");
  Browse(files.path());
  f().ActiveList = 2;
  for (int i = 0; i < f().File1.Count(); ++i) f().File1.SetSelected(i, f().File1.Item(i) != L"b.lrc");
  ui.messages.clear();
  f().Command1.Click();
  EXPECT_EQ(File1(), Items{L"b.lrc"});
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, L"OK！");
  EXPECT_EQ(ui.messages[1].title, L"提示：");
}

TEST_F(ListCommands, MoveAndCopyTo) {
  TempDir target;
  test::MakeDir(files / L"x");
  test::MakeDir(files / L"y");
  std::wstring a = Make(L"x\\a.lrc"), b = Make(L"y\\b.lrc"), c = Make(L"y\\c.lrc");
  test::WriteBytes(target / L"c.lrc", "already there");
  Fill({a, L"unselected", b, c});
  f().List1.SetChecked(0, true);
  f().List1.SetChecked(2, true);
  f().List1.SetChecked(3, true);
  f().ActiveList = 1;

  ui.folderAnswers = {L""};  // cancelled: nothing at all
  f().ChooseMenu(ID_MNMOVETO);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(test::Exists(a));

  ui.folderAnswers = {target.path()};
  f().ChooseMenu(ID_MNMOVETO);
  ASSERT_EQ(ui.folders.size(), 2u);
  EXPECT_EQ(ui.folders[1].title, L"请选择文件夹");
  EXPECT_EQ(List1(), (Items{target / L"a.lrc", L"unselected", target / L"b.lrc", c}));  // c could not move
  EXPECT_TRUE(f().List1.Checked(0) && f().List1.Checked(2) && f().List1.Checked(3));
  EXPECT_FALSE(test::Exists(a));
  EXPECT_TRUE(test::Exists(c));
  EXPECT_EQ(test::ReadBytes(target / L"c.lrc"), "already there");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find(L"有 1 个文件没能移动"), std::wstring::npos);
  EXPECT_NE(ui.messages[0].text.find(c), std::wstring::npos);
  EXPECT_TRUE(f().List1.Enabled() && f().MenuEnabled(ID_MNMOVETO));
  EXPECT_FALSE(f().ProgressBar1.Visible());

  // Copy replaces a same-named file.
  Fill({c});
  f().List1.SetChecked(0, true);
  ui.folderAnswers = {target.path() + L"\\"};
  ui.messages.clear();
  f().ChooseMenu(ID_MNCOPYTO);
  EXPECT_EQ(test::ReadBytes(target / L"c.lrc"), "x");
  EXPECT_EQ(List1(), Items{c});
  EXPECT_EQ(LastMessage(), L"Ok!");

  // From the preview list: three of five move.
  TempDir many;
  for (auto n : {L"1.lrc", L"2.lrc", L"3.lrc", L"4.lrc", L"5.lrc"}) test::WriteBytes(many / n, "x");
  Browse(many.path());
  f().ActiveList = 2;
  ui.folderAnswers = {target.path()};
  ui.messages.clear();
  f().ChooseMenu(ID_MNCOPYTO);  // none selected
  EXPECT_EQ(LastMessage(), L"预览列表里没有文件或没选中文件！");
  for (int i : {0, 2, 4}) f().File1.SetSelected(i, true);
  ui.folderAnswers = {target.path()};
  f().ChooseMenu(ID_MNMOVETO);
  EXPECT_EQ(LastMessage(), L"Ok!");
  EXPECT_EQ(File1(), (Items{L"2.lrc", L"4.lrc"}));
  EXPECT_TRUE(test::Exists(target / L"5.lrc"));

  f().ActiveList = 1;
  f().List1.Clear();
  ui.folderAnswers = {target.path()};
  f().ChooseMenu(ID_MNMOVETO);
  EXPECT_EQ(LastMessage(), L"文件列表里没有文件或没选中文件！");
  EXPECT_TRUE(f().List1.Enabled());
}

TEST_F(ListCommands, OpenAndOpenContainingFolder) {
  f().ActiveList = 1;
  f().ChooseMenu(ID_MNOPEN);
  EXPECT_EQ(LastMessage(), L"No list or not select!");
  f().Command9.Click();
  EXPECT_EQ(LastMessage(), L"列表里没有项目！");
  std::wstring a = Make(L"a, b.lrc");
  Fill({a, files / L"deleted.lrc"});
  f().Command9.Click();
  EXPECT_EQ(LastMessage(), L"没有选择文件！");

  f().List1.SetCurrent(0);
  f().ChooseMenu(ID_MNOPEN);
  ASSERT_EQ(ui.runs.size(), 1u);
  EXPECT_EQ(ui.runs[0].commandLine, L"explorer \"" + a + L"\"");
  EXPECT_EQ(ui.runs[0].show, SW_SHOWMINIMIZED);
  f().Command9.Click();
  EXPECT_EQ(ui.shownInFolder, Items{a});
  f().List1.SetCurrent(1);
  ui.messages.clear();
  f().Command9.Click();
  EXPECT_EQ(ui.shownInFolder.size(), 1u);
  EXPECT_TRUE(ui.messages.empty());

  f().ActiveList = 2;
  Browse(files.path());
  f().ChooseMenu(ID_MNOPEN);
  EXPECT_EQ(LastMessage(), L"No file or not select!");
  f().File1.SetCurrent(0);
  f().ChooseMenu(ID_MNOPEN);
  ASSERT_EQ(ui.runs.size(), 2u);
  EXPECT_EQ(ui.runs[1].commandLine, L"explorer \"" + files.path() + L"\\" + f().File1.Item(0) + L"\"");
}

TEST_F(ListCommands, LoopsSurviveTheListChangingUnderThem) {
  Fill({L"a", L"b", L"c"});
  f().ActiveList = 1;
  // A click on "clear" waits in the queue; the loop lets it run first.
  ::PostMessageW(f().hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND10, BN_CLICKED),
                 reinterpret_cast<LPARAM>(f().Command10.hwnd()));
  f().Command3.Click();
  EXPECT_TRUE(List1().empty());

  Fill({L"a", L"b", L"c"});
  ::PostMessageW(f().hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND10, BN_CLICKED),
                 reinterpret_cast<LPARAM>(f().Command10.hwnd()));
  f().ChooseMenu(ID_MNCHECKWUXIAO);
  EXPECT_TRUE(List1().empty());

  // Another folder opened while adding: the adding stops.
  Make(L"1.lrc");
  Make(L"2.lrc");
  Browse(files.path());
  f().File1.SetSelected(0, true);
  f().File1.SetSelected(1, true);
  ::PostMessageW(f().hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND8, BN_CLICKED),
                 reinterpret_cast<LPARAM>(f().Command8.hwnd()));
  f().Command7.Click();
  EXPECT_TRUE(List1().empty());
  EXPECT_FALSE(f().ProgressBar1.Visible());
}
