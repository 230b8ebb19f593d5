// Where the program keeps its files: beside a portable executable, in the
// user's XDG folders for an installed one, which writes nothing beside itself.

#include "app/commandline.h"
#include "platform/programfolders.h"

#include "testapp.h"

#include <QGuiApplication>
#include <QTest>

using zp::ProgramFolders;
using Layout = zp::ProgramFolders::Layout;
Q_DECLARE_METATYPE(Layout)

class TestProgramFolders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void folders_data();
    void folders();
    void installedWritesNothingBesideExecutable();
};

void TestProgramFolders::folders_data()
{
    // environment: "NAME=value" pairs; HOME is /home/u unless given.
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QStringList>("folders"); // settings, data, first dialog
    QTest::newRow("portable: beside the executable")
            << Layout::Portable << QStringList{"XDG_CONFIG_HOME=/cfg"}
            << QStringList{"/opt/zp/", "/opt/zp/", "/opt/zp/"};
    QTest::newRow("installed: XDG folders")
            << Layout::Installed << QStringList{"XDG_CONFIG_HOME=/cfg", "XDG_DATA_HOME=/data/"}
            << QStringList{"/cfg/zelkopad/", "/data/zelkopad/", "/home/u/"};
    QTest::newRow("installed: unset gives the defaults")
            << Layout::Installed << QStringList{}
            << QStringList{"/home/u/.config/zelkopad/", "/home/u/.local/share/zelkopad/",
                           "/home/u/"};
    QTest::newRow("installed: empty and relative are ignored")
            << Layout::Installed << QStringList{"XDG_CONFIG_HOME=", "XDG_DATA_HOME=data"}
            << QStringList{"/home/u/.config/zelkopad/", "/home/u/.local/share/zelkopad/",
                           "/home/u/"};
}

void TestProgramFolders::folders()
{
    QFETCH(Layout, layout);
    QFETCH(QStringList, environment);
    QFETCH(QStringList, folders);
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), QStringLiteral("/home/u"));
    for (const QString &pair : environment)
        env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    const ProgramFolders f = ProgramFolders::of(layout, QStringLiteral("/opt/zp"), env);
    QCOMPARE((QStringList{f.settings, f.data, f.firstDialog}), folders);
}

// A whole session of an installed copy: first start, a file opened with
// backups on, the open dialog, the clipboard history saved at the end. Everything lands in the
// user's folders, none of it beside the executable.
void TestProgramFolders::installedWritesNothingBesideExecutable()
{
    zptest::TestApp t;
    const QString executable = t.folder.path();
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), t.files.filePath("home"));
    const ProgramFolders folders = ProgramFolders::of(Layout::Installed, executable, env);
    zp::Application app(folders, t.boxes, t.clipboard);
    app.context().fileDialogs = &t.dialogs;
    QVERIFY(app.Main(QStringList()));
    zp::AppContext &context = app.context();
    context.settings.write("Edit", "Backup", "1");
    context.settings.write("Edit", "ClipboardSaveTiming", "2");
    const QString page = t.writeFile("page.html", "<p>");
    app.mainWindow()->documents().OpenHistoryEntry(page);
    // The first open dialog shows the home folder, not the program's data.
    t.dialogs.answerOpen(QString());
    app.mainWindow()->mnuFileOpen_Click();
    QCOMPARE(t.dialogs.openRequests.value(0).folder, t.files.filePath("home/"));
    app.mainWindow()->mnuEditClipboard_Click();
    QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
    QVERIFY(app.mainWindow()->close());

    QCOMPARE(QDir(executable).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
    const QString home = t.files.filePath("home/");
    QVERIFY(QFileInfo(home + ".config/zelkopad/Zelkopad.ini").isFile());
    QCOMPARE(zptest::readBytes(home + ".local/share/zelkopad/Backup/page.html"), QByteArray("<p>"));
    QCOMPARE(zptest::readBytes(home + ".local/share/zelkopad/Clipboard.txt"),
             QByteArray("copied\r\n"));
    QVERIFY(t.boxes.settled());
}

QTEST_MAIN(TestProgramFolders)
#include "tst_programfolders.moc"
