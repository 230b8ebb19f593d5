// The text view's display pieces of very long lines.
//
// Qt lays a block of the document out whole, shaping every character of it,
// at each edit of the block (about 0.25 µs a character: a second a key in a
// line of four million), and a line wider than 2^25 pixels overflows its
// fixed-point coordinates. A line longer than the piece length is therefore
// held as several blocks, pieces of that length, each shown as a row of its
// own. The boundary between two pieces is a break of the form Cut; text(),
// rawText(), the positions of selStart() and the rest, the line-break forms
// and the line numbers go across cuts as if they were not there.
//
// Pieces are made when a text is set (setText, replaceText) and in the lines
// a paste puts in; they grow with typing and merge when an edit spans a cut,
// and a block an edit leaves longer than twice the piece length is cut again
// within the edit's undo step. An edit never leaves an empty block that ends
// with a cut: Qt reports an edit in an empty block as a change
// of that block's separator too, and only a real break may be taken for a
// break the edit made. The caret never rests just before a cut, and the keys
// that delete act on the characters beside a cut, never on the cut alone.

#include "editor/textview.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <functional>

namespace zp {

namespace {

constexpr QChar ParagraphSeparator(0x2029);
constexpr QChar LineSeparator(0x2028);
constexpr quint8 CutForm = quint8(TextView::LineBreak::Cut);

// Where a line of length characters is cut into pieces of about piece
// characters: offsets inside it, never between the halves of a surrogate pair.
std::vector<int> cutOffsets(QStringView line, int piece)
{
    std::vector<int> offsets;
    const int n = int(line.size());
    for (int at = piece; at < n; at += piece) {
        int cut = at;
        if (line.at(cut).isLowSurrogate() && line.at(cut - 1).isHighSurrogate())
            ++cut;
        if (cut < n && (offsets.empty() || cut > offsets.back()))
            offsets.push_back(cut);
    }
    return offsets;
}

// Whether offsets would leave an empty piece or split a surrogate pair of line.
bool unsoundCuts(QStringView line, const std::vector<int> &offsets)
{
    return std::adjacent_find(offsets.begin(), offsets.end(), std::greater_equal<int>()) != offsets.end()
        || std::any_of(offsets.begin(), offsets.end(), [&](int at) {
               return at <= 0 || at >= line.size()
                   || (line.at(at).isLowSurrogate() && line.at(at - 1).isHighSurrogate());
           });
}

// Appends line to out with a separator at each offset, and a Cut form for each
// to forms.
void appendCut(QString &out, std::vector<quint8> &forms, QStringView line, const std::vector<int> &offsets,
               QChar separator)
{
    int from = 0;
    for (const int at : offsets) {
        out.append(line.mid(from, at - from));
        out.append(separator);
        forms.push_back(CutForm);
        from = at;
    }
    out.append(line.mid(from));
}

// Removes from text (which starts at document position offset) the separators
// of the cuts.
void removeCuts(QString &text, const std::vector<int> &cuts, int offset)
{
    auto cut = std::lower_bound(cuts.begin(), cuts.end(), offset);
    const int end = offset + int(text.size());
    if (cut == cuts.end() || *cut >= end)
        return;
    QChar *p = text.data();
    qsizetype out = *cut - offset;
    for (qsizetype i = out; i < text.size(); ++i) {
        if (cut != cuts.end() && *cut == offset + i) {
            ++cut;
            continue;
        }
        p[out++] = p[i];
    }
    text.truncate(out);
}

} // namespace

void TextView::cutLongLines(QString &plain, std::vector<quint8> &breaks) const
{
    const QChar *p = plain.constData();
    const qsizetype n = plain.size();
    bool anyLong = false;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= n && !anyLong; ++i) {
        if (i < n && p[i] != ParagraphSeparator)
            continue;
        anyLong = i - lineStart > m_pieceLength;
        lineStart = i + 1;
    }
    if (!anyLong)
        return;
    QString out;
    out.reserve(n + n / m_pieceLength + 1);
    std::vector<quint8> forms;
    forms.reserve(breaks.size() + std::size_t(n / m_pieceLength) + 1);
    std::size_t next = 0;
    lineStart = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && p[i] != ParagraphSeparator)
            continue;
        const QStringView line(p + lineStart, i - lineStart);
        appendCut(out, forms, line, cutOffsets(line, m_pieceLength), ParagraphSeparator);
        if (i < n) {
            out.append(ParagraphSeparator);
            forms.push_back(next < breaks.size() ? breaks[next++] : newLineBreak());
        }
        lineStart = i + 1;
    }
    plain = std::move(out);
    breaks = std::move(forms);
}

