// Ctrl+End in a large document, with or without wrapping: wall time and CPU
// from the key until the view and its line-number gutter have painted, and a
// second jump back to the start.
//
//   bench_jump [MEGABYTES=50] [--one-line] [--wrap]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "silentboxes.h"
#include "app/startup.h"
#include "benchutil.h"
#include "editor/editwindow.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/clipboard.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace {

using SilentBoxes = zpbench::SilentBoxes;

// Presses key on view and returns the wall and CPU seconds until the view
// has painted and no events are left.
std::pair<double, double> timeKey(zp::TextView *view, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    int paints = 0;
    const auto connection = QObject::connect(view, &zp::TextView::painted, [&] { ++paints; });
    const double w0 = zpbench::wallSeconds(), c0 = zpbench::cpuSeconds();
    QTest::keyClick(view, key, modifiers);
    while (paints == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    QObject::disconnect(connection);
    return {zpbench::wallSeconds() - w0, zpbench::cpuSeconds() - c0};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool oneLine = args.removeAll(QStringLiteral("--one-line")) > 0;
    const bool wrap = args.removeAll(QStringLiteral("--wrap")) > 0;
    const int megabytes = args.size() > 0 ? std::max(1, args.at(0).toInt()) : 50;

    QTemporaryDir dir;
    SilentBoxes boxes;
    zp::SystemClipboard clipboard;
    zp::Application zelkopad(dir.path(), boxes, clipboard);
    if (!zelkopad.Main(QString()))
        return 1;
    zp::MainWindow *frame = zelkopad.mainWindow();
    frame->resize(1000, 750);
    zp::TextView *view = frame->activeDocument()->rtfEdit();
    view->setRightMargin(wrap ? 0 : 30000);

    // Characters of about the size in bytes of a CP932 file of the same text.
    const QString text = zpbench::htmlLikeText(qsizetype(megabytes) * 1024 * 1024 * 5 / 6,
                                               oneLine ? QString() : QStringLiteral("\r\n"));
    const double t0 = zpbench::wallSeconds();
    view->setText(text);
    view->setFocus();
    QCoreApplication::processEvents();
    const double setSeconds = zpbench::wallSeconds() - t0;

    const auto [endWall, endCpu] = timeKey(view, Qt::Key_End, Qt::ControlModifier);
    // The gutter's numbers follow once the lines above are counted.
    const zp::LineNumberGutter *gutter = frame->activeDocument()->picLineNo();
    const double g0 = zpbench::wallSeconds(), gc0 = zpbench::cpuSeconds();
    while (gutter->rows().isEmpty() && zpbench::wallSeconds() - g0 < 120)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double gutterWall = zpbench::wallSeconds() - g0, gutterCpu = zpbench::cpuSeconds() - gc0;
    const QString firstRow = gutter->rows().value(0).trimmed();
    const int endLine = view->firstVisibleLine();
    const auto [homeWall, homeCpu] = timeKey(view, Qt::Key_Home, Qt::ControlModifier);

    std::printf("document: %d MB (%lld characters, %d line breaks), %s, set and shown in %.3f s\n",
                megabytes, static_cast<long long>(text.size()), view->lineBreakCount(),
                wrap ? "wrapped" : "unwrapped", setSeconds);
    std::printf("Ctrl+End: %.3f s (CPU %.3f s), first visible line %d; gutter numbered %.3f s later "
                "(CPU %.3f s, first row \"%s\"); Ctrl+Home: %.3f s (CPU %.3f s)\n",
                endWall, endCpu, endLine, gutterWall, gutterCpu, qPrintable(firstRow), homeWall, homeCpu);
    std::printf("peak memory: %.1f MiB\n", zpbench::peakRssMiB());
    return 0;
}
