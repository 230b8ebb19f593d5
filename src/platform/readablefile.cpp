#include "platform/readablefile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zp {

namespace {

FileOpening refused(FileOpening::Result result, const QString &reason)
{
    FileOpening opening;
    opening.result = result;
    opening.reason = reason;
    return opening;
}

#ifdef Q_OS_UNIX

FileOpening refusedKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return refused(FileOpening::Folder, QStringLiteral("フォルダーです。"));
    const char *kind = S_ISFIFO(mode)                     ? "名前付きパイプ"
            : S_ISSOCK(mode)                              ? "ソケット"
            : S_ISCHR(mode) || S_ISBLK(mode)              ? "デバイス"
                                                          : "特殊なファイル";
    return refused(FileOpening::NotAFile,
                   QStringLiteral("通常のファイルではなく、%1です。").arg(QString::fromUtf8(kind)));
}

FileOpening failedWith(int error)
{
    // A dangling link, a missing folder on the way: the file is not there.
    if (error == ENOENT || error == ENOTDIR)
        return refused(FileOpening::Missing, QString::fromLocal8Bit(std::strerror(error)));
    return refused(FileOpening::Failed, QString::fromLocal8Bit(std::strerror(error)));
}

#endif

} // namespace

FileOpening openRegularFile(QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (path.isEmpty() || ::stat(name.constData(), &status) != 0)
        return failedWith(path.isEmpty() ? ENOENT : errno);
    if (!S_ISREG(status.st_mode))
        return refusedKind(status.st_mode);
    // Non-blocking only for the open itself: a pipe put in the file's place
    // would otherwise wait for a writer here.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failedWith(errno);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = errno;
        ::close(fd);
        return S_ISREG(status.st_mode) ? failedWith(error) : refusedKind(status.st_mode);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const int error = errno;
        ::close(fd);
        return failedWith(error);
    }
    FileOpening opening;
    opening.result = FileOpening::Opened;
    opening.size = status.st_size;
    return opening;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return refused(FileOpening::Missing, QString());
    if (info.isDir())
        return refused(FileOpening::Folder, QStringLiteral("フォルダーです。"));
    if (!info.isFile())
        return refused(FileOpening::NotAFile, QStringLiteral("通常のファイルではありません。"));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(FileOpening::Failed, file.errorString());
    FileOpening opening;
    opening.result = FileOpening::Opened;
    opening.size = file.size();
    return opening;
#endif
}

void ignoreFileSizeLimitSignal()
{
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace zp
