#pragma once
// Writing the options dialog's keys into the settings file all at once.

#include <QList>
#include <QString>

#include <utility>

namespace zp {

class SettingsFile;

// Writes each key and value into section Edit with the profile functions, in
// order, so every other line of the file stays as it was. The keys go into a
// copy of the file that then replaces it whole: either every key is written or
// the file is left as it was. On failure returns false and sets *message to a
// sentence for the user naming the file and the reason.
bool writeEditKeys(const SettingsFile &settings, const QList<std::pair<QString, QString>> &entries,
                   QString *message);

} // namespace zp
