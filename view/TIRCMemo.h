// TIRCMemo: the text view of a window tab, which copies a mouse selection when the button is released.
#pragma once

#include "view/TIRCCustomRichEdit.h"

namespace morva {

// The view the window registry puts in every tab. After any mouse button's release it copies the selection to
// the clipboard and deselects it, keeping the selection's start. Owned by its tab, user-interface thread only.
class TIRCMemo : public TIRCCustomRichEdit
{
    Q_OBJECT

public:
    explicit TIRCMemo(QWidget* owner = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace morva
