#pragma once
// The preview's browser control behind an interface: the real one is a browser
// engine loaded from a plugin when the first preview opens (start-up never pays
// for it); tests use a light double. The interface is plain C++, not a QObject,
// so that the plugin needs nothing of the program's libraries but this header.

#include <QString>

#include <functional>

class QWidget;

namespace zp {

class BrowserView
{
public:
    virtual ~BrowserView() = default;

    // The control itself, a child of the widget it was created for; deleting
    // it deletes the view.
    virtual QWidget *widget() = 0;
    // Shows the file at path (a local path, or an address). "" leaves the view
    // empty; a missing file shows the engine's own error page.
    virtual void navigate(const QString &path) = 0;
    // True from the start of a page load until the load has finished.
    virtual bool busy() const = 0;
    // Prints the shown page after the user confirms the system's print
    // dialog. False when the dialog was cancelled (nothing is printed, done
    // never runs); otherwise the engine prints in the background and
    // done(ok, file) runs once it has finished, file being the file chosen in
    // the dialog ("" for a printer).
    virtual bool printWithDialog(QWidget *owner,
                                 std::function<void(bool ok, const QString &file)> done) = 0;
    // Writes the shown page to a PDF file in the background; done(ok) runs
    // once it is written (or has failed). A new file is created readable by
    // its owner only; an existing one keeps its permissions.
    virtual void printToPdf(const QString &path, std::function<void(bool ok)> done) = 0;
};

class BrowserViews
{
public:
    virtual ~BrowserViews() = default;
    // A new view as a child of parent, or null when no engine can be had.
    virtual BrowserView *create(QWidget *parent) = 0;
};

} // namespace zp
