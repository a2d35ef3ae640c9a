// DisplaySync.
#include "ui/main/DisplaySync.h"

#include <cstdlib>

#include <QGuiApplication>

#if defined(MORVA_HAVE_XCB)
#include <xcb/xcb.h>

#include <QtGui/qguiapplication_platform.h>
#endif

namespace morva {

void syncWithDisplay()
{
#if defined(MORVA_HAVE_XCB)
#if QT_CONFIG(xcb)
    auto* app = qGuiApp;
    if (!app)
        return;
    if (auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>()) {
        if (xcb_connection_t* c = x11->connection())
            std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    }
#endif
#endif
}

} // namespace morva
