// Opening files into document windows: the read in blocks and its decoding,
// byte-exact round trips through open and save, the open command with its
// refusal of an open path, the recent-files list and the backup copies.

#include "documents/recentfiles.h"
#include "mainwindow/maintoolbar.h"
#include "platform/cp932codec.h"

#include "../find/findfixture.h"
#include "permissions.h"

#include <QBuffer>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace zp;
using namespace zp::testing;

namespace {

const QChar Nul(0);

// A file of ASCII lines of 80 characters (LF breaks, so a character's index
// in the text is its byte offset) with "あ" (0x82 0xA0) at byte offset at.
QByteArray filler(qsizetype size, qsizetype at = -1)
{
    QByteArray bytes(size, 'a');
    for (qsizetype i = 79; i < size; i += 80)
        bytes[i] = '\n';
    if (at >= 0) {
        bytes[at] = char(0x82);
        bytes[at + 1] = char(0xA0);
    }
    return bytes;
}

} // namespace

class TestOpenFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void openRefusesPathAlreadyOpen();
    void openSeveralFilesInDialogOrder();
    void historyMenuBuiltAtStart();
    void commandsWaitForTheLoad_data();
    void commandsWaitForTheLoad();
    void unreadFileAsksBeforeSave_data();
    void unreadFileAsksBeforeSave();
};

// A file read in blocks shows the text the whole file decodes to, opens
// unmodified, and is saved back byte for byte; a missing file opens an empty
// window and is not created by opening.
void TestOpenFiles::roundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("bytes"); // null: no file
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("CR LF, CR and LF mixed") << QByteArray("a\r\nb\rc\nd\r\n\r\n\n\re");
    QTest::newRow("invalid bytes only") << QByteArray("\x80\xFF\xFD\x81", 4);
    QTest::newRow("NUL bytes") << QByteArray("\0\0a\0\r\n\0", 7);
    QTest::newRow("exactly two blocks") << filler(2 * Documents::ReadBlock);
    QTest::newRow("character across blocks") << filler(Documents::ReadBlock + 5000,
                                                        Documents::ReadBlock - 1);
    QTest::newRow("lead byte at the end of the first block")
            << filler(Documents::ReadBlock) + QByteArray("\x82", 1);
    QTest::newRow("codes CP932 has others for") << QByteArray::fromHex("61eee9628740ed4064fa5b0d0a");
}

void TestOpenFiles::roundTripIsByteExact()
{
    QFETCH(QByteArray, bytes);
    TestApp f;
    QVERIFY(f.start(" "));
    const QString path = bytes.isNull() ? f.filePath("doc.txt") : f.writeFile("doc.txt", bytes);
    f.documents().OpenHistoryEntry(path);
    EditWindow *w = f.main()->activeDocument();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), path);
    QCOMPARE(w->rtfEdit()->isModified(), false);
    QVERIFY(w->rtfEdit()->isVisible());
    const QString whole = decodeCp932(bytes).replace("\r\n", "\n").replace('\r', '\n');
    QVERIFY(w->rtfEdit()->text() == whole);
    QCOMPARE(QFileInfo::exists(path), !bytes.isNull());
    QFile::remove(path);
    QVERIFY(f.documents().SaveDocument(w));
    QVERIFY(f.readFile(path) == bytes);
}

void TestOpenFiles::openRefusesPathAlreadyOpen()
{
    TestApp f;
    QVERIFY(f.start());
    const QString path = f.writeFile("a.txt", "one");
    f.dialogs.answerOpen(path);
    f.main()->mnuFileOpen_Click();
    EditWindow *opened = f.main()->activeDocument();
    f.main()->mdiArea()->setActiveSubWindow(f.documentWindows().first()->subWindow());
    f.dialogs.answerOpen(path);
    f.main()->mnuFileOpen_Click();
    QCOMPARE(f.documentWindows().size(), 2);
    // Nothing else happens either: the open window is not activated.
    QVERIFY(f.main()->activeDocument() != opened);
    // The same path in other letter case is another file name.
    f.dialogs.answerOpen(f.filePath("A.txt"));
    f.main()->mnuFileOpen_Click();
    QCOMPARE(f.documentWindows().size(), 3);
}

