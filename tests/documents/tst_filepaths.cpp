// Path texts: file names, the HTML test, and the rebuilding of command-line
// items against the directory listing.

#include "documents/filepaths.h"
#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zp;

class TestFilePaths : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileNameAndHtml_data();
    void fileNameAndHtml();
    void rebuild_data();
    void rebuild();
};

void TestFilePaths::fileNameAndHtml_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("html");
    QTest::newRow("lower html") << "/w/index.html" << "index.html" << true;
    QTest::newRow("upper HTM") << "/w/index.HTM" << "index.HTM" << true;
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

// "@" stands for a folder holding Site/Index.html, a.css, b.css and .hidden,
// which is also the current folder for the relative items.
void TestFilePaths::rebuild_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("expected");
    QTest::newRow("as written") << "@/Site/Index.html" << "@/Site/Index.html";
    QTest::newRow("letter case from the listing") << "@/SITE/index.HTML" << "@/Site/Index.html";
    QTest::newRow("wildcard takes the first in name order") << "@/Site/*.css" << "@/Site/a.css";
    QTest::newRow("hidden entries match") << "@/site/.HIDDEN" << "@/Site/.hidden";
    QTest::newRow("missing file keeps only its slash") << "@/Site/new.txt" << "@/Site/";
    QTest::newRow("missing folder") << "@/nowhere/A.TXT" << "@//";
    QTest::newRow("dot and dot-dot resolved") << "@/Site/../site/./INDEX.html"
                                              << "@/Site/Index.html";
    QTest::newRow("dot-dot to a missing file") << "@/Site/../Site/new.txt" << "@/Site/";
    QTest::newRow("doubled separator merged") << "@/SITE//A.css" << "@/Site/a.css";
    QTest::newRow("bare name unchanged") << "notes.txt" << "notes.txt";
    QTest::newRow("relative first component kept") << "Site/INDEX.HTML" << "Site/Index.html";
    QTest::newRow("leading dot dropped") << "./Site/index.html" << "Site/Index.html";
}

void TestFilePaths::rebuild()
{
    QFETCH(QString, item);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Site")));
    for (const char *name : {"Index.html", "a.css", "b.css", ".hidden"})
        QVERIFY(QFile(dir.filePath("Site/" + QString::fromLatin1(name))).open(QIODevice::WriteOnly));
    const QString current = QDir::currentPath();
    QDir::setCurrent(dir.path());
    // The temporary folder's own components exist as written, so they come
    // back unchanged.
    const QString rebuilt = rebuildPath(item.replace('@', dir.path()), LocalFileSystem());
    QDir::setCurrent(current);
    QCOMPARE(rebuilt, expected.replace('@', dir.path()));
}

QTEST_GUILESS_MAIN(TestFilePaths)
#include "tst_filepaths.moc"
