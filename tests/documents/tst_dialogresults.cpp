// The dialog procedures: how a selection becomes folder, count and names, the
// starting folder and filter, and what the dialogs remember.

#include "documents/dialogresults.h"

#include "../support/filetestdoubles.h"
#include "../support/scriptedmessageboxes.h"

#include <QTest>

using namespace zp;
using namespace zp::testing;

namespace {
const QChar Nul(0);
QString joined(const QStringList &parts)
{
    return parts.join(Nul) + Nul + Nul;
}
} // namespace

class TestDialogResults : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void openSelection_data();
    void openSelection();
    void saveSelection_data();
    void saveSelection();
    void firstDialogStartsInAppFolder();
    void dialogsRememberFolderAndFilter();
    void cancelledOrTooLongChangesNothing_data();
    void cancelledOrTooLongChangesNothing();
    void selectionTextFromChosenFiles();
};

void TestDialogResults::openSelection_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("one file") << "/web/a.html" << "/web/a.html" << "/web/" << 0
                              << QStringList{"a.html"};
    QTest::newRow("three files")
            << joined({"/web", "a.html", "b.css", "c.txt"})
            << QStringList{"/web", "a.html", "b.css", "c.txt"}.join(Nul) << "/web/" << 3
            << QStringList{"a.html", "b.css", "c.txt"};
    QTest::newRow("root folder keeps one slash")
            << joined({"/", "a.txt", "b.txt"}) << QStringList{"/", "a.txt", "b.txt"}.join(Nul)
            << "/" << 2 << QStringList{"a.txt", "b.txt"};
    QTest::newRow("exactly the room") << QString("/" + QString(254, 'x')) << QString("/" + QString(254, 'x'))
                                      << "/" << 0 << QStringList{QString(254, 'x')};
    QTest::newRow("over the room is cancelled") << QString("/" + QString(255, 'x')) << QString()
                                                << "unchanged" << -1 << QStringList();
    QTest::newRow("empty is cancelled") << QString() << QString() << "unchanged" << -1
                                        << QStringList();
}

void TestDialogResults::openSelection()
{
    QFETCH(QString, selection);
    QFETCH(QString, result);
    QFETCH(QString, folder);
    QFETCH(int, count);
    QFETCH(QStringList, names);
    QString gotFolder = QStringLiteral("unchanged");
    int gotCount = -1;
    QCOMPARE(takeOpenSelection(selection, gotFolder, gotCount), result);
    QCOMPARE(gotFolder, folder);
    QCOMPARE(gotCount, count);
    if (!result.isEmpty())
        QCOMPARE(openedNames(result, gotCount), names);
}

void TestDialogResults::saveSelection_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain") << "/out/b.txt" << "/out/b.txt" << "/out";
    QTest::newRow("cut at NUL") << QString("/out/b.txt") + Nul + "junk" << "/out/b.txt" << "/out";
    QTest::newRow("root folder") << "/b.txt" << "/b.txt" << "/";
    QTest::newRow("cancel") << "" << "" << "unchanged";
}

void TestDialogResults::saveSelection()
{
    QFETCH(QString, selection);
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QString gotFolder = QStringLiteral("unchanged");
    QCOMPARE(takeSaveSelection(selection, gotFolder), path);
    QCOMPARE(gotFolder, folder);
}

void TestDialogResults::firstDialogStartsInAppFolder()
{
    ScriptedFileDialogs dialogs;
    DialogMemory memory;
    dialogs.answerOpen(QString());
    int count = -1;
    QCOMPARE(ShowOpenDialog(dialogs, nullptr, "/app/", memory, count), QString());
    QCOMPARE(dialogs.openRequests.at(0).folder, QStringLiteral("/app/"));
    QCOMPARE(dialogs.openRequests.at(0).filterIndex, 0);
    QVERIFY(dialogs.openRequests.at(0).multiSelect);
    QCOMPARE(memory.LastDialogFolder, QStringLiteral("/app/"));
}

void TestDialogResults::dialogsRememberFolderAndFilter()
{
    ScriptedFileDialogs dialogs;
    DialogMemory memory;
    int count = -1;
    dialogs.answerOpen("/web/a.html", 2);
    QCOMPARE(ShowOpenDialog(dialogs, nullptr, "/app/", memory, count), QStringLiteral("/web/a.html"));
    QCOMPARE(memory.LastOpenFilterIndex, 2);
    QCOMPARE(memory.LastDialogFolder, QStringLiteral("/web/"));

    // The next open dialog starts with that filter and folder; the save dialog
    // starts in the folder with its first filter.
    dialogs.answerOpen(QString());
    ShowOpenDialog(dialogs, nullptr, "/app/", memory, count);
    QCOMPARE(dialogs.openRequests.at(1).filterIndex, 2);
    QCOMPARE(dialogs.openRequests.at(1).folder, QStringLiteral("/web/"));
    dialogs.answerSave("/out/b.txt");
    QCOMPARE(ShowSaveDialog(dialogs, nullptr, "/app/", memory), QStringLiteral("/out/b.txt"));
    QCOMPARE(dialogs.saveRequests.at(0).folder, QStringLiteral("/web/"));
    QCOMPARE(dialogs.saveRequests.at(0).filterIndex, 1);
    QCOMPARE(memory.LastDialogFolder, QStringLiteral("/out"));

    dialogs.answerOpen(QString());
    ShowOpenDialog(dialogs, nullptr, "/app/", memory, count);
    QCOMPARE(dialogs.openRequests.at(2).folder, QStringLiteral("/out"));
}

void TestDialogResults::cancelledOrTooLongChangesNothing_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<bool>("told");
    const QString tooLong = joined(QStringList{"/many"} + QStringList(40, "file-name.txt"));
    QTest::newRow("open cancelled") << false << QString() << false;
    QTest::newRow("open too long") << false << tooLong << true;
    QTest::newRow("save cancelled") << true << QString() << false;
    QTest::newRow("save too long") << true << QString("/" + QString(300, 'x')) << true;
}

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
    // A selection dropped for its length is reported, not taken for a cancel.
    QVERIFY(boxes.settled());
}

void TestDialogResults::selectionTextFromChosenFiles()
{
    QCOMPARE(selectionText({}), QString());
    QCOMPARE(selectionText({"/w/a.txt"}), QStringLiteral("/w/a.txt"));
    QCOMPARE(selectionText({"/w/a.txt", "/w/b.txt"}), joined({"/w", "a.txt", "b.txt"}));
    QCOMPARE(selectionText({"/a.txt", "/b.txt"}), joined({"/", "a.txt", "b.txt"}));
}

QTEST_GUILESS_MAIN(TestDialogResults)
#include "tst_dialogresults.moc"
