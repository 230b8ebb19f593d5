#pragma once
// Where the program keeps its settings file, its backups and its clipboard
// history. A portable build keeps them beside its executable, in a folder the
// user gave it. An installed build (the package turns the build option
// ZELKOPAD_INSTALLED_LAYOUT on) never writes beside its executable, which sits
// in a system folder: it keeps them in the user's XDG folders. The build option
// decides, not whether the executable's folder can be written: root can write
// anywhere.

#include <QProcessEnvironment>
#include <QString>

namespace zp {

struct ProgramFolders
{
    enum class Layout { Portable, Installed };

    // Each ends with "/".
    QString settings;    // holds Zelkopad.ini
    QString data;        // holds Backup/ and Clipboard.txt
    QString firstDialog; // the folder the file dialogs show first

    // Portable: all three are executableFolder. Installed: $XDG_CONFIG_HOME/zelkopad/,
    // $XDG_DATA_HOME/zelkopad/ and the home folder, with ~/.config and
    // ~/.local/share when a variable is unset, empty or not an absolute path.
    static ProgramFolders of(Layout layout, const QString &executableFolder,
                             const QProcessEnvironment &environment);
    // The layout this build was configured for.
    static Layout buildLayout();
};

// folder in "/" form with a trailing "/".
QString folderWithSeparator(const QString &folder);

} // namespace zp
