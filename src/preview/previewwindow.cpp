#include "preview/previewwindow.h"

#include "platform/appcontext.h"
#include "platform/childsizestate.h"
#include "platform/browserview.h"
#include "platform/frame.h"
#include "platform/messageboxes.h"
#include "platform/windowlist.h"
#include "preview/printjobs.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace zp {

PreviewWindow::PreviewWindow(AppContext &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(PreviewFormName);
}

void PreviewWindow::Form_Load()
{
    if (m_context.browsers)
        m_brwHp = m_context.browsers->create(this);
    if (!m_brwHp && m_context.messageBoxes) {
        // Without its engine the window could only stay blank; say why.
        m_context.messageBoxes->show(m_context.frame ? m_context.frame->widget() : nullptr,
                                     QStringLiteral("ブラウザ部品を読み込めませんでした。"),
                                     AppTitle, MessageBoxes::Buttons::Ok,
                                     MessageBoxes::Icon::Warning, MessageBoxes::Answer::Ok);
    }
    if (m_context.windows)
        m_context.windows->add(this);
    if (m_context.frame) {
        m_subWindow = m_context.frame->addChild(this);
        m_subWindow->setWindowIcon(m_context.frame->widget()->windowIcon());
        connect(m_subWindow, &QMdiSubWindow::aboutToActivate, this, &PreviewWindow::Form_Activate);
        onSizeStateChanged(m_subWindow, this, [this] { Form_Resize(); });
        m_subWindow->show();
        // The new window is the active child even while the frame is not the
        // active top-level window.
        if (m_subWindow->mdiArea())
            m_subWindow->mdiArea()->setActiveSubWindow(m_subWindow);
    }
    show();
    Form_Resize();
}

void PreviewWindow::setTitle(const QString &path)
{
    setWindowTitle(path);
    if (m_context.frame && m_subWindow && m_subWindow->isMaximized())
        m_context.frame->setCaption(path);
}

void PreviewWindow::Form_Activate()
{
    if (m_context.frame)
        m_context.frame->setDocumentButtonsEnabled(false);
}

void PreviewWindow::Form_Resize()
{
    if (m_brwHp)
        m_brwHp->widget()->setGeometry(0, 0, width(), height());
    if (!m_context.frame)
        return;
    m_context.frame->setCaption(m_subWindow && m_subWindow->isMaximized() ? windowTitle()
                                                                          : QString());
}

void PreviewWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_context.windows)
        m_context.windows->remove(this);
    // A page still being printed would be lost with its control: the control
    // outlives the window until the engine is done.
    if (m_brwHp && m_context.printJobs && m_context.printJobs->keepWhilePrinting(m_brwHp->widget()))
        m_brwHp = nullptr;
    // The frame's caption named this window while it was maximised.
    if (m_context.frame && m_subWindow && m_subWindow->isMaximized())
        m_context.frame->setCaption(QString());
}

} // namespace zp
