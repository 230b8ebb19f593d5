#include "mainwindow/filedroptarget.h"

#include "platform/droppedfiles.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace zp {

FileDropTarget::FileDropTarget(QObject *parent)
    : QObject(parent)
{
}

void FileDropTarget::watch(QWidget *target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedLocalFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList files = droppedLocalFiles(drop->mimeData());
        if (files.isEmpty())
            return false;
        drop->acceptProposedAction();
        Q_EMIT filesDropped(files);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace zp
