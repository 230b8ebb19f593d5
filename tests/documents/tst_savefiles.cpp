// Saving: status texts, Save on an untitled document, backups, and the saves
// that must not pass silently (failed writes, characters CP932 cannot hold).

#include "../support/appfixture.h"
#include "../support/permissions.h"

#include <QTest>

using namespace zp;
using namespace zp::testing;

class TestSaveFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveWritesAndReports();
    void untitledSaveAsksForName_data();
    void untitledSaveAsksForName();
    void backups_data();
    void backups();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void unmappableCharacters_data();
    void unmappableCharacters();
    void saveMenuOnNoWindowDoesNothing();
};

namespace {
EditWindow *openFile(AppFixture &f, const QString &path)
{
    f.documents().OpenHistoryEntry(path);
    return f.main()->activeDocument();
}
void type(EditWindow *w, const QString &text)
{
    w->rtfEdit()->moveCursor(QTextCursor::End);
    w->rtfEdit()->insertPlainText(text);
}
} // namespace

void TestSaveFiles::saveWritesAndReports()
{
    AppFixture f;
    QVERIFY(f.start());
    const QString path = f.writeFile("a.txt", "abc\r\n");
    EditWindow *w = openFile(f, path);
    type(w, QStringLiteral("日本"));
    QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("1"));
    f.main()->mnuFileSave_Click();
    QCOMPARE(AppFixture::readFile(path), QByteArray("abc\r\n\x93\xfa\x96\x7b"));
    QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("0"));
    QCOMPARE(f.main()->statusText(), QStringLiteral("a.txtを保存しました"));
    QVERIFY(!QFileInfo::exists(f.backupPath("a.txt")));
}

void TestSaveFiles::untitledSaveAsksForName_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("cancel");
    QTest::newRow("Save chooses a name") << false << false;
    QTest::newRow("Save As chooses a name") << true << false;
    QTest::newRow("Save cancelled") << false << true;
    QTest::newRow("Save As cancelled") << true << true;
}

void TestSaveFiles::untitledSaveAsksForName()
{
    QFETCH(bool, saveAs);
    QFETCH(bool, cancel);
    AppFixture f;
    QVERIFY(f.start());
    EditWindow *w = f.main()->activeDocument();
    type(w, QStringLiteral("new text"));
    f.main()->setStatusText(QStringLiteral("before"));
    const QString path = f.filePath("out.html");
    f.dialogs.answerSave(cancel ? QString() : path);
    saveAs ? f.main()->mnuFileSaveAs_Click() : f.main()->mnuFileSave_Click();
    QCOMPARE(f.dialogs.saveRequests.size(), 1);
    if (cancel) {
        QCOMPARE(w->windowTitle(), QStringLiteral("無題1"));
        QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("1"));
        QCOMPARE(f.main()->statusText(), QStringLiteral("before"));
        QVERIFY(!QFileInfo::exists(path));
        return;
    }
    QCOMPARE(w->windowTitle(), path);
    QCOMPARE(AppFixture::readFile(path), QByteArray("new text"));
    QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("0"));
    QCOMPARE(f.main()->statusText(), QStringLiteral("out.htmlを保存しました"));
    QCOMPARE(f.documents().dialogMemory().LastDialogFolder, f.files.path());
}

// Backups made on opening from the recent-files menu and on saving; a file
// that lies in the backup folder is its own backup and must survive both.
void TestSaveFiles::backups_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<bool>("inBackupFolder");
    QTest::addColumn<QString>("typed"); // one save after each character
    QTest::newRow("opening from the menu copies the file") << "Backup" << false << "";
    QTest::newRow("opening the backup itself keeps it") << "Backup" << true << "";
    QTest::newRow("the backup holds the latest save") << "SaveBackup" << false << "23";
    QTest::newRow("saving the backup itself keeps it") << "SaveBackup" << true << "2";
}

