// Cell widget drawing for DrawGridCell (see CellWidgetPaint.h): the shared bitmap helpers and
// number readings, widget placement, then the painters (friends of the grid).
#include "grid/paint/CellWidgetPaint.h"

#include "controls/QorDropDown.h"
#include "framework/Math.h"
#include "framework/SysUtils.h"
#include "framework/WinScope.h"
#include "graphics/PictureContainer.h"
#include "graphics/QorUtil.h"
#include "graphics/QorUtilText.h"
#include "graphics/QorXPVS.h"
#include "grid/QorGrid.h"
#include "grid/paint/ArrowFocusWindows.h"
#include "grid/paint/CellGraphic.h"
#include "grid/paint/CellPaintContext.h"
#include "grid/store/QorObj.h"

#include <uxtheme.h>
#include <vsstyle.h>
#include <algorithm>
#include <map>
#include <memory>

namespace CellWidgetPaint {

TCanvasObjectsScope::TCanvasObjectsScope(TCanvas* Canvas) : FCanvas(Canvas)
{
    FPen.Assign(Canvas->GetPen());
    FBrush.Assign(Canvas->GetBrush());
    FFont.Assign(Canvas->GetFont());
}

TCanvasObjectsScope::~TCanvasObjectsScope()
{
    FCanvas->GetFont()->Assign(&FFont);
    FCanvas->GetBrush()->Assign(&FBrush);
    FCanvas->GetPen()->Assign(&FPen);
}

TBitmap* GridResourceBitmap(const String& Name)
{
    static std::map<String, std::unique_ptr<TBitmap>> Loaded;
    auto It = Loaded.find(Name);
    if (It != Loaded.end()) return It->second.get();
    HINSTANCE Inst = GetModuleHandleW(nullptr);
    std::unique_ptr<TBitmap> Bmp;
    if (FindResourceW(Inst, Name.c_str(), MAKEINTRESOURCEW(2) /*RT_BITMAP*/)) {
        Bmp.reset(new TBitmap());
        Bmp->LoadFromResourceName(Inst, Name);
    }
    return Loaded.emplace(Name, std::move(Bmp)).first->second.get();
}

void CopyBitmapPart(TCanvas* Canvas, TBitmap* Bmp, TPoint At, const TRect& Clip)
{
    if (!Canvas || !Bmp || Bmp->GetEmpty()) return;
    const TRect Pic(At.X, At.Y, At.X + Bmp->GetWidth(), At.Y + Bmp->GetHeight());
    RECT Part;
    const RECT A{Pic.Left, Pic.Top, Pic.Right, Pic.Bottom}, B{Clip.Left, Clip.Top, Clip.Right, Clip.Bottom};
    if (!IntersectRect(&Part, &A, &B)) return;
    HDC DC = Canvas->GetHandle();
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    BitBlt(DC, Part.left, Part.top, Part.right - Part.left, Part.bottom - Part.top, Bmp->GetCanvas()->GetHandle(),
           Part.left - Pic.Left, Part.top - Pic.Top, SRCCOPY);
    SetBkMode(DC, OldMode);
}

void TileBitmap(TCanvas* Canvas, TBitmap* Bmp, TPoint Origin, const TRect& Clip)
{
    if (!Canvas || !Bmp || Bmp->GetEmpty() || Clip.IsEmpty()) return;
    const int W = Bmp->GetWidth(), H = Bmp->GetHeight();
    // The first tile that reaches into Clip, from an origin that may lie on either side of it.
    auto FirstTile = [](int O, int Edge, int Size) {
        const int D = Edge - O;
        return O + (D >= 0 ? D / Size : -((-D + Size - 1) / Size)) * Size;
    };
    for (int Y = FirstTile(Origin.Y, Clip.Top, H); Y < Clip.Bottom; Y += H)
        for (int X = FirstTile(Origin.X, Clip.Left, W); X < Clip.Right; X += W)
            CopyBitmapPart(Canvas, Bmp, TPoint(X, Y), Clip);
}

double Limit(double d)
{
    return d < 0 ? 0 : d > 100 ? 100 : d;
}

}  // namespace CellWidgetPaint

// ---- Widget drawing ----------------------------------------------------------------------------------

namespace CellWidgetPaint {

int CellInt(const String& Text)
{
    int V = 0;
    if (TryStrToInt(Trim(Text), V)) return V;
    double F = 0;
    return TryStrToFloat(Trim(Text), F) && F > -2147483648.0 && F < 2147483648.0 ? int(F) : 0;
}

double CellFloat(const String& Text)
{
    double F = 0;
    return TryStrToFloat(Trim(Text), F) ? F : 0;
}

int GaugePercent(double Value, int Min, int Max)
{
    // Equal bounds leave no range to measure against: nothing is complete.
    if (Max == Min) return 0;
    return int(Round(std::abs(Value - Min) / (double(Max) - Min) * 100));
}

TRect WidgetRect(const TRect& r, int W, int H, TCellHAlign hal, TCellVAlign val, int MaxTextWidth, TAlignment TextAlign)
{
    const int L = r.Left, T = r.Top, R = r.Right, B = r.Bottom;
    int X = L + 1;
    switch (hal) {
    case haLeft: X = L + 1; break;
    case haRight: X = R - W - 1; break;
    case haCenter: X = W < R - L ? L + (R - L - W) / 2 : L + 1; break;
    case haBeforeText:
        if (TextAlign == taRightJustify) X = std::max(L + 1, R - MaxTextWidth - W);
        else if (TextAlign == taCenter) X = std::max(L + 1, L + (R - L - MaxTextWidth - W) / 2);
        else X = L + 1;
        break;
    case haAfterText:
        if (TextAlign == taRightJustify) X = R - W - 1;
        else if (TextAlign == taCenter) X = std::max(L + 1, L + MaxTextWidth + (R - L - MaxTextWidth - W) / 2);
        else X = L + MaxTextWidth;
        break;
    case haFull: X = L; W = R - L; break;
    }
    int Y = T + 1;
    switch (val) {
    case vaBottom: Y = B - H - 1; break;
    case vaCenter: Y = H < B - T ? T + (B - T - H) / 2 : T + 1; break;
    case vaTop:
    case vaAboveText: Y = T + 1; break;
    case vaUnderText: Y = B - H; break;
    case vaFull: Y = T; H = B - T; break;
    }
    return TRect(X, Y, X + W, Y + H);
}

}  // namespace CellWidgetPaint

