// Helpers for tests on real windows and real folders under Wine or Windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace nemba::test {

// A fresh folder under the temporary folder, removed with all it holds.
class TempDir {
 public:
  TempDir();
  explicit TempDir(const std::wstring& parent);
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  // The folder, without a trailing "\".
  const std::wstring& path() const { return path_; }
  std::wstring operator/(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

 private:
  std::wstring path_;
};

void RemoveTree(const std::wstring& path);
// Writes the bytes as the whole file (creating folders on the way).
void WriteBytes(const std::wstring& path, std::string_view bytes);
void MakeDir(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);

// Runs the waiting messages.
void Pump();

// The root ("T:\") of a test drive the test script maps, or "" when the drive
// is not there (on a plain Windows, say).
std::wstring TestDriveRoot(wchar_t letter);

// A UTF-8 literal in the ANSI code page's bytes, for file contents.
std::string Ansi(std::wstring_view text);

}  // namespace nemba::test
