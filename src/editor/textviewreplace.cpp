// The text view's whole-text replacement, which works on lines and their
// recorded forms and rewrites only what differs from the document.

#include "editor/textview.h"

#include <QAbstractUndoItem>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstring>
#include <functional>

namespace zp {

namespace {

// Gives the line breaks the forms of one side of a whole-text edit. Its undo
// runs before the edit's text is taken back; its redo runs after the text is
// put in again, but the document reports that change only later, so the forms
// are set then (see onContentsChange), after the report has recorded the
// forms of the breaks the text took away for the next undo. As the last
// command of the edit's block it also keeps the document from merging typing
// that follows into the edit (the document merges a lone insertion into a
// preceding block that ends with an adjacent insertion).
class BreakFormsUndo : public QAbstractUndoItem
{
public:
    using Apply = std::function<void(const std::vector<quint8> &, bool redo)>;
    BreakFormsUndo(Apply apply, std::vector<quint8> before, std::vector<quint8> after)
        : m_apply(std::move(apply)), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_apply(m_before, false); }
    void redo() override { m_apply(m_after, true); }

private:
    Apply m_apply;
    std::vector<quint8> m_before;
    std::vector<quint8> m_after;
};

} // namespace

void TextView::replaceText(const QString &text, std::vector<quint8> forms)
{
    // Whole-document conversions mostly keep the lines as they are: a change
    // of tag case keeps every length, a change of line-break form keeps the
    // text. Rewriting only what differs is many times faster than replacing
    // the whole document, and keeps its undo record small.
    forms.resize(std::size_t(text.count(QLatin1Char('\n'))), newLineBreak());
    // The text as the document holds it: long lines in pieces.
    const QString pieces = cutLikeDocument(text, forms);
    const Shape shape = compareShape(pieces);
    if (shape == Shape::SameText) {
        replaceForms(std::move(forms), false);
        return;
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    if (shape == Shape::SameLines) {
        replaceChangedRuns(cursor, pieces);
    } else {
        cursor.select(QTextCursor::Document);
        cursor.insertText(pieces);
    }
    // The document reports the change when the block ends; the breaks the
    // edit touched got forms of their own then. The given forms go in as the
    // last command of the same block.
    cursor.endEditBlock();
    cursor.joinPreviousEditBlock();
    replaceForms(std::move(forms), true);
    cursor.endEditBlock();
}

TextView::Shape TextView::compareShape(const QString &text) const
{
    const QChar *p = text.constData();
    const qsizetype n = text.size();
    qsizetype i = 0;
    Shape shape = Shape::SameText;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        const qsizetype length = line.size();
        if (i + length > n)
            return Shape::Different;
        if (std::memcmp(p + i, line.constData(), std::size_t(length) * sizeof(QChar)) != 0) {
            // A break inside the line would add a line.
            if (QStringView(p + i, length).contains(QLatin1Char('\n')))
                return Shape::Different;
            shape = Shape::SameLines;
        }
        i += length;
        if (!block.next().isValid())
            return i == n ? shape : Shape::Different;
        if (i >= n || p[i] != QLatin1Char('\n'))
            return Shape::Different;
        ++i;
    }
    return Shape::Different;
}

void TextView::replaceChangedRuns(QTextCursor &cursor, const QString &text)
{
    const QChar *p = text.constData();
    qsizetype i = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        const qsizetype length = line.size();
        const QChar *old = line.constData();
        const int start = block.position();
        for (qsizetype k = 0; k < length;) {
            if (old[k] == p[i + k]) {
                ++k;
                continue;
            }
            // Runs a few characters apart go in one edit: each edit of the
            // document costs far more than rewriting a few equal characters.
            constexpr qsizetype MergeGap = 32;
            qsizetype end = k + 1;
            for (qsizetype look = end; look < length && look < end + MergeGap; ++look) {
                if (old[look] != p[i + look])
                    end = look + 1;
            }
            cursor.setPosition(start + int(k));
            cursor.setPosition(start + int(end), QTextCursor::KeepAnchor);
            cursor.insertText(QString(p + i + k, end - k));
            k = end;
        }
        i += length + 1;
    }
}

void TextView::replaceForms(std::vector<quint8> forms, bool textChanged)
{
    m_redoBreaks.clear();
    auto apply = [this, textChanged](const std::vector<quint8> &f, bool redo) {
        if (redo && textChanged) {
            m_formsAfterRedo = f;
            return;
        }
        m_breaks = f;
        recountCuts();
        Q_EMIT changed();
    };
    document()->appendUndoItem(new BreakFormsUndo(apply, m_breaks, forms));
    apply(forms, false);
}

} // namespace zp