using namespace CellWidgetPaint;

namespace {

TRect Moved(const TRect& R, int Dx, int Dy)
{
    return TRect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy);
}

}  // namespace

// The widget painters: friends of the grid, they read its look state.
struct TCellWidgetPainter {
    static void DrawCellGraphic(TCellPaintContext& C, TRect& r, TCellGraphic* CG, TVAlignment VertAlign);
    static void DrawBorders(TCellPaintContext& C, int ACol, int ARow, TRect tr);
    static void DrawGradientBackground(TCellPaintContext& C, TRect crect);
    static void DrawWallPaperTile(TCellPaintContext& C, TRect crect);

private:
    static bool Editable(TCellPaintContext& C);
    static TRect CheckRect(TCellPaintContext& C, const TRect& r, TCellGraphic* CG, TVAlignment VertAlign);
    static void DrawImages(TCellPaintContext& C, const TRect& WR, TCellGraphic* CG);
    static void DrawProgress(TCellPaintContext& C, TRect& r, TCellGraphic* CG);
    static void DrawButtonKind(TCellPaintContext& C, const TRect& WR, TCellGraphic* CG);
    static void DrawNode(TCellPaintContext& C, TRect r, TCellGraphic* CG);
    static void DrawRotated(TCellPaintContext& C, TRect& r, TCellGraphic* CG);
    static void DrawRating(TCellPaintContext& C, const TRect& WR, TCellGraphic* CG);
    static void DrawComment(TCellPaintContext& C, const TRect& r, TCellGraphic* CG);
};

bool TCellWidgetPainter::Editable(TCellPaintContext& C)
{
    bool CanEdit = true;
    C.Grid->GetCellReadOnly(C.ACol, C.ARow, CanEdit);
    return CanEdit;
}

TRect TCellWidgetPainter::CheckRect(TCellPaintContext& C, const TRect& r, TCellGraphic* CG, TVAlignment VertAlign)
{
    TQorStringGrid* G = C.Grid;
    TCellVAlign val = CG->FCellVAlign;
    if (VertAlign != G->GetVAlignment()) val = VertAlign == vtaTop ? vaTop : VertAlign == vtaCenter ? vaCenter : vaBottom;
    TRect WR = WidgetRect(r, C.GraphicWidth, C.GraphicHeight, CG->FCellHAlign, val, C.MaxTextWidth, C.HAlignment);
    if (!G->OnGetAlignment && !G->HasColumnsProp()) return WR;
    // The text's alignment places the box instead.
    const int L = r.Left, R = r.Right, W = C.GraphicWidth;
    const bool DataKind = CG->FCellType == ctDataCheckBox || CG->FCellType == ctVirtCheckBox;
    int X = L + 1;
    if (C.HAlignment == taRightJustify) X = (DataKind ? R : R - C.MaxTextWidth) - W - 1;
    else if (C.HAlignment == taCenter) {
        if (DataKind || C.MaxTextWidth <= 0) X = L + std::max(0, R - W - L) / 2;
        else X = L + std::max(0, R - C.MaxTextWidth - L) / 2 - W;
    }
    X = std::max(X, L + 1);
    return TRect(X, WR.Top, X + W, WR.Bottom);
}

void TCellWidgetPainter::DrawImages(TCellPaintContext& C, const TRect& WR, TCellGraphic* CG)
{
    TCustomImageList* IL = C.Grid->GetCellImageList(C.ACol, C.ARow);
    if (!IL) return;
    const int Count = IL->GetCount();
    switch (CG->FCellType) {
    case ctImageList:
        if (CG->FCellIndex >= 0 && CG->FCellIndex < Count) IL->Draw(C.Canvas, WR.Left, WR.Top, CG->FCellIndex, true);
        break;
    case ctDataImage: {
        // A text that is no whole number names no image.
        int Index = -1;
        if (!TryStrToInt(Trim(C.Grid->GetCellEx(C.ACol, C.ARow)), Index)) Index = -1;
        if (Index >= 0 && Index < Count) IL->Draw(C.Canvas, WR.Left, WR.Top, Index, true);
        break;
    }
    case ctImages: {
        auto* List = dynamic_cast<TIntList*>(CG->FCellBitmap);
        if (!List) break;
        int X = WR.Left, Y = WR.Top;
        for (int i = 0; i < List->Count(); ++i) {
            const int Index = List->GetInteger(i);
            if (Index >= 0 && Index < Count) IL->Draw(C.Canvas, X, Y, Index, true);
            if (CG->FCellBoolean) X += IL->GetWidth();
            else Y += IL->GetHeight();
        }
        break;
    }
    default: break;
    }
}

