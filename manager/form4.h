// "Nemba软件": the programs beside the manager, started by a double click.
#pragma once

#include <windows.h>

#include <string>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/window.h"

namespace nemba::manager {

inline constexpr wchar_t kForm4Caption[] = L"Nemba软件-同一文件夹中";
inline constexpr wchar_t kForm4Pattern[] = L"*.exe;*.ink";

class Form4 : public win::Window {
 public:
  Form4() = default;
  Form4(const Form4&) = delete;
  Form4& operator=(const Form4&) = delete;
  ~Form4() override;

  // Creates the window owned by `owner`, lists the current folder once and
  // shows the window.
  bool Open(HWND owner, int show = SW_SHOWNORMAL);

  win::FileList File1;

  void File1_DblClick();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  win::UniqueFont font_;
};

}  // namespace nemba::manager
