// Reading lyrics files: the encoding, the lines and the header tags.
// Platform-free; the ANSI code page is the caller's (it needs Windows).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace nemba {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct DetectedEncoding {
  TextEncoding encoding;
  size_t bomLength;  // bytes of the byte-order mark, not part of the text
};

// A byte-order mark decides; without one, text that is strictly valid UTF-8
// and has at least one multi-byte sequence is UTF-8; everything else is ANSI.
// UTF-16 is never guessed without its mark.
DetectedEncoding DetectEncoding(std::string_view bytes);

// The whole file as text; `ansi` decodes bytes in the ANSI code page.
std::wstring DecodeText(std::string_view bytes, const std::function<std::wstring(std::string_view)>& ansi);

// The text read line by line (a line ends at CR LF or a lone CR), each line
// followed by CR LF.
std::wstring JoinLinesCrLf(std::wstring_view text);

// The text after the first `tag` (such as "[ti:"), up to the first "]" after
// it; nothing when the tag or its "]" is missing.
std::optional<std::wstring> TagValue(std::wstring_view text, std::wstring_view tag);

// True when `name` can be used as a file name as it stands: no characters
// Windows forbids (\ / : * ? " < > | and control characters), not made only
// of dots and blanks, and not a device name (CON, NUL, COM1, ...).
bool IsSafeFileName(std::wstring_view name);

}  // namespace nemba
