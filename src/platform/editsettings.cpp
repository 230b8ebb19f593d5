#include "platform/editsettings.h"

#include "platform/settingsfile.h"

namespace zp {

namespace {

bool switchOn(const SettingsFile &settings, const QString &key, int fallback = 0)
{
    return settings.readInt(SettingKeys::Edit, key, fallback) == 1;
}

int clipSaveTiming(const SettingsFile &settings)
{
    return settings.readInt(SettingKeys::Edit, SettingKeys::ClipboardSaveTiming, 0);
}

} // namespace

QString SettingKeys::fileList(int slot)
{
    return QStringLiteral("FileList") + QString::number(slot);
}

bool backupOnOpen(const SettingsFile &settings)
{
    return switchOn(settings, SettingKeys::Backup);
}

bool backupOnSave(const SettingsFile &settings)
{
    return switchOn(settings, SettingKeys::SaveBackup);
}

bool backupOnClose(const SettingsFile &settings)
{
    return switchOn(settings, SettingKeys::EndBackup);
}

bool previewAfterSave(const SettingsFile &settings)
{
    return switchOn(settings, SettingKeys::Html);
}

bool lineNumbersOn(const SettingsFile &settings)
{
    return switchOn(settings, SettingKeys::LineNum, 1);
}

QColor textColor(const SettingsFile &settings)
{
    return settings.readColor(SettingKeys::Edit, SettingKeys::FontColor, SettingBuffers::Color,
                              QColor(0, 0, 0));
}

QColor backColor(const SettingsFile &settings)
{
    return settings.readColor(SettingKeys::Edit, SettingKeys::BackColor, SettingBuffers::Color,
                              QColor(255, 255, 255));
}

QColor lineNumberColor(const SettingsFile &settings)
{
    return settings.readColor(SettingKeys::Edit, SettingKeys::LineNoColor,
                              SettingBuffers::LineNumberColor, QColor(240, 148, 118));
}

bool clipMonitorAtStart(const SettingsFile &settings)
{
    return clipSaveTiming(settings) != 0;
}

bool saveClipHistoryAtEnd(const SettingsFile &settings)
{
    return clipSaveTiming(settings) == 2;
}

int clipHistorySaveType(const SettingsFile &settings)
{
    return settings.readInt(SettingKeys::Edit, SettingKeys::ClipboardSaveType, 1);
}

QString recentFileForMenu(const SettingsFile &settings, int slot)
{
    return settings.readString(SettingKeys::History, SettingKeys::fileList(slot),
                               SettingBuffers::HistoryMenu);
}

QString recentFileForRecord(const SettingsFile &settings, int slot)
{
    return settings.readString(SettingKeys::History, SettingKeys::fileList(slot),
                               SettingBuffers::HistoryRecord);
}

bool writeRecentFile(const SettingsFile &settings, int slot, const QString &path)
{
    return settings.write(SettingKeys::History, SettingKeys::fileList(slot), path);
}

int optionsDialogValue(const SettingsFile &settings, const QString &key)
{
    namespace K = SettingKeys;
    namespace F = OptionsDialogFallback;
    int fallback = F::Switch;
    if (key.compare(K::LineNum, Qt::CaseInsensitive) == 0)
        fallback = F::LineNum;
    else if (key.compare(K::ClipboardSaveTiming, Qt::CaseInsensitive) == 0)
        fallback = F::ClipboardSaveTiming;
    else if (key.compare(K::ClipboardSaveType, Qt::CaseInsensitive) == 0)
        fallback = F::ClipboardSaveType;
    else if (key.compare(K::ClipboardHistory, Qt::CaseInsensitive) == 0)
        fallback = F::ClipboardHistory;
    return settings.readInt(K::Edit, key, fallback);
}

QString optionsDialogColorText(const SettingsFile &settings, const QString &key)
{
    return settings.readString(SettingKeys::Edit, key, SettingBuffers::Color);
}

} // namespace zp
