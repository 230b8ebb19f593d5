#include "editor/textview.h"

#include "platform/cp932codec.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSaveFile>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <functional>
#include <climits>
#include <cmath>

namespace zp {

namespace {

constexpr QChar ParagraphSeparator(0x2029);
constexpr QChar LineSeparator(0x2028);
// Undo and redo keep the removed forms of at most this many changes each; an
// older undo step brings its breaks back in the default form.
constexpr std::size_t MaxRemovedRecords = 4096;

const QLatin1String &breakText(quint8 form)
{
    static const QLatin1String crlf("\r\n"), cr("\r"), lf("\n");
    switch (TextView::LineBreak(form)) {
    case TextView::LineBreak::Cr: return cr;
    case TextView::LineBreak::Lf: return lf;
    case TextView::LineBreak::CrLf: break;
    }
    return crlf;
}

// "\r\n", "\r" and the separators the document may hand back all become "\n".
QString normalizeBreaks(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(ParagraphSeparator, QLatin1Char('\n'));
    text.replace(LineSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace

TextView::TextView(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setAcceptDrops(true);
    // The first line starts at the top edge, where the gutter's first row is;
    // a small left margin keeps the text off the gutter.
    document()->setDocumentMargin(0);
    setViewportMargins(3, 0, 0, 0);
    // The margin is filled with the text's background colour; the scroll bars
    // keep the window colours.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    m_blockCount = document()->blockCount();
    connect(document(), &QTextDocument::contentsChange, this, &TextView::onContentsChange);
    connect(this, &QPlainTextEdit::textChanged, this, &TextView::changed);
}

QString TextView::text() const
{
    QString t = document()->toRawText();
    t.replace(ParagraphSeparator, QLatin1Char('\n'));
    t.replace(LineSeparator, QLatin1Char('\n'));
    return t;
}

QString TextView::splitBreaks(const QString &raw, std::vector<quint8> &breaks)
{
    QString plain;
    plain.reserve(raw.size());
    breaks.clear();
    const QChar *p = raw.constData();
    const qsizetype n = raw.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c != u'\r' && c != u'\n' && c != ParagraphSeparator.unicode()
            && c != LineSeparator.unicode())
            continue;
        plain.append(p + runStart, i - runStart);
        plain.append(QLatin1Char('\n'));
        if (c == u'\r' && i + 1 < n && p[i + 1] == QLatin1Char('\n')) {
            breaks.push_back(quint8(LineBreak::CrLf));
            ++i;
        } else if (c == u'\r') {
            breaks.push_back(quint8(LineBreak::Cr));
        } else {
            breaks.push_back(quint8(LineBreak::Lf));
        }
        runStart = i + 1;
    }
    plain.append(p + runStart, n - runStart);
    return plain;
}

void TextView::setText(const QString &raw)
{
    std::vector<quint8> breaks;
    const QString plain = splitBreaks(raw, breaks);

    // The forms are in place before the change is announced, so listeners of
    // changed() already see the new breaks.
    m_breaks = std::move(breaks);
    m_undoBreaks.clear();
    m_redoBreaks.clear();
    m_settingText = true;
    setPlainText(plain);
    m_settingText = false;
    m_blockCount = document()->blockCount();
    m_breaks.resize(std::size_t(m_blockCount - 1), quint8(LineBreak::CrLf));
}

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

QString TextView::rawText() const
{
    const QString t = document()->toRawText();
    const quint8 fallback = m_breaks.empty() ? quint8(LineBreak::CrLf) : m_breaks.front();
    QString out;
    out.reserve(t.size() + qsizetype(m_breaks.size()));
    const QChar *p = t.constData();
    const qsizetype n = t.size();
    qsizetype runStart = 0;
    std::size_t next = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == ParagraphSeparator) {
            out.append(p + runStart, i - runStart);
            out.append(breakText(next < m_breaks.size() ? m_breaks[next] : fallback));
            ++next;
            runStart = i + 1;
        } else if (p[i] == LineSeparator) {
            // A break inside a block (never typed here, but pasted text may
            // carry one): written in the default form.
            out.append(p + runStart, i - runStart);
            out.append(breakText(fallback));
            runStart = i + 1;
        }
    }
    out.append(p + runStart, n - runStart);
    return out;
}

int TextView::selStart() const
{
    return textCursor().selectionStart();
}

void TextView::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(start, 0, document()->characterCount() - 1));
    setTextCursor(cursor);
}

