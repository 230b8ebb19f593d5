// The clipboard history's cost: recording a very large copied text (time and
// peak memory), copying a large selection in the editor with the history on
// and off, and CPU per copy of a small text once 50 entries are kept.
//
//   bench_cliphistory [MEGABYTES=50] [COPIES=2000]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise (its
// clipboard lives in the process, so only the program's own cost is measured).

#include "silentboxes.h"
#include "app/startup.h"
#include "benchutil.h"
#include "cliphistory/clipmonitor.h"
#include "cliphistory/historymenu.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/clipboard.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

using SilentBoxes = zpbench::SilentBoxes;

// Starts a new peak for VmHWM.
void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

struct Cost
{
    double wall = 0;
    double cpu = 0;
};

template<typename F>
Cost measure(F &&work)
{
    const double w0 = zpbench::wallSeconds();
    const double c0 = zpbench::cpuSeconds();
    work();
    QCoreApplication::processEvents();
    return {zpbench::wallSeconds() - w0, zpbench::cpuSeconds() - c0};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    const int copies = argc > 2 ? std::max(1, atoi(argv[2])) : 2000;

    QTemporaryDir dir;
    SilentBoxes boxes;
    zp::SystemClipboard clipboard;
    zp::Application zelkopad(dir.path(), boxes, clipboard);
    if (!zelkopad.Main(QString()))
        return 1;
    zp::MainWindow *frame = zelkopad.mainWindow();
    zp::HistoryMenu *history = frame->clipHistory();
    QClipboard *system = QGuiApplication::clipboard();

    // 1. A large text reaches the clipboard: the monitor records it.
    const QString large = zpbench::htmlLikeText(qsizetype(megabytes) * 1024 * 1024 / 2);
    frame->StartClipMonitor();
    QCoreApplication::processEvents();
    const double before = zpbench::currentRssMiB();
    resetPeak();
    const Cost record = measure([&] { system->setText(large); });
    std::printf("record %d MB copied text (%lld characters): %.1f ms wall, %.1f ms CPU, "
                "peak memory +%.1f MiB over %.1f MiB (the text itself is %.1f MiB)\n",
                megabytes, static_cast<long long>(large.size()), record.wall * 1000,
                record.cpu * 1000, zpbench::peakRssMiB() - before, before,
                double(large.size()) * 2 / (1024 * 1024));

    // 1b. On an X display, the same text copied by another program (xclip):
    // from its start until the entry is there, Qt's transfer included.
    if (QGuiApplication::platformName() == QLatin1String("xcb")
        && !QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) {
        const QString file = dir.filePath(QStringLiteral("large.txt"));
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(large.toUtf8());
        out.close();
        const int entries = history->entryCount();
        const double rss = zpbench::currentRssMiB();
        resetPeak();
        const Cost foreign = measure([&] {
            QProcess::execute(QStringLiteral("xclip"),
                              {QStringLiteral("-selection"), QStringLiteral("clipboard"), file});
            QElapsedTimer waited;
            waited.start();
            while (history->entryCount() == entries && waited.elapsed() < 120000)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        });
        std::printf("record %d MB copied by another program: %.1f ms wall, %.1f ms CPU, "
                    "peak memory +%.1f MiB, recorded %s\n",
                    megabytes, foreign.wall * 1000, foreign.cpu * 1000,
                    zpbench::peakRssMiB() - rss,
                    history->history().text(history->entryCount()).size() == large.size() ? "whole"
                                                                                            : "NOT whole");
    }

    // 2. Copying the same text in the editor, history off and on.
    zp::TextView *view = frame->activeDocument()->rtfEdit();
    view->setText(large);
    QCoreApplication::processEvents();
    for (bool on : {false, true, false, true}) {
        if (on != frame->clipMonitor()->isWatching())
            frame->mnuEditClipboard_Click();
        view->selectAll();
        const Cost copy = measure([&] { frame->mnuEditCopy_Click(); });
        std::printf("copy %d MB in the editor, history %s: %.1f ms wall, %.1f ms CPU\n", megabytes,
                    on ? "on " : "off", copy.wall * 1000, copy.cpu * 1000);
    }
    view->setText(QString());
    system->clear();

    // 3. Small copies with 50 entries kept (every copy shifts the history).
    for (bool on : {false, true}) {
        if (on != frame->clipMonitor()->isWatching())
            frame->mnuEditClipboard_Click();
        for (int i = history->entryCount(); on && i < 50; ++i)
            system->setText(QStringLiteral("filler %1").arg(i));
        const Cost small = measure([&] {
            for (int i = 0; i < copies; ++i)
                system->setText(QStringLiteral("<a href=\"page%1.html\">link %1</a>").arg(i));
        });
        std::printf("small copy, history %s (%d entries kept): CPU per copy %.1f us\n",
                    on ? "on " : "off", history->entryCount(), small.cpu / copies * 1e6);
    }
    std::printf("peak memory: %.1f MiB\n", zpbench::peakRssMiB());
    return history->entryCount() == 50 ? 0 : 1;
}
