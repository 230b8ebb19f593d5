// The text view's display lines: the first visible one (wrapped lines
// counted) and their height.

#include "editor/textview.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>

namespace zp {

int TextView::firstVisibleLine() const
{
    return *firstVisibleLineWithin(-1);
}

std::optional<int> TextView::firstVisibleLineWithin(int milliseconds) const
{
    // The scroll position counts display lines, but while wrapping the layout
    // counts a block it has not laid out yet (one scrolled past by a jump, or
    // any block after a change of width) as one line. Only the line within the
    // top block is taken from it; the lines before that block are counted.
    const int value = verticalScrollBar()->value();
    if (lineWrapMode() == QPlainTextEdit::NoWrap)
        return value;
    const QTextBlock top = firstVisibleBlock();
    if (!top.isValid())
        return value;
    const int within = std::max(0, value - top.firstLineNumber());
    const std::optional<int> before = displayLinesBefore(top.blockNumber(), milliseconds);
    if (!before) {
        m_countingTimer->start();
        return std::nullopt;
    }
    return *before + within;
}

void TextView::countOnFromEventLoop()
{
    // A slice of the count; the last one repaints the view for the gutter.
    constexpr int Slice = 30;
    if (firstVisibleLineWithin(Slice))
        viewport()->update();
}

std::optional<int> TextView::displayLinesBefore(int blockNumber, int milliseconds) const
{
    const QTextDocument *doc = document();
    // While wrapping at the edge the layout's width is the viewport's.
    const qreal width = viewport()->width();
    if (width != m_wrapWidth || doc->defaultFont() != m_wrapFont) {
        m_wrapPrefix.clear();
        if (doc->defaultFont() != m_wrapFont)
            m_advances.clear();
        m_wrapWidth = width;
        m_wrapFont = doc->defaultFont();
    }
    if (m_wrapPrefix.empty())
        m_wrapPrefix.push_back(0);
    int known = int(m_wrapPrefix.size()) - 1;
    if (known < blockNumber) {
        QElapsedTimer clock;
        clock.start();
        // The clock is read every few blocks: a block costs microseconds.
        constexpr int BlocksBetweenReadings = 64;
        QTextBlock block = doc->findBlockByNumber(known);
        for (int n = 0; known < blockNumber && block.isValid(); ++known, ++n, block = block.next()) {
            if (milliseconds >= 0 && n % BlocksBetweenReadings == 0 && clock.elapsed() >= milliseconds)
                return std::nullopt;
            m_wrapPrefix.push_back(m_wrapPrefix.back() + wrappedLineCount(block));
        }
    }
    return m_wrapPrefix[std::size_t(std::min(blockNumber, known))];
}

int TextView::wrappedLineCount(const QTextBlock &block) const
{
    if (const QTextLayout *laid = block.layout(); laid && laid->lineCount() > 0)
        return laid->lineCount();
    // Lay the block out the way the plain-text layout would, on a scratch
    // layout that is dropped at once, so the document keeps no layouts for
    // blocks nobody looks at.
    const QTextDocument *doc = document();
    const QString text = block.text();
    if (fitsOnOneLine(text))
        return 1;
    QTextLayout scratch(text, doc->defaultFont());
    const QTextOption option = doc->defaultTextOption();
    scratch.setTextOption(option);
    qreal available = m_wrapWidth > 0 ? m_wrapWidth : qreal(INT_MAX);
    available -= 2 * doc->documentMargin();
    if (option.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators)
        available -= QFontMetrics(doc->defaultFont()).horizontalAdvance(QChar(0x21B5));
    int lines = 0;
    scratch.beginLayout();
    for (QTextLine line = scratch.createLine(); line.isValid(); line = scratch.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(available);
        ++lines;
    }
    scratch.endLayout();
    return std::max(1, lines);
}

bool TextView::fitsOnOneLine(const QString &text) const
{
    // Most lines of a page are shorter than the window: the sum of their
    // characters' advances, with room to spare for shaping, tells so without
    // laying them out. Tabs and surrogate pairs go to the real layout.
    if (m_wrapWidth <= 0)
        return true;
    if (m_advances.empty()) {
        m_advances.assign(0x10000, -1.0f);
        m_advanceMetrics = std::make_unique<QFontMetricsF>(document()->defaultFont());
    }
    const qreal limit = (m_wrapWidth - 2 * document()->documentMargin()) * 0.9;
    qreal width = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'\t' || ch.isSurrogate())
            return false;
        float &advance = m_advances[c];
        if (advance < 0)
            advance = float(m_advanceMetrics->horizontalAdvance(ch));
        width += advance;
        if (width > limit)
            return false;
    }
    return true;
}

int TextView::lineHeight() const
{
    const QFont font = document()->defaultFont();
    if (m_lineHeight <= 0 || font != m_lineHeightFont) {
        // Measured on a line laid out as the view lays out its own.
        QTextLayout probe(QStringLiteral("0"), font);
        probe.beginLayout();
        QTextLine line = probe.createLine();
        line.setLeadingIncluded(true);
        probe.endLayout();
        qreal height = line.height();
        if (line.leading() < 0)
            height += std::ceil(line.leading());
        m_lineHeight = std::max(1, int(std::ceil(height)));
        m_lineHeightFont = font;
    }
    return m_lineHeight;
}

} // namespace zp
