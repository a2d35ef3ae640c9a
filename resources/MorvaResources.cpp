// Registers the built-in resources of the static resources library.
#include "resources/MorvaResources.h"

#include <QtGlobal>

static void initResourcesOutsideNamespace()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(ui);
}

namespace morva {

void initMorvaResources()
{
    static const bool done = [] {
        initResourcesOutsideNamespace();
        return true;
    }();
    (void)done;
}

} // namespace morva
