#include "editor/paddedtextlayout.h"

#include <cmath>

namespace zp {

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

void PaddedTextLayout::setSlack(int pixels, int viewWidth)
{
    if (pixels == m_slack && viewWidth == m_viewWidth)
        return;
    m_slack = pixels;
    m_viewWidth = viewWidth;
    Q_EMIT documentSizeChanged(documentSize());
}

} // namespace zp
