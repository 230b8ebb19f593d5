#include "app/appidentity.h"

#include <QGuiApplication>

namespace zp {

void setApplicationIdentity()
{
    QGuiApplication::setApplicationName(QStringLiteral("Zelkopad"));
    QGuiApplication::setApplicationVersion(QStringLiteral(ZELKOPAD_VERSION));
}

} // namespace zp
