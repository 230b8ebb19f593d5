#include "cliphistory/historyfile.h"

#include "cliphistory/cliphistory.h"
#include "platform/cp932codec.h"
#include "platform/filewriter.h"

#include <QFile>
#include <QFileInfo>

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
    if (mode == HistorySaveMode::Append && QFileInfo::exists(path)) {
        QFile old(path);
        // An old file that cannot be read would be replaced by the new texts
        // alone.
        if (!old.open(QIODevice::ReadOnly))
            return fail(error, old.errorString());
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
