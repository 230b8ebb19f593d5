#include "documents/recentfiles.h"

#include "platform/editsettings.h"
#include "platform/profile.h"

namespace zp {

void AddFileHistory(const SettingsFile &settings, const QString &path)
{
    // Checked before anything moves: a refused write into slot 10 would
    // otherwise leave the list shifted with the oldest entry lost.
    if (path.size() >= SettingBuffers::HistoryMenu || !profileKeepsValue(path))
        return;
    for (int slot = 1; slot <= HistorySlots; ++slot) {
        const QString value = recentFileForRecord(settings, slot);
        if (value.isEmpty()) {
            writeRecentFile(settings, slot, path);
            return;
        }
        if (value == path)
            return;
        if (slot == HistorySlots) {
            for (int to = 1; to < HistorySlots; ++to)
                writeRecentFile(settings, to, recentFileForRecord(settings, to + 1));
            writeRecentFile(settings, HistorySlots, path);
        }
    }
}

QStringList historySlots(const SettingsFile &settings)
{
    QStringList slots;
    for (int slot = 1; slot <= HistorySlots; ++slot)
        slots.append(recentFileForMenu(settings, slot));
    return slots;
}

} // namespace zp
