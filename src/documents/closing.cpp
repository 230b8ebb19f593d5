// The question a modified document window asks before it closes.

#include "documents/documents.h"

#include "editor/editwindow.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/editsettings.h"
#include "platform/messageboxes.h"

namespace zp {

bool Documents::QueryUnload(EditWindow *window)
{
    if (!window || window->busy() == EditWindow::Busy::Loading
        || !window->isModified())
        return true;
    const QString title = window->windowTitle();
    const auto answer = m_context.messageBoxes->show(
            dialogOwner(), title + QStringLiteral("は変更されています。保存しますか？"),
            QStringLiteral("保存"), MessageBoxes::Buttons::YesNoCancel,
            MessageBoxes::Icon::Question, MessageBoxes::Answer::Yes);
    switch (answer) {
    case MessageBoxes::Answer::Yes: {
        const bool saved = isUntitled(title) ? SaveDocumentAs(window) : SaveDocument(window);
        // Closing after a save that did not happen would throw the text away
        // although the user asked to keep it.
        if (!saved)
            return false;
        if (backupOnClose(m_context.settings))
            BackupCopy(window->windowTitle());
        return true;
    }
    case MessageBoxes::Answer::No:
        // The copy is of the file as last saved; an untitled document has none.
        if (backupOnClose(m_context.settings) && !isUntitled(title))
            BackupCopy(title);
        return true;
    default:
        return false;
    }
}

} // namespace zp
