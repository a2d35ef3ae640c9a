// TIRCMemo: copy on release.
#include "view/TIRCMemo.h"

namespace morva {

TIRCMemo::TIRCMemo(QWidget* owner) : TIRCCustomRichEdit(owner) {}

void TIRCMemo::mouseReleaseEvent(QMouseEvent* event)
{
    TIRCCustomRichEdit::mouseReleaseEvent(event);
    copySelection();
    collapseSelection();
}

} // namespace morva