void TestOpenFiles::openSeveralFilesInDialogOrder()
{
    TestApp f;
    QVERIFY(f.start(" ", {"Backup=1"}));
    for (const char *name : {"c.txt", "a.html", "b.css"})
        f.writeFile(name, QByteArray("text of ") + name);
    const QString folder = f.files.path();
    f.dialogs.answerOpen(QStringList{folder, "c.txt", "a.html", "b.css"}.join(Nul) + Nul + Nul, 2);
    f.main()->mnuFileOpen_Click();
    const QStringList expected{f.filePath("c.txt"), f.filePath("a.html"), f.filePath("b.css")};
    QCOMPARE(f.documentTitles(), expected);
    QCOMPARE(f.main()->activeDocument()->windowTitle(), expected.last());
    QCOMPARE(historySlots(f.context().settings).mid(0, 3), expected);
    QCOMPARE(f.documents().dialogMemory().LastOpenFilterIndex, 2);
    QCOMPARE(f.documents().dialogMemory().LastDialogFolder, folder + '/');
    QCOMPARE(f.readFile(f.backupPath("a.html")), QByteArray("text of a.html"));
}

void TestOpenFiles::historyMenuBuiltAtStart()
{
    TestApp f;
    // Slot 1 emptied by hand, slots 2 and 3 filled; "&" is shown as itself.
    const QString second = f.writeFile("R&D.txt", "menu file");
    QVERIFY(f.start(" ", {"History/FileList2=" + second, "History/FileList3=/w/c.txt"}));
    QAction *entry = f.main()->menus().mnuFileUseList.at(2);
    QCOMPARE(entry->text().replace("&&", "&"), second);
    // Each choice opens a window, even of a path already open.
    entry->trigger();
    entry->trigger();
    QCOMPARE(f.documentTitles(), (QStringList{second, second}));
    QCOMPARE(f.main()->activeDocument()->rtfEdit()->text(), QStringLiteral("menu file"));
    // Opening from the menu records nothing; the next path goes to slot 1.
    QCOMPARE(historySlots(f.context().settings).at(0), QString());
}

void TestOpenFiles::commandsWaitForTheLoad_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"Ctrl+S", "save as", "replace-all", "close"})
        QTest::newRow(command) << command;
}

void TestOpenFiles::commandsWaitForTheLoad()
{
    // A command given while a large file is read in (events run between its
    // blocks) must not act on the half-read document.
    QFETCH(QString, command);
    TestApp f;
    QVERIFY(f.start());
    const QByteArray bytes = filler(3 * Documents::ReadBlock);
    const QString path = f.writeFile("big.txt", bytes);
    MainWindow *main = f.main();
    QPointer<EditWindow> loading;
    QStringList enabled;
    QTimer::singleShot(0, main, [&] {
        loading = f.documentWindows().last();
        if (loading->rtfEdit()->isVisible())
            return; // not inside the load
        main->mnuFile_Click();
        main->mnuEdit_Click();
        main->mnuFind_Click();
        for (QAction *item : {main->menus().mnuFileSave, main->menus().mnuFileSaveAs,
                              main->menus().mnuEditPaste, main->menus().mnuEditUndo,
                              main->menus().mnuEditHtml->menuAction(), main->menus().mnuFindText,
                              main->toolbar()->button(3), main->toolbar()->button(7)}) {
            if (item->isEnabled())
                enabled.append(item->text());
        }
        f.dialogs.answerSave(path);
        if (command == "Ctrl+S") {
            main->mnuFileSave_Click();
        } else if (command == "save as") {
            main->mnuFileSaveAs_Click();
        } else if (command == "replace-all") {
            openFind(f);
            txtFind(f, 0)->setText("a");
            chkOption(f, 2)->setChecked(true);
            btnFind(f, 1)->click();
        } else {
            main->mnuFileClose_Click();
        }
    });
    f.documents().OpenHistoryEntry(path);
    QVERIFY(loading);
    QVERIFY(f.readFile(path) == bytes);
    QVERIFY(f.boxes.settled());
    QCOMPARE(enabled, QStringList());
    if (command == "close") {
        // The read stopped with the window, and opening goes on as before.
        QTRY_VERIFY(loading.isNull());
        f.documents().OpenDroppedFiles({path}, false);
        loading = f.main()->activeDocument();
    }
    QCOMPARE(loading->rtfEdit()->text().size(), bytes.size());
    QCOMPARE(loading->rtfEdit()->isModified(), false);
    QVERIFY(main->menus().mnuFileSave->isEnabled());
    QVERIFY(main->toolbar()->button(3)->isEnabled());
}

