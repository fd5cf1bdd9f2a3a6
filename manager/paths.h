// How the manager cuts full paths. Callers join the results with other
// strings directly, so the separators kept here matter.
#pragma once

#include <string>
#include <string_view>

namespace nemba::manager {

// The folder part with its trailing "\"; "" when there is no "\".
std::wstring GetDir(std::wstring_view path);

// Everything after the last "\"; the whole path when there is none.
std::wstring GetRelPath(std::wstring_view path);

// The file name without its last extension. A name without any "." is
// returned whole.
std::wstring GetMidName(std::wstring_view path);

}  // namespace nemba::manager
