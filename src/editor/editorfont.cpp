#include "editor/editorfont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QStringList>

namespace zp {

namespace {

constexpr int PointSize = 9;

// Whether the family's Latin letters all take one advance. Fontconfig calls
// the Japanese faces dual-width, so the database's fixed-pitch flag is false
// for all of them; the letters themselves tell ("i" against "W").
bool hasEvenLetters(const QString &family)
{
    const QFont font(family, PointSize);
    if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) != 0)
        return false;
    const QFontMetricsF metrics(font);
    return qFuzzyCompare(metrics.horizontalAdvance(QLatin1Char('i')),
                         metrics.horizontalAdvance(QLatin1Char('W')));
}

QString chooseFamily()
{
    const QString preferred = QStringLiteral("ＭＳ ゴシック");
    if (QFontDatabase::hasFamily(preferred))
        return preferred;
    const QString ipaGothic = QStringLiteral("IPAGothic");
    if (QFontDatabase::hasFamily(ipaGothic) && hasEvenLetters(ipaGothic))
        return ipaGothic;
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &family : japanese) {
        if (hasEvenLetters(family))
            return family;
    }
    // Gothic (sans-serif) faces read best in a code editor.
    for (const QString &family : japanese) {
        if (family.contains(QLatin1String("Gothic"), Qt::CaseInsensitive))
            return family;
    }
    if (!japanese.isEmpty())
        return japanese.first();
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

} // namespace

QFont editorFont()
{
    // The font database is asked once; every document window shares the answer.
    static const QString family = chooseFamily();
    QFont font(family, PointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace zp
