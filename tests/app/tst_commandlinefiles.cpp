// Opening the files named on the command line: each item rebuilt from the
// directory listing, opened in its own window, recorded and backed up.

#include "app/commandline.h"
#include "documents/recentfiles.h"

#include "testapp.h"

#include <QTest>

using zptest::TestApp;

class TestCommandLineFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void items_data();
    void items();
};

void TestCommandLineFiles::items_data()
{
    // "@" stands for the folder of the test files, which is also the
    // current folder.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("texts");
    const QStringList ab{"@/a.txt", "@/Site/b.html"};
    QTest::newRow("two files in order") << ab << ab << QStringList{"A", "B"};
    QTest::newRow("two blanks give an empty item, skipped")
            << QStringList{"@/a.txt  @/Site/b.html"} << ab << QStringList{"A", "B"};
    QTest::newRow("letter case taken from the listing")
            << QStringList{"@/SITE/B.HTML"} << QStringList{"@/Site/b.html"} << QStringList{"B"};
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
    QTest::newRow("blanks only open nothing") << QStringList{"  "} << QStringList{} << QStringList{};
    QTest::newRow("bare name from the current folder")
            << QStringList{"a.txt"} << QStringList{"a.txt"} << QStringList{"A"};
}

void TestCommandLineFiles::items()
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
    QVERIFY(f.startWithItems(zp::CommandLineItems(arguments.replaceInStrings("@", root)),
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
    QStringList recorded = zp::historySlots(f.context().settings);
    recorded.removeAll(QString());
    titles.removeDuplicates();
    QCOMPARE(recorded, titles);
    if (texts.contains("B"))
        QCOMPARE(f.readFile(f.backupPath("b.html")), QByteArray("B"));
}

QTEST_MAIN(TestCommandLineFiles)
#include "tst_commandlinefiles.moc"
