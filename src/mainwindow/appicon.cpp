#include "mainwindow/appicon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace zp {

// A page with a folded corner and a "Z": drawn at each size so it stays sharp.
QPixmap appIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const qreal fold = s * 0.28;
    QPolygonF page;
    page << QPointF(s * 0.12, s * 0.04) << QPointF(s * 0.88 - fold, s * 0.04)
         << QPointF(s * 0.88, s * 0.04 + fold) << QPointF(s * 0.88, s * 0.96)
         << QPointF(s * 0.12, s * 0.96);
    p.setPen(QPen(QColor(40, 70, 120), std::max(1.0, s / 24)));
    p.setBrush(QColor(250, 250, 245));
    p.drawPolygon(page);
    p.setBrush(QColor(200, 215, 235));
    p.drawPolygon(QPolygonF() << QPointF(s * 0.88 - fold, s * 0.04)
                              << QPointF(s * 0.88 - fold, s * 0.04 + fold)
                              << QPointF(s * 0.88, s * 0.04 + fold));
    QFont font;
    font.setBold(true);
    font.setPixelSize(int(s * 0.55));
    p.setFont(font);
    p.setPen(QColor(30, 110, 60));
    p.drawText(QRectF(s * 0.12, s * 0.22, s * 0.76, s * 0.7), Qt::AlignCenter, QStringLiteral("Z"));
    return pixmap;
}

QIcon appIcon()
{
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            i.addPixmap(appIconPixmap(size));
        return i;
    }();
    return icon;
}

} // namespace zp
