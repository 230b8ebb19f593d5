#include "platform/filesystem.h"

#include "platform/readablefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

namespace {

// True when both paths name one existing file: "//", "..", symbolic links to
// the file or to a folder on the way all lead to the same device and inode.
bool sameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
            && ::stat(QFile::encodeName(b).constData(), &second) == 0
            && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#else
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty()
            && canonical.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

} // namespace

bool LocalFileSystem::copyOver(const QString &source, const QString &target)
{
    // Replacing a file by a copy of itself would, at best, rewrite it, and an
    // earlier way of copying (remove the target, then copy) deleted it.
    if (sameFile(source, target))
        return true;
    // Only a regular file: a pipe or a device would be read without end.
    QFile in;
    if (openRegularFile(in, source).result != FileOpening::Opened)
        return false;
    QSaveFile out(target);
    // Unbuffered: a short write must show (see writeWholeFile).
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    out.setPermissions(in.permissions());
    QByteArray block;
    while (!in.atEnd()) {
        block = in.read(1 << 20);
        if (block.isEmpty() || out.write(block) != block.size()) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

} // namespace zp
