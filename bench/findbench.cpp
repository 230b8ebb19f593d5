// Find and replace on a large document, through the dialog as the user
// drives it: find-next through every match of a 3-character word, then a
// replace-all of it by a 5-character word. Prints the times.
//
//   build/bench/bench_find [lines] [replace-only]
//   (default 100000 lines of 100 characters, 10 MB)

#include "silentboxes.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "find/finddialog.h"
#include "mainwindow/mainwindow.h"
#include "platform/appcontext.h"
#include "platform/clipboard.h"
#include "platform/messageboxes.h"
#include "platform/windowlist.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using SilentBoxes = zpbench::SilentBoxes;

class NoClipboard : public zp::Clipboard
{
public:
    QString text() const override { return QString(); }
    void setText(const QString &) override {}
};

double ms(qint64 ns) { return double(ns) / 1e6; }

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lines = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    const bool findNext = !(argc > 2 && QByteArray(argv[2]) == "replace-only");

    QTemporaryDir dir;
    zp::WindowList windows;
    SilentBoxes boxes;
    NoClipboard clipboard;
    zp::AppContext context;
    context.appFolder = dir.path() + QLatin1Char('/');
    context.settings = zp::SettingsFile(context.appFolder);
    context.windows = &windows;
    context.messageBoxes = &boxes;
    context.clipboard = &clipboard;
    zp::MainWindow main(context);
    main.resize(1000, 700);
    main.show();

    // One "abc" in each line of 100 characters (CR LF included), nowhere else
    // in any case.
    const QString line = QStringLiteral(
        "Lorem ipsum dolor sit amet, consectetur adipiscing elit, abc sed do eiusmod tempor incididunt ut l\r\n");
    QString raw;
    raw.reserve(line.size() * lines);
    for (int i = 0; i < lines; ++i)
        raw += line;
    zp::EditWindow *document = main.documents().NewDocument(0);
    zp::TextView *view = document->rtfEdit();
    QElapsedTimer timer;
    timer.start();
    view->setText(raw);
    app.processEvents();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    std::printf("text: %d lines, %.1f MB as CP932, %lld characters (loaded in %.0f ms)\n", lines,
                double(raw.size()) / 1e6, (long long)view->document()->characterCount() - 1,
                ms(timer.nsecsElapsed()));

    main.mnuFindText_Click();
    auto *dialog = main.findChild<zp::FindDialog *>(QStringLiteral("frmFind"));
    auto *findBox = dialog->findChild<QLineEdit *>(QStringLiteral("txtFind(0)"));
    auto *replaceBox = dialog->findChild<QLineEdit *>(QStringLiteral("txtFind(1)"));
    auto *findButton = dialog->findChild<QPushButton *>(QStringLiteral("btnFind(0)"));
    auto *replaceButton = dialog->findChild<QPushButton *>(QStringLiteral("btnFind(1)"));
    auto *all = dialog->findChild<QCheckBox *>(QStringLiteral("chkOption(2)"));
    findBox->setText(QStringLiteral("abc"));
    replaceBox->setText(QStringLiteral("abcde"));

    // Find-next from the top through every match, repainting as the user
    // would see it, until the end message.
    view->setSelStart(0);
    if (findNext) {
        // Each press is timed twice: the search and selection alone, and with the
        // repaint that shows the selection.
        std::vector<qint64> times, searchTimes;
        times.reserve(std::size_t(lines) + 1);
        searchTimes.reserve(std::size_t(lines) + 1);
        boxes.last.clear();
        timer.start();
        while (boxes.last.isEmpty()) {
            QElapsedTimer one;
            one.start();
            findButton->click();
            searchTimes.push_back(one.nsecsElapsed());
            app.processEvents();
            times.push_back(one.nsecsElapsed());
        }
        const qint64 total = timer.nsecsElapsed();
        std::printf("find-next: %zu presses (%zu matches, then \"%s\") in %.0f ms\n", times.size(),
                    times.size() - 1, qPrintable(boxes.last), ms(total));
        std::printf("  first press (lays out the view): %.3f ms, %.3f ms with repaint; the others:\n",
                    ms(searchTimes.front()), ms(times.front()));
        for (auto *series : {&searchTimes, &times}) {
            std::vector<qint64> sorted(series->begin() + 1, series->end());
            std::sort(sorted.begin(), sorted.end());
            qint64 sum = 0;
            for (qint64 t : sorted)
                sum += t;
            std::printf("  %-22s mean %.3f ms, median %.3f ms, 99th %.3f ms, max %.3f ms\n",
                        series == &times ? "press with repaint:" : "press (search+select):",
                        ms(sum) / double(sorted.size()), ms(sorted[sorted.size() / 2]),
                        ms(sorted[sorted.size() * 99 / 100]), ms(sorted.back()));
        }
    }

    all->click();
    boxes.last.clear();
    timer.start();
    replaceButton->click();
    const qint64 replaceTime = timer.nsecsElapsed();
    app.processEvents();
    const qint64 withPaint = timer.nsecsElapsed();
    std::printf("replace-all: \"%s\" in %.0f ms (%.0f ms with the repaint after it); "
                "text now %lld characters\n",
                qPrintable(boxes.last), ms(replaceTime), ms(withPaint),
                (long long)view->document()->characterCount() - 1);

    timer.start();
    view->undoEdit();
    app.processEvents();
    std::printf("undo of the replace-all: %.0f ms, text back to the original: %s\n",
                ms(timer.nsecsElapsed()), view->rawText() == raw ? "yes" : "NO");

    main.close();
    return 0;
}
