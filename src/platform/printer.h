#pragma once
// The printer the text is printed on: the system's default printer, or, when
// none is installed, a PDF file the user names. Settings made before the first
// text apply to the whole job; endDoc sends it.

#include <QString>
#include <QStringList>

namespace zp {

class Printer
{
public:
    enum Orientation { Portrait = 1, Landscape = 2 };

    virtual ~Printer() = default;

    // The default printer's name; "" when no printer is installed.
    virtual QString deviceName() const = 0;
    // The font families that can be printed, in the order the system gives.
    virtual QStringList fontNames() const = 0;

    virtual QString fontName() const = 0;
    virtual void setFontName(const QString &name) = 0;
    virtual int orientation() const = 0;
    virtual void setOrientation(int orientation) = 0;
    virtual int copies() const = 0;
    virtual void setCopies(int copies) = 0;
    // Sends the job to this PDF file instead of a printer ("" for the printer).
    virtual void setOutputFile(const QString &pdfPath) = 0;

    // Adds text to the job: each line starts a new printed line.
    virtual void print(const QString &text) = 0;
    // Lays the job out and sends it; false when it could not be written or
    // sent. The text is dropped either way, the settings stay.
    virtual bool endDoc() = 0;
};

} // namespace zp
