#pragma once
// Every key of the settings file in one place: its section and name, what a
// reader takes when the key is missing, and the buffer a text value is read
// through. Nothing is cached: each reader goes to the file, so a change the
// options dialog writes applies at the next read.

#include <QColor>
#include <QString>

namespace zp {

class SettingsFile;

namespace SettingKeys {

inline const QString Edit = QStringLiteral("Edit");
inline const QString History = QStringLiteral("History");

// Section Edit.
inline const QString Backup = QStringLiteral("Backup");
inline const QString SaveBackup = QStringLiteral("SaveBackup");
inline const QString EndBackup = QStringLiteral("EndBackup");
inline const QString Html = QStringLiteral("HTML");
inline const QString FontColor = QStringLiteral("FontColor");
inline const QString BackColor = QStringLiteral("BackColor");
inline const QString MainWindowWidth = QStringLiteral("MainWindowWidth");
inline const QString MainWindowHeight = QStringLiteral("MainWindowHeight");
inline const QString TagColor = QStringLiteral("TagColor");
inline const QString TagCheck = QStringLiteral("TagCheck");
inline const QString EndCheckColor = QStringLiteral("EndCheckColor");
inline const QString LineNum = QStringLiteral("LineNum");
inline const QString LineNoColor = QStringLiteral("LineNoColor");
inline const QString ClipboardHistory = QStringLiteral("ClipboardHistory");
inline const QString ClipboardSaveTiming = QStringLiteral("ClipboardSaveTiming");
inline const QString ClipboardSaveType = QStringLiteral("ClipboardSaveType");

// Section History: "FileList1" (the oldest) to "FileList10".
constexpr int FileListSlots = 10;
QString fileList(int slot);

} // namespace SettingKeys

// Buffers (in characters, the closing NUL counted) that text values are read
// through; a value is seen up to one character less.
namespace SettingBuffers {
constexpr int Color = 10;            // FontColor, BackColor, the dialog's colours
constexpr int LineNumberColor = 256; // LineNoColor in a new document window
constexpr int HistoryMenu = 255;     // FileListN as the menu is built at start-up
constexpr int HistoryRecord = 256;   // FileListN while a file is recorded
} // namespace SettingBuffers

// --- What the program reads; [the value of a missing key] -------------------

// Switches are on only at exactly 1.
bool backupOnOpen(const SettingsFile &settings);     // Backup [off]
bool backupOnSave(const SettingsFile &settings);     // SaveBackup [off]
bool backupOnClose(const SettingsFile &settings);    // EndBackup [off]
bool previewAfterSave(const SettingsFile &settings); // HTML [off; the default file says on]
bool lineNumbersOn(const SettingsFile &settings);    // LineNum [on]

QColor textColor(const SettingsFile &settings);       // FontColor [black]
QColor backColor(const SettingsFile &settings);       // BackColor [white]
QColor lineNumberColor(const SettingsFile &settings); // LineNoColor [240, 148, 118]

// ClipboardSaveTiming [0]: any value but 0 starts the clipboard monitor with
// the main window; exactly 2 saves the history at the end of the program.
bool clipMonitorAtStart(const SettingsFile &settings);
bool saveClipHistoryAtEnd(const SettingsFile &settings);
// ClipboardSaveType [1]: 2 appends to the history file.
int clipHistorySaveType(const SettingsFile &settings);

// FileListN of section History ("" for an empty or missing slot), through the
// buffer of the menu built at start-up or of the recording.
QString recentFileForMenu(const SettingsFile &settings, int slot);
QString recentFileForRecord(const SettingsFile &settings, int slot);
bool writeRecentFile(const SettingsFile &settings, int slot, const QString &path);

// --- The options dialog's own reading ---------------------------------------

// The options dialog reads the keys it shows with fallbacks of its own, unlike
// the readers above: 2 (neither box state) for the switches, 0 for LineNum
// (where the document window takes a missing key as on) and the two clipboard
// choices, 5 for the history size.
namespace OptionsDialogFallback {
constexpr int Switch = 2; // Backup, SaveBackup, EndBackup, HTML, EndCheckColor
constexpr int LineNum = 0;
constexpr int ClipboardSaveTiming = 0;
constexpr int ClipboardSaveType = 0;
constexpr int ClipboardHistory = 5;
} // namespace OptionsDialogFallback

// A number or switch as the options dialog shows it; key is one of the keys
// above that the dialog shows.
int optionsDialogValue(const SettingsFile &settings, const QString &key);
// A colour's text as the options dialog shows it ("" when unset).
QString optionsDialogColorText(const SettingsFile &settings, const QString &key);

} // namespace zp
