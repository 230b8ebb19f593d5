#pragma once
// Child windows of the frame treat a change between minimised, maximised and
// normal as their resize; activation alone also changes a sub-window's state
// and must not count.

#include <QObject>

#include <functional>

class QMdiSubWindow;

namespace zp {

// Calls resized (in receiver's lifetime) whenever sub moves between the
// minimised, maximised and normal states.
void onSizeStateChanged(QMdiSubWindow *sub, QObject *receiver, std::function<void()> resized);

} // namespace zp
