// Names of the popup notifier's value types, for messages and test output.
#include "popup/PopupTypes.h"

namespace morva {

const char* edgeName(ScreenEdge e)
{
    switch (e) {
    case ScreenEdge::Left: return "left";
    case ScreenEdge::Top: return "top";
    case ScreenEdge::Right: return "right";
    case ScreenEdge::Bottom: return "bottom";
    case ScreenEdge::None: break;
    }
    return "none";
}

} // namespace morva
