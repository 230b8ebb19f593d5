// The line-number gutter: the rows it paints follow scrolling, the window's
// height and wrapped lines, and the settings turn it off or colour it.

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

using zp::EditWindow;
using zp::LineNumberGutter;

namespace {

QStringList rowsFrom(int first, int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows.append(LineNumberGutter::rowText(first + i));
    return rows;
}

// A document window outside any frame, holding lines, over a settings file
// with the given "[Edit]" keys (none: line numbers on), at 400 x 300.
struct Window
{
    QTemporaryDir dir;
    zp::AppContext context;
    std::unique_ptr<EditWindow> window;
    zp::TextView *view = nullptr;
    LineNumberGutter *gutter = nullptr;

    explicit Window(const QStringList &lines, const QStringList &settings = {})
    {
        context.appFolder = dir.path() + QLatin1Char('/');
        context.settings = zp::SettingsFile(context.appFolder);
        for (const QString &line : settings)
            context.settings.write(QStringLiteral("Edit"), line.section('=', 0, 0), line.section('=', 1));
        window = std::make_unique<EditWindow>(context);
        window->resize(400, 300);
        window->Form_Load();
        view = window->rtfEdit();
        gutter = window->picLineNo();
        view->setText(lines.join(QStringLiteral("\r\n")));
    }
};

} // namespace

class TestLineNumberGutter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rowsFillTheHeight_data();
    void rowsFillTheHeight();
    void rowsStopAfterSixDigits();
    void linesInPiecesShowOneNumber_data();
    void linesInPiecesShowOneNumber();
    void wrappedLinesCountDisplayLines_data();
    void wrappedLinesCountDisplayLines();
    void settings_data();
    void settings();
};

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
    // Three lines in a taller window: the numbers run on to the bottom.
    Window w({"a", "b", "c"});
    const int height = rows * w.view->lineHeight() + extraPixels;
    w.window->resize(400, height);
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QCOMPARE(w.gutter->height(), height);
    QTRY_COMPARE(w.gutter->rows(), rowsFrom(1, expectedRows));
    // Rows stand beside their lines only if the lines are as tall as the rows.
    const QTextBlock third = w.view->document()->lastBlock();
    QCOMPARE(w.view->document()->documentLayout()->blockBoundingRect(third).height(), qreal(w.view->lineHeight()));
    QCOMPARE(w.view->cursorRect(QTextCursor(third)).top(), 2 * w.view->lineHeight());
}

