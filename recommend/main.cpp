// 推荐: the recommendation viewer on its own.
#include <windows.h>

#include <cstdlib>

#include "common/win/handles.h"
#include "common/win/window.h"
#include "recommend/form5.h"

// The editor carries this program byte for byte. The run-time's default end
// for an uncaught exception prints the demangled type name, which alone links
// in the whole demangler: a third of the program. A plain abort does as well.
#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  nemba::win::OleApartment ole;  // the browser control lives in an OLE apartment
  nemba::recommend::Form5 form({true, nullptr});
  if (!form.Open(show)) return 1;
  return nemba::win::RunMessageLoop();
}
