// Printing the page a preview window shows.

#include "preview/previews.h"

#include "platform/appcontext.h"
#include "platform/browserview.h"
#include "platform/frame.h"
#include "platform/printer.h"
#include "platform/windowlist.h"
#include "preview/previewwindow.h"
#include "preview/printjobs.h"
#include "printing/pdfoutput.h"

#include <QFile>
#include <QPointer>

#include <memory>

namespace zp {

// The engine creates a new PDF file readable by its owner only, unlike every
// other file the program writes. A new file is therefore made here first, with
// the permissions the user's umask gives; the engine then only fills it (an
// existing file keeps its permissions either way). A file that cannot be made
// is reported at once.
void PrintPageToPdf(AppContext &context, BrowserView *view, const QString &pdf)
{
    const bool made = !QFile::exists(pdf);
    if (made && !QFile(pdf).open(QIODevice::WriteOnly)) {
        reportPdfResult(context, pdf, false);
        return;
    }
    QPointer<PrintJobs> jobs = context.printJobs;
    const int job = jobs ? jobs->start(view->widget(), pdf) : 0;
    view->printToPdf(pdf, [&context, jobs, job, pdf, made](bool ok) {
        // No empty file is left where the page could not be written.
        if (!ok && made)
            QFile::remove(pdf);
        if (jobs)
            jobs->finish(job);
        reportPdfResult(context, pdf, ok);
    });
}

namespace {

void printPageWithDialog(AppContext &context, BrowserView *view)
{
    QPointer<PrintJobs> jobs = context.printJobs;
    // The job is recorded once the dialog is confirmed (an open dialog holds
    // up no end of the program), unless it has already ended by then.
    auto job = std::make_shared<int>(0);
    const bool started = view->printWithDialog(
            context.frame ? context.frame->widget() : nullptr,
            [&context, jobs, job](bool ok, const QString &file) {
                if (jobs && *job > 0)
                    jobs->finish(*job);
                *job = -1;
                // A printer's failure is the printing system's to show; a file
                // is reported either way.
                if (!file.isEmpty())
                    reportPdfResult(context, file, ok);
            });
    if (started && *job == 0 && jobs)
        *job = jobs->start(view->widget(), QString());
}

} // namespace

void PrintPreview(AppContext &context)
{
    if (!context.windows)
        return;
    // The first preview in load order that is not still loading its page.
    for (int i = 0; i < context.windows->count(); ++i) {
        auto *preview = qobject_cast<PreviewWindow *>(context.windows->at(i));
        BrowserView *view = preview ? preview->brwHp() : nullptr;
        if (!view || view->busy())
            continue;
        if (context.printer && context.printer->deviceName().isEmpty()) {
            const QString pdf = askPdfPath(context, preview->windowTitle());
            if (!pdf.isEmpty())
                PrintPageToPdf(context, view, pdf);
            return;
        }
        printPageWithDialog(context, view);
        return;
    }
}

} // namespace zp
