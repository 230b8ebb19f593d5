#pragma once
// Private-profile (INI) files: the settings store of the program.
//
// The file is CP932 text with CR LF line ends (any of CR LF, CR and LF is read).
// Section and key names match without regard to case; values are taken with
// surrounding blanks trimmed. Lines that are neither a section header nor a
// "key=value" line are skipped by readers and kept untouched by writers.
// No function here reports a failure to the user: a missing or unreadable file
// gives the reader its fallback, and a failed write leaves the file as it was.

#include <QString>

namespace zp {

// Copies the value of [section] key into buffer, at most size - 1 characters,
// and returns the number of characters copied. A missing file, section or key
// yields fallback (cut the same way). size <= 0 copies nothing and returns 0.
int GetPrivateProfileString(const QString &section, const QString &key,
                            const QString &fallback, QString &buffer, int size,
                            const QString &file);

// The value's leading decimal digits as a number (saturating at INT_MAX);
// 0 when the value does not begin with a digit; fallback for a missing file,
// section or key.
int GetPrivateProfileInt(const QString &section, const QString &key, int fallback,
                         const QString &file);

// Sets [section] key=value: replaces an existing value in place, or adds the key
// at the end of its section, or the section at the end of the file, creating the
// file when needed. All other lines stay as they were. The file is replaced
// atomically, so a failed write leaves it untouched. A value that would read
// back different (see profileKeepsValue) is refused. Returns false on failure.
bool WritePrivateProfileString(const QString &section, const QString &key,
                               const QString &value, const QString &file);

// True when value, once written, reads back unchanged: CP932 holds every
// character of it (a character it lacks would be stored as "?"), and it has
// no line break and no blank at either end (readers trim blanks).
bool profileKeepsValue(const QString &value);

} // namespace zp
