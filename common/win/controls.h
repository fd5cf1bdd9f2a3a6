// One small class per kind of control. Each wraps the real Windows control,
// turns its notifications into callbacks and offers typed methods; none holds
// program data of its own beyond what the control shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/win/handles.h"
#include "common/win/window.h"

namespace nemba::win {

class Button : public Control {
 public:
  bool Create(HWND parent, int id, const std::wstring& caption, RECT r, DWORD style = BS_PUSHBUTTON);
  // Clicks the button as the user does: the parent hears BN_CLICKED, unless
  // the button is disabled. (BM_CLICK goes through mouse capture, which a
  // window that is not in front may not get.)
  void Click() {
    if (IsWindowVisible(hwnd()) && Enabled())
      ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id(), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd()));
  }
  std::function<void()> onClick;
  bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

// A push button whose caption is a character of a symbol font. Where the font
// is not installed the button shows `fallback` in `fallbackFont` instead.
class SymbolButton : public Button {
 public:
  bool Create(HWND parent, int id, const wchar_t* face, int points, int dpi, const std::wstring& symbol,
              const std::wstring& fallback, HFONT fallbackFont, RECT r);
  bool UsesSymbolFont() const { return static_cast<bool>(font_); }

 private:
  UniqueFont font_;
};

// A tick box (an automatic check box).
class CheckBox : public Button {
 public:
  bool Create(HWND parent, int id, const std::wstring& caption, RECT r, bool ticked);
  bool Ticked() const { return ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetTicked(bool on) { ::SendMessageW(hwnd(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
};

// A drop-down list to choose one of fixed texts.
class ComboBox : public Control {
 public:
  bool Create(HWND parent, int id, RECT r);
  void Add(const std::wstring& text) { ::SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
  int Count() const { return static_cast<int>(::SendMessageW(hwnd(), CB_GETCOUNT, 0, 0)); }
  int Index() const { return static_cast<int>(::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0)); }
  void SetIndex(int i) { ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(i), 0); }
};

class Label : public Control {
 public:
  bool Create(HWND parent, int id, const std::wstring& text, RECT r);
};

class Edit : public Control {
 public:
  bool Create(HWND parent, int id, const std::wstring& text, RECT r, DWORD style = ES_AUTOHSCROLL);
  // Raised for every character typed, Enter included; return true to keep the
  // character from the box.
  std::function<bool(wchar_t)> onKeyPress;

 protected:
  LRESULT SubclassProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class ProgressBar : public Control {
 public:
  bool Create(HWND parent, int id, RECT r);
  void SetMax(int max) { ::SendMessageW(hwnd(), PBM_SETRANGE32, 0, max); }
  int Max() const { return static_cast<int>(::SendMessageW(hwnd(), PBM_GETRANGE, FALSE, 0)); }
  void SetValue(int v) { ::SendMessageW(hwnd(), PBM_SETPOS, static_cast<WPARAM>(v), 0); }
  int Value() const { return static_cast<int>(::SendMessageW(hwnd(), PBM_GETPOS, 0, 0)); }
};

// The tooltips of one window's controls.
class ToolTip : public Control {
 public:
  bool Create(HWND owner);
  void Add(HWND tool, const std::wstring& text);
  void SetTip(HWND tool, const std::wstring& text);
  std::wstring Tip(HWND tool) const;

 private:
  HWND owner_ = nullptr;
};

// A list box with a check box on each entry. Checking an entry selects it,
// and any number can be checked; the highlighted entry is the current one.
// Fills quickly: a plain list box, the check marks kept in the item data.
class CheckList : public Control {
 public:
  static constexpr int kMaxEntries = 32767;

  bool Create(HWND parent, int id, RECT r);
  int Count() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETCOUNT, 0, 0)); }
  // Adds at the end; -1 when the list is full.
  int Add(const std::wstring& text);
  // Inserts before `index` (-1 or Count() for the end); -1 on failure.
  int Insert(int index, const std::wstring& text);
  bool Remove(int index);
  void Clear();
  std::wstring Item(int index) const;
  bool Checked(int index) const;
  void SetChecked(int index, bool on);
  int Current() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)); }
  void SetCurrent(int index) { ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
  // Room for `count` more entries before a bulk fill.
  void Reserve(int count);
  void SetRedraw(bool on);
  void AcceptFiles(bool on) { ::DragAcceptFiles(hwnd(), on ? TRUE : FALSE); }

  std::vector<std::wstring> Items() const;
  // Removes every entry whose flag is set, in one pass: the others keep
  // their order, checks and the current mark.
  void RemoveWhere(const std::vector<bool>& remove);
  // Changes whenever entries are removed or inserted before the end, so a
  // loop that lets events run can tell that its positions no longer hold.
  unsigned Generation() const { return generation_; }

  // The user clicked an entry or moved the highlight, or toggled a check box.
  std::function<void()> onClick;
  // Files dropped from the shell, in the order the shell gave them.
  std::function<void(std::vector<std::wstring>)> onDropFiles;

  bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 protected:
  LRESULT SubclassProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int BoxWidth() const;
  void Toggle(int index);
  void RedrawItem(int index);
  unsigned generation_ = 0;
};

