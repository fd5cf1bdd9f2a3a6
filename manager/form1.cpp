#include "manager/form1.h"

#include <dbt.h>

#include "common/text.h"
#include "common/win/ansi.h"
#include "common/win/handles.h"
#include "common/win/services.h"
#include "manager/paths.h"

namespace nemba::manager {
namespace {

constexpr wchar_t kClassName[] = L"Nemba.LyricsManager.Form1";

// The folder a drive-letter path points at exists.
bool IsFolder(const std::wstring& path) {
  if (path.size() < 2 || path[1] != L':') return false;
  std::wstring probe = path.size() == 2 ? path + L"\\" : path;
  DWORD a = ::GetFileAttributesW(probe.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring SystemRoot() {
  wchar_t buffer[MAX_PATH] = {};
  UINT n = ::GetWindowsDirectoryW(buffer, MAX_PATH);
  return n >= 3 ? std::wstring(buffer, 3) : std::wstring(L"C:\\");
}

}  // namespace

bool FileExists(const std::wstring& path) {
  WIN32_FIND_DATAW fd;
  win::UniqueFind find(::FindFirstFileW(path.c_str(), &fd));
  return static_cast<bool>(find);
}

// The constructor and destructor live in form1_menus.cpp, beside the windows
// they close.

bool Form1::Open(int show) {
  dpi_ = win::ScreenDpi();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  ClassOptions cls{kClassName, win::ProgramIcon(false), win::ProgramIcon(true)};
  RECT bounds = win::CentredWindowRect(win::Twips(11415, dpi_), win::Twips(7785, dpi_), style, true);
  if (!Create(cls, style, 0, kCaption, bounds, nullptr, nullptr)) return false;
  CreateMenus();
  CreateControls();
  WireToolsAndHelpMenus();
  WireListCommands();
  win::AddKeyboardNavigation(hwnd());
  Form_Load();
  if (!IsOpen()) return false;
  ::ShowWindow(hwnd(), show);
  ::UpdateWindow(hwnd());
  return true;
}

void Form1::CreateMenus() {
  HMENU bar = ::CreateMenu();
  auto popup = [bar](const wchar_t* caption, std::initializer_list<std::pair<UINT, const wchar_t*>> items) {
    HMENU m = ::CreatePopupMenu();
    for (auto& [id, text] : items) ::AppendMenuW(m, MF_STRING, id, text);
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m), caption);
  };
  popup(L"文件", {{ID_MNOPEN, L"打开"},
                  {ID_MNMOVETO, L"移动到..."},
                  {ID_MNCOPYTO, L"复制到..."},
                  {ID_MNCOPYLIST, L"复制列表"},
                  {ID_MNPASTELIST, L"粘贴列表"},
                  {ID_MNCHECKWUXIAO, L"标记无效歌词"}});
  popup(L"工具", {{ID_MNRENAMELRC, L"歌词智能重命名"},
                  {ID_MNCLOSESCREEN, L"关闭显示屏"},
                  {ID_MNCLOSESCREENQUIT, L"关闭显示屏并最小化"},
                  {ID_MNNEMBASOFT, L"Nemba软件"}});
  popup(L"帮助", {{ID_MNVISITHOMEPAGE, L"访问主页"}, {ID_MNTUIJIAN, L"作者推荐"}, {ID_MNABOUT, L"关于"}});
  ::SetMenu(hwnd(), bar);
}

void Form1::CreateControls() {
  font_ = win::MakeUiFont(9, dpi_);
  HFONT f = font_.get();
  HWND p = hwnd();
  auto at = [this](int l, int t, int w, int h) { return win::TwipsRect(l, t, w, h, dpi_); };
  auto button = [&](win::Button& b, int id, const wchar_t* caption, RECT r) {
    b.Create(p, id, caption, r);
    b.SetFont(f);
  };
  auto symbol = [&](win::SymbolButton& b, int id, const wchar_t* face, const wchar_t* ch, const wchar_t* fallback,
                    RECT r) { b.Create(p, id, face, 9, dpi_, ch, fallback, f, r); };

  // Created in tab order, which is also the order Tab moves the focus in.
  Tips.Create(p);
  button(Command3, IDC_COMMAND3, L"反选", at(0, 0, 1215, 375));
  button(Command2, IDC_COMMAND2, L"删除无效歌词", at(1200, 0, 1215, 375));
  button(Command1, IDC_COMMAND1, L"×", at(2400, 0, 495, 375));
  button(Command8, IDC_COMMAND8, L"*", at(2880, 0, 495, 375));
  ProgressBar1.Create(p, IDC_PROGRESSBAR1, at(3480, 0, 7815, 375));
  Label1.Create(p, IDC_LABEL1, L"文件列表", at(0, 480, 735, 255));
  Label1.SetFont(f);
  button(Command6, IDC_COMMAND6, L"⌒", at(960, 480, 495, 375));
  button(Command10, IDC_COMMAND10, L"◎", at(1440, 480, 495, 375));
  symbol(Command9, IDC_COMMAND9, L"Wingdings", L"1", L"□", at(1920, 480, 495, 375));
  button(Command11, IDC_COMMAND11, L"↑↓", at(2400, 480, 495, 375));
  symbol(Command12, IDC_COMMAND12, L"Wingdings", L";", L"⊙", at(2880, 480, 495, 375));
  symbol(Command13, IDC_COMMAND13, L"Wingdings 3", L"/", L"≡", at(3360, 480, 495, 375));
  symbol(Command14, IDC_COMMAND14, L"Wingdings 2", L"3", L"※", at(3840, 480, 495, 375));
  symbol(Command15, IDC_COMMAND15, L"Wingdings", L"0", L"◇", at(4320, 480, 495, 375));
  List1.Create(p, IDC_LIST1, at(0, 960, 7695, 6780));
  List1.SetFont(f);
  List1.AcceptFiles(true);
  Drive1.Create(p, IDC_DRIVE1, at(7800, 480, 3495, 300));
  Drive1.SetFont(f);
  Dir1.Create(p, IDC_DIR1, at(7800, 840, 3495, 930));
  Dir1.SetFont(f);
  button(Command7, IDC_COMMAND7, L"←", at(7800, 1800, 495, 375));
  Label9.Create(p, IDC_LABEL9, L"过滤", at(9360, 1920, 495, 255));
  Label9.SetFont(f);
  Text5.Create(p, IDC_TEXT5, L"*.lrc", at(9960, 1920, 1335, 270));
  Text5.SetFont(f);
  File1.Create(p, IDC_FILE1, at(7680, 2280, 3735, 5490));
  File1.SetFont(f);
  // Besides normal files the preview list shows system files; hidden ones
  // stay hidden, as in the shell.
  File1.SetShowSystem(true);
  File1.SetPattern(L"*.lrc");

  Tips.Add(Command1.hwnd(), L"删除文件");
  Tips.Add(Command8.hwnd(), L"刷新");
  Tips.Add(Command6.hwnd(), L"移除文件");
  Tips.Add(Command10.hwnd(), L"清空");
  Tips.Add(Command9.hwnd(), L"打开所在文件夹");
  Tips.Add(Command11.hwnd(), L"移项");
  Tips.Add(Command12.hwnd(), L"查找");
  Tips.Add(Command13.hwnd(), L"去重");
  Tips.Add(Command14.hwnd(), L"删除错误文件");
  Tips.Add(Command15.hwnd(), L"获取文件夹");
  Tips.Add(Command7.hwnd(), L"加入列表");
  Tips.Add(List1.hwnd(), L"可直接拖放文件到列表。");
  Tips.Add(Text5.hwnd(), L"输入完成后按Enter键");
  Tips.Add(File1.hwnd(), L"");

  List1.onFocus = [this] { List1_GotFocus(); };
  File1.onFocus = [this] { File1_GotFocus(); };
  List1.onClick = [this] { List1_Click(); };
  File1.onClick = [this] { File1_Click(); };
  Drive1.onChange = [this] { Drive1_Change(); };
  Dir1.onChange = [this] { Dir1_Change(); };
  Text5.onKeyPress = [this](wchar_t k) { return Text5_KeyPress(k); };
  Command8.onClick = [this] { Command8_Click(); };
  Command15.onClick = [this] { Command15_Click(); };
}

// ---- start-up and closing --------------------------------------------------

void Form1::Form_Load() {
  ActiveList = 2;
  IniFile = options_.programFolder + L"\\LrcPath.ini";
  GetAddPath();

  if (!options_.commandLine.empty()) {
    for (const auto& piece : SplitQuotedPaths(options_.commandLine)) {
      win::DoEvents();
      if (!IsOpen()) return;
      if (!TrimSpaces(piece).empty()) List1.Add(piece);
    }
  }
}

void Form1::GetAddPath() {
  SavedPath = win::IniRead(IniFile, L"path", L"value", options_.programFolder);
  std::wstring stored = SavedPath.substr(0, SavedPath.find(L'\0'));

  // The browser must end on one existing folder whatever the file holds: a
  // folder that is gone, a missing drive, a network path or garbage falls
  // back to the program's folder, then the current folder, then the system
  // drive's root. An empty value keeps the folder the program started in.
  std::wstring candidates[] = {stored.empty() ? win::CurrentFolder() : stored, options_.programFolder,
                               win::CurrentFolder(), SystemRoot()};
  loading_ = true;
  for (const auto& folder : candidates) {
    if (!IsFolder(folder)) continue;
    Drive1.SetDrive(folder.substr(0, 2));
    if (Dir1.SetPath(folder)) break;
  }
  loading_ = false;
  if (!Dir1.Path().empty()) Drive1.SetDrive(Dir1.Path().substr(0, 2));
}

void Form1::Form_QueryUnload() { win::IniWrite(IniFile, L"path", L"value", Dir1.Path()); }

LRESULT Form1::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      Form_QueryUnload();
      DestroyNow();
      if (options_.quitOnClose) ::PostQuitMessage(0);
      return 0;
    case WM_ENDSESSION:
      if (wp) Form_QueryUnload();
      return 0;
    case WM_DEVICECHANGE:
      if (wp == DBT_DEVICEARRIVAL || wp == DBT_DEVICEREMOVECOMPLETE) Drive1.Refresh();
      return TRUE;
    default:
      return Window::HandleMessage(msg, wp, lp);
  }
}

