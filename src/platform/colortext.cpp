#include "platform/colortext.h"

namespace zp {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// The two characters at pos read as hex up to the first one that is not a hex
// digit; a short value simply has fewer digits.
int hexPair(const QString &value, qsizetype pos)
{
    int number = 0;
    for (qsizetype i = pos; i < pos + 2 && i < value.size(); ++i) {
        const int digit = hexDigit(value[i]);
        if (digit < 0)
            break;
        number = number * 16 + digit;
    }
    return number;
}

} // namespace

QColor colorFromText(const QString &value, const QColor &fallback)
{
    if (value.isEmpty())
        return fallback;
    return QColor(hexPair(value, 0), hexPair(value, 2), hexPair(value, 4));
}

QString colorToText(const QColor &color)
{
    return QString::asprintf("%02X%02X%02X", color.red(), color.green(), color.blue());
}

} // namespace zp