void TestSaveFiles::backups()
{
    QFETCH(QString, setting);
    QFETCH(bool, inBackupFolder);
    QFETCH(QString, typed);
    AppFixture f;
    const QString backupFolder = Application::AppFolderOf(f.appDir.path()) + "Backup/";
    const QString path = inBackupFolder ? backupFolder + "b.txt" : f.filePath("b.txt");
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("one") == 3);
    file.close();
    QVERIFY(f.start(QString(), {setting + "=1", "History/FileList1=" + path}));
    auto *entry = f.main()->findChild<QAction *>("mnuFileUseList(1)");
    QVERIFY(entry);
    entry->trigger();
    EditWindow *w = f.main()->activeDocument();
    QCOMPARE(w->windowTitle(), path);
    for (const QChar c : typed) {
        type(w, c);
        QVERIFY(f.documents().SaveDocument(w));
    }
    const QByteArray content = "one" + typed.toLatin1();
    QCOMPARE(AppFixture::readFile(path), content);
    QCOMPARE(AppFixture::readFile(backupFolder + "b.txt"), content);
    QCOMPARE(QDir(backupFolder).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestSaveFiles::failedWriteIsReported_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("full device") << "/dev/full";
    QTest::newRow("folder that does not exist") << "missing";
}

void TestSaveFiles::failedWriteIsReported()
{
    QFETCH(QString, target);
    AppFixture f;
    QVERIFY(f.start());
    const QString folder = f.filePath("ro");
    QDir().mkpath(folder);
    QString path;
    if (target == "readonly") {
        path = folder + "/c.txt";
        f.writeFile("ro/c.txt", "original");
        QFile::setPermissions(path, QFileDevice::ReadOwner);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    } else if (target == "missing") {
        path = f.filePath("nowhere/c.txt");
    } else {
        path = target;
    }
    EditWindow *w = f.documents().NewDocument(1);
    w->setWindowTitle(path);
    type(w, QStringLiteral("edited"));
    f.main()->setStatusText(QString());
    f.answer({MessageBoxes::Answer::Ok});
    bool saved = false;
    {
        FileModesEnforced enforced;
        if (target == "readonly" && !FileModesEnforced::folderModesApply(folder)) {
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
            QSKIP("file modes are not enforced for this user");
        }
        saved = f.documents().SaveDocument(w);
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner);
    QVERIFY(!saved);
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.settled());
    QCOMPARE(f.boxes.shown().at(0).title, QStringLiteral("Zelkopad"));
    QVERIFY(f.boxes.shown().at(0).text.contains(QStringLiteral("保存できませんでした")));
    QVERIFY(f.boxes.shown().at(0).text.contains(path));
    QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("1"));
    QCOMPARE(f.main()->statusText(), QString());
    if (target == "readonly")
        QCOMPARE(AppFixture::readFile(path), QByteArray("original"));
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
    AppFixture f;
    QVERIFY(f.start());
    const QString path = f.writeFile("u.txt", "original");
    EditWindow *w = openFile(f, path);
    w->rtfEdit()->replaceText(text, {});
    f.answer({accept ? MessageBoxes::Answer::Ok : MessageBoxes::Answer::Cancel});
    QCOMPARE(f.documents().SaveDocument(w), accept);
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.settled());
    QVERIFY2(f.boxes.shown().at(0).text.contains(named), qPrintable(f.boxes.shown().at(0).text));
    QCOMPARE(f.boxes.shown().at(0).defaultAnswer, MessageBoxes::Answer::Cancel);
    QCOMPARE(AppFixture::readFile(path), written);
    QCOMPARE(w->rtfEdit()->tag(), QString(accept ? "0" : "1"));
}

void TestSaveFiles::saveMenuOnNoWindowDoesNothing()
{
    AppFixture f;
    QVERIFY(f.start(" ")); // blanks only: no document at all
    QCOMPARE(f.documentWindows().size(), 0);
    f.main()->mnuFileSave_Click();
    f.main()->mnuFileSaveAs_Click();
    f.main()->mnuFileClose_Click();
    QCOMPARE(f.dialogs.saveRequests.size(), 0);
}

QTEST_MAIN(TestSaveFiles)
#include "tst_savefiles.moc"
