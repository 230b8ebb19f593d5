// Opening files into document windows: the read in blocks and its decoding,
// byte-exact round trips through open and save, the open command with its
// refusal of an open path, the recent-files list and the backup copies.

#include "documents/recentfiles.h"
#include "platform/cp932codec.h"

#include "mainwindow/maintoolbar.h"

#include "../support/appfixture.h"
#include "../support/permissions.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace zp;
using namespace zp::testing;

namespace {

const QChar Nul(0);

QByteArray pair(int lead, int trail)
{
    return QByteArray(1, char(lead)) + char(trail);
}

// Every single byte and every double-byte code of CP932's structure, line
// breaks of all three forms and bytes that do not decode.
QByteArray corpus()
{
    QByteArray bytes;
    for (int b = 0x01; b < 0x80; ++b) {
        if (b != '\r' && b != '\n')
            bytes += char(b);
    }
    bytes += "\r\n";
    for (int b = 0xA1; b <= 0xDF; ++b)
        bytes += char(b);
    bytes += "\r";
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail != 0x7F)
                bytes += pair(lead, trail);
        }
        bytes += "\n";
    }
    // Bytes that are not CP932: stray trail and unused lead bytes, a lead byte
    // before a line break and one cut off at the end.
    bytes += QByteArray("\x80\xA0\xFD\xFE\xFF", 5) + "\x81\n" + QByteArray("x\x9F");
    return bytes;
}

// Codes CP932 holds twice: on saving, the character comes back in the form
// the Windows code page writes.
struct Duplicate
{
    int from;
    int to;
};
const Duplicate duplicates[] = {
    {0x8790, 0x81E0}, {0x8791, 0x81DF}, {0x8792, 0x81E7}, {0x8795, 0x81E3},
    {0x8796, 0x81DB}, {0x8797, 0x81DA}, {0x879A, 0x81E6}, {0x879B, 0x81BF},
    {0x879C, 0x81BE}, {0xFA4A, 0x8754}, {0xFA4B, 0x8755}, {0xFA4C, 0x8756},
    {0xFA4D, 0x8757}, {0xFA4E, 0x8758}, {0xFA4F, 0x8759}, {0xFA50, 0x875A},
    {0xFA51, 0x875B}, {0xFA52, 0x875C}, {0xFA53, 0x875D}, {0xFA54, 0x81CA},
    {0xFA58, 0x878A}, {0xFA59, 0x8782}, {0xFA5A, 0x8784}, {0xFA5B, 0x81E6},
    {0xEEF9, 0x81CA},
};

// Allowed difference between what was read and what was written for one
// double-byte code: a listed duplicate, or an NEC-selected IBM extension
// (lead 0xED/0xEE) written as the IBM extension of the same character.
bool allowedChange(const QByteArray &in, const QByteArray &out)
{
    const int code = (uchar(in[0]) << 8) | uchar(in[1]);
    const int written = (uchar(out[0]) << 8) | uchar(out[1]);
    for (const Duplicate &d : duplicates) {
        if (d.from == code)
            return d.to == written;
    }
    const int lead = uchar(in[0]);
    return (lead == 0xED || lead == 0xEE) && uchar(out[0]) >= 0xFA && uchar(out[0]) <= 0xFC
            && decodeCp932(in) == decodeCp932(out);
}

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
    void duplicateCodesComeBackInWindowsForm();
    void characterAcrossBlockBoundaryDecodesWhole();
    void missingFileOpensEmptyWindow();
    void openRefusesPathAlreadyOpen();
    void openSeveralFilesInDialogOrder();
    void elevenFilesThroughTheHistory();
    void backupKeepsLatestOfSameName();
    void historyMenuBuiltAtStart();
    void historyEntryOpensSecondWindow();
    void commandsWaitForTheLoad_data();
    void commandsWaitForTheLoad();
    void unreadFileAsksBeforeSave_data();
    void unreadFileAsksBeforeSave();
};

