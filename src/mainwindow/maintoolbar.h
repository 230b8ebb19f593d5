#pragma once
// The main window's toolbar: 14 buttons addressed by number from 1, each with
// a key (its caption) and a tool tip. Buttons 4 and 11 are separators; button
// 14 carries the clipboard history's drop-down menu.

#include <QString>
#include <QToolBar>

class QAction;
class QMenu;

namespace zp {

class MainToolbar : public QToolBar
{
    Q_OBJECT
public:
    static constexpr int ButtonCount = 14;
    // The buttons by number; 4 and 11 are separators.
    enum Button {
        NewButton = 1, OpenButton, SaveButton,
        CutButton = 5, CopyButton, PasteButton, RedoButton, UndoButton, BackColorButton,
        BrowserButton = 12, FindButton, ClipboardButton,
    };

    explicit MainToolbar(QWidget *parent = nullptr);

    // Button n, 1 to 14 (separators included); null outside that range.
    QAction *button(int n) const;
    // Button 14's drop-down menu of history entries.
    QMenu *clipboardMenu() const { return m_clipboardMenu; }

    // Buttons 3, 5 to 11 and 13: the document commands.
    void setDocumentButtonsEnabled(bool enabled);

Q_SIGNALS:
    // A click on button n (not on an entry of the drop-down menu).
    void buttonClicked(int n);

private:
    QList<QAction *> m_buttons; // index 0 is button 1
    QMenu *m_clipboardMenu = nullptr;
};

} // namespace zp
