// The close question of document windows, "閉じる", "全て閉じる" and the end
// of the program, with the backups taken on closing.

#include "documents/filepaths.h"

#include "testapp.h"

#include <QTest>

using namespace zp;
using zptest::TestApp;
using Answer = MessageBoxes::Answer;

namespace {

const QByteArray NoFile("<unreadable>");

// Opens name (holding "saved") and types "+edit" at its end when edited.
EditWindow *openFile(TestApp &f, const QString &name, bool edited = true)
{
    f.documents().OpenHistoryEntry(f.writeFile(name, "saved"));
    EditWindow *w = f.main()->activeDocument();
    if (edited) {
        w->rtfEdit()->moveCursor(QTextCursor::End);
        w->rtfEdit()->insertPlainText(QStringLiteral("+edit"));
    }
    return w;
}

} // namespace

class TestClosing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void closeQuestion_data();
    void closeQuestion();
    void yesThatCannotSaveKeepsWindow_data();
    void yesThatCannotSaveKeepsWindow();
    void closeAllSendsCancelledBehind();
    void commandsWithoutWindowsDoNothing();
    void exitAsksEveryDocument_data();
    void exitAsksEveryDocument();
};

void TestClosing::closeQuestion_data()
{
    QTest::addColumn<QList<Answer>>("answer"); // none: the document is unmodified
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QByteArray>("backup");
    QTest::newRow("Yes saves, closes, backs up the saved text")
            << QList<Answer>{Answer::Yes} << true << QByteArray("saved+edit") << QByteArray("saved+edit");
    QTest::newRow("No discards, backs up the file as last saved")
            << QList<Answer>{Answer::No} << true << QByteArray("saved") << QByteArray("saved");
    QTest::newRow("Cancel keeps everything") << QList<Answer>{Answer::Cancel} << false
                                             << QByteArray("saved") << NoFile;
    QTest::newRow("unmodified closes without question or backup")
            << QList<Answer>{} << true << QByteArray("saved") << NoFile;
}

void TestClosing::closeQuestion()
{
    QFETCH(QList<Answer>, answer);
    QFETCH(bool, closed);
    QFETCH(QByteArray, onDisk);
    QFETCH(QByteArray, backup);
    TestApp f;
    QVERIFY(f.start(QString(), {"EndBackup=1"}));
    QPointer<EditWindow> w = openFile(f, "d.txt", !answer.isEmpty());
    for (Answer a : answer)
        f.boxes.expect(a);
    f.main()->mnuFileClose_Click();
    QVERIFY(f.boxes.settled());
    QCOMPARE(f.boxes.shown().size(), answer.size());
    if (!answer.isEmpty()) {
        QVERIFY(f.boxes.shown().at(0).text.contains(f.filePath("d.txt")));
        QCOMPARE(f.boxes.shown().at(0).buttons, MessageBoxes::Buttons::YesNoCancel);
    }
    QTRY_COMPARE(w.isNull(), closed);
    if (!closed)
        QCOMPARE(w->rtfEdit()->isModified(), true);
    QCOMPARE(f.readFile(f.filePath("d.txt")), onDisk);
    QCOMPARE(f.readFile(f.backupPath("d.txt")), backup);
}

// Yes on a document that does not get saved (no name chosen, a failed
// write) keeps the window and its text.
void TestClosing::yesThatCannotSaveKeepsWindow_data()
{
    QTest::addColumn<QString>("title");  // "": untitled
    QTest::addColumn<QString>("chosen"); // the name chosen in the save dialog
    QTest::addColumn<bool>("closed");
    QTest::newRow("untitled, name chosen: saved and closed") << "" << "draft.txt" << true;
    QTest::newRow("untitled, dialog cancelled") << "" << "" << false;
    QTest::newRow("write fails") << "no/such/folder.txt" << "" << false;
}

