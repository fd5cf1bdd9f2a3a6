// Small text routines shared by the programs. Platform-free: no <windows.h>.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nemba {

// Removes spaces (only U+0020, as the classic Trim does) from both ends.
std::wstring TrimSpaces(std::wstring_view s);

// Folds A-Z to a-z and leaves every other character alone.
std::wstring FoldAscii(std::wstring_view s);

// Splits a pattern list such as "*.mp3; *.wma" at ";" into trimmed, non-empty
// patterns. An empty or blank list gives no patterns.
std::vector<std::wstring> SplitPatterns(std::wstring_view list);

// Matches one wildcard pattern ("*" any run, "?" one character) against a
// whole name, character for character. Callers fold letter case beforehand.
// "*.*" matches every name, as it always has on Windows.
bool WildcardMatch(std::wstring_view pattern, std::wstring_view name);

// True when any pattern matches; an empty pattern list matches everything.
bool MatchesAny(const std::vector<std::wstring>& patterns, std::wstring_view name);

// The arguments of a Windows command line: everything after the program's own
// name (quoted or not) and the blanks that follow it.
std::wstring CommandTail(std::wstring_view commandLine);

// Splits the argument text into paths: each double-quoted piece is one path
// taken as written; text outside quotes is split at blanks (the shell leaves
// paths without spaces unquoted). Pieces that are blank are dropped.
std::vector<std::wstring> SplitQuotedPaths(std::wstring_view args);

// Splits at every CR LF pair; a lone CR or LF does not split, and a text
// ending in CR LF gives an empty last line. An empty text gives no lines.
std::vector<std::wstring> SplitCrLf(std::wstring_view text);

// Reads a reply as a number: leading blanks skipped, then the longest
// leading decimal number (sign, digits, point, exponent); 0 when the reply
// does not begin with one.
double LeadingNumber(std::wstring_view text);

}  // namespace nemba
