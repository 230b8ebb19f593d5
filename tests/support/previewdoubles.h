#pragma once
// Doubles for the preview's browser control and for the printer. The browser
// double records what it is asked and is busy only when told; the printer
// double is the program's own printer with a device name of the test's
// choosing, printing into a PDF file ("" as the name: no printer installed).

#include "platform/browserview.h"
#include "printing/systemprinter.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace zptest {

class BrowserDouble : public QWidget, public zp::BrowserView
{
public:
    explicit BrowserDouble(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("brwHp")); }
    QWidget *widget() override { return this; }
    void navigate(const QString &path) override { navigations.append(path); }
    bool busy() const override { return isBusy; }
    void printWithDialog(QWidget *) override { ++dialogPrints; }
    void printToPdf(const QString &path, std::function<void(bool)> done) override
    {
        pdfPrints.append(path);
        if (done)
            done(pdfWritten);
    }

    QStringList navigations;
    bool isBusy = false;
    bool pdfWritten = true;
    int dialogPrints = 0;
    QStringList pdfPrints;
};

class BrowserDoubles : public zp::BrowserViews
{
public:
    zp::BrowserView *create(QWidget *parent) override
    {
        auto *view = new BrowserDouble(parent);
        created.append(view);
        return view;
    }
    QList<QPointer<BrowserDouble>> created;
};

class PrinterDouble : public zp::SystemPrinter
{
public:
    QString name = QStringLiteral("LP-1");
    QStringList fonts = {QStringLiteral("Zeta"), QStringLiteral("Alpha"), QString(),
                         QStringLiteral("After the end")};
    // Where a job for the named printer goes.
    QString pdfPath;
    int jobs = 0;

    QString deviceName() const override { return name; }
    QStringList fontNames() const override { return fonts; }
    bool endDoc() override
    {
        ++jobs;
        if (!name.isEmpty())
            setOutputFile(pdfPath);
        return SystemPrinter::endDoc();
    }
};

} // namespace zptest
