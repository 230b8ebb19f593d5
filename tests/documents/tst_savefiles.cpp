// Saving: Save and Save As with and without a name, backups, and the saves
// that must not pass silently (failed writes, characters CP932 cannot hold).

#include "permissions.h"
#include "testapp.h"

#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace zp;
using namespace zp::testing;
using zptest::TestApp;

class TestSaveFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void save_data();
    void save();
    void backups_data();
    void backups();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void unmappableCharacters_data();
    void unmappableCharacters();
};

namespace {
void type(EditWindow *w, const QString &text)
{
    w->rtfEdit()->moveCursor(QTextCursor::End);
    w->rtfEdit()->insertPlainText(text);
}
} // namespace

void TestSaveFiles::save_data()
{
    QTest::addColumn<bool>("titled");
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("titled Save writes without asking") << true << false << false;
    QTest::newRow("untitled Save chooses a name") << false << false << false;
    QTest::newRow("Save As chooses a name") << true << true << false;
    QTest::newRow("untitled Save cancelled") << false << false << true;
    QTest::newRow("Save As cancelled") << true << true << true;
}

void TestSaveFiles::save()
{
    QFETCH(bool, titled);
    QFETCH(bool, saveAs);
    QFETCH(bool, cancel);
    TestApp f;
    QVERIFY(f.start());
    const QString opened = f.writeFile("a.txt", "abc\r\n");
    if (titled)
        f.documents().OpenHistoryEntry(opened);
    EditWindow *w = f.main()->activeDocument();
    const QString title = w->windowTitle();
    type(w, QStringLiteral("日本"));
    const QString chosen = f.filePath("out.html");
    if (saveAs || !titled)
        f.dialogs.answerSave(cancel ? QString() : chosen);
    saveAs ? f.main()->mnuFileSaveAs_Click() : f.main()->mnuFileSave_Click();
    QVERIFY(f.dialogs.saveAnswers.isEmpty());
    const QString path = titled && !saveAs ? opened : chosen;
    QCOMPARE(w->windowTitle(), cancel ? title : path);
    QCOMPARE(w->rtfEdit()->isModified(), cancel);
    const QByteArray before = titled ? "abc\r\n" : "";
    QCOMPARE(f.readFile(path), cancel ? QByteArray("<unreadable>") : before + "\x93\xfa\x96\x7b");
    QCOMPARE(f.readFile(opened), QByteArray(titled && !saveAs && !cancel ? "abc\r\n\x93\xfa\x96\x7b" : "abc\r\n"));
    if (!cancel && path == chosen)
        QCOMPARE(f.documents().dialogMemory().LastDialogFolder, f.files.path());
    // Without the setting, saving makes no backup.
    QVERIFY(!QFileInfo::exists(f.backupPath(QFileInfo(path).fileName())));
}

// Backups made on opening from the recent-files menu and on saving; a file
// that lies in the backup folder is its own backup and must survive both.
void TestSaveFiles::backups_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("place"); // of the file: "", the backup folder, or a file named Backup
    QTest::addColumn<QString>("typed"); // one save after each character
    QTest::newRow("opening from the menu copies the file") << "Backup" << "" << "";
    QTest::newRow("opening the backup itself keeps it") << "Backup" << "folder" << "";
    QTest::newRow("the backup holds the latest save") << "SaveBackup" << "" << "23";
    QTest::newRow("saving the backup itself keeps it") << "SaveBackup" << "folder" << "2";
    // A backup that cannot be made never stops saving, and says so.
    QTest::newRow("Backup is a file") << "SaveBackup" << "file" << "23";
}

