#include "common/win/window.h"

#include <gtest/gtest.h>

#include "common/win/controls.h"
#include "tests/support/host_window.h"
#include "tests/support/windows_fixture.h"

using namespace nemba;

namespace {
constexpr UINT kPing = WM_APP + 1;

class CountingHost : public test::HostWindow {
 public:
  int pings = 0;
  int closes = 0;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kPing) {
      ++pings;
      return 0;
    }
    if (msg == WM_CLOSE) ++closes;
    return Window::HandleMessage(msg, wp, lp);
  }
};
}  // namespace

TEST(Window, DoEventsRunsWaitingMessagesAndKeepsAQuitForTheMainLoop) {
  CountingHost host;
  ::PostMessageW(host.hwnd(), kPing, 0, 0);
  ::PostMessageW(host.hwnd(), kPing, 0, 0);
  win::DoEvents();
  EXPECT_EQ(host.pings, 2);

  ::PostQuitMessage(7);
  win::DoEvents();
  EXPECT_TRUE(win::QuitRequested());
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(Window, EventPumpPumpsAtOnceThenOnlyAfterItsInterval) {
  CountingHost host;
  win::EventPump pump(60000);
  ::PostMessageW(host.hwnd(), kPing, 0, 0);
  pump.Tick();
  EXPECT_EQ(host.pings, 1);
  ::PostMessageW(host.hwnd(), kPing, 0, 0);
  pump.Tick();
  EXPECT_EQ(host.pings, 1);
  test::Pump();
}

TEST(Window, ClosingWaitsForALongOperation) {
  CountingHost host;
  {
    win::Window::BusyScope busy(host);
    ::SendMessageW(host.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(host.IsOpen());
    EXPECT_TRUE(host.CloseRequested());
    EXPECT_EQ(host.closes, 0);
  }
  test::Pump();
  EXPECT_EQ(host.closes, 1);
  EXPECT_FALSE(host.IsOpen());
}

TEST(Window, MenuCommandsAndControlNotificationsReachTheirHandlers) {
  test::HostWindow host;
  int menu = 0, clicks = 0;
  host.OnMenu(2001, [&] { ++menu; });
  host.ChooseMenu(2001);
  host.ChooseMenu(2002);
  EXPECT_EQ(menu, 1);

  win::Button b;
  ASSERT_TRUE(b.Create(host.hwnd(), 100, L"b", RECT{0, 0, 40, 20}));
  b.onClick = [&] { ++clicks; };
  ::SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(100, BN_CLICKED), reinterpret_cast<LPARAM>(b.hwnd()));
  EXPECT_EQ(clicks, 1);
}

TEST(Window, TabMovesTheFocusInCreationOrder) {
  test::HostWindow host;
  win::AddKeyboardNavigation(host.hwnd());
  win::Button a, b;
  win::CheckList list;
  ASSERT_TRUE(a.Create(host.hwnd(), 100, L"a", RECT{0, 0, 40, 20}));
  ASSERT_TRUE(list.Create(host.hwnd(), 101, RECT{0, 30, 100, 100}));
  ASSERT_TRUE(b.Create(host.hwnd(), 102, L"b", RECT{0, 120, 40, 140}));
  int focused = 0;
  list.onFocus = [&] { ++focused; };
  ::SetForegroundWindow(host.hwnd());
  a.Focus();
  MSG msg{a.hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(win::PreTranslate(msg));
  EXPECT_EQ(::GetFocus(), list.hwnd());
  EXPECT_EQ(focused, 1);
  win::RemoveKeyboardNavigation(host.hwnd());
}
