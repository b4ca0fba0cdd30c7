// The grid's rich edit.
#include "grid/input/QorRichEdit.h"

#include "grid/detail/QorGridOwner.h"

#include <richedit.h>

TQorRichEdit::TQorRichEdit(TComponent* AOwner) : TRichEdit(AOwner), FGrid(QorGridDetail::GridOfOwner(AOwner))
{
    // An owner that is no grid is refused here (invalid cast) once the grid class is in the
    // library; until then every rich edit stands alone.
}

void TQorRichEdit::SelFormat(int Offset)
{
    if (!EnsureHandle()) return;
    CHARFORMATW F{};
    F.cbSize = sizeof F;
    F.dwMask = CFM_OFFSET;
    F.yOffset = Offset;
    SendMessageW(FHandle, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&F));
}

int TQorRichEdit::SelOffset()
{
    if (!EnsureHandle()) return 0;
    CHARFORMATW F{};
    F.cbSize = sizeof F;
    F.dwMask = CFM_OFFSET;
    SendMessageW(FHandle, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&F));
    return F.yOffset;
}

void TQorRichEdit::WMGetDlgCode(TMessage& Message)
{
    inherited::Dispatch(Message);
    Message.Result |= DLGC_WANTTAB;
}

void TQorRichEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    default: inherited::Dispatch(Message);
    }
}
