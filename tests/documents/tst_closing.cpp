// The close question of document windows, "閉じる", "全て閉じる" and the end
// of the program, with the backups taken on closing.

#include "documents/filepaths.h"

#include "../support/appfixture.h"

#include <QCloseEvent>
#include <QTest>

using namespace zp;
using namespace zp::testing;

using Answer = MessageBoxes::Answer;

namespace {

EditWindow *openModified(AppFixture &f, const QString &name, const QByteArray &saved = "saved")
{
    const QString path = f.writeFile(name, saved);
    f.documents().OpenHistoryEntry(path);
    EditWindow *w = f.main()->activeDocument();
    w->rtfEdit()->moveCursor(QTextCursor::End);
    w->rtfEdit()->insertPlainText(QStringLiteral("+edit"));
    return w;
}

} // namespace

class TestClosing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void closeQuestion_data();
    void closeQuestion();
    void unmodifiedClosesWithoutQuestion();
    void untitledYes_data();
    void untitledYes();
    void yesWithFailedWriteKeepsWindow();
    void closeAllSendsCancelledBehind();
    void closeAllStopsNothingWithoutWindows();
    void exitAsksEveryDocument_data();
    void exitAsksEveryDocument();
};

void TestClosing::closeQuestion_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QByteArray>("backup");
    QTest::newRow("Yes saves, closes, backs up the saved text")
            << Answer::Yes << true << QByteArray("saved+edit") << QByteArray("saved+edit");
    QTest::newRow("No discards, backs up the file as last saved")
            << Answer::No << true << QByteArray("saved") << QByteArray("saved");
    QTest::newRow("Cancel keeps everything") << Answer::Cancel << false << QByteArray("saved")
                                             << QByteArray();
}

void TestClosing::closeQuestion()
{
    QFETCH(Answer, answer);
    QFETCH(bool, closed);
    QFETCH(QByteArray, onDisk);
    QFETCH(QByteArray, backup);
    AppFixture f;
    QVERIFY(f.start(QString(), {"EndBackup=1"}));
    QPointer<EditWindow> w = openModified(f, "d.txt");
    f.answer({answer});
    f.main()->mnuFileClose_Click();
    QCOMPARE(f.boxes.shown().size(), 1);
    QVERIFY(f.boxes.settled());
    QCOMPARE(f.boxes.shown().at(0).text,
             f.filePath("d.txt") + QStringLiteral("は変更されています。保存しますか？"));
    QTRY_COMPARE(w.isNull(), closed);
    if (!closed)
        QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("1"));
    QCOMPARE(AppFixture::readFile(f.filePath("d.txt")), onDisk);
    QCOMPARE(AppFixture::readFile(f.backupPath("d.txt")), backup);
}

void TestClosing::unmodifiedClosesWithoutQuestion()
{
    AppFixture f;
    QVERIFY(f.start(QString(), {"EndBackup=1"}));
    f.documents().OpenHistoryEntry(f.writeFile("e.txt", "e"));
    QPointer<EditWindow> w = f.main()->activeDocument();
    f.main()->mnuFileClose_Click();
    QTRY_VERIFY(w.isNull());
    QVERIFY(f.boxes.shown().isEmpty());
    QVERIFY(f.boxes.settled());
    QVERIFY(!QFileInfo::exists(f.backupPath("e.txt")));
}

void TestClosing::untitledYes_data()
{
    QTest::addColumn<bool>("chooseName");
    QTest::newRow("name chosen: saved and closed") << true;
    QTest::newRow("dialog cancelled: window stays") << false;
}

void TestClosing::untitledYes()
{
    QFETCH(bool, chooseName);
    AppFixture f;
    QVERIFY(f.start());
    QPointer<EditWindow> w = f.main()->activeDocument();
    w->rtfEdit()->insertPlainText(QStringLiteral("draft"));
    f.answer({Answer::Yes});
    const QString path = f.filePath("draft.txt");
    f.dialogs.answerSave(chooseName ? path : QString());
    f.main()->mnuFileClose_Click();
    QCOMPARE(f.boxes.shown().at(0).text,
             QStringLiteral("無題1は変更されています。保存しますか？"));
    if (chooseName) {
        QTRY_VERIFY(w.isNull());
        QCOMPARE(AppFixture::readFile(path), QByteArray("draft"));
    } else {
        QTest::qWait(0);
        QVERIFY(!w.isNull());
        QCOMPARE(w->rtfEdit()->text(), QStringLiteral("draft"));
        QCOMPARE(w->rtfEdit()->tag(), QStringLiteral("1"));
    }
}

