// The preview windows with a browser double: which preview "表示" uses, the
// toolbar and caption, closing, the refresh after saving, printing, and the
// program's end waiting for a page still being printed.

#include "app/shutdown.h"
#include "mainwindow/maintoolbar.h"
#include "preview/previews.h"
#include "preview/previewwindow.h"
#include "preview/printjobs.h"
#include "testapp.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <sys/stat.h>

using zptest::BrowserDouble;
using zptest::TestApp;
using Answer = zp::MessageBoxes::Answer;

namespace {

QList<zp::PreviewWindow *> previews(const TestApp &t)
{
    return t.windowsOf<zp::PreviewWindow>();
}

BrowserDouble *browser(zp::PreviewWindow *preview)
{
    return static_cast<BrowserDouble *>(preview->brwHp());
}

// "caption:navigations" of every preview in load order, joined by " / ".
QString previewState(const TestApp &t)
{
    QStringList parts;
    for (zp::PreviewWindow *p : previews(t))
        parts.append(p->windowTitle() + ':' + browser(p)->navigations.join(','));
    return parts.join(QStringLiteral(" / "));
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestApp> m_app;
    zp::MainWindow *frame() const { return m_app->frame(); }
    QString activeTitle() const { return frame()->activeChild()->windowTitle(); }
private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<TestApp>();
        QVERIFY(m_app->start(QStringLiteral(" ")));
    }
    void cleanup() { m_app.reset(); }

    void showPreview_data();
    void showPreview();
    void closingAMaximizedPreview();
    void refreshAfterSaving_data();
    void refreshAfterSaving();
    void printingTheFirstIdlePreview_data();
    void printingTheFirstIdlePreview();
    void pdfFile_data();
    void pdfFile();
    void endWaitsForThePdf_data();
    void endWaitsForThePdf();

private:
    // A preview of /w/a.html with no printer installed, its PDF going to path.
    // (With a printer, printed through the print dialog instead.)
    BrowserDouble *printToPdf(const QString &path, bool deferred, bool engineOk = true,
                              const QString &printer = QString());
};

void TestPreview::showPreview_data()
{
    QTest::addColumn<QStringList>("steps"); // "doc:<title>", "view" (表示), "button" (toolbar 12)
    QTest::addColumn<QString>("previews");  // previewState afterwards
    QTest::addColumn<QString>("active");    // the active child's caption
    QTest::newRow("html, none open: a new one in front")
        << QStringList{"doc:/w/a.html", "view"} << "/w/a.html:/w/a.html" << "/w/a.html";
    QTest::newRow("HTM in upper case, one open behind: reused, stays behind")
        << QStringList{"view", "doc:/w/B.HTM", "button"} << "/w/B.HTM:,/w/B.HTM" << "/w/B.HTM";
    QTest::newRow("shtml, xhtml and untitled: one more empty preview each")
        << QStringList{"doc:/w/b.shtml", "view", "doc:/w/b.xhtml", "button", "doc:無題9", "view"}
        << ": / : / :" << "";
    QTest::newRow("two open: only the first loaded changes")
        << QStringList{"view", "view", "doc:/w/a.htm", "view"} << "/w/a.htm:,/w/a.htm / :" << "/w/a.htm";
    QTest::newRow("a preview active: its caption goes to the first one")
        << QStringList{"view", "doc:/w/c.html", "view", "view"}
        << "/w/c.html:,/w/c.html,/w/c.html" << "/w/c.html";
    QTest::newRow("no child open: an empty preview") << QStringList{"view"} << ":" << "";
}

void TestPreview::showPreview()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, previews);
    QFETCH(QString, active);
    for (const QString &step : steps) {
        if (step.startsWith("doc:"))
            m_app->documents().NewDocument(1)->setWindowTitle(step.mid(4));
        else if (step == "view")
            frame()->mnuBrowView_Click();
        else
            frame()->toolbar()->button(12)->trigger();
    }
    QCOMPARE(previewState(*m_app), previews);
    QCOMPARE(activeTitle(), active);
    // The control fills the window and shows at once.
    for (zp::PreviewWindow *p : ::previews(*m_app)) {
        QVERIFY(p->brwHp()->widget()->isVisible());
        QCOMPARE(p->brwHp()->widget()->geometry(), p->rect());
    }
}

// A maximised preview names its page in the frame's caption until it closes.
// (Restoring, and the toolbar and File menu over a preview, are checked with
// the document windows and the other menus.)
void TestPreview::closingAMaximizedPreview()
{
    QPointer<zp::EditWindow> document = m_app->documents().NewDocument(1);
    document->setWindowTitle(QStringLiteral("/w/a.html"));
    frame()->mnuBrowView_Click();
    document->subWindow()->close();
    QTRY_VERIFY(!document);
    ::previews(*m_app).first()->subWindow()->showMaximized();
    QCOMPARE(frame()->caption(), QStringLiteral("/w/a.html"));
    frame()->mnuFileClose_Click();
    QTRY_VERIFY(frame()->mdiArea()->subWindowList().isEmpty());
    QCOMPARE(m_app->documents().FindPreviewForm(), 0);
    QCOMPARE(frame()->caption(), QString());
}

