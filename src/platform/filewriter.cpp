#include "platform/filewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zp {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        // A temporary file renamed over a device or a pipe would replace the
        // device node with a plain file; such targets are written directly.
        QFile target(path);
        if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return fail(error, target.errorString());
        if (target.write(bytes) != bytes.size())
            return fail(error, target.errorString());
        target.close();
        return true;
    }

    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace zp
