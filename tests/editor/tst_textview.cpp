// The text view's positions and its record of line-break forms: whatever the
// edit, the breaks it does not touch keep their form, and saving writes them
// back as they came.

#include "editor/paddedtextlayout.h"
#include "editor/textview.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "editor/editconversions.h"
#include "find/documentsearchtext.h"
#include "find/findengine.h"

#include <private/qtextdocument_p.h>

#include <functional>

using zp::TextView;
using Form = TextView::LineBreak;

namespace {

// Positions a caret by text(), which counts every break as one character.
void placeCaret(TextView &view, int position, int selectLength = 0)
{
    view.setSelStart(position);
    view.setSelLength(selectLength);
}

QString visible(QString raw)
{
    return raw.replace(QLatin1String("\r"), QLatin1String("<CR>")).replace(QLatin1String("\n"), QLatin1String("<LF>"));
}

QString normalized(QString raw)
{
    return raw.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

// Splits raw bytes' text into the view's text and the forms of its breaks.
std::pair<QString, std::vector<quint8>> splitRaw(const QString &raw)
{
    std::vector<quint8> forms;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.mid(i, 2) == QLatin1String("\r\n")) {
            forms.push_back(quint8(Form::CrLf));
            ++i;
        } else if (raw.at(i) == QLatin1Char('\r') || raw.at(i) == QLatin1Char('\n'))
            forms.push_back(quint8(raw.at(i) == QLatin1Char('\r') ? Form::Cr : Form::Lf));
    }
    return {normalized(raw), forms};
}

} // namespace

class TestTextView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keysAndUndo_data();
    void keysAndUndo();
    void manyRemovalsUndoneKeepTheirForms();
    void replaceTextShapes_data();
    void replaceTextShapes();
    void randomEditsMatchTheModel_data();
    void randomEditsMatchTheModel();
    void typingSessionOverPieces();
    void inputMethodOverAPiece();
    void colourChangeKeepsTheText();
    void typingPastTheEdgeKeepsTheScrollRange();
    void caretOnAnEmptyLineIsScrolledIntoView_data();
    void caretOnAnEmptyLineIsScrolledIntoView();
    void caretStopsBlinkingInVeryLongLines();
    void longLineActionsLeaveNoTimerAndTheBytes();
    void widthChangesLeaveUnwrappedLinesAlone();
    void longLinesDrawAsQtDraws_data();
    void longLinesDrawAsQtDraws();
};

// What the random edits do not reach: the key paths (Backspace and Delete
// runs the document merges into one undo step, Shift+Enter, Ctrl+Z) and the
// breaks that would read back as one.
void TestTextView::keysAndUndo_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("selectLength");
    QTest::addColumn<QString>("keys"); // "\b" Backspace, "\x7f" Delete, "\n" Enter, "\r" Shift+Enter
    QTest::addColumn<QString>("expected");
    // "\r" "\n" would read back as one CR LF: the LF is written as CR LF.
    QTest::newRow("enter between a CR and an LF break") << "a\nb\rc" << 4 << 0 << "\n" << "a\nb\r\r\nc";
    QTest::newRow("emptied line between a CR and an LF break") << "a\rb\nc" << 3 << 0 << "\b" << "a\r\r\nc";
    QTest::newRow("backspaces join lines") << "a\r\n\r\r\n\nb" << 5 << 0 << "\b\b\b\b" << "ab";
    QTest::newRow("deletes join lines") << "a\n\r\r\n\rb" << 1 << 0 << "\x7f\x7f\x7f\x7f" << "ab";
    QTest::newRow("shift+enter is a line of its own") << "ab\ncd" << 1 << 0 << "\r" << "a\nb\ncd";
    QTest::newRow("a negative length selects nothing") << "ab\r\ncd" << 4 << -3 << "X" << "ab\r\ncXd";
}

void TestTextView::keysAndUndo()
{
    QFETCH(QString, raw);
    QFETCH(int, position);
    QFETCH(int, selectLength);
    QFETCH(QString, keys);
    QFETCH(QString, expected);
    TextView view;
    view.setText(raw);
    placeCaret(view, position, selectLength);
    for (QChar c : keys) {
        static const QHash<QChar, Qt::Key> named{{u'\b', Qt::Key_Backspace}, {u'\x7f', Qt::Key_Delete},
                                                 {u'\n', Qt::Key_Return}, {u'\r', Qt::Key_Return}};
        if (named.contains(c))
            QTest::keyClick(&view, named[c], c == u'\r' ? Qt::ShiftModifier : Qt::NoModifier);
        else
            QTest::keyClicks(&view, QString(c));
    }
    QCOMPARE(visible(view.rawText()), visible(expected));
    QCOMPARE(view.lineBreakCount(), int(normalized(expected).count(u'\n'))); // no break inside a line
    for (int i = 0; i < 10 && view.document()->isUndoAvailable(); ++i)
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(visible(view.rawText()), visible(raw));
}

