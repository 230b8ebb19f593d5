#include "editor/paddedtextlayout.h"

namespace zp {

QSizeF PaddedTextLayout::documentSize() const
{
    QSizeF size = QPlainTextDocumentLayout::documentSize();
    if (size.width() > m_viewWidth)
        size.rwidth() += m_slack;
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
