#include "editor/textview.h"

#include "editor/paddedtextlayout.h"
#include "editor/plaindocumentfill.h"
#include "platform/cp932codec.h"
#include "platform/droppedfiles.h"
#include "platform/filewriter.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <limits>

namespace zp {

namespace {

constexpr QChar ParagraphSeparator(0x2029);
constexpr QChar LineSeparator(0x2028);

const QLatin1String &breakText(quint8 form)
{
    static const QLatin1String crlf("\r\n"), cr("\r"), lf("\n");
    switch (TextView::LineBreak(form)) {
    case TextView::LineBreak::Cr: return cr;
    case TextView::LineBreak::Lf: return lf;
    case TextView::LineBreak::CrLf:
    case TextView::LineBreak::Cut: break;
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
    auto *doc = new QTextDocument(this);
    m_layout = new PaddedTextLayout(doc);
    doc->setDocumentLayout(m_layout);
    setDocument(doc);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    m_layout->layOutWithoutWidth();
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
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TextView::updateCaretBlinking);
    m_countingTimer = new QTimer(this);
    m_countingTimer->setSingleShot(true);
    connect(m_countingTimer, &QTimer::timeout, this, &TextView::countOnFromEventLoop);
}

void TextView::updateCaretBlinking()
{
    // A blink repaints the caret's rectangle, and every line that rectangle
    // touches is drawn whole: its own line, and the lines just above and
    // below, which it overlaps by a pixel. Drawing a line of millions of
    // characters shapes all of them, a second or more, so the blinking alone
    // would keep the program busy. The caret stays lit while the focused view
    // has it in or beside such a line (Ctrl+End in a file that is one long
    // line and a final break puts it on the empty line below).
    const QTextBlock block = textCursor().block();
    const auto isLong = [](const QTextBlock &b) { return b.isValid() && b.length() > LongLineForBlinking; };
    const bool steady = hasFocus() && (isLong(block) || isLong(block.previous()) || isLong(block.next()));
    if (steady == m_caretSteady)
        return;
    m_caretSteady = steady;
    if (hasFocus())
        restartCaret(!steady);
}

void TextView::restartCaret(bool blinking)
{
    // The editing control starts its blink timer when it shows the caret on
    // focus-in, at the application's flash time. It is shown again here with
    // the flash time 0 for that moment only: the style hints' signals are held
    // meanwhile, so no other window's caret hears of it.
    QStyleHints *hints = QGuiApplication::styleHints();
    const int flashTime = hints->cursorFlashTime();
    const QSignalBlocker quiet(hints);
    if (!blinking)
        hints->setCursorFlashTime(0);
    // A window-activation reason keeps the selection as it is.
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QPlainTextEdit::focusOutEvent(&out);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QPlainTextEdit::focusInEvent(&in);
    hints->setCursorFlashTime(flashTime);
}

TextView::~TextView() = default;

void TextView::focusInEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusInEvent(event);
    // Qt's focus-in started the blinking afresh.
    m_caretSteady = false;
    updateCaretBlinking();
}

void TextView::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    m_caretSteady = false;
}

QString TextView::text() const
{
    if (!m_cuts.empty())
        return textRange(0, textLength());
    QString t = document()->toRawText();
    t.replace(ParagraphSeparator, QLatin1Char('\n'));
    t.replace(LineSeparator, QLatin1Char('\n'));
    return t;
}

QString TextView::splitBreaks(QString raw, std::vector<quint8> &breaks)
{
    // The plain text is never longer than raw, so it is written over raw's
    // own buffer: a large file's text does not exist twice while it is set.
    breaks.clear();
    const qsizetype n = raw.size();
    QChar *p = raw.data();
    qsizetype out = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i].unicode();
        if (c != u'\r' && c != u'\n' && c != ParagraphSeparator.unicode()
            && c != LineSeparator.unicode()) {
            p[out++] = p[i];
            continue;
        }
        p[out++] = ParagraphSeparator;
        if (c == u'\r' && i + 1 < n && p[i + 1] == QLatin1Char('\n')) {
            breaks.push_back(quint8(LineBreak::CrLf));
            ++i;
        } else if (c == u'\r') {
            breaks.push_back(quint8(LineBreak::Cr));
        } else {
            breaks.push_back(quint8(LineBreak::Lf));
        }
    }
    raw.truncate(out);
    return raw;
}

void TextView::setText(QString raw)
{
    std::vector<quint8> breaks;
    QString plain = splitBreaks(std::move(raw), breaks);
    cutLongLines(plain, breaks);

    // The forms are in place before the change is announced, so listeners of
    // changed() already see the new breaks.
    m_breaks = std::move(breaks);
    m_undoBreaks.clear();
    m_redoBreaks.clear();
    m_settingText = true;
    // The empty text resets the editor (caret, undo history, formats); a
    // large text then goes straight into the document's structures, which
    // is many times faster than setPlainText.
    setPlainText(QString());
    if (!fillEmptyDocument(document(), plain))
        setPlainText(plain);
    plain = QString();
    m_settingText = false;
    m_blockCount = document()->blockCount();
    m_breaks.resize(std::size_t(m_blockCount - 1), quint8(LineBreak::CrLf));
    recountCuts();
}

