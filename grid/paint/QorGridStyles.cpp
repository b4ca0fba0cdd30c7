// TQorStringGrid: the grid's appearance in three layers. The look (SetLook) chooses how fixed
// cells are decorated and resets the colours that go with it; the component style loads one of 24
// palettes (the table below) into the look's gradient fields, the control look, the selection, the
// sort header, the active cell, the grid lines and the search footer; colour tones switch to a
// flat scheme of five tone triples. Theme adaptation follows the installed Office theme.
#include "grid/QorGrid.h"

#include "graphics/QorUtil.h"
#include "grid/QorGridSatellites.h"
#include "grid/paint/CellWidgetPaint.h"
#include "grid/store/QorGridOptions.h"
#include "controls/JyrFlatLook.h"
#include "grid/input/EditControlEditors.h"

#include <array>
#include <optional>

using namespace QorStyleIF;

namespace {

// A palette entry that leaves the value as it is (distinct from clNone, which palettes write).
constexpr TColor Keep = TColor(0x2FFFFFFF);

using TColor2 = std::array<TColor, 2>;
using TColor4 = std::array<TColor, 4>;
using TColor5 = std::array<TColor, 5>;   // from, to, mirror from, mirror to, border

constexpr TColor2 Keep2{Keep, Keep};
constexpr TColor4 Keep4{Keep, Keep, Keep, Keep};
constexpr TColor5 Keep5{Keep, Keep, Keep, Keep, Keep};
constexpr TColor4 All4(TColor C) { return {C, C, C, C}; }
constexpr TColor5 All5(TColor C, TColor Border) { return {C, C, C, C, Border}; }

// Where a palette's selection style comes from.
enum class TSelStyle { Keep, Default, Vista, Win7, Office2007IfLook };

// One component style's palette, applied in the order of the fields after the common reset:
// the look, the border, the look's own gradient fields, the control look's fixed, mirror, hover
// and pressed colours (which the control look forwards to the grid), the sort header, the active
// cell, the selection, the grid lines, the search footer and the fonts.
struct TStylePalette {
    TJOQStyle Style;
    std::optional<TGridLook> Look;
    TColor Border = Keep;
    TColor4 Grad = Keep4;         // FJOQGradFrom, FJOQGradTo, FJOQGradMirrorFrom, FJOQGradMirrorTo
    TColor5 GridHover = Keep5;    // the grid's own hover fields
    TColor2 FixedFirst = Keep2;   // FixedGradientFrom / To before the mirrors
    TColor2 FixedMirror = Keep2;  // FixedGradientMirrorFrom / To
    TColor5 Hover = Keep5;        // the control look's hover gradient and border
    TColor5 Down = Keep5;         // the control look's pressed gradient and border
    bool AppColorHoverDown = false;   // hover and pressed from the application colour
    TColor4 Header = Keep4;       // SortSettings HeaderColor, HeaderColorTo, HeaderMirrorColor, HeaderMirrorColorTo
    TColor2 Active = Keep2;
    TColor2 Fixed = Keep2;        // FixedGradientFrom / To last
    TColor Select = Keep, SelectTo = Keep, SelectText = Keep;
    TSelStyle SelStyle = TSelStyle::Keep;
    TColor2 Lines = Keep2;        // grid line colour, fixed-cell line colour
    TColor2 Footer = Keep2;       // search footer Color / ColorTo
    bool FooterFromGrad = false;  // the common ending: footer (FJOQGradFrom, FJOQGradMirrorTo)
    TColor FixedFontColor = Keep;
    TColor ActiveFontColor = Keep;   // clDefault: the application colour
};

constexpr TColor None = clNone;
const TColor White = TColor(0xFFFFFF);
const TColor Black = TColor(0x000000);

TStylePalette Office2003(TJOQStyle S, TColor K, TColor J)
{
    TStylePalette P{S};
    P.Look = glXP;
    P.Grad = {K, J, None, None};
    P.Active = {TColor(0x94E6FB), TColor(0x1595EE)};
    P.Fixed = {K, J};
    P.Lines = {TColor(0xC0C0C0), TColor(0x808080)};
    P.Footer = {K, None};
    P.Select = TColor(0x94E6FB);
    P.SelectTo = TColor(0x1595EE);
    P.SelectText = Black;
    return P;
}

TStylePalette ClassicOrWhidbey(TJOQStyle S, std::optional<TGridLook> Look, TColor T, TColor2 Active)
{
    TStylePalette P{S};
    P.Look = Look;
    P.Grad = {White, T, None, None};
    P.Fixed = {None, None};
    P.Lines = {TColor(0xC0C0C0), TColor(0x808080)};
    P.Footer = {White, None};
    P.Active = Active;
    return P;
}

TStylePalette Office2007(TJOQStyle S, TColor2 Active, TColor From, TColor To, bool Mirrors, TColor2 Lines,
                         TColor Select)
{
    TStylePalette P{S};
    P.Look = glOffice2007;
    P.Active = Active;
    P.Grad = {From, To, Mirrors ? None : Keep, Mirrors ? None : Keep};
    P.Fixed = {From, To};
    P.Lines = Lines;
    P.Select = Select;
    P.SelectText = Black;
    return P;
}

// Vista and Windows 7: their own looks, the common ending.
TStylePalette WindowsLook(TJOQStyle S, TGridLook Look, TSelStyle Sel, TColor4 Grad, TColor5 GridHover, TColor5 Hover,
                          TColor5 Down, TColor2 Active)
{
    TStylePalette P{S};
    P.Look = Look;
    P.Grad = Grad;
    P.GridHover = GridHover;
    P.Hover = Hover;
    P.FixedMirror = {Grad[2], Grad[3]};
    P.Down = Down;
    P.Active = Active;
    P.Fixed = {None, None};
    P.Select = TColor(0xEACAB6);
    P.SelectText = Black;
    P.SelStyle = Sel;
    P.Lines = {TColor(0xECECF0), TColor(0xD4D2D1)};
    P.Header = {TColor(0xFCF9F2), TColor(0xFCF9F2), TColor(0xF9F1E1), TColor(0xF6ECD8)};
    P.FooterFromGrad = true;
    return P;
}

TStylePalette Office2010(TJOQStyle S, TColor G, TColor H, TColor F)
{
    TStylePalette P{S};
    P.Look = glOffice2007;
    P.Grad = All4(G);
    P.GridHover = All5(None, None);
    P.FixedFirst = {G, G};
    P.FixedMirror = {G, G};
    P.Hover = {TColor(0x6BDFFF), TColor(0xAFEFFF), TColor(0xAFEFFF), TColor(0xE6FCFF), TColor(0x3ABFE8)};
    P.Down = {TColor(0x5BD5FF), TColor(0x64E0FF), TColor(0x64E0FF), TColor(0x71EFFF), TColor(0x308AC2)};
    P.Header = All4(H);
    P.Active = {TColor(0x5BD5FF), TColor(0x71EFFF)};
    P.Fixed = {None, None};
    P.Select = TColor(0xFFDBB7);
    P.SelectText = Black;
    P.SelStyle = TSelStyle::Default;
    P.Lines = {TColor(0xC0C0C0), F};
    P.FooterFromGrad = true;
    return P;
}

// The flat styles (Windows 8 and 10, Office 2013) and the base of the Office 2016 styles.
TStylePalette Flat(TJOQStyle S, TColor B, TColor G, TColor V, TColor W, TColor D, TColor E)
{
    TStylePalette P{S};
    P.Look = glOffice2007;
    P.Border = B;
    P.Grad = All4(G);
    P.GridHover = All5(None, None);
    P.FixedFirst = {G, G};
    P.FixedMirror = {G, G};
    P.Hover = All5(V, W);
    P.Down = All5(D, E);
    P.Header = All4(G);
    P.Active = {G, G};
    P.Fixed = {None, None};
    P.Select = TColor(0xDAA026);
    P.SelectText = White;
    P.SelStyle = TSelStyle::Default;
    P.Lines = {B, B};
    return P;
}

TStylePalette Office2016(TJOQStyle S, TColor B, TColor G, TColor Active, TColor2 Lines, TColor FontColor)
{
    TStylePalette P = Flat(S, B, G, Keep, Keep, Keep, Keep);
    P.Hover = Keep5;
    P.Down = Keep5;
    P.AppColorHoverDown = true;
    P.Active = {Active, Active};
    P.Select = TColor(0xC6C6C6);
    P.SelectText = Black;
    P.Lines = Lines;
    P.FooterFromGrad = true;
    P.FixedFontColor = FontColor;
    P.ActiveFontColor = FontColor;
    return P;
}

// The palettes of the 24 styles (tsCustom has none: the common reset only).
const std::vector<TStylePalette>& Palettes()
{
    static const std::vector<TStylePalette> Table = [] {
        std::vector<TStylePalette> T;
        T.push_back(Office2003(tsOffice2003Blue, TColor(0xFCE1CB), TColor(0xE0A57D)));
        T.push_back(Office2003(tsOffice2003Silver, TColor(0xECE2E1), TColor(0xB39698)));
        T.push_back(Office2003(tsOffice2003Olive, TColor(0xCFF0EA), TColor(0x8CC0B1)));
        T.push_back(ClassicOrWhidbey(tsOffice2003Classic, glXP, TColor(0xCCD4D8), {TColor(0xD8D5D4), TColor(0xD8D5D4)}));
        {
            TStylePalette P = Office2007(tsOffice2007Luna, {TColor(0x9DD8F9), TColor(0x5EC1F1)}, TColor(0xFBF9F6),
                                         TColor(0xE8DBD2), true, {TColor(0xF1EDEB), TColor(0xD1BBA4)}, TColor(0x5EC1F1));
            P.Footer = {TColor(0xFBF9F6), None};
            P.Hover = {TColor(0xE4E2DF), TColor(0xDBD3CD), TColor(0xDBD3CD), TColor(0xD2C5BC), TColor(0xB79F87)};
            P.Down = All5(TColor(0xE4C19D), TColor(0xE4C19D));
            P.SelStyle = TSelStyle::Office2007IfLook;
            T.push_back(P);
        }
        {
            TStylePalette P = Office2007(tsOffice2007Obsidian, {TColor(0x9DD8F9), TColor(0x5EC1F1)}, TColor(0xF7F7F7),
                                         TColor(0xDEDEDE), true, {TColor(0xE5D7D0), TColor(0x808080)}, TColor(0x5EC1F1));
            P.Footer = {TColor(0xF2F1F0), TColor(0xC9C2BD)};
            T.push_back(P);
        }
        {
            TStylePalette P{tsWindowsXP};
            P.Look = glXP;
            P.Active = {clBtnFace, clBtnFace};
            P.Grad = {clBtnFace, clBtnFace, None, None};
            P.Fixed = {None, None};
            P.Lines = {TColor(0xC0C0C0), TColor(0x808080)};
            P.Footer = {clBtnFace, None};
            T.push_back(P);
        }
        T.push_back(ClassicOrWhidbey(tsWhidbey, std::nullopt, clBtnFace, {TColor(0x94E6FB), TColor(0x1595EE)}));
        {
            TStylePalette P = Office2007(tsOffice2007Silver, {TColor(0x99CCFF), TColor(0x699CFF)}, TColor(0xF3F3F1),
                                         TColor(0xCAC9C8), false, {TColor(0xE5D7D0), TColor(0x808080)}, TColor(0x95C7F5));
            P.Footer = {TColor(0xEEEEEE), TColor(0xC1C1C1)};
            T.push_back(P);
        }
        {
            const TColor5 Hover{TColor(0xFFF7E3), TColor(0xFFF7E3), TColor(0xFFEDBD), TColor(0xFBE7B7), TColor(0xE3C993)};
            T.push_back(WindowsLook(tsWindowsVista, glVista, TSelStyle::Vista,
                                    {TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0xFAF8F7), TColor(0xF4F2F1)}, Hover, Hover,
                                    {TColor(0xF9E4BC), TColor(0xF9E4BC), TColor(0xF7D68D), TColor(0xF5D18A), TColor(0xAE904F)},
                                    {TColor(0xFDF8F1), TColor(0xFCEFD5)}));
        }
        T.push_back(WindowsLook(tsWindows7, glWin7, TSelStyle::Win7,
                                {TColor(0xFDFCFA), TColor(0xFAF0E6), TColor(0xF4E6DC), TColor(0xF7E9DD)},
                                {TColor(0xFDF8F3), TColor(0xF9F3EF), None, None, TColor(0xEEE8E3)},
                                {TColor(0xFEFBF8), TColor(0xFAF2ED), TColor(0xF4E4D7), TColor(0xE8D2C1), Keep},
                                {TColor(0xF1E8DD), TColor(0xF1E4D8), TColor(0xECDBCF), TColor(0xEDDCCF), TColor(0xD5BCAA)},
                                {TColor(0xFCEBDC), TColor(0xFCDBC1)}));
        {
            TStylePalette P{tsTerminal};
            P.Look = glStandard;
            T.push_back(P);
        }
        T.push_back(Office2010(tsOffice2010Blue, TColor(0xF5E7DA), TColor(0xD6CEC7), TColor(0xC7B0A0)));
        T.push_back(Office2010(tsOffice2010Silver, TColor(0xE8E3DF), TColor(0xAAAAAA), TColor(0xBAB5B1)));
        T.push_back(Office2010(tsOffice2010Black, TColor(0x6A6A6A), TColor(0xBABABA), TColor(0x444444)));
        const TColor V13 = TColor(0xFCF0E4), W13 = TColor(0xEAB47E), D13 = TColor(0xFCE2C8), E13 = TColor(0xE59D56);
        for (TJOQStyle S : {tsWindows8, tsWindows10})
            T.push_back(Flat(S, TColor(0xE4E3E2), TColor(0xF7F6F5), TColor(0xF7EFE8), TColor(0xF9CEA4), TColor(0xF7E0C9),
                             TColor(0xE4A262)));
        T.push_back(Flat(tsOffice2013White, TColor(0xD4D4D4), TColor(0xEEEEEE), V13, W13, D13, E13));
        T.push_back(Flat(tsOffice2013LightGray, TColor(0xC6C6C6), TColor(0xFAFAFA), V13, W13, D13, E13));
        T.push_back(Flat(tsOffice2013Gray, TColor(0xABABAB), TColor(0xF3F3F3), V13, W13, D13, E13));
        {
            TStylePalette P = Office2016(tsOffice2016White, TColor(0xABABAB), White, TColor(0xE1E1E1),
                                         {TColor(0xD4D4D4), TColor(0xD5D5D5)}, Keep);
            P.ActiveFontColor = clDefault;   // the application colour
            T.push_back(P);
        }
        T.push_back(Office2016(tsOffice2016Gray, TColor(0x999999), TColor(0x6A6A6A), TColor(0x262626),
                               {TColor(0xD4D4D4), TColor(0xD3D3D3)}, White));
        T.push_back(Office2016(tsOffice2016Black, TColor(0x999999), TColor(0x252525), TColor(0x646464),
                               {TColor(0xD4D4D4), TColor(0xB0B0B0)}, White));
        return T;
    }();
    return Table;
}

