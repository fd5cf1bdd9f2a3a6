#include "manager/form2.h"

#include <string>

#include "manager/form1.h"

namespace nemba::manager {
namespace {
constexpr wchar_t kClassName[] = L"Nemba.LyricsManager.Form2";
enum { kText1 = 101, kCommand1, kLabel1, kCheck1, kCheck2 };
}  // namespace

bool Form2::Open(HWND owner) {
  int dpi = win::ScreenDpi();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  ClassOptions cls{kClassName, win::ProgramIcon(false), win::ProgramIcon(true)};
  RECT bounds = win::CentredWindowRect(win::Twips(4815, dpi), win::Twips(1575, dpi), style, false);
  if (!Create(cls, style, 0, kForm2Caption, bounds, owner, nullptr)) return false;
  font_ = win::MakeUiFont(9, dpi);
  auto at = [dpi](int l, int t, int w, int h) { return win::TwipsRect(l, t, w, h, dpi); };
  Text1.Create(hwnd(), kText1, L"", at(120, 120, 3375, 375));
  Command1.Create(hwnd(), kCommand1, L"查找", at(3600, 120, 1095, 375));
  Label1.Create(hwnd(), kLabel1, L"", at(120, 600, 3375, 735));
  Check1.Create(hwnd(), kCheck1, L"文件列表", at(3600, 600, 1095, 375), true);
  Check2.Create(hwnd(), kCheck2, L"预览列表", at(3600, 1080, 1095, 375), true);
  for (win::Control* c : std::initializer_list<win::Control*>{&Text1, &Command1, &Label1, &Check1, &Check2})
    c->SetFont(font_.get());
  Command1.onClick = [this] { Command1_Click(); };
  Text1.onKeyPress = [this](wchar_t k) { return Text1_KeyPress(k); };
  win::AddKeyboardNavigation(hwnd());
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  Text1.Focus();
  return true;
}

void Form2::Command1_Click() {
  // Wider than 16 bits: both lists together can hold more than 32,767 hits.
  long hits = 0;
  std::wstring text = Text1.Text();
  // Marks the matching entries of one list; false when a window went away.
  auto search = [&](auto& list, auto mark) {
    int n = list.Count();
    main_.ShowProgressBar(static_cast<int16_t>(n));
    win::EventPump pump;
    unsigned generation = list.Generation();
    for (int i = 0; i < n; ++i) {
      pump.Tick();
      if (!IsOpen() || !main_.IsOpen()) return false;
      if (list.Generation() != generation || i >= list.Count()) break;  // the list changed meanwhile
      bool match = list.Item(i).find(text) != std::wstring::npos;
      mark(i, match);
      if (match) ++hits;
      main_.ShowProgress();
    }
    return true;
  };
  if (!text.empty() && Check1.Ticked() &&
      !search(main_.List1, [this](int i, bool on) { main_.List1.SetChecked(i, on); }))
    return;
  if (!text.empty() && Check2.Ticked() &&
      !search(main_.File1, [this](int i, bool on) { main_.File1.SetSelected(i, on); }))
    return;
  main_.UnShowProgressBar();
  Label1.SetText(L"共找到 " + std::to_wstring(hits) + L" 个项目，已将它们标记。");
}

bool Form2::Text1_KeyPress(wchar_t key) {
  if (key == L'\r') Command1_Click();
  return false;  // the box still gets the key
}

}  // namespace nemba::manager
