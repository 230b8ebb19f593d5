// The Edit menu's commands; the right-click menu and the toolbar run the same
// handlers.

#include "mainwindow/mainwindow.h"

namespace zp {

// The editing commands, colours, wrapping and the two conversions arrive with
// the editing features; until then these items do nothing.
void MainWindow::mnuEditUndo_Click() {}
void MainWindow::mnuEditCut_Click() {}
void MainWindow::mnuEditCopy_Click() {}
void MainWindow::mnuEditPaste_Click() {}
void MainWindow::mnuEditDelete_Click() {}
void MainWindow::mnuEditTextcolor_Click() {}
void MainWindow::mnuEditBackcolor_Click() {}
void MainWindow::mnuEditMargin_Click() {}
void MainWindow::mnuEditTextSelect_Click() {}
void MainWindow::mnuEditreturnCode_Click(int) {}
void MainWindow::mnuEditHtmlLarge_Click() { ConvertTagCase(QStringLiteral("Large")); }
void MainWindow::mnuEditHtmlSmall_Click() { ConvertTagCase(QStringLiteral("Small")); }
void MainWindow::ConvertTagCase(const QString &) {}

// Switching the clipboard history arrives with the history itself.
void MainWindow::mnuEditClipboard_Click() {}

} // namespace zp
