// The end of the program: the clipboard history saved by the close box only
// when the settings ask for it at the end and every document agreed, and the
// rescue of modified documents when a signal ends the program.

#include "app/shutdown.h"
#include "cliphistory/clipmonitor.h"

#include "testapp.h"

#include <QDir>
#include <QTest>

#include <csignal>

using namespace zp;
using zptest::TestApp;
using Answer = MessageBoxes::Answer;

class TestShutdown : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void historyAtTheEnd_data();
    void historyAtTheEnd();
    void signalRescuesModifiedDocuments();
    void sessionEnd_data();
    void sessionEnd();
};

void TestShutdown::historyAtTheEnd_data()
{
    QTest::addColumn<QString>("timing");
    QTest::addColumn<bool>("copies");
    QTest::addColumn<bool>("cancel"); // a modified document answered Cancel
    QTest::addColumn<QByteArray>("file");
    const QByteArray none("<unreadable>");
    QTest::newRow("2 saves") << "2" << true << false << QByteArray("abc\r\n");
    QTest::newRow("2 with an empty history writes nothing") << "2" << false << false << none;
    QTest::newRow("2 but Cancel keeps running, writes nothing") << "2" << true << true << none;
    QTest::newRow("1 writes nothing") << "1" << true << false << none;
    QTest::newRow("0, switched on by the menu, writes nothing") << "0" << true << false << none;
}

void TestShutdown::historyAtTheEnd()
{
    QFETCH(QString, timing);
    QFETCH(bool, copies);
    QFETCH(bool, cancel);
    QFETCH(QByteArray, file);
    TestApp t;
    QVERIFY(t.start(QString(), {"ClipboardSaveTiming=" + timing}));
    if (!t.frame()->clipMonitor()->isWatching())
        t.frame()->mnuEditClipboard_Click();
    if (copies)
        QGuiApplication::clipboard()->setText(QStringLiteral("abc"));
    if (cancel) {
        t.frame()->activeDocument()->rtfEdit()->insertPlainText(QStringLiteral("edit"));
        t.answer({Answer::Cancel});
    }
    QCOMPARE(t.frame()->close(), !cancel);
    QVERIFY(t.boxes.settled());
    QCOMPARE(t.frame()->clipMonitor()->isWatching(), cancel);
    QCOMPARE(t.readFile(t.context().clipHistoryFile()), file);
}

void TestShutdown::signalRescuesModifiedDocuments()
{
    TestApp t;
    QVERIFY(t.start(QStringLiteral(" "), {"Backup=1"}));
    t.documents().OpenHistoryEntry(t.writeFile("a.html", "saved"));
    t.frame()->activeDocument()->rtfEdit()->insertPlainText(QStringLiteral("日本"));
    t.documents().NewDocument(0)->rtfEdit()->insertPlainText(QStringLiteral("untitled 😀"));
    t.newDocument(QStringLiteral("unmodified"));
    const QDir backup(t.context().backupFolder());
    QCOMPARE(backup.entryList(QDir::Files), QStringList{"a.html"}); // taken at opening

    SignalRescue rescue(*t.app);
    QList<int> ended;
    rescue.setEndAction([&ended](int signal) { ended.append(signal); });
    // Twice within the same second: the second rescue replaces nothing either.
    for (int signal : {SIGTERM, SIGHUP}) {
        ::raise(signal);
        QTRY_COMPARE(ended.size(), signal == SIGTERM ? 1 : 2);
    }
    QCOMPARE(ended, (QList<int>{SIGTERM, SIGHUP}));
    QCOMPARE(t.readFile(t.backupPath("a.html")), QByteArray("saved"));
    const QStringList html = backup.entryList({"a.html.*.unsaved"}, QDir::Files, QDir::Name);
    QCOMPARE(html.size(), 2);
    for (const QString &name : html)
        QCOMPARE(t.readFile(backup.filePath(name)), QByteArray("\x93\xfa\x96\x7bsaved"));
    // Not CP932 whole: kept as UTF-8 rather than with "?".
    const QStringList untitled = backup.entryList({"無題*.utf8.unsaved"}, QDir::Files);
    QCOMPARE(untitled.size(), 2);
    QCOMPARE(t.readFile(backup.filePath(untitled.first())), QStringLiteral("untitled 😀").toUtf8());
    QCOMPARE(backup.entryList(QDir::Files).size(), 5);
}

void TestShutdown::sessionEnd_data()
{
    QTest::addColumn<bool>("mayAsk");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<int>("rescued");
    QTest::addColumn<bool>("backupRemoved"); // the backup folder removed meanwhile
    QTest::newRow("asks: Cancel keeps the session from ending") << true << false << 0 << false;
    // No question may hold up a session that allows none.
    QTest::newRow("no questions allowed: rescued") << false << true << 1 << false;
    QTest::newRow("no questions, backup folder gone: made again") << false << true << 1 << true;
}

void TestShutdown::sessionEnd()
{
    QFETCH(bool, mayAsk);
    QFETCH(bool, ends);
    QFETCH(int, rescued);
    QFETCH(bool, backupRemoved);
    TestApp t;
    QVERIFY(t.start());
    if (backupRemoved)
        QVERIFY(QDir(t.context().backupFolder()).removeRecursively());
    t.frame()->activeDocument()->rtfEdit()->insertPlainText(QStringLiteral("edit"));
    if (mayAsk)
        t.answer({Answer::Cancel});
    QCOMPARE(EndSession(*t.app, mayAsk), ends);
    QVERIFY(t.boxes.settled());
    QCOMPARE(t.frame()->isVisible(), mayAsk);
    QCOMPARE(QDir(t.context().backupFolder()).entryList({"*.unsaved"}, QDir::Files).size(), rescued);
}

QTEST_MAIN(TestShutdown)
#include "tst_shutdown.moc"
