#pragma once
// Writing a whole file without damaging the one on disk.

#include <QByteArray>
#include <QString>

namespace zp {

// Writes bytes as the whole content of path; a symbolic link stays a link and
// the file it leads to gets the bytes.
//
// A regular file (or a new one) is written to a temporary file in the same
// folder that replaces the original only once everything was written, keeping
// the original's permissions, and its owner and group where the process may
// set them. Two cases are written in place instead, because replacing the file
// would change what it is: a file with several hard links (the replacement
// would split them) and a device or pipe. Such a file is first given room for
// the new size where the file system allows it, so a full disk mostly fails
// before the old content is touched. An existing file in a folder that does
// not allow a temporary file is also written in place. On failure returns false
// and sets *error (when given) to the reason.
//
// With InPlace::Never the file is only ever replaced whole, so a failed write
// can never leave part of a file where the old one was (for files the program
// keeps for itself, where a split hard link matters less than a torn file).
enum class InPlace { WhereNeeded, Never };
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr,
                    InPlace inPlace = InPlace::WhereNeeded);

} // namespace zp
