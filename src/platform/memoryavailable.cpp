#include "platform/memoryavailable.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QStringList>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace zp {

namespace {

#ifdef Q_OS_LINUX

// Small files of /proc and /sys report no size; read them to their end.
QByteArray readSmallFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(64 * 1024);
}

// The number after "name:" in a /proc status-like file, times unit; -1 when absent.
qint64 field(const QByteArray &text, const QByteArray &name, qint64 unit)
{
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith(QByteArray(name + ':')))
            return line.mid(name.size() + 1).trimmed().split(' ').value(0).toLongLong() * unit;
    }
    return -1;
}

qint64 number(const QString &path)
{
    bool ok = false;
    const qint64 value = readSmallFile(path).trimmed().toLongLong(&ok);
    return ok ? value : -1;
}

// limit - usage of the process's memory control group (version 2, then 1);
// the group's own folder where it is visible, else the mount's root (inside a
// container that is the container's group).
qint64 controlGroupRoom()
{
    QByteArray v2Path;
    QByteArray v1Path;
    for (const QByteArray &line : readSmallFile(QStringLiteral("/proc/self/cgroup")).split('\n')) {
        const QList<QByteArray> parts = line.split(':');
        if (parts.size() < 3)
            continue;
        if (parts[0] == "0" && parts[1].isEmpty())
            v2Path = parts[2];
        else if (parts[1].split(',').contains("memory"))
            v1Path = parts[2];
    }
    const struct { QString base; QByteArray group; const char *limit; const char *usage; } kinds[] = {
        {QStringLiteral("/sys/fs/cgroup"), v2Path, "memory.max", "memory.current"},
        {QStringLiteral("/sys/fs/cgroup/memory"), v1Path, "memory.limit_in_bytes",
         "memory.usage_in_bytes"},
    };
    for (const auto &kind : kinds) {
        for (const QString &folder : QStringList{kind.base + QString::fromUtf8(kind.group), kind.base}) {
            const qint64 limit = number(folder + u'/' + QLatin1String(kind.limit));
            const qint64 usage = number(folder + u'/' + QLatin1String(kind.usage));
            // "max" and the near-2^63 values mean no limit.
            if (limit > 0 && usage >= 0 && limit < (qint64(1) << 60))
                return std::max<qint64>(0, limit - usage);
            if (usage >= 0)
                break;
        }
    }
    return -1;
}

qint64 limitRoom(int resource, qint64 used)
{
    struct rlimit limit {};
    if (used < 0 || ::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    return std::max<qint64>(0, qint64(limit.rlim_cur) - used);
}

#endif

} // namespace

qint64 availableMemory()
{
    qint64 room = -1;
#ifdef Q_OS_LINUX
    const QByteArray status = readSmallFile(QStringLiteral("/proc/self/status"));
    const qint64 candidates[] = {
        field(readSmallFile(QStringLiteral("/proc/meminfo")), "MemAvailable", 1024),
        controlGroupRoom(),
        limitRoom(RLIMIT_DATA, field(status, "VmData", 1024)),
        limitRoom(RLIMIT_AS, field(status, "VmSize", 1024)),
    };
    for (const qint64 candidate : candidates) {
        if (candidate >= 0)
            room = room < 0 ? candidate : std::min(room, candidate);
    }
#endif
    return room;
}

} // namespace zp
