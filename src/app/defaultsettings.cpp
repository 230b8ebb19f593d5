#include "app/defaultsettings.h"

#include "platform/editsettings.h"
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

    namespace K = SettingKeys;
    struct Entry
    {
        QString section;
        QString key;
        QString value;
    };
    QList<Entry> entries = {
        { K::Edit, K::Backup, QStringLiteral("0") },
        { K::Edit, K::SaveBackup, QStringLiteral("0") },
        { K::Edit, K::EndBackup, QStringLiteral("0") },
        { K::Edit, K::Html, QStringLiteral("1") },
        { K::Edit, K::FontColor, QStringLiteral("000000") },
        { K::Edit, K::BackColor, QStringLiteral("FFFFFF") },
        { K::Edit, K::MainWindowWidth, QString::number(DefaultWindowWidthTwips / twipsPerPixelX) },
        { K::Edit, K::MainWindowHeight, QString::number(DefaultWindowHeightTwips / twipsPerPixelY) },
        { K::Edit, K::TagColor, QStringLiteral("FF0000") },
        { K::Edit, K::TagCheck, QStringLiteral("1") },
        { K::Edit, K::EndCheckColor, QStringLiteral("1") },
        { K::Edit, K::LineNum, QStringLiteral("1") },
        { K::Edit, K::LineNoColor, QStringLiteral("bbbbbb") },
    };
    for (int slot = 1; slot <= K::FileListSlots; ++slot)
        entries.append({ K::History, K::fileList(slot), QString() });
    // Written after the history keys, so they land at the end of [Edit].
    entries.append({ K::Edit, K::ClipboardHistory, QStringLiteral("5") });
    entries.append({ K::Edit, K::ClipboardSaveTiming, QStringLiteral("0") });
    entries.append({ K::Edit, K::ClipboardSaveType, QStringLiteral("0") });

    for (const Entry &entry : std::as_const(entries)) {
        if (!WritePrivateProfileString(entry.section, entry.key, entry.value, path))
            return false;
    }
    return true;
}

} // namespace zp
