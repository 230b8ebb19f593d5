// Start-up in a fresh folder and again in the same folder, the folders the
// program cannot write, and the end of the program while files still open.

#include "app/defaultsettings.h"
#include "editor/editwindow.h"
#include "testapp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QApplication>
#include <QTest>
#include <QTimer>

using zptest::TestApp;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList childCaptions(zp::MainWindow *frame)
{
    QStringList captions;
    for (QMdiSubWindow *sub : frame->mdiArea()->subWindowList())
        captions.append(sub->widget()->windowTitle());
    return captions;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartCreatesFolderAndSettings();
    void secondStartChangesNothing();
    void foldersNotWritable_data();
    void foldersNotWritable();
    void closingDuringCommandLineLoadEnds();
};

void TestStartup::firstStartCreatesFolderAndSettings()
{
    TestApp t;
    QVERIFY(t.start());
    QVERIFY(QFileInfo(t.folder.filePath(QStringLiteral("Backup"))).isDir());

    QTemporaryDir reference;
    const QString expected = reference.filePath(QStringLiteral("Zelkopad.ini"));
    QVERIFY(zp::WriteDefaultSettings(expected, 15, 15));
    QCOMPARE(readAll(t.folder.filePath(QStringLiteral("Zelkopad.ini"))), readAll(expected));

    QVERIFY(t.frame()->isVisible());
    QCOMPARE(t.frame()->objectName(), QStringLiteral("frmMain"));
    QCOMPARE(childCaptions(t.frame()), QStringList{QStringLiteral("無題1")});
    QVERIFY(t.boxes.settled());
}

void TestStartup::secondStartChangesNothing()
{
    TestApp t;
    QDir(t.folder.path()).mkdir(QStringLiteral("Backup"));
    // A hand-edited file with a line the program never writes must survive.
    const QByteArray settings = "[Edit]\r\nLineNum=0\r\nmy own line\r\n";
    QFile marker(t.folder.filePath(QStringLiteral("Backup/keep.txt")));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.write("x");
    marker.close();

    QVERIFY(t.start(QString(), settings));
    QCOMPARE(readAll(t.folder.filePath(QStringLiteral("Zelkopad.ini"))), settings);
    QVERIFY(QFileInfo::exists(t.folder.filePath(QStringLiteral("Backup/keep.txt"))));
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
        folder = t.folder.filePath(QStringLiteral("file"));
        QVERIFY(QFile(folder).open(QIODevice::WriteOnly));
    } else {
        QDir(folder).mkdir(QStringLiteral("Backup"));
        QVERIFY(QFile::link(t.folder.filePath(QStringLiteral("missing/x.ini")),
                            t.folder.filePath(QStringLiteral("Zelkopad.ini"))));
    }
    zp::Application app(folder, t.boxes, t.clipboard);
    QVERIFY(!app.Main(QString()));
    QVERIFY(!app.mainWindow());
    QCOMPARE(t.boxes.shown().size(), 1);
    QCOMPARE(t.boxes.shown().first().title, QStringLiteral("Zelkopad"));
    const QString named = backup ? folder + QStringLiteral("/Backup/") : folder;
    QVERIFY(t.boxes.shown().first().text.contains(QDir::toNativeSeparators(named)));
}

void TestStartup::closingDuringCommandLineLoadEnds()
{
    // The frame closes while a large file from the command line is read in:
    // the event loop must end, not run on without a window.
    TestApp t;
    const QString big = t.folder.filePath(QStringLiteral("big.txt"));
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(3 * zp::Documents::ReadBlock, 'x'));
    file.close();
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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
