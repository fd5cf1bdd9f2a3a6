#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
#endif
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
#ifdef _WIN32
  ::OleUninitialize();
#endif
  return result;
}
