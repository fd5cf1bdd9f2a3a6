#include "common/text.h"

#include <cstdlib>

namespace nemba {

std::wstring TrimSpaces(std::wstring_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == L' ') ++b;
  while (e > b && s[e - 1] == L' ') --e;
  return std::wstring(s.substr(b, e - b));
}

std::wstring FoldAscii(std::wstring_view s) {
  std::wstring out(s);
  for (auto& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return out;
}

std::vector<std::wstring> SplitPatterns(std::wstring_view list) {
  std::vector<std::wstring> out;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(L';', start);
    if (end == std::wstring_view::npos) end = list.size();
    std::wstring piece = TrimSpaces(list.substr(start, end - start));
    if (!piece.empty()) out.push_back(std::move(piece));
    start = end + 1;
  }
  return out;
}

bool WildcardMatch(std::wstring_view pattern, std::wstring_view name) {
  if (pattern == L"*.*" || pattern == L"*") return true;
  // Iterative matcher with one backtrack point: linear for the usual
  // patterns, never exponential.
  size_t p = 0, n = 0, starP = std::wstring_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::wstring_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

bool MatchesAny(const std::vector<std::wstring>& patterns, std::wstring_view name) {
  if (patterns.empty()) return true;
  for (const auto& p : patterns)
    if (WildcardMatch(p, name)) return true;
  return false;
}

std::wstring CommandTail(std::wstring_view cmd) {
  size_t i = 0;
  if (!cmd.empty() && cmd[0] == L'"') {
    size_t close = cmd.find(L'"', 1);
    i = close == std::wstring_view::npos ? cmd.size() : close + 1;
  }
  // An unquoted name, or text glued to the closing quote, runs to a blank.
  while (i < cmd.size() && cmd[i] != L' ' && cmd[i] != L'\t') ++i;
  while (i < cmd.size() && (cmd[i] == L' ' || cmd[i] == L'\t')) ++i;
  return std::wstring(cmd.substr(i));
}

namespace {
bool IsBlank(std::wstring_view s) {
  for (wchar_t c : s)
    if (c != L' ' && c != L'\t') return false;
  return true;
}
}  // namespace

std::vector<std::wstring> SplitQuotedPaths(std::wstring_view args) {
  std::vector<std::wstring> out;
  size_t i = 0;
  while (i < args.size()) {
    if (args[i] == L'"') {
      size_t close = args.find(L'"', i + 1);
      if (close == std::wstring_view::npos) close = args.size();
      std::wstring_view piece = args.substr(i + 1, close - i - 1);
      if (!IsBlank(piece)) out.emplace_back(piece);
      i = close + 1;
    } else if (args[i] == L' ' || args[i] == L'\t') {
      ++i;
    } else {
      size_t end = i;
      while (end < args.size() && args[end] != L'"' && args[end] != L' ' && args[end] != L'\t') ++end;
      out.emplace_back(args.substr(i, end - i));
      i = end;
    }
  }
  return out;
}

std::vector<std::wstring> SplitCrLf(std::wstring_view text) {
  std::vector<std::wstring> lines;
  if (text.empty()) return lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring_view::npos) {
      lines.emplace_back(text.substr(start));
      return lines;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 2;
  }
}

double LeadingNumber(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  std::string number;
  auto digit = [&](size_t k) { return k < text.size() && text[k] >= L'0' && text[k] <= L'9'; };
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) number += static_cast<char>(text[i++]);
  size_t digits = 0;
  while (digit(i)) {
    number += static_cast<char>(text[i++]);
    ++digits;
  }
  if (i < text.size() && text[i] == L'.') {
    number += '.';
    ++i;
    while (digit(i)) {
      number += static_cast<char>(text[i++]);
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t k = i + 1;
    std::string exponent = "e";
    if (k < text.size() && (text[k] == L'+' || text[k] == L'-')) exponent += static_cast<char>(text[k++]);
    if (digit(k)) {
      while (digit(k)) exponent += static_cast<char>(text[k++]);
      number += exponent;
    }
  }
  return std::strtod(number.c_str(), nullptr);
}

}  // namespace nemba
