#include "common/win/controls.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "common/text.h"
#include "common/win/gdi.h"

namespace nemba::win {
namespace {

std::wstring ListText(HWND list, UINT lenMsg, UINT textMsg, int index) {
  LRESULT n = ::SendMessageW(list, lenMsg, static_cast<WPARAM>(index), 0);
  if (n < 0) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = ::SendMessageW(list, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return s;
}

int ItemHeightFor(HWND hwnd, int minimum) {
  WindowDC dc(hwnd);
  SelectObj sel(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc.get(), &tm);
  return std::max<int>(tm.tmHeight + 2, minimum);
}

// Upper-cases for comparing file names the way the file system does.
std::wstring UpperName(std::wstring s) {
  if (!s.empty()) ::CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

bool NameLess(const std::wstring& a, const std::wstring& b) {
  int r = ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                            b.c_str(), static_cast<int>(b.size()), nullptr, nullptr, 0);
  if (r == 0) return a < b;
  return r == CSTR_LESS_THAN;
}

void DrawListText(const DRAWITEMSTRUCT& dis, const std::wstring& text, RECT r, UINT format) {
  bool selected = (dis.itemState & ODS_SELECTED) != 0;
  bool disabled = (dis.itemState & ODS_DISABLED) != 0;
  ::SetBkMode(dis.hDC, TRANSPARENT);
  ::SetTextColor(dis.hDC, ::GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::DrawTextW(dis.hDC, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | format);
}

}  // namespace

// ---- Button ----------------------------------------------------------------

bool Button::Create(HWND parent, int id, const std::wstring& caption, RECT r, DWORD style) {
  return CreateChild(parent, L"BUTTON", caption, style | WS_VISIBLE | WS_TABSTOP, 0, r, id);
}

bool Button::OnReflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
    if (onClick) {
      auto fn = onClick;
      fn();
    }
    result = 0;
    return true;
  }
  return false;
}

bool SymbolButton::Create(HWND parent, int id, const wchar_t* face, int points, int dpi, const std::wstring& symbol,
                          const std::wstring& fallback, HFONT fallbackFont, RECT r) {
  font_ = MakeSymbolFont(face, points, dpi);
  bool drawable = !symbol.empty() && FontHasGlyph(font_.get(), face, symbol[0]);
  if (!drawable) font_.reset();
  if (!Button::Create(parent, id, drawable ? symbol : fallback, r)) return false;
  SetFont(drawable ? font_.get() : fallbackFont);
  return true;
}

bool CheckBox::Create(HWND parent, int id, const std::wstring& caption, RECT r, bool ticked) {
  if (!Button::Create(parent, id, caption, r, BS_AUTOCHECKBOX)) return false;
  SetTicked(ticked);
  return true;
}

bool ComboBox::Create(HWND parent, int id, RECT r) {
  r.bottom = r.top + (r.bottom - r.top) * 8;  // room for the drop-down part
  return CreateChild(parent, L"COMBOBOX", L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, r, id);
}

// ---- Label and Edit --------------------------------------------------------

bool Label::Create(HWND parent, int id, const std::wstring& text, RECT r) {
  return CreateChild(parent, L"STATIC", text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, r, id);
}

bool Edit::Create(HWND parent, int id, const std::wstring& text, RECT r, DWORD style) {
  return CreateChild(parent, L"EDIT", text, style | WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE, r, id);
}

LRESULT Edit::SubclassProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_GETDLGCODE && lp) {
    // Let Enter through to the box instead of the keyboard navigation.
    auto* m = reinterpret_cast<MSG*>(lp);
    if ((m->message == WM_KEYDOWN || m->message == WM_CHAR) && m->wParam == VK_RETURN)
      return Default(msg, wp, lp) | DLGC_WANTALLKEYS;
  }
  if (msg == WM_CHAR && onKeyPress) {
    auto fn = onKeyPress;
    if (fn(static_cast<wchar_t>(wp))) return 0;
  }
  return Control::SubclassProc(msg, wp, lp);
}

// ---- ProgressBar -----------------------------------------------------------

bool ProgressBar::Create(HWND parent, int id, RECT r) {
  if (!CreateChild(parent, PROGRESS_CLASSW, L"", 0, 0, r, id)) return false;
  ::SendMessageW(hwnd(), PBM_SETRANGE32, 0, 100);
  return true;
}

// ---- ToolTip ---------------------------------------------------------------

