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
    void foldersNotWritable_data();
    void foldersNotWritable();
    void closingDuringCommandLineLoadEnds();
    void badSettingsAndBackupFolder_data();
    void badSettingsAndBackupFolder();
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

void TestStartup::foldersNotWritable_data()
{
    QTest::addColumn<bool>("backup");
    QTest::newRow("backup folder below a regular file") << true;
    QTest::newRow("settings file through a link into a missing folder") << false;
}

void TestStartup::foldersNotWritable()
{
    // Neither can be created, even by root.
    QFETCH(bool, backup);
    TestApp t;
    QString folder = t.folder.path();
    if (backup) {
        folder = t.folder.filePath("file");
        QVERIFY(zptest::writeBytes(folder, "x"));
    } else {
        QDir(folder).mkdir("Backup");
        QVERIFY(QFile::link(t.folder.filePath("missing/x.ini"), t.settingsPath()));
    }
    zp::Application app(folder, t.boxes, t.clipboard);
    QVERIFY(!app.Main(QString()));
    QVERIFY(!app.mainWindow());
    QCOMPARE(t.boxes.shown().size(), 1);
    const QString named = backup ? folder + "/Backup/" : folder;
    QVERIFY(t.boxes.shown().first().text.contains(QDir::toNativeSeparators(named)));
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

// A pipe in the settings file's place (read as a stream it would block every
// reader) and a file where the backup folder belongs: the program starts and
// opens the file of its command line; the backup that cannot be made says so.
void TestStartup::badSettingsAndBackupFolder_data()
{
    QTest::addColumn<bool>("pipe");
    QTest::newRow("settings file is a named pipe") << true;
    QTest::newRow("Backup is a file") << false;
}

void TestStartup::badSettingsAndBackupFolder()
{
    QFETCH(bool, pipe);
    TestApp t;
    const QString ini = t.settingsPath();
    if (pipe) {
        QVERIFY(::mkfifo(QFile::encodeName(ini).constData(), 0600) == 0);
    } else {
        QVERIFY(t.writeSettings("[Edit]\r\nBackup=1\r\n"));
        QVERIFY(zptest::writeBytes(t.folder.filePath("Backup"), "not a folder"));
    }
    const QString doc = t.writeFile("a.txt", "text");
    QVERIFY(t.start(doc));
    QTRY_COMPARE(t.documentTitles(), QStringList{doc});
    QCOMPARE(t.active()->rtfEdit()->text(), QStringLiteral("text"));
    QVERIFY(t.boxes.settled());
    QCOMPARE(t.boxes.shown().size(), 0);
    if (pipe) {
        QVERIFY(!QFileInfo(ini).isFile());
    } else {
        QVERIFY(t.main()->statusText().contains("バックアップを作成できませんでした"));
        QCOMPARE(readBytes(t.folder.filePath("Backup")), QByteArray("not a folder"));
    }
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
