#pragma once
// The services every window of the program is handed at construction: the
// application folder and settings file, the window list, the frame, and the
// seams over the platform (message boxes, clipboard). Tests fill it with doubles.

#include "platform/settingsfile.h"

#include <QString>

namespace zp {

class BrowserViews;
class Clipboard;
class ColorChooser;
class FileDialogs;
class FileSystem;
class Frame;
class MessageBoxes;
class PrintJobs;
class Printer;
class WindowList;

struct AppContext
{
    // The folder of the program's backups and clipboard history, ending with a
    // separator: the executable's folder when portable, the user's data folder
    // when installed (see ProgramFolders).
    QString appFolder;
    // The settings file, in appFolder when portable, in the user's configuration
    // folder when installed.
    SettingsFile settings;
    WindowList *windows = nullptr;
    MessageBoxes *messageBoxes = nullptr;
    Clipboard *clipboard = nullptr;
    ColorChooser *colorChooser = nullptr;
    FileDialogs *fileDialogs = nullptr;
    FileSystem *fileSystem = nullptr;
    // The preview's browser controls and the printer; both load their
    // libraries only when first used.
    BrowserViews *browsers = nullptr;
    Printer *printer = nullptr;
    // The preview's pages the engine is still printing; the program's end
    // waits for them.
    PrintJobs *printJobs = nullptr;
    // The folder the file dialogs show first: appFolder when portable, the home
    // folder when installed.
    QString firstDialogFolder;
    // Set once the main window exists.
    Frame *frame = nullptr;

    // Shared by every document window: true while the gutter is hidden, which
    // each window's layout follows. Set by each window's load from the
    // "LineNum" setting and by the options dialog.
    bool lineNumbersHidden = false;

    QString backupFolder() const { return appFolder + QStringLiteral("Backup/"); }
    QString clipHistoryFile() const { return appFolder + QStringLiteral("Clipboard.txt"); }
};

} // namespace zp
