// Settings text in the Windows profile (INI) format, read and written the way
// the profile API does it. Platform-free: callers do the file I/O and the
// code-page conversion, so the bytes on disk stay ANSI whatever the system's
// code page is set to.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nemba {

class IniText {
 public:
  IniText() = default;
  explicit IniText(std::wstring_view text);

  // The value of the first matching key of the first matching section;
  // names compare without regard to ASCII letter case, blanks around the key
  // and the value do not count, and one pair of enclosing quotes is removed.
  std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;

  // Replaces the key's line, or adds it at the end of its section, or adds
  // the section at the end; other lines are kept as they were.
  void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  // The whole text, every line ended by CR LF.
  std::wstring Text() const;

 private:
  std::vector<std::wstring> lines_;
};

}  // namespace nemba
