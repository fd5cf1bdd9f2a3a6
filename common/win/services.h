// What the programs ask of the user and of the shell goes through these small
// interfaces: the real ones call Windows, and tests put in scripted ones that
// answer and record, so no test ever waits on a dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace nemba::win {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // `type` is the MessageBox flags (buttons and icon); returns the answer (IDOK, IDYES, ...).
  virtual int Show(HWND owner, const std::wstring& text, const std::wstring& title, UINT type) = 0;
};

class InputBoxes {
 public:
  virtual ~InputBoxes() = default;
  // The text entered, or nothing when cancelled.
  virtual std::optional<std::wstring> Ask(HWND owner, const std::wstring& prompt, const std::wstring& title,
                                          const std::wstring& initial) = 0;
};

class FolderDialogs {
 public:
  virtual ~FolderDialogs() = default;
  // The shell's folder dialog with the given BROWSEINFO flags: the chosen
  // folder's path, or "" when cancelled or when it has no file-system path.
  virtual std::wstring Browse(HWND owner, const std::wstring& title, UINT flags) = 0;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts a command line, as WinExec does; false when it could not start.
  virtual bool Run(const std::wstring& commandLine, int show) = 0;
  // Opens the folder holding `path` in a shell window with the file selected.
  virtual bool ShowInFolder(const std::wstring& path) = 0;
};

struct Services {
  MessageBoxes* messages;
  InputBoxes* input;
  FolderDialogs* folders;
  Launcher* launcher;
};

// The services in use: the real ones unless a test installed others.
Services& Ui();

// Puts other services in place for the scope.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& replacement) : saved_(Ui()) { Ui() = replacement; }
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;
  ~ScopedServices() { Ui() = saved_; }

 private:
  Services saved_;
};

}  // namespace nemba::win
