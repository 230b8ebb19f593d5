#include "editor/linenumbergutter.h"

#include "editor/editorfont.h"
#include "editor/textview.h"

#include <QPainter>

namespace zp {

LineNumberGutter::LineNumberGutter(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picLineNo"));
    setFont(editorFont());
    setFixedWidth(Width);
    setAutoFillBackground(true);
    setBackColor(Qt::white);
}

void LineNumberGutter::setNumberColor(const QColor &color)
{
    m_numberColor = color;
}

QColor LineNumberGutter::backColor() const
{
    return palette().color(QPalette::Window);
}

void LineNumberGutter::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    update();
}

QString LineNumberGutter::rowText(int number)
{
    return QStringLiteral("%1 |").arg(number, 6);
}

void LineNumberGutter::DrawLineNumbers(const TextView &view)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    // After a jump deep into a large wrapped text the lines above the view
    // take a while to count: the gutter stays blank meanwhile, and is drawn
    // when the count is done and the view repaints.
    const std::optional<int> counted = view.firstVisibleLineWithin(CountingSlice);
    const int first = counted.value_or(-1);
    const int rowHeight = view.lineHeight();
    // The editor repaints at every key; while the rows it would draw are the
    // ones already drawn (same first line, size, colours and font), the image
    // stands as it is.
    // Unwrapped, the rows of a line held in pieces carry one number.
    std::vector<int> numbers;
    if (counted && view.hasPieces() && view.rightMargin() != 0)
        numbers = view.rowLineNumbers(height() / std::max(1, rowHeight) + 1);
    const Pass pass{first, pixels, rowHeight, backColor().rgb(), m_numberColor.rgb(), font(), numbers};
    if (pass == m_lastPass && !m_image.isNull())
        return;
    m_lastPass = pass;
    if (m_image.size() != pixels) {
        m_image = QImage(pixels, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(ratio);
    }
    m_image.fill(backColor());
    if (!numbers.empty()) {
        QPainter painter(&m_image);
        printRows(numbers, painter, height(), width(), rowHeight);
    } else if (counted) {
        QPainter painter(&m_image);
        PrintLineNumbers(first + 1, painter, height(), width(), rowHeight);
    } else {
        m_rows.clear();
    }
    update();
}

void LineNumberGutter::PrintLineNumbers(int first, QPainter &painter, int height, int width,
                                        int rowHeight)
{
    std::vector<int> numbers;
    for (int n = first, y = 0; n <= MaxNumber; ++n) {
        numbers.push_back(n);
        y += std::max(1, rowHeight);
        if (height < y + std::max(1, rowHeight))
            break;
    }
    printRows(numbers, painter, height, width, rowHeight);
}

void LineNumberGutter::printRows(const std::vector<int> &numbers, QPainter &painter, int height, int width,
                                 int rowHeight)
{
    m_rows.clear();
    painter.setFont(font());
    painter.setPen(m_numberColor);
    const QFontMetrics metrics(font());
    // The rows are as tall as the text's lines, so each number stands beside
    // its line, on the same baseline (a line's leading lies above its text).
    rowHeight = std::max(1, rowHeight);
    const int baseline = rowHeight - metrics.descent();
    int y = 0;
    for (const int n : numbers) {
        if (n > MaxNumber)
            break;
        // A row that continues the line above stays blank.
        const QString row = n > 0 ? rowText(n) : QString();
        painter.drawText(width - metrics.horizontalAdvance(row), y + baseline, row);
        m_rows.append(row);
        y += rowHeight;
        if (height < y + rowHeight)
            break;
    }
}

void LineNumberGutter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), backColor());
    else
        painter.drawImage(0, 0, m_image);
}

} // namespace zp
