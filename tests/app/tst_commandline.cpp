// The command line: the program's arguments joined into one text and split
// back into items at each blank, the titles the platform gives windows, and
// the files the items name, each rebuilt from the directory listing, opened in
// its own window, recorded and backed up.

#include "app/appidentity.h"
#include "app/commandline.h"
#include "documents/recentfiles.h"

#include "testapp.h"

#include <qpa/qplatformwindow.h>

#include <QtTest>

using namespace zp;
using zptest::TestApp;

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void joinAndSplit_data();
    void joinAndSplit();
    void windowTitlesAreExact();
    void files_data();
    void files();
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

void TestCommandLine::files_data()
{
    // "@" stands for the folder of the test files, which is also the
    // current folder.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("texts");
    const QStringList ab{"@/a.txt", "@/Site/b.html"};
    QTest::newRow("two files in order") << ab << ab << QStringList{"A", "B"};
    QTest::newRow("same file twice opens twice")
            << QStringList{"@/a.txt", "@/a.txt"} << QStringList{"@/a.txt", "@/a.txt"}
            << QStringList{"A", "A"};
    QTest::newRow("missing file in a folder gives the folder")
            << QStringList{"@/Site/new.txt"} << QStringList{"@/Site/"} << QStringList{""};
    // The file manager passes a path with blanks as one argument.
    QTest::newRow("a path with blanks in one argument opens one file")
            << QStringList{"@/my notes.txt"} << QStringList{"@/my notes.txt"} << QStringList{"N"};
    QTest::newRow("a path with blanks in two arguments gives two items")
            << QStringList{"@/my", "notes.txt"} << QStringList{"@/", "notes.txt"}
            << QStringList{"", ""};
    // Empty items are skipped; the rebuilding itself is tst_filepaths' case.
    QTest::newRow("blanks only open nothing") << QStringList{"  "} << QStringList{} << QStringList{};
    QTest::newRow("bare name from the current folder")
            << QStringList{"a.txt"} << QStringList{"a.txt"} << QStringList{"A"};
}

void TestCommandLine::files()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, texts);
    TestApp f;
    f.writeFile("a.txt", "A");
    f.writeFile("Site/b.html", "B");
    f.writeFile("my notes.txt", "N");
    const QString root = f.files.path();
    const QString before = QDir::currentPath();
    QDir::setCurrent(root);
    const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
    QVERIFY(f.startWithItems(CommandLineItems(arguments.replaceInStrings("@", root)),
                             {"Backup=1"}));
    titles.replaceInStrings("@", root);
    // The files open from the event loop.
    QTRY_COMPARE(f.documentTitles(), titles);
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(f.documentWindows().at(i)->rtfEdit()->text(), texts.at(i));
        QCOMPARE(f.documentWindows().at(i)->rtfEdit()->isModified(), false);
    }
    if (!titles.isEmpty())
        QCOMPARE(f.main()->activeDocument()->windowTitle(), titles.last());
    QStringList recorded = historySlots(f.context().settings);
    recorded.removeAll(QString());
    titles.removeDuplicates();
    QCOMPARE(recorded, titles);
    if (texts.contains("B"))
        QCOMPARE(f.readFile(f.backupPath("b.html")), QByteArray("B"));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
