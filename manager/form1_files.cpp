// The commands that act on the files themselves: invalid lyrics, deleting,
// moving, copying and opening.
#include <unordered_map>
#include <unordered_set>

#include "common/win/ansi.h"
#include "common/win/services.h"
#include "manager/form1.h"
#include "manager/module1.h"
#include "manager/paths.h"

namespace nemba::manager {
namespace {

std::wstring Upper(std::wstring s) {
  if (!s.empty()) ::CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

// Which normal files (not folders, neither hidden nor system) each folder
// holds, read once per folder for one command: a lookup per file scans the
// whole folder on file systems without case folding (Wine), and costs a round
// trip on network folders.
class NormalFiles {
 public:
  bool Exists(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos || slash + 1 == path.size()) return false;
    std::wstring name = path.substr(slash + 1);
    if (name.find_first_of(L"*?") != std::wstring::npos) return false;
    auto& names = Folder(Upper(path.substr(0, slash + 1)));
    return names.count(Upper(std::move(name))) != 0;
  }

 private:
  const std::unordered_set<std::wstring>& Folder(const std::wstring& folder) {
    auto it = folders_.find(folder);
    if (it != folders_.end()) return it->second;
    std::unordered_set<std::wstring>& names = folders_[folder];
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                  FIND_FIRST_EX_LARGE_FETCH);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        if (!(fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
          names.insert(Upper(fd.cFileName));
      } while (::FindNextFileW(h, &fd));
      ::FindClose(h);
    }
    return names;
  }
  std::unordered_map<std::wstring, std::unordered_set<std::wstring>> folders_;
};

std::wstring BaseOf(const std::wstring& entry) { return GetDir(entry) + GetMidName(entry); }

bool IsInvalidLyrics(NormalFiles& files, const std::wstring& entry) {
  std::wstring base = BaseOf(entry);
  return !files.Exists(base + L".mp3") && !files.Exists(base + L".wma");
}

std::wstring ErrorMessage(DWORD error) { return std::to_wstring(error) + L"\r\n" + win::ErrorText(error); }

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// The first failure of a move or copy and how many there were.
struct Failures {
  int count = 0;
  std::wstring first;
  void Add(const std::wstring& path, const std::wstring& why) {
    if (count++ == 0) first = path + L"\r\n" + why;
  }
};

bool Transfer(bool move, const std::wstring& from, const std::wstring& to, Failures& failures) {
  if (SamePath(from, to)) {
    failures.Add(from, L"目标文件夹就是文件所在的文件夹。");
    return false;
  }
  BOOL ok = move ? ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_COPY_ALLOWED)
                 : ::CopyFileW(from.c_str(), to.c_str(), FALSE);
  if (!ok) {
    DWORD e = ::GetLastError();
    failures.Add(from, std::to_wstring(e) + L" " + win::ErrorText(e));
  }
  return ok != FALSE;
}

}  // namespace

void Form1::mnCheckWuXiao_Click() {
  if (List1.Count() == 0) return;
  BusyScope busy(*this);
  win::EventPump pump;
  NormalFiles files;
  unsigned generation = List1.Generation();
  for (int i = 0, n = List1.Count(); i < n; ++i) {
    pump.Tick();
    if (!IsOpen()) return;
    if (List1.Generation() != generation || i >= List1.Count()) break;
    // An entry that cannot be tested (no such drive, no name) has no song
    // file to be found, so it is marked like any other without one.
    List1.SetChecked(i, IsInvalidLyrics(files, List1.Item(i)));
  }
}

void Form1::Command2_Click() {
  int n = List1.Count();
  if (n == 0) {
    Msg(L"列表里没有项目！");
    return;
  }
  BusyScope busy(*this);
  ForbidCmd();
  ShowProgressBar(static_cast<int16_t>(n));
  win::EventPump pump;
  NormalFiles files;  // song files: deleting lyrics does not change them
  for (int i = n - 1; i >= 0; --i) {
    pump.Tick();
    if (!IsOpen()) return;
    if (i >= List1.Count()) continue;  // only appends can happen meanwhile
    std::wstring entry = List1.Item(i);
    if (IsInvalidLyrics(files, entry)) {
      bool checked = List1.Checked(i);
      List1.Remove(i);
      if (!::DeleteFileW((BaseOf(entry) + L".lrc").c_str())) {
        DWORD e = ::GetLastError();
        // The file is still there, so is its entry.
        int back = List1.Insert(i, entry);
        List1.SetChecked(back, checked);
        UnShowProgressBar();
        Msg(ErrorMessage(e));
        UnForbidCmd();
        return;
      }
    }
    ShowProgress();
  }
  Msg(L"OK!", MB_OK | MB_ICONINFORMATION, L"提示");
  File1.Refresh();
  UnShowProgressBar();
  PanDuanList();
  UnForbidCmd();
}

void Form1::Command14_Click() {
  int n = List1.Count();
  if (n == 0) {
    Msg(L"没有文件！");
    PanDuanList();
    return;
  }
  BusyScope busy(*this);
  ShowProgressBar(static_cast<int16_t>(n));
  std::vector<std::wstring> items = List1.Items();
  unsigned generation = List1.Generation();
  std::vector<bool> remove(items.size());
  win::EventPump pump;
  NormalFiles files;
  for (size_t i = items.size(); i-- > 0;) {
    pump.Tick();
    if (!IsOpen()) return;
    remove[i] = !files.Exists(items[i]);
    ShowProgress();
  }
  if (List1.Generation() == generation) {
    List1.RemoveWhere(remove);
  } else {
    // The list changed meanwhile: remove only entries still where they were.
    for (size_t i = items.size(); i-- > 0;)
      if (remove[i] && static_cast<int>(i) < List1.Count() && List1.Item(static_cast<int>(i)) == items[i])
        List1.Remove(static_cast<int>(i));
  }
  ::InvalidateRect(List1.hwnd(), nullptr, TRUE);
  UnShowProgressBar();
  PanDuanList();
}

