#pragma once
// Writing a whole file without damaging the one on disk.

#include <QByteArray>
#include <QString>

namespace zp {

// Writes bytes as the whole content of path. A regular file (or a new one) is
// written to a temporary file in the same folder that replaces the original
// only once everything was written, keeping the original's permissions; where
// the folder does not allow a temporary file, an existing file is written in
// place. A device or pipe is written in place. On failure returns false and
// sets *error (when given) to the reason.
bool writeWholeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace zp