bool ToolTip::Create(HWND owner) {
  owner_ = owner;
  HWND h = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  if (!h) return false;
  Attach(h);
  ::SendMessageW(h, TTM_SETMAXTIPWIDTH, 0, 600);
  return true;
}

void ToolTip::Add(HWND tool, const std::wstring& text) {
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND;  // our own relay: the subclassing kind is slow under Wine
  ti.hwnd = owner_;
  ti.uId = reinterpret_cast<UINT_PTR>(tool);
  ti.lpszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(hwnd(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  if (Control* c = Control::FromHwnd(tool)) c->SetTooltipRelay(hwnd());
}

void ToolTip::SetTip(HWND tool, const std::wstring& text) {
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.hwnd = owner_;
  ti.uId = reinterpret_cast<UINT_PTR>(tool);
  ti.lpszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(hwnd(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::wstring ToolTip::Tip(HWND tool) const {
  std::wstring buffer(4096, L'\0');
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.hwnd = owner_;
  ti.uId = reinterpret_cast<UINT_PTR>(tool);
  ti.lpszText = buffer.data();
  ::SendMessageW(hwnd(), TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&ti));
  buffer.resize(wcslen(buffer.c_str()));
  return buffer;
}

// ---- CheckList -------------------------------------------------------------

bool CheckList::Create(HWND parent, int id, RECT r) {
  if (!CreateChild(parent, L"LISTBOX", L"",
                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                       LBS_NOINTEGRALHEIGHT,
                   WS_EX_CLIENTEDGE, r, id))
    return false;
  return true;
}

int CheckList::BoxWidth() const {
  return static_cast<int>(::SendMessageW(hwnd(), LB_GETITEMHEIGHT, 0, 0)) + 2;
}

int CheckList::Add(const std::wstring& text) { return Insert(-1, text); }

int CheckList::Insert(int index, const std::wstring& text) {
  if (Count() >= kMaxEntries) return -1;
  LRESULT i = ::SendMessageW(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text.c_str()));
  if (i < 0) return -1;
  ::SendMessageW(hwnd(), LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
  if (index >= 0 && i < Count() - 1) ++generation_;
  return static_cast<int>(i);
}

bool CheckList::Remove(int index) {
  ++generation_;
  return ::SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0) != LB_ERR;
}

void CheckList::Clear() {
  ++generation_;
  ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
}

std::vector<std::wstring> CheckList::Items() const {
  std::vector<std::wstring> items;
  int n = Count();
  items.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) items.push_back(Item(i));
  return items;
}

void CheckList::RemoveWhere(const std::vector<bool>& remove) {
  int n = Count();
  std::vector<std::pair<std::wstring, bool>> kept;
  int current = Current(), newCurrent = -1;
  for (int i = 0; i < n; ++i) {
    if (static_cast<size_t>(i) < remove.size() && remove[static_cast<size_t>(i)]) continue;
    if (i == current) newCurrent = static_cast<int>(kept.size());
    kept.emplace_back(Item(i), Checked(i));
  }
  if (static_cast<int>(kept.size()) == n) return;
  int top = static_cast<int>(::SendMessageW(hwnd(), LB_GETTOPINDEX, 0, 0));
  // Rebuilt in one go: deleting entries one by one moves the rest each time.
  SetRedraw(false);
  Clear();
  Reserve(static_cast<int>(kept.size()));
  for (auto& [text, checked] : kept) {
    LRESULT i = ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(hwnd(), LB_SETITEMDATA, static_cast<WPARAM>(i), checked ? 1 : 0);
  }
  SetCurrent(newCurrent);
  ::SendMessageW(hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(std::min(top, static_cast<int>(kept.size()) - 1)), 0);
  SetRedraw(true);
}

std::wstring CheckList::Item(int index) const { return ListText(hwnd(), LB_GETTEXTLEN, LB_GETTEXT, index); }

bool CheckList::Checked(int index) const {
  LRESULT d = ::SendMessageW(hwnd(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return d != LB_ERR && d != 0;
}

void CheckList::SetChecked(int index, bool on) {
  if (index < 0 || index >= Count() || Checked(index) == on) return;
  ::SendMessageW(hwnd(), LB_SETITEMDATA, static_cast<WPARAM>(index), on ? 1 : 0);
  RedrawItem(index);
}

void CheckList::RedrawItem(int index) {
  // Only entries in view: invalidating costs a trip to the window server.
  RECT r{}, client{}, both{};
  ::GetClientRect(hwnd(), &client);
  if (::SendMessageW(hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR &&
      ::IntersectRect(&both, &r, &client))
    ::InvalidateRect(hwnd(), &r, FALSE);
}

void CheckList::Reserve(int count) {
  ::SendMessageW(hwnd(), LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(count) * 64);
}

void CheckList::SetRedraw(bool on) {
  ::SendMessageW(hwnd(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CheckList::Toggle(int index) {
  SetChecked(index, !Checked(index));
  if (onClick) {
    auto fn = onClick;
    fn();
  }
}

LRESULT CheckList::SubclassProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETFONT: {
      LRESULT r = Default(msg, wp, lp);
      int h = ItemHeightFor(hwnd(), ::GetSystemMetrics(SM_CYMENUCHECK));
      ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, h);
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      int before = Current();
      LRESULT hit = ::SendMessageW(hwnd(), LB_ITEMFROMPOINT, 0, lp);
      LRESULT r = Default(msg, wp, lp);
      int index = LOWORD(hit);
      if (HIWORD(hit) == 0 && index < Count()) {
        // The box toggles; so does a click on the entry that was current.
        if (static_cast<short>(LOWORD(lp)) < BoxWidth() || index == before) Toggle(index);
      }
      return r;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE) {
        if (Current() >= 0) Toggle(Current());
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == L' ') return 0;  // handled as a key, not a search character
      break;
    case WM_DROPFILES: {
      auto drop = reinterpret_cast<HDROP>(wp);
      std::vector<std::wstring> files;
      UINT n = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < n; ++i) {
        UINT len = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(len + 1, L'\0');
        ::DragQueryFileW(drop, i, name.data(), len + 1);
        name.resize(len);
        files.push_back(std::move(name));
      }
      ::DragFinish(drop);
      if (onDropFiles) {
        auto fn = onDropFiles;
        fn(std::move(files));
      }
      return 0;
    }
    default:
      break;
  }
  return Control::SubclassProc(msg, wp, lp);
}

bool CheckList::OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE) {
    if (onClick) {
      auto fn = onClick;
      fn();
    }
    result = 0;
    return true;
  }
  if (msg != WM_DRAWITEM) return false;
  auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
  result = TRUE;
  if (dis.itemID == static_cast<UINT>(-1)) {
    if (dis.itemState & ODS_FOCUS) ::DrawFocusRect(dis.hDC, &dis.rcItem);
    return true;
  }
  int index = static_cast<int>(dis.itemID);
  bool selected = (dis.itemState & ODS_SELECTED) != 0;
  ::FillRect(dis.hDC, &dis.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int h = dis.rcItem.bottom - dis.rcItem.top;
  int box = std::min(h - 2, ::GetSystemMetrics(SM_CXMENUCHECK));
  RECT br{dis.rcItem.left + 2, dis.rcItem.top + (h - box) / 2, 0, 0};
  br.right = br.left + box;
  br.bottom = br.top + box;
  ::FillRect(dis.hDC, &br, ::GetSysColorBrush(COLOR_WINDOW));
  ::DrawFrameControl(dis.hDC, &br, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(index) ? DFCS_CHECKED : 0) |
                         ((dis.itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0));
  RECT tr = dis.rcItem;
  tr.left = br.right + 4;
  DrawListText(dis, Item(index), tr, DT_PATH_ELLIPSIS);
  if (dis.itemState & ODS_FOCUS) ::DrawFocusRect(dis.hDC, &dis.rcItem);
  return true;
}

// ---- FileList --------------------------------------------------------------

bool FileList::Create(HWND parent, int id, RECT r) {
  return CreateChild(parent, L"LISTBOX", L"",
                     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_HASSTRINGS |
                         LBS_NOINTEGRALHEIGHT,
                     WS_EX_CLIENTEDGE, r, id);
}

void FileList::SetFolder(const std::wstring& folder) {
  folder_ = folder;
  Refresh();
}

void FileList::SetPattern(const std::wstring& pattern) {
  pattern_ = pattern;
  Refresh();
}

void FileList::Refresh() {
  std::vector<std::wstring> names;
  if (!folder_.empty()) {
    std::vector<std::wstring> patterns;
    for (auto& p : SplitPatterns(pattern_)) patterns.push_back(UpperName(p));
    std::wstring search = folder_;
    if (search.back() != L'\\') search += L'\\';
    search += L'*';
    WIN32_FIND_DATAW fd;
    UniqueFind find(::FindFirstFileExW(search.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (find) {
      do {
        DWORD a = fd.dwFileAttributes;
        if (a & FILE_ATTRIBUTE_DIRECTORY) continue;
        if ((a & FILE_ATTRIBUTE_HIDDEN) && !showHidden_) continue;
        if ((a & FILE_ATTRIBUTE_SYSTEM) && !showSystem_) continue;
        if (!MatchesAny(patterns, UpperName(fd.cFileName))) continue;
        names.emplace_back(fd.cFileName);
      } while (::FindNextFileW(find.get(), &fd));
    }
  }
  std::sort(names.begin(), names.end(), NameLess);
  ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
  ::SendMessageW(hwnd(), LB_INITSTORAGE, names.size(), static_cast<LPARAM>(names.size()) * 40);
  for (const auto& n : names) ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
  ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
  marked_ = false;
  ++generation_;
}

std::wstring FileList::Item(int index) const { return ListText(hwnd(), LB_GETTEXTLEN, LB_GETTEXT, index); }

void FileList::SetSelected(int index, bool on) {
  ::SendMessageW(hwnd(), LB_SETSEL, on ? TRUE : FALSE, static_cast<LPARAM>(index));
}

int FileList::Current() const {
  if (!marked_ || Count() == 0) return -1;
  return static_cast<int>(::SendMessageW(hwnd(), LB_GETCARETINDEX, 0, 0));
}

void FileList::SetCurrent(int index) {
  ::SendMessageW(hwnd(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  marked_ = index >= 0;
}

LRESULT FileList::SubclassProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_LBUTTONDOWN || msg == WM_KEYDOWN) {
    LRESULT r = Default(msg, wp, lp);
    if (Count() > 0) marked_ = true;
    return r;
  }
  return Control::SubclassProc(msg, wp, lp);
}

bool FileList::OnReflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wp) == LBN_SELCHANGE) {
    marked_ = true;
    if (onClick) {
      auto fn = onClick;
      fn();
    }
    result = 0;
    return true;
  }
  if (msg == WM_COMMAND && HIWORD(wp) == LBN_DBLCLK) {
    if (onDoubleClick) {
      auto fn = onDoubleClick;
      fn();
    }
    result = 0;
    return true;
  }
  return false;
}

// ---- DirList ---------------------------------------------------------------

namespace {

struct FolderIcons {
  HICON closed = nullptr, open = nullptr;
  FolderIcons() {
    SHFILEINFOW sfi{};
    if (::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &sfi, sizeof(sfi),
                         SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON))
      closed = sfi.hIcon;
    if (::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &sfi, sizeof(sfi),
                         SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON))
      open = sfi.hIcon;
  }
};

const FolderIcons& Icons() {
  static FolderIcons icons;
  return icons;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

wchar_t UpperLetter(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

}  // namespace

bool DirList::Create(HWND parent, int id, RECT r) {
  return CreateChild(parent, L"LISTBOX", L"",
                     WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                         LBS_NOINTEGRALHEIGHT,
                     WS_EX_CLIENTEDGE, r, id);
}

bool DirList::Resolve(const std::wstring& in, std::wstring& out, DWORD& error) const {
  std::wstring path = in;
  if (path.size() == 2 && IsDriveLetter(path[0]) && path[1] == L':') {
    auto it = lastOnDrive_.find(UpperLetter(path[0]));
    if (it != lastOnDrive_.end()) {
      DWORD a = ::GetFileAttributesW(it->second.c_str());
      if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) {
        out = it->second;
        return true;
      }
    }
  }
  DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) {
    error = ::GetLastError();
    return false;
  }
  std::wstring full(n, L'\0');
  n = ::GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
  full.resize(n);
  if (full.size() < 3 || !IsDriveLetter(full[0]) || full[1] != L':' || full[2] != L'\\') {
    error = ERROR_BAD_PATHNAME;  // the drive list shows drive letters only
    return false;
  }
  full[0] = UpperLetter(full[0]);
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  std::wstring probe = full.size() == 3 ? full : full + L"\\";
  DWORD a = ::GetFileAttributesW(probe.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) {
    error = ::GetLastError();
    // A drive's remembered folder may be gone: its root is the next best.
    if (path.size() == 2 && full.size() > 3) return Resolve(full.substr(0, 3), out, error);
    return false;
  }
  if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
    error = ERROR_DIRECTORY;
    return false;
  }
  out = full;
  return true;
}

