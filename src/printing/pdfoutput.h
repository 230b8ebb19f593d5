#pragma once
// Printing without a printer: the job goes to a PDF file the user names, and
// the status bar says where it went. A print that silently went nowhere would
// look like a success.

#include <QString>

class QWidget;

namespace zp {

struct AppContext;

// Asks with the save dialog where to write the PDF file, proposing the name of
// source with ".pdf" in source's folder; an existing file is replaced only
// after the dialog's own question. "" when the user cancels. The dialog belongs
// to owner (the frame when null), which gets the focus back when it closes.
QString askPdfPath(AppContext &context, const QString &source, QWidget *owner = nullptr);

// Names the written file in status panel 3, or reports in a message box that
// it could not be written.
void reportPdfResult(AppContext &context, const QString &path, bool written);

} // namespace zp
