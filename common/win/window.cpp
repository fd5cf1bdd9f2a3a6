#include "common/win/window.h"


#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace nemba::win {
namespace {

bool g_quitRequested = false;
std::unordered_map<HWND, Control*> g_controls;
std::vector<HWND> g_navigation;

}  // namespace

// ---- Window ----------------------------------------------------------------

Window::~Window() { DestroyNow(); }

void Window::DestroyNow() {
  if (!hwnd_) return;
  HWND h = hwnd_;
  ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  RemoveKeyboardNavigation(h);
  ::DestroyWindow(h);
}

bool Window::Create(const ClassOptions& cls, DWORD style, DWORD exStyle, const std::wstring& caption, RECT bounds,
                    HWND owner, HMENU menu) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!::GetClassInfoExW(instance, cls.className, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = cls.background;
    wc.hIcon = cls.icon;
    wc.hIconSm = cls.smallIcon;
    wc.lpszClassName = cls.className;
    if (!::RegisterClassExW(&wc)) return false;
  }
  HWND h = ::CreateWindowExW(exStyle, cls.className, caption.c_str(), style, bounds.left, bounds.top,
                             bounds.right - bounds.left, bounds.bottom - bounds.top, owner, menu, instance, this);
  return h != nullptr;
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);

  if (msg == WM_CLOSE && self->busy_ > 0) {
    self->closePending_ = true;
    return 0;
  }
  LRESULT result = 0;
  if (self->Route(msg, wp, lp, result)) return result;
  result = self->HandleMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    RemoveKeyboardNavigation(hwnd);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  return result;
}

bool Window::Route(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  HWND from = nullptr;
  switch (msg) {
    case WM_COMMAND:
      if (lp == 0) {  // menu or accelerator
        auto it = menuHandlers_.find(LOWORD(wp));
        if (it == menuHandlers_.end()) return false;
        auto fn = it->second;  // the handler may replace itself
        fn();
        result = 0;
        return true;
      }
      from = reinterpret_cast<HWND>(lp);
      break;
    case WM_NOTIFY:
      from = reinterpret_cast<NMHDR*>(lp)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (dis->CtlType == ODT_MENU) return false;
      from = dis->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (mis->CtlType == ODT_MENU) return false;
      from = ::GetDlgItem(hwnd_, static_cast<int>(mis->CtlID));
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      from = reinterpret_cast<HWND>(lp);
      break;
    default:
      return false;
  }
  Control* c = Control::FromHwnd(from);
  return c && c->OnReflect(msg, wp, lp, result);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(hwnd_, msg, wp, lp); }

Window::BusyScope::BusyScope(Window& w) : w_(w) { ++w_.busy_; }

Window::BusyScope::~BusyScope() {
  if (--w_.busy_ == 0 && w_.closePending_) {
    w_.closePending_ = false;
    if (w_.hwnd_) ::PostMessageW(w_.hwnd_, WM_CLOSE, 0, 0);
  }
}

// ---- Control ---------------------------------------------------------------

Control::~Control() {
  if (hwnd_) {
    HWND h = hwnd_;
    Detach();
    ::DestroyWindow(h);
  }
}

// Controls are subclassed by hand and found through a table of our own:
// window properties and the common-controls subclass helpers go to the window
// server for every message under Wine, which made a 32,767-entry fill take
// seconds instead of milliseconds.
Control* Control::FromHwnd(HWND hwnd) {
  auto it = g_controls.find(hwnd);
  return it == g_controls.end() ? nullptr : it->second;
}

std::wstring Control::Text() const {
  int n = ::GetWindowTextLengthW(hwnd_);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = ::GetWindowTextW(hwnd_, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}

bool Control::CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                          DWORD exStyle, RECT r, int id) {
  HWND h = ::CreateWindowExW(exStyle, className, text.c_str(), style | WS_CHILD, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
  if (!h) return false;
  Attach(h);
  return true;
}

void Control::Attach(HWND h) {
  hwnd_ = h;
  g_controls[h] = this;
  ::SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  baseProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::Proc)));
}

void Control::Detach() {
  if (!hwnd_) return;
  ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc_));
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  g_controls.erase(hwnd_);
  hwnd_ = nullptr;
}

LRESULT CALLBACK Control::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Control*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) {
    WNDPROC base = self->baseProc_;
    self->Detach();
    return ::CallWindowProcW(base, hwnd, msg, wp, lp);
  }
  if (self->relayTip_ && ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_NCMOUSEMOVE)) {
    MSG m{hwnd, msg, wp, lp, 0, {}};
    ::SendMessageW(self->relayTip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
  }
  return self->SubclassProc(msg, wp, lp);
}

LRESULT Control::SubclassProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETFOCUS && onFocus) {
    LRESULT r = Default(msg, wp, lp);
    auto fn = onFocus;
    fn();
    return r;
  }
  return Default(msg, wp, lp);
}

LRESULT Control::Default(UINT msg, WPARAM wp, LPARAM lp) {
  return ::CallWindowProcW(baseProc_, hwnd_, msg, wp, lp);
}

bool Control::OnReflect(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

// ---- Event pumping and the message loop ------------------------------------

void AddKeyboardNavigation(HWND hwnd) {
  if (std::find(g_navigation.begin(), g_navigation.end(), hwnd) == g_navigation.end()) g_navigation.push_back(hwnd);
}

void RemoveKeyboardNavigation(HWND hwnd) {
  g_navigation.erase(std::remove(g_navigation.begin(), g_navigation.end(), hwnd), g_navigation.end());
}

bool PreTranslate(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  for (HWND h : g_navigation) {
    if ((h == msg.hwnd || ::IsChild(h, msg.hwnd)) && ::IsDialogMessageW(h, &msg)) return true;
  }
  return false;
}

void DoEvents() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      g_quitRequested = true;
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!PreTranslate(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

bool QuitRequested() { return g_quitRequested; }

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) break;
    if (!PreTranslate(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace nemba::win
