// Nemba歌词管理器: the lyrics manager.
#include <windows.h>
#include <commctrl.h>

#include "common/text.h"
#include "common/win/ansi.h"
#include "common/win/handles.h"
#include "common/win/window.h"
#include "manager/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  // No "insert a disk" boxes from drives without media: the program reports those itself.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  nemba::win::OleApartment ole;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);

  nemba::manager::Form1 form({nemba::win::ProgramFolder(), nemba::CommandTail(::GetCommandLineW()), true});
  if (!form.Open(show)) return 1;
  return nemba::win::RunMessageLoop();
}
