#include "platform/settingsfile.h"

#include "platform/colortext.h"
#include "platform/profile.h"

namespace zp {

SettingsFile::SettingsFile(const QString &appFolder)
    : m_path(appFolder + QLatin1String(FileName))
{
}

QString SettingsFile::readString(const QString &section, const QString &key,
                                 int bufferSize) const
{
    QString value;
    GetPrivateProfileString(section, key, QString(), value, bufferSize, m_path);
    return value;
}

int SettingsFile::readInt(const QString &section, const QString &key, int fallback) const
{
    return GetPrivateProfileInt(section, key, fallback, m_path);
}

QColor SettingsFile::readColor(const QString &section, const QString &key, int bufferSize,
                               const QColor &fallback) const
{
    return colorFromText(readString(section, key, bufferSize), fallback);
}

bool SettingsFile::write(const QString &section, const QString &key,
                         const QString &value) const
{
    return WritePrivateProfileString(section, key, value, m_path);
}

} // namespace zp
