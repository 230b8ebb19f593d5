// Typing in a large document: CPU per keystroke, including the view's
// line-break bookkeeping and the repaint (and the gutter once drawn).
//
//   bench_typing [MEGABYTES=10] [KEYS=200] [--one-line] [--middle]
// MEGABYTES may be a fraction (0.3 for a line of 300 KB).
// --one-line makes the text a single line (minified HTML); --middle types in
// the middle of the text instead of at its end.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "silentboxes.h"
#include "app/startup.h"
#include "benchutil.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/clipboard.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// No box may appear in a benchmark; answering Ok keeps it running.
using SilentBoxes = zpbench::SilentBoxes;

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool oneLine = args.removeAll(QStringLiteral("--one-line")) > 0;
    const bool middle = args.removeAll(QStringLiteral("--middle")) > 0;
    const double megabytes = args.size() > 0 ? std::max(0.1, args.at(0).toDouble()) : 10;
    const int keys = args.size() > 1 ? std::max(1, args.at(1).toInt()) : 200;

    QTemporaryDir dir;
    SilentBoxes boxes;
    zp::SystemClipboard clipboard;
    zp::Application zelkopad(dir.path(), boxes, clipboard);
    if (!zelkopad.Main(QString()))
        return 1;
    zp::MainWindow *frame = zelkopad.mainWindow();
    frame->resize(1000, 750);
    zp::EditWindow *window = frame->activeDocument();
    zp::TextView *view = window->rtfEdit();

    const QString text = zpbench::htmlLikeText(qsizetype(megabytes * 1024 * 1024 / 2),
                                               oneLine ? QString() : QStringLiteral("\r\n"));
    double t0 = zpbench::wallSeconds();
    view->setText(text);
    QCoreApplication::processEvents();
    const double setSeconds = zpbench::wallSeconds() - t0;

    if (middle)
        view->setSelStart(view->textLength() / 2);
    else
        view->moveCursor(QTextCursor::End);
    view->setFocus();
    QCoreApplication::processEvents();

    std::vector<double> perKey;
    const QString typed = QStringLiteral("qz xy ");
    for (int i = 0; i < keys; ++i) {
        const double c0 = zpbench::cpuSeconds();
        QTest::keyClick(view, typed.at(i % typed.size()).toLatin1());
        // Let the view repaint as it would between two keystrokes.
        QCoreApplication::processEvents();
        perKey.push_back(zpbench::cpuSeconds() - c0);
    }
    std::sort(perKey.begin(), perKey.end());
    double total = 0;
    for (double v : perKey)
        total += v;

    std::printf("document: %.1f MB of text (%lld characters, %d line breaks), setText %.3f s\n",
                megabytes, static_cast<long long>(text.size()), view->lineBreakCount(), setSeconds);
    std::printf("typing %d keys %s: CPU per key mean %.3f ms, median %.3f ms, max %.3f ms\n", keys,
                middle ? "in the middle" : "at the end", total / keys * 1000,
                perKey[perKey.size() / 2] * 1000, perKey.back() * 1000);
    std::printf("peak memory: %.1f MiB\n", zpbench::peakRssMiB());
    return view->document()->characterCount() > text.size() ? 0 : 1;
}