void TestOpenFiles::roundTripIsByteExact_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("CR LF, CR and LF mixed") << QByteArray("a\r\nb\rc\nd\r\n\r\n\n\re");
    QTest::newRow("invalid bytes only") << QByteArray("\x80\xFF\xFD\x81", 4);
    QTest::newRow("exactly one block") << filler(Documents::ReadBlock);
    QTest::newRow("exactly two blocks") << filler(2 * Documents::ReadBlock);
    QTest::newRow("character across blocks") << filler(Documents::ReadBlock + 5000,
                                                        Documents::ReadBlock - 1);
    QTest::newRow("lead byte at the end of the first block")
            << filler(Documents::ReadBlock) + QByteArray("\x82", 1);
}

void TestOpenFiles::roundTripIsByteExact()
{
    QFETCH(QByteArray, bytes);
    AppFixture f;
    QVERIFY(f.start());
    const QString path = f.writeFile("doc.txt", bytes);
    f.documents().OpenHistoryEntry(path);
    EditWindow *w = f.main()->activeDocument();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), path);
    QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("0"));
    QVERIFY(w->rtfEdit()->isVisible());
    QFile::remove(path);
    QVERIFY(f.documents().SaveDocument(w));
    QVERIFY(AppFixture::readFile(path) == bytes);
}

void TestOpenFiles::duplicateCodesComeBackInWindowsForm()
{
    AppFixture f;
    QVERIFY(f.start());
    const QByteArray bytes = corpus();
    const QString path = f.writeFile("corpus.txt", bytes);
    f.documents().OpenHistoryEntry(path);
    QVERIFY(f.documents().SaveDocument(f.main()->activeDocument()));
    const QByteArray out = AppFixture::readFile(path);
    // Every duplicate turns two bytes into two, so the files line up code by
    // code.
    QCOMPARE(out.size(), bytes.size());
    int changed = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == out[i])
            continue;
        // A difference starts at the lead byte of a double-byte code.
        const QByteArray in = bytes.mid(i, 2);
        const QByteArray written = out.mid(i, 2);
        QVERIFY2(allowedChange(in, written),
                 qPrintable(QStringLiteral("%1 written as %2 at %3")
                                    .arg(QString::fromLatin1(in.toHex()),
                                         QString::fromLatin1(written.toHex()))
                                    .arg(i)));
        ++changed;
        ++i;
    }
    // The listed duplicates and the NEC-selected IBM extensions, no more.
    QVERIFY(changed >= int(std::size(duplicates)));
}

void TestOpenFiles::characterAcrossBlockBoundaryDecodesWhole()
{
    AppFixture f;
    QVERIFY(f.start());
    const qsizetype at = Documents::ReadBlock - 1;
    const QString path = f.writeFile("straddle.txt", filler(Documents::ReadBlock + 100, at));
    f.documents().OpenHistoryEntry(path);
    const QString text = f.main()->activeDocument()->rtfEdit()->text();
    QCOMPARE(f.main()->activeDocument()->windowTitle(), path);
    QCOMPARE(text.mid(at - 2, 4), QStringLiteral("aa\u3042a"));
    QCOMPARE(text.size(), Documents::ReadBlock + 100 - 1);
}

void TestOpenFiles::missingFileOpensEmptyWindow()
{
    AppFixture f;
    QVERIFY(f.start());
    const QString path = f.filePath("gone.txt");
    f.documents().OpenHistoryEntry(path);
    EditWindow *w = f.main()->activeDocument();
    QCOMPARE(w->windowTitle(), path);
    QVERIFY(w->rtfEdit()->text().isEmpty());
    QVERIFY(w->rtfEdit()->isVisible());
    QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("0"));
    QCOMPARE(f.main()->statusText(), QStringLiteral("gone.txtを開きました"));
    QVERIFY(!QFileInfo::exists(path));
}

