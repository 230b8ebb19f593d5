// The ways a file comes into a new document window: the open dialog, the
// command line, dropped files and the recent-files menu.

#include "documents/documents.h"

#include "documents/filepaths.h"
#include "documents/recentfiles.h"
#include "editor/childkind.h"
#include "editor/editwindow.h"
#include "editor/textview.h"
#include "platform/appcontext.h"
#include "platform/editsettings.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/frame.h"
#include "platform/windowlist.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>

namespace zp {

namespace {

// Lets pending events run (the new window gets painted); false when window
// was closed meanwhile, which ends the opening of further files.
bool runPendingEvents(EditWindow *window)
{
    QPointer<EditWindow> guard(window);
    QCoreApplication::processEvents();
    return !guard.isNull();
}

} // namespace

bool Documents::isOpen(const QString &path) const
{
    if (!m_context.windows)
        return false;
    for (int i = 0; i < m_context.windows->count(); ++i) {
        if (documentWindow(m_context.windows->at(i)) && m_context.windows->caption(i) == path)
            return true;
    }
    return false;
}

bool Documents::openInNewWindow(const QString &path, TitleTiming timing)
{
    // Opened before the window is made, so a path that is refused leaves
    // nothing behind; the files after it still open.
    QFile file;
    FileOpening opening;
    if (!openForDocument(path, file, opening))
        return true;
    EditWindow *window = NewDocument(1);
    if (!window)
        return false;
    if (timing == TitleBeforeLoading)
        setTitle(window, path);
    switch (LoadDocumentFile(window, path, file, opening)) {
    case Loaded::WindowClosed:
        return false;
    case Loaded::Refused:
        return true;
    case Loaded::Yes:
        break;
    }
    AddFileHistory(m_context.settings, path);
    window->rtfEdit()->setModified(false);
    if (backupOnOpen(m_context.settings))
        BackupCopy(path);
    window->rtfEdit()->setFocus();
    // The command line names the window once the file is in it, and only the
    // window (the frame's caption is left alone).
    if (timing == TitleAfterLoading)
        window->setWindowTitle(path);
    return runPendingEvents(window);
}

void Documents::OpenWithDialog()
{
    if (!m_context.fileDialogs)
        return;
    int count = 0;
    const QString result = ShowOpenDialog(*m_context.fileDialogs, dialogOwner(),
                                          m_context.firstDialogFolder, m_dialogs, count,
                                          m_context.messageBoxes);
    if (result.isEmpty() || isOpen(result))
        return;
    for (const QString &name : openedNames(result, count)) {
        if (!openInNewWindow(m_dialogs.LastDialogFolder + name, TitleBeforeLoading))
            return;
    }
}

void Documents::OpenCommandLine(const QStringList &items)
{
    LocalFileSystem local;
    const FileSystem &fileSystem = m_context.fileSystem ? *m_context.fileSystem : local;
    for (const QString &item : items) {
        if (item.isEmpty())
            continue;
        if (!openInNewWindow(rebuildPath(item, fileSystem), TitleAfterLoading))
            return;
    }
}

void Documents::OpenDroppedFiles(const QStringList &paths, bool skipImages)
{
    for (const QString &path : paths) {
        if (skipImages && isImageName(path))
            continue;
        if (!openInNewWindow(path, TitleBeforeLoading))
            return;
    }
}

void Documents::OpenHistoryEntry(const QString &path)
{
    const QString name = fileNameOf(path);
    auto failed = [&] {
        if (m_context.frame)
            m_context.frame->setStatusText(name + QStringLiteral("のオープン処理に失敗しました"));
    };
    QFile file;
    FileOpening opening;
    if (!openForDocument(path, file, opening))
        return failed();
    EditWindow *window = NewDocument(1);
    if (!window)
        return failed();
    setTitle(window, path);
    if (m_context.frame)
        m_context.frame->setStatusText(name + QStringLiteral("を開いています・・・"));
    switch (LoadDocumentFile(window, path, file, opening)) {
    case Loaded::WindowClosed:
        return;
    case Loaded::Refused:
        return failed();
    case Loaded::Yes:
        break;
    }
    window->rtfEdit()->setModified(false);
    if (m_context.frame)
        m_context.frame->setStatusText(name + QStringLiteral("を開きました"));
    if (backupOnOpen(m_context.settings))
        BackupCopy(path);
}

} // namespace zp
