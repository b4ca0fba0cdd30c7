// The header drag button.
#include "grid/input/HeaderDragButton.h"

#include "graphics/JyrHTMLE.h"

void THeaderDragButton::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Invalidate();
}

void THeaderDragButton::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.WindowClass.style |= CS_SAVEBITS;
    SetColor(clBtnFace);
}

void THeaderDragButton::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    C->GetBrush()->SetStyle(bsClear);
    C->GetFont()->Assign(GetFont());
    if (FCaption.find(L"</") == String::npos) {
        C->TextRect(static_cast<const TRect&>(R), FCaption, {tfCenter, tfVerticalCenter, tfSingleLine, tfEndEllipsis});
        return;
    }
    // The grid's image list serves the caption's pictures once the button knows its grid's.
    JyrHTMLE::THTMLDrawRequest Request;
    Request.Canvas = C;
    Request.fr = R;
    JyrHTMLE::THTMLDrawResult Result;
    JyrHTMLE::HTMLDraw(FCaption, Request, Result);
}