// The undo history of forms is as deep as the document's: thousands of
// joined lines, each its own undo step, come back in their own forms.
void TestTextView::manyRemovalsUndoneKeepTheirForms()
{
    constexpr int Lines = 5000; // empty, so that no edit lays out a long line
    QString raw;
    for (int i = 0; i < Lines; ++i)
        raw += QLatin1String(i % 4 == 2 ? "\r\n" : i % 4 == 3 ? "\n" : "\r");
    TextView view;
    view.setText(raw);
    QTextCursor cursor(view.document());
    for (int i = 0; i < Lines; ++i) {
        cursor.beginEditBlock();
        cursor.deleteChar();
        cursor.endEditBlock();
    }
    QCOMPARE(view.text(), QString());
    for (int i = 0; i < Lines; ++i)
        view.undoEdit();
    QVERIFY(view.rawText() == raw);
}

void TestTextView::replaceTextShapes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    // The same text, the same line lengths (runs rewritten), or other lines.
    QTest::newRow("forms only") << "a\r\nb\rc\nd" << "a\nb\r\nc\rd";
    QTest::newRow("same line lengths") << "<p>\r\nx<br>\ry" << "<P>\r\nx<BR>\ry";
    QTest::newRow("same lengths, new forms, far apart")
        << "ab\r\n" + QString(80, u'-') + "cd" << "AB\n" + QString(80, u'-') + "Cd";
    QTest::newRow("low surrogate only") << u"<\U00010428>\n"_qs << u"<\U00010400>\n"_qs;
    QTest::newRow("break moved inside a line") << "abc\nd" << "a\rb\nd";
    QTest::newRow("more lines") << "a\nb" << "a\nb\r\nc";
    QTest::newRow("from empty") << "" << "x\r\ny";
    QTest::newRow("to empty") << "x\r\ny" << "";
}

// Undo and redo (and undo again) bring back each side with its forms, and typing right after
// the replacement is an undo step of its own.
void TestTextView::replaceTextShapes()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    const auto [text, forms] = splitRaw(after);
    const QString old = normalized(before);
    qsizetype same = 0; // characters at the end that the replacement kept
    while (same < std::min(old.size(), text.size()) && old.at(old.size() - 1 - same) == text.at(text.size() - 1 - same))
        ++same;
    // Right after the last character put in, the document would join an
    // insertion to the edit before it.
    for (const qsizetype typedAt : {text.size() - same, text.size()}) {
        TextView view;
        view.setText(before);
        QSignalSpy spy(&view, &TextView::changed);
        view.replaceText(text, forms);
        QCOMPARE(visible(view.rawText()), visible(after));
        QVERIFY(spy.count() >= 1);
        view.undoEdit();
        QCOMPARE(visible(view.rawText()), visible(before));
        QVERIFY(!view.document()->isUndoAvailable());
        view.redoEdit();
        QCOMPARE(visible(view.rawText()), visible(after));
        // Undone again after a redo, as the first time.
        view.undoEdit();
        QCOMPARE(visible(view.rawText()), visible(before));
        view.redoEdit();
        placeCaret(view, int(typedAt));
        QTest::keyClicks(&view, QStringLiteral("z"));
        view.undoEdit();
        QCOMPARE(visible(view.rawText()), visible(after));
    }
}

namespace {

// The reference the view is held to: the text with "\n" breaks and the form
// of each break.
struct Model
{
    QString text;
    std::vector<quint8> forms;

    quint8 newForm() const { return forms.empty() ? quint8(Form::CrLf) : forms.front(); }
    int breaksBefore(qsizetype position) const { return int(text.left(position).count(u'\n')); }

    // Each break in its form, but a lone CR's LF right after it as CR LF: the
    // two would read back as one break.
    QString raw() const
    {
        QString out;
        auto form = forms.begin();
        for (QChar c : text) {
            if (c != u'\n')
                out += c;
            else if (const Form f = Form(*form++); f == Form::Cr)
                out += u'\r';
            else
                out += f == Form::Lf && !out.endsWith(u'\r') ? QStringLiteral("\n") : QStringLiteral("\r\n");
        }
        return out;
    }

