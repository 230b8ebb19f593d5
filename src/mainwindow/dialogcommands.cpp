// Commands that open the program's own windows: the preview, the options,
// find and about boxes.

#include "find/finddialog.h"
#include "mainwindow/aboutbox.h"
#include "mainwindow/mainwindow.h"
#include "options/optionsdialog.h"
#include "platform/appcontext.h"
#include "platform/windowlist.h"
#include "preview/previews.h"

namespace zp {

void MainWindow::mnuBrowView_Click()
{
    ShowPreview(m_context);
}

void MainWindow::mnuOptionSetup_Click()
{
    OptionsDialog::showModeless(m_context, this);
}

void MainWindow::mnuFindText_Click()
{
    // The one find dialog of the run, a child of the main window: it keeps its
    // search state between openings and stays above the main window.
    auto *dialog = findChild<FindDialog *>(QStringLiteral("frmFind"), Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new FindDialog(m_context, this);
    dialog->showModeless();
}

void MainWindow::mnuHelpVersion_Click()
{
    if (!m_aboutBox) {
        m_aboutBox = new AboutBox(this);
        if (m_context.windows)
            m_context.windows->add(m_aboutBox);
    }
    m_aboutBox->show();
    m_aboutBox->raise();
    m_aboutBox->activateWindow();
}

} // namespace zp
