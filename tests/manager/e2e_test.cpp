// Starts the built manager as its own process, as the shell or the editor
// would, and looks at it from outside.
#include <gtest/gtest.h>

#include "common/win/ansi.h"
#include "manager/form1.h"
#include "tests/support/windows_fixture.h"

using namespace nemba;
using nemba::test::TempDir;

namespace {

std::wstring BuiltManager() {
  std::wstring self(MAX_PATH, L'\0');
  self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  return self.substr(0, self.rfind(L'\\')) + L"\\..\\bin\\Nemba歌词管理器.exe";
}

struct Found {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK FindMain(HWND hwnd, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  wchar_t caption[64] = {};
  ::GetWindowTextW(hwnd, caption, 64);
  if (pid == f->pid && wcscmp(caption, manager::kCaption) == 0) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::wstring ListText(HWND list, int i) {
  LRESULT n = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
  std::wstring s(static_cast<size_t>(n < 0 ? 0 : n) + 1, L'\0');
  n = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n < 0 ? 0 : n));
  return s;
}

}  // namespace

TEST(ManagerProgram, StartsWithQuotedPathsAndSavesItsFolderAtClosing) {
  TempDir dir;
  std::wstring folder = dir / L"程序 目录";
  test::MakeDir(folder);
  std::wstring exe = folder + L"\\Nemba歌词管理器.exe";
  ASSERT_TRUE(::CopyFileW(BuiltManager().c_str(), exe.c_str(), FALSE)) << "build the manager first";

  std::wstring first = dir / L"歌 1.lrc", second = L"D:\\歌词\\b.lrc";
  std::wstring cmd = L"\"" + exe + L"\" \"" + first + L"\" \"" + second + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.path().c_str(), &si,
                               &pi));
  ::WaitForInputIdle(pi.hProcess, 20000);
  Found found{pi.dwProcessId, nullptr};
  for (int i = 0; i < 200 && !found.hwnd; ++i) {
    ::EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&found));
    if (!found.hwnd) ::Sleep(50);
  }
  ASSERT_NE(found.hwnd, nullptr) << "no main window";

  HWND list = ::GetDlgItem(found.hwnd, manager::IDC_LIST1);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(ListText(list, 0), first);
  EXPECT_EQ(ListText(list, 1), second);

  ::PostMessageW(found.hwnd, WM_CLOSE, 0, 0);
  ASSERT_EQ(::WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);

  EXPECT_EQ(win::IniRead(folder + L"\\LrcPath.ini", L"path", L"value", L""), folder);
}
