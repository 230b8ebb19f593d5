#pragma once
// What kind of child window a widget of the frame is. Every test of "is this a
// document window, a preview window" goes through here, so the form names are
// compared in one place.

#include "platform/windowlist.h"

class QWidget;

namespace zp {

class EditWindow;

// Busy: a document window that is reading its file or running a replace-all,
// which takes no command on its text meanwhile.
enum class ChildKind { None, Document, Busy, Preview, Other };

// The kind of a child window by its form name; None for null.
ChildKind childKind(const QWidget *child);

// child as a document window, busy or not; null for any other window.
EditWindow *documentWindow(QWidget *child);

} // namespace zp