QString TextView::cutLikeDocument(const QString &text, std::vector<quint8> &forms) const
{
    // A line keeps the cuts of the document's line of the same number when
    // the two are as long (a conversion that keeps the lengths then rewrites
    // only the characters that differ); other lines are cut afresh.
    if (m_cuts.empty()) {
        qsizetype lineStart = 0;
        bool anyLong = false;
        for (qsizetype i = text.indexOf(QLatin1Char('\n')); !anyLong; i = text.indexOf(QLatin1Char('\n'), lineStart)) {
            const qsizetype end = i < 0 ? text.size() : i;
            anyLong = end - lineStart > m_pieceLength;
            if (i < 0)
                break;
            lineStart = i + 1;
        }
        if (!anyLong)
            return text;
    }
    QString out;
    out.reserve(text.size() + text.size() / m_pieceLength + 1);
    std::vector<quint8> outForms;
    outForms.reserve(forms.size());
    QTextBlock block = document()->begin();
    std::size_t form = 0;
    qsizetype lineStart = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && text.at(i) != QLatin1Char('\n'))
            continue;
        const QStringView line = QStringView(text).mid(lineStart, i - lineStart);
        std::vector<int> offsets;
        int length = -1;
        if (block.isValid()) {
            length = 0;
            for (bool goesOn = true; goesOn && block.isValid(); block = block.next()) {
                length += block.length() - 1;
                goesOn = continuesLine(block.blockNumber() + 1);
                if (goesOn)
                    offsets.push_back(length);
            }
        }
        if (length != int(line.size()) || unsoundCuts(line, offsets))
            offsets = cutOffsets(line, m_pieceLength);
        appendCut(out, outForms, line, offsets, QLatin1Char('\n'));
        if (i < n) {
            out.append(QLatin1Char('\n'));
            outForms.push_back(form < forms.size() ? forms[form++] : newLineBreak());
        }
        lineStart = i + 1;
    }
    forms = std::move(outForms);
    return out;
}

QString TextView::cutInserted(const QString &text, std::vector<int> &cutsAt) const
{
    cutsAt.clear();
    const auto lines = QStringView(text).split(QLatin1Char('\n'));
    if (std::none_of(lines.begin(), lines.end(), [&](QStringView line) { return line.size() > m_pieceLength; }))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / m_pieceLength + 1);
    std::vector<quint8> forms;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QStringView line = lines.at(k);
        const std::vector<int> offsets = line.size() > m_pieceLength ? cutOffsets(line, m_pieceLength) : std::vector<int>();
        for (std::size_t c = 0; c < offsets.size(); ++c)
            cutsAt.push_back(int(out.size()) + offsets[c] + int(c));
        appendCut(out, forms, line, offsets, QLatin1Char('\n'));
        if (k + 1 < lines.size())
            out.append(QLatin1Char('\n'));
    }
    return out;
}

