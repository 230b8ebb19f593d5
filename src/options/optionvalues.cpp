#include "options/optionvalues.h"

#include "platform/editsettings.h"

namespace zp {

namespace {

// A box state as stored: 0 unticked, 1 ticked, 2 greyed. Any other number is
// taken as unticked, so one odd value does not stop the rest from being read.
Qt::CheckState boxState(int value)
{
    switch (value) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}

QString switchText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

OptionValues OptionValues::read(const SettingsFile &settings)
{
    namespace K = SettingKeys;
    auto value = [&](const QString &key) { return optionsDialogValue(settings, key); };
    OptionValues v;
    v.backupOnClose = value(K::EndBackup) == 1;
    v.backupOnSave = value(K::SaveBackup) == 1;
    v.backupOnOpen = value(K::Backup) == 1;
    v.previewAfterSave = value(K::Html) == 1;
    v.colors[TextColorBox] = optionsDialogColorText(settings, K::FontColor);
    v.colors[BackColorBox] = optionsDialogColorText(settings, K::BackColor);
    v.keepColorsAtEnd = boxState(value(K::EndCheckColor));
    v.lineNumbers = boxState(value(K::LineNum));
    v.colors[LineNumberColorBox] = optionsDialogColorText(settings, K::LineNoColor);
    v.historySize = QString::number(value(K::ClipboardHistory));

    // Both keys decide whether the history is kept; the type, read last, wins
    // (timing 0 with type 1 shows the history kept).
    // Any other value changes nothing.
    const int timing = value(K::ClipboardSaveTiming);
    if (timing >= 0 && timing <= 2) {
        v.keepHistory = timing != 0;
        if (timing != 0)
            v.saveManually = timing == 1;
    }
    const int type = value(K::ClipboardSaveType);
    if (type >= 0 && type <= 2) {
        v.keepHistory = type != 0;
        if (type != 0)
            v.appendToFile = type == 2;
    }
    return v;
}

QList<std::pair<QString, QString>> OptionValues::entries() const
{
    namespace K = SettingKeys;
    QList<std::pair<QString, QString>> list = {
        {K::EndBackup, switchText(backupOnClose)},
        {K::Backup, switchText(backupOnOpen)},
        {K::SaveBackup, switchText(backupOnSave)},
        {K::Html, switchText(previewAfterSave)},
    };
    const QString colorKeys[] = {K::FontColor, K::BackColor, K::LineNoColor};
    for (int i = 0; i < 3; ++i) {
        if (!colors[i].isEmpty())
            list.append({colorKeys[i], colors[i]});
    }
    list.append({K::EndCheckColor, switchText(keepColorsAtEnd == Qt::Checked)});
    list.append({K::LineNum, switchText(lineNumbers == Qt::Checked)});
    // The box holds digits only; "007" is stored as 7.
    if (!historySize.isEmpty())
        list.append({K::ClipboardHistory, QString::number(historySize.toInt())});
    if (keepHistory) {
        list.append({K::ClipboardSaveTiming, saveManually ? QStringLiteral("1") : QStringLiteral("2")});
        list.append({K::ClipboardSaveType, appendToFile ? QStringLiteral("2") : QStringLiteral("1")});
    } else {
        list.append({K::ClipboardSaveType, QStringLiteral("0")});
        list.append({K::ClipboardSaveTiming, QStringLiteral("0")});
    }
    return list;
}

} // namespace zp
