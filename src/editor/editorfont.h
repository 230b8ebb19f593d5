#pragma once

#include <QFont>

namespace zp {

// The font of the text and of the line-number gutter: "ＭＳ ゴシック" 9 points
// where it is installed, otherwise IPAGothic or another installed Japanese
// font whose Latin letters share one advance (a Japanese font, then the
// system's fixed font, when none does).
QFont editorFont();

} // namespace zp
