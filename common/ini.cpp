#include "common/ini.h"

#include "common/text.h"

namespace nemba {
namespace {

std::wstring_view TrimBlanks(std::wstring_view s) {
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  return FoldAscii(a) == FoldAscii(b);
}

// The section name of a "[name]" line, or nothing for other lines.
std::optional<std::wstring_view> SectionOf(std::wstring_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != L'[') return std::nullopt;
  size_t close = line.find(L']');
  std::wstring_view name = line.substr(1, close == std::wstring_view::npos ? line.size() - 1 : close - 1);
  return TrimBlanks(name);
}

bool KeyOf(std::wstring_view line, std::wstring_view& key, std::wstring_view& value) {
  size_t eq = line.find(L'=');
  if (eq == std::wstring_view::npos) return false;
  key = TrimBlanks(line.substr(0, eq));
  value = TrimBlanks(line.substr(eq + 1));
  return true;
}

}  // namespace

IniText::IniText(std::wstring_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    start = end + 1;
  }
}

std::optional<std::wstring> IniText::Get(std::wstring_view section, std::wstring_view key) const {
  bool inSection = false;
  for (const auto& line : lines_) {
    if (auto name = SectionOf(line)) {
      if (inSection) return std::nullopt;  // only the first matching section counts
      inSection = SameName(*name, section);
      continue;
    }
    std::wstring_view k, v;
    if (inSection && KeyOf(line, k, v) && SameName(k, key)) {
      if (v.size() >= 2 && (v.front() == L'"' || v.front() == L'\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
      return std::wstring(v);
    }
  }
  return std::nullopt;
}

void IniText::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  std::wstring newLine = std::wstring(key) + L"=" + std::wstring(value);
  size_t sectionLine = lines_.size();
  for (size_t i = 0; i < lines_.size(); ++i) {
    auto name = SectionOf(lines_[i]);
    if (name && SameName(*name, section)) {
      sectionLine = i;
      break;
    }
  }
  if (sectionLine == lines_.size()) {
    if (!lines_.empty() && !TrimBlanks(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back(L"[" + std::wstring(section) + L"]");
    lines_.push_back(newLine);
    return;
  }
  size_t lastContent = sectionLine;
  for (size_t i = sectionLine + 1; i < lines_.size(); ++i) {
    if (SectionOf(lines_[i])) break;
    std::wstring_view k, v;
    if (KeyOf(lines_[i], k, v) && SameName(k, key)) {
      lines_[i] = newLine;
      return;
    }
    if (!TrimBlanks(lines_[i]).empty()) lastContent = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), newLine);
}

std::wstring IniText::Text() const {
  std::wstring out;
  for (const auto& line : lines_) {
    out += line;
    out += L"\r\n";
  }
  return out;
}

}  // namespace nemba
