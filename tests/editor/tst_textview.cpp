// The text view's positions and its record of line-break forms: whatever the
// edit, the breaks it does not touch keep their form, and saving writes them
// back as they came.

#include "editor/textview.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include "editor/editconversions.h"
#include "find/findengine.h"

#include <QRandomGenerator>

#include <functional>

using zp::TextView;

namespace {

// Positions a caret by text(), which counts every break as one character.
void placeCaret(TextView &view, int position, int selectLength = 0)
{
    view.setSelStart(position);
    view.setSelLength(selectLength);
}

// Types keys as the user would: "\b" is Backspace, "\x7f" Delete, "\n" Enter.
void typeKeys(TextView &view, const QString &keys)
{
    for (QChar c : keys) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(&view, Qt::Key_Backspace);
        else if (c == QChar(0x7f))
            QTest::keyClick(&view, Qt::Key_Delete);
        else if (c == QLatin1Char('\n'))
            QTest::keyClick(&view, Qt::Key_Return);
        else
            QTest::keyClicks(&view, QString(c));
    }
}

QString visible(QString raw)
{
    return raw.replace(QLatin1String("\r"), QLatin1String("<CR>"))
        .replace(QLatin1String("\n"), QLatin1String("<LF>"));
}

} // namespace

class TestTextView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void setAndReadBack_data();
    void setAndReadBack();
    void edits_data();
    void edits();
    void undoRestoresForms_data();
    void undoRestoresForms();
    void manyRemovalsUndoneKeepTheirForms();
    void replaceTextShapes_data();
    void replaceTextShapes();
    void randomEditsMatchTheModel();
    void editBlockKeepsUntouchedBreaks();
    void positionsCountBreaksOnce();
    void shiftEnterMakesALine();
    void changeSignalAndTag();
    void colourChangeKeepsBytes();
    void saveFileRefusesUnmappable();
    void typingPastTheEdgeKeepsTheScrollRange();
    void caretStopsBlinkingInVeryLongLines();
};

void TestTextView::setAndReadBack_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no break") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("crlf") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("mixed") << QStringLiteral("a\r\nb\rc\nd") << QStringLiteral("a\nb\nc\nd");
    QTest::newRow("lf then cr is two breaks") << QStringLiteral("a\n\rb") << QStringLiteral("a\n\nb");
    QTest::newRow("trailing breaks") << QStringLiteral("x\r\n\r\n\n\r") << QStringLiteral("x\n\n\n\n");
    QTest::newRow("only breaks") << QStringLiteral("\r\r\n\n") << QStringLiteral("\n\n\n");
    QTest::newRow("japanese and nbsp")
        << QStringLiteral("日本語\u00a0テキスト\r\n<p>") << QStringLiteral("日本語\u00a0テキスト\n<p>");
}

void TestTextView::setAndReadBack()
{
    QFETCH(QString, raw);
    QFETCH(QString, text);
    TextView view;
    view.setText(raw);
    QCOMPARE(visible(view.rawText()), visible(raw));
    QCOMPARE(view.text(), text);
    QCOMPARE(view.lineBreakCount(), int(text.count(QLatin1Char('\n'))));
}

void TestTextView::edits_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("selectLength");
    QTest::addColumn<QString>("typed"); // "\b" = Backspace, "\x7f" = Delete, "\n" = Enter
    QTest::addColumn<QString>("expected");

    QTest::newRow("type in the middle of a line")
        << QStringLiteral("ab\r\ncd\ref") << 5 << 0 << QStringLiteral("XY")
        << QStringLiteral("ab\r\ncdXY\ref");
    QTest::newRow("join two lines with backspace")
        << QStringLiteral("ab\r\ncd\ref\ngh") << 6 << 0 << QStringLiteral("\b")
        << QStringLiteral("ab\r\ncdef\ngh");
    QTest::newRow("join two lines with delete")
        << QStringLiteral("ab\ncd\ref\r\ngh") << 2 << 0 << QStringLiteral("\x7f")
        << QStringLiteral("abcd\ref\r\ngh");
    QTest::newRow("split a line takes the first break's form")
        << QStringLiteral("ab\rcd\nef") << 4 << 0 << QStringLiteral("\n")
        << QStringLiteral("ab\rc\rd\nef");
    QTest::newRow("split in a text without breaks gives CR LF")
        << QStringLiteral("abcd") << 2 << 0 << QStringLiteral("\n")
        << QStringLiteral("ab\r\ncd");
    QTest::newRow("replace a selection across breaks")
        << QStringLiteral("a\nb\rc\r\nd\ne") << 2 << 5 << QStringLiteral("Z")
        << QStringLiteral("a\nZ\ne");
    QTest::newRow("delete a selection ending at the end")
        << QStringLiteral("a\rb\nc") << 1 << 4 << QStringLiteral("\b")
        << QStringLiteral("a");
    // "\r" "\n" would read back as one CR LF: the LF is written as CR LF.
    QTest::newRow("enter between a CR and an LF break")
        << QStringLiteral("a\nb\rc") << 4 << 0 << QStringLiteral("\n")
        << QStringLiteral("a\nb\r\r\nc");
    QTest::newRow("emptied line between a CR and an LF break")
        << QStringLiteral("a\rb\nc") << 3 << 0 << QStringLiteral("\b")
        << QStringLiteral("a\r\r\nc");
    QTest::newRow("edit on the last line keeps every break")
        << QStringLiteral("1\r\n2\r3\n4") << 7 << 0 << QStringLiteral("5\n6")
        << QStringLiteral("1\r\n2\r3\n45\r\n6");
}

