// The text view's whole-text replacement, which rewrites only what differs
// from the document.

#include "editor/textview.h"

#include <QAbstractUndoItem>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstring>
#include <functional>

namespace zp {

namespace {

constexpr QChar ParagraphSeparator(0x2029);
constexpr QChar LineSeparator(0x2028);

} // namespace

void TextView::replaceAll(const QString &raw)
{
    // Whole-document conversions mostly keep the lines as they are: a change
    // of tag case keeps every length, a change of line-break form keeps the
    // text. Rewriting only what differs is many times faster than replacing
    // the whole document, and keeps its undo record small.
    std::vector<quint8> forms;
    const Shape shape = compareShape(raw, forms);
    if (shape == Shape::SameText) {
        replaceForms(std::move(forms));
        return;
    }
    if (shape == Shape::SameLines) {
        replaceChangedRuns(raw);
    } else {
        const QString plain = splitBreaks(raw, forms);
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.insertText(plain);
        cursor.endEditBlock();
    }
    // The edit recorded the old forms for undo and gave the breaks it touched
    // the default form; they take the forms of raw instead.
    forms.resize(std::size_t(document()->blockCount() - 1), quint8(LineBreak::CrLf));
    m_breaks = std::move(forms);
}

namespace {

bool isBreak(char16_t c)
{
    return c == u'\r' || c == u'\n' || c == ParagraphSeparator.unicode()
           || c == LineSeparator.unicode();
}

// Reads the line break at raw[i], moving i past it; false when there is none.
bool readBreak(const QChar *p, qsizetype n, qsizetype &i, quint8 &form)
{
    if (i >= n)
        return false;
    const char16_t c = p[i].unicode();
    if (c == u'\r' && i + 1 < n && p[i + 1].unicode() == u'\n') {
        form = quint8(TextView::LineBreak::CrLf);
        i += 2;
    } else if (c == u'\r') {
        form = quint8(TextView::LineBreak::Cr);
        ++i;
    } else if (c == u'\n') {
        form = quint8(TextView::LineBreak::Lf);
        ++i;
    } else {
        return false;
    }
    return true;
}

// Puts back the line-break forms a conversion replaced; the document's own
// undo runs it, since the text itself did not change.
class BreakFormsUndo : public QAbstractUndoItem
{
public:
    using Apply = std::function<void(const std::vector<quint8> &)>;
    BreakFormsUndo(Apply apply, std::vector<quint8> before, std::vector<quint8> after)
        : m_apply(std::move(apply)), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_apply(m_before); }
    void redo() override { m_apply(m_after); }

private:
    Apply m_apply;
    std::vector<quint8> m_before;
    std::vector<quint8> m_after;
};

} // namespace

TextView::Shape TextView::compareShape(const QString &raw, std::vector<quint8> &forms) const
{
    forms.clear();
    forms.reserve(m_breaks.size());
    const QChar *p = raw.constData();
    const qsizetype n = raw.size();
    qsizetype i = 0;
    Shape shape = Shape::SameText;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        const qsizetype length = line.size();
        if (i + length > n)
            return Shape::Different;
        if (std::memcmp(p + i, line.constData(), std::size_t(length) * sizeof(QChar)) != 0) {
            // A break inside the line would add a line.
            for (qsizetype k = i; k < i + length; ++k) {
                if (isBreak(p[k].unicode()))
                    return Shape::Different;
            }
            shape = Shape::SameLines;
        }
        i += length;
        if (!block.next().isValid())
            return i == n ? shape : Shape::Different;
        quint8 form = 0;
        if (!readBreak(p, n, i, form))
            return Shape::Different;
        forms.push_back(form);
    }
    return Shape::Different;
}

void TextView::replaceChangedRuns(const QString &raw)
{
    const QChar *p = raw.constData();
    const qsizetype n = raw.size();
    qsizetype i = 0;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
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
        i += length;
        quint8 form = 0;
        readBreak(p, n, i, form);
    }
    cursor.endEditBlock();
}

void TextView::replaceForms(std::vector<quint8> forms)
{
    m_redoBreaks.clear();
    auto apply = [this](const std::vector<quint8> &f) {
        m_breaks = f;
        Q_EMIT changed();
    };
    document()->appendUndoItem(new BreakFormsUndo(apply, m_breaks, forms));
    apply(forms);
}

} // namespace zp
