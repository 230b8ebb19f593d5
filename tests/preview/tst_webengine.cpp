// The real browser engine behind the preview, loaded from its plugin: pages
// without a charset read as Shift-JIS, a declared UTF-8 page follows its
// declaration, and a style sheet beside the file applies. A page printed to
// PDF by a control whose window has closed is still written whole, with the
// permissions of the umask.

#include "platform/browserview.h"
#include "platform/cp932codec.h"
#include "platform/appcontext.h"
#include "preview/enginebrowsers.h"
#include "preview/previews.h"
#include "preview/printjobs.h"

#include "files.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

#include <sys/stat.h>

class TestWebEngine : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QWidget m_host;
    zp::BrowserView *m_view = nullptr;

    // The text the page at path shows, as the engine reports it.
    void showText(const QString &path, QString &shown)
    {
        m_view->navigate(path);
        QTRY_VERIFY_WITH_TIMEOUT(!m_view->busy(), 30000);
        auto *engine = qobject_cast<QWebEngineView *>(m_view->widget());
        std::shared_ptr<QString> text;
        engine->page()->runJavaScript(QStringLiteral("document.characterSet + '|' + (document.body ? document.body.innerText : '')"),
                                      [&text](const QVariant &v) { text = std::make_shared<QString>(v.toString()); });
        QTRY_VERIFY_WITH_TIMEOUT(text, 10000);
        shown = text->trimmed();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_view = zp::EngineBrowsers().create(&m_host);
        QVERIFY2(m_view, "the browser plugin did not load");
        m_host.resize(400, 300);
        m_view->widget()->resize(400, 300);
        m_host.show();
    }
    void pages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        const QString japanese = QStringLiteral("日本語の表示ページ");
        // The hidden span shows only if the style sheet beside the file failed.
        const QByteArray body = "<body><p>" + zp::encodeCp932(japanese)
                                + "</p><span class=\"x\">CSS-MISSING</span></body></html>";
        QTest::newRow("Shift-JIS without charset")
            << "<html><head><link rel=\"stylesheet\" href=\"style.css\"></head>" + body
            << "Shift_JIS|" + japanese;
        // Nothing to detect from: the default encoding decides.
        QTest::newRow("ASCII without charset") << QByteArray("<p>plain</p>") << "Shift_JIS|plain";
        // Left to its guess, the engine reads these four characters as Korean.
        QTest::newRow("half-width kana without charset")
            << QByteArray("<p>\xc3\xb7\xbd\xc4</p>") << QStringLiteral("Shift_JIS|ﾃｷｽﾄ");
        QTest::newRow("UTF-8 with meta charset")
            << "<html><head><meta charset=\"utf-8\"><link rel=\"stylesheet\" href=\"style.css\">"
               "</head><body><p>" + japanese.toUtf8() + "</p><span class=\"x\">CSS-MISSING</span></body></html>"
            << "UTF-8|" + japanese;
    }
    void pages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        zptest::writeBytes(m_dir.filePath(QStringLiteral("style.css")), ".x { display: none }");
        const QString path = m_dir.filePath(QStringLiteral("%1.html").arg(QTest::currentDataTag()).replace(' ', '_'));
        QVERIFY(zptest::writeBytes(path, bytes));
        QString text;
        showText(path, text);
        QCOMPARE(text, shown);
    }
    void emptyPathLeavesAnEmptyView()
    {
        QString text;
        showText(QString(), text);
        QVERIFY2(text.endsWith(QLatin1Char('|')), qPrintable(text));
    }
    void pdfOfAClosedPreview()
    {
        QWidget window;
        zp::BrowserView *browser = zp::EngineBrowsers().create(&window);
        QPointer<QWidget> view = browser->widget();
        window.show();
        const QString page = m_dir.filePath(QStringLiteral("print.html"));
        QVERIFY(zptest::writeBytes(page, "<p>PRINTED-PAGE</p>"));
        browser->navigate(page);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->busy(), 30000);
        zp::PrintJobs jobs;
        zp::AppContext context;
        context.printJobs = &jobs;
        const QString pdf = m_dir.filePath(QStringLiteral("print.pdf"));
        const mode_t savedMask = ::umask(022);
        zp::PrintPageToPdf(context, browser, pdf);
        ::umask(savedMask);
        QVERIFY(jobs.keepWhilePrinting(view));
        window.close();
        QTRY_VERIFY_WITH_TIMEOUT(jobs.isEmpty(), 30000);
        QVERIFY(zptest::readBytes(pdf).startsWith("%PDF"));
        QCOMPARE(QFile::permissions(pdf), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                                                  | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        QTRY_VERIFY(!view);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TestWebEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_webengine.moc"
