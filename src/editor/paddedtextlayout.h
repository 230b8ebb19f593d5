#pragma once
// The plain-text layout with room to spare at the right of the longest line.
//
// Without it, typing at the end of the longest line of an unwrapped text
// changes the horizontal scroll range at every key, and every such change
// repaints the whole view. The width is padded and rounded up to whole steps
// of room, so the range changes once every few dozen keys.

#include <QPlainTextDocumentLayout>

namespace zp {

class PaddedTextLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    QSizeF documentSize() const override;

    int slack() const { return m_slack; }
    // Extra width in pixels (0 while lines wrap at the view's edge), added
    // only once the text is wider than the view, so that a text that fits
    // never shows a horizontal scroll bar.
    void setSlack(int pixels, int viewWidth);

private:
    int m_slack = 0;
    int m_viewWidth = 0;
};

} // namespace zp
