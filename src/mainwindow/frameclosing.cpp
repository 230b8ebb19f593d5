// The end of the program, in the order it runs. One question per document
// serves both ways a document window closes: on its own, and with the frame.
//
// A document window closes (its close box, 閉じる, 全て閉じる):
//   1. QMdiSubWindow::close() sends EditWindow::closeEvent.
//   2. The window's close-request handler, set by Documents::NewDocument, runs
//      Documents::QueryUnload (documents/closing.cpp): no question when the
//      text is unmodified or still loading; Yes saves (a save that did not
//      happen keeps the window), No drops the changes, Cancel keeps the
//      window; "EndBackup" copies the file into the backup folder.
//   3. Agreed: the window leaves the window list, Form_Unload clears the
//      frame's caption, and the sub-window (deleted on close) goes.
//
// The frame closes (終了, its close box, the desktop session's end):
//   1. queryUnloadDocuments asks every document window, in load order, as in
//      step 2 above; the first Cancel ends the close, every window stays open.
//   2. dropCloseQuestions: every document has agreed, so none is asked again
//      while closeAllSubWindows closes them (steps 1 and 3 above); preview
//      windows close with them, never asking.
//   3. The print jobs of the preview still running (a PDF file being written)
//      are waited for, the event loop running, for at most the wait limit
//      (PrintJobs); a window opened meanwhile keeps the program running.
//   4. MDIForm_Unload, once only: the clipboard history is saved when
//      "ClipboardSaveTiming" is 2, and the clipboard monitor stops. From here
//      on a close of the frame asks nothing.
//   5. The frame hides, the event loop ends with the last window, and the
//      frame's destructor removes whatever children remain, unasked.
//
// From outside (app/shutdown.cpp): the session's end, when it allows
// questions, closes the frame as above and cancels the session's end on
// Cancel; when it allows none, and on SIGTERM, SIGHUP or SIGINT, the text of
// every modified document is rescued into the backup folder first, then
// MDIForm_Unload runs, then the print jobs are waited for, asking nothing.

#include "mainwindow/mainwindow.h"

#include "cliphistory/clipmonitor.h"
#include "editor/childkind.h"
#include "editor/editwindow.h"
#include "platform/appcontext.h"
#include "platform/windowlist.h"
#include "preview/printjobs.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace zp {

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The menu's 終了, the close box and the end of the desktop session all
    // arrive here; once the sequence has run, closing again asks nothing.
    // While the end waits for the printing, it is already under way.
    if (m_context.printJobs && m_context.printJobs->waiting()) {
        event->ignore();
        return;
    }
    if (m_unloaded) {
        FinishPrintJobs(m_context, false);
        event->accept();
        return;
    }
    if (!queryUnloadDocuments()) {
        event->ignore();
        return;
    }
    dropCloseQuestions();
    m_mdi->closeAllSubWindows();
    if (!m_mdi->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    FinishPrintJobs(m_context, true);
    // A window opened while the program waited was never asked about: the
    // program keeps running rather than drop it.
    if (!m_mdi->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    MDIForm_Unload();
    event->accept();
}

bool MainWindow::queryUnloadDocuments()
{
    if (!m_context.windows)
        return true;
    QList<QPointer<EditWindow>> documents;
    for (int i = 0; i < m_context.windows->count(); ++i) {
        if (EditWindow *document = documentWindow(m_context.windows->at(i)))
            documents.append(document);
    }
    for (const QPointer<EditWindow> &document : documents) {
        if (document && !m_documents.QueryUnload(document))
            return false;
    }
    return true;
}

void MainWindow::dropCloseQuestions()
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        if (EditWindow *document = documentWindow(sub->widget()))
            document->setCloseRequestHandler({});
    }
}

void MainWindow::MDIForm_Unload()
{
    // Runs once, whether the frame closed or a signal ends the program; a
    // second run would append the history to the file twice.
    if (m_unloaded)
        return;
    m_unloaded = true;
    saveHistoryAtEnd();
    m_clipMonitor->stop();
}

MainWindow::~MainWindow()
{
    // Children are destroyed after this point; none may reach a frame that is
    // half gone, and the MDI area's activation signals must not reach it either.
    disconnect(m_mdi, nullptr, this, nullptr);
    if (m_context.frame == this)
        m_context.frame = nullptr;
    // The children go while the frame is still whole: the base destructor
    // would close them and report activations to a half-destroyed frame. The
    // documents' close question is not asked at this point.
    dropCloseQuestions();
    qDeleteAll(m_mdi->subWindowList());
}

} // namespace zp
