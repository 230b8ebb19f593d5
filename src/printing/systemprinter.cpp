#include "printing/systemprinter.h"

#include "platform/pluginlibrary.h"
#include "printing/textpages.h"

#include <QFont>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <functional>

namespace zp {

namespace {

const QString PrinterPlugin = QStringLiteral("zelkopad-printer");
// The size the printer keeps: the program never sets one.
constexpr int PrintPointSize = 10;

using DefaultPrinterName = void (*)(QString *name);
using PrintPages = bool (*)(const QString &printer, bool landscape, int copies,
                            const std::function<bool(QPagedPaintDevice &)> &paint);

} // namespace

QString SystemPrinter::deviceName() const
{
    QString name;
    if (auto function = reinterpret_cast<DefaultPrinterName>(
                resolvePluginFunction(PrinterPlugin, "zelkopad_defaultPrinterName")))
        function(&name);
    return name;
}

QStringList SystemPrinter::fontNames() const
{
    return QFontDatabase::families();
}

void SystemPrinter::print(const QString &text)
{
    m_job += text;
    m_job += QLatin1Char('\n');
}

bool SystemPrinter::endDoc()
{
    QString text;
    std::swap(text, m_job);
    // The line end that closes the last line starts no line of its own.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QFont font(m_fontName, PrintPointSize);
    const bool landscape = m_orientation == Landscape;
    if (!m_outputFile.isEmpty()) {
        QPdfWriter writer(m_outputFile);
        writer.setCreator(QStringLiteral("Zelkopad"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        // A file has no number of copies: each copy is printed into it.
        return paintTextPages(writer, text, font, m_copies);
    }
    auto printPages = reinterpret_cast<PrintPages>(
            resolvePluginFunction(PrinterPlugin, "zelkopad_printPages"));
    return printPages
           && printPages(deviceName(), landscape, m_copies, [&](QPagedPaintDevice &device) {
                  return paintTextPages(device, text, font);
              });
}

} // namespace zp
