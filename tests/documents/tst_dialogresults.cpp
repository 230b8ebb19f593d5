// The dialog procedures: how a selection becomes folder, count and names, the
// starting folder and filter, what the dialogs remember, and the selections
// too long for their room.

#include "documents/dialogresults.h"
#include "platform/filedialogs.h"

#include "filetestdoubles.h"
#include "scriptedmessageboxes.h"

#include <QTest>

using namespace zp;
using namespace zp::testing;

class TestDialogResults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openSelection_data();
    void openSelection();
    void dialogsRememberFolderAndFilter();
    void cancelledOrTooLongChangesNothing_data();
    void cancelledOrTooLongChangesNothing();
};

// The files chosen, as the dialog hands them back, become folder, count (0
// for one file) and names.
void TestDialogResults::openSelection_data()
{
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("names");
    const QString room(254, 'x');
    QTest::newRow("one file") << QStringList{"/web/a.html"} << "/web/" << 0 << QStringList{"a.html"};
    QTest::newRow("three files") << QStringList{"/web/a.html", "/web/b.css", "/web/c.txt"}
                                 << "/web/" << 3 << QStringList{"a.html", "b.css", "c.txt"};
    QTest::newRow("root folder keeps one slash") << QStringList{"/a.txt", "/b.txt"} << "/" << 2
                                                 << QStringList{"a.txt", "b.txt"};
    QTest::newRow("exactly the room") << QStringList{"/" + room} << "/" << 0 << QStringList{room};
    QTest::newRow("over the room is cancelled") << QStringList{"/x" + room} << "unchanged" << -1
                                                << QStringList();
    QTest::newRow("nothing is cancelled") << QStringList() << "unchanged" << -1 << QStringList();
}

void TestDialogResults::openSelection()
{
    QFETCH(QStringList, chosen);
    QFETCH(QString, folder);
    QFETCH(int, count);
    QFETCH(QStringList, names);
    QString gotFolder = QStringLiteral("unchanged");
    int gotCount = -1;
    const QString result = takeOpenSelection(selectionText(chosen), gotFolder, gotCount);
    QCOMPARE(gotFolder, folder);
    QCOMPARE(gotCount, count);
    QCOMPARE(result.isEmpty() ? QStringList() : openedNames(result, gotCount), names);
}

// The first dialog starts in the program's folder; each later one where the
// last chosen or saved file was, the open dialog with the filter last chosen
// in it and the save dialog with its first.
void TestDialogResults::dialogsRememberFolderAndFilter()
{
    ScriptedFileDialogs dialogs;
    DialogMemory memory;
    int count = -1;
    dialogs.answerOpen("/web/a.html", 2);
    QCOMPARE(ShowOpenDialog(dialogs, nullptr, "/app/", memory, count), QStringLiteral("/web/a.html"));
    QCOMPARE(dialogs.openRequests.at(0).folder, QStringLiteral("/app/"));
    QCOMPARE(dialogs.openRequests.at(0).filterIndex, 0);
    QVERIFY(dialogs.openRequests.at(0).multiSelect);

    dialogs.answerOpen(QString());
    ShowOpenDialog(dialogs, nullptr, "/app/", memory, count);
    QCOMPARE(dialogs.openRequests.at(1).filterIndex, 2);
    QCOMPARE(dialogs.openRequests.at(1).folder, QStringLiteral("/web/"));
    dialogs.answerSave("/out/b.txt");
    QCOMPARE(ShowSaveDialog(dialogs, nullptr, "/app/", memory), QStringLiteral("/out/b.txt"));
    QCOMPARE(dialogs.saveRequests.at(0).folder, QStringLiteral("/web/"));
    QCOMPARE(dialogs.saveRequests.at(0).filterIndex, 1);

    dialogs.answerOpen(QString());
    ShowOpenDialog(dialogs, nullptr, "/app/", memory, count);
    QCOMPARE(dialogs.openRequests.at(2).folder, QStringLiteral("/out"));
    QCOMPARE(dialogs.openRequests.at(2).filterIndex, 2);

    // A file saved in the root folder leaves "/", not an empty folder.
    dialogs.answerSave("/b.txt");
    QCOMPARE(ShowSaveDialog(dialogs, nullptr, "/app/", memory), QStringLiteral("/b.txt"));
    QCOMPARE(memory.LastDialogFolder, QStringLiteral("/"));
}

void TestDialogResults::cancelledOrTooLongChangesNothing_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<bool>("told");
    const QString tooLong = selectionText(QStringList(40, "/many/file-name.txt"));
    QTest::newRow("open cancelled") << false << QString() << false;
    QTest::newRow("open too long") << false << tooLong << true;
    QTest::newRow("save cancelled") << true << QString() << false;
    QTest::newRow("save too long") << true << QString("/" + QString(300, 'x')) << true;
}

// A selection dropped for its length is reported, not taken for a cancel.
void TestDialogResults::cancelledOrTooLongChangesNothing()
{
    QFETCH(bool, save);
    QFETCH(QString, selection);
    QFETCH(bool, told);
    ScriptedFileDialogs dialogs;
    zptest::ScriptedMessageBoxes boxes;
    if (told)
        boxes.expect(MessageBoxes::Answer::Ok);
    DialogMemory memory{QStringLiteral("/before/"), 3};
    int count = -1;
    if (save) {
        dialogs.answerSave(selection);
        QCOMPARE(ShowSaveDialog(dialogs, nullptr, "/app/", memory, &boxes), QString());
    } else {
        dialogs.answerOpen(selection, 5);
        QCOMPARE(ShowOpenDialog(dialogs, nullptr, "/app/", memory, count, &boxes), QString());
    }
    QCOMPARE(memory.LastDialogFolder, QStringLiteral("/before/"));
    QCOMPARE(memory.LastOpenFilterIndex, 3);
    QVERIFY(boxes.settled());
}

QTEST_GUILESS_MAIN(TestDialogResults)
#include "tst_dialogresults.moc"
