#pragma once
// Pictures for the main window's toolbar buttons.

#include <QIcon>
#include <QString>

namespace zp {

// The picture for one toolbar button, by base name: "new", "open", "save",
// "cut", "copy", "paste", "redo", "undo", "backcolor", "browser", "find" or
// "clipboard". The desktop's icon theme is used when it has a matching icon,
// otherwise the 16x16 picture shipped as :/icons/<name>.xpm, so the result is
// never empty for these names. Any other name gives a null icon.
QIcon toolbarIcon(const QString &name);

} // namespace zp
