#include "common/win/gdi.h"

namespace nemba::win {

int ScreenDpi() {
  WindowDC dc(nullptr);
  int dpi = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

RECT TwipsRect(int left, int top, int width, int height, int dpi) {
  int l = Twips(left, dpi), t = Twips(top, dpi);
  return RECT{l, t, l + Twips(width, dpi), t + Twips(height, dpi)};
}

RECT CentredWindowRect(int clientWidth, int clientHeight, DWORD style, bool hasMenu) {
  RECT r{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, style, hasMenu ? TRUE : FALSE, 0);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = (::GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (::GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  return RECT{x, y, x + w, y + h};
}

HICON ProgramIcon(bool small) {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         ::GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON),
                                         ::GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON), LR_SHARED));
}

UniqueFont MakeUiFont(int points, int dpi) {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  LOGFONTW lf{};
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
    lf = ncm.lfMessageFont;
  } else {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
  }
  lf.lfHeight = -::MulDiv(points, dpi, 72);
  lf.lfWidth = 0;
  return UniqueFont(::CreateFontIndirectW(&lf));
}

UniqueFont MakeSymbolFont(const wchar_t* face, int points, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(points, dpi, 72);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = SYMBOL_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  return UniqueFont(::CreateFontIndirectW(&lf));
}

namespace {
int CALLBACK FoundFont(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}
}  // namespace

bool FontInstalled(const wchar_t* face) {
  LOGFONTW lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  WindowDC dc(nullptr);
  ::EnumFontFamiliesExW(dc.get(), &lf, &FoundFont, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

bool FontHasGlyph(HFONT font, const wchar_t* face, wchar_t ch) {
  if (!font) return false;
  WindowDC dc(nullptr);
  SelectObj sel(dc.get(), font);
  wchar_t actual[LF_FACESIZE] = {};
  ::GetTextFaceW(dc.get(), LF_FACESIZE, actual);
  if (lstrcmpiW(actual, face) != 0) return false;  // a stand-in font was chosen
  // Symbol fonts keep their glyphs at U+F000 + the character code.
  wchar_t chars[2] = {ch, static_cast<wchar_t>(0xF000 | (ch & 0xFF))};
  WORD glyphs[2] = {0xFFFF, 0xFFFF};
  ::GetGlyphIndicesW(dc.get(), chars, 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  return glyphs[0] != 0xFFFF || glyphs[1] != 0xFFFF;
}

}  // namespace nemba::win
