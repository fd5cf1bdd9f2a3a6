#include "common/win/ansi.h"

#include "common/ini.h"
#include "common/win/handles.h"

#ifndef LOCALE_IUSEUTF8LEGACYACP
#define LOCALE_IUSEUTF8LEGACYACP 0x00000666
#endif

namespace nemba::win {

UINT AnsiCodePage() {
  static const UINT cp = [] {
    UINT acp = ::GetACP();
    if (acp != CP_UTF8) return acp;
    DWORD legacy = 0;
    if (::GetLocaleInfoEx(LOCALE_NAME_SYSTEM_DEFAULT, LOCALE_IUSEUTF8LEGACYACP | LOCALE_RETURN_NUMBER,
                          reinterpret_cast<LPWSTR>(&legacy), sizeof(legacy) / sizeof(wchar_t)) &&
        legacy != 0 && legacy != CP_UTF8)
      return static_cast<UINT>(legacy);
    if (::GetLocaleInfoEx(LOCALE_NAME_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                          reinterpret_cast<LPWSTR>(&legacy), sizeof(legacy) / sizeof(wchar_t)) &&
        legacy != 0 && legacy != CP_UTF8)
      return static_cast<UINT>(legacy);
    return 1252u;
  }();
  return cp;
}

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  int n = ::WideCharToMultiByte(AnsiCodePage(), 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(AnsiCodePage(), 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
  return out;
}

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = ::MultiByteToWideChar(AnsiCodePage(), 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(AnsiCodePage(), 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

namespace {
void SetError(DWORD* error, DWORD value) {
  if (error) *error = value;
}
}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path, DWORD* error) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    SetError(error, ::GetLastError());
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    SetError(error, ::GetLastError());
    return std::nullopt;
  }
  if (size.QuadPart > 0x7fffffff) {
    SetError(error, ERROR_FILE_TOO_LARGE);
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
      SetError(error, ::GetLastError());
      return std::nullopt;
    }
    if (got == 0) break;  // the file shrank under us
    done += got;
  }
  bytes.resize(done);
  SetError(error, ERROR_SUCCESS);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::string_view bytes, DWORD* error) {
  std::wstring temp = path + L".nemba-tmp";
  {
    UniqueFile file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) {
      SetError(error, ::GetLastError());
      return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
      DWORD wrote = 0;
      if (!::WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &wrote,
                       nullptr) ||
          wrote == 0) {
        DWORD e = ::GetLastError();
        file.reset();
        ::DeleteFileW(temp.c_str());
        SetError(error, e ? e : ERROR_WRITE_FAULT);
        return false;
      }
      done += wrote;
    }
  }
  if (!::MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DWORD e = ::GetLastError();
    ::DeleteFileW(temp.c_str());
    SetError(error, e);
    return false;
  }
  SetError(error, ERROR_SUCCESS);
  return true;
}

std::optional<std::wstring> ReadAnsiText(const std::wstring& path, DWORD* error) {
  auto bytes = ReadFileBytes(path, error);
  if (!bytes) return std::nullopt;
  return FromAnsi(*bytes);
}

bool WriteAnsiText(const std::wstring& path, std::wstring_view text, DWORD* error) {
  return WriteFileBytes(path, ToAnsi(text), error);
}

std::wstring IniRead(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                     std::wstring_view defaultValue) {
  auto text = ReadAnsiText(file);
  if (!text) return std::wstring(defaultValue);
  auto value = IniText(*text).Get(section, key);
  return value ? *value : std::wstring(defaultValue);
}

bool IniWrite(const std::wstring& file, std::wstring_view section, std::wstring_view key,
              std::wstring_view value) {
  DWORD error = 0;
  auto text = ReadAnsiText(file, &error);
  if (!text && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
  IniText ini(text ? *text : std::wstring());
  ini.Set(section, key, value);
  return WriteAnsiText(file, ini.Text());
}

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return L".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos) return L".";
  path.resize(slash);
  return path;
}

std::wstring CurrentFolder() {
  DWORD n = ::GetCurrentDirectoryW(0, nullptr);
  std::wstring s(n, L'\0');
  n = ::GetCurrentDirectoryW(n, s.data());
  s.resize(n);
  return s;
}

std::wstring ErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = L"未知错误";
  return text;
}

}  // namespace nemba::win
