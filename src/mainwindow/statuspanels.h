#pragma once
// The status bar's three panels. Panels 1 and 2 each take a quarter of the
// frame's width, panel 3 the rest; only panel 3 ever shows text.

#include <QStatusBar>

#include <array>

class QLabel;

namespace zp {

// Panel widths in twips for a frame w twips wide: w / 4 twice, then the rest
// (10001 gives 2500, 2500, 5001).
std::array<int, 3> statusPanelWidths(int frameWidthTwips);

class StatusPanels : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusPanels(QWidget *parent = nullptr);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    // The width last given to panel 1 to 3, in twips.
    int panelWidth(int panel) const;
    // Lays the panels out for a frame frameWidthTwips wide; twipsPerPixel
    // converts to the screen.
    void layoutPanels(int frameWidthTwips, int twipsPerPixel);

private:
    std::array<QLabel *, 3> m_panels{};
    std::array<int, 3> m_widths{};
};

} // namespace zp
