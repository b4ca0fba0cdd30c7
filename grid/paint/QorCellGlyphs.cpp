// TQorStringGrid: the small stateful glyphs cells show: check boxes (two or three states), radio
// groups with captions and the sort indicator of header cells, in every control style: the
// system's frame controls (classic, flat), visual-style parts (theme: only with common controls 6
// and a style active, else classic), the grid's own bitmaps (WinXP, JOQ), user glyphs and a drawn
// look (Borland). The widget painter, the text painter and the print code call them.
#include "grid/QorGrid.h"

#include "framework/Math.h"
#include "framework/WinScope.h"
#include "graphics/QorXPVS.h"
#include "grid/paint/ArrowFocusWindows.h"
#include "grid/paint/CellWidgetPaint.h"
#include "grid/store/QorGridOptions.h"
#include "grid/store/QorObj.h"

#include <uxtheme.h>
#include <vsstyle.h>

using CellWidgetPaint::GridResourceBitmap;
using CellWidgetPaint::TCanvasObjectsScope;

namespace {

// The style actually drawn: the theme style needs common controls 6 and an active visual style.
QorGrid::TControlStyle EffectiveStyle(QorGrid::TControlStyle Style)
{
    if (Style == csTheme && !ArrowFocusWindows::DoThemeDrawing()) return csClassic;
    return Style;
}

// Draws a bitmap with its transparent colour left out; the bitmap's own setting is kept.
void DrawTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Bmp)
{
    if (!Bmp || Bmp->GetEmpty()) return;
    const bool Was = Bmp->GetTransparent();
    Bmp->SetTransparent(true);
    Canvas->Draw(X, Y, Bmp);
    Bmp->SetTransparent(Was);
}

// The resource of a bitmap style's check box or radio button, in the order checked enabled,
// unchecked enabled, checked disabled, unchecked disabled (1 to 4; 5 to 8 for the WinXP style).
String GlyphResource(const wchar_t* Prefix, QorGrid::TControlStyle Style, bool Checked, bool Enabled)
{
    int N = Checked ? 1 : 2;
    if (!Enabled) N += 2;
    if (Style == csWinXP) N += 4;
    return String(Prefix) + L"0" + IntToStr(N);
}

// Draws one visual-style part; false when the binding or the theme is missing.
bool DrawThemePart(HWND Wnd, HDC DC, int Part, int State, const TRect& R)
{
    if (!QorXPVS::OpenThemeData || !QorXPVS::DrawThemeBackground || !QorXPVS::CloseThemeData) return false;
    HTHEME Theme = QorXPVS::OpenThemeData(Wnd, L"button");
    if (!Theme) return false;
    RECT Rc{R.Left, R.Top, R.Right, R.Bottom};
    QorXPVS::DrawThemeBackground(Theme, DC, Part, State, &Rc, nullptr);
    QorXPVS::CloseThemeData(Theme);
    return true;
}

}  // namespace

// ---- Check box ---------------------------------------------------------------------------------