void TestClosing::yesThatCannotSaveKeepsWindow()
{
    QFETCH(QString, title);
    QFETCH(QString, chosen);
    QFETCH(bool, closed);
    TestApp f;
    QVERIFY(f.start(" "));
    QPointer<EditWindow> w = f.documents().NewDocument(title.isEmpty() ? 0 : 1);
    if (!title.isEmpty())
        w->setWindowTitle(f.filePath(title));
    w->rtfEdit()->insertPlainText(QStringLiteral("draft"));
    f.answer({Answer::Yes});
    if (title.isEmpty())
        f.dialogs.answerSave(chosen.isEmpty() ? QString() : f.filePath(chosen));
    else
        f.answer({Answer::Ok}); // the failure
    f.main()->mnuFileClose_Click();
    QTest::qWait(0);
    QTRY_COMPARE(w.isNull(), closed);
    QVERIFY(f.boxes.settled());
    if (closed) {
        QCOMPARE(f.readFile(f.filePath(chosen)), QByteArray("draft"));
    } else {
        QCOMPARE(w->rtfEdit()->text(), QStringLiteral("draft"));
        QCOMPARE(w->rtfEdit()->isModified(), true);
    }
}

void TestClosing::closeAllSendsCancelledBehind()
{
    TestApp f;
    QVERIFY(f.start(" "));
    openFile(f, "a.txt");
    openFile(f, "b.txt");
    QPointer<EditWindow> c = openFile(f, "c.txt");
    // Four attempts (frame + three documents): c is asked first and kept,
    // then the other two, then c again.
    f.answer({Answer::Cancel, Answer::No, Answer::No, Answer::Cancel});
    f.main()->mnuFileAllclose_Click();
    QTest::qWait(0);
    QStringList asked;
    for (const auto &box : f.boxes.shown())
        asked.append(fileNameOf(box.text.section(QStringLiteral("は変更"), 0, 0)));
    QCOMPARE(asked.size(), 4);
    QCOMPARE(asked.first(), QStringLiteral("c.txt"));
    QCOMPARE(asked.last(), QStringLiteral("c.txt"));
    QCOMPARE(QSet<QString>(asked.begin() + 1, asked.end() - 1), (QSet<QString>{"a.txt", "b.txt"}));
    QCOMPARE(f.documentWindows().size(), 1);
    QVERIFY(!c.isNull());
}

void TestClosing::commandsWithoutWindowsDoNothing()
{
    TestApp f;
    QVERIFY(f.start(" "));
    f.main()->mnuFileAllclose_Click();
    f.main()->mnuFileClose_Click();
    f.main()->mnuFileSave_Click();
    f.main()->mnuFileSaveAs_Click();
    QVERIFY(f.boxes.shown().isEmpty());
    QVERIFY(f.dialogs.saveRequests.isEmpty());
    QVERIFY(f.main()->isVisible());
}

void TestClosing::exitAsksEveryDocument_data()
{
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<QByteArray>("firstOnDisk");
    QTest::newRow("Yes then No: ends, first saved")
            << QList<Answer>{Answer::Yes, Answer::No} << true << QByteArray("saved+edit");
    QTest::newRow("Yes then Cancel: stays, first saved")
            << QList<Answer>{Answer::Yes, Answer::Cancel} << false << QByteArray("saved+edit");
}

void TestClosing::exitAsksEveryDocument()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, ends);
    QFETCH(QByteArray, firstOnDisk);
    TestApp f;
    QVERIFY(f.start(" "));
    QPointer<EditWindow> first = openFile(f, "first.txt");
    QPointer<EditWindow> second = openFile(f, "second.txt");
    for (Answer a : answers)
        f.boxes.expect(a);
    f.main()->mnuFileExit_Click();
    QTest::qWait(0);
    QVERIFY(f.boxes.settled());
    QCOMPARE(f.boxes.shown().size(), 2);
    QVERIFY(f.boxes.shown().at(0).text.contains(f.filePath("first.txt")));
    QVERIFY(f.boxes.shown().at(1).text.contains(f.filePath("second.txt")));
    QCOMPARE(f.main()->isVisible(), !ends);
    QCOMPARE(first.isNull(), ends);
    QCOMPARE(second.isNull(), ends);
    QCOMPARE(f.readFile(f.filePath("first.txt")), firstOnDisk);
    if (!ends)
        QCOMPARE(second->rtfEdit()->text(), QStringLiteral("saved+edit"));
}

QTEST_MAIN(TestClosing)
#include "tst_closing.moc"
