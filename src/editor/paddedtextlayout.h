#pragma once
// The plain-text layout with room to spare at the right of the longest line,
// keeping the shaped glyphs of very long lines.
//
// Without it, typing at the end of the longest line of an unwrapped text
// changes the horizontal scroll range at every key, and every such change
// repaints the whole view. The width is padded and rounded up to whole steps
// of room, so the range changes once every few dozen keys.
//
// A line is shaped (its characters turned into placed glyphs) when it is laid
// out, and again, from its start, for every paint, caret placement and click,
// because the glyphs are normally dropped after each use. Over a line of
// millions of characters each shaping takes a second or more, so lines longer
// than KeepGlyphsFrom characters keep their glyphs from one layout to the next
// use: an edit of such a line is shaped once, when it is laid out.

#include <QPlainTextDocumentLayout>

namespace zp {

class PaddedTextLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    static constexpr int KeepGlyphsFrom = 10000;

    QSizeF documentSize() const override;
    // At least one pixel wide: laid out with no width, an empty line is 0
    // pixels wide, and the editing control takes such a rectangle for
    // invalid and never scrolls to a caret on that line.
    QRectF blockBoundingRect(const QTextBlock &block) const override;

    // Lays lines out with no width to fill, as unwrapped lines need none.
    // The base class's width otherwise changes with the view's, and each
    // change lays the whole text out again, creating a layout object for
    // every line (about 250 bytes each, 145 MB for 600000 lines); its width
    // would also keep a scroll range that a narrowed view no longer needs.
    // Call it after every switch to unwrapped lines.
    void layOutWithoutWidth();

    int slack() const { return m_slack; }
    // Extra width in pixels (0 while lines wrap at the view's edge), added
    // only once the text is wider than the view, so that a text that fits
    // never shows a horizontal scroll bar.
    void setSlack(int pixels, int viewWidth);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    int m_slack = 0;
    int m_viewWidth = 0;
};

} // namespace zp
