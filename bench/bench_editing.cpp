// Prints the time and memory of the whole-document conversions on a 10 MB
// HTML text, and the time of one gutter pass on a 50 MB text scrolled to its
// middle. Run: build/bench/bench_editing
#include "editor/editconversions.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHBoxLayout>
#include <QProcess>
#include <QScrollBar>

#include <cstdio>
#include <functional>

namespace {

// Resident and peak resident memory of this process in MB.
double statusMb(const char *key)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

void resetPeak()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

// About 10 MB of HTML with mixed line breaks and about 300,000 tags.
QString htmlText(qsizetype size)
{
    const QString breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")};
    QString text;
    text.reserve(size + 200);
    int i = 0;
    while (text.size() < size) {
        text += QStringLiteral("<p class=\"c%1\">Some ordinary text of a paragraph, with words.</P>")
                    .arg(i % 100);
        text += breaks[i % 3];
        ++i;
    }
    return text;
}

int tagCount(const QString &text)
{
    return int(text.count(QLatin1Char('<')));
}

void conversion(const char *name, const QString &html, const std::function<void(zp::TextView &)> &run)
{
    const double before = statusMb("VmRSS:");
    zp::TextView view;
    view.setText(html);
    const double loaded = statusMb("VmRSS:");
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    run(view);
    const qint64 ms = timer.elapsed();
    const double peak = statusMb("VmHWM:");
    std::printf("%-22s %6lld ms   document %6.1f MB   extra during conversion %6.1f MB (%.2fx)\n",
                name, static_cast<long long>(ms), loaded - before, peak - loaded,
                (peak - loaded) / (loaded - before));
}

void gutterPass(bool wrap)
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *gutter = new zp::LineNumberGutter;
    auto *view = new zp::TextView;
    layout->addWidget(gutter);
    layout->addWidget(view);
    window.resize(900, 860);

    QString line = QStringLiteral("<td>some text of a line in a long document, to fill it up</td>\r\n");
    if (wrap)
        line = QStringLiteral("<td>") + QStringLiteral("a longer line that wraps ").repeated(8)
               + QStringLiteral("</td>\r\n");
    const qsizetype size = 50 * 1000 * 1000;
    QString text;
    text.reserve(size + line.size());
    while (text.size() < size)
        text += line;
    QElapsedTimer timer;
    timer.start();
    view->setText(text);
    text = QString();
    view->setRightMargin(wrap ? 0 : 30000);
    window.show();
    QApplication::processEvents();
    std::printf("gutter, %s: %lld lines loaded in %lld ms\n", wrap ? "wrapping" : "no wrap",
                static_cast<long long>(view->document()->blockCount()),
                static_cast<long long>(timer.elapsed()));
    QScrollBar *bar = view->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    QApplication::processEvents();

    timer.start();
    gutter->DrawLineNumbers(*view);
    const qint64 firstNs = timer.nsecsElapsed();
    const int passes = 200;
    qint64 worst = 0;
    qint64 total = 0;
    for (int i = 0; i < passes; ++i) {
        timer.start();
        gutter->DrawLineNumbers(*view);
        const qint64 ns = timer.nsecsElapsed();
        total += ns;
        worst = std::max(worst, ns);
    }
    std::printf("gutter pass at line %d (%d rows): first %.3f ms, mean %.3f ms, worst %.3f ms\n",
                view->firstVisibleLine() + 1, int(gutter->rows().size()), firstNs / 1e6,
                total / 1e6 / passes, worst / 1e6);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QStringList args = QApplication::arguments();
    const std::pair<const char *, std::function<void(zp::TextView &)>> conversions[] = {
        {"tags to upper case", [](zp::TextView &v) { zp::applyTagCase(v, true); }},
        {"tags to lower case", [](zp::TextView &v) { zp::applyTagCase(v, false); }},
        {"line breaks to CrLf", [](zp::TextView &v) { zp::applyLineBreaks(v, zp::BreakForm::CrLf); }},
        {"line breaks to CR", [](zp::TextView &v) { zp::applyLineBreaks(v, zp::BreakForm::Cr); }},
        {"line breaks to LF", [](zp::TextView &v) { zp::applyLineBreaks(v, zp::BreakForm::Lf); }},
    };
    if (args.size() > 2 && args.at(1) == QLatin1String("--conversion")) {
        // One conversion in a process of its own, so that its memory figures
        // are not blurred by what an earlier one left to the allocator.
        const auto &[name, run] = conversions[args.at(2).toInt()];
        const QString html = htmlText(10 * 1000 * 1000);
        if (args.at(2) == QLatin1String("0"))
            std::printf("HTML text: %lld characters, %d tags\n",
                        static_cast<long long>(html.size()), tagCount(html));
        conversion(name, html, run);
        return 0;
    }
    if (args.size() > 1 && args.at(1) == QLatin1String("--gutter")) {
        gutterPass(args.size() > 2 && args.at(2) == QLatin1String("--wrap"));
        return 0;
    }
    for (int i = 0; i < 5; ++i) {
        std::fflush(stdout);
        QProcess::execute(QApplication::applicationFilePath(),
                          {QStringLiteral("--conversion"), QString::number(i)});
    }
    std::fflush(stdout);
    QProcess::execute(QApplication::applicationFilePath(), {QStringLiteral("--gutter")});
    return 0;
}
