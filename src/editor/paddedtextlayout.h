#pragma once
// The plain-text layout with room to spare at the right of the longest line.
//
// Without it, typing at the end of the longest line of an unwrapped text
// scrolls the view by one character a key, and every such scroll repaints the
// whole view. With some room the view can scroll ahead by a larger step and
// type on for many keys without scrolling.

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
