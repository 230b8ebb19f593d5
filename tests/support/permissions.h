#pragma once
// Tests of unreadable files and read-only folders must see the permission
// checks even when they run as root: FileModesEnforced drops, for the calling
// thread, the capabilities that let root ignore file modes, and gives them back
// when it goes. FolderMode sets a folder's mode for its own life.

#include <QFile>
#include <QString>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zp::testing {

class FileModesEnforced
{
public:
    FileModesEnforced()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH)
                                  | (1u << CAP_FOWNER));
        m_dropped = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~FileModesEnforced()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    FileModesEnforced(const FileModesEnforced &) = delete;
    FileModesEnforced &operator=(const FileModesEnforced &) = delete;

    // True when a folder without write permission really refuses new files.
    static bool folderModesApply(const QString &readOnlyFolder)
    {
        QFile probe(readOnlyFolder + QStringLiteral("/.probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.remove();
        return false;
    }

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_dropped = false;
};

class FolderMode
{
public:
    FolderMode(const QString &folder, QFileDevice::Permissions mode) : m_folder(folder)
    {
        QFile::setPermissions(folder, mode);
    }
    ~FolderMode()
    {
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                | QFileDevice::ExeOwner);
    }

private:
    QString m_folder;
};

} // namespace zp::testing
