// The desktop seen through Qt: the primary screen's geometry and QDesktopServices.
#include "popup/QtPopupPlatform.h"

#include "text/QtText.h"

#include <array>
#include <utility>

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace morva {

QRect QtPopupPlatform::workArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

ScreenEdge QtPopupPlatform::taskbarEdge()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return ScreenEdge::None;
    return edgeFromGeometry(screen->geometry(), screen->availableGeometry());
}

void QtPopupPlatform::openUrl(const std::string& url)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(text::toQString(url)));
}

ScreenEdge QtPopupPlatform::edgeFromGeometry(const QRect& full, const QRect& available)
{
    // Several panels (a top bar and a dock) take several sides; the widest one stands for the taskbar.
    const std::array<std::pair<ScreenEdge, int>, 4> insets{{
        {ScreenEdge::Bottom, (full.y() + full.height()) - (available.y() + available.height())},
        {ScreenEdge::Right, (full.x() + full.width()) - (available.x() + available.width())},
        {ScreenEdge::Top, available.y() - full.y()},
        {ScreenEdge::Left, available.x() - full.x()},
    }};
    ScreenEdge best = ScreenEdge::None;
    int widest = 0;
    for (const auto& [edge, inset] : insets) {
        if (inset > widest) {
            widest = inset;
            best = edge;
        }
    }
    return best;
}

} // namespace morva