void TestTextView::edits()
{
    QFETCH(QString, raw);
    QFETCH(int, position);
    QFETCH(int, selectLength);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    TextView view;
    view.setText(raw);
    placeCaret(view, position, selectLength);
    typeKeys(view, typed);
    QCOMPARE(visible(view.rawText()), visible(expected));
}

void TestTextView::undoRestoresForms_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("selectLength");
    QTest::addColumn<QString>("keys"); // as in edits()

    QTest::newRow("joined line") << QStringLiteral("ab\r\ncd\ref") << 6 << 0 << QStringLiteral("\b");
    QTest::newRow("several backspaces") << QStringLiteral("a\r\n\r\r\n\nb") << 5 << 0
                                        << QStringLiteral("\b\b\b\b");
    QTest::newRow("several deletes") << QStringLiteral("a\n\r\r\n\rb") << 1 << 0
                                     << QStringLiteral("\x7f\x7f\x7f\x7f");
    QTest::newRow("typed over a selection") << QStringLiteral("x\ry\nz\r\nw") << 1 << 5
                                            << QStringLiteral("Q");
    QTest::newRow("new line typed") << QStringLiteral("ab\ncd") << 1 << 0 << QStringLiteral("\n");
}

void TestTextView::undoRestoresForms()
{
    QFETCH(QString, raw);
    QFETCH(int, position);
    QFETCH(int, selectLength);
    QFETCH(QString, keys);

    TextView view;
    view.setText(raw);
    placeCaret(view, position, selectLength);
    typeKeys(view, keys);
    QVERIFY(view.rawText() != raw);
    // Ctrl+Z as the user presses it, until nothing is left to undo.
    for (int i = 0; i < 10 && view.document()->isUndoAvailable(); ++i)
        QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(visible(view.rawText()), visible(raw));
}

// The undo history of forms is as deep as the document's: thousands of
// joined lines, each its own undo step, come back in their own forms.
void TestTextView::manyRemovalsUndoneKeepTheirForms()
{
    // Empty lines, so that no edit lays out a long line.
    constexpr int Lines = 5000;
    static const char *const forms[] = {"\r", "\r", "\r\n", "\n"};
    QString raw;
    for (int i = 0; i < Lines; ++i)
        raw += QLatin1String(forms[i % 4]);
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

// Splits raw bytes' text into the view's text and the forms of its breaks.
static std::pair<QString, std::vector<quint8>> splitRaw(const QString &raw)
{
    QString text;
    std::vector<quint8> forms;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            text += c;
            continue;
        }
        text += QLatin1Char('\n');
        const bool crlf = c == QLatin1Char('\r') && raw.mid(i + 1, 1) == QLatin1String("\n");
        forms.push_back(quint8(crlf ? TextView::LineBreak::CrLf
                               : c == QLatin1Char('\r') ? TextView::LineBreak::Cr
                                                        : TextView::LineBreak::Lf));
        i += crlf;
    }
    return {text, forms};
}

