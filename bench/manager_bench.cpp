// Times the file list commands on the real main window with 32,767 entries
// and prints each beside the bare cost of what it cannot avoid.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "common/win/clipboard.h"
#include "common/win/window.h"
#include "manager/form1.h"
#include "tests/support/scripted_ui.h"

using namespace nemba;
using Clock = std::chrono::steady_clock;

namespace {

int kCount = 32767;

double Ms(const std::function<void()>& fn) {
  auto start = Clock::now();
  fn();
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Report(const char* what, double ms, double floor) {
  std::printf("%-34s %9.1f ms   floor %8.1f ms   ratio %5.2f\n", what, ms, floor, floor > 0 ? ms / floor : 0.0);
}

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, buffer);
  std::wstring dir = std::wstring(buffer) + L"nemba-bench-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc > 1) kCount = std::max(1, std::min(32767, _wtoi(argv[1])));
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  test::ScriptedUi ui;

  std::wstring dir = TempFolder();
  std::printf("making %d lyrics files...\n", kCount);
  for (int i = 0; i < kCount; ++i) {
    std::wstring name = dir + L"\\" + std::to_wstring(100000 + i) + L".lrc";
    HANDLE h = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }

  manager::Form1 form({dir, L"", false});
  form.Open(SW_SHOWMINNOACTIVE);
  win::DoEvents();

  // Floors, measured here and now.
  double insertFloor = 0, pumpFloor = 0, existsFloor = 0;
  {
    HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_HASSTRINGS, 0, 0, 10, 10, form.hwnd(), nullptr,
                                  nullptr, nullptr);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    insertFloor = Ms([&] {
      for (int i = 0; i < kCount; ++i) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:\\x.lrc"));
    });
    ::DestroyWindow(list);
    pumpFloor = Ms([] {
      for (int i = 0; i < kCount; ++i) win::DoEvents();
    });
    // In a small folder: a lookup in a folder of thousands of files is far
    // slower under Wine, which is what the commands avoid.
    std::wstring empty = dir + L"-empty";
    ::CreateDirectoryW(empty.c_str(), nullptr);
    existsFloor = Ms([&] {
      for (int i = 0; i < kCount; ++i) ::GetFileAttributesW((empty + L"\\missing.mp3").c_str());
    });
    ::RemoveDirectoryW(empty.c_str());
  }
  std::printf("%d list insertions %.1f ms, %d event pumps %.1f ms, %d existence tests %.1f ms\n\n", kCount,
              insertFloor, kCount, pumpFloor, kCount, existsFloor);

  form.Dir1.SetPath(dir);
  form.File1.SetSelected(-1, true);
  form.ActiveList = 1;
  Report("add to list (32,767 files)", Ms([&] { form.Command7_Click(); }), insertFloor);
  Report("select all", Ms([&] { form.Command3_Click(); }), insertFloor);
  Report("copy list", Ms([&] { form.mnCopyList_Click(); }), insertFloor);
  Report("mark invalid lyrics", Ms([&] { form.mnCheckWuXiao_Click(); }), 2 * existsFloor);
  Report("delete erroneous files", Ms([&] { form.Command14_Click(); }), existsFloor);
  form.List1.SetRedraw(false);
  for (int i = 0; i < kCount; ++i) form.List1.SetChecked(i, true);
  form.List1.SetRedraw(true);
  Report("remove (all selected)", Ms([&] { form.Command6_Click(); }), insertFloor);
  Report("paste list (32,767 lines)", Ms([&] { form.mnPasteList_Click(); }), insertFloor);

  form.List1.Clear();
  form.List1.SetRedraw(false);
  for (int i = 0; i < kCount; ++i) form.List1.Add(L"C:\\歌词\\" + std::to_wstring(i / 2) + L".lrc");
  form.List1.SetRedraw(true);
  Report("remove duplicates (half repeated)", Ms([&] { form.Command13_Click(); }), insertFloor);

  form.List1.Clear();
  for (int i = 0; i < kCount; ++i) ::DeleteFileW((dir + L"\\" + std::to_wstring(100000 + i) + L".lrc").c_str());
  ::RemoveDirectoryW(dir.c_str());
  return 0;
}
