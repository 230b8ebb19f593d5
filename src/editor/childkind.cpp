#include "editor/childkind.h"

#include "editor/editwindow.h"

namespace zp {

ChildKind childKind(const QWidget *child)
{
    if (!child)
        return ChildKind::None;
    if (child->objectName() == DocumentFormName) {
        auto *document = qobject_cast<const EditWindow *>(child);
        return document && document->isBusy() ? ChildKind::Busy : ChildKind::Document;
    }
    if (child->objectName() == PreviewFormName)
        return ChildKind::Preview;
    return ChildKind::Other;
}

EditWindow *documentWindow(QWidget *child)
{
    if (!child || child->objectName() != DocumentFormName)
        return nullptr;
    return qobject_cast<EditWindow *>(child);
}

} // namespace zp
