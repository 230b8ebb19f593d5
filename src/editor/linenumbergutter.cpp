#include "editor/linenumbergutter.h"

#include "editor/editorfont.h"

#include <QPainter>

namespace zp {

LineNumberGutter::LineNumberGutter(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picLineNo"));
    setFont(editorFont());
    setFixedWidth(Width);
    setAutoFillBackground(true);
    setBackColor(Qt::white);
}

void LineNumberGutter::setNumberColor(const QColor &color)
{
    m_numberColor = color;
    update();
}

QColor LineNumberGutter::backColor() const
{
    return palette().color(QPalette::Window);
}

void LineNumberGutter::setBackColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

void LineNumberGutter::paintEvent(QPaintEvent *)
{
    // The rows of numbers come with the editing features; until then the
    // gutter shows its background only.
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
}

} // namespace zp