void TQorStringGrid::DrawCheck(TRect R, bool State, bool Enabled, bool Grayed, QorGrid::TControlStyle ControlStyle,
                               bool bTriState, TCheckBoxState cbState)
{
    TControlLook* L = FOpt.FControlLook.get();
    TCanvas* Canvas = GetCanvas();
    if (L->GetNoDisabledCheckRadioLook() || L->GetCheckAlwaysActive()) Enabled = true;
    ControlStyle = EffectiveStyle(ControlStyle);
    if (bTriState) {
        State = cbState == cbChecked;
        if (cbState == cbGrayed) Grayed = true;
    }
    // Right-to-left reading mirrors the box in the client area; cells painted onto a surface of
    // their own (no mirroring) only move by the text inset.
    if (UseRightToLeftAlignment() && HandleAllocated()) {
        if (FNoRTLOrientation) {
            R.Left += FText.FTextOffset.X;
            R.Right += FText.FTextOffset.X;
        } else {
            const int W = GetClientWidth();
            R = TRect(W - R.Right, R.Top, W - R.Left, R.Bottom);
        }
    }
    TCanvasObjectsScope Keep(Canvas);
    const int Size = L->GetCheckBoxSize();
    const int Scaled = int(Round(Size * FLookState.FDPIScale));
    switch (ControlStyle) {
    case csWinXP:
    case csJOQ:
        DrawTransparent(Canvas, R.Left, R.Top, GridResourceBitmap(GlyphResource(L"JYRCHK", ControlStyle, State, Enabled)));
        break;
    case csGlyph:
        DrawTransparent(Canvas, R.Left, R.Top, State ? L->GetCheckedGlyph() : L->GetUnCheckedGlyph());
        break;
    case csBorland: {
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        Canvas->FillRect(R);
        Canvas->GetPen()->SetWidth(1);
        Canvas->GetPen()->SetStyle(psSolid);
        Canvas->GetPen()->SetColor(clBtnHighlight);
        Canvas->MoveTo(R.Left, R.Bottom - 1);
        Canvas->LineTo(R.Left, R.Top);
        Canvas->LineTo(R.Right - 1, R.Top);
        Canvas->GetPen()->SetColor(clBtnShadow);
        Canvas->LineTo(R.Right - 1, R.Bottom - 1);
        Canvas->LineTo(R.Left, R.Bottom - 1);
        if (State) {
            Canvas->GetPen()->SetColor(Enabled ? L->GetColor() : TColor(0x808080));
            const int Mid = R.Top + Size / 2;
            Canvas->MoveTo(R.Left + 2, Mid);
            Canvas->LineTo(R.Left + 2, R.Bottom - 2);
            Canvas->MoveTo(R.Left + 3, Mid - 1);
            Canvas->LineTo(R.Left + 3, R.Bottom - 3);
            Canvas->MoveTo(R.Left + 2, R.Bottom - 2);
            Canvas->LineTo(R.Right - 2, R.Top + 2);
            Canvas->MoveTo(R.Left + 3, R.Bottom - 2);
            Canvas->LineTo(R.Right - 1, R.Top + 2);
        }
        break;
    }
    case csTheme: {
        const int ThemeState = Grayed ? (Enabled ? CBS_MIXEDNORMAL : CBS_MIXEDDISABLED)
                               : State ? (Enabled ? CBS_CHECKEDNORMAL : CBS_CHECKEDDISABLED)
                                       : (Enabled ? CBS_UNCHECKEDNORMAL : CBS_UNCHECKEDDISABLED);
        if (DrawThemePart(HandleAllocated() ? GetHandle() : nullptr, Canvas->GetHandle(), BP_CHECKBOX, ThemeState,
                          TRect(R.Left, R.Top, R.Left + Scaled, R.Top + Scaled)))
            break;
        [[fallthrough]];
    }
    default: {
        // The system's check box, centred in R.
        const int X = R.Left + (R.Width() - Scaled) / 2, Y = R.Top + (R.Height() - Scaled) / 2;
        RECT Box{X, Y, X + Scaled, Y + Scaled};
        UINT Flags = DFCS_BUTTONCHECK;
        if (State) Flags |= DFCS_CHECKED;
        if (Grayed) Flags = DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (ControlStyle == csFlat) Flags |= DFCS_FLAT;
        if (!Enabled) Flags |= DFCS_INACTIVE;
        DrawFrameControl(Canvas->GetHandle(), &Box, DFC_BUTTON, Flags);
        break;
    }
    }
}

// ---- Radio group -------------------------------------------------------------------------------