    // One edit replacing length characters at position: the breaks it adds
    // take the forms of those it removed, in order, then the default.
    void replace(int position, int length, const QString &inserted)
    {
        const quint8 fresh = newForm();
        const auto first = forms.begin() + breaksBefore(position);
        const auto removed = text.mid(position, length).count(u'\n');
        const auto added = inserted.count(u'\n');
        std::vector<quint8> put(first, first + std::min(removed, added));
        put.resize(std::size_t(added), fresh);
        forms.insert(forms.erase(first, first + removed), put.begin(), put.end());
        text.replace(position, length, inserted);
    }

    // Every match of find, left to right, replaced: breaks outside the
    // matches keep their forms, the replacement's take the default.
    int replaceAll(const QString &find, const QString &replacement)
    {
        Model out;
        int count = 0;
        qsizetype at = 0;
        for (qsizetype m = text.indexOf(find); m >= 0; m = text.indexOf(find, at), ++count) {
            for (qsizetype i = at; i < m; ++i)
                if (text.at(i) == u'\n')
                    out.forms.push_back(forms[std::size_t(breaksBefore(i))]);
            out.forms.resize(out.forms.size() + std::size_t(replacement.count(u'\n')), newForm());
            out.text += text.mid(at, m - at) + replacement;
            at = m + find.size();
        }
        out.forms.insert(out.forms.end(), forms.begin() + breaksBefore(at), forms.end());
        out.text += text.mid(at);
        *this = out;
        return count;
    }
};

} // namespace

void TestTextView::randomEditsMatchTheModel_data()
{
    QTest::addColumn<int>("pieceLength");
    QTest::newRow("whole lines") << int(TextView::PieceLength);
    // Lines longer than 5 characters are held in pieces.
    QTest::newRow("lines in pieces") << 5;
}

