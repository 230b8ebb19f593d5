// Commands that open the program's own windows: the preview, the options,
// find and about boxes.

#include "mainwindow/aboutbox.h"
#include "mainwindow/mainwindow.h"
#include "platform/appcontext.h"
#include "platform/windowlist.h"

namespace zp {

// The preview, options and find windows arrive with those features.
void MainWindow::mnuBrowView_Click() {}
void MainWindow::mnuOptionSetup_Click() {}
void MainWindow::mnuFindText_Click() {}

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