namespace {

// A file whose reading fails after failAt bytes.
class FailingFile : public QBuffer
{
public:
    FailingFile(const QByteArray &bytes, qint64 failAt) : m_failAt(failAt)
    {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }

    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() >= m_failAt) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        return QBuffer::readData(data, std::min(maxSize, m_failAt - pos()));
    }
    qint64 m_failAt;
};

} // namespace

// A file not read whole is named with the reason, shows what was read, and
// saving over it asks first (Cancel leaves it whole, OK writes).
void TestOpenFiles::unreadFileAsksBeforeSave_data()
{
    QTest::addColumn<QString>("reason");
    QTest::addColumn<qint64>("shown"); // characters read
    QTest::newRow("no read permission") << "ermission" << qint64(0);
    QTest::newRow("read fails in the second block") << "Input/output error"
                                                    << Documents::ReadBlock + 100;
    // Only what the file held when the read began: a file that keeps growing
    // (a log being written) never keeps the read going.
    QTest::newRow("file grows while read") << "大きくなりました" << Documents::ReadBlock + 500;
}

void TestOpenFiles::unreadFileAsksBeforeSave()
{
    QFETCH(QString, reason);
    QFETCH(qint64, shown);
    TestApp f;
    QVERIFY(f.start());
    const QByteArray bytes = filler(Documents::ReadBlock + 500);
    const QString path = f.writeFile("unread.txt", bytes);
    EditWindow *w = nullptr;
    f.answer({MessageBoxes::Answer::Ok});
    if (reason == "Input/output error") {
        w = f.documents().NewDocument(1);
        w->setWindowTitle(path);
        FailingFile file(bytes, shown);
        QVERIFY(f.documents().LoadDocumentFrom(w, path, file) == Documents::Loaded::Yes);
        w->rtfEdit()->setModified(false);
    } else if (shown > 0) {
        // Events run before the first block: the file grows during the read.
        QTimer::singleShot(0, [&] { QVERIFY(QFile::resize(path, bytes.size() + 10)); });
        f.documents().OpenHistoryEntry(path);
        w = f.main()->activeDocument();
    } else {
        QFile::setPermissions(path, {});
        FileModesEnforced modes;
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("file modes do not apply here");
        f.documents().OpenHistoryEntry(path);
        w = f.main()->activeDocument();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.shown().at(0).text.contains(path));
    QVERIFY(f.boxes.shown().at(0).text.contains(reason));
    QCOMPARE(w->windowTitle(), path);
    QCOMPARE(w->rtfEdit()->text().size(), shown);
    const QByteArray onDisk = f.readFile(path);
    f.answer({MessageBoxes::Answer::Cancel, MessageBoxes::Answer::Ok});
    QVERIFY(!f.documents().SaveDocument(w));
    QVERIFY(f.readFile(path) == onDisk);
    QVERIFY(f.documents().SaveDocument(w));
    QVERIFY(f.boxes.settled());
    QCOMPARE(f.boxes.shown().at(1).buttons, MessageBoxes::Buttons::OkCancel);
    QCOMPARE(f.readFile(path).size(), shown);
    // Once written, the file holds the window's text: no more questions.
    QVERIFY(f.documents().SaveDocument(w));
    QVERIFY(f.boxes.settled());
}

QTEST_MAIN(TestOpenFiles)
#include "tst_openfiles.moc"