// Random edits (through the view and by keys), caret moves, undo and redo,
// conversions and replace-all on a text with mixed breaks, each compared with
// the model; the bytes written always read back as the same lines. With
// short pieces the long lines are held as several blocks: nothing the view
// reports may show it.
void TestTextView::randomEditsMatchTheModel()
{
    QFETCH(int, pieceLength);
    static const QString pieces[] = {"x", "\r\n", "\r", "\n", "ab\rc\nd", "\r\n\n<p>", "<p>0123456789</p>",
                                     "\n<a href=\"b\">\r\n"};
    static const QString finds[] = {"a", "\n", "b\n", "x"};
    static const QString replacements[] = {"", "Q", "\n", "y\r\nz"};
    static const QString lines[] = {"", "a", "<b>x</b>", u"日本\u00a0q"_qs, "<p>0123456789abcdef</p>",
                                    u"a\U0001F600\U0001F600b\U0001F600\U0001F600c\U0001F600"_qs};
    static const QString breaks[] = {"\r\n", "\r", "\n"};
    enum Kind { Type, Delete, Enter, Undo, Redo, TagCase, LineBreaks, ReplaceAll, Open, Keys, Caret };
    // The edits more often than the rest.
    static const Kind kinds[] = {Type, Type, Type, Delete, Enter, Enter, Enter, Undo, Undo,
                                 Redo, TagCase, LineBreaks, ReplaceAll, Open, Keys, Keys, Caret, Caret, Caret};
    TextView view;
    view.setPieceLength(pieceLength);
    Model model;
    std::vector<Model> undo, redo;
    QRandomGenerator random(20240611);
    int withPieces = 0;
    // As a new document starts (a fresh document's first edit is two steps).
    view.setText(QString());
    for (int step = 0; step < 600; ++step) {
        withPieces += view.hasPieces();
        const int length = int(model.text.size());
        const Kind kind = kinds[random.bounded(int(std::size(kinds)))];
        const Model before = model;
        bool recorded = true;
        // Each edit is an undo step of its own, as the model's are.
        QTextCursor block(view.document());
        block.beginEditBlock();
        if (kind == Type || kind == Delete) { // typing or pasting over a selection, or deleting
            const int at = int(random.bounded(length + 1));
            const int cut = std::min(length - at, int(random.bounded(kind == Type ? 3 : 5)));
            const QString piece = kind == Type ? pieces[random.bounded(int(std::size(pieces)))] : QString();
            placeCaret(view, at, cut);
            QCOMPARE(view.selText(), model.text.mid(at, cut));
            view.setSelText(piece);
            model.replace(at, cut, normalized(piece));
            recorded = cut > 0 || !piece.isEmpty();
        } else if (kind == Enter) { // at the start of a line, most often after a CR
            int line = int(random.bounded(int(model.forms.size()) + 1));
            for (int tries = 0; tries < 4 && line > 0 && model.forms[std::size_t(line - 1)] != quint8(Form::Cr); ++tries)
                line = int(random.bounded(int(model.forms.size()) + 1));
            int at = 0;
            for (int k = 0; k < line; ++k)
                at = int(model.text.indexOf(u'\n', at)) + 1;
            placeCaret(view, at);
            QTest::keyClick(&view, Qt::Key_Return);
            model.replace(at, 0, QStringLiteral("\n"));
            // In an empty line the document reports the new line after the
            // line's own break, which keeps its place.
            if (at + 1 < model.text.size() && model.text.at(at + 1) == u'\n')
                std::swap(model.forms[std::size_t(line)], model.forms[std::size_t(line + 1)]);
        } else if (kind == Keys) { // Backspace, Delete or a typed character, over a selection or not
            const int at = int(random.bounded(length + 1));
            const int cut = std::min(length - at, int(random.bounded(3)));
            placeCaret(view, at, cut);
            const int key = random.bounded(3);
            const auto pairAt = [&](qsizetype i) {
                return i >= 0 && i + 1 < model.text.size() && model.text.at(i).isHighSurrogate();
            };
            int from = at, to = at + cut;
            if (cut == 0 && key == 0)
                from = std::max(0, at - (pairAt(at - 2) ? 2 : 1));
            else if (cut == 0 && key == 1)
                to = std::min(length, at + (pairAt(at) ? 2 : 1));
            QTest::keyClick(&view, key == 0 ? Qt::Key_Backspace : key == 1 ? Qt::Key_Delete : Qt::Key_K);
            model.replace(from, to - from, key == 2 ? QStringLiteral("k") : QString());
            recorded = to > from || key == 2;
        }
        block.endEditBlock();
        if (kind == Caret) { // arrows, Home and End move by characters of the whole line
            const int at = int(random.bounded(length + 1));
            placeCaret(view, at);
            int expected = at;
            const int key = random.bounded(4);
            if (key == 2) {
                expected = int(model.text.lastIndexOf(u'\n', std::max(0, at - 1))) + 1;
                if (at == 0 || model.text.at(at - 1) == u'\n')
                    expected = at;
            } else if (key == 3) {
                expected = int(model.text.indexOf(u'\n', at));
                if (expected < 0)
                    expected = length;
            }
            for (int n = int(random.bounded(12)); key < 2 && n > 0; --n) {
                const bool right = key == 0;
                const int step = right ? (expected + 1 < length && model.text.at(expected).isHighSurrogate() ? 2 : 1)
                                       : (expected >= 2 && model.text.at(expected - 1).isLowSurrogate() ? 2 : 1);
                expected = std::clamp(expected + (right ? step : -step), 0, length);
                QTest::keyClick(&view, right ? Qt::Key_Right : Qt::Key_Left);
            }
            if (key >= 2)
                QTest::keyClick(&view, key == 2 ? Qt::Key_Home : Qt::Key_End);
            QVERIFY2(view.selStart() == expected && view.selLength() == 0,
                     qPrintable(QStringLiteral("step %1: key %2 from %3 to %4, not %5").arg(step).arg(key).arg(at).arg(view.selStart()).arg(expected)));
            recorded = false;
        }
        if (kind == Undo || kind == Redo) {
            std::vector<Model> &from = kind == Undo ? undo : redo;
            std::vector<Model> &to = kind == Undo ? redo : undo;
            recorded = false;
            if (!from.empty()) {
                kind == Undo ? view.undoEdit() : view.redoEdit();
                to.push_back(model);
                model = from.back();
                from.pop_back();
            }
        } else if (kind == TagCase) {
            const bool upper = random.bounded(2) == 0;
            zp::applyTagCase(view, upper);
            model.text = zp::convertTagCase(model.text, upper);
            recorded = model.text != before.text;
        } else if (kind == LineBreaks) {
            const auto form = zp::BreakForm(random.bounded(3));
            zp::applyLineBreaks(view, form);
            model.forms.assign(model.forms.size(), quint8(form));
        } else if (kind == ReplaceAll) {
            const QString find = finds[random.bounded(4)];
            const QString replacement = replacements[random.bounded(4)];
            zp::ReplaceAllPlan plan(find, replacement);
            while (plan.findNext(zp::StringSearchText(view.text()))) {
            }
            std::vector<quint8> forms = view.lineBreakForms();
            const QString text = plan.apply(view.text(), forms, view.newLineBreak());
            if (plan.count() > 0)
                view.replaceText(text, forms);
            recorded = model.replaceAll(find, normalized(replacement)) > 0;
        } else if (kind == Open) { // a new text with mixed breaks, as opening a file gives
            QString raw;
            for (int k = int(random.bounded(12)); k > 0; --k)
                raw += lines[random.bounded(4)] + breaks[random.bounded(3)];
            view.setText(raw);
            std::tie(model.text, model.forms) = splitRaw(raw);
            undo.clear();
            redo.clear();
            recorded = false;
        }
        if (recorded) {
            undo.push_back(before);
            redo.clear();
        }
        const QString where = QStringLiteral("step %1 (kind %2): %3").arg(step).arg(kind).arg(visible(view.rawText()));
        QVERIFY2(view.text() == model.text, qPrintable(where));
        QVERIFY2(view.textLength() == model.text.size(), qPrintable(where));
        const int probe = int(random.bounded(int(model.text.size()) + 1));
        QVERIFY2(view.textRange(probe, 7) == model.text.mid(probe, 7), qPrintable(where));
        // Find reads the view's text, across cuts.
        const QString sought = model.text.mid(probe, 3);
        QVERIFY2(sought.isEmpty()
                     || zp::findText(zp::DocumentSearchText(view), sought, 0, true) == model.text.indexOf(sought),
                 qPrintable(where));
        // No empty block ends with a cut: an edit in one would be reported
        // over its separator, and the cut taken for a break the edit made.
        for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
            QVERIFY2(b.length() > 1 || !view.continuesLine(b.blockNumber() + 1), qPrintable(where));
        QVERIFY2(view.lineBreakForms() == model.forms, qPrintable(where));
        QVERIFY2(view.rawText() == model.raw(), qPrintable(where));
        QVERIFY2(normalized(view.rawText()) == model.text, qPrintable(where));
        QVERIFY2(view.document()->isUndoAvailable() == !undo.empty(), qPrintable(where));
    }
    // Most steps had pieces to cross.
    QVERIFY(pieceLength == TextView::PieceLength || withPieces > 300);
}