void TestOpenFiles::openRefusesPathAlreadyOpen()
{
    AppFixture f;
    QVERIFY(f.start());
    const QString path = f.writeFile("a.txt", "one");
    f.dialogs.answerOpen(path);
    f.main()->mnuFileOpen_Click();
    QCOMPARE(f.documentWindows().size(), 2);
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
    AppFixture f;
    QVERIFY(f.start(QString(), {"Backup=1"}));
    for (const char *name : {"c.txt", "a.html", "b.css"})
        f.writeFile(name, QByteArray("text of ") + name);
    const QString folder = f.files.path();
    f.dialogs.answerOpen(QStringList{folder, "c.txt", "a.html", "b.css"}.join(Nul) + Nul + Nul, 2);
    f.main()->mnuFileOpen_Click();
    const QStringList expected{f.filePath("c.txt"), f.filePath("a.html"), f.filePath("b.css")};
    QCOMPARE(f.documentTitles().mid(1), expected);
    QCOMPARE(f.main()->activeDocument()->windowTitle(), expected.last());
    QCOMPARE(historySlots(f.context().settings).mid(0, 3), expected);
    QCOMPARE(f.documents().dialogMemory().LastOpenFilterIndex, 2);
    QCOMPARE(f.documents().dialogMemory().LastDialogFolder, folder + '/');
    for (EditWindow *w : f.documentWindows().mid(1))
        QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("0"));
    QCOMPARE(AppFixture::readFile(f.backupPath("a.html")), QByteArray("text of a.html"));
}

void TestOpenFiles::elevenFilesThroughTheHistory()
{
    AppFixture f;
    QVERIFY(f.start());
    for (int i = 1; i <= 11; ++i) {
        const QString path = f.writeFile(QStringLiteral("f%1.txt").arg(i), "x");
        f.dialogs.answerOpen(path);
        f.main()->mnuFileOpen_Click();
    }
    const QStringList slots = historySlots(f.context().settings);
    QCOMPARE(slots.first(), f.filePath("f2.txt"));
    QCOMPARE(slots.last(), f.filePath("f11.txt"));
    // The menu keeps the list as it stood at start-up.
    QVERIFY(!f.main()->menus().mnuFileUseList.at(1)->isEnabled());
}

void TestOpenFiles::backupKeepsLatestOfSameName()
{
    AppFixture f;
    QVERIFY(f.start(QString(), {"Backup=1"}));
    const QString first = f.writeFile("one/x.txt", "first");
    const QString second = f.writeFile("two/x.txt", "second");
    f.documents().OpenDroppedFiles({first, second}, false);
    QCOMPARE(AppFixture::readFile(f.backupPath("x.txt")), QByteArray("second"));
    QCOMPARE(QDir(f.context().backupFolder()).entryList(QDir::Files).size(), 1);
}

void TestOpenFiles::historyMenuBuiltAtStart()
{
    AppFixture f;
    // Slot 1 emptied by hand, slots 2 and 3 filled; "&" is shown as itself.
    const QString second = f.writeFile("R&D.txt", "menu file");
    QVERIFY(f.start(QString(), {"History/FileList2=" + second, "History/FileList3=/w/c.txt"}));
    const QList<QAction *> entries = f.main()->menus().mnuFileUseList;
    QCOMPARE(entries.size(), 4);
    QVERIFY(!entries.at(1)->isEnabled());
    QCOMPARE(entries.at(1)->text(), QStringLiteral("なし"));
    QCOMPARE(entries.at(2)->text().replace("&&", "&"), second);
    QCOMPARE(f.main()->menus().mnuFileUse->actions(),
             (QList<QAction *>{entries.at(1), entries.at(2), entries.at(3)}));
    entries.at(2)->trigger();
    QCOMPARE(f.main()->activeDocument()->windowTitle(), second);
    QCOMPARE(f.main()->activeDocument()->rtfEdit()->text(), QStringLiteral("menu file"));
    QCOMPARE(f.main()->statusText(), QStringLiteral("R&D.txtを開きました"));
    // Opening from the menu records nothing; the next path goes to slot 1.
    QCOMPARE(historySlots(f.context().settings).at(0), QString());
}

