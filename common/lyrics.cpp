#include "common/lyrics.h"

#include "common/text.h"

namespace nemba {
namespace {

// The length of the valid UTF-8 sequence at `i`, or 0.
size_t Utf8Sequence(std::string_view b, size_t i) {
  auto u = [&](size_t k) { return static_cast<unsigned char>(b[k]); };
  unsigned char c = u(i);
  size_t n;
  unsigned cp;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + n > b.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((u(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (u(i + k) & 0x3F);
  }
  // No overlong forms, no surrogates, nothing past U+10FFFF.
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return n;
}

void AppendCodePoint(std::wstring& out, unsigned cp) {
  if (cp >= 0x10000 && sizeof(wchar_t) == 2) {
    cp -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (cp >> 10));
    out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
  } else {
    out += static_cast<wchar_t>(cp);
  }
}

std::wstring DecodeUtf8(std::string_view b) {
  std::wstring out;
  out.reserve(b.size());
  for (size_t i = 0; i < b.size();) {
    size_t n = Utf8Sequence(b, i);
    if (n == 0) {
      out += L'\xFFFD';
      ++i;
      continue;
    }
    unsigned char c = static_cast<unsigned char>(b[i]);
    unsigned cp = n == 1 ? c : n == 2 ? (c & 0x1Fu) : n == 3 ? (c & 0x0Fu) : (c & 0x07u);
    for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(b[i + k]) & 0x3Fu);
    AppendCodePoint(out, cp);
    i += n;
  }
  return out;
}

std::wstring DecodeUtf16(std::string_view b, bool bigEndian) {
  std::wstring out;
  out.reserve(b.size() / 2);
  for (size_t i = 0; i + 1 < b.size(); i += 2) {
    unsigned lo = static_cast<unsigned char>(b[i]), hi = static_cast<unsigned char>(b[i + 1]);
    unsigned unit = bigEndian ? (lo << 8 | hi) : (hi << 8 | lo);
    if (sizeof(wchar_t) == 2) {
      out += static_cast<wchar_t>(unit);
    } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < b.size()) {
      unsigned lo2 = static_cast<unsigned char>(b[i + 2]), hi2 = static_cast<unsigned char>(b[i + 3]);
      unsigned next = bigEndian ? (lo2 << 8 | hi2) : (hi2 << 8 | lo2);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        out += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
        i += 2;
      } else {
        out += L'\xFFFD';
      }
    } else {
      out += static_cast<wchar_t>(unit);
    }
  }
  return out;
}

}  // namespace

DetectedEncoding DetectEncoding(std::string_view b) {
  if (b.size() >= 3 && b.substr(0, 3) == "\xEF\xBB\xBF") return {TextEncoding::Utf8, 3};
  if (b.size() >= 2 && b.substr(0, 2) == "\xFF\xFE") return {TextEncoding::Utf16LE, 2};
  if (b.size() >= 2 && b.substr(0, 2) == "\xFE\xFF") return {TextEncoding::Utf16BE, 2};
  bool multiByte = false;
  for (size_t i = 0; i < b.size();) {
    size_t n = Utf8Sequence(b, i);
    if (n == 0) return {TextEncoding::Ansi, 0};
    if (n > 1) multiByte = true;
    i += n;
  }
  return {multiByte ? TextEncoding::Utf8 : TextEncoding::Ansi, 0};
}

std::wstring DecodeText(std::string_view bytes, const std::function<std::wstring(std::string_view)>& ansi) {
  DetectedEncoding d = DetectEncoding(bytes);
  std::string_view body = bytes.substr(d.bomLength);
  switch (d.encoding) {
    case TextEncoding::Utf8: return DecodeUtf8(body);
    case TextEncoding::Utf16LE: return DecodeUtf16(body, false);
    case TextEncoding::Utf16BE: return DecodeUtf16(body, true);
    case TextEncoding::Ansi: break;
  }
  return ansi(body);
}

std::wstring JoinLinesCrLf(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size() + 2);
  size_t i = 0;
  while (i < text.size()) {
    size_t end = text.find(L'\r', i);
    if (end == std::wstring_view::npos) end = text.size();
    out.append(text.substr(i, end - i));
    out += L"\r\n";
    i = end + 1;
    if (end < text.size() && i < text.size() && text[i] == L'\n') ++i;
  }
  return out;
}

std::optional<std::wstring> TagValue(std::wstring_view text, std::wstring_view tag) {
  size_t at = text.find(tag);
  if (at == std::wstring_view::npos) return std::nullopt;
  size_t start = at + tag.size();
  size_t close = text.find(L']', start);
  if (close == std::wstring_view::npos) return std::nullopt;
  return std::wstring(text.substr(start, close - start));
}

bool IsSafeFileName(std::wstring_view name) {
  if (name.empty()) return false;
  bool onlyDotsAndBlanks = true;
  for (wchar_t c : name) {
    if (c < 0x20 || c == 0x7F || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos) return false;
    if (c != L'.' && c != L' ') onlyDotsAndBlanks = false;
  }
  if (onlyDotsAndBlanks) return false;
  // Device names stay devices whatever extension follows them.
  std::wstring stem = FoldAscii(name.substr(0, name.find(L'.')));
  while (!stem.empty() && stem.back() == L' ') stem.pop_back();
  for (const wchar_t* device : {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$"})
    if (stem == device) return false;
  if (stem.size() == 4 && (stem.compare(0, 3, L"com") == 0 || stem.compare(0, 3, L"lpt") == 0) &&
      ((stem[3] >= L'0' && stem[3] <= L'9') || stem[3] == L'\xB9' || stem[3] == L'\xB2' || stem[3] == L'\xB3'))
    return false;
  return true;
}

}  // namespace nemba