// A session of keys and pastes as a user makes them, each reported on its own
// (the document merges runs of them into undo steps as it likes), over lines
// held in short pieces: text and caret follow a model key by key, undoing
// every step brings back the text opened, and redoing them all the last one.
void TestTextView::typingSessionOverPieces()
{
    const QString opened = u"<p>0123456789abcdef</p>\r\n\r\nx\U0001F600\U0001F600yz\U0001F600\n<b>bold</b> and more\r"_qs;
    TextView view;
    view.setPieceLength(4);
    view.setText(opened);
    QVERIFY(view.hasPieces());
    QString text = normalized(opened);
    int caret = 0;
    const auto pairBefore = [&](int at) { return at >= 2 && text.at(at - 1).isLowSurrogate(); };
    const auto pairAt = [&](int at) { return at + 1 < text.size() && text.at(at).isHighSurrogate(); };
    QRandomGenerator random(7);
    static const Qt::Key keys[] = {Qt::Key_A, Qt::Key_Less, Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Delete,
                                   Qt::Key_Return, Qt::Key_Left, Qt::Key_Left, Qt::Key_Right, Qt::Key_Right,
                                   Qt::Key_Home, Qt::Key_End, Qt::Key_Up, Qt::Key_Down, Qt::Key_V};
    // Key_V stands for a paste (the program's Paste command) longer than a
    // piece, over the character before the caret.
    const QString pasted = QStringLiteral("0123456789");
    for (int step = 0; step < 1500; ++step) {
        const Qt::Key key = keys[random.bounded(int(std::size(keys)))];
        const int before = caret == 0 ? 0 : pairBefore(caret) ? 2 : 1;
        if (key == Qt::Key_V) {
            view.select(caret - before, before);
            view.setSelText(pasted);
        } else {
            QTest::keyClick(&view, key);
        }
        const int length = int(text.size());
        switch (key) {
        case Qt::Key_V:
            text.replace(caret - before, before, pasted);
            caret += int(pasted.size()) - before;
            break;
        case Qt::Key_A: case Qt::Key_Less: case Qt::Key_Return:
            text.insert(caret++, key == Qt::Key_A ? u'a' : key == Qt::Key_Less ? u'<' : u'\n');
            break;
        case Qt::Key_Backspace: {
            const int n = caret == 0 ? 0 : pairBefore(caret) ? 2 : 1;
            text.remove(caret - n, n);
            caret -= n;
            break;
        }
        case Qt::Key_Delete:
            text.remove(caret, caret == length ? 0 : pairAt(caret) ? 2 : 1);
            break;
        case Qt::Key_Left:
            caret -= caret == 0 ? 0 : pairBefore(caret) ? 2 : 1;
            break;
        case Qt::Key_Right:
            caret += caret == length ? 0 : pairAt(caret) ? 2 : 1;
            break;
        case Qt::Key_Home:
            caret = caret == 0 ? 0 : int(text.lastIndexOf(u'\n', caret - 1)) + 1;
            break;
        case Qt::Key_End:
            caret = text.indexOf(u'\n', caret) < 0 ? length : int(text.indexOf(u'\n', caret));
            break;
        default: // Up and Down go by rows: only the text is followed
            caret = view.selStart();
        }
        const QString where = QStringLiteral("step %1 key %2: %3").arg(step).arg(key, 0, 16).arg(visible(view.rawText()));
        QVERIFY2(view.text() == text, qPrintable(where));
        QVERIFY2(view.selStart() == caret, qPrintable(where + QStringLiteral(" caret %1, not %2").arg(view.selStart()).arg(caret)));
        QVERIFY2(normalized(view.rawText()) == text, qPrintable(where));
        // No empty piece, none longer than twice the piece length.
        for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
            QVERIFY2((b.length() > 1 || !view.continuesLine(b.blockNumber() + 1)) && b.length() <= 9, qPrintable(where));
    }
    const QString last = view.rawText();
    while (view.document()->isUndoAvailable())
        view.undoEdit();
    QCOMPARE(visible(view.rawText()), visible(opened));
    while (view.document()->isRedoAvailable())
        view.redoEdit();
    QCOMPARE(visible(view.rawText()), visible(last));
}

