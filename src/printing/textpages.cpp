#include "printing/textpages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

namespace zp {

QString expandTabs(const QString &line)
{
    constexpr int TabColumns = 8;
    if (!line.contains(QLatin1Char('\t')))
        return line;
    QString expanded;
    expanded.reserve(line.size() + TabColumns);
    for (const QChar c : line) {
        if (c == QLatin1Char('\t'))
            expanded += QString(TabColumns - expanded.size() % TabColumns, QLatin1Char(' '));
        else
            expanded += c;
    }
    return expanded;
}

bool paintTextPages(QPagedPaintDevice &device, const QString &text, const QFont &font, int copies)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Measured at the device's resolution, not the screen's.
    const QFont deviceFont(font, &device);
    painter.setFont(deviceFont);
    const QFontMetricsF metrics(deviceFont, &device);
    const qreal pageWidth = device.width();
    const qreal pageHeight = device.height();
    const qreal lineHeight = metrics.lineSpacing();
    QTextOption option;
    // Long words and Japanese text without blanks wrap anywhere.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

    const QStringList lines = text.split(QLatin1Char('\n'));
    // A new page is started only when something is drawn on it, so blank
    // lines at the end never leave an empty page behind.
    bool pagePending = false;
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        pagePending = copy > 0;
        qreal y = 0;
        for (const QString &line : lines) {
            QTextLayout layout(expandTabs(line), deviceFont, &device);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine())
                row.setLineWidth(pageWidth);
            layout.endLayout();
            // An empty line still takes its row.
            const int rows = std::max(layout.lineCount(), 1);
            for (int i = 0; i < rows; ++i) {
                if (y + lineHeight > pageHeight && y > 0) {
                    pagePending = true;
                    y = 0;
                }
                if (i < layout.lineCount() && layout.lineAt(i).textLength() > 0) {
                    if (pagePending) {
                        device.newPage();
                        pagePending = false;
                    }
                    const QTextLine row = layout.lineAt(i);
                    row.draw(&painter, QPointF(0, y - row.y()));
                }
                y += lineHeight;
            }
        }
    }
    return painter.end();
}

} // namespace zp
