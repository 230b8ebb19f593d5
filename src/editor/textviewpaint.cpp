// The text view's painting. Qt draws a line by walking all its glyphs, from
// the first to the last, whatever part of it is exposed; over a line of
// millions of characters every paint then costs seconds. Unwrapped lines
// longer than PaddedTextLayout::KeepGlyphsFrom are drawn here instead: only
// the characters that fall into the exposed part, with the layout's kept
// glyphs. Everything else is Qt's own painting.

#include "editor/paddedtextlayout.h"
#include "editor/textview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace zp {

namespace {

// Characters drawn beyond either edge of the exposed part, for glyphs that
// reach past their own advance (italics, overhanging kana).
constexpr int Overhang = 2;

} // namespace

void TextView::paintEvent(QPaintEvent *event)
{
    const QRegion rest = paintLongLines(event->region());
    if (rest == event->region()) {
        QPlainTextEdit::paintEvent(event);
    } else {
        // Qt paints the bounding rectangle of an event's region: each part
        // goes on its own, so the long lines in between are left alone.
        for (const QRect &rect : rest) {
            QPaintEvent part(rect);
            QPlainTextEdit::paintEvent(&part);
        }
    }
    Q_EMIT painted();
}

QRegion TextView::paintLongLines(const QRegion &region)
{
    if (!m_longLinesInPart || lineWrapMode() != QPlainTextEdit::NoWrap)
        return region;
    const QRect bounds = region.boundingRect();
    QRegion rest = region;
    std::optional<QAbstractTextDocumentLayout::PaintContext> context;
    QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && offset.y() <= bounds.bottom();
         block = block.next()) {
        const QRectF rect = blockBoundingRect(block).translated(offset);
        const QPointF topLeft = offset;
        offset.ry() += rect.height();
        if (!block.isVisible() || block.length() <= PaddedTextLayout::KeepGlyphsFrom
            || rect.bottom() < bounds.top())
            continue;
        // Qt draws every line that meets its rectangle, edges included, so
        // the band of the long line goes to the pixel row below it. The
        // lines that reach into the band are drawn here too.
        const int top = int(std::floor(rect.top()));
        const QRect band(bounds.left(), top, bounds.width(), int(std::ceil(rect.bottom())) - top + 1);
        const QRect exposed = rest.intersected(band).boundingRect();
        if (exposed.isEmpty())
            continue;
        if (!context)
            context = getPaintContext();
        rest -= band;
        QPainter painter(viewport());
        const QTextBlock before = block.previous();
        if (before.isValid() && before.isVisible())
            drawBlock(painter, before, topLeft - QPointF(0, blockBoundingRect(before).height()), exposed, *context);
        drawBlock(painter, block, topLeft, exposed, *context);
        if (block.next().isValid() && block.next().isVisible())
            drawBlock(painter, block.next(), offset, exposed, *context);
    }
    return rest;
}

void TextView::drawBlock(QPainter &painter, const QTextBlock &block, const QPointF &topLeft,
                         const QRect &clip, const QAbstractTextDocumentLayout::PaintContext &context)
{
    const QRectF rect(topLeft, blockBoundingRect(block).size());
    if (rect.bottom() < clip.top() || rect.top() > clip.bottom() + 1)
        return;
    painter.setClipRect(clip);
    painter.setPen(context.palette.text().color());
    if (block.length() > PaddedTextLayout::KeepGlyphsFrom) {
        drawLongBlock(painter, block, topLeft, clip, context);
        return;
    }
    // A short line, as Qt draws it.
    const int blockStart = block.position();
    QList<QTextLayout::FormatRange> selections;
    for (const QAbstractTextDocumentLayout::Selection &selection : context.selections) {
        const int from = selection.cursor.selectionStart() - blockStart;
        const int to = selection.cursor.selectionEnd() - blockStart;
        if (from < block.length() && to > 0 && to > from)
            selections.append({from, to - from, selection.format});
    }
    block.layout()->draw(&painter, topLeft, selections, clip);
    const int caret = context.cursorPosition - blockStart;
    if (!isReadOnly() && caret >= 0 && caret < block.length())
        block.layout()->drawCursor(&painter, topLeft, caret, cursorWidth());
}