void TestTextView::replaceTextShapes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("forms only") << QStringLiteral("a\r\nb\rc\nd") << QStringLiteral("a\nb\r\nc\rd");
    QTest::newRow("same text and forms") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("same line lengths") << QStringLiteral("<p>\r\nx<br>\ry")
                                       << QStringLiteral("<P>\r\nx<BR>\ry");
    QTest::newRow("same lengths, new forms, far apart")
        << QStringLiteral("ab\r\n") + QString(80, QLatin1Char('-')) + QStringLiteral("cd")
        << QStringLiteral("AB\n") + QString(80, QLatin1Char('-')) + QStringLiteral("Cd");
    QTest::newRow("low surrogate only") << QStringLiteral("<\U00010428>\n")
                                        << QStringLiteral("<\U00010400>\n");
    QTest::newRow("break moved inside a line") << QStringLiteral("abc\nd")
                                               << QStringLiteral("a\rb\nd");
    QTest::newRow("more lines") << QStringLiteral("a\nb") << QStringLiteral("a\nb\r\nc");
    QTest::newRow("fewer lines") << QStringLiteral("a\nb\rc") << QStringLiteral("a\nb");
    QTest::newRow("longer line") << QStringLiteral("a\nb") << QStringLiteral("a\nbb");
    QTest::newRow("from empty") << QString() << QStringLiteral("x\r\ny");
    QTest::newRow("to empty") << QStringLiteral("x\r\ny") << QString();
}

// Undo and redo bring back each side with its forms, and typing right after
// the replacement is an undo step of its own.
void TestTextView::replaceTextShapes()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    const auto [text, forms] = splitRaw(after);
    const QString old = splitRaw(before).first;
    qsizetype same = 0; // characters at the end that the replacement kept
    while (same < std::min(old.size(), text.size())
           && old.at(old.size() - 1 - same) == text.at(text.size() - 1 - same))
        ++same;
    // Typing right after the last character put in, where the document would
    // join an insertion to the edit before it, is an undo step of its own.
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
        placeCaret(view, int(typedAt));
        QTest::keyClicks(&view, QStringLiteral("z"));
        view.undoEdit();
        QCOMPARE(visible(view.rawText()), visible(after));
    }
}

namespace {

// The reference the view is held to: the text with "\n" breaks, the form of
// each break, and whole snapshots for undo and redo.
struct Model
{
    QString text;
    std::vector<quint8> forms;

    quint8 newForm() const { return forms.empty() ? quint8(TextView::LineBreak::CrLf) : forms.front(); }
    int breaksBefore(qsizetype position) const { return int(text.left(position).count(QLatin1Char('\n'))); }

