#pragma once
// The rules that enable and disable menu items by the kind of the active child
// window, run each time a menu of the menu bar opens.

#include <QString>

class QWidget;

namespace zp {

struct MainMenus;

// Busy: a document window that is reading its file or running a replace-all,
// which takes no command on its text meanwhile.
enum class ChildKind { None, Document, Busy, Preview, Other };

// The kind of a child window by its form name ("frmEdit", "frmBrow").
ChildKind childKind(const QWidget *activeChild);

// Each rule returns true when opening the menu clears status panel 3 (it does
// unless no child window is open).
bool applyFileMenuRules(MainMenus &menus, ChildKind kind);
// hasSelection and clipboardText matter only with a document active.
bool applyEditMenuRules(MainMenus &menus, ChildKind kind, bool hasSelection,
                        const QString &clipboardText);
bool applyFindMenuRules(MainMenus &menus, ChildKind kind);
// The four arrangement commands are enabled exactly when a child is open.
void applyWindowMenuRules(MainMenus &menus, bool anyChildOpen);

} // namespace zp