std::vector<quint8> TextView::lineBreakForms() const
{
    if (m_cuts.empty())
        return m_breaks;
    std::vector<quint8> forms;
    forms.reserve(m_breaks.size() - m_cuts.size());
    std::copy_if(m_breaks.begin(), m_breaks.end(), std::back_inserter(forms),
                 [](quint8 form) { return form != quint8(LineBreak::Cut); });
    return forms;
}

quint8 TextView::newLineBreak() const
{
    const auto real = std::find_if(m_breaks.begin(), m_breaks.end(),
                                   [](quint8 form) { return form != quint8(LineBreak::Cut); });
    return real == m_breaks.end() ? quint8(LineBreak::CrLf) : *real;
}

template <class Flush>
void TextView::writeRaw(QString &out, qsizetype flushAt, Flush flush) const
{
    const QString t = document()->toRawText();
    const quint8 fallback = newLineBreak();
    const QChar *p = t.constData();
    const qsizetype n = t.size();
    qsizetype runStart = 0;
    std::size_t next = 0;
    bool lastWasLoneCr = false;
    // Whether the line since the last break written holds characters.
    bool lineHasText = false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p[i];
        if (c != ParagraphSeparator && c != LineSeparator)
            continue;
        out.append(p + runStart, i - runStart);
        lineHasText = lineHasText || i > runStart;
        runStart = i + 1;
        // A break inside a block (never typed here, but pasted text may carry
        // one) is written in the default form.
        const bool blockEnd = c == ParagraphSeparator;
        quint8 form = blockEnd && next < m_breaks.size() ? m_breaks[next] : fallback;
        if (blockEnd)
            ++next;
        // The boundary between two pieces of a line is no break.
        if (form == quint8(LineBreak::Cut))
            continue;
        // "\r" then "\n" would read back as one CR LF and lose the empty line
        // between them; "\r" then "\r\n" reads back as the two breaks.
        if (form == quint8(LineBreak::Lf) && lastWasLoneCr && !lineHasText)
            form = quint8(LineBreak::CrLf);
        out.append(breakText(form));
        lastWasLoneCr = form == quint8(LineBreak::Cr);
        lineHasText = false;
        if (out.size() >= flushAt)
            flush();
    }
    out.append(p + runStart, n - runStart);
    flush();
}

QString TextView::rawText() const
{
    QString out;
    out.reserve(document()->characterCount() + qsizetype(m_breaks.size()));
    writeRaw(out, std::numeric_limits<qsizetype>::max(), [] {});
    return out;
}

QByteArray TextView::encodedText(qsizetype *unmappable) const
{
    // The text is encoded in pieces of about this many characters, cut after
    // a line break, so that only the encoded bytes and one piece exist beside
    // the document's own copy of the text.
    constexpr qsizetype Piece = qsizetype(1) << 20;
    QByteArray bytes;
    bytes.reserve(2 * qsizetype(document()->characterCount()) + 16); // at most two bytes a character
    QString piece;
    piece.reserve(Piece + Piece / 4);
    qsizetype lost = 0;
    writeRaw(piece, Piece, [&] {
        qsizetype pieceLost = 0;
        bytes += encodeCp932(piece, &pieceLost, m_cp932Variants);
        lost += pieceLost;
        piece.truncate(0);
    });
    if (unmappable)
        *unmappable = lost;
    return bytes;
}

int TextView::selStart() const
{
    return textPosition(textCursor().selectionStart());
}

void TextView::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(documentPosition(std::clamp(start, 0, textLength())));
    setTextCursor(cursor);
}

int TextView::selLength() const
{
    const QTextCursor cursor = textCursor();
    return textPosition(cursor.selectionEnd()) - textPosition(cursor.selectionStart());
}

void TextView::setSelLength(int length)
{
    // A negative length selects nothing; the caret stays at the start.
    select(selStart(), std::max(0, length));
}