void TestPreview::refreshAfterSaving_data()
{
    QTest::addColumn<QString>("html");     // the setting
    QTest::addColumn<QString>("name");     // the file saved
    QTest::addColumn<int>("openBefore");   // previews open before the save
    QTest::addColumn<QString>("previews"); // previewState afterwards, <f> for the file
    QTest::newRow("HTML=1, none open: one is made") << "1" << "index.HTM" << 0 << "<f>:<f>";
    QTest::newRow("HTML=1, two open: the first follows") << "1" << "a.html" << 2 << ":,<f> / :";
    QTest::newRow("HTML=1, a style sheet: no preview") << "1" << "style.css" << 0 << "";
    QTest::newRow("HTML=0: no preview") << "0" << "a.html" << 1 << ":";
}

void TestPreview::refreshAfterSaving()
{
    QFETCH(QString, html);
    QFETCH(QString, name);
    QFETCH(int, openBefore);
    QFETCH(QString, previews);
    m_app.reset(new TestApp);
    QVERIFY(m_app->start(QString(), {"HTML=" + html}));
    for (int i = 0; i < openBefore; ++i)
        frame()->mnuBrowView_Click();
    zp::EditWindow *document = m_app->documentWindows().first();
    frame()->mdiArea()->setActiveSubWindow(document->subWindow());
    document->rtfEdit()->setText(QStringLiteral("<p>保存</p>"));
    const QString path = m_app->filePath(name);
    m_app->dialogs.answerSave(path);
    frame()->mnuFileSaveAs_Click();
    QCOMPARE(TestApp::readFile(path), QByteArray("<p>\x95\xdb\x91\xb6</p>"));
    QCOMPARE(previewState(*m_app), QString(previews).replace("<f>", path));
    // The saved document stays the active window, in front of the previews.
    QCOMPARE(frame()->activeChild(), document);
    const auto stacking = frame()->mdiArea()->subWindowList(QMdiArea::StackingOrder);
    QCOMPARE(stacking.last(), document->subWindow());
}

void TestPreview::printingTheFirstIdlePreview_data()
{
    QTest::addColumn<QString>("busy");     // per preview in load order, 1 = still loading
    QTest::addColumn<QString>("printer");  // the default printer's name
    QTest::addColumn<QString>("pdfAnswer"); // the save dialog's answer ("-": not shown)
    QTest::addColumn<QString>("printed");  // per preview: d = dialog print, p = PDF, . = none
    QTest::newRow("second active, both idle: the first") << "00" << "LP-1" << "-" << "d.";
    QTest::newRow("the first loading: passed over") << "10" << "LP-1" << "-" << ".d";
    QTest::newRow("only one, loading: nothing") << "1" << "LP-1" << "-" << ".";
    QTest::newRow("no printer, cancelled: nothing") << "0" << "" << "" << ".";
}

void TestPreview::printingTheFirstIdlePreview()
{
    QFETCH(QString, busy);
    QFETCH(QString, printer);
    QFETCH(QString, pdfAnswer);
    QFETCH(QString, printed);
    m_app->printer.name = printer;
    for (int i = 0; i < busy.size(); ++i)
        frame()->mnuBrowView_Click();
    for (int i = 0; i < busy.size(); ++i) {
        ::previews(*m_app).at(i)->setTitle(QStringLiteral("/w/a.html"));
        browser(::previews(*m_app).at(i))->isBusy = busy.at(i) == '1';
    }
    if (pdfAnswer != "-")
        m_app->dialogs.answerSave(pdfAnswer.isEmpty() ? QString() : m_app->filePath(pdfAnswer));
    frame()->mnuFilePrintBrow_Click();
    QString got;
    for (zp::PreviewWindow *p : ::previews(*m_app))
        got += browser(p)->dialogPrints ? 'd' : browser(p)->pdfPrints.isEmpty() ? '.' : 'p';
    QCOMPARE(got, printed);
    // A PDF is offered as the shown file's name with ".pdf".
    if (pdfAnswer != "-")
        QCOMPARE(m_app->dialogs.saveRequests.value(0).fileName, QStringLiteral("a.pdf"));
}

BrowserDouble *TestPreview::printToPdf(const QString &path, bool deferred, bool engineOk,
                                       const QString &printer)
{
    m_app->printer.name = printer;
    frame()->mnuBrowView_Click();
    ::previews(*m_app).first()->setTitle(QStringLiteral("/w/a.html"));
    BrowserDouble *view = browser(::previews(*m_app).first());
    view->deferPrints = deferred;
    view->pdfWritten = engineOk;
    if (printer.isEmpty())
        m_app->dialogs.answerSave(path);
    frame()->mnuFilePrintBrow_Click();
    return view;
}

