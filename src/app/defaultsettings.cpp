#include "app/defaultsettings.h"

#include "platform/profile.h"

#include <QFile>
#include <QList>

#include <utility>

namespace zp {

namespace {

// The main window's default size in twips (1440 to the inch).
constexpr int DefaultWindowWidthTwips = 8025;
constexpr int DefaultWindowHeightTwips = 6525;
constexpr int FallbackTwipsPerPixel = 15;
constexpr int FileHistoryCount = 10;

} // namespace

bool WriteDefaultSettings(const QString &path, int twipsPerPixelX, int twipsPerPixelY)
{
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
    }
    if (twipsPerPixelX <= 0)
        twipsPerPixelX = FallbackTwipsPerPixel;
    if (twipsPerPixelY <= 0)
        twipsPerPixelY = FallbackTwipsPerPixel;

    const QString edit = QStringLiteral("Edit");
    const QString history = QStringLiteral("History");
    struct Entry
    {
        QString section;
        QString key;
        QString value;
    };
    QList<Entry> entries = {
        { edit, QStringLiteral("Backup"), QStringLiteral("0") },
        { edit, QStringLiteral("SaveBackup"), QStringLiteral("0") },
        { edit, QStringLiteral("EndBackup"), QStringLiteral("0") },
        { edit, QStringLiteral("HTML"), QStringLiteral("1") },
        { edit, QStringLiteral("FontColor"), QStringLiteral("000000") },
        { edit, QStringLiteral("BackColor"), QStringLiteral("FFFFFF") },
        { edit, QStringLiteral("MainWindowWidth"),
          QString::number(DefaultWindowWidthTwips / twipsPerPixelX) },
        { edit, QStringLiteral("MainWindowHeight"),
          QString::number(DefaultWindowHeightTwips / twipsPerPixelY) },
        { edit, QStringLiteral("TagColor"), QStringLiteral("FF0000") },
        { edit, QStringLiteral("TagCheck"), QStringLiteral("1") },
        { edit, QStringLiteral("EndCheckColor"), QStringLiteral("1") },
        { edit, QStringLiteral("LineNum"), QStringLiteral("1") },
        { edit, QStringLiteral("LineNoColor"), QStringLiteral("bbbbbb") },
    };
    for (int i = 1; i <= FileHistoryCount; ++i)
        entries.append({ history, QStringLiteral("FileList") + QString::number(i), QString() });
    // Written after the history keys, so they land at the end of [Edit].
    entries.append({ edit, QStringLiteral("ClipboardHistory"), QStringLiteral("5") });
    entries.append({ edit, QStringLiteral("ClipboardSaveTiming"), QStringLiteral("0") });
    entries.append({ edit, QStringLiteral("ClipboardSaveType"), QStringLiteral("0") });

    for (const Entry &entry : std::as_const(entries)) {
        if (!WritePrivateProfileString(entry.section, entry.key, entry.value, path))
            return false;
    }
    return true;
}

} // namespace zp
