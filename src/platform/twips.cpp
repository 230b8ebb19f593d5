#include "platform/twips.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace zp {

namespace {

int perPixel(double dpi)
{
    if (dpi <= 0)
        return 15;
    return std::max(1, int(std::lround(1440.0 / dpi)));
}

} // namespace

int twipsPerPixelX(const QPaintDevice *device)
{
    if (device)
        return perPixel(device->logicalDpiX());
    const QScreen *screen = QGuiApplication::primaryScreen();
    return perPixel(screen ? screen->logicalDotsPerInchX() : 96.0);
}

int twipsPerPixelY(const QPaintDevice *device)
{
    if (device)
        return perPixel(device->logicalDpiY());
    const QScreen *screen = QGuiApplication::primaryScreen();
    return perPixel(screen ? screen->logicalDotsPerInchY() : 96.0);
}

} // namespace zp
