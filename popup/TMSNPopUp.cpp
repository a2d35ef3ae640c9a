// The popup notifier: settings of the popup windows and the stacking of those open at the same time.
#include "popup/TMSNPopUp.h"

#include "popup/QtPopupPlatform.h"
#include "popup/TfrmMSNPopUp.h"
#include "resources/MorvaResources.h"

#include <algorithm>

namespace morva {

TMSNPopUp::TMSNPopUp(std::unique_ptr<PopupPlatform> platform) : m_platform(std::move(platform))
{
    initMorvaResources();
    if (!m_platform)
        m_platform = std::make_unique<QtPopupPlatform>();
    HoverFont.font.setUnderline(true);
    HoverFont.color = QColor(0x00, 0x00, 0xFF);
    TitleFont.font.setBold(true);
}

TMSNPopUp::~TMSNPopUp()
{
    // Windows already freed are gone from the list (their deletion is only pending); the rest go now.
    std::vector<TfrmMSNPopUp*> windows;
    windows.swap(m_windows);
    for (TfrmMSNPopUp* w : windows)
        delete w;
}

ScreenEdge TMSNPopUp::TaskbarEdge()
{
    const ScreenEdge edge = m_platform->taskbarEdge();
    return edge == ScreenEdge::None ? ScreenEdge::Bottom : edge;
}

QRect TMSNPopUp::WorkArea()
{
    return m_platform->workArea();
}

bool TMSNPopUp::stackedPopupFits(ScreenEdge edge, const QRect& w) const
{
    // The next popup must lie inside the work area; at the left it stacks upward like at the bottom.
    switch (edge) {
    case ScreenEdge::Left:
    case ScreenEdge::Right:
    case ScreenEdge::Bottom: return w.y() + w.height() - PopupStartY - Height - m_cascadeOffset >= w.y();
    case ScreenEdge::Top: return w.y() + PopupStartY + m_cascadeOffset + Height <= w.y() + w.height();
    case ScreenEdge::None: break;
    }
    return true;
}

bool TMSNPopUp::Popup()
{
    const ScreenEdge edge = TaskbarEdge();
    if (edge != m_lastTaskbarEdge) {
        m_lastTaskbarEdge = edge;
        m_popupCount = 0;
    }
    if (m_popupCount > 0) {
        if (!stackedPopupFits(edge, WorkArea()))
            return false;
    } else {
        m_cascadeOffset = 0;
    }
    ++m_popupCount;
    auto* window = new TfrmMSNPopUp(*this);
    m_windows.push_back(window);
    window->copySettings();
    window->Display();
    return true;
}

void TMSNPopUp::ShowPopUp(const std::string& title, const std::string& text)
{
    Title = title;
    Text = text;
    Popup();
}

void TMSNPopUp::popupFreed(TfrmMSNPopUp* window)
{
    if (m_popupCount > 0)
        --m_popupCount;
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
}

} // namespace morva
