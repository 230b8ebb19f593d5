#include "documents/documents.h"

#include "editor/editorcolors.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/frame.h"
#include "platform/messageboxes.h"
#include "platform/windowlist.h"
#include "preview/previews.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <new>

namespace zp {

Documents::Documents(AppContext &context)
    : m_context(context)
{
}

EditWindow *Documents::NewDocument(int kind)
{
    try {
        auto *window = new EditWindow(m_context);
        if (m_context.windows)
            m_context.windows->add(window);
        window->Form_Load();
        if (kind != 1) {
            ++m_untitledCount;
            window->setWindowTitle(UntitledPrefix + QString::number(m_untitledCount));
        }
        if (m_context.frame) {
            const QIcon icon = m_context.frame->widget()->windowIcon();
            window->setWindowIcon(icon);
            if (QMdiSubWindow *sub = window->subWindow()) {
                // The new window is the active one even while the frame is
                // not the active top-level window.
                if (sub->mdiArea())
                    sub->mdiArea()->setActiveSubWindow(sub);
                sub->setWindowIcon(icon);
                if (window->subWindow()->isMaximized())
                    m_context.frame->setCaption(window->windowTitle());
            }
        }
        ApplyEditorSettings(m_context, *window);
        window->setCloseRequestHandler([this, window] { return QueryUnload(window); });
        // Files dropped on the text open once the drop itself has finished.
        QObject::connect(window->rtfEdit(), &TextView::filesDropped, window,
                         [this](const QStringList &paths) { OpenDroppedFiles(paths, true); },
                         Qt::QueuedConnection);
        return window;
    } catch (const std::bad_alloc &) {
        if (m_context.messageBoxes) {
            m_context.messageBoxes->show(m_context.frame ? m_context.frame->widget() : nullptr,
                                         QStringLiteral("メモリが不足しています。"), AppTitle,
                                         MessageBoxes::Buttons::Ok,
                                         MessageBoxes::Icon::Critical,
                                         MessageBoxes::Answer::Ok);
        }
        return nullptr;
    }
}

int Documents::FindPreviewForm() const
{
    return firstPreview(m_context.windows) ? 1 : 0;
}

} // namespace zp
