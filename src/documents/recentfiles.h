#pragma once
// The recent-files list: ten slots, keys FileList1..FileList10 of section
// History in the settings file, filled from slot 1 (the oldest) upward.

#include "platform/editsettings.h"

#include <QString>
#include <QStringList>

namespace zp {

class SettingsFile;

constexpr int HistorySlots = SettingKeys::FileListSlots;

// Records path: into the first empty slot, unless a slot before it already
// holds exactly path; with all ten filled and none holding it, every entry
// moves down one slot, the oldest is dropped and path goes into slot 10.
// A path the settings file would give back different is not recorded at all:
// one with characters CP932 lacks, or longer than the menu reads back. Its
// entry would open another file, and each open would record it again.
void AddFileHistory(const SettingsFile &settings, const QString &path);

// The ten slots as the menu is built from them: index 0 is slot 1, "" for an
// empty slot.
QStringList historySlots(const SettingsFile &settings);

} // namespace zp
