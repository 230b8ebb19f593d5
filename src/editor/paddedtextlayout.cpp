#include "editor/paddedtextlayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace zp {

namespace {

// QPlainTextDocumentLayout::setTextWidth is private (its friend, the
// editing control, calls it). An explicit instantiation may name a private
// member, and hands its address out here.
using SetTextWidth = void (QPlainTextDocumentLayout::*)(qreal);
SetTextWidth privateSetTextWidth();
template <SetTextWidth Member>
struct SetTextWidthAccess
{
    friend SetTextWidth privateSetTextWidth() { return Member; }
};
template struct SetTextWidthAccess<&QPlainTextDocumentLayout::setTextWidth>;

} // namespace

void PaddedTextLayout::layOutWithoutWidth()
{
    // A width of 0 or less lays every line out as wide as its text.
    (this->*privateSetTextWidth())(0);
}

QSizeF PaddedTextLayout::documentSize() const
{
    QSizeF size = QPlainTextDocumentLayout::documentSize();
    if (size.width() > m_viewWidth && m_slack > 0) {
        // Rounded up to whole steps of room, so that a line growing by a key
        // leaves the scroll range as it was for many keys.
        const qreal steps = std::ceil((size.width() + m_slack) / m_slack);
        size.setWidth(steps * m_slack);
    }
    return size;
}

QRectF PaddedTextLayout::blockBoundingRect(const QTextBlock &block) const
{
    QRectF rect = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (rect.height() > 0 && rect.width() <= 0)
        rect.setWidth(1);
    return rect;
}

void PaddedTextLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    // Set before the base lays the changed lines out, so that their first
    // shaping is kept. Blocks that never grow this long get no layout object
    // from here (a layout per line would cost memory on a large text).
    const QTextDocument *doc = document();
    const QTextBlock last = doc->findBlock(from + charsAdded);
    for (QTextBlock block = doc->findBlock(from); block.isValid(); block = block.next()) {
        if (block.length() > KeepGlyphsFrom)
            block.layout()->setCacheEnabled(true);
        if (block == last)
            break;
    }
    // A change within one line that leaves the lines as many is laid out at
    // once by the base, twice: once to learn the line's old height (its
    // layout is gone with the change, so that lays the new text out), then
    // again. For a long unwrapped line, whose height cannot change, the
    // change is reported as reaching into the next line: the base then only
    // drops the layout, and the line is laid out once, when it is next used.
    const QTextBlock block = doc->findBlock(from);
    const int end = block.position() + block.length();
    if (block.length() > KeepGlyphsFrom && doc->defaultTextOption().wrapMode() == QTextOption::NoWrap
        && from + charsRemoved + charsAdded <= end)
        charsAdded = end + 1 - from - charsRemoved;
    QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
}

void PaddedTextLayout::setSlack(int pixels, int viewWidth)
{
    if (pixels == m_slack && viewWidth == m_viewWidth)
        return;
    m_slack = pixels;
    m_viewWidth = viewWidth;
    Q_EMIT documentSizeChanged(documentSize());
}

} // namespace zp
