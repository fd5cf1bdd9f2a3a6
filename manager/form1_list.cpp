// The commands that fill and edit the file list.
#include <cmath>
#include <unordered_set>

#include "common/text.h"
#include "common/win/clipboard.h"
#include "common/win/services.h"
#include "manager/form1.h"
#include "manager/form2.h"
#include "manager/form3.h"

namespace nemba::manager {
namespace {

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

}  // namespace

void Form1::WireListCommands() {
  Command7.onClick = [this] { Command7_Click(); };
  Command6.onClick = [this] { Command6_Click(); };
  Command10.onClick = [this] { Command10_Click(); };
  Command3.onClick = [this] { Command3_Click(); };
  Command11.onClick = [this] { Command11_Click(); };
  Command13.onClick = [this] { Command13_Click(); };
  Command2.onClick = [this] { Command2_Click(); };
  Command14.onClick = [this] { Command14_Click(); };
  Command1.onClick = [this] { Command1_Click(); };
  Command9.onClick = [this] { Command9_Click(); };
  Command12.onClick = [this] { Command12_Click(); };
  List1.onDropFiles = [this](std::vector<std::wstring> files) { List1_DropFiles(files); };
  OnMenu(ID_MNCOPYLIST, [this] { mnCopyList_Click(); });
  OnMenu(ID_MNPASTELIST, [this] { mnPasteList_Click(); });
  OnMenu(ID_MNCHECKWUXIAO, [this] { mnCheckWuXiao_Click(); });
  OnMenu(ID_MNMOVETO, [this] { mnMoveTo_Click(); });
  OnMenu(ID_MNCOPYTO, [this] { mnCopyTo_Click(); });
  OnMenu(ID_MNOPEN, [this] { mnOpen_Click(); });
  OnMenu(ID_MNRENAMELRC, [this] { mnRenameLrc_Click(); });
}

bool Form1::AddToList1(const std::wstring& text) {
  if (List1.Add(text) >= 0) return true;
  if (!listFullReported_) {
    listFullReported_ = true;
    Msg(L"文件列表已满（最多 32767 项），其余的文件没有加入。");
  }
  return false;
}

void Form1::Command7_Click() {
  int n = File1.Count();
  if (n == 0) {
    Msg(L"没有文件！");
    return;
  }
  BusyScope busy(*this);
  listFullReported_ = false;
  ShowProgressBar(static_cast<int16_t>(std::min(n, 32767)));
  win::EventPump pump;
  unsigned generation = File1.Generation();
  std::wstring folder = File1.Folder();
  List1.SetRedraw(false);
  for (int i = 0; i < n; ++i) {
    pump.Tick();
    if (!IsOpen()) return;
    if (File1.Generation() != generation) break;  // another folder was opened meanwhile
    if (File1.Selected(i) && !AddToList1(JoinPath(folder, File1.Item(i)))) break;
    ShowProgress();
  }
  List1.SetRedraw(true);
  UnShowProgressBar();
}

void Form1::Command6_Click() {
  int n = List1.Count();
  if (n == 0) {
    Msg(L"没有文件！");
    return;
  }
  ShowProgressBar(static_cast<int16_t>(n));
  std::vector<bool> remove(static_cast<size_t>(n));
  for (int i = n - 1; i >= 0; --i) {
    remove[static_cast<size_t>(i)] = List1.Checked(i);
    ShowProgress();
  }
  List1.RemoveWhere(remove);
  PanDuanList();
  UnShowProgressBar();
}

void Form1::Command10_Click() {
  List1.Clear();
  PanDuanList();
}

void Form1::Command3_Click() {
  ListSelFlag = !ListSelFlag;
  FileSelFlag = !FileSelFlag;
  if (ActiveList == 1) {
    BusyScope busy(*this);
    int n = List1.Count();
    ShowProgressBar(static_cast<int16_t>(n));
    win::EventPump pump;
    unsigned generation = List1.Generation();
    for (int i = 0; i < n; ++i) {
      pump.Tick();
      if (!IsOpen()) return;
      if (List1.Generation() != generation || i >= List1.Count()) break;
      List1.SetChecked(i, ListSelFlag);
      ShowProgress();
    }
    UnShowProgressBar();
  } else if (ActiveList == 2) {
    int n = File1.Count();
    ShowProgressBar(static_cast<int16_t>(n));
    File1.SetSelected(-1, FileSelFlag);  // every entry at once
    for (int i = 0; i < n; ++i) ShowProgress();
    UnShowProgressBar();
  }
}

void Form1::Command11_Click() {
  int current = List1.Current();
  if (current < 0) {
    Msg(L"没有文件或没选择文件！");
    return;
  }
  int count = List1.Count();
  std::wstring prompt = L"请输入索引，0是第一项，1是第二项，依此类推。\r\n现有" + std::to_wstring(count) +
                        L"项，现行选中项是：" + std::to_wstring(current);
  auto reply = win::Ui().input->Ask(hwnd(), prompt, L"输入", L"");
  if (!reply || reply->empty()) return;
  if (!IsOpen() || current >= List1.Count()) return;

  double wanted = std::nearbyint(LeadingNumber(*reply));  // halves go to the even neighbour
  std::wstring text = List1.Item(current);
  bool checked = List1.Checked(current);
  List1.Remove(current);
  int error = 0;
  std::wstring description;
  if (!(wanted >= -32768.0 && wanted <= 32767.0)) {
    error = 6;
    description = L"溢出";
  } else if (wanted < 0 || wanted > List1.Count()) {
    error = 5;
    description = L"无效的过程调用或参数";
  }
  if (error == 0) {
    int at = List1.Insert(static_cast<int>(wanted), text);
    List1.SetChecked(at, checked);
    List1.SetCurrent(at);
    return;
  }
  // Nothing may vanish from the list: the entry goes back where it was.
  int back = List1.Insert(current, text);
  List1.SetChecked(back, checked);
  List1.SetCurrent(back);
  Msg(std::to_wstring(error) + L"\r\n" + description);
  UnForbidCmd();
}

void Form1::Command13_Click() {
  int n = List1.Count();
  if (n == 0) {
    Msg(L"没有文件！");
  } else {
    win::DoEvents();
    if (!IsOpen()) return;
    n = List1.Count();
    ShowProgressBar(static_cast<int16_t>(n));
    // Of each group of equal entries the last one stays: walk from the end
    // and drop what was already seen. One pass instead of comparing pairs.
    std::vector<std::wstring> items = List1.Items();
    std::unordered_set<std::wstring> seen;
    seen.reserve(items.size());
    std::vector<bool> remove(items.size());
    for (size_t i = items.size(); i-- > 0;) remove[i] = !seen.insert(items[i]).second;
    List1.RemoveWhere(remove);
    for (int i = 0; i < n; ++i) ShowProgress();
    UnShowProgressBar();
  }
  PanDuanList();
}

void Form1::List1_DropFiles(const std::vector<std::wstring>& files) {
  BusyScope busy(*this);
  listFullReported_ = false;
  win::EventPump pump;
  List1.SetRedraw(false);
  for (const auto& f : files) {
    pump.Tick();
    if (!IsOpen()) return;
    if (!AddToList1(f)) break;
  }
  List1.SetRedraw(true);
}

void Form1::mnCopyList_Click() {
  std::wstring text;
  if (ActiveList == 1) {
    if (GetSelCounts() == 0) {
      Msg(L"没有选中文件！", MB_OK | MB_ICONINFORMATION, L"提示");
      return;
    }
    int n = List1.Count();
    ShowProgressBar(static_cast<int16_t>(n));
    for (int i = 0; i < n; ++i) {
      if (List1.Checked(i)) text += List1.Item(i) + L"\r\n";
      ShowProgress();
    }
  } else if (ActiveList == 2) {
    int n = File1.Count();
    if (n == 0 || File1.SelectedCount() == 0) {
      Msg(L"没有或没选中文件！");
      return;
    }
    ShowProgressBar(static_cast<int16_t>(n));
    for (int i = 0; i < n; ++i) {
      if (File1.Selected(i)) text += CurFolder + File1.Item(i) + L"\r\n";
      ShowProgress();
    }
  } else {
    return;
  }
  if (!win::SetClipboardText(hwnd(), text)) Msg(L"无法写入剪贴板，请稍后再试。", MB_OK | MB_ICONEXCLAMATION);
  UnShowProgressBar();
}

void Form1::mnPasteList_Click() {
  auto text = win::GetClipboardText(hwnd());
  if (text && !text->empty()) {
    BusyScope busy(*this);
    listFullReported_ = false;
    std::vector<std::wstring> lines = SplitCrLf(*text);
    ShowProgressBar(static_cast<int16_t>(std::min<size_t>(lines.size(), 32767)));
    List1.SetRedraw(false);
    win::EventPump pump(100);
    for (const auto& line : lines) {
      pump.Tick();
      if (!IsOpen()) return;
      if (!line.empty() && !AddToList1(line)) break;
      ShowProgress();
    }
    List1.SetRedraw(true);
    Command13_Click();
    UnShowProgressBar();
  }
  PanDuanList();
}

void Form1::Command12_Click() {
  if (form2_ && form2_->IsOpen()) {
    ::SetForegroundWindow(form2_->hwnd());
    return;
  }
  form2_ = std::make_unique<Form2>(*this);
  if (!form2_->Open(hwnd())) form2_.reset();
}

Form2* Form1::FindDialog() const { return form2_ && form2_->IsOpen() ? form2_.get() : nullptr; }

void Form1::mnRenameLrc_Click() {
  if (!form3_) form3_ = std::make_unique<Form3>(*this);
  form3_->ShowModal();
}

}  // namespace nemba::manager
