// Text files in the ANSI code page, and the settings files built on them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace nemba::win {

// The ANSI code page the programs read and write files in. Where Windows is
// set to use UTF-8 as its ANSI code page, the system locale's legacy code page
// is used instead, so existing GBK files stay readable.
UINT AnsiCodePage();

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);

// Whole-file byte I/O. On failure the Windows error code is returned in *error.
std::optional<std::string> ReadFileBytes(const std::wstring& path, DWORD* error = nullptr);
// Writes through a temporary file beside the target, so a failed write (a full
// disk, say) never leaves the old file half overwritten.
bool WriteFileBytes(const std::wstring& path, std::string_view bytes, DWORD* error = nullptr);

std::optional<std::wstring> ReadAnsiText(const std::wstring& path, DWORD* error = nullptr);
bool WriteAnsiText(const std::wstring& path, std::wstring_view text, DWORD* error = nullptr);

// Profile-style settings, stored as ANSI text.
std::wstring IniRead(const std::wstring& file, std::wstring_view section, std::wstring_view key,
                     std::wstring_view defaultValue);
bool IniWrite(const std::wstring& file, std::wstring_view section, std::wstring_view key,
              std::wstring_view value);

// The folder of the running program, without a trailing "\".
std::wstring ProgramFolder();

// The process's current folder.
std::wstring CurrentFolder();

// The system's description of an error code, without the trailing line break.
std::wstring ErrorText(DWORD error);

}  // namespace nemba::win
