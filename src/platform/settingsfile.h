#pragma once
// The settings file "Zelkopad.ini" beside the program. Nothing is cached: every
// read goes to the file, so a change made by the options dialog applies at the
// next read.

#include <QColor>
#include <QString>

namespace zp {

class SettingsFile
{
public:
    static constexpr const char *FileName = "Zelkopad.ini";

    SettingsFile() = default;
    // appFolder ends with a separator.
    explicit SettingsFile(const QString &appFolder);

    const QString &path() const { return m_path; }

    // GetPrivateProfileString with fallback "" and a buffer of bufferSize
    // characters: at most bufferSize - 1 characters of the value.
    QString readString(const QString &section, const QString &key, int bufferSize) const;
    int readInt(const QString &section, const QString &key, int fallback) const;
    // A colour value read through a buffer of bufferSize characters; an empty
    // value gives fallback.
    QColor readColor(const QString &section, const QString &key, int bufferSize,
                     const QColor &fallback) const;
    bool write(const QString &section, const QString &key, const QString &value) const;

private:
    QString m_path;
};

} // namespace zp
