#include "app/appidentity.h"

#include <QGuiApplication>

namespace zp {

void setApplicationIdentity()
{
    QGuiApplication::setApplicationName(QStringLiteral("Zelkopad"));
    QGuiApplication::setApplicationVersion(QStringLiteral(ZELKOPAD_VERSION));
    // Ties the windows to the installed zelkopad.desktop, whose icon and name a
    // Wayland compositor's taskbar shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("zelkopad"));
}

} // namespace zp
