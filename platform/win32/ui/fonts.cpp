#include "platform/win32/ui/fonts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

#include "platform/win32/utf16.h"

namespace win32 {
namespace {

// Japanese faces that can stand in for the design face, best first: Windows' own UI faces
// (Yu Gothic UI comes with every Windows 10 and 11, Meiryo UI and MS UI Gothic with the
// Japanese fonts), then what a Linux host lends Wine (as the Linux build substitutes them).
constexpr std::array<const wchar_t*, 5> kJapaneseStandIns = {
    L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"IPAPGothic", L"Noto Sans CJK JP"};

int CALLBACK noteFamily(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                        LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

int screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

std::wstring chooseStandIn() {
  const auto* installed = std::find_if(kJapaneseStandIns.begin(), kJapaneseStandIns.end(),
                                       [](const wchar_t* face) { return fontInstalled(face); });
  return installed != kJapaneseStandIns.end() ? *installed : L"";
}

UniqueFont toolTipFontIn(const std::wstring& face) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  LOGFONTW font = metrics.lfStatusFont;
  font.lfCharSet = SHIFTJIS_CHARSET;
  if (!face.empty()) {
    std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
    std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
  }
  return UniqueFont(CreateFontIndirectW(&font));
}

bool sameSpec(const forms::FontSpec& a, const forms::FontSpec& b) {
  return a.family == b.family && a.points == b.points && a.weight == b.weight &&
         a.italic == b.italic && a.underline == b.underline && a.strikeout == b.strikeout;
}

}  // namespace

bool fontInstalled(const std::wstring& family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  std::copy(family.begin(), family.end(), wanted.lfFaceName);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, noteFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

Fonts::Fonts() : dpi_(screenDpi()), standIn_(chooseStandIn()), toolTip_(toolTipFontIn(standIn_)) {}

HFONT Fonts::font(const forms::FontSpec& spec) {
  const auto known = std::find_if(made_.begin(), made_.end(),
                                  [&](const Made& made) { return sameSpec(made.spec, spec); });
  if (known != made_.end()) return known->font.get();

  std::wstring face = toUtf16(spec.family);
  if (!fontInstalled(face) && !standIn_.empty()) face = standIn_;
  LOGFONTW font{};
  // Points at the screen's DPI; a negative height asks for the character height, as a point
  // size means.
  font.lfHeight = -static_cast<LONG>(std::lround(spec.points * static_cast<float>(dpi_) / 72.0F));
  font.lfWeight = spec.weight;
  font.lfItalic = spec.italic ? TRUE : FALSE;
  font.lfUnderline = spec.underline ? TRUE : FALSE;
  font.lfStrikeOut = spec.strikeout ? TRUE : FALSE;
  // The program's texts are Japanese: a face without a name we know still has to have the
  // glyphs.
  font.lfCharSet = SHIFTJIS_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_DONTCARE;
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
  made_.push_back({spec, UniqueFont(CreateFontIndirectW(&font))});
  return made_.back().font.get();
}

}  // namespace win32