// A composition started over a selection removes it first; over a whole
// piece, that must not leave an empty block before a cut (Enter there would
// be reported over the cut), and a cancelled composition leaves the text as
// the removal left it. Committed text is cut into pieces as typed text is.
void TestTextView::inputMethodOverAPiece()
{
    TextView view;
    view.setPieceLength(4);
    view.setText(QStringLiteral("abcdefghij\r\nz"));
    // "efgh", the second piece, selected as a mouse drag over its row does:
    // from after the cut before it to before the cut after it.
    QTextCursor row(view.document()->findBlockByNumber(1));
    row.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    view.setTextCursor(row);
    QInputMethodEvent compose(QStringLiteral("\u3042"), {});
    QCoreApplication::sendEvent(&view, &compose);
    QInputMethodEvent cancel;
    QCoreApplication::sendEvent(&view, &cancel);
    const auto soundPieces = [&] {
        for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
            QVERIFY((b.length() > 1 || !view.continuesLine(b.blockNumber() + 1)) && b.length() <= 9);
    };
    QCOMPARE(view.text(), QStringLiteral("abcdij\nz"));
    soundPieces();
    QTest::keyClick(&view, Qt::Key_Return);
    QCOMPARE(visible(view.rawText()), QStringLiteral("abcd<CR><LF>ij<CR><LF>z"));
    // Committed text that grows a piece past twice the length cuts it, as
    // typing does.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("123456789"));
    QCoreApplication::sendEvent(&view, &commit);
    QCOMPARE(view.text(), QStringLiteral("abcd\n123456789ij\nz"));
    soundPieces();
    // Committed over a selection that ends at a cut, the caret goes past it:
    // Right then moves on by a character. Every event reports the block of
    // the composition as changed, the cut after it included: it stays a cut.
    view.select(7, 2);
    QCoreApplication::sendEvent(&view, &compose);
    QCoreApplication::sendEvent(&view, &commit);
    QCOMPARE(view.text(), QStringLiteral("abcd\n1212345678956789ij\nz"));
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(view.selStart(), 17);
    soundPieces();
    while (view.document()->isUndoAvailable())
        view.undoEdit();
    QCOMPARE(visible(view.rawText()), QStringLiteral("abcdefghij<CR><LF>z"));
}

// Colours are the view's, never formats of the text: a format change would
// count as an edit of the whole text.
void TestTextView::colourChangeKeepsTheText()
{
    TextView view;
    const QString raw = QStringLiteral("<html>\r\n<body>\r</body>\n</html>");
    view.setText(raw);
    QSignalSpy spy(&view, &TextView::changed);
    view.setTextColor(QColor(255, 0, 0));
    view.setBackColor(QColor(0, 0, 80));
    QCOMPARE(spy.count(), 0);
    QVERIFY(!view.document()->isUndoAvailable());
    QCOMPARE(visible(view.rawText()), visible(raw));
}

void TestTextView::typingPastTheEdgeKeepsTheScrollRange()
{
    TextView view;
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setText(QStringLiteral("short line\r\n"));
    QScrollBar *bar = view.horizontalScrollBar();
    QCOMPARE(bar->maximum(), 0); // a text that fits needs no scrolling
    view.moveCursor(QTextCursor::End);
    int rangeChanges = 0;
    for (int i = 0; i < 150; ++i) {
        const int before = bar->maximum();
        QTest::keyClick(&view, Qt::Key_X);
        QCoreApplication::processEvents();
        rangeChanges += bar->maximum() != before ? 1 : 0;
        QVERIFY(view.viewport()->rect().contains(view.cursorRect().center()));
    }
    QVERIFY(bar->value() > 0);
    // Every change of the range repaints the whole view: a character at a
    // time would change it at nearly every key past the edge.
    QVERIFY2(rangeChanges > 0 && rangeChanges <= 12, qPrintable(QString::number(rangeChanges)));
}

