// TQorStringGrid: how much room a cell's widget takes on screen and in print, and where its hit
// areas lie (the check box square, a cell button, the toggle box of an expandable cell). Sizes are
// pixels of the canvas concerned; rounding is half to even, as everywhere the DPI scale applies.
#include "grid/QorGrid.h"

#include "grid/paint/CellGraphic.h"
#include "graphics/PictureContainer.h"

#include <cmath>

namespace {

int RoundEven(double V)
{
    return int(std::nearbyint(V));
}

bool BesideH(TCellHAlign A)
{
    return A == haBeforeText || A == haAfterText;
}

bool BesideV(TCellVAlign A)
{
    return A == vaUnderText || A == vaAboveText;
}

// The widget's own size under the text rule: a dimension counts when the widget stands beside
// the text that way or when the cell has no text.
TPoint BesideRule(const TCellGraphic& G, bool HasText, int W, int H)
{
    return TPoint(BesideH(G.FCellHAlign) || !HasText ? W : 0, BesideV(G.FCellVAlign) || !HasText ? H : 0);
}

}  // namespace

TPoint TQorStringGrid::GetCellGraphicSize(int RCol, int ARow)
{
    return GetCellGraphicSizeEx(RCol, ARow, 0);
}

TPoint TQorStringGrid::GetCellGraphicSizeEx(int RCol, int ARow, int Padding)
{
    return GetCellGraphicSizeEx(GetCanvas(), RCol, ARow, Padding, 1.0);
}

TPoint TQorStringGrid::GetCellGraphicSizeEx(TCanvas* ACanvas, int RCol, int ARow, int Padding, double ResFactor)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return TPoint(0, 0);
    if (ResFactor <= 0) ResFactor = 1.0;
    const bool HasText = !GetCellEx(RCol, ARow).empty();
    const int CheckSize = RoundEven(FOpt.FControlLook->GetCheckBoxSize() * FLookState.FDPIScale);
    auto PictureRoom = [&] {
        const TPoint S = CellSize(RCol, ARow);
        return TPoint(S.X - 1 - FText.FTextOffset.X, S.Y - 1 - FText.FTextOffset.Y - Padding);
    };
    TPoint R(0, 0);
    bool SkipFull = false;
    switch (G->FCellType) {
    case ctBitmap:
        if (auto* B = dyn<TBitmap>(G->FCellBitmap)) R = BesideRule(*G, HasText, B->GetWidth(), B->GetHeight());
        break;
    case ctIcon:
        if (auto* I = dyn<TIcon>(G->FCellIcon)) R = TPoint(BesideRule(*G, HasText, I->GetWidth(), 0).X, I->GetHeight());
        break;
    case ctImageList:
    case ctDataImage:
        if (TCustomImageList* L = GetCellImageList(RCol, ARow)) R = BesideRule(*G, HasText, L->GetWidth(), L->GetHeight());
        break;
    case ctCheckBox: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctTriStateCheckBox:
        R = TPoint(CheckSize, CheckSize);
        break;
    case ctRadioButton: {
        const int S = FOpt.FControlLook->GetRadioSize();
        R = TPoint(S, S);
        break;
    }
    case ctRadio:
        if (auto* L = dyn<TStrings>(G->FCellBitmap)) {
            const int n = L->Count();
            const int TH = ACanvas->TextHeight(L"gh");
            if (!G->FCellBoolean) {
                R.X = 12;
                for (int i = 0; i < n; ++i) R.X = std::max(R.X, ACanvas->TextWidth(L->Get(i)) + 12);
                R.Y = std::max(16, RoundEven((TH + 3) * double(n) / ResFactor));
            } else {
                for (int i = 0; i < n; ++i) R.X += ACanvas->TextWidth(L->Get(i)) + 12;
                R.Y = TH;
            }
        }
        break;
    case ctImages: {
        auto* L = dyn<TIntList>(G->FCellBitmap);
        TCustomImageList* IL = GetCellImageList(RCol, ARow);
        if (L && IL) {
            const int m = L->Count();
            R = G->FCellBoolean ? TPoint(m * IL->GetWidth(), IL->GetHeight()) : TPoint(IL->GetWidth(), m * IL->GetHeight());
        }
        break;
    }
    case ctPicture:
    case ctFilePicture: {
        const TPoint Room = PictureRoom();
        R = G->GetPictureSize(Room.X, Room.Y, HasText);
        break;
    }
    case ctDataPicture:
        if (FOpt.FPictureContainer)
            if (TGraphic* P = FOpt.FPictureContainer->FindPicture(GetCellEx(RCol, ARow))) {
                const TPoint Room = PictureRoom();
                R = G->GetPictureSize(Room.X, Room.Y, HasText, P);
            }
        break;
    case ctButton: case ctBitButton: case ctVirtButton:
        R = TPoint(G->FCellIndex & 0xFFFF, (unsigned(G->FCellIndex) >> 16) & 0xFFFF);
        if (HasText) {
            if (G->FCellHAlign == haCenter) R.X = 0;
            if (G->FCellHAlign == haFull) R.X = RoundEven((ACanvas->TextWidth(G->FCellText) + 4) / ResFactor);
            if (!BesideH(G->FCellHAlign) && !BesideV(G->FCellVAlign)) R.Y = 0;
            if (BesideV(G->FCellVAlign)) R.X = 0;
        } else if (G->FCellHAlign == haFull) {
            ACanvas->GetFont()->Assign(IsFixed(DisplColIndex(RCol), ARow) ? FOpt.FFixedFont.get() : GetFont());
            R.X = RoundEven((ACanvas->TextWidth(G->FCellText) + 8) / ResFactor);
            SkipFull = !G->FCellText.empty();
        }
        break;
    case ctProgressPie:
        R = TPoint(20, 20);
        break;
    case ctInterface: {
        auto* I = dynamic_cast<ICellGraphic*>(G->FCellBitmap);
        const int W = I ? I->CellWidth() : 0, H = I ? I->CellHeight() : 0;
        R = W == 0 || H == 0 ? CellSize(RCol, ARow) : TPoint(W, H);
        break;
    }
    case ctShape:
        R = TPoint(GetDefaultRowHeight() - 4, GetDefaultRowHeight() - 4);
        break;
    case ctRating:
        R = TPoint(G->FCellAngle * 18, 16);
        SkipFull = true;
        break;
    default:
        break;
    }
    if (!SkipFull) {
        const TPoint Cell = CellSize(RCol, ARow);
        if (G->FCellVAlign == vaFull) R.Y = Cell.Y;
        if (G->FCellHAlign == haFull) R.X = Cell.X;
    }
    return R;
}

