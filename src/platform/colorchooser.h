#pragma once
// The colour chooser behind an interface, so that tests can answer it.

#include <QColor>

class QWidget;

namespace zp {

class ColorChooser
{
public:
    virtual ~ColorChooser() = default;

    // Shows a modal chooser owned by owner that starts at black. Returns true
    // with the chosen colour in *color when the user confirmed one, false when
    // the user cancelled (*color is then left alone).
    virtual bool choose(QWidget *owner, QColor *color) = 0;
};

// The real chooser, built on QColorDialog.
class QtColorChooser : public ColorChooser
{
public:
    bool choose(QWidget *owner, QColor *color) override;
};

} // namespace zp