void TextView::splitLongPiece(const QTextBlock &block)
{
    // A piece grown to twice the length by typing or a paste (or a line made
    // long by joining lines) is cut again, as part of the edit's undo step.
    // An insertion whose cuts are not reported yet is left alone.
    if (!m_pendingCuts.empty() || block.length() - 1 <= 2 * m_pieceLength)
        return;
    const std::vector<int> offsets = cutOffsets(block.text(), m_pieceLength);
    if (offsets.empty())
        return;
    const int start = block.position();
    for (std::size_t k = 0; k < offsets.size(); ++k)
        m_pendingCuts.push_back(start + offsets[k] + int(k));
    QTextCursor cursor(document());
    cursor.joinPreviousEditBlock();
    for (auto at = offsets.rbegin(); at != offsets.rend(); ++at) {
        cursor.setPosition(start + *at);
        cursor.insertText(QStringLiteral("\n"));
    }
    cursor.endEditBlock();
}

void TextView::markInsertedCuts(int position, int added, int index, std::vector<quint8> &forms)
{
    std::vector<int> cuts = std::move(m_pendingCuts);
    m_pendingCuts.clear();
    // Every place must be a break of the reported text, or none is taken.
    const QTextDocument *doc = document();
    for (const int at : cuts) {
        if (at < position || at >= position + added || doc->characterAt(at) != ParagraphSeparator)
            return;
    }
    const std::vector<quint8> given = forms;
    auto cut = cuts.begin();
    std::size_t real = 0;
    QTextBlock block = doc->findBlockByNumber(index);
    for (std::size_t k = 0; k < forms.size() && block.isValid(); ++k, block = block.next()) {
        const bool isCut = cut != cuts.end() && *cut == block.position() + block.length() - 1;
        cut += isCut;
        forms[k] = isCut ? CutForm : given[std::min(real++, given.size() - 1)];
    }
}

void TextView::recountCuts()
{
    m_cuts.clear();
    const QTextDocument *doc = document();
    QTextBlock block;
    for (auto it = std::find(m_breaks.begin(), m_breaks.end(), CutForm); it != m_breaks.end();
         it = std::find(it + 1, m_breaks.end(), CutForm)) {
        const int number = int(it - m_breaks.begin());
        // Pieces of one line follow each other: the next block is at hand.
        block = block.isValid() && block.blockNumber() == number - 1 ? block.next()
                                                                       : doc->findBlockByNumber(number);
        if (!block.isValid())
            break;
        m_cuts.push_back(block.position() + block.length() - 1);
    }
}

bool TextView::continuesLine(int blockNumber) const
{
    return blockNumber > 0 && std::size_t(blockNumber - 1) < m_breaks.size()
        && m_breaks[std::size_t(blockNumber - 1)] == CutForm;
}

int TextView::textLength() const
{
    return document()->characterCount() - 1 - int(m_cuts.size());
}

int TextView::textPosition(int documentPosition) const
{
    return documentPosition - int(std::lower_bound(m_cuts.begin(), m_cuts.end(), documentPosition) - m_cuts.begin());
}

int TextView::documentPosition(int position) const
{
    // Cut k stands at text position m_cuts[k] - k; those at or before
    // position lie before it in the document.
    int low = 0, high = int(m_cuts.size());
    while (low < high) {
        const int mid = (low + high) / 2;
        if (m_cuts[std::size_t(mid)] - mid <= position)
            low = mid + 1;
        else
            high = mid;
    }
    return position + low;
}

int TextView::documentPositionBefore(int position) const
{
    int low = 0, high = int(m_cuts.size());
    while (low < high) {
        const int mid = (low + high) / 2;
        if (m_cuts[std::size_t(mid)] - mid < position)
            low = mid + 1;
        else
            high = mid;
    }
    return position + low;
}

QString TextView::textRange(int position, int count) const
{
    const int total = textLength();
    position = std::clamp(position, 0, total);
    const int end = std::min(total, position + std::max(0, count));
    if (end <= position)
        return QString();
    const int from = documentPosition(position);
    QTextCursor cursor(const_cast<QTextDocument *>(document()));
    cursor.setPosition(from);
    cursor.setPosition(documentPositionBefore(end), QTextCursor::KeepAnchor);
    QString piece = cursor.selectedText();
    removeCuts(piece, m_cuts, from);
    piece.replace(ParagraphSeparator, QLatin1Char('\n'));
    piece.replace(LineSeparator, QLatin1Char('\n'));
    return piece;
}

