#pragma once
// The file-system operations whose behaviour differs by platform: the name
// under which a folder lists an entry, and copying a file over another.

#include <QString>

namespace zp {

class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // The name under which the folder of pattern lists the first entry that
    // matches the last component of pattern (wildcards * and ?, letters
    // compared without case, files and folders alike, hidden entries
    // included, first in name order); "" when nothing matches.
    virtual QString listedName(const QString &pattern) const = 0;

    // Copies source to target, replacing target. The copy is made under a
    // temporary name in target's folder and renamed over target only when it
    // is complete, so a failed copy leaves an earlier target as it was. When
    // source and target are one file, however the paths are spelt, nothing is
    // done and the result is true. Returns false on failure.
    virtual bool copyOver(const QString &source, const QString &target) = 0;
};

// The real file system.
class LocalFileSystem : public FileSystem
{
public:
    QString listedName(const QString &pattern) const override;
    bool copyOver(const QString &source, const QString &target) override;
};

} // namespace zp
