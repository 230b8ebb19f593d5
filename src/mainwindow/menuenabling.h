#pragma once
// The rules that enable and disable menu items by the kind of the active child
// window, run each time a menu of the menu bar opens.

#include "editor/childkind.h"

#include <QString>

namespace zp {

struct MainMenus;

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
