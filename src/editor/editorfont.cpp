#include "editor/editorfont.h"

#include <QFontDatabase>
#include <QStringList>

namespace zp {

namespace {

QString chooseFamily()
{
    const QString preferred = QStringLiteral("ＭＳ ゴシック");
    if (QFontDatabase::hasFamily(preferred))
        return preferred;
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &family : japanese) {
        if (QFontDatabase::isFixedPitch(family))
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
    QFont font(family, 9);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace zp
