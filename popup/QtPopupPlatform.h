// The desktop seen through Qt: the primary screen's geometry and QDesktopServices.
#pragma once

#include "popup/PopupPlatform.h"

#include <functional>

namespace morva {

// The default platform of the popup notifier. The work area is the primary screen's available geometry; the
// taskbar edge is the side on which the full and the available geometry differ.
class QtPopupPlatform : public PopupPlatform
{
public:
    QRect workArea() override;
    ScreenEdge taskbarEdge() override;
    void openUrl(const std::string& url) override;

    // The edge implied by a screen's full and available geometry: the side with the widest strip taken away;
    // ties go to bottom, then right, top, left. None when both are the same.
    static ScreenEdge edgeFromGeometry(const QRect& full, const QRect& available);
};

} // namespace morva
