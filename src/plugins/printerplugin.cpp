// The system's printers, reached through the printing system. Loaded by the
// program the first time it asks for a printer.

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include <functional>

extern "C" Q_DECL_EXPORT void zelkopad_defaultPrinterName(QString *name)
{
    // Without a default, the first installed printer stands in for it.
    *name = QPrinterInfo::defaultPrinterName();
    if (name->isEmpty()) {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (!names.isEmpty())
            *name = names.first();
    }
}

extern "C" Q_DECL_EXPORT bool
zelkopad_printPages(const QString &printerName, bool landscape, int copies,
                    const std::function<bool(QPagedPaintDevice &)> &paint)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Zelkopad"));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setCopyCount(copies);
    return paint(printer);
}
