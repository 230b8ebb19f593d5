// Printing the page a preview window shows.

#include "preview/previews.h"

#include "platform/appcontext.h"
#include "platform/browserview.h"
#include "platform/frame.h"
#include "platform/printer.h"
#include "platform/windowlist.h"
#include "preview/previewwindow.h"
#include "printing/pdfoutput.h"

namespace zp {

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
                view->printToPdf(pdf, [&context, pdf](bool ok) { reportPdfResult(context, pdf, ok); });
            return;
        }
        view->printWithDialog(context.frame ? context.frame->widget() : nullptr);
        return;
    }
}

} // namespace zp
