#pragma once
// The open and save dialog procedures: the starting folder and filter, and how
// a dialog's selection text becomes the folder, the count and the paths the
// commands use.

#include <QString>
#include <QStringList>

class QWidget;

namespace zp {

class FileDialogs;
class MessageBoxes;

// A selection longer than this (the room the dialog is given) counts as
// cancelled.
constexpr int DialogResultRoom = 255;

// What the dialogs remember between calls; both start empty/0.
struct DialogMemory
{
    // The folder both dialogs start in ("" at start: the application folder).
    QString LastDialogFolder;
    // The open dialog's filter, counted from 1 (0: the first).
    int LastOpenFilterIndex = 0;
};

// Reads the open dialog's selection: returns the selection up to its first
// pair of NULs, sets folder (with a trailing "/") and count (0 for one file,
// else the number of names). A selection over the room, or an empty one,
// gives "" and changes nothing.
QString takeOpenSelection(const QString &selection, QString &folder, int &count);

// Reads the save dialog's selection: the path up to its first NUL; folder
// becomes the path up to its last "/", that "/" excluded. "" over the room.
QString takeSaveSelection(const QString &selection, QString &folder);

// The file names of an open-dialog result: the name of the one path when
// count is 0, else the NUL-separated entries after the folder.
QStringList openedNames(const QString &result, int count);

// Shows the open dialog ("" when cancelled) in the folder memory holds, in
// firstFolder the first time, and updates memory; count as in
// takeOpenSelection. A selection over the room is refused with a box in
// messages (when given), so that it is not mistaken for a cancel.
QString ShowOpenDialog(FileDialogs &dialogs, QWidget *owner, const QString &firstFolder,
                       DialogMemory &memory, int &count, MessageBoxes *messages = nullptr);
// Shows the save dialog ("" when cancelled) and updates memory; a path over
// the room is refused as the open dialog's selection is.
QString ShowSaveDialog(FileDialogs &dialogs, QWidget *owner, const QString &firstFolder,
                       DialogMemory &memory, MessageBoxes *messages = nullptr);

// The filters of each dialog, in order.
QStringList openDialogFilters();
QStringList saveDialogFilters();

} // namespace zp