void TCellWidgetPainter::DrawProgress(TCellPaintContext& C, TRect& r, TCellGraphic* CG)
{
    TQorStringGrid* G = C.Grid;
    TControlLook* L = G->GetControlLook();
    const int Mx = L->GetProgressMarginX(), My = L->GetProgressMarginY();
    const double Value = CellFloat(G->GetCellEx(C.ACol, C.ARow));
    const QorGrid::TControlStyle Style = L->GetControlStyle();
    TRect Bar = r;
    Bar.Left += Mx;
    Bar.Right -= Mx;
    Bar.Top += My;
    Bar.Bottom -= My;
    if ((Style == csWinXP || Style == csTheme) && ArrowFocusWindows::DoThemeDrawing() && L->GetProgressXP() &&
        QorXPVS::OpenThemeData && QorXPVS::DrawThemeBackground && QorXPVS::CloseThemeData) {
        if (HTHEME Theme = QorXPVS::OpenThemeData(G->HandleAllocated() ? G->GetHandle() : nullptr, L"Progress")) {
            RECT B{Bar.Left, Bar.Top, Bar.Right, Bar.Bottom};
            QorXPVS::DrawThemeBackground(Theme, C.Canvas->GetHandle(), 1, 0, &B, nullptr);
            RECT F{Bar.Left + 2, Bar.Top + 2, Bar.Right - 2, Bar.Bottom - 2};
            if (L->GetProgressHeight() > 0) F.bottom = F.top + int(Round(L->GetProgressHeight() * G->GetDPIScale()));
            F.right = F.left + int(Round((F.right - F.left) * Limit(Value) / 100));
            if (F.right > F.left) QorXPVS::DrawThemeBackground(Theme, C.Canvas->GetHandle(), 3, 1, &F, nullptr);
            QorXPVS::CloseThemeData(Theme);
            r = Bar;
            return;
        }
    }
    // Without text colours of its own the bar writes its text in the inverted bar colours.
    TColor T1 = TColor(CG->FCellIndex), T2 = TColor(CG->FCellAngle);
    if (!CG->FCellBoolean) {
        T1 = TColor(ColorToRGB(CG->FCellBitmapColor) ^ 0xFFFFFF);
        T2 = TColor(ColorToRGB(CG->FCellIconColor) ^ 0xFFFFFF);
    }
    QorUtil::DrawProgressLin(C.Canvas, r, CG->FCellBitmapColor, T1, CG->FCellIconColor, T2, Value, Mx, My,
                             CG->FCellErrFrom, CG->FCellErrLen, int(CG->FCellValue), CG->FCellText,
                             L->GetProgressBorderColor(), false);
    r = Bar;
}

void TCellWidgetPainter::DrawButtonKind(TCellPaintContext& C, const TRect& WR0, TCellGraphic* CG)
{
    TQorStringGrid* G = C.Grid;
    TControlLook* L = G->GetControlLook();
    TRect WR = WR0;
    if (CG->FCellType == ctExpand) WR = TRect(C.CellRect.Right - 13, C.CellRect.Top, C.CellRect.Right, C.CellRect.Top + 13);
    // Where the button lies in the cell, for the hit test.
    CG->FCellValue = double(((WR.Top - C.CellRect.Top) << 16) | ((WR.Left - C.CellRect.Left) & 0xFFFF));
    const TColor OldBk = SetBkColor(C.Canvas->GetHandle(), ColorToRGB(clBtnFace));
    auto RestoreBk = ScopeExit([&] { SetBkColor(C.Canvas->GetHandle(), OldBk); });
    const QorStyleIF::TColorTones& Tones = G->GetColorTones();
    QorUtil::TControlDrawStyle Style = L->GetFlatButton() ? QorUtil::cdsFlat
                                       : !ArrowFocusWindows::DoThemeDrawing() ? QorUtil::cdsClassic
                                                                              : QorUtil::cdsXPTheme;
    if (G->GetFlat() && Tones.Background.BrushColor != clNone) Style = QorUtil::cdsMetro;
    QorUtil::TControlState State = CG->FCellBoolean ? QorUtil::csDown : QorUtil::csNormal;
    if (CG->FCellType != ctExpand && !L->GetNoDisabledButtonLook() && !Editable(C)) State = QorUtil::csDisabled;
    QorUtil::DrawButton(C.Canvas, G->HandleAllocated() ? G->GetHandle() : nullptr, WR, Style, State, Tones,
                        L->GetButtonPrefix(), L"");
    TRect Content = WR;
    if (State == QorUtil::csDown) Content = Moved(Content, 1, 1);
    String Caption = CG->FCellText;
    if (CG->FCellType == ctBitButton) {
        auto* Glyph = dynamic_cast<TBitmap*>(CG->FCellBitmap);
        if (Glyph && !Glyph->GetEmpty()) {
            int Dy = (Content.Height() - Glyph->GetHeight()) / 2;
            if (Dy < 1) Dy = 3;
            const bool Beside = !Caption.empty() || Glyph->GetWidth() >= Content.Width();
            const int X = Beside ? Content.Left + 3 : Content.Left + (Content.Width() - Glyph->GetWidth()) / 2;
            const bool Was = Glyph->GetTransparent();
            Glyph->SetTransparent(true);
            C.Canvas->Draw(X, Content.Top + Dy, Glyph);
            Glyph->SetTransparent(Was);
            if (Beside) Content.Left += Glyph->GetWidth() + 4;
        }
    }
    if (CG->FCellType == ctExpand) {
        // A chevron at the right: up when expanded, down when collapsed.
        const bool Expanded = CG->FCellVar.VType() == varBoolean && CG->FCellVar.AsBoolean();
        TPen* P = C.Canvas->GetPen();
        P->SetColor(clBlack);
        P->SetWidth(1);
        P->SetStyle(psSolid);
        const int R = WR.Right, T = WR.Top;
        if (Expanded) {
            C.Canvas->MoveTo(R - 10, T + 8);
            C.Canvas->LineTo(R - 7, T + 5);
            C.Canvas->LineTo(R - 3, T + 9);
        } else {
            C.Canvas->MoveTo(R - 10, T + 5);
            C.Canvas->LineTo(R - 7, T + 8);
            C.Canvas->LineTo(R - 3, T + 4);
        }
        return;
    }
    if (Caption.empty()) return;
    UINT Flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
    Flags |= Caption.find(L'\r') != String::npos ? DT_WORDBREAK : DT_SINGLELINE;
    if (!L->GetButtonPrefix()) Flags |= DT_NOPREFIX;
    const int OldMode = SetBkMode(C.Canvas->GetHandle(), TRANSPARENT);
    if (Style == QorUtil::cdsMetro) {
        const QorStyleIF::TColorTone& Tone = State == QorUtil::csDown       ? Tones.Selected
                                             : State == QorUtil::csDisabled ? Tones.Disabled
                                             : State == QorUtil::csHover    ? Tones.Hover
                                                                            : Tones.Background;
        if (Tone.TextColor != clNone) C.Canvas->GetFont()->SetColor(Tone.TextColor);
    }
    RECT TR{Content.Left + 1, Content.Top, Content.Right, Content.Bottom};
    DrawTextW(C.Canvas->GetHandle(), Caption.c_str(), int(Caption.size()), &TR, Flags);
    SetBkMode(C.Canvas->GetHandle(), OldMode);
}

