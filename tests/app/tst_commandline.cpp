// The command line: the program's arguments joined into one text and split
// back into items at each blank, and the titles the platform gives windows.

#include "app/appidentity.h"
#include "app/commandline.h"

#include <qpa/qplatformwindow.h>

#include <QtTest>

using namespace zp;

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void joinAndSplit_data();
    void joinAndSplit();
    void windowTitlesAreExact();
};

void TestCommandLine::joinAndSplit_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("none") << QStringList() << QStringList();
    QTest::newRow("two") << QStringList{"a.htm", "b.txt"} << QStringList{"a.htm", "b.txt"};
    // Quotes have no meaning: a name with a blank that names no file comes
    // back in two items.
    QTest::newRow("argument with a blank") << QStringList{"\"my file.htm\""}
                                           << QStringList{"\"my", "file.htm\""};
    QTest::newRow("empty arguments") << QStringList{"", ""} << QStringList{"", ""};
    QTest::newRow("two blanks in a row") << QStringList{"a  b"} << QStringList{"a", "", "b"};
    QTest::newRow("leading and trailing blank") << QStringList{"", "a", ""}
                                                << QStringList{"", "a", ""};
    QTest::newRow("tab is no separator") << QStringList{"a\tb"} << QStringList{"a\tb"};
}

void TestCommandLine::joinAndSplit()
{
    // No argument names a file: the items are those of the arguments' text.
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, items);
    QCOMPARE(CommandLineItems(arguments), items);
    QCOMPARE(SplitCommandLine(arguments.join(' ')), items);
}

// Nothing is appended to a dialog's own title ("検索", not "検索 — Zelkopad").
void TestCommandLine::windowTitlesAreExact()
{
    struct Platform : QPlatformWindow
    {
        using QPlatformWindow::formatWindowTitle;
    };
    setApplicationIdentity();
    QCOMPARE(Platform::formatWindowTitle(u"検索"_qs, u" \u2014 "_qs), u"検索"_qs);
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Zelkopad"));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