void TestLineNumberGutter::rowsStopAfterSixDigits()
{
    LineNumberGutter gutter;
    QImage image(LineNumberGutter::Width, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    gutter.PrintLineNumbers(999998, painter, 200, LineNumberGutter::Width, 15);
    QCOMPARE(gutter.rows(), QStringList({"999998 |", "999999 |"}));
}

void TestLineNumberGutter::linesInPiecesShowOneNumber_data()
{
    QTest::addColumn<int>("scroll");
    QTest::addColumn<QStringList>("expected");
    const QString blank;
    QTest::newRow("from the top") << 0 << (QStringList{"     1 |", "     2 |", blank, blank} + rowsFrom(3, 8));
    QTest::newRow("top row continues a line") << 2 << (QStringList{blank, blank} + rowsFrom(3, 10));
}

// Unwrapped, a long line held in three pieces takes three rows and one number;
// the lines below it keep their own numbers.
void TestLineNumberGutter::linesInPiecesShowOneNumber()
{
    QFETCH(int, scroll);
    QFETCH(QStringList, expected);
    Window w(QStringList{"a", QString(2 * zp::TextView::PieceLength + 5, QLatin1Char('x'))} + QStringList(20, "b"));
    w.window->resize(400, 12 * w.view->lineHeight());
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QVERIFY(w.view->hasPieces());
    w.view->verticalScrollBar()->setValue(scroll);
    QTRY_COMPARE(w.gutter->rows(), expected);
}

void TestLineNumberGutter::wrappedLinesCountDisplayLines_data()
{
    QTest::addColumn<int>("topBlock");
    QTest::newRow("block 30") << 30;
    QTest::newRow("last block") << 59;
}

void TestLineNumberGutter::wrappedLinesCountDisplayLines()
{
    QFETCH(int, topBlock);
    // Lines of different lengths, most of them wrapping several times.
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines.append(QStringLiteral("line%1 ").arg(i) + QStringLiteral("word ").repeated(i * 3));
    Window w(lines);
    w.view->setRightMargin(0);
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    // A change of width throws away the layout of every block, so the blocks
    // above the one jumped to are not laid out.
    w.window->resize(300, 200);
    QCoreApplication::processEvents();
    const QTextDocument *doc = w.view->document();
    w.view->verticalScrollBar()->setValue(doc->findBlockByNumber(topBlock).firstLineNumber());
    QCOMPARE(w.view->cursorForPosition(QPoint(1, 1)).block().blockNumber(), topBlock);
    // Counting takes its time: given none, the view defers the count to the
    // event loop, which finishes it (and the gutter follows).
    QVERIFY(!w.view->firstVisibleLineWithin(0));
    // Lay out every block above and count its display lines.
    int expected = 0;
    for (QTextBlock b = doc->begin(); b.blockNumber() < topBlock; b = b.next()) {
        doc->documentLayout()->blockBoundingRect(b);
        expected += b.layout()->lineCount();
    }
    QVERIFY(expected > topBlock);
    QTRY_COMPARE(w.view->firstVisibleLineWithin(0), std::optional<int>(expected));
    QCOMPARE(w.view->firstVisibleLine(), expected);
    QTRY_COMPARE(w.gutter->rows().value(0), LineNumberGutter::rowText(expected + 1));
}

void TestLineNumberGutter::settings_data()
{
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QColor>("numberColor");
    const QColor fallback(240, 148, 118);
    QTest::newRow("keys missing") << QStringList() << true << fallback;
    QTest::newRow("written colour") << QStringList{"LineNoColor=bbbbbb"} << true << QColor(0xbb, 0xbb, 0xbb);
    QTest::newRow("empty colour") << QStringList{"LineNoColor="} << true << fallback;
    QTest::newRow("line numbers off") << QStringList{"LineNum=0"} << false << fallback;
    QTest::newRow("any other value is off") << QStringList{"LineNum=2", "LineNoColor=00FF"} << false << QColor(0, 255, 0);
}

void TestLineNumberGutter::settings()
{
    QFETCH(QStringList, settings);
    QFETCH(bool, shown);
    QFETCH(QColor, numberColor);
    QStringList lines;
    for (int i = 1; i <= 80; ++i)
        lines.append(QStringLiteral("line%1").arg(i));
    Window w(lines, settings);
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    w.view->verticalScrollBar()->setValue(40);
    QCOMPARE(w.window->lineNumbersShown(), shown);
    QCOMPARE(w.context.lineNumbersHidden, !shown);
    QCOMPARE(w.gutter->numberColor(), numberColor);
    QCOMPARE(w.gutter->font(), w.view->font());
    // The text takes the gutter's room when it is off; nothing is painted.
    const int left = shown ? LineNumberGutter::Width : 0;
    QCOMPARE(w.view->geometry(), QRect(left, 0, 400 - left, 300));
    QCOMPARE(w.gutter->isVisible(), shown);
    QCoreApplication::processEvents();
    QTRY_COMPARE(w.gutter->rows().value(0), shown ? QStringLiteral("    41 |") : QString());
    // The rows count on from the first visible line, one per line.
    QCOMPARE(w.gutter->rows(), rowsFrom(41, int(w.gutter->rows().size())));
    QCOMPARE(w.view->cursorForPosition(QPoint(1, 1)).block().text(), QStringLiteral("line41"));
}

QTEST_MAIN(TestLineNumberGutter)
#include "tst_linenumbergutter.moc"
