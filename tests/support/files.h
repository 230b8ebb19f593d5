#pragma once
// Whole-file reads and writes for the tests' own files.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zptest {

// The file's bytes; "<unreadable>" when it cannot be opened.
inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Writes bytes to path, making its folders first.
inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace zptest
