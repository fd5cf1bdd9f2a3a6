// Scripted stand-ins for the dialogs and the shell: they answer from a script
// and record every call, so tests assert each text and never wait on a dialog.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "common/win/services.h"

namespace nemba::test {

struct MessageCall {
  std::wstring text, title;
  UINT type;
  UINT buttons() const { return type & MB_TYPEMASK; }
  UINT icon() const { return type & MB_ICONMASK; }
};
struct InputCall {
  std::wstring prompt, title, initial;
};
struct FolderCall {
  std::wstring title;
  UINT flags;
};
struct RunCall {
  std::wstring commandLine;
  int show;
};

class ScriptedUi final : public win::MessageBoxes,
                         public win::InputBoxes,
                         public win::FolderDialogs,
                         public win::Launcher {
 public:
  ScriptedUi() : scope_(win::Services{this, this, this, this}) {}

  // Answers, used in order; when one runs out the safe default is given:
  // the first button of the box, Cancel for input, "" for a folder.
  std::deque<int> messageAnswers;
  std::deque<std::optional<std::wstring>> inputAnswers;
  std::deque<std::wstring> folderAnswers;
  bool runSucceeds = true;
  bool showInFolderSucceeds = true;

  std::vector<MessageCall> messages;
  std::vector<InputCall> inputs;
  std::vector<FolderCall> folders;
  std::vector<RunCall> runs;
  std::vector<std::wstring> shownInFolder;

  int Show(HWND, const std::wstring& text, const std::wstring& title, UINT type) override {
    messages.push_back({text, title, type});
    if (!messageAnswers.empty()) {
      int a = messageAnswers.front();
      messageAnswers.pop_front();
      return a;
    }
    switch (type & MB_TYPEMASK) {
      case MB_YESNO:
      case MB_YESNOCANCEL: return IDYES;
      case MB_RETRYCANCEL: return IDRETRY;
      case MB_ABORTRETRYIGNORE: return IDABORT;
      default: return IDOK;
    }
  }
  std::optional<std::wstring> Ask(HWND, const std::wstring& prompt, const std::wstring& title,
                                  const std::wstring& initial) override {
    inputs.push_back({prompt, title, initial});
    if (inputAnswers.empty()) return std::nullopt;
    auto a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
  }
  std::wstring Browse(HWND, const std::wstring& title, UINT flags) override {
    folders.push_back({title, flags});
    if (folderAnswers.empty()) return {};
    auto a = folderAnswers.front();
    folderAnswers.pop_front();
    return a;
  }
  bool Run(const std::wstring& commandLine, int show) override {
    runs.push_back({commandLine, show});
    return runSucceeds;
  }
  bool ShowInFolder(const std::wstring& path) override {
    shownInFolder.push_back(path);
    return showInFolderSucceeds;
  }

 private:
  win::ScopedServices scope_;
};

}  // namespace nemba::test