void TextView::select(int start, int length)
{
    start = std::clamp(start, 0, textLength());
    QTextCursor cursor = textCursor();
    cursor.setPosition(documentPosition(start));
    if (length > 0)
        cursor.setPosition(documentPosition(std::min(start + length, textLength())), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString TextView::selText() const
{
    if (!m_cuts.empty())
        return textRange(selStart(), selLength());
    return normalizeBreaks(textCursor().selectedText());
}

void TextView::setSelText(const QString &text)
{
    const QString inserted = normalizeBreaks(text);
    QTextCursor cursor = textCursor();
    if (!m_cuts.empty()) {
        const int start = selStart();
        const auto [lower, upper] = editRange(start, start + selLength(), inserted);
        cursor.setPosition(lower);
        cursor.setPosition(upper, QTextCursor::KeepAnchor);
    }
    // Long lines put in are held in pieces, as those of a text that is set:
    // the document reports the insertion (at once, or at the end of an edit
    // block around this one), and the breaks at these places become cuts.
    std::vector<int> cutsAt;
    const QString pieces = cutInserted(inserted, cutsAt);
    for (int &at : cutsAt)
        at += cursor.selectionStart();
    m_pendingCuts = std::move(cutsAt);
    const int insertedAt = cursor.selectionStart();
    cursor.insertText(pieces);
    setTextCursor(cursor);
    // Both ends of the insertion joined a line: the piece the caret ends in,
    // and the one the insertion began in, may each have grown too long. The
    // later one is cut first, so the place of the earlier one holds.
    splitLongPiece(textCursor().block());
    splitLongPiece(document()->findBlock(insertedAt));
    keepCaretOffCuts(-1);
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
    if (margin != 0)
        m_layout->layOutWithoutWidth();
    updateScrollRoom();
}

void TextView::updateScrollRoom()
{
    // A quarter of the view: typing at the end of a long line changes the
    // scroll range once every few dozen keys instead of at every key.
    m_layout->setSlack(m_rightMargin == 0 ? 0 : viewport()->width() / 4, viewport()->width());
}

void TextView::resizeEvent(QResizeEvent *event)
{
    if (lineWrapMode() == QPlainTextEdit::NoWrap && event->oldSize().width() != event->size().width()) {
        // Unwrapped lines do not depend on the width. Told of a new width,
        // the editing control would hand it to the layout, which lays the
        // whole text out again (see PaddedTextLayout::layOutWithoutWidth);
        // told of the height alone, it only updates its scroll bars.
        QResizeEvent heightOnly(event->size(), QSize(event->size().width(), event->oldSize().height()));
        QPlainTextEdit::resizeEvent(&heightOnly);
    } else {
        QPlainTextEdit::resizeEvent(event);
    }
    updateScrollRoom();
}

void TextView::undoEdit()
{
    m_mode = EditMode::Undo;
    undo();
    m_mode = EditMode::Normal;
    keepCaretOffCuts(-1);
}

void TextView::redoEdit()
{
    m_mode = EditMode::Redo;
    redo();
    m_mode = EditMode::Normal;
    m_formsAfterRedo.reset();
    keepCaretOffCuts(-1);
}

bool TextView::saveFile(const QString &path, qsizetype *unmappable, bool allowLoss,
                        QString *error) const
{
    qsizetype lost = 0;
    const QByteArray bytes = encodedText(&lost);
    if (unmappable)
        *unmappable = lost;
    if (lost > 0 && !allowLoss)
        return false;
    return writeWholeFile(path, bytes, error);
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
    const quint8 fallback = newLineBreak();

    const int index = std::min(first, int(m_breaks.size()));
    const int removable = std::min(removed, int(m_breaks.size()) - index);
    std::vector<quint8> gone(m_breaks.begin() + index, m_breaks.begin() + index + removable);
    m_breaks.erase(m_breaks.begin() + index, m_breaks.begin() + index + removable);
    // The change in the positions of text(), reckoned with the cuts as they
    // were.
    const auto cutsBefore = [this](int at) {
        return int(std::lower_bound(m_cuts.begin(), m_cuts.end(), at) - m_cuts.begin());
    };
    const int textStart = position - cutsBefore(position);
    const int textRemoved = charsRemoved - (cutsBefore(position + charsRemoved) - cutsBefore(position));
    bool cutsChanged = !m_cuts.empty();
    if (m_inputMethodKeepsBreaks && m_mode == EditMode::Normal && added <= removable) {
        // An input method's event: the breaks of the selection it replaced
        // went, and the report goes on over the separator ending the block
        // of the composition, which stays (the last break reported). A
        // composition alone adds no undo step: the forms to redo stay.
        const std::size_t went = std::size_t(removable - added);
        m_breaks.insert(m_breaks.begin() + index, gone.begin() + std::ptrdiff_t(went), gone.end());
        if (went > 0) {
            m_redoBreaks.clear();
            m_undoBreaks.push_back({index, std::vector<quint8>(gone.begin(), gone.begin() + std::ptrdiff_t(went))});
        }
        m_blockCount = newCount;
        recountCuts();
        const int addedCuts = cutsBefore(position + charsAdded) - cutsBefore(position);
        Q_EMIT textEdited(textStart, textRemoved, charsAdded - addedCuts);
        return;
    }
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
            // order; only the surplus takes the default. A cut in the span
            // went with the edit (an edit never leaves one at the end of an
            // empty block, the only place the report reaches without a
            // change): every break the edit made is a real one.
            std::copy_if(gone.begin(), gone.end(), std::back_inserter(forms),
                         [](quint8 form) { return form != quint8(LineBreak::Cut); });
            forms.resize(std::size_t(added), fallback);
        }
        if (m_mode == EditMode::Normal && !m_pendingCuts.empty())
            markInsertedCuts(position, charsAdded, index, forms);
        cutsChanged = cutsChanged || std::find(forms.begin(), forms.end(), quint8(LineBreak::Cut)) != forms.end();
        m_breaks.insert(m_breaks.begin() + index, forms.begin(), forms.end());
    }
    if (removable > 0)
        (m_mode == EditMode::Undo ? m_redoBreaks : m_undoBreaks).push_back({index, std::move(gone)});
    m_blockCount = newCount;
    // A whole-text edit redone ends with its own forms.
    if (m_mode == EditMode::Redo && m_formsAfterRedo)
        m_breaks = *m_formsAfterRedo;
    // Guard against a change report that does not add up: the list always has
    // one entry per block boundary.
    m_breaks.resize(std::size_t(newCount - 1), fallback);
    if (cutsChanged || (m_mode == EditMode::Redo && m_formsAfterRedo))
        recountCuts();
    const int addedCuts = cutsBefore(position + charsAdded) - cutsBefore(position);
    Q_EMIT textEdited(textStart, textRemoved, charsAdded - addedCuts);
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
    for (QKeySequence::StandardKey key : {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste}) {
        if (event->matches(key)) {
            event->accept();
            Q_EMIT clipboardKeyPressed(key);
            return;
        }
    }
    const int previousPosition = textCursor().position();
    const int revision = document()->revision();
    if (pieceKeyPress(event))
        return;
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
    keepCaretOffCuts(previousPosition);
    if (document()->revision() != revision)
        splitLongPiece(textCursor().block());
}