// An empty unwrapped line is laid out 0 pixels wide; the control takes such a
// line's rectangle for invalid and would not scroll to a caret on it.
void TestTextView::caretOnAnEmptyLineIsScrolledIntoView_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("Ctrl+End") << "end";
    QTest::newRow("paste of lines") << "paste";
    QTest::newRow("Enter at the bottom") << "enter";
}

void TestTextView::caretOnAnEmptyLineIsScrolledIntoView()
{
    QFETCH(QString, action);
    TextView view;
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QString lines = QStringLiteral("line\n").repeated(500);
    if (action == QLatin1String("paste"))
        view.setSelText(lines);
    else {
        view.setText(lines);
        QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    }
    if (action == QLatin1String("enter")) {
        QTest::keyClick(&view, Qt::Key_Backspace);
        QTest::keyClick(&view, Qt::Key_Return);
    }
    QCoreApplication::processEvents();
    QCOMPARE(view.selStart(), int(lines.size()));
    QVERIFY(view.viewport()->rect().contains(view.cursorRect().center()));
}

// Whether a caret blink timer runs in w: one of the application's flash time.
static bool blinks(QWidget *w)
{
    const int interval = QGuiApplication::styleHints()->cursorFlashTime() / 2;
    QObjectList objects = w->children();
    objects.append(w);
    for (QObject *object : objects) {
        for (const auto &timer : QAbstractEventDispatcher::instance()->registeredTimers(object)) {
            if (timer.interval == interval)
                return true;
        }
    }
    return false;
}

// Blinking over a line of millions of characters would keep the program
// busy: the view's caret stops blinking while it is in a very long line, and
// blinks again when it leaves the line. Other carets keep blinking: the
// application's flash time never changes.
void TestTextView::caretStopsBlinkingInVeryLongLines()
{
    QStyleHints *hints = QGuiApplication::styleHints();
    const int normal = hints->cursorFlashTime();
    QVERIFY(normal > 0);
    QSignalSpy flashTimeChanges(hints, &QStyleHints::cursorFlashTimeChanged);
    QWidget window;
    auto *view = new TextView(&window);
    auto *box = new QLineEdit(&window);
    box->move(0, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    const int longLine = TextView::LongLineForBlinking + 1;
    // A line held whole, as one grown by typing is.
    view->setPieceLength(longLine);
    view->setText(QStringLiteral("top\r\nshort\r\n") + QString(longLine, QLatin1Char('x'))
                  + QStringLiteral("\r\nbelow\r\nend"));
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());

    struct Step { const char *what; std::function<void()> act; bool viewBlinks; bool boxBlinks; };
    const Step steps[] = {
        {"caret in a short line", [&] { placeCaret(*view, 2); }, true, false},
        {"caret into the long line", [&] { placeCaret(*view, 6 + 10); }, false, false},
        {"focus to a line edit", [&] { box->setFocus(); }, false, true},
        {"focus back", [&] { view->setFocus(); }, false, false},
        // A blink beside the long line repaints it too.
        {"caret to the line below", [&] { QTest::keyClick(view, Qt::Key_Down); }, false, false},
        {"caret to the last line", [&] { QTest::keyClick(view, Qt::Key_Down); }, true, false},
        {"caret back up", [&] { QTest::keyClick(view, Qt::Key_Up); }, false, false},
    };
    for (const Step &step : steps) {
        step.act();
        QCoreApplication::processEvents();
        QVERIFY2(blinks(view) == step.viewBlinks, step.what);
        QVERIFY2(blinks(box) == step.boxBlinks, step.what);
        QCOMPARE(hints->cursorFlashTime(), normal);
    }
    QCOMPARE(flashTimeChanges.count(), 0);
}

