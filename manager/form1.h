// The lyrics manager's main window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/window.h"

namespace nemba::recommend {
class Form5;
}

namespace nemba::manager {

class Form2;
class Form3;
class Form4;

inline constexpr wchar_t kAppTitle[] = L"Nemba歌词管理器";
inline constexpr wchar_t kCaption[] = L"Nemba歌词管理器1.2";

// Control and menu identifiers. None is 1 or 2: the keyboard navigation
// sends those for Enter and Esc.
enum : int {
  IDC_COMMAND1 = 1001, IDC_COMMAND2, IDC_COMMAND3, IDC_COMMAND6 = 1006, IDC_COMMAND7, IDC_COMMAND8, IDC_COMMAND9,
  IDC_COMMAND10, IDC_COMMAND11, IDC_COMMAND12, IDC_COMMAND13, IDC_COMMAND14, IDC_COMMAND15,
  IDC_PROGRESSBAR1 = 1100, IDC_LABEL1, IDC_LABEL9, IDC_LIST1, IDC_DRIVE1, IDC_DIR1, IDC_TEXT5, IDC_FILE1,
};
enum : UINT {
  ID_MNOPEN = 2001, ID_MNMOVETO, ID_MNCOPYTO, ID_MNCOPYLIST, ID_MNPASTELIST, ID_MNCHECKWUXIAO,
  ID_MNRENAMELRC = 2101, ID_MNCLOSESCREEN, ID_MNCLOSESCREENQUIT, ID_MNNEMBASOFT,
  ID_MNVISITHOMEPAGE = 2201, ID_MNTUIJIAN, ID_MNABOUT,
};

struct Form1Options {
  std::wstring programFolder;  // where LrcPath.ini lives; no trailing "\"
  std::wstring commandLine;    // the arguments, without the program's name
  bool quitOnClose = true;     // the program ends with this window
};

class Form1 : public win::Window {
 public:
  explicit Form1(Form1Options options);
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;
  ~Form1() override;

  // Creates the window, runs the start-up sequence and shows it.
  bool Open(int show = SW_SHOWNORMAL);

  // ---- window state ----
  int16_t ActiveList = 2;
  bool ListSelFlag = false;
  bool FileSelFlag = false;
  std::wstring CurFolder;
  std::wstring SavedPath;
  std::wstring IniFile;

  // ---- controls ----
  win::Button Command1, Command2, Command3, Command6, Command7, Command8, Command10, Command11;
  win::SymbolButton Command9, Command12, Command13, Command14, Command15;
  win::ProgressBar ProgressBar1;
  win::Label Label1, Label9;
  win::CheckList List1;
  win::DriveList Drive1;
  win::DirList Dir1;
  win::Edit Text5;
  win::FileList File1;
  win::ToolTip Tips;

  // ---- routines the other windows use ----
  void ForbidCmd();
  void UnForbidCmd();
  void ShowProgressBar(int16_t max);
  void ShowProgress();
  void UnShowProgressBar();
  int16_t GetSelCounts() const;
  void PanDuanList();
  bool OpenFolderAndSetFileFocus(const std::wstring& path);
  // A message box with the program's title unless another is given.
  int Msg(const std::wstring& text, UINT type = MB_OK, const std::wstring& title = kAppTitle);

  bool MenuEnabled(UINT id) const;
  HMENU Menu() const { return ::GetMenu(hwnd()); }

  // ---- event handlers ----
  void Form_Load();
  void Form_QueryUnload();
  void List1_GotFocus() { ActiveList = 1; }
  void File1_GotFocus() { ActiveList = 2; }
  void List1_Click();
  void File1_Click();
  void Drive1_Change();
  void Dir1_Change();
  bool Text5_KeyPress(wchar_t key);
  void Command8_Click();
  void Command15_Click();

  // ---- tools and help menus (form1_menus.cpp) ----
  void WireToolsAndHelpMenus();
  void mnCloseScreen_Click();
  void mnCloseScreenQuit_Click();
  void mnNembaSoft_Click();
  void mnvisithomepage_Click();
  void mnTuijian_Click();
  void mnabout_Click();
  // The display power request goes through here; tests replace it so that
  // nothing is dimmed.
  std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> sendDisplayRequest = [](HWND h, UINT m, WPARAM w, LPARAM l) {
    return ::SendMessageA(h, m, w, l);
  };
  // The windows the menus opened, while they are open.
  Form4* NembaSoftWindow() const;
  recommend::Form5* RecommendWindow() const;
  // ---- end of tools and help menus ----

  // ---- list commands (form1_list.cpp, form1_files.cpp) ----
  void WireListCommands();
  void Command7_Click();   // add to list
  void Command6_Click();   // remove selected entries
  void Command10_Click();  // clear
  void Command3_Click();   // select / deselect all
  void Command11_Click();  // move an entry
  void Command13_Click();  // remove duplicates
  void List1_DropFiles(const std::vector<std::wstring>& files);
  void mnCopyList_Click();
  void mnPasteList_Click();
  void mnCheckWuXiao_Click();  // mark invalid lyrics
  void Command2_Click();       // delete invalid lyrics
  void Command14_Click();      // delete erroneous files
  void Command1_Click();       // delete files
  void mnMoveTo_Click() { MoveOrCopyTo(true); }
  void mnCopyTo_Click() { MoveOrCopyTo(false); }
  void mnOpen_Click();
  void Command9_Click();  // open containing folder
  void Command12_Click();  // the find dialog
  Form2* FindDialog() const;
  void mnRenameLrc_Click();  // smart rename, modal
  Form3* RenameWindow() const { return form3_.get(); }
  // ---- end of list commands ----

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnDestroyed() override;

 private:
  void CreateControls();
  void CreateMenus();
  void GetAddPath();
  void SetMenuEnabled(UINT id, bool on);
  void MoveOrCopyTo(bool move);
  // Appends to List1; false (and a message, once per command) when it is full.
  bool AddToList1(const std::wstring& text);
  bool listFullReported_ = false;
  // The bar's value; the control is told at most every few milliseconds.
  int progressValue_ = 0;
  ULONGLONG progressShown_ = 0;

  Form1Options options_;
  int dpi_ = 96;
  win::UniqueFont font_;
  bool loading_ = false;

  // ---- windows opened from the menus (form1_menus.cpp) ----
  std::unique_ptr<Form4> form4_;
  std::unique_ptr<recommend::Form5> form5_;
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form3> form3_;
  // ---- end of windows opened from the menus ----
};

// A file search on the path finds something (a folder, or a wildcard name
// that matches, also counts).
bool FileExists(const std::wstring& path);

}  // namespace nemba::manager
