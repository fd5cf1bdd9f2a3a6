// The shell's folder dialog as the manager uses it.
#pragma once

#include <string>

namespace nemba::manager {

// The chosen folder (without a trailing "\" except a drive root such as
// "D:\"), or "" when the user cancelled.
std::wstring BrowseFolder(const std::wstring& title);

}  // namespace nemba::manager
