#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zp {

QString LocalFileSystem::listedName(const QString &pattern) const
{
    const QString path = QDir::fromNativeSeparators(pattern);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = cut < 0 ? QStringLiteral(".") : path.left(cut + 1);
    const QString name = path.mid(cut + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    // A name without wildcards that exists as written is its own listed name;
    // this avoids reading a large folder for the common case.
    const bool wildcards = name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
    if (!wildcards && QFileInfo::exists(folder + name))
        return name;
    QDir dir(folder);
    const QStringList entries =
            dir.entryList(QStringList{name},
                          QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                          QDir::Name);
    return entries.value(0);
}

bool LocalFileSystem::copyOver(const QString &source, const QString &target)
{
    if (!QFileInfo(source).isFile())
        return false;
    if (QFileInfo::exists(target) && !QFile::remove(target))
        return false;
    return QFile::copy(source, target);
}

} // namespace zp
