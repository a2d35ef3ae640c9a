// The popup notifier's view of the desktop: work area, taskbar edge and opening a web address.
#pragma once

#include "popup/PopupTypes.h"

#include <string>

#include <QRect>

namespace morva {

// What a popup asks of the platform. The notifier owns one (QtPopupPlatform unless a test injects another);
// all calls come from the UI thread.
class PopupPlatform
{
public:
    virtual ~PopupPlatform() = default;
    // The screen area not covered by the taskbar; right and bottom are x + width and y + height.
    virtual QRect workArea() = 0;
    // The side the taskbar sits on, or None when that cannot be told.
    virtual ScreenEdge taskbarEdge() = 0;
    // Opens a web address or document (Windows-1251 text) with the desktop's default handler.
    virtual void openUrl(const std::string& url) = 0;
};

} // namespace morva
