// Screen measures and fonts.
#pragma once

#include <windows.h>

#include <string>

#include "common/win/handles.h"

namespace nemba::win {

// Logical pixels per inch of the screen (96 at 100 %).
int ScreenDpi();

// Twips to pixels: 1440 twips to the inch.
inline int Twips(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }
// A rectangle given as left, top, width and height in twips.
RECT TwipsRect(int left, int top, int width, int height, int dpi);

// The window rectangle that gives a client area of the given size in
// pixels, centred on the screen.
RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, bool hasMenu);
// The program's icon (resource 1) at the large or small system size; shared,
// so never destroyed by the caller. Null when the program has none.
HICON ProgramIcon(bool small);

// The system's message font at the given size in points.
UniqueFont MakeUiFont(int points, int dpi);
// A symbol font (symbol character set, regular weight).
UniqueFont MakeSymbolFont(const wchar_t* face, int points, int dpi);
// True when a font family of that name is installed.
bool FontInstalled(const wchar_t* face);
// True when `font` really is `face` and has a glyph for `ch` (a symbol font
// may be installed in part only, as Wine's are).
bool FontHasGlyph(HFONT font, const wchar_t* face, wchar_t ch);

}  // namespace nemba::win