// The files of one folder that match a pattern list such as "*.mp3;*.wma"
// (letter case does not count), sorted by name, with extended selection.
class FileList : public Control {
 public:
  bool Create(HWND parent, int id, RECT r);
  void SetFolder(const std::wstring& folder);
  const std::wstring& Folder() const { return folder_; }
  void SetPattern(const std::wstring& pattern);
  const std::wstring& Pattern() const { return pattern_; }
  // Which files with these attributes are listed besides the normal ones.
  void SetShowHidden(bool on) { showHidden_ = on; }
  void SetShowSystem(bool on) { showSystem_ = on; }
  bool ShowHidden() const { return showHidden_; }
  bool ShowSystem() const { return showSystem_; }
  // Reads the folder again; the selection is lost.
  void Refresh();

  int Count() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETCOUNT, 0, 0)); }
  std::wstring Item(int index) const;
  bool Selected(int index) const { return ::SendMessageW(hwnd(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0; }
  int SelectedCount() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETSELCOUNT, 0, 0)); }
  void SetSelected(int index, bool on);
  // The entry with the focus mark, -1 when none has been marked since the
  // list was last read.
  int Current() const;
  void SetCurrent(int index);

  // Changes at every reading of the folder.
  unsigned Generation() const { return generation_; }

  std::function<void()> onClick;
  // A double click; the click before it made the entry under the mouse current.
  std::function<void()> onDoubleClick;
  bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 protected:
  LRESULT SubclassProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  unsigned generation_ = 0;
  std::wstring folder_;
  std::wstring pattern_ = L"*.*";
  bool showHidden_ = false;
  bool showSystem_ = false;
  bool marked_ = false;
};

// The folder list: the path's ancestors, the folder itself and its
// subfolders, opened by a double click or Enter.
class DirList : public Control {
 public:
  bool Create(HWND parent, int id, RECT r);
  // The folder shown: "D:\歌词", or "D:\" for a root.
  const std::wstring& Path() const { return path_; }
  // Shows a folder; a bare drive ("d:") means the folder last shown on that
  // drive, or the drive's current folder. Raises onChange when the folder
  // changed. On failure nothing changes and *error gets the system's code.
  bool SetPath(const std::wstring& path, DWORD* error = nullptr);
  // Reads the folder again; when it has gone, moves up to the nearest folder
  // that is still there.
  void Refresh();

  int Count() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETCOUNT, 0, 0)); }
  std::wstring ItemPath(int index) const;
  // Opens an entry, as a double click does.
  void Open(int index);

  std::function<void()> onChange;
  bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 protected:
  LRESULT SubclassProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  struct Entry {
    std::wstring path;
    int depth;
    bool open;
  };
  bool Resolve(const std::wstring& path, std::wstring& out, DWORD& error) const;
  void Fill();

  std::wstring path_;
  std::vector<Entry> entries_;
  std::unordered_map<wchar_t, std::wstring> lastOnDrive_;
};

// The drive list: one entry a drive letter, with the volume label.
class DriveList : public Control {
 public:
  bool Create(HWND parent, int id, RECT r);
  // The selected drive as "d:".
  std::wstring Drive() const;
  // Selects the drive named by the first letter of `drive`; raises onChange
  // when the selection changed. False when there is no such drive.
  bool SetDrive(const std::wstring& drive);
  // Reads the drives again (after a device change); the selection stays.
  void Refresh();
  int Count() const { return static_cast<int>(::SendMessageW(hwnd(), CB_GETCOUNT, 0, 0)); }
  std::wstring ItemText(int index) const;

  // After a change that could not be followed, choosing the same drive again
  // counts as a change.
  void Forget() { notified_ = 0; }

  std::function<void()> onChange;
  bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  int Find(wchar_t letter) const;
  void Changed();
  std::vector<wchar_t> letters_;
  wchar_t notified_ = 0;
};

}  // namespace nemba::win
