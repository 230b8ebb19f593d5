// The preview's browser control on the browser engine. Loaded by the program
// when the first preview window opens; the engine's own processes start with
// the first view.

#include "platform/browserview.h"

#include <QCoreApplication>
#include <QDialog>
#include <QOpenGLContext>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>
#include <utility>

#include <unistd.h>

// Qt's own hook for the context every OpenGL context of the program shares
// with (exported by Qt GUI; the application object sets it at start-up when
// asked to).
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The engine draws its pages with OpenGL contexts that share with one global
// context. Asking for that at start-up would load the OpenGL libraries into
// every run (about 60 MB and 50 ms measured); it is made here instead, when the
// first preview opens.
void shareOpenGLContexts()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto *shared = new QOpenGLContext(QCoreApplication::instance());
    if (!shared->create()) {
        delete shared;
        return;
    }
    qt_gl_set_global_share_context(shared);
}

class EngineView : public QWebEngineView, public zp::BrowserView
{
public:
    explicit EngineView(QWidget *parent)
        : QWebEngineView(parent)
    {
        // Hand-written Japanese pages often declare no charset: they are read
        // as Shift-JIS unless they say otherwise.
        settings()->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
        connect(this, &QWebEngineView::loadStarted, this, [this] { m_busy = true; });
        connect(this, &QWebEngineView::loadFinished, this, [this] { m_busy = false; });
        connect(this, &QWebEngineView::printFinished, this, &EngineView::printer_Finished);
    }

    QWidget *widget() override { return this; }

    void navigate(const QString &path) override
    {
        // Busy from the request on: the engine reports the start a moment later.
        m_busy = true;
        if (path.isEmpty())
            load(QUrl(QStringLiteral("about:blank")));
        else if (path.contains(QLatin1String("://")))
            load(QUrl(path));
        else
            loadLocalFile(QFileInfo(path).absoluteFilePath());
    }

    bool busy() const override { return m_busy; }

    bool printWithDialog(QWidget *owner,
                         std::function<void(bool, const QString &)> done) override
    {
        // One print at a time: the printer must live until the engine is done.
        if (m_printer)
            return false;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrintDialog dialog(printer.get(), owner);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        m_printer = std::move(printer);
        m_printDone = std::move(done);
        print(m_printer.get());
        return true;
    }

    void printToPdf(const QString &path, std::function<void(bool)> done) override
    {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(page(), &QWebEnginePage::pdfPrintingFinished, this,
                              [connection, done, path](const QString &file, bool ok) {
                                  if (file != path)
                                      return;
                                  QObject::disconnect(*connection);
                                  if (done)
                                      done(ok);
                              });
        page()->printToPdf(path, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                             QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    }

private:
    void printer_Finished(bool ok)
    {
        const QString file = m_printer ? m_printer->outputFileName() : QString();
        m_printer.reset();
        if (auto done = std::exchange(m_printDone, {}))
            done(ok, file);
    }

    // The engine guesses the encoding of a page that declares none, and its
    // guess wins over the default: a short Shift-JIS page can come out as
    // Korean. A page without a byte-order mark or a charset in its first
    // 1024 bytes is therefore handed over with Shift-JIS declared, its own
    // folder as the base of relative links. Content goes over as an address
    // of at most 2 MB, so large files are left to the engine's guess.
    void loadLocalFile(const QString &path)
    {
        const QUrl url = QUrl::fromLocalFile(path);
        QFile file(path);
        constexpr qint64 MaxHandedOver = 512 * 1024;
        if (file.size() > MaxHandedOver || !file.open(QIODevice::ReadOnly)) {
            load(url);
            return;
        }
        const QByteArray bytes = file.readAll();
        const QByteArray head = bytes.left(1024).toLower();
        if (head.startsWith("\xef\xbb\xbf") || head.startsWith("\xff\xfe")
            || head.startsWith("\xfe\xff") || head.contains("charset")) {
            load(url);
            return;
        }
        setContent(bytes, QStringLiteral("text/html;charset=Shift_JIS"), url);
    }

    bool m_busy = false;
    std::unique_ptr<QPrinter> m_printer;
    std::function<void(bool, const QString &)> m_printDone;
};

} // namespace

extern "C" Q_DECL_EXPORT zp::BrowserView *zelkopad_createBrowserView(QWidget *parent)
{
    // The engine's sandbox cannot work for the superuser (containers, CI
    // machines); there, and only there, it is switched off before the engine
    // starts. A normal user keeps it.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    static const bool shared = (shareOpenGLContexts(), true);
    Q_UNUSED(shared);
    auto *view = new EngineView(parent);
    view->setObjectName(QStringLiteral("brwHp"));
    return view;
}
