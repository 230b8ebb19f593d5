#pragma once
// The line-number gutter beside the text: a narrow widget in the text's font,
// with its own background and number colours.

#include <QColor>
#include <QWidget>

namespace zp {

class LineNumberGutter : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Width = 57;

    explicit LineNumberGutter(QWidget *parent = nullptr);

    QColor numberColor() const { return m_numberColor; }
    void setNumberColor(const QColor &color);
    QColor backColor() const;
    void setBackColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_numberColor{240, 148, 118};
};

} // namespace zp
