// Opening a CP932 file into a document window until it has painted once, and
// saving it back: wall time, CPU and peak memory, with the open split into its
// phases (reading and decoding, putting the text into the view, first paint).
//
//   bench_openfile FILE [--save-to PATH]
// One file per run, so that the peak memory belongs to that file. Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "silentboxes.h"
#include "app/startup.h"
#include "benchutil.h"
#include "documents/documents.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "mainwindow/mainwindow.h"
#include "platform/clipboard.h"
#include "platform/cp932codec.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using SilentBoxes = zpbench::SilentBoxes;

// Reading and decoding alone, block by block as the program reads.
double decodeSeconds(const QString &path, qsizetype *characters)
{
    const double t0 = zpbench::wallSeconds();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    zp::Cp932Decoder decoder;
    QString text;
    text.reserve(qsizetype(file.size()) + 16);
    QByteArray block(zp::Documents::ReadBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got <= 0)
            break;
        text += decoder.decode(block.constData(), got, false);
    }
    text += decoder.decode(nullptr, 0, true);
    *characters = text.size();
    return zpbench::wallSeconds() - t0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_openfile FILE [--save-to PATH]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir dir;
    QString saveTo = dir.filePath(QStringLiteral("saved.html"));
    if (argc > 3 && QByteArray(argv[2]) == "--save-to")
        saveTo = QString::fromLocal8Bit(argv[3]);
    const double rssStart = zpbench::peakRssMiB();

    SilentBoxes boxes;
    zp::SystemClipboard clipboard;
    zp::Application zelkopad(dir.path(), boxes, clipboard);
    if (!zelkopad.Main(QStringLiteral(" "))) // blanks only: no untitled document
        return 1;
    zp::MainWindow *frame = zelkopad.mainWindow();
    frame->resize(1000, 750);
    QCoreApplication::processEvents();

    // The whole open as the user triggers it, until the first paint.
    const double c0 = zpbench::cpuSeconds();
    const double t0 = zpbench::wallSeconds();
    frame->documents().OpenDroppedFiles({path}, false);
    zp::EditWindow *window = frame->activeDocument();
    if (!window)
        return 1;
    bool painted = false;
    QObject::connect(window->rtfEdit(), &zp::TextView::painted, [&painted] { painted = true; });
    const double loaded = zpbench::wallSeconds() - t0;
    window->rtfEdit()->viewport()->update();
    while (!painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double openSeconds = zpbench::wallSeconds() - t0;
    const double openCpu = zpbench::cpuSeconds() - c0;
    const double openPeak = zpbench::peakRssMiB();
    const double openResident = zpbench::currentRssMiB();

    // Saving back, to a new file.
    window->setWindowTitle(saveTo);
    const double s0 = zpbench::wallSeconds();
    const bool saved = frame->documents().SaveDocument(window);
    const double saveSeconds = zpbench::wallSeconds() - s0;
    const bool same = saved && QFileInfo(saveTo).size() == QFileInfo(path).size();

    // The save's two parts: encoding the text, and the file write.
    const double e0 = zpbench::wallSeconds();
    const QByteArray encoded = window->rtfEdit()->encodedText();
    const double encodeSeconds = zpbench::wallSeconds() - e0;

    qsizetype characters = 0;
    const double decode = decodeSeconds(path, &characters);

    std::printf("file=%s bytes=%lld chars=%lld open_s=%.3f (read+decode+set=%.3f, paint=%.3f; "
                "decode alone=%.3f) open_cpu_s=%.3f save_s=%.3f (encode alone=%.3f) saved_same_size=%s "
                "peak_rss_mib=%.1f (start %.1f, peak of the open %.1f, resident after it %.1f)\n",
                qPrintable(QFileInfo(path).fileName()), qlonglong(QFileInfo(path).size()),
                qlonglong(characters), openSeconds, loaded, openSeconds - loaded, decode, openCpu,
                saveSeconds, encodeSeconds, same ? "yes" : "no", zpbench::peakRssMiB(), rssStart, openPeak, openResident);
    return 0;
}