TPoint TQorStringGrid::GetPrintGraphicSize(int RCol, int ARow, int CW, int RH, double)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return TPoint(0, 0);
    switch (G->FCellType) {
    case ctBitmap:
        if (auto* B = dyn<TBitmap>(G->FCellBitmap)) return TPoint(B->GetWidth(), B->GetHeight());
        return TPoint(0, 0);
    case ctIcon:
        if (auto* I = dyn<TIcon>(G->FCellIcon)) return TPoint(I->GetWidth(), I->GetHeight());
        return TPoint(0, 0);
    case ctImageList:
    case ctDataImage:
        if (TCustomImageList* L = GetCellImageList(RCol, ARow)) return TPoint(L->GetWidth(), L->GetHeight());
        return TPoint(0, 0);
    case ctCheckBox: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctTriStateCheckBox: {
        const int S = RoundEven(FOpt.FControlLook->GetCheckBoxSize() * FLookState.FDPIScale);
        return TPoint(S, S);
    }
    case ctRadioButton:
        return TPoint(FOpt.FControlLook->GetRadioSize(), FOpt.FControlLook->GetRadioSize());
    case ctNode:
    case ctProgressPie:
        return TPoint(20, 20);
    case ctRadio: {
        auto* L = dyn<TStrings>(G->FCellBitmap);
        if (!L) return TPoint(0, 0);
        TCanvas* C = GetCanvas();
        const int TH = C->TextHeight(L"gh");
        TPoint R(0, 0);
        if (!G->FCellBoolean) {
            R.X = 12;
            for (int i = 0; i < L->Count(); ++i) R.X = std::max(R.X, C->TextWidth(L->Get(i)) + 12);
            R.Y = TH * L->Count();
        } else {
            for (int i = 0; i < L->Count(); ++i) R.X += C->TextWidth(L->Get(i)) + 12;
            R.Y = TH;
        }
        return R;
    }
    case ctImages:
        return GetCellGraphicSizeEx(RCol, ARow, 0);
    case ctPicture:
    case ctFilePicture:
        return G->GetPictureSize(CW, RH, false);
    case ctDataPicture:
        if (FOpt.FPictureContainer)
            if (TGraphic* P = FOpt.FPictureContainer->FindPicture(GetCellEx(RCol, ARow)))
                return G->GetPictureSize(CW, RH, false, P);
        return TPoint(0, 0);
    case ctProgress:
    case ctXPProgress: {
        const int c = DisplColIndex(RCol);
        return TPoint(c < GetColCount() ? GetColWidths(c) : 0, ARow < GetRowCount() ? GetRowHeights(ARow) : 0);
    }
    case ctButton: case ctBitButton: case ctVirtButton:
        return TPoint(G->FCellIndex & 0xFFFF, (unsigned(G->FCellIndex) >> 16) & 0xFFFF);
    case ctInterface: {
        auto* I = dynamic_cast<ICellGraphic*>(G->FCellBitmap);
        const TPoint Cell = CellSize(RCol, ARow);
        const int W = I ? I->CellWidth() : 0, H = I ? I->CellHeight() : 0;
        return TPoint(W ? W : Cell.X, H ? H : Cell.Y);
    }
    case ctShape: {
        const int S = (ARow < GetRowCount() ? GetRowHeights(ARow) : GetDefaultRowHeight()) - 2 * FText.FTextOffset.Y;
        return TPoint(S, S);
    }
    default:
        return TPoint(0, 0);
    }
}

