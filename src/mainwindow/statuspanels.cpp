#include "mainwindow/statuspanels.h"

#include <QLabel>

namespace zp {

std::array<int, 3> statusPanelWidths(int w)
{
    const int quarter = w / 4;
    return {quarter, quarter, w - 2 * quarter};
}

StatusPanels::StatusPanels(QWidget *parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("stBar"));
    setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setIndent(3);
        // A long message must not widen the frame.
        label->setMinimumWidth(1);
        addWidget(label, i == 2 ? 1 : 0);
        m_panels[std::size_t(i)] = label;
    }
}

QString StatusPanels::panelText(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_panels[std::size_t(panel - 1)]->text() : QString();
}

void StatusPanels::setPanelText(int panel, const QString &text)
{
    if (panel >= 1 && panel <= 3)
        m_panels[std::size_t(panel - 1)]->setText(text);
}

int StatusPanels::panelWidth(int panel) const
{
    return panel >= 1 && panel <= 3 ? m_widths[std::size_t(panel - 1)] : 0;
}

void StatusPanels::layoutPanels(int frameWidthTwips, int twipsPerPixel)
{
    if (frameWidthTwips <= 0 || twipsPerPixel <= 0)
        return;
    m_widths = statusPanelWidths(frameWidthTwips);
    for (std::size_t i = 0; i < 2; ++i)
        m_panels[i]->setFixedWidth(m_widths[i] / twipsPerPixel);
    m_panels[2]->setMinimumWidth(1);
}

} // namespace zp
