#include "platform/twips.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QScreen>
#include <QWidget>

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

namespace zp {

int twipsToPixels(int twips, int perPixel)
{
    return (twips + perPixel / 2) / perPixel;
}

void placeInTwips(QWidget *w, int left, int top, int width, int height)
{
    const int tx = twipsPerPixelX(w);
    const int ty = twipsPerPixelY(w);
    w->setGeometry(twipsToPixels(left, tx), twipsToPixels(top, ty), twipsToPixels(width, tx),
                   twipsToPixels(height, ty));
}

void setClientSizeInTwips(QWidget *dialog, int width, int height)
{
    dialog->setFixedSize(twipsToPixels(width, twipsPerPixelX(dialog)),
                         twipsToPixels(height, twipsPerPixelY(dialog)));
}

void centreOverOwner(QWidget *dialog, const QWidget *owner)
{
    if (!owner)
        return;
    const int tx = twipsPerPixelX(dialog);
    const int ty = twipsPerPixelY(dialog);
    const QRect outer = owner->frameGeometry();
    const QSize own = dialog->frameGeometry().size();
    const int top = outer.top() * ty + (outer.height() - own.height()) * ty / 2;
    const int left = outer.left() * tx + (outer.width() - own.width()) * tx / 2;
    dialog->move(left / tx, top / ty);
    dialog->setWindowIcon(owner->windowIcon());
}

} // namespace zp
