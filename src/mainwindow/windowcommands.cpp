// The Window menu's arrangement commands.

#include "mainwindow/mainwindow.h"

namespace zp {

void MainWindow::mnuWindowAdd_Click() { ArrangeWindows(0); }
void MainWindow::mnuWindowUp_Click() { ArrangeWindows(1); }
void MainWindow::mnuWindowLeft_Click() { ArrangeWindows(2); }
void MainWindow::mnuWindowMin_Click() { ArrangeWindows(3); }

// Cascading, tiling and minimising arrive with the window arrangement.
void MainWindow::ArrangeWindows(int) {}

} // namespace zp
