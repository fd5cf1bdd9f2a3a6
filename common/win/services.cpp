#include "common/win/services.h"

#include <shlobj.h>

#include <vector>

#include "common/win/handles.h"

namespace nemba::win {
namespace {

class RealMessageBoxes final : public MessageBoxes {
 public:
  int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) override {
    return ::MessageBoxW(owner, text.c_str(), title.c_str(), type);
  }
};

// The input box: a prompt, OK and Cancel on the right, the text box below.
class RealInputBoxes final : public InputBoxes {
 public:
  std::optional<std::wstring> Ask(HWND owner, const std::wstring& prompt, const std::wstring& title,
                                  const std::wstring& initial) override {
    State state{prompt, initial, {}, false};
    std::vector<WORD> t = Template(title);
    INT_PTR r = ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()),
                                          owner, &Proc, reinterpret_cast<LPARAM>(&state));
    if (r != IDOK) return std::nullopt;
    return state.answer;
  }

 private:
  enum { kPrompt = 100, kText = 101 };
  struct State {
    std::wstring prompt, initial, answer;
    bool done;
  };

  static void Add(std::vector<WORD>& t, const std::wstring& s) {
    for (wchar_t c : s) t.push_back(static_cast<WORD>(c));
    t.push_back(0);
  }
  static void Align(std::vector<WORD>& t) {
    if (t.size() % 2) t.push_back(0);
  }
  static void Item(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id, WORD cls,
                   const std::wstring& text) {
    Align(t);
    t.push_back(LOWORD(style));  // DLGITEMTEMPLATE
    t.push_back(HIWORD(style));
    t.push_back(0);
    t.push_back(0);
    t.push_back(static_cast<WORD>(x));
    t.push_back(static_cast<WORD>(y));
    t.push_back(static_cast<WORD>(cx));
    t.push_back(static_cast<WORD>(cy));
    t.push_back(id);
    t.push_back(0xFFFF);
    t.push_back(cls);
    Add(t, text);
    t.push_back(0);  // no creation data
  }
  static std::vector<WORD> Template(const std::wstring& title) {
    std::vector<WORD> t;
    DWORD style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    t.push_back(LOWORD(style));
    t.push_back(HIWORD(style));
    t.push_back(0);
    t.push_back(0);
    t.push_back(4);  // items
    t.push_back(0);
    t.push_back(0);
    t.push_back(240);
    t.push_back(84);
    t.push_back(0);  // no menu
    t.push_back(0);  // default class
    Add(t, title);
    t.push_back(9);
    Add(t, L"MS Shell Dlg");
    Item(t, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 7, 7, 168, 48, kPrompt, 0x0082, L"");
    Item(t, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 183, 7, 50, 14, IDOK, 0x0080, L"确定");
    Item(t, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 183, 25, 50, 14, IDCANCEL, 0x0080, L"取消");
    Item(t, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 7, 62, 226, 13, kText, 0x0081, L"");
    return t;
  }
  static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
      case WM_INITDIALOG: {
        auto* s = reinterpret_cast<State*>(lp);
        ::SetWindowLongPtrW(dlg, DWLP_USER, lp);
        ::SetDlgItemTextW(dlg, kPrompt, s->prompt.c_str());
        ::SetDlgItemTextW(dlg, kText, s->initial.c_str());
        ::SendDlgItemMessageW(dlg, kText, EM_SETSEL, 0, -1);
        ::SetFocus(::GetDlgItem(dlg, kText));
        return FALSE;
      }
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
          if (LOWORD(wp) == IDOK) {
            auto* s = reinterpret_cast<State*>(::GetWindowLongPtrW(dlg, DWLP_USER));
            HWND edit = ::GetDlgItem(dlg, kText);
            int n = ::GetWindowTextLengthW(edit);
            s->answer.assign(static_cast<size_t>(n) + 1, L'\0');
            n = ::GetWindowTextW(edit, s->answer.data(), n + 1);
            s->answer.resize(static_cast<size_t>(n));
          }
          ::EndDialog(dlg, LOWORD(wp));
          return TRUE;
        }
        break;
      default:
        break;
    }
    return FALSE;
  }
};

class RealFolderDialogs final : public FolderDialogs {
 public:
  std::wstring Browse(HWND owner, const std::wstring& title, UINT flags) override {
    BROWSEINFOW bi{};
    bi.hwndOwner = owner;
    bi.lpszTitle = title.c_str();
    bi.ulFlags = flags;
    UniquePidl pidl(::SHBrowseForFolderW(&bi));
    if (!pidl) return {};
    std::wstring path(MAX_PATH, L'\0');
    if (!::SHGetPathFromIDListW(pidl.get(), path.data())) return {};
    path.resize(wcslen(path.c_str()));
    return path;
  }
};

class RealLauncher final : public Launcher {
 public:
  bool Run(const std::wstring& commandLine, int show) override {
    std::wstring cmd = commandLine;  // CreateProcessW may write into it
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
  }

  bool ShowInFolder(const std::wstring& path) override {
    PIDLIST_ABSOLUTE raw = ::ILCreateFromPathW(path.c_str());
    if (!raw) return false;
    bool ok = SUCCEEDED(::SHOpenFolderAndSelectItems(raw, 0, nullptr, 0));
    ::ILFree(raw);
    return ok;
  }
};

}  // namespace

Services& Ui() {
  static RealMessageBoxes messages;
  static RealInputBoxes input;
  static RealFolderDialogs folders;
  static RealLauncher launcher;
  static Services services{&messages, &input, &folders, &launcher};
  return services;
}

}  // namespace nemba::win
