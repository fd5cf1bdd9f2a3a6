// The find dialog: marks the entries of the two lists that contain a text.
#pragma once

#include <windows.h>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/window.h"

namespace nemba::manager {

class Form1;

inline constexpr wchar_t kForm2Caption[] = L"查找";

class Form2 : public win::Window {
 public:
  explicit Form2(Form1& main) : main_(main) {}
  ~Form2() override { DestroyNow(); }

  bool Open(HWND owner);

  win::Edit Text1;
  win::Button Command1;
  win::Label Label1;
  win::CheckBox Check1, Check2;

  // One search over the ticked lists.
  void Command1_Click();
  bool Text1_KeyPress(wchar_t key);

 private:
  Form1& main_;
  win::UniqueFont font_;
};

}  // namespace nemba::manager
