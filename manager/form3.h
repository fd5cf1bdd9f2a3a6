// The smart-rename window: renames the selected lyrics files of the file
// list after their tags, or after the song file they belong to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/win/controls.h"
#include "common/win/gdi.h"
#include "common/win/window.h"

namespace nemba::manager {

class Form1;

inline constexpr wchar_t kForm3Caption[] = L"歌词智能重命名";

class Form3 : public win::Window {
 public:
  explicit Form3(Form1& main) : main_(main) {}
  ~Form3() override { DestroyNow(); }

  // Creates the window the first time; shows it over its owner, which takes
  // no input until the window is hidden again.
  bool Show();
  // Show, then wait until the window is hidden.
  void ShowModal();
  void Hide();

  win::Label Label1, Label2;
  win::ComboBox Combo1;
  win::Edit Text1;
  win::Button Command1;
  win::CheckList List1;  // the candidate song files, never shown

  std::wstring Separator;
  std::wstring RememberedFolder;

  void Command1_Click();
  void RenameLrc(int16_t format);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool Build();
  void RenameOne(int index, int16_t format);
  // Renames the entry's file to `newPath`; the entry follows and is deselected.
  void Rename(int index, const std::wstring& path, const std::wstring& newPath);

  Form1& main_;
  win::UniqueFont font_;
};

}  // namespace nemba::manager
