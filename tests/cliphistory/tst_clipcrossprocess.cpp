// Another program on the desktop sets the clipboard (xclip, on a display of
// the test's own): the monitor records it, but not the text that was there
// before it started.

#include "cliphistory/historymenu.h"
#include "editor/textview.h"

#include "testapp.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using zptest::TestApp;

namespace {

// xclip keeps serving the selection from the background after it returns.
bool copyInAnotherProgram(const QString &text)
{
    QProcess xclip;
    xclip.setStandardOutputFile(QProcess::nullDevice());
    xclip.setStandardErrorFile(QProcess::nullDevice());
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")});
    if (!xclip.waitForStarted())
        return false;
    xclip.write(text.toUtf8());
    xclip.closeWriteChannel();
    return xclip.waitForFinished() && xclip.exitCode() == 0;
}

} // namespace

class TestClipCrossProcess : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void recordsOtherProgramsCopies();
};

void TestClipCrossProcess::recordsOtherProgramsCopies()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X display (run under xvfb-run)");
    if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        QSKIP("xclip is not installed");
    TestApp t;
    QVERIFY(t.start(QString(), {"ClipboardSaveTiming=0"}));
    int changes = 0;
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [&changes] { ++changes; });
    QVERIFY(copyInAnotherProgram(QStringLiteral("before")));
    QTRY_VERIFY(changes > 0);
    QTRY_COMPARE(t.clipboard.text(), QStringLiteral("before"));

    t.frame()->mnuEditClipboard_Click();
    QVERIFY(copyInAnotherProgram(QStringLiteral("日本語 after")));
    zp::HistoryMenu *history = t.frame()->clipHistory();
    QTRY_COMPARE(history->entryCount(), 1);
    QCOMPARE(history->history().text(1), QStringLiteral("日本語 after"));
    QVERIFY(copyInAnotherProgram(QStringLiteral("third")));
    QTRY_COMPARE(history->entryCount(), 2);
    QCOMPARE(history->history().text(2), QStringLiteral("third"));

    // The program's own copy is one entry, not one more when the display
    // server reports the new owner.
    zp::TextView *view = t.frame()->activeDocument()->rtfEdit();
    view->setText(QStringLiteral("own"));
    view->selectAll();
    t.frame()->mnuEditCopy_Click();
    QVERIFY(copyInAnotherProgram(QStringLiteral("fourth")));
    QTRY_COMPARE(history->entryCount(), 4);
    QCOMPARE(history->history().text(3), QStringLiteral("own"));
    QCOMPARE(history->history().text(4), QStringLiteral("fourth"));
}

QTEST_MAIN(TestClipCrossProcess)
#include "tst_clipcrossprocess.moc"
