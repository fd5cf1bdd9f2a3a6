#include "manager/paths.h"

namespace nemba::manager {

std::wstring GetDir(std::wstring_view path) {
  size_t k = path.rfind(L'\\');
  return k == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, k + 1));
}

std::wstring GetRelPath(std::wstring_view path) {
  size_t k = path.rfind(L'\\');
  return std::wstring(k == std::wstring_view::npos ? path : path.substr(k + 1));
}

std::wstring GetMidName(std::wstring_view path) {
  std::wstring name = GetRelPath(path);
  size_t d = name.rfind(L'.');
  if (d == std::wstring::npos) return name;
  name.resize(d);
  return name;
}

}  // namespace nemba::manager
