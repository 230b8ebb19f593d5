#include "app/appidentity.h"
#include "app/commandline.h"

#include <qpa/qplatformwindow.h>

#include <QtTest>

using namespace zp;

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void split_data();
    void split();
    void join_data();
    void join();
    void windowTitlesAreExact();
};

void TestCommandLine::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty text") << "" << QStringList();
    QTest::newRow("one item") << "a.htm" << QStringList{ "a.htm" };
    QTest::newRow("two items") << "a.htm b.txt" << QStringList{ "a.htm", "b.txt" };
    QTest::newRow("two blanks in a row") << "a  b" << QStringList{ "a", "", "b" };
    QTest::newRow("three blanks") << "   " << QStringList{ "", "", "", "" };
    QTest::newRow("leading and trailing blank") << " a " << QStringList{ "", "a", "" };
    QTest::newRow("quotes have no meaning")
            << "\"my file.htm\"" << QStringList{ "\"my", "file.htm\"" };
    QTest::newRow("tab is no separator") << "a\tb" << QStringList{ "a\tb" };
}

void TestCommandLine::split()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);

    QCOMPARE(SplitCommandLine(text), items);
}

void TestCommandLine::join_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");

    QTest::newRow("no argument") << QStringList() << "";
    QTest::newRow("two arguments") << QStringList{ "a.htm", "b.txt" } << "a.htm b.txt";
    QTest::newRow("argument with a blank") << QStringList{ "my file.htm" } << "my file.htm";
    QTest::newRow("empty arguments") << QStringList{ "", "" } << " ";
}

void TestCommandLine::join()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);

    QCOMPARE(CommandLineText(arguments), text);
}

// The titles the platform gives the windows: nothing appended to a dialog's
// own title ("検索", not "検索 — Zelkopad").
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
