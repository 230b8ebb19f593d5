// Path texts: file names, the HTML test, and the rebuilding of
// command-line items against the directory listing.

#include "documents/filepaths.h"
#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace zp;

namespace {

// Answers listedName from a table; records the patterns asked for.
class TableFileSystem : public FileSystem
{
public:
    QHash<QString, QString> names;
    mutable QStringList asked;
    QString listedName(const QString &pattern) const override
    {
        asked.append(pattern);
        return names.value(pattern);
    }
    bool copyOver(const QString &, const QString &) override { return false; }
};

} // namespace

class TestFilePaths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileNameAndHtml_data();
    void fileNameAndHtml();
    void rebuildFromTable_data();
    void rebuildFromTable();
    void rebuildAgainstDisk_data();
    void rebuildAgainstDisk();
};

void TestFilePaths::fileNameAndHtml_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("html");
    QTest::newRow("lower html") << "/w/index.html" << "index.html" << true;
    QTest::newRow("upper HTM") << "/w/index.HTM" << "index.HTM" << true;
    QTest::newRow("css") << "/w/style.css" << "style.css" << false;
    QTest::newRow("htmlx is not html") << "/w/a.htmlx" << "a.htmlx" << false;
    QTest::newRow("dot in folder only") << "/w.html/readme" << "readme" << false;
    QTest::newRow("bare name") << "a.txt" << "a.txt" << false;
    QTest::newRow("folder path") << "/w/" << "" << false;
}

void TestFilePaths::fileNameAndHtml()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(bool, html);
    QCOMPARE(fileNameOf(path), name);
    QCOMPARE(isHtmlPath(path), html);
}

void TestFilePaths::rebuildFromTable_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");
    QTest::newRow("long names replace short ones")
            << "/PROGRA~1/A.TXT" << "/Program Files/a.txt";
    QTest::newRow("unmatched last component keeps only its slash") << "/w/new.txt" << "/w/";
    QTest::newRow("unmatched middle component") << "/nowhere/A.TXT" << "//";
    QTest::newRow("bare name unchanged") << "notes.txt" << "notes.txt";
    QTest::newRow("relative first component kept") << "sub/A.TXT" << "sub/";
    QTest::newRow("dot and dot-dot resolved")
            << "/w/../PROGRA~1/./A.TXT" << "/Program Files/a.txt";
    QTest::newRow("doubled separator merged") << "/PROGRA~1//A.TXT" << "/Program Files/a.txt";
    QTest::newRow("leading dot dropped") << "./notes.txt" << "notes.txt";
}

void TestFilePaths::rebuildFromTable()
{
    QFETCH(QString, item);
    QFETCH(QString, expected);
    TableFileSystem fs;
    fs.names = {{"/PROGRA~1", "Program Files"},
                {"/Program Files/A.TXT", "a.txt"},
                {"/w", "w"}};
    QCOMPARE(rebuildPath(item, fs), expected);
}

void TestFilePaths::rebuildAgainstDisk_data()
{
    QTest::addColumn<QString>("relativeItem");
    QTest::addColumn<QString>("expectedRelative");
    QTest::newRow("as written") << "Site/Index.html" << "Site/Index.html";
    QTest::newRow("letter case from the listing") << "SITE/index.HTML" << "Site/Index.html";
    QTest::newRow("wildcard takes the first in name order") << "Site/*.css" << "Site/a.css";
    QTest::newRow("hidden entries match") << "site/.HIDDEN" << "Site/.hidden";
    QTest::newRow("missing file") << "Site/new.txt" << "Site/";
    QTest::newRow("dot-dot to a missing file") << "Site/../Site/new.txt" << "Site/";
}

void TestFilePaths::rebuildAgainstDisk()
{
    QFETCH(QString, relativeItem);
    QFETCH(QString, expectedRelative);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Site")));
    for (const char *name : {"Index.html", "a.css", "b.css", ".hidden"}) {
        QFile f(dir.filePath(QStringLiteral("Site/") + QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    LocalFileSystem fs;
    // The temporary folder's own components exist as written, so they come
    // back unchanged.
    QCOMPARE(rebuildPath(dir.path() + QLatin1Char('/') + relativeItem, fs),
             dir.path() + QLatin1Char('/') + expectedRelative);
}

QTEST_GUILESS_MAIN(TestFilePaths)
#include "tst_filepaths.moc"