bool DirList::SetPath(const std::wstring& path, DWORD* error) {
  std::wstring resolved;
  DWORD e = ERROR_SUCCESS;
  if (!Resolve(path, resolved, e)) {
    if (error) *error = e ? e : ERROR_PATH_NOT_FOUND;
    return false;
  }
  if (error) *error = ERROR_SUCCESS;
  bool changed = resolved != path_;
  path_ = resolved;
  lastOnDrive_[path_[0]] = path_;
  Fill();
  if (changed && onChange) {
    auto fn = onChange;
    fn();
  }
  return true;
}

void DirList::Refresh() {
  if (path_.empty()) return;
  std::wstring p = path_;
  for (;;) {
    DWORD a = ::GetFileAttributesW((p.size() == 3 ? p : p + L"\\").c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) break;
    size_t slash = p.rfind(L'\\');
    if (p.size() <= 3 || slash == std::wstring::npos) {
      p.clear();
      break;
    }
    p.resize(slash < 3 ? 3 : slash);
  }
  if (p.empty() || p == path_) {
    Fill();
  } else {
    SetPath(p);
  }
}

void DirList::Fill() {
  entries_.clear();
  // The ancestors, from the root down to the folder itself.
  entries_.push_back({path_.substr(0, 3), 0, true});
  size_t pos = 3;
  int depth = 1;
  while (pos < path_.size()) {
    size_t next = path_.find(L'\\', pos);
    if (next == std::wstring::npos) next = path_.size();
    entries_.push_back({path_.substr(0, next), depth++, true});
    pos = next + 1;
  }
  size_t current = entries_.size() - 1;
  // Its subfolders, hidden ones left out as the shell does.
  std::vector<std::wstring> subs;
  std::wstring base = path_.size() == 3 ? path_ : path_ + L"\\";
  WIN32_FIND_DATAW fd;
  UniqueFind find(::FindFirstFileExW((base + L"*").c_str(), FindExInfoBasic, &fd, FindExSearchLimitToDirectories,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (find) {
    do {
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN)) continue;
      if (wcscmp(fd.cFileName, L".") == 0 || wcscmp(fd.cFileName, L"..") == 0) continue;
      subs.emplace_back(fd.cFileName);
    } while (::FindNextFileW(find.get(), &fd));
  }
  std::sort(subs.begin(), subs.end(), NameLess);
  for (auto& s : subs) entries_.push_back({base + s, depth, false});

  ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < entries_.size(); ++i) {
    const auto& e = entries_[i];
    std::wstring name = i == 0 ? e.path : e.path.substr(e.path.rfind(L'\\') + 1);
    ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  ::SendMessageW(hwnd(), LB_SETCURSEL, current, 0);
  ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

std::wstring DirList::ItemPath(int index) const {
  return index >= 0 && static_cast<size_t>(index) < entries_.size() ? entries_[static_cast<size_t>(index)].path
                                                                    : std::wstring();
}

void DirList::Open(int index) {
  std::wstring target = ItemPath(index);
  if (target.empty()) return;
  if (!SetPath(target)) Refresh();  // it went away meanwhile
}

LRESULT DirList::SubclassProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETFONT: {
      LRESULT r = Default(msg, wp, lp);
      ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, ItemHeightFor(hwnd(), ::GetSystemMetrics(SM_CYSMICON) + 2));
      return r;
    }
    case WM_GETDLGCODE:
      if (lp && reinterpret_cast<MSG*>(lp)->message == WM_KEYDOWN && reinterpret_cast<MSG*>(lp)->wParam == VK_RETURN)
        return Default(msg, wp, lp) | DLGC_WANTALLKEYS;
      break;
    case WM_KEYDOWN:
      if (wp == VK_RETURN) {
        Open(static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)));
        return 0;
      }
      break;
    default:
      break;
  }
  return Control::SubclassProc(msg, wp, lp);
}