void TestSaveFiles::backups()
{
    QFETCH(QString, setting);
    QFETCH(QString, place);
    QFETCH(QString, typed);
    TestApp f;
    const QString backupFolder = f.folder.filePath("Backup/");
    const QString path = place == "folder" ? backupFolder + "b.txt" : f.filePath("b.txt");
    QVERIFY(zptest::writeBytes(path, "one"));
    if (place == "file")
        QVERIFY(zptest::writeBytes(f.folder.filePath("Backup"), "not a folder"));
    QVERIFY(f.start(QString(), {setting + "=1", "History/FileList1=" + path}));
    f.main()->menus().mnuFileUseList.at(1)->trigger();
    EditWindow *w = f.main()->activeDocument();
    QCOMPARE(w->windowTitle(), path);
    for (const QChar c : typed) {
        type(w, c);
        QVERIFY(f.documents().SaveDocument(w));
    }
    const QByteArray content = "one" + typed.toLatin1();
    QCOMPARE(f.readFile(path), content);
    if (place == "file") {
        QVERIFY(f.main()->statusText().endsWith("（バックアップは作成できませんでした）"));
        QCOMPARE(f.readFile(f.folder.filePath("Backup")), QByteArray("not a folder"));
        return;
    }
    QCOMPARE(f.readFile(backupFolder + "b.txt"), content);
    QCOMPARE(QDir(backupFolder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestSaveFiles::failedWriteIsReported_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("read-only folder") << "ro/c.txt";
    QTest::newRow("full device") << "/dev/full";
    QTest::newRow("folder that does not exist") << "nowhere/c.txt";
    QTest::newRow("named pipe nobody reads") << "pipe";
    QTest::newRow("over the file-size limit") << "limit/c.txt";
}

void TestSaveFiles::failedWriteIsReported()
{
    QFETCH(QString, target);
    TestApp f;
    QVERIFY(f.start());
    const QString path = target.startsWith('/') ? target : f.filePath(target);
    const bool kept = target.startsWith("ro/") || target.startsWith("limit/");
    if (kept) {
        f.writeFile(target, "original");
        QFile::setPermissions(path, QFileDevice::ReadOwner);
    }
    if (target == "pipe")
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    EditWindow *w = f.documents().NewDocument(1);
    w->setWindowTitle(path);
    type(w, QStringLiteral("edited, and longer than the limit"));
    f.answer({MessageBoxes::Answer::Ok});
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    if (target.startsWith("limit/")) {
        rlimit limit = saved;
        limit.rlim_cur = 10;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    }
    {
        FolderMode readOnly(f.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        FileModesEnforced enforced;
        if (target.startsWith("ro/") && !FileModesEnforced::folderModesApply(f.filePath("ro")))
            QSKIP("file modes are not enforced for this user");
        QVERIFY(!f.documents().SaveDocument(w));
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    QVERIFY(f.boxes.settled());
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.shown().at(0).text.contains(path));
    QCOMPARE(w->rtfEdit()->isModified(), true);
    if (kept)
        QCOMPARE(f.readFile(path), QByteArray("original"));
    if (target == "pipe")
        QVERIFY(!QFileInfo(path).isFile());
}

void TestSaveFiles::unmappableCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("é cancelled") << QStringLiteral("caf\u00e9") << QStringLiteral("U+00E9") << false
                                 << QByteArray("original");
    QTest::newRow("emoji accepted") << QStringLiteral("a\U0001F600b\u00e9")
                                    << QStringLiteral("U+1F600") << true << QByteArray("a?b?");
}

void TestSaveFiles::unmappableCharacters()
{
    QFETCH(QString, text);
    QFETCH(QString, named);
    QFETCH(bool, accept);
    QFETCH(QByteArray, written);
    TestApp f;
    QVERIFY(f.start());
    const QString path = f.writeFile("u.txt", "original");
    f.documents().OpenHistoryEntry(path);
    EditWindow *w = f.main()->activeDocument();
    w->rtfEdit()->replaceText(text, {});
    f.answer({accept ? MessageBoxes::Answer::Ok : MessageBoxes::Answer::Cancel});
    QCOMPARE(f.documents().SaveDocument(w), accept);
    QVERIFY(f.boxes.settled());
    QVERIFY2(f.boxes.shown().at(0).text.contains(named), qPrintable(f.boxes.shown().at(0).text));
    QCOMPARE(f.boxes.shown().at(0).defaultAnswer, MessageBoxes::Answer::Cancel);
    QCOMPARE(f.readFile(path), written);
    QCOMPARE(w->rtfEdit()->isModified(), !accept);
}

QTEST_MAIN(TestSaveFiles)
#include "tst_savefiles.moc"
