// Opening the files named on the command line: each item rebuilt from the
// directory listing, opened in its own window, recorded and backed up.

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
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("texts");
    const QStringList ab{"@/a.txt", "@/Site/b.html"};
    QTest::newRow("two files in order") << "@/a.txt @/Site/b.html" << ab << QStringList{"A", "B"};
    QTest::newRow("two blanks give an empty item, skipped")
            << "@/a.txt  @/Site/b.html" << ab << QStringList{"A", "B"};
    QTest::newRow("letter case taken from the listing")
            << "@/SITE/B.HTML" << QStringList{"@/Site/b.html"} << QStringList{"B"};
    QTest::newRow("same file twice opens twice")
            << "@/a.txt @/a.txt" << QStringList{"@/a.txt", "@/a.txt"} << QStringList{"A", "A"};
    QTest::newRow("missing file in a folder gives the folder")
            << "@/Site/new.txt" << QStringList{"@/Site/"} << QStringList{""};
    QTest::newRow("a blank in a path splits it")
            << "@/my notes.txt" << QStringList{"@/", "notes.txt"} << QStringList{"", ""};
    QTest::newRow("blanks only open nothing") << "  " << QStringList{} << QStringList{};
    QTest::newRow("bare name from the current folder")
            << "a.txt" << QStringList{"a.txt"} << QStringList{"A"};
}

void TestCommandLineFiles::items()
{
    QFETCH(QString, commandLine);
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
    QVERIFY(f.start(commandLine.replace('@', root), {"Backup=1"}));
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
