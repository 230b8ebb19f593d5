#pragma once
// The printer of the program: the system's default printer, reached through
// the printer plugin (loaded at the first use), or a PDF file. The text is
// collected until endDoc lays it out on pages (textpages).

#include "platform/printer.h"

namespace zp {

class SystemPrinter : public Printer
{
public:
    QString deviceName() const override;
    QStringList fontNames() const override;

    QString fontName() const override { return m_fontName; }
    void setFontName(const QString &name) override { m_fontName = name; }
    int orientation() const override { return m_orientation; }
    void setOrientation(int orientation) override { m_orientation = orientation; }
    int copies() const override { return m_copies; }
    void setCopies(int copies) override { m_copies = copies; }
    void setOutputFile(const QString &pdfPath) override { m_outputFile = pdfPath; }

    void print(const QString &text) override;
    bool endDoc() override;

private:
    QString m_fontName;
    int m_orientation = Portrait;
    int m_copies = 1;
    QString m_outputFile;
    QString m_job;
};

} // namespace zp
