#include "platform/filewriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zp {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// Overwrites the file itself: its inode, links, owner and mode stay. A regular
// file that fails part-way gets its old content back, as far as the failure
// allows.
bool writeInPlace(const QString &path, const QByteArray &bytes, bool regular, QString *error)
{
    QFile target(path);
    // ReadWrite does not truncate on open: the old content stays readable for
    // the way back.
    const QIODevice::OpenMode mode = regular ? QIODevice::ReadWrite : QIODevice::WriteOnly;
#ifdef Q_OS_UNIX
    if (!regular) {
        // A pipe nobody reads would hold the program in open() for ever; not
        // blocking there, it fails at once.
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENXIO)
                return fail(error, QStringLiteral("書き込んだ内容を受け取るプログラムがありません"
                                                  "（名前付きパイプかソケットです）。"));
            return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
        }
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1
            || !target.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
            const int reason = errno;
            ::close(fd);
            return fail(error, QString::fromLocal8Bit(std::strerror(reason)));
        }
    }
#endif
    if (!target.isOpen() && !target.open(mode | QIODevice::Unbuffered))
        return fail(error, target.errorString());
    if (!regular) {
        if (target.write(bytes) != bytes.size())
            return fail(error, target.errorString());
        return true;
    }
    const QByteArray old = target.readAll();
    if (target.error() != QFileDevice::NoError)
        return fail(error, target.errorString());
#ifdef Q_OS_LINUX
    // Reserving the room first makes a full disk fail before anything changes.
    if (bytes.size() > old.size()
        && ::fallocate(target.handle(), FALLOC_FL_KEEP_SIZE, 0, bytes.size()) != 0
        && errno != EOPNOTSUPP && errno != ENOSYS)
        return fail(error, QString::fromLocal8Bit(std::strerror(errno)));
#endif
    if (target.seek(0) && target.write(bytes) == bytes.size() && target.resize(bytes.size()))
        return true;
    const QString reason = target.errorString();
    target.unsetError();
    if (target.seek(0))
        target.write(old);
    target.resize(old.size());
    return fail(error, reason);
}

} // namespace

bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error,
                    InPlace inPlace)
{
    const bool mayWriteInPlace = inPlace == InPlace::WhereNeeded;
    const QFileInfo info(path);
    if (mayWriteInPlace && info.exists() && !info.isFile() && !info.isDir()) {
        // A temporary file renamed over a device or a pipe would replace the
        // device node with a plain file.
        return writeInPlace(path, bytes, false, error);
    }
#ifdef Q_OS_UNIX
    // stat follows a symbolic link to the file that will get the bytes.
    struct stat existing {};
    const bool exists = ::stat(QFile::encodeName(path).constData(), &existing) == 0
            && S_ISREG(existing.st_mode);
    if (mayWriteInPlace && exists && existing.st_nlink > 1)
        return writeInPlace(path, bytes, true, error);
#endif

    QSaveFile file(path);
    file.setDirectWriteFallback(mayWriteInPlace);
    // Unbuffered, so a short write (a full disk, the file-size limit) shows in
    // write()'s count: through the buffer Qt can report a flush that wrote only
    // part of it as success, and commit a cut-off file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        // A short write sets no error of its own in Qt ("unknown error").
        const QString reason = written < 0 ? file.errorString()
                : QStringLiteral("%1 バイトのうち %2 バイトしか書き込めませんでした"
                                 "（ディスクの空きかファイルサイズの上限）。")
                          .arg(bytes.size())
                          .arg(written);
        file.cancelWriting();
        return fail(error, reason);
    }
#ifdef Q_OS_UNIX
    // The replacement is created as the process's user; give it the old
    // file's owner and group, or at least the group, where that is allowed.
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())
        && ::fchown(file.handle(), existing.st_uid, existing.st_gid) != 0) {
        [[maybe_unused]] const int ignored = ::fchown(file.handle(), uid_t(-1), existing.st_gid);
    }
#endif
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

} // namespace zp
