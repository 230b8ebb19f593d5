#include "platform/childsizestate.h"

#include <QMdiSubWindow>

namespace zp {

void onSizeStateChanged(QMdiSubWindow *sub, QObject *receiver, std::function<void()> resized)
{
    QObject::connect(sub, &QMdiSubWindow::windowStateChanged, receiver,
                     [resized = std::move(resized)](Qt::WindowStates oldState,
                                                    Qt::WindowStates newState) {
                         const Qt::WindowStates sizeStates = Qt::WindowMinimized | Qt::WindowMaximized;
                         if ((oldState & sizeStates) != (newState & sizeStates))
                             resized();
                     });
}

} // namespace zp
