#pragma once
// Opening a file whose bytes the program reads whole: a document, the settings
// file, the source of a backup copy. Only a regular file is read: a device, a
// named pipe or a socket would be an endless stream or block the program
// waiting for a writer.

#include <QString>

class QFile;

namespace zp {

struct FileOpening
{
    enum Result {
        Opened,
        Missing,  // no such file (or a path through a missing folder)
        Folder,
        NotAFile, // a device, a named pipe or a socket
        Failed,   // exists, but cannot be opened (permissions, ...)
    };
    Result result = Failed;
    QString reason; // why it was not opened, for the user; "" when Opened
    qint64 size = 0; // the size when it was opened
};

// Opens path read-only into file when it is a regular file. The kind is checked
// by name before opening (opening some devices has effects of its own) and
// again on the opened handle (the name may have been replaced in between). The
// open never waits for a writer. On any result but Opened, file stays closed.
FileOpening openRegularFile(QFile &file, const QString &path);

// Ignores the signal a write over the process's file-size limit raises, so such
// a write fails (and is reported) instead of ending the program.
void ignoreFileSizeLimitSignal();

} // namespace zp
