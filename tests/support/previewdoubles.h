#pragma once
// Doubles for the preview's browser control and for the printer. The browser
// double records what it is asked and is busy only when told; it writes a PDF
// file as the engine does (a new file readable by its owner only), at once or,
// when told to defer, at finishPrint(). The printer
// double is the program's own printer with a device name of the test's
// choosing, printing into a PDF file ("" as the name: no printer installed).

#include "platform/browserview.h"
#include "printing/systemprinter.h"

#include <QFile>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace zptest {

class BrowserDouble : public QWidget, public zp::BrowserView
{
public:
    explicit BrowserDouble(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("brwHp")); }
    QWidget *widget() override { return this; }
    void navigate(const QString &path) override { navigations.append(path); }
    bool busy() const override { return isBusy; }
    bool printWithDialog(QWidget *, std::function<void(bool, const QString &)> done) override
    {
        ++dialogPrints;
        end([done] { done(true, QString()); });
        return true;
    }
    void printToPdf(const QString &path, std::function<void(bool)> done) override
    {
        pdfPrints.append(path);
        end([this, path, done] {
            const int fd = pdfWritten ? ::open(QFile::encodeName(path).constData(),
                                               O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                      : -1;
            const bool ok = fd >= 0 && ::write(fd, "%PDF-", 5) == 5;
            if (fd >= 0)
                ::close(fd);
            done(ok);
        });
    }
    void finishPrint() { if (auto finish = std::exchange(pendingPrint, {})) finish(); }

    QStringList navigations;
    bool isBusy = false;
    bool pdfWritten = true;
    bool deferPrints = false;
    int dialogPrints = 0;
    QStringList pdfPrints;
    std::function<void()> pendingPrint;

private:
    void end(std::function<void()> finish)
    {
        pendingPrint = std::move(finish);
        if (!deferPrints)
            finishPrint();
    }
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
