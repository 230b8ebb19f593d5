#pragma once

#include <QIcon>

namespace zp {

// The program's icon, shared by the main window and every child window, drawn
// at the sizes a desktop asks for (title bars, taskbars, launchers).
QIcon appIcon();
// The icon drawn at size x size pixels (the installed theme icons are these).
QPixmap appIconPixmap(int size);

} // namespace zp