const TStylePalette* PaletteOf(TJOQStyle S)
{
    for (const TStylePalette& P : Palettes())
        if (P.Style == S) return &P;
    return nullptr;
}

// Writes a palette value unless it is Keep.
template <typename F>
void Put(TColor Value, F Set)
{
    if (Value != Keep) Set(Value);
}

}  // namespace

// ---- Look ----------------------------------------------------------------------------------------

// URLFull changes what cells show only while URLShow is on (URLColor, which markup links use
// as well, repaints on every change).
void TQorStringGrid::SetURLFull(bool Value)
{
    const bool Changed = FHints.FURLFull != Value;
    FHints.FURLFull = Value;
    if (Changed && FHints.FURLShow) PropertyRepaint();
}

void TQorStringGrid::SetLook(TGridLook Value)
{
    if (FLookState.FLook == Value) return;
    // Stored first: the style applied below sets the same look again, which then returns at once.
    FLookState.FLook = Value;
    TControlLook* CL = FOpt.FControlLook.get();
    if (Value != glCustom) {
        CL->SetFixedGradientMirrorFrom(clNone);
        CL->SetFixedGradientMirrorTo(clNone);
        CL->SetFixedGradientFrom(clNone);
        CL->SetFixedGradientTo(clNone);
        FLookState.FJOQGradFrom = FLookState.FJOQGradTo = clNone;
        FLookState.FJOQGradMirrorFrom = FLookState.FJOQGradMirrorTo = clNone;
        FOpt.FSortSettings->SetHeaderColor(clNone);
    }
    // While a stored grid loads, its stored colours are the palette: the look's style is not
    // applied over colours read before the look.
    switch (Value) {
    case glVista:
        if (!IsLoading()) SetStyle(tsWindowsVista);
        FLookState.FStyle = tsWindowsVista;
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        if (!IsLoading()) SetStyle(tsWindows7);
        FLookState.FStyle = tsWindows7;
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        if (!IsLoading()) SetStyle(tsOffice2007Luna);
        FLookState.FStyle = tsOffice2007Luna;
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom: break;
    default: {
        SetEditorsStyle(tsWindowsXP);
        SetSelectionStyle(ssDefault);
        if (!IsLoading()) {
            TColor C1 = White, C2 = clBtnFace;
            if (Value == glStandard || Value == glSoft || Value == glClassic) {
                SetFixedColor(clBtnFace);
                C1 = clBtnFace;
                C2 = clNone;
            }
            CL->SetFixedGradientFrom(C1);
            CL->SetFixedGradientTo(C2);
            SetGridFixedLineColor(TColor(0x808080));
            CL->SetFixedGradientMirrorFrom(clNone);
            CL->SetFixedGradientMirrorTo(clNone);
            FLookState.FJOQGradMirrorFrom = FLookState.FJOQGradMirrorTo = clNone;
            SetGridLineColor(TColor(0xC0C0C0));
        }
        TSearchFooter* SF = FOpt.FSearchFooter.get();
        if (Value == glJOQ || Value == glXP) {
            FLookState.FActiveCellColor = TColor(0xEACAB6);
            FLookState.FActiveCellColorTo = clNone;
            FSel.FSelectionColor = TColor(0xEACAB6);
            FSel.FSelectionColorTo = clNone;
            FSel.FSelectionTextColor = clBlack;
            SF->SetColor(FLookState.FJOQGradFrom);
            SF->SetColorTo(FLookState.FJOQGradTo);
            CL->SetFixedGradientFrom(White);
            CL->SetFixedGradientTo(Value == glXP ? clBtnFace : TColor(0xC0C0C0));
            CL->SetFixedGradientHoverFrom(TColor(0xCFD0D1));
            CL->SetFixedGradientHoverTo(TColor(0xBEC6C8));
            CL->SetFixedGradientHoverMirrorFrom(TColor(0xBEC6C8));
            CL->SetFixedGradientHoverMirrorTo(TColor(0xABBCBF));
            CL->SetFixedGradientDownFrom(TColor(0x868788));
            CL->SetFixedGradientDownTo(TColor(0x737C7E));
            CL->SetFixedGradientDownMirrorFrom(TColor(0x737C7E));
            CL->SetFixedGradientDownMirrorTo(TColor(0x627376));
        } else {
            FLookState.FActiveCellColor = TColor(0x808080);
            FLookState.FActiveCellColorTo = clNone;
            FSel.FSelectionColor = clHighlight;
            FSel.FSelectionTextColor = clHighlightText;
            SF->SetColor(clBtnFace);
            SF->SetColorTo(clBtnFace);
        }
        break;
    }
    }
    SetScrollType(ssNormal);
    if (Value != glCustom) FLookState.FBorderColor = TColor(0xB99D7F);
    if (HandleAllocated()) {
        Invalidate();
        if (!IsLoading()) UpdateFooter();
    }
}