std::pair<int, int> TextView::editRange(int from, int to, const QString &inserted) const
{
    int lower = documentPosition(from);
    int upper = std::max(lower, documentPositionBefore(to));
    if (m_cuts.empty())
        return {lower, upper};
    const QTextDocument *doc = document();
    const auto isCut = [&](int position) { return std::binary_search(m_cuts.begin(), m_cuts.end(), position); };
    const bool hasBreak = inserted.contains(QLatin1Char('\n'));
    const qsizetype lastBreak = inserted.lastIndexOf(QLatin1Char('\n'));
    const bool lastLineEmpty = lastBreak + 1 == inserted.size();
    const bool firstLineEmpty = inserted.isEmpty() || inserted.front() == QLatin1Char('\n');
    // The block that ends with the cut at upper would be left empty: the cut
    // goes with the edit.
    if (isCut(upper) && lastLineEmpty && (hasBreak || doc->findBlock(lower).position() == lower))
        ++upper;
    // The block after the cut before lower would be left empty, ending with a
    // real break: the cut goes too, so that no empty row stays.
    const QTextBlock upperBlock = doc->findBlock(upper);
    if (lower > 0 && isCut(lower - 1) && firstLineEmpty
        && (hasBreak || upperBlock.position() + upperBlock.length() - 1 == upper))
        --lower;
    return {lower, upper};
}

std::optional<std::pair<int, int>> TextView::deletedRange(QKeyEvent *event) const
{
    const bool backspace = event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    const bool deleting = backspace || event->matches(QKeySequence::Delete)
        || event->matches(QKeySequence::DeleteStartOfWord) || event->matches(QKeySequence::DeleteEndOfWord)
        || event->matches(QKeySequence::DeleteEndOfLine) || event->matches(QKeySequence::DeleteCompleteLine);
    if (!deleting)
        return std::nullopt;
    const int start = selStart();
    const int length = selLength();
    if (length > 0 && !event->matches(QKeySequence::DeleteCompleteLine))
        return std::make_pair(start, start + length);
    const int total = textLength();
    const auto pairAt = [&](int at) {
        const QString two = textRange(at, 2);
        return two.size() == 2 && two.at(0).isHighSurrogate() && two.at(1).isLowSurrogate();
    };
    QTextCursor cursor(const_cast<QTextDocument *>(document()));
    if (backspace)
        return std::make_pair(std::max(0, start - (start >= 2 && pairAt(start - 2) ? 2 : 1)), start);
    if (event->matches(QKeySequence::Delete))
        return std::make_pair(start, std::min(total, start + (pairAt(start) ? 2 : 1)));
    if (event->matches(QKeySequence::DeleteStartOfWord)) {
        cursor.setPosition(documentPositionBefore(start));
        cursor.movePosition(QTextCursor::PreviousWord);
        return std::make_pair(textPosition(cursor.position()), start);
    }
    if (event->matches(QKeySequence::DeleteEndOfWord)) {
        cursor.setPosition(documentPosition(start));
        cursor.movePosition(QTextCursor::NextWord);
        return std::make_pair(start, textPosition(cursor.position()));
    }
    const QTextBlock block = document()->findBlock(documentPosition(start));
    const QTextBlock last = lineEndBlock(block);
    const int lineEnd = textPosition(last.position() + last.length() - 1);
    if (event->matches(QKeySequence::DeleteEndOfLine))
        return std::make_pair(start, lineEnd > start ? lineEnd : std::min(total, start + 1));
    return std::make_pair(textPosition(lineStartBlock(block).position()), lineEnd);
}

