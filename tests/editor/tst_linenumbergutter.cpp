// The line-number gutter: which numbers its rows show, how many rows fit, and
// the first visible display line it starts from when lines wrap.

#include "editor/editwindow.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "platform/appcontext.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

using zp::EditWindow;
using zp::LineNumberGutter;
using zp::TextView;

namespace {

QString numberedLines(int count, const QString &body = QStringLiteral("line"))
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(body + QString::number(i));
    return lines.join(QStringLiteral("\r\n"));
}

// A document window outside any frame, with line numbers on (no settings
// file: "LineNum" reads as 1).
struct Window
{
    QTemporaryDir dir;
    zp::AppContext context;
    std::unique_ptr<EditWindow> window;

    Window()
    {
        context.appFolder = dir.path() + QLatin1Char('/');
        context.settings = zp::SettingsFile(context.appFolder);
        window = std::make_unique<EditWindow>(context);
        window->resize(400, 300);
        window->Form_Load();
    }
    TextView &view() { return *window->rtfEdit(); }
    LineNumberGutter &gutter() { return *window->picLineNo(); }
};

QStringList rowsFrom(int first, int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(LineNumberGutter::rowText(first + i));
    return rows;
}

} // namespace

class TestLineNumberGutter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rowText_data();
    void rowText();
    void firstRowFollowsScrolling_data();
    void firstRowFollowsScrolling();
    void rowsFillTheHeight_data();
    void rowsFillTheHeight();
    void rowsStopAfterSixDigits();
    void rowHeightIsTheTextLineHeight();
    void wrappedLinesCountDisplayLines_data();
    void wrappedLinesCountDisplayLines();
    void noRowsWithoutLineNumbers();
};

void TestLineNumberGutter::rowText_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << QStringLiteral("     1 |");
    QTest::newRow("41") << 41 << QStringLiteral("    41 |");
    QTest::newRow("six digits") << 999999 << QStringLiteral("999999 |");
}

void TestLineNumberGutter::rowText()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(LineNumberGutter::rowText(number), text);
}

void TestLineNumberGutter::firstRowFollowsScrolling_data()
{
    QTest::addColumn<int>("scrollTo");
    QTest::addColumn<QString>("firstRow");
    QTest::newRow("top") << 0 << QStringLiteral("     1 |");
    QTest::newRow("line 41") << 40 << QStringLiteral("    41 |");
    QTest::newRow("line 150") << 149 << QStringLiteral("   150 |");
}

void TestLineNumberGutter::firstRowFollowsScrolling()
{
    QFETCH(int, scrollTo);
    QFETCH(QString, firstRow);
    Window w;
    w.view().setText(numberedLines(300));
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.view().verticalScrollBar()->setValue(scrollTo);
    QTRY_COMPARE(w.gutter().rows().value(0), firstRow);
    // The rows count on from there, one per line.
    const QStringList rows = w.gutter().rows();
    QCOMPARE(rows, rowsFrom(scrollTo + 1, int(rows.size())));
    // The text's first visible line is the numbered one.
    QCOMPARE(w.view().cursorForPosition(QPoint(1, 1)).block().text(), QStringLiteral("line%1").arg(scrollTo + 1));
}

void TestLineNumberGutter::rowsFillTheHeight_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("extraPixels");
    QTest::addColumn<int>("expectedRows");
    QTest::newRow("exact multiple") << 12 << 0 << 12;
    QTest::newRow("one pixel less drops a row") << 12 << -1 << 11;
    QTest::newRow("one pixel more adds none") << 12 << 1 << 12;
    QTest::newRow("lower than one row still shows one") << 1 << -3 << 1;
}

void TestLineNumberGutter::rowsFillTheHeight()
{
    QFETCH(int, rows);
    QFETCH(int, extraPixels);
    QFETCH(int, expectedRows);
    Window w;
    // Three lines in a taller window: the numbers run on to the bottom.
    w.view().setText(QStringLiteral("a\r\nb\r\nc"));
    const int height = rows * w.view().lineHeight() + extraPixels;
    w.window->resize(400, height);
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QCOMPARE(w.gutter().height(), height);
    QTRY_COMPARE(w.gutter().rows().size(), expectedRows);
    QCOMPARE(w.gutter().rows(), rowsFrom(1, expectedRows));
}

