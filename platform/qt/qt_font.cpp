#include "platform/qt/qt_font.h"

#include <algorithm>

namespace qtplatform {

QFont toQFont(const forms::FontSpec& spec) {
  QFont font(QString::fromStdString(spec.family));
  font.setPointSizeF(spec.points);
  // Classic weights run 100..900 like Qt's; 0 means "don't care".
  font.setWeight(
      static_cast<QFont::Weight>(spec.weight == 0 ? 400 : std::clamp(spec.weight, 1, 1000)));
  font.setItalic(spec.italic);
  font.setUnderline(spec.underline);
  font.setStrikeOut(spec.strikeout);
  // The character set needs no mapping: the family substitutions pick a font with the glyphs.
  return font;
}

}  // namespace qtplatform