int TextView::selLength() const
{
    const QTextCursor cursor = textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextView::setSelLength(int length)
{
    const int start = selStart();
    QTextCursor cursor = textCursor();
    cursor.setPosition(start);
    // A negative length selects nothing; the caret stays at the start.
    if (length > 0)
        cursor.setPosition(std::min(start + length, document()->characterCount() - 1),
                           QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString TextView::selText() const
{
    return normalizeBreaks(textCursor().selectedText());
}

void TextView::setSelText(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(normalizeBreaks(text));
    setTextCursor(cursor);
}

QColor TextView::textColor() const
{
    return palette().color(QPalette::Text);
}

void TextView::setTextColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

QColor TextView::backColor() const
{
    return palette().color(QPalette::Base);
}

void TextView::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void TextView::setRightMargin(int margin)
{
    m_rightMargin = margin;
    setLineWrapMode(margin == 0 ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TextView::undoEdit()
{
    m_mode = EditMode::Undo;
    undo();
    m_mode = EditMode::Normal;
}

void TextView::redoEdit()
{
    m_mode = EditMode::Redo;
    redo();
    m_mode = EditMode::Normal;
}

int TextView::firstVisibleLine() const
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
    return displayLinesBefore(top.blockNumber()) + within;
}

int TextView::displayLinesBefore(int blockNumber) const
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
        QTextBlock block = doc->findBlockByNumber(known);
        for (; known < blockNumber && block.isValid(); ++known, block = block.next())
            m_wrapPrefix.push_back(m_wrapPrefix.back() + wrappedLineCount(block));
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

bool TextView::saveFile(const QString &path, qsizetype *unmappable, bool allowLoss) const
{
    qsizetype lost = 0;
    const QByteArray bytes = encodeCp932(rawText(), &lost);
    if (unmappable)
        *unmappable = lost;
    if (lost > 0 && !allowLoss)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void TextView::onContentsChange(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    // Blocks from the changed one on may wrap differently now.
    const std::size_t changedBlock = std::size_t(document()->findBlock(position).blockNumber());
    if (m_wrapPrefix.size() > changedBlock + 1)
        m_wrapPrefix.resize(changedBlock + 1);
    if (m_settingText)
        return;
    const QTextDocument *doc = document();
    const int newCount = doc->blockCount();
    const int first = std::max(0, doc->findBlock(position).blockNumber());
    const int endPosition = std::min(position + charsAdded, doc->characterCount() - 1);
    const int added = std::max(0, doc->findBlock(endPosition).blockNumber() - first);
    // The change replaced a run of text: whatever breaks it added beyond the
    // growth of the block count, it removed.
    const int removed = std::max(0, added - (newCount - m_blockCount));
    const quint8 fallback = m_breaks.empty() ? quint8(LineBreak::CrLf) : m_breaks.front();

    const int index = std::min(first, int(m_breaks.size()));
    const int removable = std::min(removed, int(m_breaks.size()) - index);
    std::vector<quint8> gone(m_breaks.begin() + index, m_breaks.begin() + index + removable);
    m_breaks.erase(m_breaks.begin() + index, m_breaks.begin() + index + removable);
    if (m_mode == EditMode::Normal)
        m_redoBreaks.clear();
    if (added > 0) {
        std::vector<quint8> forms;
        if (m_mode == EditMode::Undo) {
            forms = takeForms(m_undoBreaks, added, fallback);
        } else if (m_mode == EditMode::Redo) {
            forms = takeForms(m_redoBreaks, added, fallback);
        } else {
            // Several edits made in one edit block are reported as one change
            // over the span they cover, breaks between them included. Breaks
            // that went and came back in equal numbers keep their forms in
            // order; only the surplus takes the default.
            forms.assign(gone.begin(), gone.begin() + std::min(removable, added));
            forms.resize(std::size_t(added), fallback);
        }
        m_breaks.insert(m_breaks.begin() + index, forms.begin(), forms.end());
    }
    if (removable > 0)
        pushRemoved(m_mode == EditMode::Undo ? m_redoBreaks : m_undoBreaks, {index, std::move(gone)});
    m_blockCount = newCount;
    // Guard against a change report that does not add up: the list always has
    // one entry per block boundary.
    m_breaks.resize(std::size_t(newCount - 1), fallback);
}

std::vector<quint8> TextView::takeForms(BreakStack &stack, int count, quint8 fallback)
{
    // One undo step may bring back the breaks of several merged removals (a
    // run of Backspace or Delete presses); put them back in document order,
    // earlier removals first where they stood at the same place.
    std::vector<RemovedBreaks> taken;
    int have = 0;
    while (have < count && !stack.empty()) {
        have += int(stack.back().forms.size());
        taken.push_back(std::move(stack.back()));
        stack.pop_back();
    }
    std::reverse(taken.begin(), taken.end());
    std::stable_sort(taken.begin(), taken.end(),
                     [](const RemovedBreaks &a, const RemovedBreaks &b) { return a.index < b.index; });
    std::vector<quint8> forms;
    for (const RemovedBreaks &r : taken)
        forms.insert(forms.end(), r.forms.begin(), r.forms.end());
    forms.resize(std::size_t(count), fallback);
    return forms;
}

void TextView::pushRemoved(BreakStack &stack, RemovedBreaks removed)
{
    stack.push_back(std::move(removed));
    if (stack.size() > MaxRemovedRecords)
        stack.pop_front();
}

void TextView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo)) {
        undoEdit();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Redo)) {
        redoEdit();
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & Qt::ShiftModifier)) {
        // Shift+Enter would put a break inside a line; every break here is a
        // line of its own.
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextView::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    Q_EMIT mouseDown(event->button(), event->globalPosition().toPoint());
}

void TextView::contextMenuEvent(QContextMenuEvent *event)
{
    // The program's own right-click menu is shown from mouseDown; the context
    // menu key shows it at the caret.
    if (event->reason() == QContextMenuEvent::Keyboard)
        Q_EMIT mouseDown(Qt::RightButton, viewport()->mapToGlobal(cursorRect().bottomLeft()));
    event->accept();
}

void TextView::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    Q_EMIT painted();
}

void TextView::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    setSelText(source->text());
    ensureCursorVisible();
}

bool TextView::canInsertFromMimeData(const QMimeData *source) const
{
    return !localFiles(source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
}

QStringList TextView::localFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void TextView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

void TextView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
        return;
    }
    QPlainTextEdit::dragMoveEvent(event);
}

void TextView::dropEvent(QDropEvent *event)
{
    // Dropped files are opened by the program, never inserted as text.
    const QStringList files = localFiles(event->mimeData());
    if (!files.isEmpty()) {
        event->acceptProposedAction();
        Q_EMIT filesDropped(files);
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

} // namespace zp
