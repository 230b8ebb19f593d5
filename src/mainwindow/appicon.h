#pragma once

#include <QIcon>

namespace zp {

// The program's icon, shared by the main window and every child window.
QIcon appIcon();

} // namespace zp
