#include "app/shutdown.h"

#include "app/startup.h"
#include "documents/filepaths.h"
#include "editor/childkind.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/appcontext.h"
#include "platform/windowlist.h"
#include "preview/printjobs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zp {

namespace {

constexpr int CaughtSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The self-pipe: the handler writes, the event loop reads.
int signalPipe[2] = {-1, -1};
struct sigaction previousActions[std::size(CaughtSignals)];

void signalHandler(int signal)
{
    const int savedErrno = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

// Creates the file under a new name and writes bytes to it; false when it
// could not be written whole.
bool writeNewFile(const QString &stem, const QString &suffix, const QByteArray &bytes,
                  QString *written)
{
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString number = attempt == 1 ? QString() : QStringLiteral("-%1").arg(attempt);
        const QString path = stem + number + suffix;
        QFile file(path);
        // NewOnly: never replaces a file, not even one made a moment ago.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists())
                continue;
            return false;
        }
        const bool ok = file.write(bytes) == bytes.size() && file.flush();
        file.close();
        if (ok)
            *written = path;
        return ok;
    }
    return false;
}

} // namespace

QStringList RescueModifiedDocuments(const AppContext &context, const QDateTime &now)
{
    QStringList written;
    if (!context.windows)
        return written;
    const QString stamp = now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int i = 0; i < context.windows->count(); ++i) {
        EditWindow *document = documentWindow(context.windows->at(i));
        // A window still reading its file holds only part of a file that is
        // still on disk.
        if (!document || document->busy() == EditWindow::Busy::Loading
            || !document->isModified())
            continue;
        const QString stem = context.backupFolder() + fileNameOf(document->windowTitle())
                + QLatin1Char('.') + stamp;
        qsizetype lost = 0;
        QByteArray bytes = document->rtfEdit()->encodedText(&lost);
        QString suffix = QStringLiteral(".unsaved");
        if (lost > 0) {
            bytes = document->rtfEdit()->rawText().toUtf8();
            suffix = QStringLiteral(".utf8.unsaved");
        }
        // The folder may have been removed while the program ran; without it
        // the text would be lost.
        QDir().mkpath(context.backupFolder());
        QString path;
        if (writeNewFile(stem, suffix, bytes, &path))
            written.append(path);
    }
    return written;
}

bool EndSession(Application &application, bool mayAsk)
{
    MainWindow *frame = application.mainWindow();
    if (!frame)
        return true;
    if (mayAsk)
        return frame->close();
    RescueModifiedDocuments(application.context(), QDateTime::currentDateTime());
    frame->MDIForm_Unload();
    // After the unload step the frame closes without asking.
    return frame->close();
}

void connectSessionEnd(Application &application)
{
    auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!gui)
        return;
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(gui, &QGuiApplication::commitDataRequest, gui,
                     [&application](QSessionManager &manager) {
        const bool mayAsk = manager.allowsInteraction();
        const bool ended = EndSession(application, mayAsk);
        if (mayAsk)
            manager.release();
        if (!ended)
            manager.cancel();
    });
#else
    Q_UNUSED(application);
#endif
}

SignalRescue::SignalRescue(Application &application, QObject *parent)
    : QObject(parent)
    , m_application(application)
    , m_end([](int signal) { QCoreApplication::exit(128 + signal); })
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalRescue::pipe_Activated);
    struct sigaction action {};
    action.sa_handler = signalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(CaughtSignals); ++i)
        ::sigaction(CaughtSignals[i], &action, &previousActions[i]);
}

SignalRescue::~SignalRescue()
{
    if (!m_notifier)
        return;
    for (size_t i = 0; i < std::size(CaughtSignals); ++i)
        ::sigaction(CaughtSignals[i], &previousActions[i], nullptr);
    delete m_notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void SignalRescue::pipe_Activated()
{
    char byte = 0;
    int signal = 0;
    while (::read(signalPipe[0], &byte, 1) == 1)
        signal = byte;
    if (signal == 0)
        return;
    RescueModifiedDocuments(m_application.context(), QDateTime::currentDateTime());
    if (MainWindow *frame = m_application.mainWindow())
        frame->MDIForm_Unload();
    // A PDF file the engine is still writing would be lost with the process.
    FinishPrintJobs(m_application.context(), false);
    m_end(signal);
}

} // namespace zp
