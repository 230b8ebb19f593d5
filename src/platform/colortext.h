#pragma once
// Colours as the settings file and the options dialog write them: six hex
// digits, two each for red, green and blue ("FF0000" is pure red).

#include <QColor>
#include <QString>

namespace zp {

// Reads characters 1-2, 3-4 and 5-6 as red, green and blue. Each pair is read
// up to its first non-hex character; a pair that is missing or starts with such
// a character counts as 0. An empty value gives fallback.
QColor colorFromText(const QString &value, const QColor &fallback);

// "RRGGBB" with upper-case digits, each component zero-padded to two digits.
QString colorToText(const QColor &color);

} // namespace zp