    // One edit replacing length characters at position: the breaks it adds
    // take the forms of those it removed, in order, then the default.
    void replace(int position, int length, const QString &inserted)
    {
        const quint8 fresh = newForm();
        const auto first = forms.begin() + breaksBefore(position);
        const auto removed = text.mid(position, length).count(QLatin1Char('\n'));
        const auto added = inserted.count(QLatin1Char('\n'));
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
        const quint8 fresh = newForm();
        int count = 0;
        qsizetype at = 0;
        for (qsizetype m = text.indexOf(find); m >= 0; m = text.indexOf(find, m + find.size()), ++count) {
            out.text += text.mid(at, m - at) + replacement;
            at = m + find.size();
        }
        out.text += text.mid(at);
        at = 0;
        for (qsizetype m = text.indexOf(find), i = 0; i <= text.size(); ++i) {
            if (i == m) {
                for (qsizetype k = replacement.count(QLatin1Char('\n')); k > 0; --k)
                    out.forms.push_back(fresh);
                i += find.size() - 1;
                m = text.indexOf(find, m + find.size());
            } else if (i < text.size() && text.at(i) == QLatin1Char('\n')) {
                out.forms.push_back(forms[std::size_t(breaksBefore(i))]);
            }
        }
        *this = out;
        return count;
    }
};

QString normalized(QString raw)
{
    return raw.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

// Random edits, undo and redo, conversions and replace-all on a text with
// mixed breaks, each compared with the model; the bytes written always read
// back as the same lines.
void TestTextView::randomEditsMatchTheModel()
{
    static const QString pieces[] = {QStringLiteral("x"), QStringLiteral("\r\n"), QStringLiteral("\r"),
                                     QStringLiteral("\n"), QStringLiteral("ab\rc\nd"), QStringLiteral("\r\n\n<p>")};
    static const QString finds[] = {QStringLiteral("a"), QStringLiteral("\n"), QStringLiteral("b\n"),
                                    QStringLiteral("x")};
    static const QString replacements[] = {QString(), QStringLiteral("Q"), QStringLiteral("\n"),
                                           QStringLiteral("y\r\nz")};
    static const QString lines[] = {QString(), QStringLiteral("a"), QStringLiteral("<b>x</b>"), QStringLiteral("q")};
    static const QString breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n")};
    // Kinds of step, the edits more often than the rest.
    static const int kinds[] = {0, 0, 0, 1, 2, 2, 2, 3, 3, 4, 5, 6, 7, 8};
    TextView view;
    Model model;
    std::vector<Model> undo, redo;
    QRandomGenerator random(20240611);
    for (int step = 0; step < 600; ++step) {
        const int length = int(model.text.size());
        const int kind = kinds[random.bounded(int(std::size(kinds)))];
        const Model before = model;
        bool recorded = true;
        // Each edit is an undo step of its own, as the model's are.
        QTextCursor block(view.document());
        block.beginEditBlock();
        if (kind <= 1) { // typing or pasting over a selection, or deleting
            const int at = int(random.bounded(length + 1));
            const int cut = std::min(length - at, int(random.bounded(kind == 0 ? 3 : 5)));
            const QString piece = kind == 0 ? pieces[random.bounded(6)] : QString();
            placeCaret(view, at, cut);
            view.setSelText(piece);
            model.replace(at, cut, normalized(piece));
            recorded = cut > 0 || !piece.isEmpty();
        } else if (kind == 2) { // Enter at the start of a line, most often after a CR
            int line = int(random.bounded(int(model.forms.size()) + 1));
            for (int tries = 0; tries < 4 && line > 0
                 && model.forms[std::size_t(line - 1)] != quint8(TextView::LineBreak::Cr); ++tries)
                line = int(random.bounded(int(model.forms.size()) + 1));
            int at = 0;
            for (int k = 0; k < line; ++k)
                at = int(model.text.indexOf(QLatin1Char('\n'), at)) + 1;
            placeCaret(view, at);
            QTest::keyClick(&view, Qt::Key_Return);
            model.replace(at, 0, QStringLiteral("\n"));
            // In an empty line the document reports the new line after the
            // line's own break, which keeps its place.
            if (at + 1 < model.text.size() && model.text.at(at + 1) == QLatin1Char('\n'))
                std::swap(model.forms[std::size_t(line)], model.forms[std::size_t(line + 1)]);
        }
        block.endEditBlock();
        if (kind == 3 || kind == 4) {
            std::vector<Model> &from = kind == 3 ? undo : redo;
            std::vector<Model> &to = kind == 3 ? redo : undo;
            recorded = false;
            if (!from.empty()) {
                kind == 3 ? view.undoEdit() : view.redoEdit();
                to.push_back(model);
                model = from.back();
                from.pop_back();
            }
        } else if (kind == 5) {
            const bool upper = random.bounded(2) == 0;
            zp::applyTagCase(view, upper);
            model.text = zp::convertTagCase(model.text, upper);
            recorded = model.text != before.text;
        } else if (kind == 6) {
            const auto form = zp::BreakForm(random.bounded(3));
            zp::applyLineBreaks(view, form);
            model.forms.assign(model.forms.size(), quint8(form));
        } else if (kind == 8) { // a new text with mixed breaks, as opening a file gives
            QString raw;
            for (int k = int(random.bounded(12)); k > 0; --k)
                raw += lines[random.bounded(4)] + breaks[random.bounded(3)];
            view.setText(raw);
            std::tie(model.text, model.forms) = splitRaw(raw);
            undo.clear();
            redo.clear();
            recorded = false;
        } else if (kind == 7) {
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
        }
        if (recorded) {
            undo.push_back(before);
            redo.clear();
        }
        const QString where = QStringLiteral("step %1 (kind %2): %3").arg(step).arg(kind).arg(visible(view.rawText()));
        QVERIFY2(view.text() == model.text, qPrintable(where));
        QVERIFY2(view.lineBreakForms() == model.forms, qPrintable(where));
        QVERIFY2(normalized(view.rawText()) == model.text, qPrintable(where));
        QVERIFY2(view.document()->isUndoAvailable() == !undo.empty(), qPrintable(where));
    }
}

void TestTextView::editBlockKeepsUntouchedBreaks()
{
    // Two replacements far apart in one edit block are reported as one change
    // over everything between them.
    const QString raw = QStringLiteral("aa\rbb\ncc\r\ndd\reaa");
    TextView view;
    view.setText(raw);
    QTextCursor cursor(view.document());
    cursor.beginEditBlock();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("XYZ"));
    const int last = int(view.text().lastIndexOf(QLatin1String("aa")));
    cursor.setPosition(last);
    cursor.setPosition(last + 2, QTextCursor::KeepAnchor);
    cursor.insertText(QStringLiteral("Q"));
    cursor.endEditBlock();
    QCOMPARE(visible(view.rawText()), visible(QStringLiteral("XYZ\rbb\ncc\r\ndd\reQ")));
    view.undoEdit();
    QCOMPARE(visible(view.rawText()), visible(raw));
    view.redoEdit();
    QCOMPARE(visible(view.rawText()), visible(QStringLiteral("XYZ\rbb\ncc\r\ndd\reQ")));
}

void TestTextView::positionsCountBreaksOnce()
{
    TextView view;
    view.setText(QStringLiteral("ab\r\ncd\ref"));
    const QString text = view.text();
    const int at = int(text.indexOf(QLatin1String("cd")));
    view.setSelStart(at);
    view.setSelLength(2);
    QCOMPARE(view.selText(), QStringLiteral("cd"));
    QCOMPARE(view.selStart(), 3);
    view.setSelStart(1);
    view.setSelLength(4);
    QCOMPARE(view.selText(), QStringLiteral("b\ncd"));
    // A negative length selects nothing.
    view.setSelLength(-3);
    QCOMPARE(view.selLength(), 0);
    QCOMPARE(view.selStart(), 1);
}

void TestTextView::shiftEnterMakesALine()
{
    TextView view;
    view.setText(QStringLiteral("ab"));
    view.setSelStart(1);
    QTest::keyClick(&view, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(view.document()->blockCount(), 2);
    QCOMPARE(visible(view.rawText()), QStringLiteral("a<CR><LF>b"));
}

void TestTextView::changeSignalAndTag()
{
    TextView view;
    QSignalSpy spy(&view, &TextView::changed);
    view.setText(QStringLiteral("abc"));
    QVERIFY(spy.count() >= 1);
    spy.clear();
    view.setSelStart(3);
    QTest::keyClicks(&view, QStringLiteral("d"));
    QCOMPARE(spy.count(), 1);
    view.undoEdit();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(view.tag(), QStringLiteral("0"));
}

void TestTextView::colourChangeKeepsBytes()
{
    TextView view;
    const QString raw = QStringLiteral("<html>\r\n<body>\r</body>\n</html>");
    view.setText(raw);
    QSignalSpy spy(&view, &TextView::changed);
    view.setTextColor(QColor(255, 0, 0));
    view.setBackColor(QColor(0, 0, 80));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(view.textColor(), QColor(255, 0, 0));
    QCOMPARE(view.backColor(), QColor(0, 0, 80));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.html"));
    QVERIFY(view.saveFile(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), raw.toLatin1());
}

void TestTextView::saveFileRefusesUnmappable()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.txt"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("original");
    }
    TextView view;
    view.setText(QStringLiteral("caf\u00e9 \U0001F600"));
    qsizetype unmappable = 0;
    QVERIFY(!view.saveFile(path, &unmappable));
    QCOMPARE(unmappable, qsizetype(2));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("original"));
}

