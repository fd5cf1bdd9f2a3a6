#include "tests/support/windows_fixture.h"

#include <atomic>
#include <stdexcept>

#include "common/win/ansi.h"

namespace nemba::test {
namespace {
std::atomic<unsigned> g_counter{0};

std::wstring TempRoot() {
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD n = ::GetTempPathW(MAX_PATH + 1, buffer);
  std::wstring s(buffer, n);
  while (!s.empty() && s.back() == L'\\') s.pop_back();
  return s;
}
}  // namespace

TempDir::TempDir() : TempDir(TempRoot()) {}

TempDir::TempDir(const std::wstring& parent) {
  for (;;) {
    path_ = parent + L"\\nemba测试-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(g_counter++);
    if (::CreateDirectoryW(path_.c_str(), nullptr)) return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary folder");
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((path + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = path + L"\\" + name;
      ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(full);
      else
        ::DeleteFileW(full.c_str());
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectoryW(path.c_str());
}

void MakeDir(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  if (slash != std::wstring::npos && slash > 2) {
    std::wstring parent = path.substr(0, slash);
    if (::GetFileAttributesW(parent.c_str()) == INVALID_FILE_ATTRIBUTES) MakeDir(parent);
  }
  ::CreateDirectoryW(path.c_str(), nullptr);
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
  size_t slash = path.rfind(L'\\');
  if (slash != std::wstring::npos) MakeDir(path.substr(0, slash));
  HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a test file");
  DWORD wrote = 0;
  ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  ::CloseHandle(h);
}

std::string ReadBytes(const std::wstring& path) {
  auto bytes = win::ReadFileBytes(path);
  return bytes ? *bytes : std::string();
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Pump() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

std::wstring TestDriveRoot(wchar_t letter) {
  wchar_t root[] = {letter, L':', L'\\', 0};
  if (!(::GetLogicalDrives() & (1u << (letter - L'A')))) return {};
  DWORD a = ::GetFileAttributesW(root);
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return {};
  return root;
}

std::string Ansi(std::wstring_view text) { return win::ToAnsi(text); }

}  // namespace nemba::test
