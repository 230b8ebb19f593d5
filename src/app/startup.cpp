#include "app/startup.h"

#include "app/commandline.h"
#include "app/defaultsettings.h"
#include "mainwindow/mainwindow.h"
#include "platform/messageboxes.h"
#include "platform/readablefile.h"
#include "platform/twips.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace zp {

Application::Application(const ProgramFolders &folders, MessageBoxes &messageBoxes,
                         Clipboard &clipboard)
{
    m_context.appFolder = folders.data;
    m_context.settings = SettingsFile(folders.settings);
    m_context.firstDialogFolder = folders.firstDialog;
    m_context.windows = &m_windows;
    m_context.messageBoxes = &messageBoxes;
    m_context.clipboard = &clipboard;
    m_context.colorChooser = &m_colorChooser;
    m_context.fileDialogs = &m_fileDialogs;
    m_context.fileSystem = &m_fileSystem;
    m_context.browsers = &m_browsers;
    m_context.printer = &m_printer;
    m_context.printJobs = &m_printJobs;
}

Application::Application(const QString &appFolder, MessageBoxes &messageBoxes,
                         Clipboard &clipboard)
    : Application(ProgramFolders::of(ProgramFolders::Layout::Portable, appFolder, {}),
                  messageBoxes, clipboard)
{
}

Application::~Application()
{
    // The main window's children reach the context while they go.
    m_mainWindow.reset();
}

bool Application::ensureFiles()
{
    const QString backup = m_context.backupFolder();
    // Something else already named like the backup folder (a file) does not
    // stop the program: each backup then fails and says so in the status bar.
    if (!QFileInfo::exists(QDir::cleanPath(backup)) && !QDir().mkpath(backup)) {
        // Without its folders the program cannot keep what it promises (backups,
        // settings), so it says so instead of vanishing.
        m_context.messageBoxes->show(
            nullptr,
            QStringLiteral("フォルダー %1 を作成できません。\nZelkopad を終了します。")
                .arg(QDir::toNativeSeparators(backup)),
            AppTitle, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical,
            MessageBoxes::Answer::Ok);
        return false;
    }
    const QString settings = m_context.settings.path();
    // An installed copy's settings folder is its own, and new on a first start.
    const QString settingsFolder = QFileInfo(settings).path();
    if (!QFileInfo::exists(settings)
        && !(QDir().mkpath(settingsFolder)
             && WriteDefaultSettings(settings, twipsPerPixelX(), twipsPerPixelY()))) {
        m_context.messageBoxes->show(
            nullptr,
            QStringLiteral("フォルダー %1 に設定ファイル %2 を書き込めません。\nZelkopad を終了します。")
                .arg(QDir::toNativeSeparators(folderWithSeparator(settingsFolder)),
                     QLatin1String(SettingsFile::FileName)),
            AppTitle, MessageBoxes::Buttons::Ok, MessageBoxes::Icon::Critical,
            MessageBoxes::Answer::Ok);
        return false;
    }
    return true;
}

bool Application::Main(const QString &commandLine)
{
    return Main(SplitCommandLine(commandLine));
}

bool Application::Main(const QStringList &commandLineItems)
{
    // A save over the file-size limit fails and is reported like any failed
    // write, instead of the signal ending the program with the text unsaved.
    ignoreFileSizeLimitSignal();
    if (!ensureFiles())
        return false;

    m_mainWindow = std::make_unique<MainWindow>(m_context);
    m_mainWindow->MDIForm_Load();
    m_mainWindow->show();

    m_items = commandLineItems;
    // An empty command line opens one untitled document; a line of blanks
    // only gives empty items and opens nothing.
    if (m_items.isEmpty()) {
        m_mainWindow->documents().NewDocument(0);
        return true;
    }
    // The files open once the event loop runs: a large file lets events run
    // while it is read, and if the frame is closed meanwhile, the loop's end
    // must be there to see it, or the program would live on without a window.
    QTimer::singleShot(0, m_mainWindow.get(), [this] {
        m_mainWindow->documents().OpenCommandLine(m_items);
    });
    return true;
}

} // namespace zp