void TestPreview::pdfFile_data()
{
    QTest::addColumn<QString>("name");  // in the test folder
    QTest::addColumn<int>("mask");      // the umask
    QTest::addColumn<int>("before");    // the file's mode before, -1 for none
    QTest::addColumn<bool>("engineOk");
    QTest::addColumn<int>("after");     // the file's mode, -1 for none (then reported)
    QTest::newRow("new file, umask 022") << "a.pdf" << 022 << -1 << true << 0644;
    QTest::newRow("new file, umask 027") << "a.pdf" << 027 << -1 << true << 0640;
    QTest::newRow("replaced file keeps its mode") << "a.pdf" << 077 << 0664 << true << 0664;
    QTest::newRow("engine failed: no empty file") << "a.pdf" << 022 << -1 << false << -1;
    QTest::newRow("folder gone") << "gone/a.pdf" << 022 << -1 << true << -1;
}

void TestPreview::pdfFile()
{
    QFETCH(QString, name);
    QFETCH(int, mask);
    QFETCH(int, before);
    QFETCH(bool, engineOk);
    QFETCH(int, after);
    // The double writes the file as the engine does: a new one 0600.
    const QByteArray path = QFile::encodeName(m_app->filePath(name));
    if (before >= 0)
        QVERIFY(zptest::writeBytes(path, "old") && ::chmod(path, mode_t(before)) == 0);
    if (after < 0)
        m_app->answer({Answer::Ok});
    const mode_t savedMask = ::umask(mode_t(mask));
    printToPdf(QFile::decodeName(path), false, engineOk);
    ::umask(savedMask);
    QVERIFY(m_app->boxes.settled());
    struct stat st {};
    QCOMPARE(::stat(path, &st) == 0 ? int(st.st_mode & 0777) : -1, after);
    QCOMPARE(frame()->statusText() == QStringLiteral("a.pdf に印刷しました"), after >= 0);
}

void TestPreview::endWaitsForThePdf_data()
{
    QTest::addColumn<QString>("end");          // close (終了, close box), session, signal
    QTest::addColumn<bool>("previewClosed");   // the preview closed while printing
    QTest::addColumn<bool>("engineFinishes");  // else the wait's limit passes
    QTest::addColumn<QString>("printer");      // "" for none: a PDF file
    QTest::newRow("終了") << "close" << false << true << "";
    QTest::newRow("preview closed, then 終了") << "close" << true << true << "";
    QTest::newRow("session end without questions") << "session" << false << true << "";
    QTest::newRow("SIGTERM") << "signal" << true << true << "";
    QTest::newRow("a printer, 終了") << "close" << false << true << "LP-1";
    QTest::newRow("終了, engine never done: said so") << "close" << false << false << "";
    QTest::newRow("SIGTERM, engine never done: ends") << "signal" << false << false << "";
}

void TestPreview::endWaitsForThePdf()
{
    QFETCH(QString, end);
    QFETCH(bool, previewClosed);
    QFETCH(bool, engineFinishes);
    QFETCH(QString, printer);
    const QString path = m_app->filePath(QStringLiteral("a.pdf"));
    QPointer<BrowserDouble> view = printToPdf(path, true, true, printer);
    if (previewClosed) {
        QPointer<QMdiSubWindow> window = ::previews(*m_app).first()->subWindow();
        window->close();
        QTRY_VERIFY(!window);
        QVERIFY2(view, "the control went with its window, and the page with it");
    }
    // The engine finishes only once the end is waiting for it.
    zp::PrintJobs *jobs = m_app->context().printJobs;
    QTimer engine;
    connect(&engine, &QTimer::timeout, this, [&] {
        if (jobs->waiting() && engineFinishes && view)
            view->finishPrint();
    });
    engine.start(0);
    if (!engineFinishes) {
        jobs->setWaitLimit(1);
        if (end == "close")
            m_app->answer({Answer::Ok});
        else
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("a\\.pdf"));
    }
    if (end == "close") {
        QVERIFY(frame()->close());
    } else if (end == "session") {
        QVERIFY(zp::EndSession(*m_app->app, false));
    } else {
        zp::SignalRescue rescue(*m_app->app);
        bool ended = false;
        rescue.setEndAction([&ended](int) { ended = true; });
        ::raise(SIGTERM);
        QTRY_VERIFY(ended);
    }
    QVERIFY(m_app->boxes.settled());
    QCOMPARE(view && view->pendingPrint, !engineFinishes);
    if (printer.isEmpty())
        QCOMPARE(TestApp::readFile(path), QByteArray(engineFinishes ? "%PDF-" : ""));
    QCOMPARE(frame()->statusText().contains(QStringLiteral("不完全")), !engineFinishes);
    // A control kept for its page goes once the page is written.
    if (previewClosed)
        QTRY_VERIFY(!view);
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
