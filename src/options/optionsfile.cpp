#include "options/optionsfile.h"

#include "platform/editsettings.h"
#include "platform/filewriter.h"
#include "platform/profile.h"
#include "platform/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace zp {

namespace {

bool fail(QString *message, const QString &path, const QString &reason)
{
    *message = QStringLiteral("設定を %1 に保存できませんでした。\n%2")
                       .arg(QDir::toNativeSeparators(path), reason);
    return false;
}

// The file's bytes; a missing file has none. With mode ReadWrite the file
// must also be writable as it is: a read-only settings file is not replaced.
bool readAll(const QString &path, QIODevice::OpenMode mode, QByteArray *bytes, QString *reason)
{
    QFile file(path);
    if (!file.exists())
        return true;
    if (QFileInfo(path).isDir()) {
        *reason = QStringLiteral("同じ名前のフォルダーがあります。");
        return false;
    }
    if (!file.open(mode)) {
        *reason = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

} // namespace

bool writeEditKeys(const SettingsFile &settings, const QList<std::pair<QString, QString>> &entries,
                   QString *message)
{
    const QString path = settings.path();
    QString reason;
    QByteArray bytes;
    if (!readAll(path, QIODevice::ReadWrite, &bytes, &reason))
        return fail(message, path, reason);

    QTemporaryDir work;
    if (!work.isValid())
        return fail(message, path, work.errorString());
    const QString copy = work.filePath(QFileInfo(path).fileName());
    {
        QFile out(copy);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return fail(message, path, out.errorString());
    }
    for (const auto &[key, value] : entries) {
        if (!profileKeepsValue(value))
            return fail(message, path,
                        QStringLiteral("%1 の値「%2」は設定ファイルに書けない文字を含みます。")
                                .arg(key, value));
        if (!WritePrivateProfileString(SettingKeys::Edit, key, value, copy))
            return fail(message, path, QStringLiteral("作業用のファイルに書き込めません。"));
    }

    QByteArray written;
    if (!readAll(copy, QIODevice::ReadOnly, &written, &reason))
        return fail(message, path, reason);
    if (!writeWholeFile(path, written, &reason, InPlace::Never))
        return fail(message, path, reason);
    return true;
}

} // namespace zp
