#pragma once
// Start-up: the application folder, the backup folder and the settings file,
// the main window, and the command line.

#include "platform/appcontext.h"
#include "platform/colorchooser.h"
#include "platform/filedialogs.h"
#include "platform/filesystem.h"
#include "platform/programfolders.h"
#include "platform/windowlist.h"
#include "preview/enginebrowsers.h"
#include "preview/printjobs.h"
#include "printing/systemprinter.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace zp {

class Clipboard;
class MainWindow;
class MessageBoxes;

class Application
{
public:
    // folders says where the settings file, the backups and the clipboard
    // history live.
    Application(const ProgramFolders &folders, MessageBoxes &messageBoxes, Clipboard &clipboard);
    // A portable program in appFolder.
    Application(const QString &appFolder, MessageBoxes &messageBoxes, Clipboard &clipboard);
    ~Application();

    // Runs the start-up sequence with the command-line items (see
    // CommandLineItems). Returns false when the program must end at once: the
    // backup folder or the settings file could not be created (a message box
    // says which folder). The files named on the command line open from the
    // event loop, after this returns.
    bool Main(const QStringList &commandLineItems);
    // The same with the command-line text, split at blanks (SplitCommandLine).
    bool Main(const QString &commandLine);

    AppContext &context() { return m_context; }
    MainWindow *mainWindow() const { return m_mainWindow.get(); }
    // The items the command line was split into.
    const QStringList &commandLineItems() const { return m_items; }

    // The program's folder with a trailing separator.
    static QString AppFolderOf(const QString &folder) { return folderWithSeparator(folder); }

private:
    bool ensureFiles();

    WindowList m_windows;
    // The real dialogs and file system; tests put doubles into the context.
    QtFileDialogs m_fileDialogs;
    QtColorChooser m_colorChooser;
    LocalFileSystem m_fileSystem;
    EngineBrowsers m_browsers;
    SystemPrinter m_printer;
    PrintJobs m_printJobs;
    AppContext m_context;
    std::unique_ptr<MainWindow> m_mainWindow;
    QStringList m_items;
};

} // namespace zp