bool DirList::OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wp) == LBN_DBLCLK) {
    Open(static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)));
    result = 0;
    return true;
  }
  if (msg != WM_DRAWITEM) return false;
  auto& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
  result = TRUE;
  if (dis.itemID == static_cast<UINT>(-1) || dis.itemID >= entries_.size()) {
    if (dis.itemState & ODS_FOCUS) ::DrawFocusRect(dis.hDC, &dis.rcItem);
    return true;
  }
  const Entry& e = entries_[dis.itemID];
  bool selected = (dis.itemState & ODS_SELECTED) != 0;
  ::FillRect(dis.hDC, &dis.rcItem, ::GetSysColorBrush(COLOR_WINDOW));
  int icon = ::GetSystemMetrics(SM_CXSMICON);
  int x = dis.rcItem.left + 2 + e.depth * (icon / 2 + 2);
  int h = dis.rcItem.bottom - dis.rcItem.top;
  HICON ic = e.open ? Icons().open : Icons().closed;
  if (ic) ::DrawIconEx(dis.hDC, x, dis.rcItem.top + (h - icon) / 2, ic, icon, icon, 0, nullptr, DI_NORMAL);
  RECT tr = dis.rcItem;
  tr.left = x + icon + 3;
  std::wstring name = dis.itemID == 0 ? e.path : e.path.substr(e.path.rfind(L'\\') + 1);
  SIZE ext{};
  ::GetTextExtentPoint32W(dis.hDC, name.c_str(), static_cast<int>(name.size()), &ext);
  RECT hr{tr.left - 1, tr.top, std::min<LONG>(tr.left + ext.cx + 2, tr.right), tr.bottom};
  if (selected) ::FillRect(dis.hDC, &hr, ::GetSysColorBrush(COLOR_HIGHLIGHT));
  tr.left += 1;
  DrawListText(dis, name, tr, DT_END_ELLIPSIS);
  if (dis.itemState & ODS_FOCUS) ::DrawFocusRect(dis.hDC, &hr);
  return true;
}

