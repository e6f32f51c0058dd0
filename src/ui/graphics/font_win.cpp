#include "ui/graphics/font_win.h"

#include "base/utf_win.h"

FontHandle CreateFontHandle(const TFont& font) {
  LOGFONTW lf{};
  lf.lfHeight = font.Height();
  lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.Style() & fsItalic) != 0;
  lf.lfUnderline = (font.Style() & fsUnderline) != 0;
  lf.lfStrikeOut = (font.Style() & fsStrikeOut) != 0;
  lf.lfCharSet = static_cast<BYTE>(font.Charset());
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  std::wstring face = Utf8ToWide(font.Name());
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return FontHandle(CreateFontIndirectW(&lf));
}