bool TextView::pieceKeyPress(QKeyEvent *event)
{
    if (m_cuts.empty())
        return false;
    QTextCursor cursor = textCursor();
    const bool toStart = event->matches(QKeySequence::MoveToStartOfLine) || event->matches(QKeySequence::SelectStartOfLine);
    const bool toEnd = event->matches(QKeySequence::MoveToEndOfLine) || event->matches(QKeySequence::SelectEndOfLine);
    if ((toStart || toEnd) && lineWrapMode() == QPlainTextEdit::NoWrap) {
        // Home and End go to the ends of the whole line, not of the piece.
        const bool select = event->matches(QKeySequence::SelectStartOfLine) || event->matches(QKeySequence::SelectEndOfLine);
        const QTextBlock block = toStart ? lineStartBlock(cursor.block()) : lineEndBlock(cursor.block());
        cursor.setPosition(toStart ? block.position() : block.position() + block.length() - 1,
                           select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
        setTextCursor(cursor);
        event->accept();
        return true;
    }
    if (const auto range = deletedRange(event)) {
        if (range->first < range->second) {
            const auto [lower, upper] = editRange(range->first, range->second, QString());
            cursor.setPosition(lower);
            cursor.setPosition(upper, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            setTextCursor(cursor);
            keepCaretOffCuts(-1);
            splitLongPiece(textCursor().block());
        }
        event->accept();
        return true;
    }
    // Typing and Enter replace the selection (or insert at the caret) as the
    // editing control does, over the range that keeps the pieces sound.
    const QString typed = event->text();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter || (!typed.isEmpty() && (typed.front().isPrint() || typed.front() == QLatin1Char('\t')))) {
        const int start = selStart();
        const auto [lower, upper] = editRange(start, start + selLength(), enter ? QStringLiteral("\n") : typed);
        cursor.setPosition(lower);
        cursor.setPosition(upper, QTextCursor::KeepAnchor);
        setTextCursor(cursor);
    }
    return false;
}

void TextView::keepCaretOffCuts(int previousPosition)
{
    if (m_cuts.empty())
        return;
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    if (!std::binary_search(m_cuts.begin(), m_cuts.end(), position))
        return;
    int target = position + 1;
    if (previousPosition == position + 1) {
        // A step to the left from just past the cut goes on to the character
        // before it.
        const int at = textPosition(position);
        const QString two = textRange(at - 2, 2);
        const bool pair = two.size() == 2 && two.at(0).isHighSurrogate() && two.at(1).isLowSurrogate();
        if (at > 0)
            target = documentPosition(at - (pair ? 2 : 1));
    }
    if (cursor.hasSelection()) {
        const int anchor = cursor.anchor();
        cursor.setPosition(anchor);
        cursor.setPosition(target, QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(target);
    }
    setTextCursor(cursor);
}

QTextBlock TextView::lineStartBlock(QTextBlock block) const
{
    while (block.isValid() && continuesLine(block.blockNumber()))
        block = block.previous();
    return block;
}

QTextBlock TextView::lineEndBlock(QTextBlock block) const
{
    while (block.isValid() && continuesLine(block.blockNumber() + 1))
        block = block.next();
    return block;
}

std::vector<int> TextView::rowLineNumbers(int rows) const
{
    std::vector<int> numbers;
    QTextBlock block = firstVisibleBlock();
    if (!block.isValid())
        return numbers;
    // The line of the top row: the blocks down to it, less the cuts among
    // them.
    int line = block.blockNumber() + 1
        - int(std::lower_bound(m_cuts.begin(), m_cuts.end(), block.position()) - m_cuts.begin());
    for (bool top = true; block.isValid() && int(numbers.size()) < rows; block = block.next()) {
        if (!block.isVisible())
            continue;
        const bool continues = continuesLine(block.blockNumber());
        if (!top && !continues)
            ++line;
        numbers.push_back(continues ? 0 : line);
        top = false;
    }
    ++line;
    // Rows below the last line are numbered on, as the gutter numbers them.
    while (int(numbers.size()) < rows)
        numbers.push_back(line++);
    return numbers;
}

} // namespace zp
