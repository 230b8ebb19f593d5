#include "documents/recentfiles.h"

#include "platform/settingsfile.h"

namespace zp {

namespace {

const QString Section = QStringLiteral("History");

QString slotKey(int slot)
{
    return QStringLiteral("FileList") + QString::number(slot);
}

} // namespace

void AddFileHistory(const SettingsFile &settings, const QString &path)
{
    for (int slot = 1; slot <= HistorySlots; ++slot) {
        const QString value = settings.readString(Section, slotKey(slot), 256);
        if (value.isEmpty()) {
            settings.write(Section, slotKey(slot), path);
            return;
        }
        if (value == path)
            return;
        if (slot == HistorySlots) {
            for (int to = 1; to < HistorySlots; ++to)
                settings.write(Section, slotKey(to),
                               settings.readString(Section, slotKey(to + 1), 256));
            settings.write(Section, slotKey(HistorySlots), path);
        }
    }
}

QStringList historySlots(const SettingsFile &settings)
{
    QStringList slots;
    for (int slot = 1; slot <= HistorySlots; ++slot)
        slots.append(settings.readString(Section, slotKey(slot), 255));
    return slots;
}

} // namespace zp
