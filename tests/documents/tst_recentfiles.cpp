// The ten history slots in the settings file.

#include "documents/recentfiles.h"
#include "platform/settingsfile.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zp;

class TestRecentFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void record_data();
    void record();
};

void TestRecentFiles::record_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("first path into slot 1") << QStringList(10) << "/a" << QStringList{"/a"} + QStringList(9);
    QTest::newRow("known path keeps its place")
            << QStringList{"/a", "/b", "/c"} + QStringList(7) << "/b"
            << QStringList{"/a", "/b", "/c"} + QStringList(7);
    QTest::newRow("other letter case is another entry")
            << QStringList{"/a"} + QStringList(9) << "/A" << QStringList{"/a", "/A"} + QStringList(8);
    QTest::newRow("emptied slot 1 is filled first")
            << QStringList{"", "/b"} + QStringList(8) << "/c" << QStringList{"/c", "/b"} + QStringList(8);
    QTest::newRow("all ten filled: the oldest goes")
            << QStringList{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10"} << "/11"
            << QStringList{"/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10", "/11"};
    QTest::newRow("path already after an empty slot is written again")
            << QStringList{"", "/b"} + QStringList(8) << "/b" << QStringList{"/b", "/b"} + QStringList(8);
    // A path the settings file would give back different is left out, and
    // nothing moves for it.
    const QStringList full{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8", "/9", "/10"};
    QTest::newRow("letter CP932 lacks") << full << u"/caf\u00e9.txt"_qs << full;
    QTest::newRow("wave dash CP932 turns into another")
            << QStringList{"/a"} + QStringList(9) << u"/\u6ce2\u301c.txt"_qs << QStringList{"/a"} + QStringList(9);
    QTest::newRow("path longer than the menu reads") << full << "/" + QString(254, 'x') << full;
    QTest::newRow("longest path the menu reads")
            << QStringList(10) << "/" + QString(253, 'x') << QStringList{"/" + QString(253, 'x')} + QStringList(9);
    QTest::newRow("Japanese and kept bytes are recorded")
            << QStringList(10) << u"/\u65e5\u672c\uf87f.txt"_qs
            << QStringList{u"/\u65e5\u672c\uf87f.txt"_qs} + QStringList(9);
}

void TestRecentFiles::record()
{
    QFETCH(QStringList, before);
    QFETCH(QString, path);
    QFETCH(QStringList, after);
    QTemporaryDir dir;
    const SettingsFile settings(dir.path() + QLatin1Char('/'));
    for (int i = 0; i < before.size(); ++i) {
        if (!before.at(i).isEmpty())
            settings.write("History", QStringLiteral("FileList%1").arg(i + 1), before.at(i));
    }
    AddFileHistory(settings, path);
    QCOMPARE(historySlots(settings), after);
}

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