void TextView::inputMethodEvent(QInputMethodEvent *event)
{
    // An input method replaces the selection as typing does (its first
    // composition removes it): over the range that keeps the pieces sound.
    if (!m_cuts.empty() && textCursor().hasSelection()) {
        const int start = selStart();
        const auto [lower, upper] = editRange(start, start + selLength(), event->commitString());
        QTextCursor cursor = textCursor();
        cursor.setPosition(lower);
        cursor.setPosition(upper, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    // The event reports the block of the composition as changed, its
    // separator included: that break is kept as recorded, unless the
    // committed text brings breaks of its own (see onContentsChange).
    const QString &commit = event->commitString();
    m_inputMethodKeepsBreaks = std::none_of(commit.begin(), commit.end(), [](QChar c) {
        return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == ParagraphSeparator || c == LineSeparator;
    });
    const int revision = document()->revision();
    QPlainTextEdit::inputMethodEvent(event);
    m_inputMethodKeepsBreaks = false;
    if (!document()->isRedoAvailable())
        m_redoBreaks.clear();
    // Committed text grows a piece as typing does, and the piece is cut as
    // typing cuts it, when no composition is under way in it; text committed
    // over a selection that ended at a cut leaves the caret past it.
    if (document()->revision() != revision && event->preeditString().isEmpty()) {
        splitLongPiece(textCursor().block());
        keepCaretOffCuts(-1);
    }
}

void TextView::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    keepCaretOffCuts(-1);
    Q_EMIT mouseDown(event->button(), event->globalPosition().toPoint());
}

void TextView::mouseMoveEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseMoveEvent(event);
    keepCaretOffCuts(-1);
}

void TextView::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    keepCaretOffCuts(-1);
}

void TextView::contextMenuEvent(QContextMenuEvent *event)
{
    // The program's own right-click menu is shown from mouseDown; the context
    // menu key shows it at the caret.
    if (event->reason() == QContextMenuEvent::Keyboard)
        Q_EMIT mouseDown(Qt::RightButton, viewport()->mapToGlobal(cursorRect().bottomLeft()));
    event->accept();
}

void TextView::insertFromMimeData(const QMimeData *source)
{
    // Reached by the X11 middle-button paste; an empty text changes nothing,
    // as with Paste.
    if (!source || source->text().isEmpty())
        return;
    setSelText(source->text());
    ensureCursorVisible();
}

bool TextView::canInsertFromMimeData(const QMimeData *source) const
{
    return !droppedLocalFiles(source).isEmpty();
}

// Only files are taken from a drag, and the program opens them: the view
// itself inserts nothing, so dragged text (a selection of this text too) is
// refused.
void TextView::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedLocalFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void TextView::dragMoveEvent(QDragMoveEvent *event)
{
    if (droppedLocalFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void TextView::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedLocalFiles(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    Q_EMIT filesDropped(files);
}

} // namespace zp