// ---- Hit areas ------------------------------------------------------------------------------------------------------

bool TQorStringGrid::IsInCheckBox(int RCol, int ARow, int XPos, int YPos)
{
    TCellGraphic* G = GetCellGraphic(RCol, ARow);
    if (!G) return false;
    switch (G->FCellType) {
    case ctCheckBox: case ctDataCheckBox: case ctVirtCheckBox: case ctRowCheckBox: case ctRadioButton:
    case ctTriStateCheckBox:
        break;
    default: return false;
    }
    if (!FOpt.FMouseActions->GetPreciseCheckBoxCheck()) return true;

    const TRect cr = CellRect(DisplColIndex(RCol), ARow);
    TAlignment HA = HasCellProperties(RCol, ARow) ? GetCellProperties(RCol, ARow)->GetAlignment() : GetDefaultAlignment();
    TVAlignment VA = G->FCellVAlign == vaCenter ? vtaCenter : G->FCellVAlign == vaBottom ? vtaBottom : vtaTop;
    GetCellAlign(RCol, ARow, HA, VA);
    // One size throughout: the scaled box and its scaled margin.
    const int m = RoundEven(2 * FLookState.FDPIScale);
    const int s = RoundEven(FOpt.FControlLook->GetCheckBoxSize() * FLookState.FDPIScale);
    int Top = cr.Top + m;
    if (VA == vtaCenter) Top = cr.Top + (cr.Height() - s) / 2;
    if (VA == vtaBottom) Top = cr.Bottom - m - s;
    int Left = cr.Left + m;
    if (HA == taRightJustify) {
        Left = cr.Right - m - s;
        const String Text = GetCellEx(RCol, ARow);
        if (!Text.empty() && HandleAllocated()) Left -= GetCanvas()->TextWidth(Text);
    } else if (HA == taCenter) {
        Left = cr.Left + (cr.Width() - s) / 2;
    }
    return XPos >= Left && XPos < Left + s && YPos >= Top && YPos < Top + s;
}

TRect TQorStringGrid::ButtonRect(int ACol, int ARow)
{
    TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!G) return TRect(0, 0, 0, 0);
    // The offset the painting stored: y in the high 16 bits, x in the low 16 bits.
    const double V = G->FCellValue;
    const unsigned Off = std::isfinite(V) && std::fabs(V) < 4294967296.0 ? unsigned(std::llround(V)) : 0u;
    const TRect cr = CellRect(ACol, ARow);
    TRect R;
    R.Left = cr.Left + int(Off & 0xFFFF);
    R.Top = cr.Top + int((Off >> 16) & 0xFFFF);
    R.Right = R.Left + (G->FCellIndex & 0xFFFF);
    R.Bottom = R.Top + int((unsigned(G->FCellIndex) >> 16) & 0xFFFF);
    if (G->FCellVAlign == vaFull) {
        R.Top = cr.Top;
        R.Bottom = cr.Bottom;
    }
    if (G->FCellHAlign == haFull) {
        R.Left = cr.Left;
        R.Right = cr.Right;
    }
    return R;
}

TRect TQorStringGrid::ExpandRect(int ACol, int ARow)
{
    if (!HasExpand(RealColIndex(ACol), ARow)) return TRect(0, 0, 0, 0);
    const TRect cr = CellRect(ACol, ARow);
    return TRect(cr.Right - 13, cr.Top + 2, cr.Right - 2, cr.Top + 13);
}