void TCellWidgetPainter::DrawNode(TCellPaintContext& C, TRect r, TCellGraphic* CG)
{
    TQorStringGrid* G = C.Grid;
    TCellNode* N = G->GetCellNode();
    TCanvas* Cv = C.Canvas;
    const int Indent = G->NodeIndent(C.ARow);
    const int NI = std::max(1, N->GetNodeIndent());
    const bool Collapsed = CG->FCellBoolean;
    const int Mid = (r.Top + r.Bottom) / 2;
    // Tree lines.
    if (N->GetShowTree() && C.ARow >= G->GetFixedRows()) {
        const int X = r.Left + Indent - NI + NI / 2 + 2;
        Cv->GetPen()->SetColor(N->GetTreeColor());
        Cv->GetPen()->SetWidth(1);
        Cv->GetPen()->SetStyle(psSolid);
        if (C.ARow + 1 < G->GetRowCount()) {
            const int Next = G->NodeIndent(C.ARow + 1);
            if (Next > Indent && !(Collapsed && Next < Indent)) {
                Cv->MoveTo(X, Mid);
                Cv->LineTo(X, r.Bottom);
            }
        }
        if (C.ARow > G->GetFixedRows() && G->NodeIndent(C.ARow - 1) >= Indent) {
            Cv->MoveTo(X, r.Top);
            Cv->LineTo(X, Mid);
        }
    }
    int X = r.Left + Indent - NI / 2 - 4;
    const TGridLook Look = G->GetLook();
    if (C.OCol < G->GetFixedCols() && !G->GetFlat() &&
        (Look == glSoft || Look == glJOQ || Look == glXP || Look == glListView))
        ++X;
    TColor Back = Cv->GetBrush()->GetColor();
    if (Back == clNone) Back = G->GetFixedCols() > 0 ? G->GetFixedColor() : G->GetColor();
    if (C.AState.Contains(gdSelected) && G->CanShowSelection()) Back = G->GetSelectionColor();
    const double Dpi = G->GetDPIScale();
    switch (N->GetNodeType()) {
    case cnLeaf: {
        const TRect Box(X, Mid - 6, X + 16, Mid + 10);
        QorUtil::DrawBitmapTransp(Cv, GridResourceBitmap(Collapsed ? L"JYRLEAFCLOSE" : L"JYRLEAFOPEN"), Back, Box, Dpi);
        return;
    }
    case cnXP: {
        TBitmap* B = GridResourceBitmap(Collapsed ? L"XPNODEC" : L"XPNODEO");
        if (B) Cv->Draw(X + 4 - int(Round((Dpi - 1) * 4)), Mid - 5, B);
        return;
    }
    case cnGlyph: {
        TBitmap* Gl = Collapsed ? N->GetContractGlyph() : N->GetExpandGlyph();
        if (!N->GetContractGlyph()->GetEmpty() && !N->GetExpandGlyph()->GetEmpty()) {
            const bool Was = Gl->GetTransparent();
            Gl->SetTransparent(true);
            Cv->Draw(X, Mid - Gl->GetHeight() / 2, Gl);
            Gl->SetTransparent(Was);
            return;
        }
        break;
    }
    default: break;
    }
    // The drawn box: 8 x 8, filled in the node colour.
    if (N->GetNodeType() == cn3D) {
        TRect Cell = r;
        Cv->GetBrush()->SetColor(N->GetColor());
        Cv->FillRect(Cell);
        Cv->GetPen()->SetColor(clWhite);
        Cv->MoveTo(Cell.Left, Cell.Bottom - 1);
        Cv->LineTo(Cell.Left, Cell.Top);
        Cv->LineTo(Cell.Right - 1, Cell.Top);
        Cv->GetPen()->SetColor(TColor(0x808080));
        Cv->LineTo(Cell.Right - 1, Cell.Bottom - 1);
        Cv->LineTo(Cell.Left, Cell.Bottom - 1);
    }
    const int BX = X + 4, BY = Mid - 4;
    RECT Box{BX, BY, BX + 8, BY + 8};
    Cv->GetBrush()->SetColor(N->GetColor());
    Cv->FillRect(TRect(Box.left, Box.top, Box.right, Box.bottom));
    if (N->GetNodeType() != cnFlat) {
        DrawEdge(Cv->GetHandle(), &Box, Collapsed ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_SOFT);
        return;
    }
    Cv->GetPen()->SetColor(N->GetNodeColor());
    Cv->GetBrush()->SetStyle(bsClear);
    Cv->Rectangle(TRect(BX, BY, BX + 9, BY + 9));
    Cv->GetBrush()->SetStyle(bsSolid);
    Cv->MoveTo(BX + 2, BY + 4);
    Cv->LineTo(BX + 7, BY + 4);
    if (Collapsed) {
        Cv->MoveTo(BX + 4, BY + 2);
        Cv->LineTo(BX + 4, BY + 7);
    }
}

