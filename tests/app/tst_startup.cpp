// Start-up in a fresh folder and again in the same folder, the command line's
// untitled document, and the folders the program cannot write.

#include "app/defaultsettings.h"
#include "editor/editwindow.h"
#include "platform/windowlist.h"
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
    void commandLine_data();
    void commandLine();
    void windowListInLoadOrder();
    void backupFolderNotWritable();
    void settingsFileNotWritable();
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

void TestStartup::commandLine_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<int>("items");
    QTest::addColumn<QStringList>("documents");
    QTest::newRow("empty opens one untitled document")
        << QString() << 0 << QStringList{QStringLiteral("無題1")};
    QTest::newRow("one blank gives two empty items and no document")
        << QStringLiteral(" ") << 2 << QStringList();
    QTest::newRow("blanks only give only empty items")
        << QStringLiteral("   ") << 4 << QStringList();
}

void TestStartup::commandLine()
{
    QFETCH(QString, commandLine);
    QFETCH(int, items);
    QFETCH(QStringList, documents);
    TestApp t;
    QVERIFY(t.start(commandLine));
    QCOMPARE(t.app->commandLineItems().size(), items);
    QCOMPARE(childCaptions(t.frame()), documents);
}

void TestStartup::windowListInLoadOrder()
{
    TestApp t;
    QVERIFY(t.start());
    t.frame()->mnuFileNew_Click();
    const zp::WindowList &list = *t.context().windows;
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.formName(0), QStringLiteral("frmMain"));
    QCOMPARE(list.formName(1), QStringLiteral("frmEdit"));
    QCOMPARE(list.caption(1), QStringLiteral("無題1"));
    QCOMPARE(list.caption(2), QStringLiteral("無題2"));
}

void TestStartup::backupFolderNotWritable()
{
    // A folder below a regular file can never be created, even by root.
    TestApp t;
    QFile blocker(t.folder.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    zp::Application app(blocker.fileName(), t.boxes, t.clipboard);
    QVERIFY(!app.Main(QString()));
    QVERIFY(!app.mainWindow());
    QCOMPARE(t.boxes.shown().size(), 1);
    QCOMPARE(t.boxes.shown().first().title, QStringLiteral("Zelkopad"));
    QVERIFY(t.boxes.shown().first().text.contains(QDir::toNativeSeparators(blocker.fileName() + QStringLiteral("/Backup/"))));
}

void TestStartup::settingsFileNotWritable()
{
    // The settings name leads through a link into a folder that does not
    // exist, so the file cannot be created.
    TestApp t;
    QDir(t.folder.path()).mkdir(QStringLiteral("Backup"));
    QVERIFY(QFile::link(t.folder.filePath(QStringLiteral("missing/x.ini")),
                        t.folder.filePath(QStringLiteral("Zelkopad.ini"))));
    zp::Application app(t.folder.path(), t.boxes, t.clipboard);
    QVERIFY(!app.Main(QString()));
    QVERIFY(!app.mainWindow());
    QCOMPARE(t.boxes.shown().size(), 1);
    QVERIFY(t.boxes.shown().first().text.contains(QDir::toNativeSeparators(t.folder.path())));
    QVERIFY(t.boxes.shown().first().text.contains(QStringLiteral("Zelkopad.ini")));
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
