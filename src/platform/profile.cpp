#include "platform/profile.h"

#include "platform/cp932codec.h"
#include "platform/filewriter.h"
#include "platform/readablefile.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <utility>

namespace zp {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Only spaces and tabs count: an ideographic space at the end of a value is
// part of the value.
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct ParsedLine
{
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QStringView name;
    qsizetype equals = -1; // position of the "=" of a key line
};

// A section header is a line whose text starts with "[" and has a "]"; a key
// line has a "=" with a non-empty name before it. A "[" line without "]" is
// neither, even when it contains "=".
ParsedLine parseLine(const QString &line)
{
    ParsedLine parsed;
    const QStringView text = trimBlanks(line);
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close >= 0) {
            parsed.kind = ParsedLine::Section;
            parsed.name = trimBlanks(text.mid(1, close - 1));
        }
        return parsed;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return parsed;
    const QStringView key = trimBlanks(QStringView(line).left(equals));
    if (key.isEmpty())
        return parsed;
    parsed.kind = ParsedLine::Key;
    parsed.name = key;
    parsed.equals = equals;
    return parsed;
}

// Lines end at CR LF, CR or LF; a final line break ends the last line. Works
// alike on the file's bytes and on its text (a CP932 trail byte is never a CR
// or an LF, so both give the same lines).
template <class Text>
QList<Text> splitLines(const Text &text)
{
    QList<Text> lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

// Every setting read reads the whole file; one far beyond anything the program
// writes counts as unreadable (readers get their fallbacks, writers refuse).
constexpr qint64 MaxProfileBytes = 16 * 1024 * 1024;

// Reads the file as lines, and (when asked) the bytes of each line. A missing
// file is an empty one; false means the file exists but could not be read.
// *variants (when given) receives the codes the file used for characters with
// several, so that writing it back keeps them.
bool readLines(const QString &file, QStringList *lines, QByteArrayList *lineBytes = nullptr,
               Cp932Variants *variants = nullptr)
{
    lines->clear();
    if (lineBytes)
        lineBytes->clear();
    // Never a pipe or a device put in the file's place: read as a stream,
    // they would block the program or never end.
    QFile in;
    const FileOpening opening = openRegularFile(in, file);
    if (opening.result == FileOpening::Missing)
        return true;
    if (opening.result != FileOpening::Opened || opening.size > MaxProfileBytes)
        return false;
    const QByteArray bytes = in.read(MaxProfileBytes + 1);
    if (in.error() != QFileDevice::NoError || bytes.size() > MaxProfileBytes)
        return false;
    Cp932Decoder decoder;
    *lines = splitLines(decoder.decode(bytes.constData(), bytes.size(), true));
    if (lineBytes)
        *lineBytes = splitLines(bytes);
    if (variants)
        *variants = decoder.variants();
    return true;
}

struct Location
{
    qsizetype section = -1;    // header line of the first matching section
    qsizetype sectionEnd = -1; // first line after that section
    qsizetype key = -1;        // first matching key line in it
    qsizetype keyEquals = -1;
};

Location locate(const QStringList &lines, QStringView section, QStringView key)
{
    Location found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (parsed.kind == ParsedLine::Section) {
            if (found.section >= 0) {
                found.sectionEnd = i;
                return found;
            }
            if (sameName(parsed.name, section))
                found.section = i;
        } else if (parsed.kind == ParsedLine::Key && found.section >= 0 && found.key < 0
                   && sameName(parsed.name, key)) {
            found.key = i;
            found.keyEquals = parsed.equals;
        }
    }
    if (found.section >= 0)
        found.sectionEnd = lines.size();
    return found;
}

bool readValue(const QString &section, const QString &key, const QString &file,
               QString *value)
{
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    if (sectionName.isEmpty() || keyName.isEmpty())
        return false;
    QStringList lines;
    if (!readLines(file, &lines))
        return false;
    const Location at = locate(lines, sectionName, keyName);
    if (at.key < 0)
        return false;
    *value = trimBlanks(QStringView(lines[at.key]).mid(at.keyEquals + 1)).toString();
    return true;
}

} // namespace

int GetPrivateProfileString(const QString &section, const QString &key,
                            const QString &fallback, QString &buffer, int size,
                            const QString &file)
{
    QString value;
    const QString &source = readValue(section, key, file, &value) ? value : fallback;
    if (size <= 0) {
        buffer.clear();
        return 0;
    }
    qsizetype count = std::min<qsizetype>(source.size(), size - 1);
    // Never leave half of a surrogate pair at the cut.
    if (count > 0 && count < source.size() && source[count - 1].isHighSurrogate())
        --count;
    buffer = source.left(count);
    return int(count);
}

int GetPrivateProfileInt(const QString &section, const QString &key, int fallback,
                         const QString &file)
{
    QString value;
    if (!readValue(section, key, file, &value))
        return fallback;
    qint64 number = 0;
    for (const QChar c : std::as_const(value)) {
        if (c < u'0' || c > u'9')
            break;
        number = std::min<qint64>(number * 10 + (c.unicode() - u'0'), INT_MAX);
    }
    return int(number);
}

bool profileKeepsValue(const QString &value)
{
    if (value.contains(u'\r') || value.contains(u'\n') || trimBlanks(value).size() != value.size())
        return false;
    qsizetype lost = 0;
    const QByteArray bytes = encodeCp932(value, &lost);
    // Some characters have a near neighbour in CP932 (a wave dash for the
    // fullwidth tilde) and come back as that neighbour.
    return lost == 0 && decodeCp932(bytes) == value;
}

bool WritePrivateProfileString(const QString &section, const QString &key,
                               const QString &value, const QString &file)
{
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    if (sectionName.isEmpty() || keyName.isEmpty() || !profileKeepsValue(value))
        return false;
    QStringList lines;
    // Lines the write does not change are written back as the bytes they
    // were; the line it writes uses the codes the file used for characters
    // CP932 has two codes for.
    QByteArrayList lineBytes;
    Cp932Variants variants;
    if (!readLines(file, &lines, &lineBytes, &variants))
        return false; // rewriting a file we could not read would lose it

    const Location at = locate(lines, sectionName, keyName);
    if (at.key >= 0) {
        // Everything up to the "=" stays, so the key keeps its spelling.
        lines[at.key] = lines[at.key].left(at.keyEquals + 1) + value;
        lineBytes[at.key] = encodeCp932(lines[at.key], nullptr, variants);
    } else {
        const QString keyLine = keyName.toString() + u'=' + value;
        if (at.section >= 0) {
            // After the section's last non-blank line, so that blank lines
            // separating it from the next section stay where they are.
            qsizetype insertAt = at.sectionEnd;
            while (insertAt - 1 > at.section && trimBlanks(lines[insertAt - 1]).isEmpty())
                --insertAt;
            lineBytes.insert(insertAt, encodeCp932(keyLine, nullptr, variants));
        } else {
            lineBytes.append(encodeCp932(u'[' + sectionName.toString() + u']', nullptr, variants));
            lineBytes.append(encodeCp932(keyLine, nullptr, variants));
        }
    }

    QByteArray bytes;
    qsizetype length = 0;
    for (const QByteArray &line : std::as_const(lineBytes))
        length += line.size() + 2;
    bytes.reserve(length);
    for (const QByteArray &line : std::as_const(lineBytes)) {
        bytes += line;
        bytes += "\r\n";
    }

    return writeWholeFile(file, bytes, nullptr, InPlace::Never);
}

} // namespace zp
