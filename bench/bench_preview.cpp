// The first preview: time from "表示" until a 1 MB Shift-JIS page has loaded
// and painted, and the memory of the program and of the browser engine's
// processes afterwards (the engine starts with the first preview).
//
//   bench_preview [SIZE_BYTES]
// Needs a display (xvfb-run -a) or the offscreen platform.

#include "silentboxes.h"
#include "app/startup.h"
#include "benchutil.h"
#include "documents/documents.h"
#include "editor/editwindow.h"
#include "mainwindow/mainwindow.h"
#include "platform/browserview.h"
#include "platform/clipboard.h"
#include "platform/cp932codec.h"
#include "platform/messageboxes.h"
#include "preview/previews.h"
#include "preview/previewwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>

namespace {

using SilentBoxes = zpbench::SilentBoxes;

// Resident memory of the processes whose parent is pid, in MiB.
double childrenRssMiB(qint64 pid)
{
    double total = 0;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        QFile stat(QStringLiteral("/proc/%1/status").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString status = QString::fromLatin1(stat.readAll());
        const auto field = [&](const char *name) {
            const qsizetype at = status.indexOf(QLatin1String(name));
            return at < 0 ? QString() : status.mid(at).section('\n', 0, 0).section(':', 1).trimmed();
        };
        if (field("PPid:").toLongLong() == pid)
            total += field("VmRSS:").section(' ', 0, 0).toDouble() / 1024.0;
    }
    return total;
}

bool waitFor(const std::function<bool()> &done, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const qsizetype size = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;

    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("page.html"));
    QFile file(page);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(zp::encodeCp932(zpbench::htmlLikeText(size)));
    file.close();

    SilentBoxes boxes;
    zp::SystemClipboard clipboard;
    zp::Application zelkopad(folder.path(), boxes, clipboard);
    if (!zelkopad.Main(QStringLiteral(" ")))
        return 1;
    zp::MainWindow *frame = zelkopad.mainWindow();
    frame->resize(1000, 700);
    zp::EditWindow *document = frame->documents().NewDocument(1);
    document->setWindowTitle(page);
    waitFor([] { return false; }, 300);
    const double rssBefore = zpbench::currentRssMiB();

    QElapsedTimer timer;
    timer.start();
    frame->mnuBrowView_Click();
    zp::PreviewWindow *preview = zp::firstPreview(zelkopad.context().windows);
    zp::BrowserView *view = preview ? preview->brwHp() : nullptr;
    if (!view) {
        std::fprintf(stderr, "no browser engine\n");
        return 1;
    }
    const double shownMs = timer.nsecsElapsed() / 1e6;
    if (!waitFor([view] { return !view->busy(); }, 60000))
        return 2;
    const double loadedMs = timer.nsecsElapsed() / 1e6;
    // Two animation frames after the load: the page has been painted.
    bool painted = false;
    qobject_cast<QWebEngineView *>(view->widget())->page()->runJavaScript(
            QStringLiteral("new Promise(r => requestAnimationFrame(() => requestAnimationFrame(() => r(1))))"),
            [&painted](const QVariant &) { painted = true; });
    if (!waitFor([&painted] { return painted; }, 60000))
        return 3;
    const double paintedMs = timer.nsecsElapsed() / 1e6;
    waitFor([] { return false; }, 1000);
    std::printf("page_bytes=%lld window_ms=%.1f loaded_ms=%.1f painted_ms=%.1f "
                "rss_before_mib=%.1f rss_after_mib=%.1f engine_rss_mib=%.1f\n",
                static_cast<long long>(QFile(page).size()), shownMs, loadedMs, paintedMs, rssBefore,
                zpbench::currentRssMiB(), childrenRssMiB(QCoreApplication::applicationPid()));
    return 0;
}