void TestLineNumberGutter::rowsStopAfterSixDigits()
{
    LineNumberGutter gutter;
    QImage image(LineNumberGutter::Width, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    gutter.PrintLineNumbers(999998, painter, 200, LineNumberGutter::Width, 15);
    QCOMPARE(gutter.rows(), rowsFrom(999998, 2));
}

void TestLineNumberGutter::rowHeightIsTheTextLineHeight()
{
    // Rows stand beside their lines only if both have the same height.
    Window w;
    w.view().setText(numberedLines(20));
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    const int rowHeight = w.view().lineHeight();
    const QTextBlock fourth = w.view().document()->findBlockByNumber(3);
    QCOMPARE(w.view().document()->documentLayout()->blockBoundingRect(fourth).height(),
             qreal(rowHeight));
    // The fourth line starts where the fourth row does, at the top edge's
    // offset of three rows.
    QTextCursor cursor(fourth);
    QCOMPARE(w.view().cursorRect(cursor).top(), 3 * rowHeight);
}

void TestLineNumberGutter::wrappedLinesCountDisplayLines_data()
{
    QTest::addColumn<int>("topBlock");
    QTest::newRow("block 5") << 5;
    QTest::newRow("block 30") << 30;
    QTest::newRow("last block") << 59;
}

void TestLineNumberGutter::wrappedLinesCountDisplayLines()
{
    QFETCH(int, topBlock);
    Window w;
    // Lines of different lengths, most of them wrapping several times.
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines.append(QStringLiteral("line%1 ").arg(i) + QStringLiteral("word ").repeated(i * 3));
    w.view().setText(lines.join(QStringLiteral("\n")));
    w.view().setRightMargin(0);
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    // A change of width throws away the layout of every block, so the blocks
    // above the one jumped to are not laid out.
    w.window->resize(300, 200);
    QTest::qWait(0);
    const QTextDocument *doc = w.view().document();
    w.view().verticalScrollBar()->setValue(doc->findBlockByNumber(topBlock).firstLineNumber());
    QCOMPARE(w.view().cursorForPosition(QPoint(1, 1)).block().blockNumber(), topBlock);
    const int first = w.view().firstVisibleLine();

    // Lay out every block and count its display lines.
    int expected = 0;
    for (QTextBlock b = doc->begin(); b.blockNumber() < topBlock; b = b.next()) {
        doc->documentLayout()->blockBoundingRect(b);
        expected += b.layout()->lineCount();
    }
    QVERIFY(expected > topBlock);
    QCOMPARE(first, expected);
    QTRY_COMPARE(w.gutter().rows().value(0), LineNumberGutter::rowText(expected + 1));
}

void TestLineNumberGutter::noRowsWithoutLineNumbers()
{
    QTemporaryDir dir;
    zp::AppContext context;
    context.appFolder = dir.path() + QLatin1Char('/');
    context.settings = zp::SettingsFile(context.appFolder);
    QVERIFY(context.settings.write(QStringLiteral("Edit"), QStringLiteral("LineNum"),
                                   QStringLiteral("0")));
    EditWindow window(context);
    window.resize(300, 200);
    window.Form_Load();
    window.rtfEdit()->setText(numberedLines(50));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.rtfEdit()->verticalScrollBar()->setValue(10);
    QTest::qWait(0);
    QCOMPARE(window.tag(), QStringLiteral("0"));
    QVERIFY(window.picLineNo()->isHidden());
    QVERIFY(window.picLineNo()->rows().isEmpty());
    EditWindow::NoLineNumbers = false;
}

QTEST_MAIN(TestLineNumberGutter)
#include "tst_linenumbergutter.moc"
