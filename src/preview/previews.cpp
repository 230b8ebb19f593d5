#include "preview/previews.h"

#include "platform/appcontext.h"
#include "platform/browserview.h"
#include "platform/frame.h"
#include "platform/windowlist.h"
#include "preview/previewwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace zp {

PreviewWindow *firstPreview(const WindowList *windows)
{
    return windows ? qobject_cast<PreviewWindow *>(windows->first(PreviewFormName))
                   : nullptr;
}

PreviewWindow *NewPreview(AppContext &context)
{
    auto *preview = new PreviewWindow(context);
    preview->Form_Load();
    return preview;
}

bool isHtmlCaption(const QString &caption)
{
    return caption.right(4).toUpper() == QLatin1String(".HTM")
           || caption.right(5).toUpper() == QLatin1String(".HTML");
}

namespace {

void navigate(PreviewWindow *preview, const QString &path)
{
    if (BrowserView *view = preview->brwHp())
        view->navigate(path);
}

} // namespace

void ShowPreview(AppContext &context)
{
    QString path;
    QWidget *active = context.frame ? context.frame->activeChild() : nullptr;
    if (active && isHtmlCaption(active->windowTitle())) {
        path = active->windowTitle();
        if (PreviewWindow *preview = firstPreview(context.windows)) {
            navigate(preview, path);
            preview->setTitle(path);
            return;
        }
    }
    PreviewWindow *preview = NewPreview(context);
    // The control shows at once, not when its page has loaded.
    BrowserView *view = preview->brwHp();
    if (view)
        view->widget()->hide();
    navigate(preview, path);
    preview->setTitle(path);
    if (view)
        view->widget()->show();
}

void RefreshPreview(AppContext &context, const QString &path)
{
    // The saving document stays the active window, in front.
    QMdiSubWindow *saving = nullptr;
    if (QWidget *active = context.frame ? context.frame->activeChild() : nullptr)
        saving = qobject_cast<QMdiSubWindow *>(active->parentWidget());
    if (!firstPreview(context.windows))
        NewPreview(context)->setTitle(path);
    PreviewWindow *preview = firstPreview(context.windows);
    QMdiSubWindow *sub = preview ? preview->subWindow() : nullptr;
    if (!sub)
        return;
    sub->raise();
    navigate(preview, path);
    sub->lower();
    if (saving && saving != sub && saving->mdiArea())
        saving->mdiArea()->setActiveSubWindow(saving);
}

} // namespace zp
