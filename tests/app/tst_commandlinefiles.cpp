// Opening the files named on the command line: each item rebuilt from the
// directory listing, opened in its own window, recorded and backed up.

#include "documents/recentfiles.h"

#include "../support/appfixture.h"

#include <QTest>

using namespace zp;
using namespace zp::testing;

class TestCommandLineFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void items_data();
    void items();
    void bareNameUsesCurrentFolder();
};

void TestCommandLineFiles::items_data()
{
    // "@" stands for the folder of the test files.
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("two files in order") << "@/a.txt @/Site/b.html" << QStringList{"@/a.txt", "@/Site/b.html"}
                                        << QStringList{"A", "B"};
    QTest::newRow("two blanks give an empty item, skipped")
            << "@/a.txt  @/Site/b.html" << QStringList{"@/a.txt", "@/Site/b.html"}
            << QStringList{"A", "B"};
    QTest::newRow("letter case taken from the listing")
            << "@/SITE/B.HTML" << QStringList{"@/Site/b.html"} << QStringList{"B"};
    QTest::newRow("same file twice opens twice")
            << "@/a.txt @/a.txt" << QStringList{"@/a.txt", "@/a.txt"} << QStringList{"A", "A"};
    QTest::newRow("missing file in a folder gives the folder")
            << "@/Site/new.txt" << QStringList{"@/Site/"} << QStringList{""};
    QTest::newRow("a blank in a path splits it")
            << "@/my notes.txt" << QStringList{"@/", "notes.txt"} << QStringList{"", ""};
    QTest::newRow("blanks only open nothing") << "  " << QStringList{} << QStringList{};
}

void TestCommandLineFiles::items()
{
    QFETCH(QString, commandLine);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, texts);
    AppFixture f;
    f.writeFile("a.txt", "A");
    f.writeFile("Site/b.html", "B");
    f.writeFile("my notes.txt", "N");
    const QString root = f.files.path();
    QVERIFY(f.start(commandLine.replace('@', root), {"Backup=1"}));
    titles.replaceInStrings("@", root);
    // The files open from the event loop.
    QTRY_COMPARE(f.documentTitles(), titles);
    for (int i = 0; i < texts.size(); ++i) {
        EditWindow *w = f.documentWindows().at(i);
        QCOMPARE(w->rtfEdit()->text(), texts.at(i));
        QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("0"));
    }
    if (!titles.isEmpty())
        QCOMPARE(f.main()->activeDocument()->windowTitle(), titles.last());
    QStringList recorded = historySlots(f.context().settings);
    recorded.removeAll(QString());
    titles.removeDuplicates();
    QCOMPARE(recorded, titles);
    if (texts.contains("B"))
        QCOMPARE(AppFixture::readFile(f.backupPath("b.html")), QByteArray("B"));
}

void TestCommandLineFiles::bareNameUsesCurrentFolder()
{
    AppFixture f;
    f.writeFile("bare.txt", "bare");
    const QString before = QDir::currentPath();
    QDir::setCurrent(f.files.path());
    const bool started = f.start(QStringLiteral("bare.txt"));
    QTRY_COMPARE(f.documentTitles(), QStringList{"bare.txt"});
    QDir::setCurrent(before);
    QVERIFY(started);
    QCOMPARE(f.documentWindows().first()->rtfEdit()->text(), QStringLiteral("bare"));
}

QTEST_MAIN(TestCommandLineFiles)
#include "tst_commandlinefiles.moc"
