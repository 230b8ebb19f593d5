#include "documents/filepaths.h"

#include "platform/filesystem.h"

#include <QDir>

namespace zp {

QString fileNameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool isHtmlPath(const QString &path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString extension = name.mid(dot + 1).toUpper();
    return extension == QLatin1String("HTML") || extension == QLatin1String("HTM");
}

bool isImageName(const QString &path)
{
    const QString tail = path.right(4).toLower();
    static const QLatin1String images[] = {QLatin1String(".jpg"), QLatin1String(".bmp"),
                                           QLatin1String("jpeg"), QLatin1String(".png"),
                                           QLatin1String(".gif")};
    for (const QLatin1String &image : images) {
        if (tail == image)
            return true;
    }
    return false;
}

QString rebuildPath(const QString &item, const FileSystem &fileSystem)
{
    // "." and ".." are no names the listing holds, and "//" would give an
    // empty one: each would leave only its "/" behind (a/../b.txt became
    // "a//"). They are resolved first, so the path names the file as the
    // open dialog would name it.
    const QStringList components = QDir::cleanPath(item).split(QLatin1Char('/'));
    QString path = components.first();
    for (qsizetype i = 1; i < components.size(); ++i) {
        const QString listed = fileSystem.listedName(path + QLatin1Char('/') + components.at(i));
        path += QLatin1Char('/') + listed;
    }
    return path;
}

} // namespace zp