void Form1::Command1_Click() {
  if (Msg(L"文件删除后不可恢复，是否继续？", MB_YESNO | MB_ICONQUESTION, L"询问：") != IDYES) return;
  DWORD firstError = ERROR_SUCCESS;
  if (ActiveList == 1) {
    if (List1.Count() == 0) {
      Msg(L"没有文件！");
      return;
    }
    for (int i = List1.Count() - 1; i >= 0; --i) {
      if (!List1.Checked(i)) continue;
      if (!::DeleteFileW(List1.Item(i).c_str())) {
        DWORD e = ::GetLastError();
        if (e != ERROR_FILE_NOT_FOUND && e != ERROR_PATH_NOT_FOUND) {
          if (firstError == ERROR_SUCCESS) firstError = e;
          continue;  // still on disk: the entry stays, still selected
        }
      }
      List1.Remove(i);
    }
  } else if (ActiveList == 2) {
    if (File1.Count() == 0) {
      Msg(L"没有文件！");
      return;
    }
    for (int i = File1.Count() - 1; i >= 0; --i) {
      if (File1.Selected(i) && !::DeleteFileW((CurFolder + File1.Item(i)).c_str())) {
        DWORD e = ::GetLastError();
        if (firstError == ERROR_SUCCESS && e != ERROR_FILE_NOT_FOUND) firstError = e;
      }
    }
    File1.Refresh();
  } else {
    return;
  }
  if (firstError != ERROR_SUCCESS)
    Msg(ErrorMessage(firstError));
  else
    Msg(L"OK！", MB_OK | MB_ICONINFORMATION, L"提示：");
  File1.Refresh();
  PanDuanList();
}

void Form1::MoveOrCopyTo(bool move) {
  std::wstring target = BrowseFolder(L"请选择文件夹");
  if (target.empty() || target.back() != L'\\') target += L'\\';
  if (target == L"\\") return;

  BusyScope busy(*this);
  ForbidCmd();
  Failures failures;
  bool worked = false;
  if (ActiveList == 1) {
    if (GetSelCounts() == 0) {
      Msg(L"文件列表里没有文件或没选中文件！");
    } else {
      int n = List1.Count();
      ShowProgressBar(static_cast<int16_t>(n));
      win::EventPump pump;
      for (int i = 0; i < n; ++i) {
        pump.Tick();
        if (!IsOpen()) return;
        if (i >= List1.Count()) break;
        if (List1.Checked(i)) {
          std::wstring source = List1.Item(i);
          std::wstring to = target + GetRelPath(source);
          if (Transfer(move, source, to, failures) && move) {
            // The entry follows its file only when the file really moved.
            bool checked = List1.Checked(i);
            bool current = List1.Current() == i;
            List1.Remove(i);
            List1.Insert(i, to);
            List1.SetChecked(i, checked);
            if (current) List1.SetCurrent(i);
          }
        }
        ShowProgress();
      }
      worked = true;
    }
  } else if (ActiveList == 2) {
    int n = File1.Count();
    if (n == 0 || File1.SelectedCount() == 0) {
      Msg(L"预览列表里没有文件或没选中文件！");
    } else {
      ShowProgressBar(static_cast<int16_t>(n));
      for (int i = 0; i < n; ++i) {
        if (File1.Selected(i)) Transfer(move, CurFolder + File1.Item(i), target + File1.Item(i), failures);
        ShowProgress();
      }
      if (move) File1.Refresh();
      worked = true;
    }
  }
  if (worked) {
    if (failures.count == 0)
      Msg(L"Ok!");
    else
      Msg(L"有 " + std::to_wstring(failures.count) +
              (move ? L" 个文件没能移动，第一个是：\r\n" : L" 个文件没能复制，第一个是：\r\n") + failures.first,
          MB_OK | MB_ICONEXCLAMATION);
  }
  UnForbidCmd();
  UnShowProgressBar();
  Command8_Click();
}

void Form1::mnOpen_Click() {
  std::wstring path;
  if (ActiveList == 1) {
    int i = List1.Current();
    if (i < 0) {
      Msg(L"No list or not select!");
      return;
    }
    path = List1.Item(i);
  } else if (ActiveList == 2) {
    int i = File1.Current();
    if (i < 0) {
      Msg(L"No file or not select!");
      return;
    }
    path = CurFolder + File1.Item(i);
  } else {
    return;
  }
  // Quoted, so paths with blanks or commas open the right file.
  win::Ui().launcher->Run(L"explorer \"" + path + L"\"", SW_SHOWMINIMIZED);
}

void Form1::Command9_Click() {
  if (List1.Count() == 0) {
    Msg(L"列表里没有项目！");
    return;
  }
  int i = List1.Current();
  if (i < 0) {
    Msg(L"没有选择文件！");
    return;
  }
  OpenFolderAndSetFileFocus(List1.Item(i));
}

}  // namespace nemba::manager