void TestTextView::typingPastTheEdgeKeepsTheScrollRange()
{
    TextView view;
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setText(QStringLiteral("short line\r\n"));
    // A text that fits needs no horizontal scrolling.
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);

    view.moveCursor(QTextCursor::End);
    QScrollBar *bar = view.horizontalScrollBar();
    int rangeChanges = 0;
    for (int i = 0; i < 150; ++i) {
        const int before = bar->maximum();
        QTest::keyClick(&view, Qt::Key_X);
        QCoreApplication::processEvents();
        rangeChanges += bar->maximum() != before ? 1 : 0;
        // The caret never leaves the view.
        QVERIFY(view.viewport()->rect().contains(view.cursorRect().center()));
    }
    QVERIFY(bar->value() > 0);
    // Every change of the range repaints the whole view: a character at a
    // time would change it at nearly every key past the edge.
    QVERIFY2(rangeChanges > 0 && rangeChanges <= 12, qPrintable(QString::number(rangeChanges)));
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
    view->setText(QStringLiteral("short\r\n") + QString(longLine, QLatin1Char('x')) + QStringLiteral("\r\nend"));
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());

    struct Step { const char *what; std::function<void()> act; bool viewBlinks; bool boxBlinks; };
    const Step steps[] = {
        {"caret in a short line", [&] { placeCaret(*view, 2); }, true, false},
        {"caret into the long line", [&] { placeCaret(*view, 6 + 10); }, false, false},
        {"focus to a line edit", [&] { box->setFocus(); }, false, true},
        {"focus back", [&] { view->setFocus(); }, false, false},
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

QTEST_MAIN(TestTextView)
#include "tst_textview.moc"
