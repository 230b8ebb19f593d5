// The File menu's commands, the closing of the frame and the recent-files
// menu. The document operations themselves live with the documents.

#include "mainwindow/mainwindow.h"

#include "editor/editwindow.h"
#include "platform/appcontext.h"
#include "platform/windowlist.h"
#include "preview/previews.h"
#include "printing/printdialog.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace zp {

void MainWindow::mnuFileNew_Click()
{
    m_documents.NewDocument(0);
}

void MainWindow::mnuFileOpen_Click()
{
    m_documents.OpenWithDialog();
}

void MainWindow::mnuFileSave_Click()
{
    m_documents.SaveDocument(activeDocument());
}

void MainWindow::mnuFileSaveAs_Click()
{
    m_documents.SaveDocumentAs(activeDocument());
}

bool MainWindow::AddHistoryMenu(int slot, const QString &path)
{
    QList<QAction *> &entries = m_menus.mnuFileUseList;
    while (entries.size() <= slot)
        entries.append(nullptr);
    QAction *entry = entries.at(slot);
    if (!entry) {
        entry = m_menus.mnuFileUse->addAction(QString());
        entry->setObjectName(QStringLiteral("mnuFileUseList(%1)").arg(slot));
        entries[slot] = entry;
    }
    if (!entry->data().isValid())
        connect(entry, &QAction::triggered, this, [this, slot] { mnuFileUseList_Click(slot); });
    entry->setEnabled(true);
    // The caption is the path in full; "&" would otherwise mark a mnemonic.
    entry->setText(QString(path).replace(QLatin1Char('&'), QLatin1String("&&")));
    entry->setData(path);
    return true;
}

void MainWindow::mnuFileUseList_Click(int index)
{
    QAction *entry = m_menus.mnuFileUseList.value(index);
    if (!entry || !entry->data().isValid())
        return;
    m_documents.OpenHistoryEntry(entry->data().toString());
}

void MainWindow::mnuFileClose_Click()
{
    if (QMdiSubWindow *sub = m_mdi->currentSubWindow())
        sub->close();
}

void MainWindow::mnuFileAllclose_Click()
{
    if (!m_mdi->currentSubWindow())
        return;
    // One attempt per loaded window, the frame and dialogs included. A window
    // whose close was cancelled goes behind the others, so that the next
    // attempt reaches the next window; behind keeps them in the order they
    // were sent back.
    QList<QMdiSubWindow *> behind;
    const int attempts = m_context.windows ? m_context.windows->count() : 0;
    for (int i = 0; i < attempts; ++i) {
        QMdiSubWindow *sub = m_mdi->currentSubWindow();
        if (!sub || !sub->widget())
            continue;
        const QString title = sub->widget()->windowTitle();
        if (sub->close()) {
            behind.removeAll(sub);
        } else if (sub->widget() && sub->widget()->windowTitle() == title) {
            sub->lower();
            behind.removeAll(sub);
            behind.append(sub);
        }
        activateFrontChild(behind);
    }
}

void MainWindow::activateFrontChild(const QList<QMdiSubWindow *> &behind)
{
    QList<QMdiSubWindow *> visible;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::StackingOrder)) {
        if (sub->isVisible())
            visible.prepend(sub); // front first
    }
    for (QMdiSubWindow *sub : visible) {
        if (!behind.contains(sub)) {
            m_mdi->setActiveSubWindow(sub);
            return;
        }
    }
    for (QMdiSubWindow *sub : behind) {
        if (visible.contains(sub)) {
            m_mdi->setActiveSubWindow(sub);
            return;
        }
    }
}

void MainWindow::MDIForm_OLEDragDrop(const QStringList &paths)
{
    m_documents.OpenDroppedFiles(paths, false);
}

void MainWindow::mnuFilePrintBrow_Click()
{
    PrintPreview(m_context);
}

void MainWindow::mnuFilePrintText_Click()
{
    // One print dialog at a time; each opening loads it afresh.
    PrintDialog *dialog = nullptr;
    // A dialog that was closed is on its way out, not open.
    for (PrintDialog *open : findChildren<PrintDialog *>(QStringLiteral("frmPrint"),
                                                         Qt::FindDirectChildrenOnly)) {
        if (open->isVisible())
            dialog = open;
    }
    if (!dialog) {
        dialog = new PrintDialog(m_context, this);
        if (m_context.windows)
            m_context.windows->add(dialog);
        dialog->Form_Load();
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void MainWindow::mnuFileExit_Click()
{
    close();
}

} // namespace zp