String TQorStringGrid::GetLookAsString(TGridLook Look)
{
    static const wchar_t* const Names[] = {L"glStandard", L"glSoft", L"glClassic", L"glJOQ", L"glXP",
                                           L"glListView", L"glVista", L"glWin7", L"glOffice2007"};
    return Look >= glStandard && Look < glCustom ? String(Names[Look]) : String();
}

String TQorStringGrid::GetLookAsFriendlyString(TGridLook Look)
{
    static const wchar_t* const Names[] = {L"Standard", L"Soft", L"Classic", L"JOQ", L"Windows XP",
                                           L"ListView", L"Windows Vista", L"Windows 7", L"Office2007"};
    return Look >= glStandard && Look < glCustom ? String(Names[Look]) : String();
}

// ---- Component style ---------------------------------------------------------------------------

void TQorStringGrid::SetStyle(TJOQStyle AStyle)
{
    SetStyleAndAppColor(AStyle, clNone);
}

void TQorStringGrid::SetStyleAndAppColor(TJOQStyle AStyle, TColor AppColor)
{
    TControlLook* CL = FOpt.FControlLook.get();
    TSortSettings* SS = FOpt.FSortSettings.get();
    TSearchFooter* SF = FOpt.FSearchFooter.get();
    // Every style starts from the default selection, no sort header colours and the control
    // look's initial colours.
    FSel.FSelectionColor = clHighlight;
    FSel.FSelectionColorTo = FSel.FSelectionMirrorColor = FSel.FSelectionMirrorColorTo = clNone;
    FSel.FSelectionTextColor = clHighlightText;
    SetSelectionStyle(ssDefault);
    SS->SetHeaderColor(clNone);
    SS->SetHeaderColorTo(clNone);
    SS->SetHeaderMirrorColor(clNone);
    SS->SetHeaderMirrorColorTo(clNone);
    FOpt.FActiveCellFont->SetColor(clWindowText);
    GetFixedFont()->SetColor(clBlack);
    CL->Init();

    if (const TStylePalette* P = PaletteOf(AStyle)) {
        TLookState& L = FLookState;
        if (P->Look) SetLook(*P->Look);
        Put(P->Border, [&](TColor C) { L.FBorderColor = C; });
        Put(P->Grad[0], [&](TColor C) { L.FJOQGradFrom = C; });
        Put(P->Grad[1], [&](TColor C) { L.FJOQGradTo = C; });
        Put(P->Grad[2], [&](TColor C) { L.FJOQGradMirrorFrom = C; });
        Put(P->Grad[3], [&](TColor C) { L.FJOQGradMirrorTo = C; });
        Put(P->GridHover[0], [&](TColor C) { L.FJOQGradHoverFrom = C; });
        Put(P->GridHover[1], [&](TColor C) { L.FJOQGradHoverTo = C; });
        Put(P->GridHover[2], [&](TColor C) { L.FJOQGradHoverMirrorFrom = C; });
        Put(P->GridHover[3], [&](TColor C) { L.FJOQGradHoverMirrorTo = C; });
        Put(P->GridHover[4], [&](TColor C) { L.FJOQGradHoverBorder = C; });
        Put(P->FixedFirst[0], [&](TColor C) { CL->SetFixedGradientFrom(C); });
        Put(P->FixedFirst[1], [&](TColor C) { CL->SetFixedGradientTo(C); });
        Put(P->FixedMirror[0], [&](TColor C) { CL->SetFixedGradientMirrorFrom(C); });
        Put(P->FixedMirror[1], [&](TColor C) { CL->SetFixedGradientMirrorTo(C); });
        TColor5 Hover = P->Hover, Down = P->Down;
        if (P->AppColorHoverDown) {
            Hover = All5(ChangeColor(AppColor, -60), TColor(0xB1B1B1));
            Down = All5(ChangeColor(AppColor, -20), TColor(0xABABAB));
        }
        Put(Hover[0], [&](TColor C) { CL->SetFixedGradientHoverFrom(C); });
        Put(Hover[1], [&](TColor C) { CL->SetFixedGradientHoverTo(C); });
        Put(Hover[2], [&](TColor C) { CL->SetFixedGradientHoverMirrorFrom(C); });
        Put(Hover[3], [&](TColor C) { CL->SetFixedGradientHoverMirrorTo(C); });
        Put(Hover[4], [&](TColor C) { CL->SetFixedGradientHoverBorder(C); });
        Put(Down[0], [&](TColor C) { CL->SetFixedGradientDownFrom(C); });
        Put(Down[1], [&](TColor C) { CL->SetFixedGradientDownTo(C); });
        Put(Down[2], [&](TColor C) { CL->SetFixedGradientDownMirrorFrom(C); });
        Put(Down[3], [&](TColor C) { CL->SetFixedGradientDownMirrorTo(C); });
        Put(Down[4], [&](TColor C) { CL->SetFixedGradientDownBorder(C); });
        Put(P->Header[0], [&](TColor C) { SS->SetHeaderColor(C); });
        Put(P->Header[1], [&](TColor C) { SS->SetHeaderColorTo(C); });
        Put(P->Header[2], [&](TColor C) { SS->SetHeaderMirrorColor(C); });
        Put(P->Header[3], [&](TColor C) { SS->SetHeaderMirrorColorTo(C); });
        Put(P->Active[0], [&](TColor C) { L.FActiveCellColor = C; });
        Put(P->Active[1], [&](TColor C) { L.FActiveCellColorTo = C; });
        Put(P->Fixed[0], [&](TColor C) { CL->SetFixedGradientFrom(C); });
        Put(P->Fixed[1], [&](TColor C) { CL->SetFixedGradientTo(C); });
        Put(P->Select, [&](TColor C) { FSel.FSelectionColor = C; });
        Put(P->SelectTo, [&](TColor C) { FSel.FSelectionColorTo = C; });
        Put(P->SelectText, [&](TColor C) { FSel.FSelectionTextColor = C; });
        switch (P->SelStyle) {
        case TSelStyle::Keep: break;
        case TSelStyle::Default: SetSelectionStyle(ssDefault); break;
        case TSelStyle::Vista: SetSelectionStyle(ssVista); break;
        case TSelStyle::Win7: SetSelectionStyle(ssWin7); break;
        case TSelStyle::Office2007IfLook:
            if (L.FLook == glOffice2007) SetSelectionStyle(ssOffice2007);
            break;
        }
        Put(P->Lines[0], [&](TColor C) { SetGridLineColor(C); });
        Put(P->Lines[1], [&](TColor C) { SetGridFixedLineColor(C); });
        Put(P->Footer[0], [&](TColor C) { SF->SetColor(C); });
        Put(P->Footer[1], [&](TColor C) { SF->SetColorTo(C); });
        if (P->FooterFromGrad) {
            SF->SetColor(L.FJOQGradFrom);
            SF->SetColorTo(L.FJOQGradMirrorTo);
        }
        Put(P->FixedFontColor, [&](TColor C) { GetFixedFont()->SetColor(C); });
        Put(P->ActiveFontColor, [&](TColor C) { FOpt.FActiveCellFont->SetColor(C == clDefault ? AppColor : C); });
    }
    Invalidate();
}

