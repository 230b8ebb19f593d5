#include "cliphistory/historyfile.h"

#include "cliphistory/cliphistory.h"
#include "platform/cp932codec.h"
#include "platform/filewriter.h"
#include "platform/readablefile.h"

#include <QFile>

namespace zp {

HistorySaveMode historySaveMode(int clipboardSaveType)
{
    return clipboardSaveType == 2 ? HistorySaveMode::Append : HistorySaveMode::Replace;
}

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool SaveClipHistory(const ClipHistory &history, const QString &path, HistorySaveMode mode,
                     QString *error)
{
    QByteArray bytes;
    QFile old;
    const FileOpening opening = mode == HistorySaveMode::Append ? openRegularFile(old, path)
                                                                : FileOpening{};
    if (mode == HistorySaveMode::Append && opening.result != FileOpening::Missing) {
        // An old file that cannot be read would be replaced by the new texts
        // alone; a pipe in its place would hold the program's end for ever.
        if (opening.result != FileOpening::Opened)
            return fail(error, opening.reason);
        bytes = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return fail(error, old.errorString());
    }
    for (int i = 1; i <= history.count(); ++i) {
        const QString text = history.text(i);
        if (text.isEmpty())
            continue;
        bytes += encodeCp932(text);
        bytes += "\r\n";
    }
    // Never written in place: a full disk or a cut-off write must not leave
    // half a file where the old one was.
    return writeWholeFile(path, bytes, error, InPlace::Never);
}

} // namespace zp