// In a file of long lines held whole (as a line a conversion kept whole may
// be) every action ends with no timer repainting them, and typing then
// erasing leaves the bytes as they were.
void TestTextView::longLineActionsLeaveNoTimerAndTheBytes()
{
    QWidget window;
    auto *view = new TextView(&window);
    view->resize(400, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QString line;
    while (line.size() <= TextView::LongLineForBlinking)
        line += QStringLiteral("<p>日本語 text</p>");
    const QString raw = line + QStringLiteral("\r\n") + line + QStringLiteral("\n");
    view->setPieceLength(int(line.size()));
    view->setText(raw);
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    QScrollBar *bar = view->horizontalScrollBar();
    const std::pair<const char *, std::function<void()>> actions[] = {
        {"Ctrl+End", [&] { QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier); }},
        {"Up, End", [&] { QTest::keyClick(view, Qt::Key_Up); QTest::keyClick(view, Qt::Key_End); }},
        {"typing", [&] { QTest::keyClicks(view, QStringLiteral("ab")); }},
        {"erasing", [&] { QTest::keyClick(view, Qt::Key_Backspace); QTest::keyClick(view, Qt::Key_Backspace); }},
        {"scrolling sideways", [&] { bar->setValue(bar->maximum() / 2); }},
        {"Ctrl+Home", [&] { QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier); }},
    };
    for (const auto &[what, act] : actions) {
        act();
        QCoreApplication::processEvents();
        QVERIFY2(!blinks(view), what);
    }
    QCOMPARE(visible(view->rawText()), visible(raw));
}

// Unwrapped lines do not depend on the view's width: a new width neither lays
// the whole text out again (which gives every line a layout object, 145 MB
// for a file of 600000 lines) nor keeps a scroll range the lines do not need.
void TestTextView::widthChangesLeaveUnwrappedLinesAlone()
{
    TextView view;
    view.resize(600, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    view.setText(text);
    for (const int width : {300, 800, 200}) {
        view.resize(width, 200);
        QCoreApplication::processEvents();
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
    }
    int layouts = 0;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next())
        layouts += QTextDocumentPrivate::block(block)->layout != nullptr;
    QVERIFY2(layouts < 100, qPrintable(QString::number(layouts)));
}

// A long unwrapped line is drawn by its exposed part only; the pixels must be
// those of Qt drawing the whole line, wherever the line is scrolled to,
// whatever part is exposed (a horizontal scroll exposes a strip), with or
// without a selection.
void TestTextView::longLinesDrawAsQtDraws_data()
{
    QTest::addColumn<double>("scroll"); // part of the horizontal range
    QTest::addColumn<double>("exposedFrom"); // part of the width where the exposed part starts
    QTest::addColumn<int>("select"); // characters from the middle of the view on
    QTest::newRow("start, whole view") << 0.0 << 0.0 << 0;
    QTest::newRow("middle, whole view, selection") << 0.37 << 0.0 << 30;
    QTest::newRow("middle, strip at the right") << 0.37 << 0.7 << 0;
    QTest::newRow("middle, strip with a selection") << 0.61 << 0.45 << 30;
    QTest::newRow("end, strip at the right") << 1.0 << 0.8 << 0;
    QTest::newRow("end, selection past the line") << 1.0 << 0.0 << 1000;
}

void TestTextView::longLinesDrawAsQtDraws()
{
    QFETCH(double, scroll);
    QFETCH(double, exposedFrom);
    QFETCH(int, select);
    TextView view;
    view.resize(500, 120);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QString line;
    while (line.size() <= 2 * zp::PaddedTextLayout::KeepGlyphsFrom)
        line += QStringLiteral("<p class=\"c%1\">日本語のﾃｷｽﾄ and text</p>").arg(line.size() % 97);
    view.setPieceLength(int(line.size()));
    view.setText(QStringLiteral("above\r\n") + line + QStringLiteral("\r\nbelow"));
    QScrollBar *bar = view.horizontalScrollBar();
    bar->setValue(int(bar->maximum() * scroll));
    QWidget *port = view.viewport();
    if (select) {
        const int middle = view.cursorForPosition(QPoint(port->width() / 2, view.lineHeight() * 3 / 2)).position();
        QTextCursor cursor = view.textCursor();
        cursor.setPosition(middle - 15);
        cursor.setPosition(std::min(middle - 15 + select, view.document()->characterCount() - 1),
                           QTextCursor::KeepAnchor);
        view.setTextCursor(cursor);
        bar->setValue(int(bar->maximum() * scroll)); // back from the caret
    }
    const QRegion exposed(QRect(int(port->width() * exposedFrom), 0, port->width(), port->height()));
    auto draw = [&](bool inPart) {
        view.setLongLinesDrawnInPart(inPart);
        QImage image(port->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        port->render(&image, QPoint(), exposed);
        return image;
    };
    const QImage inPart = draw(true);
    const QImage whole = draw(false);
    QVERIFY(inPart.pixel(port->width() - 10, view.lineHeight() * 3 / 2) != qRgb(0, 0, 0));
    QCOMPARE(inPart, whole);
}

QTEST_MAIN(TestTextView)
#include "tst_textview.moc"
