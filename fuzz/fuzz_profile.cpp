// The settings file: whatever a file holds, reading it does not fault, and a
// write of one key changes only that key's line (or adds the key, or its
// section and the key): every other line keeps its bytes. The key then reads
// back as written.
//
// The input is the section name, the key name and the value, each ended by a
// NUL byte, then the file's bytes (all CP932).

#include "fuzzsupport.h"

#include "platform/cp932codec.h"
#include "platform/profile.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString g_file;

// The lines of bytes as a reader of the file sees them: split at CR LF, CR
// and LF, without a last empty line after a final break.
QByteArrayList splitLines(const QByteArray &bytes)
{
    QByteArrayList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines.append(bytes.mid(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.mid(start));
    return lines;
}

QByteArray takeField(zpfuzz::Input &input)
{
    QByteArray field;
    while (!input.atEnd()) {
        const char c = char(input.byte());
        if (c == '\0')
            break;
        field += c;
    }
    return field;
}

QString trimmedBlanks(QString text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

bool readsBack(const QString &line)
{
    return zp::decodeCp932(zp::encodeCp932(line)) == line;
}

// Names the file can hold. The program's names are fixed ASCII words; names
// are written as given, so one with a line break, a "]" in a section name, a
// "=" in a key name, a key that reads as a section header, or a stray lead
// byte that takes the "]" after it for its trail byte, would make another line.
bool fileCanHold(const QString &section, const QString &key)
{
    const QString s = trimmedBlanks(section);
    const QString k = trimmedBlanks(key);
    return !s.isEmpty() && !k.isEmpty() && zp::profileKeepsValue(s) && zp::profileKeepsValue(k)
           && !s.contains(u']') && !k.contains(u'=') && !k.startsWith(u'[')
           && readsBack(u'[' + s + u']') && readsBack(k + u'=');
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static QTemporaryDir dir;
    if (!dir.isValid())
        std::abort();
    g_file = dir.filePath(QStringLiteral("Zelkopad.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zpfuzz::Input input(data, size);
    const QString section = zp::decodeCp932(takeField(input));
    const QString key = zp::decodeCp932(takeField(input));
    const QString value = zp::decodeCp932(takeField(input));
    const QByteArray before(input.restData(), qsizetype(input.remaining()));
    {
        QFile file(g_file);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(before) == before.size());
    }

    QString buffer;
    zp::GetPrivateProfileString(section, key, QStringLiteral("-"), buffer, 256, g_file);
    FUZZ_CHECK(buffer.size() <= 255);
    zp::GetPrivateProfileInt(section, key, 7, g_file);

    const bool written = zp::WritePrivateProfileString(section, key, value, g_file);
    QFile file(g_file);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    if (!written) {
        FUZZ_CHECK(after == before); // a refused write leaves the file alone
        FUZZ_CHECK(!fileCanHold(section, key) || !zp::profileKeepsValue(value));
        return 0;
    }
    if (!fileCanHold(section, key))
        return 0; // written, but the names make lines of their own
    FUZZ_CHECK(zp::GetPrivateProfileString(section, key, QString(), buffer, 1 << 20, g_file)
               == value.size());
    FUZZ_CHECK(buffer == value);

    // The new file is the old one's lines, each followed by CR LF, with one
    // key line changed after its "=", one key line inserted, or a section
    // header and a key line added at the end.
    const QByteArrayList old = splitLines(before);
    const QByteArrayList now = splitLines(after);
    FUZZ_CHECK(after.isEmpty() || after.endsWith("\r\n"));
    const QByteArray keyLine = zp::encodeCp932(trimmedBlanks(key) + u'=' + value);
    qsizetype same = 0;
    while (same < old.size() && same < now.size() && old[same] == now[same])
        ++same;
    if (now.size() == old.size()) {
        if (same == old.size())
            return 0; // the key had that value already
        const qsizetype equals = old[same].indexOf('=');
        FUZZ_CHECK(equals >= 0);
        FUZZ_CHECK(now[same] == old[same].left(equals + 1) + zp::encodeCp932(value));
        for (qsizetype i = same + 1; i < old.size(); ++i)
            FUZZ_CHECK(old[i] == now[i]);
    } else if (now.size() == old.size() + 1) {
        FUZZ_CHECK(now[same] == keyLine);
        for (qsizetype i = same; i < old.size(); ++i)
            FUZZ_CHECK(old[i] == now[i + 1]);
    } else {
        FUZZ_CHECK(now.size() == old.size() + 2 && same == old.size());
        FUZZ_CHECK(now[same] == "[" + zp::encodeCp932(trimmedBlanks(section)) + "]");
        FUZZ_CHECK(now[same + 1] == keyLine);
    }
    return 0;
}
