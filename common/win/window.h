// The window base class, the control base class and message routing.
//
// A form derives from Window and overrides HandleMessage for its own
// messages. Notifications a child control sends to its parent (WM_COMMAND,
// WM_NOTIFY, WM_DRAWITEM, ...) are handed to the control object first, so
// each control class keeps its own behaviour and raises plain callbacks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <unordered_map>

namespace nemba::win {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  bool IsOpen() const { return hwnd_ != nullptr; }

  // Runs `fn` when the menu item or accelerator `id` is chosen.
  void OnMenu(UINT id, std::function<void()> fn) { menuHandlers_[id] = std::move(fn); }
  // Chooses a menu item as the user would.
  void ChooseMenu(UINT id) { ::SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

  // While a long operation runs, closing is held back and done when it ends.
  class BusyScope {
   public:
    explicit BusyScope(Window& w);
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    ~BusyScope();

   private:
    Window& w_;
  };
  bool IsBusy() const { return busy_ > 0; }
  bool CloseRequested() const { return closePending_; }

 protected:
  struct ClassOptions {
    const wchar_t* className;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  };
  bool Create(const ClassOptions& cls, DWORD style, DWORD exStyle, const std::wstring& caption, RECT bounds,
              HWND owner, HMENU menu);

  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Called once the window is gone (after WM_NCDESTROY).
  virtual void OnDestroyed() {}

  // Destroys the window now, without calling back into the derived class.
  // Derived destructors call this first, while their members still live.
  void DestroyNow();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  bool Route(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  HWND hwnd_ = nullptr;
  int busy_ = 0;
  bool closePending_ = false;
  std::unordered_map<UINT, std::function<void()>> menuHandlers_;
};

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  HWND hwnd() const { return hwnd_; }
  int id() const { return ::GetDlgCtrlID(hwnd_); }
  static Control* FromHwnd(HWND hwnd);

  void SetEnabled(bool on) { ::EnableWindow(hwnd_, on ? TRUE : FALSE); }
  bool Enabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
  void SetVisible(bool on) { ::ShowWindow(hwnd_, on ? SW_SHOWNA : SW_HIDE); }
  bool Visible() const { return (::GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
  void SetText(const std::wstring& text) { ::SetWindowTextW(hwnd_, text.c_str()); }
  std::wstring Text() const;
  void SetFont(HFONT font) { ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
  HFONT Font() const { return reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0)); }
  void Focus() { ::SetFocus(hwnd_); }

  // Raised when the control receives the input focus.
  std::function<void()> onFocus;

  // Called by the parent's routing with a message the control sent to it.
  virtual bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  // The tooltip window that this control's mouse messages are relayed to.
  void SetTooltipRelay(HWND tooltip) { relayTip_ = tooltip; }

 protected:
  bool CreateChild(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle,
                   RECT bounds, int id);
  // Takes over a window that was made elsewhere (the tooltip window).
  void Attach(HWND hwnd);
  virtual LRESULT SubclassProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  void Detach();

  HWND hwnd_ = nullptr;
  WNDPROC baseProc_ = nullptr;
  HWND relayTip_ = nullptr;
};

// Runs the window messages that are waiting, and returns when there are none.
// Safe inside handlers. A quit request met here is posted again for the main
// loop, and reported by QuitRequested().
void DoEvents();
bool QuitRequested();

// Pumps events no more often than every `intervalMs`: the long loops call
// Tick() once per entry, which costs next to nothing between two pumps.
class EventPump {
 public:
  explicit EventPump(DWORD intervalMs = 25) : interval_(intervalMs) {}
  void Tick() {
    ULONGLONG now = ::GetTickCount64();
    if (first_ || now - last_ >= interval_) {
      first_ = false;
      DoEvents();
      last_ = ::GetTickCount64();
    }
  }

 private:
  DWORD interval_;
  ULONGLONG last_ = 0;
  bool first_ = true;
};

// Windows whose keyboard navigation (Tab, arrow keys, mnemonics) the message
// loops run with IsDialogMessage.
void AddKeyboardNavigation(HWND hwnd);
void RemoveKeyboardNavigation(HWND hwnd);
// What every loop does with a message before dispatching it.
bool PreTranslate(MSG& msg);
// The program's main loop, until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace nemba::win
