#include "platform/programfolders.h"

#include <QDir>

namespace zp {

namespace {

// The XDG base-directory rule: a variable that is unset, empty or relative is
// ignored and the default below the home folder applies.
QString xdgFolder(const QProcessEnvironment &environment, const QString &variable,
                  const QString &home, const QString &fallback)
{
    const QString value = environment.value(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return folderWithSeparator(value);
    return folderWithSeparator(home) + fallback;
}

} // namespace

QString folderWithSeparator(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

ProgramFolders ProgramFolders::of(Layout layout, const QString &executableFolder,
                                  const QProcessEnvironment &environment)
{
    if (layout == Layout::Portable) {
        const QString folder = folderWithSeparator(executableFolder);
        return {folder, folder, folder};
    }
    QString home = environment.value(QStringLiteral("HOME"));
    if (home.isEmpty())
        home = QDir::homePath();
    const QString name = QStringLiteral("zelkopad/");
    const QString config = xdgFolder(environment, QStringLiteral("XDG_CONFIG_HOME"), home,
                                     QStringLiteral(".config/"));
    const QString data = xdgFolder(environment, QStringLiteral("XDG_DATA_HOME"), home,
                                   QStringLiteral(".local/share/"));
    return {config + name, data + name, folderWithSeparator(home)};
}

ProgramFolders::Layout ProgramFolders::buildLayout()
{
#if ZELKOPAD_INSTALLED_LAYOUT
    return Layout::Installed;
#else
    return Layout::Portable;
#endif
}

} // namespace zp
