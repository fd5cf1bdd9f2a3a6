#include "recommend/form5.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win/gdi.h"
#include "tests/support/windows_fixture.h"

using namespace nemba;
using namespace nemba::recommend;

namespace {

class FakeDocument final : public RecommendDocument {
 public:
  explicit FakeDocument(std::vector<std::wstring> p = {}) : paragraphs(std::move(p)) {}
  std::vector<std::wstring> ParagraphHtml() override {
    ++reads;
    return paragraphs;
  }
  void Write(const std::wstring& html) override { written.push_back(html); }

  std::vector<std::wstring> paragraphs;
  int reads = 0;
  std::vector<std::wstring> written;
};

std::wstring CaptionOf(HWND hwnd) {
  wchar_t buffer[128] = {};
  ::GetWindowTextW(hwnd, buffer, 128);
  return buffer;
}

// The hosted control's window, if any.
HWND FirstChild(HWND parent) { return ::GetWindow(parent, GW_CHILD); }

RECT RectInParent(HWND child) {
  RECT r{};
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool QuitPosted() {
  MSG msg;
  return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace

TEST(Completions, TheFirstCompletionWritesEachParagraphFollowedByAnEmptyOne) {
  Completions c;
  FakeDocument doc({L"a", L"<b>b</b>", L""});
  EXPECT_TRUE(c.OnDocumentComplete(&doc));
  ASSERT_EQ(doc.written.size(), 1u);
  EXPECT_EQ(doc.written[0], L"a<p></p><b>b</b><p></p><p></p>");
}

TEST(Completions, APageWithoutParagraphsShowsTheErrorText) {
  Completions c;
  FakeDocument doc;
  EXPECT_TRUE(c.OnDocumentComplete(&doc));
  ASSERT_EQ(doc.written.size(), 1u);
  EXPECT_EQ(doc.written[0], L"出错啦！请稍后重试！");
}

TEST(Completions, OnlyTheFirstCompletionCounts) {
  Completions c;
  FakeDocument first({L"x"}), second({L"y"});
  EXPECT_TRUE(c.OnDocumentComplete(&first));
  EXPECT_FALSE(c.OnDocumentComplete(&second));
  EXPECT_FALSE(c.OnDocumentComplete(&first));
  EXPECT_EQ(first.written.size(), 1u);
  EXPECT_EQ(second.reads, 0);
  EXPECT_TRUE(second.written.empty());
  EXPECT_EQ(c.Count(), 3);

  // The 16-bit counter must not wrap round to 1 on a page that never stops completing.
  for (int i = 0; i < 70000; ++i) c.OnDocumentComplete(&second);
  EXPECT_TRUE(second.written.empty());
  EXPECT_GT(c.Count(), 1);

  c.Reset();
  EXPECT_TRUE(c.OnDocumentComplete(&second));
  EXPECT_EQ(second.written.size(), 1u);
}

TEST(Form5, TheRealControlIsHostedAndTheWindowWaitsWithTheFetchingCaption) {
  Form5 form({false, nullptr});
  ASSERT_TRUE(form.Open(SW_SHOWNOACTIVATE));
  test::Pump();
  EXPECT_TRUE(form.IsOpen());
  EXPECT_EQ(CaptionOf(form.hwnd()), L"正在获取，请稍后...");
  EXPECT_EQ(form.Counter().Count(), 0) << "no page loads here";

  int dpi = win::ScreenDpi();
  RECT client{};
  ::GetClientRect(form.hwnd(), &client);
  EXPECT_EQ(client.right, win::Twips(6480, dpi));
  EXPECT_EQ(client.bottom, win::Twips(3870, dpi));

  if (!form.HasBrowser()) GTEST_SKIP() << "the system has no browser control";
  HWND browser = FirstChild(form.hwnd());
  ASSERT_NE(browser, nullptr);
  RECT r = RectInParent(browser);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, client.right);
  EXPECT_EQ(r.bottom, client.bottom);

  // The control follows the window's size.
  ::SetWindowPos(form.hwnd(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  test::Pump();
  ::GetClientRect(form.hwnd(), &client);
  r = RectInParent(browser);
  EXPECT_EQ(r.right, client.right);
  EXPECT_EQ(r.bottom, client.bottom);
}

TEST(Form5, TheFirstCompletionShowsTheParagraphsUnderTheNewCaption) {
  Form5 form({false, nullptr});
  ASSERT_TRUE(form.Open(SW_SHOWNOACTIVATE));
  test::Pump();
  FakeDocument page({L"a", L"<b>b</b>", L""}), frame({L"z"});
  form.DocumentComplete(&page);
  EXPECT_EQ(CaptionOf(form.hwnd()), L"作者推荐");
  ASSERT_EQ(page.written.size(), 1u);
  EXPECT_EQ(page.written[0], L"a<p></p><b>b</b><p></p><p></p>");

  ::SetWindowTextW(form.hwnd(), L"x");
  form.DocumentComplete(&frame);
  EXPECT_EQ(CaptionOf(form.hwnd()), L"x");
  EXPECT_TRUE(frame.written.empty());
}

TEST(Form5, ClosingEndsTheProgramOnlyWhereItIsThePrograms) {
  {
    Form5 form({false, nullptr});
    ASSERT_TRUE(form.Open(SW_SHOWNOACTIVATE));
    ::SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.IsOpen());
    EXPECT_FALSE(QuitPosted());
  }
  Form5 program({true, nullptr});
  ASSERT_TRUE(program.Open(SW_SHOWNOACTIVATE));
  ::SendMessageW(program.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(program.IsOpen());
  EXPECT_TRUE(QuitPosted());
}
