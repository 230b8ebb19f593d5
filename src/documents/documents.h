#pragma once
// The program's documents are its document windows. This class creates them
// and names the untitled ones ("無題1", "無題2", ... numbers never reused), and
// holds the document operations: opening files into new windows, saving,
// the close question, backups and the dialogs' memory.

#include "documents/dialogresults.h"
#include "editor/editwindow.h"
#include "platform/readablefile.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

class QFile;
class QIODevice;
class QWidget;

namespace zp {

struct AppContext;

class Documents
{
public:
    static inline const QString UntitledPrefix = QStringLiteral("無題");
    // Files are read in blocks of this many bytes, with pending events run
    // before each block.
    static constexpr qint64 ReadBlock = 1000000;

    explicit Documents(AppContext &context);

    // kind 1: a window for a file, whose caption the caller sets; any other
    // kind: an untitled document. The new window is the active one. Returns
    // null when the window could not be created.
    EditWindow *NewDocument(int kind);

    int UntitledCount() const { return m_untitledCount; }

    // 1 when a preview window ("frmBrow") is loaded, else 0.
    int FindPreviewForm() const;

    // A caption that marks an untitled document.
    static bool isUntitled(const QString &caption) { return caption.startsWith(UntitledPrefix); }

    DialogMemory &dialogMemory() { return m_dialogs; }

    // --- Opening (documentfiles.cpp, openfiles.cpp) ---

    enum class Loaded {
        Yes,          // the file's text, or an empty window for a missing file
        Refused,      // not a file the program reads; the window was closed
        WindowClosed, // the user closed the window meanwhile
    };
    // Opens path for reading as a document into file. A device, a pipe, a
    // socket and a file too large for memory are refused with a message naming
    // the path and why (false): then no window is made for it.
    bool openForDocument(const QString &path, QFile &file, FileOpening &opening);
    // Reads what openForDocument opened into window's text, decoding CP932 as
    // one stream. A missing file, or a folder, leaves the text as it was. A
    // file that exists but cannot be read whole is reported in a message box,
    // keeps what could be read, and a later save over it asks first. A file
    // found too large for memory while it is read is refused and the window
    // closes. The window is busy (loading) while events run between blocks.
    Loaded LoadDocumentFile(EditWindow *window, const QString &path, QFile &file,
                            const FileOpening &opening);
    // The same from a device already open for reading, standing for the file
    // at path. Reads no more than the size the device had when this started
    // (a file growing meanwhile counts as not read whole), or to its end when
    // it reports no size.
    Loaded LoadDocumentFrom(EditWindow *window, const QString &path, QIODevice &file);
    // The open command: the open dialog, the refusal of a path that is
    // already open, then each chosen file in a new window.
    void OpenWithDialog();
    // Opens the command-line items in order (empty items skipped).
    void OpenCommandLine(const QStringList &items);
    // Opens dropped files in order; skipImages for a drop on the text.
    void OpenDroppedFiles(const QStringList &paths, bool skipImages);
    // Opens a recent-files entry, with its status texts.
    void OpenHistoryEntry(const QString &path);
    // True when a document window carries exactly path as its title.
    bool isOpen(const QString &path) const;

    // --- Saving (documentfiles.cpp) ---

    // Save and Save As on one window; each returns true when the file was
    // written.
    bool SaveDocument(EditWindow *window);
    bool SaveDocumentAs(EditWindow *window);

    // --- Closing (closing.cpp) ---

    // The close question of a document window; false keeps it open. A window
    // still reading its file closes without a question: the read stops and
    // the file is left as it is.
    bool QueryUnload(EditWindow *window);

    // Copies path to the backup folder under its file name, replacing an
    // earlier copy. A failure never stops what the copy was part of; it is
    // told in the status bar. Returns whether the copy was made.
    bool BackupCopy(const QString &path);

private:
    enum TitleTiming { TitleBeforeLoading, TitleAfterLoading };
    // Tells the user path is not opened, and why.
    void refuseFile(const QString &path, const QString &reason);
    // The steps every way of opening a file shares: a new window, the file
    // read into it, the history entry, the unmodified flag, the backup copy and
    // the focus; then pending events run. False when the caller must stop.
    bool openInNewWindow(const QString &path, TitleTiming timing);
    // Sets window's title; a maximized window also gives the frame its caption.
    void setTitle(EditWindow *window, const QString &path);
    // Writes the window's text to path, asking about characters CP932 cannot
    // hold and reporting a failed write. True when the file was written.
    bool writeDocument(EditWindow *window, const QString &path);
    // After a save: the status text, the optional backup, the preview and the
    // focus. backupEndsSave: a failed backup skips the preview and focus.
    void afterSave(EditWindow *window, const QString &path, bool backupEndsSave);
    // With the setting "HTML" on, shows a saved HTML file in the first preview
    // window (opening one when none is).
    void RefreshPreview(const QString &path);
    // Reports that path could not be read whole (partly: some of it was) and
    // remembers it for window, so that saving over it asks first.
    void fileNotReadWhole(EditWindow *window, const QString &path, const QString &reason,
                          bool partly);
    // True unless path is a file window could not read whole and the user
    // declines to replace it.
    bool mayReplaceUnreadFile(EditWindow *window, const QString &path);
    QWidget *dialogOwner() const;

    AppContext &m_context;
    int m_untitledCount = 0;
    DialogMemory m_dialogs;
    struct UnreadFile
    {
        QPointer<EditWindow> window;
        QString path;
    };
    QList<UnreadFile> m_unreadFiles;
};

} // namespace zp
