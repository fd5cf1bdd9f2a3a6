// Plain text on the clipboard.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace nemba::win {

// The clipboard's text, or nothing when it holds no text or cannot be opened.
std::optional<std::wstring> GetClipboardText(HWND owner);
// Puts `text` on the clipboard in place of what was there; false on failure.
bool SetClipboardText(HWND owner, const std::wstring& text);

}  // namespace nemba::win
