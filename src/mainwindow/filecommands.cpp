// The File menu's commands.

#include "mainwindow/mainwindow.h"

namespace zp {

void MainWindow::mnuFileNew_Click()
{
    m_documents.NewDocument(0);
}

// Opening, saving, closing and the recent-files list arrive with the file
// commands; until then these items do nothing.
void MainWindow::mnuFileOpen_Click() {}
void MainWindow::mnuFileSave_Click() {}
void MainWindow::mnuFileSaveAs_Click() {}
void MainWindow::mnuFileUseList_Click(int) {}
void MainWindow::mnuFileAllclose_Click() {}
void MainWindow::mnuFileClose_Click() {}

// Saving the clipboard history and printing arrive with those features.
void MainWindow::mnuFileClipboardSave_Click() {}
void MainWindow::mnuFilePrintBrow_Click() {}
void MainWindow::mnuFilePrintText_Click() {}

void MainWindow::mnuFileExit_Click()
{
    close();
}

} // namespace zp