void TQorStringGrid::DrawRadio(TCanvas* Canvas, TRect R, int Num, int Idx, bool dir, bool dis, TStrings* sl,
                               bool Selected, int ACol, int ARow, QorGrid::TControlStyle Style, double ResFactor,
                               bool Print)
{
    if (!Canvas || Num <= 0) return;
    TControlLook* L = FOpt.FControlLook.get();
    if (L->GetNoDisabledCheckRadioLook() || L->GetRadioAlwaysActive()) dis = false;
    Style = EffectiveStyle(Style);
    TCanvasObjectsScope Keep(Canvas);
    HDC DC = Canvas->GetHandle();
    const int OldMode = SetBkMode(DC, TRANSPARENT);
    auto RestoreMode = ScopeExit([&] { SetBkMode(DC, OldMode); });
    if (Selected && CanShowSelection()) Canvas->GetFont()->SetColor(GetSelectionTextColor());

    const bool Small = Style == csClassic || Style == csFlat;
    const bool DrawnLook = Style == csBorland || Style == csTheme;
    const int RadioSize = L->GetRadioSize();
    const int Size = Small ? int(Round((RadioSize + (Style == csFlat ? 2 : 0)) * ResFactor)) : 16;
    const int Sign = Print ? -1 : 1;   // the y axis runs upward on a printed page
    const int LineH = Canvas->TextHeight(L"gh");
    const String CellText = ACol >= 0 && ARow >= 0 && ACol < GetColCount() && ARow < GetRowCount()
                                ? GetCells(ACol, ARow) : String();
    int CaptionsWidth = 0;

    for (int i = 1; i <= Num; ++i) {
        const bool HasCaption = sl && i - 1 < sl->Count();
        const String Caption = HasCaption ? sl->GetStrings(i - 1) : String();
        const bool Checked = i - 1 == Idx || (Idx == -1 && HasCaption && Caption == CellText);
        const int CW = HasCaption ? Canvas->TextWidth(Caption) : 0;
        int X, Y, CaptionX;
        if (dir) {
            X = R.Left + 2 + (i - 1) * (Small ? RadioSize : 16) + CaptionsWidth;
            Y = Print ? (R.Top + R.Bottom) / 2 + Size / 2 : (R.Top + R.Bottom - Size) / 2;
            CaptionX = X + (Small ? int(Round(RadioSize * ResFactor)) : 16);
            if (i == 1 && L->GetRadioRange()) {
                // The range's first item: its caption first, its button after it.
                const int X0 = X - (Small ? RadioSize + 2 : 16);
                CaptionX = X0;
                X = X0 + CW + (Small ? RadioSize + 2 : DrawnLook ? 18 : 16);
            }
        } else {
            const int Step = Small ? LineH : std::max(16, LineH);
            Y = R.Top + Sign * ((i - 1) * Step + 2);
            X = R.Left + 2;
            CaptionX = Small ? X + int(Round((RadioSize + 4) * ResFactor)) : R.Left + (DrawnLook ? 20 : 18);
            if (!HasCaption) X = R.Left + (R.Width() - Size) / 2;
        }
        if (HasCaption) Canvas->TextOut(CaptionX, dir ? Y - Sign * 2 : Y, Caption);
        CaptionsWidth += CW;

        // The button's rectangle, top-down on the page in both coordinate systems.
        const TRect B = Print ? TRect(X, Y - Size, X + Size, Y) : TRect(X, Y, X + Size, Y + Size);
        switch (Style) {
        case csBorland: {
            const TPoint Outer[] = {{X + 2, Y + 8}, {X + 8, Y + 2}, {X + 14, Y + 8}, {X + 8, Y + 14}};
            Canvas->GetPen()->SetStyle(psSolid);
            Canvas->GetPen()->SetWidth(1);
            Canvas->GetPen()->SetColor(clBtnFace);
            Canvas->GetBrush()->SetStyle(bsSolid);
            Canvas->GetBrush()->SetColor(clBtnFace);
            Canvas->Polygon(Outer, 4);
            // Raised (white upper edges) when off, sunken when on.
            Canvas->GetPen()->SetColor(Checked ? TColor(0x808080) : clWhite);
            Canvas->MoveTo(Outer[0].X, Outer[0].Y);
            Canvas->LineTo(Outer[1].X, Outer[1].Y);
            Canvas->LineTo(Outer[2].X, Outer[2].Y);
            Canvas->GetPen()->SetColor(Checked ? clWhite : TColor(0x808080));
            Canvas->LineTo(Outer[3].X, Outer[3].Y);
            Canvas->LineTo(Outer[0].X, Outer[0].Y);
            if (Checked) {
                const TPoint Dot[] = {{X + 6, Y + 8}, {X + 8, Y + 6}, {X + 10, Y + 8}, {X + 8, Y + 10}};
                Canvas->GetPen()->SetColor(L->GetColor());
                Canvas->GetBrush()->SetColor(L->GetColor());
                Canvas->Polygon(Dot, 4);
            }
            break;
        }
        case csTheme: {
            const int State = Checked ? (dis ? RBS_CHECKEDDISABLED : RBS_CHECKEDNORMAL)
                                      : (dis ? RBS_UNCHECKEDDISABLED : RBS_UNCHECKEDNORMAL);
            if (DrawThemePart(HandleAllocated() ? GetHandle() : nullptr, DC, BP_RADIOBUTTON, State, B)) break;
            [[fallthrough]];
        }
        case csClassic:
        case csFlat: {
            RECT Rc{B.Left, B.Top, B.Left + Size, B.Top + Size};
            UINT Flags = DFCS_BUTTONRADIO;
            if (Style == csFlat) Flags |= DFCS_FLAT;
            if (dis) Flags |= DFCS_INACTIVE;
            if (Checked) Flags |= DFCS_CHECKED;
            DrawFrameControl(DC, &Rc, DFC_BUTTON, Flags);
            break;
        }
        case csGlyph:
            DrawTransparent(Canvas, B.Left, B.Top, Checked ? L->GetRadioOnGlyph() : L->GetRadioOffGlyph());
            break;
        default:   // csWinXP, csJOQ
            DrawTransparent(Canvas, B.Left, B.Top, GridResourceBitmap(GlyphResource(L"JYRRAD", Style, Checked, !dis)));
            break;
        }
    }
}

