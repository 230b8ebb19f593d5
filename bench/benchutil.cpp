#include "benchutil.h"

#include <QFile>
#include <QStringList>

namespace zpbench {

double peakRssMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

double currentRssMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

QString htmlLikeText(qsizetype characters, const QString &lineBreak)
{
    static const QStringList words = {
        QStringLiteral("<P>"), QStringLiteral("<a href=\"index.html\">"), QStringLiteral("</a>"),
        QStringLiteral("日本語"), QStringLiteral("テキスト"), QStringLiteral("ﾃｽﾄ"),
        QStringLiteral("<TD align=left>"), QStringLiteral("表示"), QStringLiteral("能力"),
        QStringLiteral("ソフト"), QStringLiteral("hello"), QStringLiteral("world"),
        QStringLiteral("<br>"), QStringLiteral("<span class=\"note\">"), QStringLiteral("</span>"),
        QStringLiteral("ひらがな"), QStringLiteral("1234"), QStringLiteral("</TD>"),
    };
    QString text;
    text.reserve(characters + 100);
    quint32 state = 12345;
    qsizetype lineLength = 0;
    while (text.size() < characters) {
        state = state * 1103515245u + 12345u;
        const QString &word = words.at(int((state >> 16) % quint32(words.size())));
        text += word;
        text += QLatin1Char(' ');
        lineLength += word.size() + 1;
        if (lineLength >= 80) {
            text += lineBreak;
            lineLength = 0;
        }
    }
    return text;
}

} // namespace zpbench
