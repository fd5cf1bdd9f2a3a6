#include "manager/form4.h"

#include "common/win/ansi.h"
#include "common/win/gdi.h"
#include "common/win/services.h"
#include "manager/form1.h"

namespace nemba::manager {
namespace {

constexpr wchar_t kClassName[] = L"Nemba.LyricsManager.Form4";

}  // namespace

Form4::~Form4() { DestroyNow(); }

bool Form4::Open(HWND owner, int show) {
  int dpi = win::ScreenDpi();
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  ClassOptions cls{kClassName, win::ProgramIcon(false), win::ProgramIcon(true)};
  RECT bounds = win::CentredWindowRect(win::Twips(4800, dpi), win::Twips(3600, dpi), style, false);
  if (!Create(cls, style, 0, kForm4Caption, bounds, owner, nullptr)) return false;

  RECT client{};
  ::GetClientRect(hwnd(), &client);
  if (!File1.Create(hwnd(), IDC_FILE1, client)) {
    DestroyNow();
    return false;
  }
  font_ = win::MakeUiFont(9, dpi);
  File1.SetFont(font_.get());
  // Read once: the list is not refreshed while the window is open.
  File1.SetPattern(kForm4Pattern);
  File1.SetFolder(win::CurrentFolder());
  File1.onDoubleClick = [this] { File1_DblClick(); };

  ::ShowWindow(hwnd(), show);
  ::UpdateWindow(hwnd());
  return true;
}

void Form4::File1_DblClick() {
  int i = File1.Current();
  if (i < 0) return;
  std::wstring folder = File1.Folder();
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';  // a drive's root already ends in one
  std::wstring commandLine = folder + File1.Item(i);
  if (!win::Ui().launcher->Run(commandLine, SW_SHOWNORMAL))
    win::Ui().messages->Show(hwnd(), L"无法启动：" + commandLine, kAppTitle, MB_OK | MB_ICONEXCLAMATION);
}

LRESULT Form4::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && File1.hwnd()) {
    ::MoveWindow(File1.hwnd(), 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
    return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace nemba::manager