void TestOpenFiles::historyEntryOpensSecondWindow()
{
    AppFixture f;
    const QString path = f.writeFile("h.txt", "h");
    QVERIFY(f.start(QString(), {"History/FileList1=" + path}));
    f.main()->mnuFileUseList_Click(1);
    f.main()->mnuFileUseList_Click(1);
    QCOMPARE(f.documentTitles().mid(1), (QStringList{path, path}));
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
    AppFixture f;
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
            main->mnuFindText_Click();
            auto *dialog = main->findChild<QDialog *>("frmFind");
            dialog->findChild<QLineEdit *>("txtFind(0)")->setText("a");
            dialog->findChild<QCheckBox *>("chkOption(2)")->setChecked(true);
            dialog->findChild<QPushButton *>("btnFind(1)")->click();
        } else {
            main->mnuFileClose_Click();
        }
    });
    f.documents().OpenHistoryEntry(path);
    QVERIFY(loading);
    QVERIFY(AppFixture::readFile(path) == bytes);
    QVERIFY(f.boxes.settled());
    QCOMPARE(enabled, QStringList());
    if (command == "close") {
        // The read stopped with the window, and opening goes on as before.
        QTRY_VERIFY(loading.isNull());
        f.documents().OpenDroppedFiles({path}, false);
        loading = f.main()->activeDocument();
    }
    QCOMPARE(loading->rtfEdit()->text().size(), bytes.size());
    QCOMPARE(loading->rtfEdit()->tag(), QStringLiteral("0"));
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

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() >= m_failAt) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        return QBuffer::readData(data, std::min(maxSize, m_failAt - pos()));
    }

private:
    qint64 m_failAt;
};

} // namespace

void TestOpenFiles::unreadFileAsksBeforeSave_data()
{
    QTest::addColumn<bool>("partly");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no read permission") << false << "";
    QTest::newRow("read fails in the second block") << true << "a";
}

void TestOpenFiles::unreadFileAsksBeforeSave()
{
    QFETCH(bool, partly);
    QFETCH(QString, shown);
    AppFixture f;
    QVERIFY(f.start());
    const QByteArray bytes = filler(Documents::ReadBlock + 500);
    const QString path = f.writeFile("unread.txt", bytes);
    EditWindow *w = nullptr;
    f.answer({MessageBoxes::Answer::Ok});
    if (partly) {
        w = f.documents().NewDocument(1);
        w->setWindowTitle(path);
        FailingFile file(bytes, Documents::ReadBlock + 100);
        QVERIFY(f.documents().LoadDocumentFrom(w, path, file));
        w->rtfEdit()->setTag("0");
    } else {
        QFile::setPermissions(path, {});
        FileModesEnforced modes;
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("file modes do not apply here");
        f.documents().OpenHistoryEntry(path);
        w = f.main()->activeDocument();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }
    // Told which file and why, and left with what could be read.
    QCOMPARE(f.boxes.shown().size(), 1);
    QCOMPARE(f.boxes.shown().at(0).title, QStringLiteral("Zelkopad"));
    QVERIFY(f.boxes.shown().at(0).text.contains(path));
    QVERIFY(f.boxes.shown().at(0).text.contains(partly ? "Input/output error" : "ermission"));
    QCOMPARE(w->windowTitle(), path);
    QCOMPARE(w->rtfEdit()->text().left(1), shown);
    // Saving over the file asks first; Cancel leaves it whole, OK writes.
    f.answer({MessageBoxes::Answer::Cancel, MessageBoxes::Answer::Ok});
    QVERIFY(!f.documents().SaveDocument(w));
    QVERIFY(AppFixture::readFile(path) == bytes);
    QVERIFY(f.documents().SaveDocument(w));
    QVERIFY(f.boxes.settled());
    QCOMPARE(f.boxes.shown().at(1).buttons, MessageBoxes::Buttons::OkCancel);
    QCOMPARE(AppFixture::readFile(path).size(), partly ? Documents::ReadBlock + 100 : 0);
    // Once written, the file holds the window's text: no more questions.
    QVERIFY(f.documents().SaveDocument(w));
    QVERIFY(f.boxes.settled());
}

QTEST_MAIN(TestOpenFiles)
#include "tst_openfiles.moc"
