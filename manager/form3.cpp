#include "manager/form3.h"

#include "common/lyrics.h"
#include "common/win/ansi.h"
#include "manager/form1.h"
#include "manager/paths.h"

namespace nemba::manager {
namespace {

constexpr wchar_t kClassName[] = L"Nemba.LyricsManager.Form3";
enum { kLabel1 = 101, kCombo1, kLabel2, kText1, kCommand1, kList1 };

std::wstring ReplaceAll(std::wstring s, std::wstring_view from, std::wstring_view to) {
  for (size_t at = s.find(from); at != std::wstring::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

std::vector<std::wstring> SplitAmpersand(const std::wstring& s) {
  std::vector<std::wstring> pieces;
  if (s.empty()) return pieces;
  size_t start = 0;
  for (;;) {
    size_t at = s.find(L'&', start);
    pieces.push_back(s.substr(start, at == std::wstring::npos ? std::wstring::npos : at - start));
    if (at == std::wstring::npos) return pieces;
    start = at + 1;
  }
}

}  // namespace

bool Form3::Build() {
  int dpi = win::ScreenDpi();
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  ClassOptions cls{kClassName, win::ProgramIcon(false), win::ProgramIcon(true)};
  RECT r = win::CentredWindowRect(win::Twips(3015, dpi), win::Twips(1740, dpi), style, false);
  if (!Create(cls, style, WS_EX_DLGMODALFRAME, kForm3Caption, r, main_.hwnd(), nullptr)) return false;
  font_ = win::MakeUiFont(9, dpi);
  auto at = [dpi](int l, int t, int w, int h) { return win::TwipsRect(l, t, w, h, dpi); };
  Label1.Create(hwnd(), kLabel1, L"格式：", at(120, 120, 615, 255));
  Combo1.Create(hwnd(), kCombo1, at(1080, 120, 1815, 300));
  Label2.Create(hwnd(), kLabel2, L"多个歌手时分隔符", at(120, 480, 855, 375));
  Text1.Create(hwnd(), kText1, L" - ", at(1080, 585, 1335, 270));
  Command1.Create(hwnd(), kCommand1, L"开始", at(840, 1080, 1335, 495));
  List1.Create(hwnd(), kList1, at(2520, 840, 375, 780));
  List1.SetVisible(false);
  List1.SetEnabled(false);
  for (win::Control* c : std::initializer_list<win::Control*>{&Label1, &Combo1, &Label2, &Text1, &Command1, &List1})
    c->SetFont(font_.get());
  for (const wchar_t* f : {L"歌名", L"歌手", L"歌名-歌手", L"跟随歌曲!"}) Combo1.Add(f);
  Combo1.SetIndex(0);
  Command1.onClick = [this] { Command1_Click(); };
  return true;
}

bool Form3::Show() {
  if (!IsOpen() && !Build()) return false;
  RememberedFolder = main_.File1.Folder();
  // Centred on the main window.
  RECT owner{}, self{};
  ::GetWindowRect(main_.hwnd(), &owner);
  ::GetWindowRect(hwnd(), &self);
  int w = self.right - self.left, h = self.bottom - self.top;
  ::SetWindowPos(hwnd(), nullptr, (owner.left + owner.right - w) / 2, (owner.top + owner.bottom - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::EnableWindow(main_.hwnd(), FALSE);
  win::AddKeyboardNavigation(hwnd());
  ::ShowWindow(hwnd(), SW_SHOW);
  return true;
}

void Form3::ShowModal() {
  if (!Show()) return;
  MSG msg;
  while (IsOpen() && ::IsWindowVisible(hwnd())) {
    BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) {
      if (r == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!win::PreTranslate(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

void Form3::Hide() {
  if (!IsOpen()) return;
  ::EnableWindow(main_.hwnd(), TRUE);  // before hiding, so the focus goes back to it
  ::ShowWindow(hwnd(), SW_HIDE);
  win::RemoveKeyboardNavigation(hwnd());
}

LRESULT Form3::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {  // the close box only hides: the settings stay for the run
    Hide();
    return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

void Form3::Command1_Click() {
  Separator = Text1.Text();
  RenameLrc(static_cast<int16_t>(Combo1.Index()));
}

void Form3::RenameLrc(int16_t format) {
  if (main_.GetSelCounts() == 0) {
    main_.Msg(L"No list or not select!");
  } else {
    BusyScope busy(main_);
    int n = main_.List1.Count();
    main_.ShowProgressBar(static_cast<int16_t>(n));
    List1.Clear();
    win::EventPump pump;
    for (int i = 0; i < n; ++i) {
      pump.Tick();
      if (!IsOpen() || !main_.IsOpen()) return;
      if (i < main_.List1.Count() && main_.List1.Checked(i)) RenameOne(i, format);
      main_.ShowProgress();
    }
    main_.Msg(L"重命名完成！", MB_OK | MB_ICONINFORMATION, L"提示");
    main_.UnShowProgressBar();
  }
  Hide();
  main_.File1.SetPattern(main_.Text5.Text());
  main_.File1.SetFolder(RememberedFolder);
}

void Form3::RenameOne(int index, int16_t format) {
  std::wstring path = main_.List1.Item(index);
  auto bytes = win::ReadFileBytes(path);
  if (!bytes) return;  // cannot be read: skipped, still selected
  std::wstring text = JoinLinesCrLf(DecodeText(*bytes, [](std::string_view b) { return win::FromAnsi(b); }));
  auto title = TagValue(text, L"[ti:");
  auto singer = TagValue(text, L"[ar:");
  std::wstring folder = GetDir(path);

  if (format >= 0 && format <= 2) {
    // A missing or empty tag leaves the file as it is.
    if ((format != 1 && (!title || title->empty())) || (format != 0 && (!singer || singer->empty()))) return;
    std::wstring rewritten = singer ? ReplaceAll(*singer, L"&", Separator) : std::wstring();
    std::wstring name = format == 0 ? *title : format == 1 ? rewritten : *title + Separator + rewritten;
    // Tag text is used as a name only when it cannot reach another folder or a device.
    if (!IsSafeFileName(name + L".lrc")) return;
    Rename(index, path, folder + name + L".lrc");
    return;
  }
  if (format != 3 || !title || title->empty()) return;

  win::FileList& songs = main_.File1;
  songs.SetPattern(L"*.mp3;*.wma");
  songs.SetFolder(folder);
  if (songs.Count() == 0) return;
  List1.Clear();
  win::EventPump pump;
  for (int i = 0; i < songs.Count(); ++i) {
    pump.Tick();
    std::wstring name = songs.Item(i);
    if (name.find(*title) != std::wstring::npos) List1.Add(name);
  }
  if (List1.Count() > 0 && singer) {
    for (const auto& piece : SplitAmpersand(*singer)) {
      pump.Tick();
      for (int c = List1.Count() - 1; c >= 0; --c) {
        pump.Tick();
        if (List1.Item(c).find(piece) == std::wstring::npos) List1.Remove(c);
      }
      if (List1.Count() == 0) break;
    }
  }
  if (List1.Count() == 0) return;
  std::wstring song = List1.Item(0);
  Rename(index, path, folder + song.substr(0, song.rfind(L'.') + 1) + L"lrc");
}

void Form3::Rename(int index, const std::wstring& path, const std::wstring& newPath) {
  if (path != newPath && !::MoveFileW(path.c_str(), newPath.c_str())) return;  // refused: entry as it was
  win::CheckList& list = main_.List1;
  bool current = list.Current() == index;
  list.Remove(index);
  list.Insert(index, newPath);
  if (current) list.SetCurrent(index);
}

}  // namespace nemba::manager