// ---- Sort indicator ----------------------------------------------------------------------------

void TQorStringGrid::DrawSortIndicator(TCanvas* Canvas, int Col, int x, int y)
{
    if (!Canvas) return;
    TSortSettings* S = FOpt.FSortSettings.get();
    const bool IndexGlyphs = !S->GetIndexUpGlyph()->GetEmpty() && !S->GetIndexDownGlyph()->GetEmpty();
    const bool Glyphs = !S->GetUpGlyph()->GetEmpty() && !S->GetDownGlyph()->GetEmpty();
    if (UseRightToLeftAlignment() && HandleAllocated()) {
        x = GetClientWidth() - x - 4 - 7;
        if (S->GetIndexShow() ? IndexGlyphs : Glyphs) x -= (S->GetIndexShow() ? S->GetIndexUpGlyph() : S->GetUpGlyph())->GetWidth();
    }
    TCanvasObjectsScope Keep(Canvas);
    HDC DC = Canvas->GetHandle();
    Canvas->GetPen()->SetStyle(psSolid);
    Canvas->GetPen()->SetWidth(1);

    if (S->GetIndexShow()) {
        TSortIndexList* List = FLists.FSortIndexes.get();
        const int p = List ? List->FindIndex(Col) : -1;
        if (p < 0) return;
        const bool Descending = !List->GetSortDirections(p);
        Canvas->GetBrush()->SetStyle(bsSolid);
        Canvas->GetBrush()->SetColor(S->GetIndexColor());
        Canvas->GetPen()->SetColor(clBlack);
        Canvas->GetFont()->SetColor(clBlack);
        Canvas->GetFont()->SetSize(6);
        // A descending entry shows the up glyph, as the index sort always has.
        if (Descending) {
            if (IndexGlyphs) DrawTransparent(Canvas, x - 7, y - 7, S->GetIndexUpGlyph());
            else {
                const TPoint T[] = {{x - 7, y - 5}, {x + 7, y - 5}, {x, y + 8}};
                Canvas->Polygon(T, 3);
            }
        } else if (IndexGlyphs) {
            DrawTransparent(Canvas, x - 7, y - 7, S->GetIndexDownGlyph());
        } else {
            const TPoint T[] = {{x - 6, y + 8}, {x + 6, y + 8}, {x, y - 4}};
            Canvas->Polygon(T, 3);
        }
        const int OldMode = SetBkMode(DC, TRANSPARENT);
        Canvas->TextOut(x - 2, Descending ? y - 4 : y - 2, IntToStr(p + 1));
        SetBkMode(DC, OldMode);
        return;
    }

    const bool Descending = S->GetDirection() == sdDescending;
    if (Glyphs) {
        DrawTransparent(Canvas, x - 4, y - 4, Descending ? S->GetDownGlyph() : S->GetUpGlyph());
        return;
    }
    // An outlined triangle, lit from the top left.
    if (Descending) {
        Canvas->GetPen()->SetColor(clWhite);
        Canvas->MoveTo(x + 4, y - 4);
        Canvas->LineTo(x, y + 4);
        Canvas->GetPen()->SetColor(TColor(0x808080));
        Canvas->LineTo(x - 4, y - 4);
        Canvas->LineTo(x + 4, y - 4);
    } else {
        Canvas->GetPen()->SetColor(clWhite);
        Canvas->MoveTo(x - 4, y + 4);
        Canvas->LineTo(x + 4, y + 4);
        Canvas->LineTo(x, y - 4);
        Canvas->GetPen()->SetColor(TColor(0x808080));
        Canvas->LineTo(x - 4, y + 4);
    }
    Canvas->GetPen()->SetColor(clBlack);
}
