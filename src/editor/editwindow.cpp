#include "editor/editwindow.h"

#include "editor/childkind.h"
#include "editor/editorfont.h"
#include "editor/linenumbergutter.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/childsizestate.h"
#include "platform/clipboard.h"
#include "platform/editsettings.h"
#include "platform/frame.h"
#include "platform/windowlist.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>

namespace zp {

EditWindow::EditWindow(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(DocumentFormName);
    m_picfrm = new QWidget(this);
    m_picfrm->setObjectName(QStringLiteral("picfrm"));
    m_picLineNo = new LineNumberGutter(m_picfrm);
    m_rtfEdit = new TextView(m_picfrm);
    m_rtfEdit->setObjectName(QStringLiteral("rtfEdit"));
    m_rtfEdit->setFont(editorFont());
    m_rtfEdit->setFrameShape(QFrame::NoFrame);
    setFocusProxy(m_rtfEdit);
    m_rtfEdit->installEventFilter(this);

    connect(m_rtfEdit, &TextView::changed, this, &EditWindow::rtfEdit_Change);
    connect(m_rtfEdit, &TextView::mouseDown, this, &EditWindow::rtfEdit_MouseDown);
    connect(m_rtfEdit, &TextView::painted, this, &EditWindow::EditWndProc);
}

bool EditWindow::isModified() const
{
    return m_rtfEdit->isModified();
}

void EditWindow::setBusy(Busy busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    m_rtfEdit->setReadOnly(busy != Busy::No);
    Q_EMIT busyChanged();
}

bool EditWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The view takes undo and redo from the keys itself, past its read-only
    // state; a busy window refuses them like every other edit.
    if (watched == m_rtfEdit && isBusy() && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void EditWindow::Form_Load()
{
    if (m_context.frame) {
        m_subWindow = m_context.frame->addChild(this);
        connect(m_subWindow, &QMdiSubWindow::aboutToActivate, this, &EditWindow::Form_Activate);
        onSizeStateChanged(m_subWindow, this, [this] { Form_Resize(); });
        m_subWindow->show();
    }
    show();

    m_picLineNo->setNumberColor(lineNumberColor(m_context.settings));
    setLineNumbersShown(lineNumbersOn(m_context.settings));
}

void EditWindow::setLineNumbersShown(bool shown)
{
    m_context.lineNumbersHidden = !shown;
    m_lineNumbersShown = shown;
    layoutControls();
    if (shown)
        DrawLineNumbers();
}

void EditWindow::Form_Activate()
{
    if (m_context.frame)
        m_context.frame->setDocumentButtonsEnabled(true);
}

void EditWindow::Form_Resize()
{
    Frame *frame = m_context.frame;
    if (m_subWindow && m_subWindow->isMinimized()) {
        if (frame)
            frame->setCaption(QString());
        return;
    }
    if (frame)
        frame->setCaption(m_subWindow && m_subWindow->isMaximized() ? windowTitle() : QString());
    layoutControls();
}

void EditWindow::layoutControls()
{
    m_picfrm->setGeometry(0, 0, width(), height());
    if (m_context.lineNumbersHidden) {
        m_picLineNo->hide();
        m_rtfEdit->setGeometry(0, 0, width(), height());
    } else {
        m_picLineNo->show();
        m_picLineNo->setGeometry(0, 0, LineNumberGutter::Width, height());
        m_rtfEdit->setGeometry(LineNumberGutter::Width, 0,
                               std::max(0, width() - LineNumberGutter::Width), height());
    }
}

void EditWindow::rtfEdit_Change()
{
    m_rtfEdit->setModified(true);
}

void EditWindow::rtfEdit_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    Frame *frame = m_context.frame;
    if (!frame)
        return;
    const bool canPaste = m_context.clipboard && !m_context.clipboard->text().isEmpty();
    frame->setPopupEditItems(m_rtfEdit->selLength() > 0, canPaste);
    if (button == Qt::RightButton)
        frame->showPopupMenu(globalPos);
    frame->setStatusText(QString());
}

void EditWindow::EditWndProc()
{
    if (!m_lineNumbersShown)
        return;
    if (m_context.frame) {
        QWidget *active = m_context.frame->activeChild();
        auto *host = active ? qobject_cast<QMdiSubWindow *>(active->parentWidget()) : nullptr;
        if (host && host->isMinimized())
            return;
    }
    // Each window draws its own gutter from its own text, so a window that
    // repaints while another is active (after tiling, say) never shows the
    // numbers of a different document.
    DrawLineNumbers();
}

void EditWindow::DrawLineNumbers()
{
    m_picLineNo->DrawLineNumbers(*m_rtfEdit);
}

void EditWindow::Form_Unload()
{
    if (m_context.frame && !m_context.frame->caption().isEmpty())
        m_context.frame->setCaption(QString());
}

void EditWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void EditWindow::closeEvent(QCloseEvent *event)
{
    if (m_closeRequest && !m_closeRequest()) {
        event->ignore();
        return;
    }
    event->accept();
    // A closed window is no longer loaded, even before it is destroyed.
    if (m_context.windows)
        m_context.windows->remove(this);
    Form_Unload();
}

} // namespace zp
