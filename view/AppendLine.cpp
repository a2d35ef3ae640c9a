// AppendLine.
#include "view/AppendLine.h"

#include "view/TIRCMemo.h"

namespace morva {

void AppendLine(TIRCMemo* view, std::string_view line)
{
    if (view != nullptr)
        view->appendCodedLine(line);
}

} // namespace morva
