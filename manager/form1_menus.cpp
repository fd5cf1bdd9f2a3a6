// The tools and help menus of the main window, and the windows they open.
#include "manager/form1.h"

#include "common/win/services.h"
#include "manager/form2.h"
#include "manager/form3.h"
#include "manager/form4.h"
#include "recommend/form5.h"

namespace nemba::manager {
namespace {

constexpr wchar_t kHomepage[] = L"https://blog.nemba.example.com/";
constexpr wchar_t kCredits[] = L"Nemba歌词管理器1.2\r\n作者：Nemba";

// A window that is open comes to the front, restored when minimised.
void BringToFront(HWND hwnd) {
  if (::IsIconic(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
  ::SetForegroundWindow(hwnd);
}

}  // namespace

Form1::Form1(Form1Options options) : options_(std::move(options)) {}

// The menu windows are owned by this one and go with it; their objects only
// see that their window is gone.
Form1::~Form1() {
  form5_.reset();
  form4_.reset();
  form2_.reset();
  form3_.reset();
  DestroyNow();
}

void Form1::WireToolsAndHelpMenus() {
  OnMenu(ID_MNCLOSESCREEN, [this] { mnCloseScreen_Click(); });
  OnMenu(ID_MNCLOSESCREENQUIT, [this] { mnCloseScreenQuit_Click(); });
  OnMenu(ID_MNNEMBASOFT, [this] { mnNembaSoft_Click(); });
  OnMenu(ID_MNVISITHOMEPAGE, [this] { mnvisithomepage_Click(); });
  OnMenu(ID_MNTUIJIAN, [this] { mnTuijian_Click(); });
  OnMenu(ID_MNABOUT, [this] { mnabout_Click(); });
}

// lParam 1 is the low-power state; 2 would switch the display off.
void Form1::mnCloseScreen_Click() { sendDisplayRequest(::GetForegroundWindow(), WM_SYSCOMMAND, SC_MONITORPOWER, 1); }

void Form1::mnCloseScreenQuit_Click() {
  mnCloseScreen_Click();
  if (IsOpen()) ::ShowWindow(hwnd(), SW_MINIMIZE);
}

void Form1::mnNembaSoft_Click() {
  if (form4_ && form4_->IsOpen()) {
    BringToFront(form4_->hwnd());
    return;
  }
  form4_ = std::make_unique<Form4>();
  if (!form4_->Open(hwnd())) form4_.reset();
}

void Form1::mnvisithomepage_Click() { win::Ui().launcher->Run(std::wstring(L"explorer ") + kHomepage, SW_SHOWNORMAL); }

void Form1::mnTuijian_Click() {
  if (form5_ && form5_->IsOpen()) {
    BringToFront(form5_->hwnd());
    return;
  }
  form5_ = std::make_unique<recommend::Form5>(recommend::Form5Options{false, hwnd()});
  if (!form5_->Open()) form5_.reset();
}

void Form1::mnabout_Click() { Msg(kCredits, MB_OK | MB_ICONINFORMATION, L"关于"); }

Form4* Form1::NembaSoftWindow() const { return form4_ && form4_->IsOpen() ? form4_.get() : nullptr; }

recommend::Form5* Form1::RecommendWindow() const {
  return form5_ && form5_->IsOpen() ? form5_.get() : nullptr;
}

}  // namespace nemba::manager
