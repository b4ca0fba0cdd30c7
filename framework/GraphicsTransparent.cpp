// Graphics: drawing a bitmap's pixels with one colour left out, through a one-bit mask.
#include "Graphics.h"

#include "WinScope.h"

void TransparentDraw(HDC Dst, int X, int Y, int W, int H, HDC Src, int SX, int SY, COLORREF Key)
{
    if (W <= 0 || H <= 0) return;
    // The mask: 1 where the source has the key colour, 0 elsewhere.
    TCompatibleDC MaskDC(Dst);
    TGdiBitmap Mask(CreateBitmap(W, H, 1, 1, nullptr));
    TSelectObject UseMask(MaskDC, Mask);
    const COLORREF OldSrcBk = SetBkColor(Src, Key);
    BitBlt(MaskDC, 0, 0, W, H, Src, SX, SY, SRCCOPY);
    SetBkColor(Src, OldSrcBk);
    // Dst ^ Src, cleared where the source is drawn, ^ Src again: the key keeps Dst, the rest is Src.
    const COLORREF OldBk = SetBkColor(Dst, RGB(255, 255, 255));
    const COLORREF OldText = SetTextColor(Dst, RGB(0, 0, 0));
    BitBlt(Dst, X, Y, W, H, Src, SX, SY, SRCINVERT);
    BitBlt(Dst, X, Y, W, H, MaskDC, 0, 0, SRCAND);
    BitBlt(Dst, X, Y, W, H, Src, SX, SY, SRCINVERT);
    SetBkColor(Dst, OldBk);
    SetTextColor(Dst, OldText);
}
