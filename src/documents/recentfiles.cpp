#include "documents/recentfiles.h"

#include "platform/profile.h"
#include "platform/settingsfile.h"

namespace zp {

namespace {

const QString Section = QStringLiteral("History");
// The menu reads a slot through a 255-character buffer, recording through a
// 256-character one.
constexpr int MenuBuffer = 255;
constexpr int RecordBuffer = 256;

QString slotKey(int slot)
{
    return QStringLiteral("FileList") + QString::number(slot);
}

} // namespace

void AddFileHistory(const SettingsFile &settings, const QString &path)
{
    // Checked before anything moves: a refused write into slot 10 would
    // otherwise leave the list shifted with the oldest entry lost.
    if (path.size() >= MenuBuffer || !profileKeepsValue(path))
        return;
    for (int slot = 1; slot <= HistorySlots; ++slot) {
        const QString value = settings.readString(Section, slotKey(slot), RecordBuffer);
        if (value.isEmpty()) {
            settings.write(Section, slotKey(slot), path);
            return;
        }
        if (value == path)
            return;
        if (slot == HistorySlots) {
            for (int to = 1; to < HistorySlots; ++to)
                settings.write(Section, slotKey(to),
                               settings.readString(Section, slotKey(to + 1), RecordBuffer));
            settings.write(Section, slotKey(HistorySlots), path);
        }
    }
}

QStringList historySlots(const SettingsFile &settings)
{
    QStringList slots;
    for (int slot = 1; slot <= HistorySlots; ++slot)
        slots.append(settings.readString(Section, slotKey(slot), MenuBuffer));
    return slots;
}

} // namespace zp
