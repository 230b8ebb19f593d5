#pragma once
// What the document and preview windows need of the main window (the frame):
// hosting child windows, the active child, the caption, status panel 3, the
// toolbar's editing buttons and the right-click menu of the text.

#include <QString>

class QMdiSubWindow;
class QPoint;
class QWidget;

namespace zp {

class Frame
{
public:
    virtual ~Frame() = default;

    // The frame's top-level widget: owner of dialogs and message boxes.
    virtual QWidget *widget() = 0;

    // Adds child as a child window of the frame and returns its sub-window.
    virtual QMdiSubWindow *addChild(QWidget *child) = 0;
    // The active child's own widget (named "frmEdit" or "frmBrow"), or null
    // when no child window is open.
    virtual QWidget *activeChild() const = 0;

    virtual QString caption() const = 0;
    virtual void setCaption(const QString &caption) = 0;

    // Status-bar panel 3, the one message line of file operations.
    virtual QString statusText() const = 0;
    virtual void setStatusText(const QString &text) = 0;

    // Enables or disables toolbar buttons 3, 5 to 11 and 13 (the document
    // commands); a document window enables them, a preview window disables them.
    virtual void setDocumentButtonsEnabled(bool enabled) = 0;

    // The text's right-click menu: the enabled state of its Cut, Copy and
    // Delete items (by the selection) and of Paste (by the clipboard), and
    // showing it at a global position.
    virtual void setPopupEditItems(bool hasSelection, bool canPaste) = 0;
    virtual void showPopupMenu(const QPoint &globalPos) = 0;
};

} // namespace zp