void TestClosing::yesWithFailedWriteKeepsWindow()
{
    AppFixture f;
    QVERIFY(f.start());
    QPointer<EditWindow> w = f.documents().NewDocument(1);
    w->setWindowTitle(f.filePath("no/such/folder.txt"));
    w->rtfEdit()->insertPlainText(QStringLiteral("text"));
    f.answer({Answer::Yes, Answer::Ok});
    f.main()->mnuFileClose_Click();
    QTest::qWait(0);
    QVERIFY(!w.isNull());
    QCOMPARE(f.boxes.shown().size(), 2); // the question, then the failure
    QVERIFY(f.boxes.settled());
    QVERIFY(f.boxes.shown().at(1).text.contains(QStringLiteral("保存できませんでした")));
}

void TestClosing::closeAllSendsCancelledBehind()
{
    AppFixture f;
    QVERIFY(f.start(" ")); // no untitled document
    EditWindow *a = openModified(f, "a.txt");
    EditWindow *b = openModified(f, "b.txt");
    QPointer<EditWindow> c = openModified(f, "c.txt");
    // Four attempts (frame + three documents): c is asked first and kept,
    // then the other two, then c again.
    f.answer({Answer::Cancel, Answer::No, Answer::No, Answer::Cancel});
    Q_UNUSED(a);
    Q_UNUSED(b);
    f.main()->mnuFileAllclose_Click();
    QTest::qWait(0);
    QStringList asked;
    for (const auto &box : f.boxes.shown())
        asked.append(fileNameOf(box.text.section(QStringLiteral("は変更"), 0, 0)));
    QCOMPARE(asked.size(), 4);
    QCOMPARE(asked.first(), QStringLiteral("c.txt"));
    QCOMPARE(asked.last(), QStringLiteral("c.txt"));
    QCOMPARE(QSet<QString>(asked.begin() + 1, asked.end() - 1),
             (QSet<QString>{"a.txt", "b.txt"}));
    QCOMPARE(f.documentWindows().size(), 1);
    QVERIFY(!c.isNull());
}

void TestClosing::closeAllStopsNothingWithoutWindows()
{
    AppFixture f;
    QVERIFY(f.start(" "));
    f.main()->mnuFileAllclose_Click();
    f.main()->mnuFileClose_Click();
    QVERIFY(f.boxes.shown().isEmpty());
    QVERIFY(f.boxes.settled());
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
    QTest::newRow("No then Cancel: stays, first unsaved")
            << QList<Answer>{Answer::No, Answer::Cancel} << false << QByteArray("saved");
}

void TestClosing::exitAsksEveryDocument()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, ends);
    QFETCH(QByteArray, firstOnDisk);
    AppFixture f;
    QVERIFY(f.start(" "));
    QPointer<EditWindow> first = openModified(f, "first.txt");
    QPointer<EditWindow> second = openModified(f, "second.txt");
    for (Answer a : answers)
        f.boxes.expect(a);
    f.main()->mnuFileExit_Click();
    QTest::qWait(0);
    QCOMPARE(f.boxes.shown().size(), 2);
    QVERIFY(f.boxes.settled());
    QVERIFY(f.boxes.shown().at(0).text.startsWith(f.filePath("first.txt")));
    QVERIFY(f.boxes.shown().at(1).text.startsWith(f.filePath("second.txt")));
    QCOMPARE(f.main()->isVisible(), !ends);
    QCOMPARE(first.isNull(), ends);
    QCOMPARE(second.isNull(), ends);
    QCOMPARE(AppFixture::readFile(f.filePath("first.txt")), firstOnDisk);
    if (!ends)
        QCOMPARE(second->rtfEdit()->text(), QStringLiteral("saved+edit"));
}

QTEST_MAIN(TestClosing)
#include "tst_closing.moc"