// ---- DriveList -------------------------------------------------------------

bool DriveList::Create(HWND parent, int id, RECT r) {
  r.bottom = r.top + (r.bottom - r.top) * 12;  // room for the drop-down part
  if (!CreateChild(parent, L"COMBOBOX", L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, r, id))
    return false;
  Refresh();
  return true;
}

void DriveList::Refresh() {
  LRESULT sel = ::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
  wchar_t keep = sel >= 0 && static_cast<size_t>(sel) < letters_.size() ? letters_[static_cast<size_t>(sel)] : 0;
  letters_.clear();
  ::SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
  DWORD mask = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    wchar_t letter = static_cast<wchar_t>(L'A' + i);
    wchar_t root[] = {letter, L':', L'\\', 0};
    std::wstring text = {static_cast<wchar_t>(L'a' + i), L':'};
    UINT type = ::GetDriveTypeW(root);
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK || type == DRIVE_CDROM || type == DRIVE_REMOTE) {
      wchar_t label[MAX_PATH + 1] = {};
      if (::GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
        text += std::wstring(L" [") + label + L"]";
    }
    letters_.push_back(letter);
    ::SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  int keepAt = keep ? Find(keep) : -1;
  if (keepAt >= 0) ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(keepAt), 0);
}

int DriveList::Find(wchar_t letter) const {
  letter = UpperLetter(letter);
  for (size_t i = 0; i < letters_.size(); ++i)
    if (letters_[i] == letter) return static_cast<int>(i);
  return -1;
}