void TCellWidgetPainter::DrawRotated(TCellPaintContext& C, TRect& r, TCellGraphic* CG)
{
    TQorStringGrid* G = C.Grid;
    TCanvas* Cv = C.Canvas;
    const int Angle = CG->FCellAngle;
    const String Text = G->GetCellEx(C.ACol, C.ARow);
    std::vector<String> Lines;
    if (std::abs(Angle) == 90 || Angle == 270) {
        size_t Start = 0;
        while (true) {
            const size_t P = Text.find(L'\n', Start);
            String Line = Text.substr(Start, P == String::npos ? String::npos : P - Start);
            if (!Line.empty() && Line.back() == L'\r') Line.pop_back();
            Lines.push_back(Line);
            if (P == String::npos) break;
            Start = P + 1;
        }
    } else {
        Lines.push_back(Text);
    }
    // The start point from the upright extent of the widest line, the alignments and the angle,
    // inside the cell less 2 pixels a side: the turned text lies wholly in the cell.
    HDC DC = Cv->GetHandle();
    Cv->RequiredState({TCanvasStateFlag::csHandleValid, TCanvasStateFlag::csFontValid});
    const String Longest = *std::max_element(Lines.begin(), Lines.end(), [DC](const String& a, const String& b) {
        SIZE A{}, B{};
        GetTextExtentPoint32W(DC, a.c_str(), int(a.size()), &A);
        GetTextExtentPoint32W(DC, b.c_str(), int(b.size()), &B);
        return A.cx < B.cx;
    });
    SIZE Ext{};
    GetTextExtentPoint32W(DC, Longest.c_str(), int(Longest.size()), &Ext);
    const int Turn = (Angle % 360 + 360) % 360;
    const double Rad = Turn * 3.14159265358979323846 / 180.0;
    TRect Start(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    QorGridUnit::PositionText(Start, C.HAlignment, C.VAlign, Turn, std::abs(int(std::trunc(std::cos(Rad) * Ext.cx))),
                              std::abs(int(std::trunc(std::sin(Rad) * Ext.cy))),
                              std::abs(int(std::trunc(std::sin(Rad) * Ext.cx))),
                              std::abs(int(std::trunc(std::cos(Rad) * Ext.cy))));
    int X = Start.Left, Y = Start.Top;

    LOGFONTW LF{};
    GetObjectW(Cv->GetFont()->GetHandle(), sizeof(LF), &LF);
    LF.lfEscapement = LF.lfOrientation = Angle * 10;
    TGdiObject<HFONT> Rotated(CreateFontIndirectW(&LF));
    TSelectObject Sel(DC, Rotated.Get());
    const UINT OldAlign = SetTextAlign(DC, TA_LEFT | TA_TOP);
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    r.Left += 1;
    r.Top += 1;
    r.Right -= 1;
    r.Bottom -= 1;
    TEXTMETRICW TM{};
    GetTextMetricsW(DC, &TM);
    const int LineH = TM.tmHeight;
    if (Lines.size() > 1) {
        const int Total = LineH * int(Lines.size());
        if (C.HAlignment == taCenter) X -= (Total - LineH) / 2;
        else if (C.HAlignment == taRightJustify) X = r.Right - Total;
    }
    RECT Clip{r.Left, r.Top, r.Right, r.Bottom};
    for (const String& Line : Lines) {
        ExtTextOutW(DC, X, Y, ETO_CLIPPED, &Clip, Line.c_str(), UINT(Line.size()), nullptr);
        X += LineH;
    }
    SetBkMode(DC, OldMode);
    SetTextAlign(DC, OldAlign);
}

void TCellWidgetPainter::DrawRating(TCellPaintContext& C, const TRect& WR, TCellGraphic* CG)
{
    const double Value = CellFloat(C.Grid->GetCellEx(C.ACol, C.ARow));
    const double v = std::trunc(Value * 2) / 2;
    const int Stars = std::clamp(CG->FCellAngle, 0, 100);
    for (int i = 1; i <= Stars; ++i) {
        const int X = WR.Left + (i - 1) * 18;
        const TColor Fill = v >= i ? TColor(CG->FCellIndex) : CG->FCellBitmapColor;
        QorUtil::DrawShape(C.Canvas, X, WR.Top, 16, 16, QorUtil::csStar, Fill, Fill);
        if (i - 1 < v && v < i)
            QorUtil::DrawShape(C.Canvas, X, WR.Top, 16, 16, QorUtil::csHalfStar, TColor(CG->FCellIndex),
                               TColor(CG->FCellIndex));
    }
}

void TCellWidgetPainter::DrawComment(TCellPaintContext& C, const TRect& r, TCellGraphic* CG)
{
    const bool HasComment = !CG->FCellComment.empty();
    if (!HasComment && !(CG->FCellType == ctPicture && !CG->FCellText.empty())) return;
    TColor Color = C.Grid->GetControlLook()->GetCommentColor();
    if (HasComment && TColor(CG->FCellIndex) != clNone) Color = CG->FCommentColor;
    if (Color == clNone) return;
    const TPoint O = C.Grid->GetXYOffset();
    const int R = r.Right + O.X, T = r.Top - O.Y;
    C.Canvas->GetPen()->SetColor(Color);
    C.Canvas->GetPen()->SetStyle(psSolid);
    C.Canvas->GetBrush()->SetStyle(bsSolid);
    C.Canvas->GetBrush()->SetColor(Color);
    const TPoint P[] = {{R - 8, T + 1}, {R - 3, T + 1}, {R - 3, T + 6}};
    C.Canvas->Polygon(P, 3);
    C.Canvas->GetBrush()->SetColor(C.Grid->GetColor());
}

void TCellWidgetPainter::DrawCellGraphic(TCellPaintContext& C, TRect& r, TCellGraphic* CG, TVAlignment VertAlign)
{
    if (!CG || !C.Grid || !C.Canvas) return;
    TQorStringGrid* G = C.Grid;
    TCanvas* Cv = C.Canvas;
    TControlLook* L = G->GetControlLook();
    const TCellType Kind = CG->FCellType;
    if (Kind != ctNode && Kind != ctProgress && Kind != ctRangeIndicator && Kind != ctXPProgress) {
        const TPoint O = G->GetXYOffset();
        r.Left -= 1 - O.X;
        r.Right += 1 - O.X;
        r.Top -= 1 - O.Y;
        r.Bottom += 1 - O.Y;
        if (C.MaxTextWidth > 0) C.MaxTextWidth += 2;
    }
    TRect WR = WidgetRect(r, C.GraphicWidth, C.GraphicHeight, CG->FCellHAlign, CG->FCellVAlign, C.MaxTextWidth,
                          C.HAlignment);
    switch (Kind) {
    case ctBitmap:
        if (auto* B = dynamic_cast<TBitmap*>(CG->FCellBitmap)) {
            const bool Was = B->GetTransparent();
            B->SetTransparent(CG->FCellTransparent);
            int X = WR.Left;
            if (G->UseRightToLeftAlignment()) X = WR.Right - B->GetWidth();
            Cv->Draw(X, WR.Top, B);
            B->SetTransparent(Was);
        }
        break;
    case ctIcon:
        if (auto* I = dynamic_cast<TIcon*>(CG->FCellIcon)) Cv->Draw(WR.Left, WR.Top, I);
        break;
    case ctImageList:
    case ctDataImage:
    case ctImages: DrawImages(C, WR, CG); break;
    case ctCheckBox:
    case ctRowCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctTriStateCheckBox: {
        const TRect B = CheckRect(C, r, CG, VertAlign);
        const QorGrid::TControlStyle Style = L->GetControlStyle();
        if (Kind == ctCheckBox || Kind == ctRowCheckBox)
            G->DrawCheck(B, CG->FCellBoolean, Editable(C), CG->FCellAngle > 0, Style, false, cbUnchecked);
        else if (Kind == ctTriStateCheckBox)
            G->DrawCheck(B, false, Editable(C), CG->FCellAngle > 0, Style, true, CG->FCellCheckBoxState);
        else
            G->DrawCheck(B, G->GetCellEx(C.ACol, C.ARow) == G->GetCheckTrue(C.ACol, C.ARow), true, false, Style, false,
                         cbUnchecked);
        break;
    }
    case ctRadioButton: {
        TRect B = CheckRect(C, r, CG, VertAlign);
        const int Size = L->GetRadioSize();
        B = Moved(B, G->GetXYOffset().X, 0);
        B.Right = B.Left + Size;
        B.Bottom = B.Top + Size;
        G->DrawRadio(Cv, B, 1, CG->FCellBoolean ? 0 : 1, false, !Editable(C), nullptr, false, C.OCol, C.ARow,
                     L->GetControlStyle(), 1.0, false);
        break;
    }
    case ctRadio:
        G->DrawRadio(Cv, r, CG->FCellAngle, CG->FCellIndex, CG->FCellBoolean, !Editable(C),
                     dynamic_cast<TStrings*>(CG->FCellBitmap), C.AState.Contains(gdSelected), C.OCol, C.ARow,
                     L->GetControlStyle(), 1.0, false);
        break;
    case ctRotated:
        DrawRotated(C, r, CG);
        if (G->IsSortHeaderCell(C)) G->DrawSortIndicator(Cv, C.OCol, WR.Right - 10, WR.Top + 8);
        break;
    case ctNode: DrawNode(C, r, CG); break;
    case ctPicture:
        if (auto* P = dynamic_cast<TPicture*>(CG->FCellBitmap); P && P->GetGraphic() && !P->GetGraphic()->GetEmpty()) {
            TRect PR = WR;
            if (!G->GetOptions().Contains(goVertLine)) PR = Moved(PR, -1, 0);
            if (!G->GetOptions().Contains(goHorzLine)) PR = Moved(PR, 0, -2);
            if (CG->FCellAngle != int(noStretch) && CG->FCellAngle >= 0) Cv->StretchDraw(PR, P->GetGraphic());
            else Cv->Draw(PR.Left, PR.Top, P->GetGraphic());
        }
        break;
    case ctFilePicture:
        if (auto* F = dynamic_cast<TFilePicture*>(CG->FCellBitmap)) F->DrawPicture(Cv, WR);
        break;
    case ctProgress: DrawProgress(C, r, CG); break;
    case ctButton:
    case ctBitButton:
    case ctExpand:
    case ctVirtButton: DrawButtonKind(C, WR, CG); break;
    case ctProgressPie:
        QorUtil::DrawProgressPie(Cv, TRect(WR.Left, WR.Top, WR.Left + 20, WR.Top + 20), TColor(CG->FCellErrFrom),
                                 CG->FCellAngle, false);
        break;
    case ctRangeIndicator: {
        TRect R2(r.Left + L->GetProgressMarginX(), r.Top + L->GetProgressMarginY(), r.Right - L->GetProgressMarginX(),
                 r.Bottom - L->GetProgressMarginY());
        QorUtil::DrawRangeIndicator(Cv, R2, CellInt(G->GetCellEx(C.ACol, C.ARow)), CG->FCellIndex, CG->FCellBoolean,
                                    CG->FCellBitmapColor, CG->FCellIconColor);
        break;
    }
    case ctXPProgress: {
        TRect R2(r.Left + L->GetProgressMarginX(), r.Top + L->GetProgressMarginY(),
                 r.Right - L->GetProgressMarginX() - 1, r.Bottom - L->GetProgressMarginY() - 1);
        TGridProgressAppearance* PA = G->GetProgressAppearance();
        QorUtil::TGaugeSettings S;
        S.Level0Color = PA->GetLevel0Color();
        S.Level0ColorTo = PA->GetLevel0ColorTo();
        S.Level1Color = PA->GetLevel1Color();
        S.Level1ColorTo = PA->GetLevel1ColorTo();
        S.Level2Color = PA->GetLevel2Color();
        S.Level2ColorTo = PA->GetLevel2ColorTo();
        S.Level3Color = PA->GetLevel3Color();
        S.Level3ColorTo = PA->GetLevel3ColorTo();
        S.Level1Perc = PA->GetLevel1Perc();
        S.Level2Perc = PA->GetLevel2Perc();
        S.BorderColor = PA->GetBorderColor();
        S.ShowBorder = PA->GetShowBorder();
        S.Stacked = PA->GetStacked();
        S.ShowPercentage = PA->GetShowPercentage();
        S.Font = G->GetFont();
        S.FontColor = PA->GetCompleteFontColor();
        S.CompletionSmooth = PA->GetCompletionSmooth();
        S.ShowGradient = PA->GetShowGradient();
        S.Steps = PA->GetSteps();
        S.BackgroundColor = PA->GetUnCompleteColor() == clNone ? Cv->GetBrush()->GetColor() : PA->GetUnCompleteColor();
        const int Percent =
            GaugePercent(CellInt(G->GetCellEx(C.ACol, C.ARow)), CG->FCellErrFrom, CG->FCellErrLen);
        QorUtil::DrawGauge(Cv, R2, Percent, S);
        break;
    }
    case ctInterface:
        if (auto* I = dynamic_cast<ICellGraphic*>(CG->FCellBitmap))
            I->Draw(Cv, TRect(r.Left - 1, r.Top - 1, r.Right, r.Bottom), C.OCol, C.ARow,
                    C.AState.Contains(gdSelected), C.AState);
        break;
    case ctShape:
        QorUtil::DrawShape(Cv, WR.Left, WR.Top, WR.Width() - 1, WR.Height() - 1, QorUtil::TCellShape(
                               std::clamp(CG->FCellAngle, 0, int(QorUtil::csHalfStar))),
                           TColor(CG->FCellIndex), CG->FCellBitmapColor);
        break;
    case ctRating: DrawRating(C, WR, CG); break;
    case ctDataPicture:
        if (TPictureContainer* PC = G->GetPictureContainer()) {
            if (TGraphic* Pic = PC->FindPicture(G->GetCellEx(C.ACol, C.ARow)); Pic && !Pic->GetEmpty())
                Cv->Draw(WR.Left, WR.Top, Pic);
        }
        break;
    default: break;
    }
    DrawComment(C, r, CG);
}

void TCellWidgetPainter::DrawBorders(TCellPaintContext& C, int ACol, int ARow, TRect tr)
{
    TQorStringGrid* G = C.Grid;
    TCanvas* Cv = C.Canvas;
    TPen Saved;
    Saved.Assign(Cv->GetPen());
    TCellBorders Borders;
    G->GetCellBorder(ACol, ARow, Cv->GetPen(), Borders);
    TPen LeftPen, TopPen, RightPen, BottomPen;
    for (TPen* P : {&LeftPen, &TopPen, &RightPen, &BottomPen}) P->Assign(Cv->GetPen());
    if (G->OnGetCellBorderProp) G->OnGetCellBorderProp(G, ARow, ACol, &LeftPen, &TopPen, &RightPen, &BottomPen);
    const TGridOptions O = G->GetOptions();
    int h = (Cv->GetPen()->GetWidth() + 1) / 2;
    const int m = O.Contains(goVertLine) ? h : 0;
    if (!O.Contains(goHorzLine)) h = 0;
    tr.Left += C.IsFixedCell ? m : m - 1;
    tr.Bottom -= h;
    if (Borders.Contains(cbLeft)) {
        Cv->GetPen()->Assign(&LeftPen);
        Cv->MoveTo(std::max(0, int(tr.Left)), tr.Top);
        Cv->LineTo(std::max(0, int(tr.Left)), tr.Bottom);
    }
    tr.Right -= m;
    if (Borders.Contains(cbRight)) {
        Cv->GetPen()->Assign(&RightPen);
        Cv->MoveTo(tr.Right - 1, tr.Top);
        Cv->LineTo(tr.Right - 1, tr.Bottom);
    }
    if (Borders.Contains(cbTop)) {
        Cv->GetPen()->Assign(&TopPen);
        const int Y = O.Contains(goHorzLine) ? std::max(0, int(tr.Top) + h + 1 - G->GetGridLineWidth() - 1) : tr.Top + h + 2;
        Cv->MoveTo(tr.Left, Y);
        Cv->LineTo(tr.Right, Y);
    }
    if (Borders.Contains(cbBottom)) {
        Cv->GetPen()->Assign(&BottomPen);
        Cv->MoveTo(tr.Left, tr.Bottom - 1);
        Cv->LineTo(tr.Right, tr.Bottom - 1);
    }
    Cv->GetPen()->Assign(&Saved);
}

void TCellWidgetPainter::DrawWallPaperTile(TCellPaintContext& C, TRect crect)
{
    TQorStringGrid* G = C.Grid;
    TBackGround* BG = G->GetBackGround();
    TBitmap* Bmp = BG->GetBitmap();
    if (!Bmp || Bmp->GetEmpty() || crect.IsEmpty()) return;
    const int W = Bmp->GetWidth(), H = Bmp->GetHeight();
    // The pattern is anchored at the first counted cell.
    const int FirstCol = BG->GetCells() == bcNormal ? G->GetFixedCols() : 0;
    const int FirstRow = BG->GetCells() == bcNormal ? G->GetFixedRows() : 0;
    int SumX = 0, SumY = 0;
    for (int c = FirstCol; c < C.OCol; ++c) SumX += G->GetColWidths(c);
    for (int r = FirstRow; r < C.ARow; ++r) SumY += G->GetRowHeights(r);
    // The tile that starts SumX, SumY pixels before the cell's (left - 1, top - 1).
    TileBitmap(C.Canvas, Bmp, TPoint(crect.Left - 1 - SumX % W, crect.Top - 1 - SumY % H), crect);
}

void TCellWidgetPainter::DrawGradientBackground(TCellPaintContext& C, TRect crect)
{
    TQorStringGrid* G = C.Grid;
    TBackGround* BG = G->GetBackGround();
    const bool Horz = BG->GetDisplay() == bdGradientHorz;
    TColor From, To;
    if (Horz) {
        From = QorUtil::GradientAt(BG->GetColor(), BG->GetColorTo(), 0, G->GetWidth(), crect.Left);
        To = QorUtil::GradientAt(BG->GetColor(), BG->GetColorTo(), 0, G->GetWidth(), crect.Right);
    } else {
        From = QorUtil::GradientAt(BG->GetColor(), BG->GetColorTo(), 0, G->GetHeight(), crect.Top);
        To = QorUtil::GradientAt(BG->GetColor(), BG->GetColorTo(), 0, G->GetHeight(), crect.Bottom);
    }
    C.Canvas->GetBrush()->SetColor(To);
    C.Canvas->GetPen()->SetColor(To);
    if (!G->GetOptions().Contains(goHorzLine)) crect.Bottom += 1;
    QorDropDown::DrawGradient(C.Canvas, From, To, 128, crect, Horz);
}

namespace CellWidgetPaint {

void DrawCellGraphic(TCellPaintContext& C, TRect& r, TCellGraphic* CellGraphic, TVAlignment VertAlign)
{
    TCellWidgetPainter::DrawCellGraphic(C, r, CellGraphic, VertAlign);
}

void DrawBorders(TCellPaintContext& C, int ACol, int ARow, TRect tr)
{
    TCellWidgetPainter::DrawBorders(C, ACol, ARow, tr);
}

void DrawWallPaperFixed(TCellPaintContext& C, TRect crect)
{
    if (!C.Grid) return;
    TBackGround* BG = C.Grid->GetBackGround();
    CopyBitmapPart(C.Canvas, BG->GetBitmap(), TPoint(BG->GetLeft(), BG->GetTop()), crect);
}

void DrawWallPaperTile(TCellPaintContext& C, TRect crect)
{
    if (C.Grid && C.Canvas) TCellWidgetPainter::DrawWallPaperTile(C, crect);
}

void DrawGradientBackground(TCellPaintContext& C, TRect crect)
{
    if (C.Grid && C.Canvas) TCellWidgetPainter::DrawGradientBackground(C, crect);
}

}  // namespace CellWidgetPaint
