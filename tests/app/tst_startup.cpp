// Start-up in a fresh folder and again in the same folder, the folders the
// program cannot write, and the end of the program while files still open.

#include "app/defaultsettings.h"

#include "testapp.h"

#include <QApplication>
#include <QMdiArea>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using zptest::TestApp;
using zptest::readBytes;

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartCreatesFolderAndSettings();
    void secondStartChangesNothing();
    void closingDuringCommandLineLoadEnds();
    void foldersAndSettings_data();
    void foldersAndSettings();
};

void TestStartup::firstStartCreatesFolderAndSettings()
{
    TestApp t;
    QVERIFY(t.start());
    QVERIFY(QFileInfo(t.folder.filePath("Backup")).isDir());
    const QString expected = t.files.filePath("Zelkopad.ini");
    QVERIFY(zp::WriteDefaultSettings(expected, 15, 15));
    QCOMPARE(readBytes(t.settingsPath()), readBytes(expected));
    QVERIFY(t.main()->isVisible());
    QCOMPARE(t.documentTitles(), QStringList{QStringLiteral("無題1")});
    QVERIFY(t.boxes.settled());
}

void TestStartup::secondStartChangesNothing()
{
    TestApp t;
    // A hand-edited file with a line the program never writes must survive.
    const QByteArray settings = "[Edit]\r\nLineNum=0\r\nmy own line\r\n";
    QVERIFY(t.writeSettings(settings));
    QVERIFY(zptest::writeBytes(t.folder.filePath("Backup/keep.txt"), "x"));
    QVERIFY(t.start());
    QCOMPARE(readBytes(t.settingsPath()), settings);
    QVERIFY(QFileInfo::exists(t.folder.filePath("Backup/keep.txt")));
    QVERIFY(t.boxes.settled());
}

void TestStartup::closingDuringCommandLineLoadEnds()
{
    // The frame closes while a large file from the command line is read in:
    // the event loop must end, not run on without a window.
    TestApp t;
    const QString big = t.writeFile("big.txt", QByteArray(3 * zp::Documents::ReadBlock, 'x'));
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (t.frame() && !t.frame()->mdiArea()->subWindowList().isEmpty())
            t.frame()->close();
    });
    closer.start(0);
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(60000);
    QVERIFY(t.start(big));
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!t.frame()->isVisible());
    QVERIFY(t.frame()->mdiArea()->subWindowList().isEmpty());
}

// What holds the place of the program's folders and settings file. A backup
// folder or settings file that cannot be created ends the program with a
// message naming the folder (even for root). A pipe as the settings file (read
// as a stream it would block every reader) and a file named Backup do not: the
// program starts and opens its command line; a backup that fails says so.
void TestStartup::foldersAndSettings_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("backup folder below a regular file") << "app folder is a file";
    QTest::newRow("settings file through a link into a missing folder") << "dangling link";
    QTest::newRow("settings file is a named pipe") << "pipe";
    QTest::newRow("Backup is a file") << "Backup file";
}

void TestStartup::foldersAndSettings()
{
    QFETCH(QString, fault);
    TestApp t;
    QString folder = t.folder.path();
    const QString ini = t.folder.filePath("Zelkopad.ini");
    if (fault == "app folder is a file") {
        folder = t.folder.filePath("file");
        QVERIFY(zptest::writeBytes(folder, "x"));
    } else if (fault == "dangling link") {
        QDir(folder).mkdir("Backup");
        QVERIFY(QFile::link(t.folder.filePath("missing/x.ini"), ini));
    } else if (fault == "pipe") {
        QVERIFY(::mkfifo(QFile::encodeName(ini).constData(), 0600) == 0);
    } else {
        QVERIFY(t.writeSettings("[Edit]\r\nBackup=1\r\n"));
        QVERIFY(zptest::writeBytes(t.folder.filePath("Backup"), "not a folder"));
    }
    const QString doc = t.writeFile("a.txt", "text");
    zp::Application app(folder, t.boxes, t.clipboard);
    const bool ends = fault == "app folder is a file" || fault == "dangling link";
    QCOMPARE(app.Main(QStringList{doc}), !ends);
    if (ends) {
        QVERIFY(!app.mainWindow());
        QCOMPARE(t.boxes.shown().size(), 1);
        const QString named = fault == "app folder is a file" ? folder + "/Backup/" : folder;
        QVERIFY(t.boxes.shown().first().text.contains(QDir::toNativeSeparators(named)));
        return;
    }
    QTRY_VERIFY(app.mainWindow()->activeDocument());
    QCOMPARE(app.mainWindow()->activeDocument()->rtfEdit()->text(), QStringLiteral("text"));
    QCOMPARE(t.boxes.shown().size(), 0);
    if (fault == "Backup file") {
        QVERIFY(app.mainWindow()->statusText().contains("バックアップを作成できませんでした"));
        QCOMPARE(readBytes(t.folder.filePath("Backup")), QByteArray("not a folder"));
    } else {
        QVERIFY(!QFileInfo(ini).isFile());
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