std::wstring DriveList::Drive() const {
  LRESULT sel = ::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
  if (sel < 0 || static_cast<size_t>(sel) >= letters_.size()) return {};
  return {static_cast<wchar_t>(letters_[static_cast<size_t>(sel)] - L'A' + L'a'), L':'};
}

std::wstring DriveList::ItemText(int index) const { return ListText(hwnd(), CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

bool DriveList::SetDrive(const std::wstring& drive) {
  if (drive.empty() || !IsDriveLetter(drive[0])) return false;
  int at = Find(drive[0]);
  if (at < 0) {
    Refresh();  // a drive that came since the list was read
    at = Find(drive[0]);
    if (at < 0) return false;
  }
  ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  Changed();
  return true;
}

void DriveList::Changed() {
  LRESULT sel = ::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
  if (sel < 0 || static_cast<size_t>(sel) >= letters_.size()) return;
  wchar_t letter = letters_[static_cast<size_t>(sel)];
  if (letter == notified_) return;
  notified_ = letter;
  if (onChange) {
    auto fn = onChange;
    fn();
  }
}

bool DriveList::OnReflect(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg != WM_COMMAND) return false;
  WORD code = HIWORD(wp);
  // While the list is dropped down, moving through it is not yet a choice.
  if ((code == CBN_SELCHANGE && !::SendMessageW(hwnd(), CB_GETDROPPEDSTATE, 0, 0)) || code == CBN_CLOSEUP) {
    Changed();
    result = 0;
    return true;
  }
  return false;
}

}  // namespace nemba::win
