#include "platform/colorchooser.h"

#include <QColorDialog>

namespace zp {

bool QtColorChooser::choose(QWidget *owner, QColor *color)
{
    // The custom colours start white on every call: picks are not remembered
    // from one call to the next.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, QColor(255, 255, 255));
    QColorDialog dialog(QColor(0, 0, 0), owner);
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid())
        return false;
    if (color)
        *color = chosen.toRgb();
    return true;
}

} // namespace zp
