#pragma once

#include <QFont>

namespace zp {

// The font of the text and of the line-number gutter: "ＭＳ ゴシック" 9 points
// where it is installed, otherwise an installed Japanese monospace font (a
// Japanese font, then the system's fixed font, when none is monospace).
QFont editorFont();

} // namespace zp