void Form1::OnDestroyed() {
  if (options_.quitOnClose) ::PostQuitMessage(0);
}

// ---- command set and progress bar ------------------------------------------

void Form1::SetMenuEnabled(UINT id, bool on) {
  ::EnableMenuItem(Menu(), id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

bool Form1::MenuEnabled(UINT id) const {
  UINT state = ::GetMenuState(Menu(), id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void Form1::ForbidCmd() {
  List1.SetEnabled(false);
  Command6.SetEnabled(false);
  Command7.SetEnabled(false);
  File1.SetEnabled(false);
  Command1.SetEnabled(false);
  Command2.SetEnabled(false);
  Command3.SetEnabled(false);
  Command8.SetEnabled(false);
  Command9.SetEnabled(false);
  Command10.SetEnabled(false);
  SetMenuEnabled(ID_MNMOVETO, false);
  SetMenuEnabled(ID_MNCOPYTO, false);
  Command11.SetEnabled(false);
  Command12.SetEnabled(false);
  Command13.SetEnabled(false);
  Command14.SetEnabled(false);
  Command15.SetEnabled(false);
  SetMenuEnabled(ID_MNOPEN, false);
  SetMenuEnabled(ID_MNCOPYLIST, false);
}

void Form1::UnForbidCmd() {
  List1.SetEnabled(true);
  Command6.SetEnabled(true);
  Command7.SetEnabled(true);
  File1.SetEnabled(true);
  Command1.SetEnabled(true);
  Command2.SetEnabled(true);
  Command3.SetEnabled(true);
  Command8.SetEnabled(true);
  Command9.SetEnabled(true);
  Command10.SetEnabled(true);
  SetMenuEnabled(ID_MNMOVETO, true);
  SetMenuEnabled(ID_MNCOPYTO, true);
  Command11.SetEnabled(true);
  Command12.SetEnabled(true);
  Command13.SetEnabled(true);
  Command14.SetEnabled(true);
  Command15.SetEnabled(true);
  SetMenuEnabled(ID_MNOPEN, true);
  SetMenuEnabled(ID_MNCOPYLIST, true);
}

void Form1::ShowProgressBar(int16_t max) {
  progressValue_ = 0;
  progressShown_ = ::GetTickCount64();
  ProgressBar1.SetValue(0);
  if (max > 0) {
    ProgressBar1.SetMax(max);
    ProgressBar1.SetVisible(true);
  }
}

// A step per entry: telling the control each time would cost more than the
// work itself on long lists, so it hears of it every 15 ms and at the end.
void Form1::ShowProgress() {
  ++progressValue_;
  ULONGLONG now = ::GetTickCount64();
  if (now - progressShown_ >= 15 || progressValue_ >= ProgressBar1.Max()) {
    progressShown_ = now;
    ProgressBar1.SetValue(progressValue_);
  }
}

void Form1::UnShowProgressBar() {
  ProgressBar1.SetValue(progressValue_);
  ProgressBar1.SetVisible(false);
}

// ---- helpers ---------------------------------------------------------------

int16_t Form1::GetSelCounts() const {
  int count = 0;
  for (int i = 0, n = List1.Count(); i < n; ++i)
    if (List1.Checked(i)) ++count;
  return static_cast<int16_t>(count);
}

void Form1::PanDuanList() {
  if (List1.Count() == 0) {
    ListSelFlag = false;
    Tips.SetTip(List1.hwnd(), L"");
  } else if (File1.Count() == 0) {
    FileSelFlag = false;
    Tips.SetTip(File1.hwnd(), L"");
  }
}

bool Form1::OpenFolderAndSetFileFocus(const std::wstring& path) {
  std::wstring trimmed = TrimSpaces(path);
  if (!FileExists(trimmed)) return false;
  return win::Ui().launcher->ShowInFolder(trimmed);
}

int Form1::Msg(const std::wstring& text, UINT type, const std::wstring& title) {
  return win::Ui().messages->Show(hwnd(), text, title, type);
}

// ---- folder browser --------------------------------------------------------

void Form1::List1_Click() {
  int i = List1.Current();
  Tips.SetTip(List1.hwnd(), i >= 0 ? std::to_wstring(i) + L"." + List1.Item(i) : L"");
}

void Form1::File1_Click() {
  int i = File1.Current();
  Tips.SetTip(File1.hwnd(), i >= 0 ? std::to_wstring(i) + L"." + File1.Item(i) : L"");
}

void Form1::Drive1_Change() {
  DWORD error = 0;
  if (Dir1.SetPath(Drive1.Drive(), &error)) return;
  // The drive list keeps the pick; the browser stays where it was.
  Drive1.Forget();
  if (!loading_) Msg(std::to_wstring(error) + L" " + win::ErrorText(error), MB_OK, L"error");
}

void Form1::Dir1_Change() {
  CurFolder = Dir1.Path();
  if (CurFolder.empty() || CurFolder.back() != L'\\') CurFolder += L'\\';
  File1.SetFolder(CurFolder);
}

bool Form1::Text5_KeyPress(wchar_t key) {
  if (key != L'\r') return false;
  File1.SetPattern(Text5.Text());
  return true;  // no beep: Enter has done its work
}

void Form1::Command8_Click() {
  ::InvalidateRect(List1.hwnd(), nullptr, TRUE);
  ::UpdateWindow(List1.hwnd());
  Tips.SetTip(List1.hwnd(), L"");
  File1.Refresh();
  Tips.SetTip(File1.hwnd(), L"");
  Drive1.Refresh();
  Dir1.Refresh();
}

void Form1::Command15_Click() {
  int i = List1.Current();
  if (i < 0) {
    Msg(L"No list or not select!");
    return;
  }
  std::wstring folder = GetDir(List1.Item(i));
  DWORD error = 0;
  if (!Dir1.SetPath(folder, &error)) {
    Msg(L"无法打开文件夹：" + folder + L"\r\n" + win::ErrorText(error), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  Drive1.SetDrive(Dir1.Path().substr(0, 2));
}

}  // namespace nemba::manager