void TextView::drawLongBlock(QPainter &painter, const QTextBlock &block, const QPointF &topLeft,
                             const QRect &clip, const QAbstractTextDocumentLayout::PaintContext &context)
{
    const QColor textColor = context.palette.text().color();
    const int blockStart = block.position();

    // The selection, in the block's positions.
    int selFrom = 0, selTo = 0;
    QTextCharFormat selFormat;
    for (const QAbstractTextDocumentLayout::Selection &selection : context.selections) {
        if (!selection.cursor.hasSelection())
            continue;
        selFrom = std::clamp(selection.cursor.selectionStart() - blockStart, 0, block.length());
        selTo = std::clamp(selection.cursor.selectionEnd() - blockStart, 0, block.length());
        selFormat = selection.format;
    }

    const QTextLayout *layout = block.layout();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        // Only the height counts: an unwrapped line's own width is the
        // view's, whatever the width of its text.
        const QRectF lineRect = line.rect().translated(topLeft);
        if (lineRect.bottom() < clip.top() || lineRect.top() > clip.bottom() + 1)
            continue;
        const int lineEnd = line.textStart() + line.textLength();
        const int first = std::max(line.textStart(), line.xToCursor(clip.left() - topLeft.x()) - Overhang);
        const int last = std::min(lineEnd, line.xToCursor(clip.right() + 1 - topLeft.x()) + Overhang);
        const auto drawRange = [&](int from, int to, const QColor &color) {
            from = std::max(from, first);
            to = std::min(to, last);
            if (from >= to)
                return;
            painter.setPen(color);
            for (const QGlyphRun &run : line.glyphRuns(from, to - from))
                painter.drawGlyphRun(topLeft, run);
        };
        // The selection as Qt draws it: its background over whole pixels
        // (the whole text's width for a line selected from end to end, and a
        // quarter of the line's height for its break), the text outside it
        // in the text colour, the text inside it in the selection's, each
        // clipped to its side.
        const QRectF natural = line.naturalTextRect().translated(topLeft);
        const bool lastLine = i == layout->lineCount() - 1;
        const int span = line.textLength() + (lastLine ? 1 : 0);
        QPainterPath area;
        area.setFillRule(Qt::WindingFill);
        if (selFrom < selTo && line.textStart() <= selTo && line.textStart() + span > selFrom) {
            const bool startsHere = line.textStart() <= selFrom;
            const bool endsHere = selTo < line.textStart() + span;
            if (line.textLength() > 0 && (startsHere || endsHere)) {
                const int a = std::clamp(selFrom, first, last);
                const int b = std::clamp(selTo, first, last);
                if (a < b) {
                    const qreal x1 = line.cursorToX(a), x2 = line.cursorToX(b);
                    const QRectF part(topLeft.x() + x1, lineRect.top(), x2 - x1, line.height());
                    area.addRect((natural & part).toAlignedRect());
                }
            } else {
                area.addRect(natural);
            }
            if (!endsHere && lastLine)
                area.addRect(QRectF(natural.right(), natural.top(), natural.height() / 4, natural.height()));
        }
        if (area.isEmpty()) {
            drawRange(first, last, textColor);
            continue;
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(selFormat.background());
        painter.drawPath(area);
        QPainterPath outside;
        outside.addRect(clip);
        painter.setClipPath(outside - area);
        drawRange(first, last, textColor);
        painter.setClipRect(clip);
        painter.setClipPath(area, Qt::IntersectClip);
        drawRange(std::max(first, selFrom - Overhang), std::min(last, selTo + Overhang),
                  selFormat.foreground().color());
        painter.setClipRect(clip);
    }

    const int caret = context.cursorPosition - blockStart;
    if (!isReadOnly() && caret >= 0 && caret < block.length())
        layout->drawCursor(&painter, topLeft, caret, cursorWidth());
}

} // namespace zp
