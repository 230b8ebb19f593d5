// The text view's positions and its record of line-break forms: whatever the
// edit, the breaks it does not touch keep their form, and saving writes them
// back as they came.

#include "editor/textview.h"

#include <QGuiApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

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
    void redoAfterUndo();
    void replaceAllIsOneUndoStep();
    void replaceAllShapes_data();
    void replaceAllShapes();
    void editBlockKeepsUntouchedBreaks();
    void positionsCountBreaksOnce();
    void selTextNormalisesBreaks();
    void shiftEnterMakesALine();
    void changeSignalAndTag();
    void colourChangeKeepsBytes();
    void saveFileRefusesUnmappable();
    void typingPastTheEdgeKeepsTheScrollRange();
    void caretStaysLitInVeryLongLines();
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

void TestTextView::redoAfterUndo()
{
    TextView view;
    view.setText(QStringLiteral("a\rb\nc"));
    placeCaret(view, 2);
    QTest::keyClick(&view, Qt::Key_Backspace); // joins "a" and "b"
    const QString edited = view.rawText();
    view.undoEdit();
    QCOMPARE(visible(view.rawText()), visible(QStringLiteral("a\rb\nc")));
    view.redoEdit();
    QCOMPARE(visible(view.rawText()), visible(edited));
    view.undoEdit();
    QCOMPARE(visible(view.rawText()), visible(QStringLiteral("a\rb\nc")));
}

void TestTextView::replaceAllShapes_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("forms only") << QStringLiteral("a\r\nb\rc\nd") << QStringLiteral("a\nb\r\nc\rd");
    QTest::newRow("same text and forms") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("same line lengths") << QStringLiteral("<p>\r\nx<br>\ry")
                                       << QStringLiteral("<P>\r\nx<BR>\ry");
    QTest::newRow("same lengths, new forms too") << QStringLiteral("ab\r\ncd")
                                                 << QStringLiteral("AB\nCd");
    QTest::newRow("low surrogate only") << QStringLiteral("<\U00010428>\n")
                                        << QStringLiteral("<\U00010400>\n");
    QTest::newRow("break moved inside a line") << QStringLiteral("abc\nd")
                                               << QStringLiteral("a\rb\nd");
    QTest::newRow("break within same length") << QStringLiteral("abc\r\nde")
                                              << QStringLiteral("a\nc\r\nde");
    QTest::newRow("more lines") << QStringLiteral("a\nb") << QStringLiteral("a\nb\r\nc");
    QTest::newRow("fewer lines") << QStringLiteral("a\nb\rc") << QStringLiteral("a\nb");
    QTest::newRow("longer line") << QStringLiteral("a\nb") << QStringLiteral("a\nbb");
    QTest::newRow("from empty") << QString() << QStringLiteral("x\r\ny");
    QTest::newRow("to empty") << QStringLiteral("x\r\ny") << QString();
}

void TestTextView::replaceAllShapes()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    TextView view;
    view.setText(before);
    QSignalSpy spy(&view, &TextView::changed);
    view.replaceAll(after);
    QCOMPARE(visible(view.rawText()), visible(after));
    QVERIFY(spy.count() >= 1);
    view.undoEdit();
    QCOMPARE(visible(view.rawText()), visible(before));
    view.redoEdit();
    QCOMPARE(visible(view.rawText()), visible(after));
    // Typing afterwards keeps the breaks the replacement gave.
    view.setSelStart(0);
    view.setSelText(QStringLiteral("z"));
    QCOMPARE(visible(view.rawText()), visible(QStringLiteral("z") + after));
}

void TestTextView::replaceAllIsOneUndoStep()
{
    TextView view;
    view.setText(QStringLiteral("a\r\nb\rc"));
    view.replaceAll(QStringLiteral("a\nb\nc"));
    QCOMPARE(visible(view.rawText()), QStringLiteral("a<LF>b<LF>c"));
    view.undoEdit();
    QCOMPARE(visible(view.rawText()), QStringLiteral("a<CR><LF>b<CR>c"));
    QVERIFY(!view.document()->isUndoAvailable());
    view.redoEdit();
    QCOMPARE(visible(view.rawText()), QStringLiteral("a<LF>b<LF>c"));
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

void TestTextView::selTextNormalisesBreaks()
{
    TextView view;
    view.setText(QStringLiteral("x\ry"));
    view.setSelStart(1);
    view.setSelText(QStringLiteral("1\r\n2\r3\n"));
    QCOMPARE(view.text(), QStringLiteral("x1\n2\n3\n\ny"));
    QCOMPARE(view.lineBreakCount(), 4);
    QCOMPARE(visible(view.rawText()), QStringLiteral("x1<CR>2<CR>3<CR><CR>y"));
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

// Blinking over a line of millions of characters would keep the program
// busy: the caret stops blinking while the focused view has it in a very long
// line, and blinks again when it leaves the line, the view loses the focus or
// the view closes.
void TestTextView::caretStaysLitInVeryLongLines()
{
    QStyleHints *hints = QGuiApplication::styleHints();
    const int normal = hints->cursorFlashTime();
    QVERIFY(normal > 0);
    QWidget window;
    auto *view = new TextView(&window);
    auto *other = new TextView(&window);
    other->move(0, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    const int longLine = TextView::LongLineForBlinking + 1;
    view->setText(QStringLiteral("short\r\n") + QString(longLine, QLatin1Char('x')) + QStringLiteral("\r\nend"));
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());

    struct Step { const char *what; std::function<void()> act; int flashTime; };
    const Step steps[] = {
        {"caret in a short line", [&] { placeCaret(*view, 2); }, normal},
        {"caret into the long line", [&] { placeCaret(*view, 6 + 10); }, 0},
        {"focus to another view", [&] { other->setFocus(); }, normal},
        {"focus back", [&] { view->setFocus(); }, 0},
        {"caret to the last line", [&] { QTest::keyClick(view, Qt::Key_Down); }, normal},
        {"caret back up", [&] { QTest::keyClick(view, Qt::Key_Up); }, 0},
        {"view closed", [&] { delete view; view = nullptr; }, normal},
    };
    for (const Step &step : steps) {
        step.act();
        QCoreApplication::processEvents();
        QVERIFY2(hints->cursorFlashTime() == step.flashTime, step.what);
    }
}

QTEST_MAIN(TestTextView)
#include "tst_textview.moc"