void TQorStringGrid::SetComponentStyle(TJOQStyle AStyle)
{
    SetComponentStyleAndAppColor(AStyle, clNone);
}

void TQorStringGrid::SetComponentStyleAndAppColor(TJOQStyle AStyle, TColor AppColor)
{
    FLookState.FStyle = AStyle;
    SetStyleAndAppColor(AStyle, AppColor);
    // A style whose look brings a style of its own (the Office 2007 look brings Luna) stays the
    // style the grid was given.
    FLookState.FStyle = AStyle;
    SetEditorsStyle(AStyle);
    if (AStyle != tsCustom && GetScrollType() == ssMetro) SetScrollType(ssNormal);
    if (HandleAllocated()) StyleUpdated();
}

TJOQStyle TQorStringGrid::GetComponentStyle() const
{
    return FLookState.FStyle;
}

void TQorStringGrid::SetEditorsStyle(TJOQStyle AStyle)
{
    for (TWinControl* W : {FWin.FEditColorPicker, FWin.FEditImagePicker, FWin.FEditGridPicker, FWin.FEditDetailPicker,
                           FWin.FEditTimePicker, FWin.FEditCalculator, FWin.FEditMemo})
        if (auto* S = dynamic_cast<IJOQStyle*>(W)) S->SetComponentStyle(AStyle);
}

