#pragma once
// The options of section Edit that the options dialog shows, as plain data:
// read from the settings file with the dialog's own fallbacks, and turned
// back into the keys and values "OK" writes, in the order they are written.

#include <QList>
#include <QString>
#include <Qt>

#include <utility>

namespace zp {

class SettingsFile;

struct OptionValues
{
    // The three colour boxes, in the order of the dialog's txtColor array.
    enum ColorBox { TextColorBox = 0, BackColorBox = 1, LineNumberColorBox = 2 };

    bool backupOnClose = false;    // EndBackup
    bool backupOnSave = false;     // SaveBackup
    bool backupOnOpen = false;     // Backup
    bool previewAfterSave = false; // HTML
    // EndCheckColor and LineNum: a missing key shows as greyed (2) or
    // unticked (0); greyed is written as "0".
    Qt::CheckState keepColorsAtEnd = Qt::Unchecked;
    Qt::CheckState lineNumbers = Qt::Unchecked;
    // FontColor, BackColor, LineNoColor as text; an empty box writes nothing.
    QString colors[3];
    // ClipboardHistory as the box shows it; an empty box writes nothing.
    QString historySize;
    // ClipboardSaveTiming and ClipboardSaveType: whether the history is kept,
    // then when it is saved (manual or at the end) and how (anew or appended).
    bool keepHistory = false;
    bool saveManually = false;
    bool appendToFile = false;

    // Reads every key in the dialog's order; the values of missing keys are
    // the dialog's fallbacks, and a colour is seen up to nine characters.
    static OptionValues read(const SettingsFile &settings);

    // The keys and values "OK" writes, in the order it writes them.
    QList<std::pair<QString, QString>> entries() const;
};

} // namespace zp