// ---- Colour tones -------------------------------------------------------------------------------

void TQorStringGrid::SetColorTones(const TColorTones& ATones)
{
    FLookState.FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    GetFixedFont()->SetColor(ATones.Foreground.TextColor);
    GetFixedFont()->SetName(GetMetroFont());
    SetColor(ATones.Background.BrushColor);
    GetFont()->SetName(GetMetroFont());
    GetFont()->SetColor(ATones.Background.TextColor);
    FSel.FSelectionColor = ATones.Selected.BrushColor;
    FSel.FSelectionTextColor = ATones.Selected.TextColor;
    FSel.FSelectionColorTo = clNone;
    SetGridLineColor(TColor(0xE6E6E6));
    SetGridFixedLineColor(QorUtil::ChangeColorPerc(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(bsNone);
    TControlLook* CL = FOpt.FControlLook.get();
    CL->SetControlStyle(csGlyph);
    using CellWidgetPaint::GridResourceBitmap;
    CL->SetCheckedGlyph(GridResourceBitmap(L"METROCHECKON"));
    CL->SetUnCheckedGlyph(GridResourceBitmap(L"METROCHECKOFF"));
    CL->SetRadioOffGlyph(GridResourceBitmap(L"METRORADIOOFF"));
    CL->SetRadioOnGlyph(GridResourceBitmap(L"METRORADIOON"));
    // The built-in editors' buttons take the tones.
    for (TWinControl* W : {static_cast<TWinControl*>(FWin.EditBtn), static_cast<TWinControl*>(FWin.EditCombo),
                           FWin.FEditSpin, FWin.FEditDate})
        if (auto* B = dynamic_cast<JyrFlatLook::TButtonColors*>(W)) {
            B->ButtonColor = ATones.Background.BrushColor;
            B->ButtonColorHot = ATones.Hover.BrushColor;
            B->ButtonColorDown = ATones.Selected.BrushColor;
            B->ButtonBorderColor = ATones.Background.BorderColor;
        }
    for (TWinControl* W : {FWin.FEditColorPicker, FWin.FEditImagePicker, FWin.FEditGridPicker, FWin.FEditDetailPicker,
                           FWin.FEditTimePicker, FWin.FEditCalculator, FWin.FEditMemo})
        if (auto* T = dynamic_cast<IJOQTones*>(W)) T->SetColorTones(ATones);
    CL->SetFlatButton(true);
    FOpt.FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
    FOpt.FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FOpt.FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FOpt.FCellNode->SetNodeType(cnFlat);
}

// ---- XP schemes and Office themes ------------------------------------------------------------------

void TQorStringGrid::SetTheme(TXPColorScheme Scheme)
{
    TLookState& L = FLookState;
    TSearchFooter* SF = FOpt.FSearchFooter.get();
    TControlLook* CL = FOpt.FControlLook.get();
    if (Scheme == ::xpNone) {
        L.FActiveCellColor = TColor(0xFFFFFF);
        L.FActiveCellColorTo = TColor(0xFFD9B3);
        L.FJOQGradFrom = TColor(0xFFFFFF);
        L.FJOQGradTo = clBtnFace;
        L.FJOQGradMirrorFrom = L.FJOQGradMirrorTo = clNone;
        CL->SetFixedGradientFrom(clNone);
        CL->SetFixedGradientTo(clNone);
        SF->SetColor(TColor(0xFFFFFF));
        SF->SetColorTo(TColor(0xFFD9B3));
    } else {
        struct TScheme { TColor From, To, MirrorFrom, MirrorTo, FooterFrom, FooterTo; };
        static const TScheme Schemes[] = {
            {}, {TColor(0xFCE1CB), TColor(0xE0A57D), clNone, clNone, TColor(0xFCE1CB), TColor(0xE0A57D)},
            {TColor(0xCFF0EA), TColor(0x8CC0B1), clNone, clNone, TColor(0xCFF0EA), TColor(0x8CC0B1)},
            {TColor(0xECE2E1), TColor(0xB39698), clNone, clNone, TColor(0xECE2E1), TColor(0xB39698)},
            {TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0xFAF8F7), TColor(0xF4F2F1), TColor(0xECE2E1), TColor(0xB39698)}};
        const TScheme& S = Schemes[Scheme];
        L.FJOQGradFrom = S.From;
        L.FJOQGradTo = S.To;
        L.FJOQGradMirrorFrom = S.MirrorFrom;
        L.FJOQGradMirrorTo = S.MirrorTo;
        SF->SetColor(S.FooterFrom);
        SF->SetColorTo(S.FooterTo);
        L.FActiveCellColor = TColor(0x94E6FB);
        L.FActiveCellColorTo = TColor(0x1595EE);
        CL->SetFixedGradientFrom(S.From);
        CL->SetFixedGradientTo(S.To);
    }
    Invalidate();
}
