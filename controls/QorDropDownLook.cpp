// QorDropDown: the drop-down edit's colours (component styles, item appearance styles, selection
// presets, colour tones) and its own painting: the empty-text hint, the selector-mode value bar
// and the single-colour and flat borders.
#include "controls/QorDropDown.h"

#include "framework/Forms.h"
#include "framework/WinScope.h"
#include "graphics/QorStyleIF.h"

#include <algorithm>
#include <iterator>

using namespace QorDropDown;
using namespace QorStyleIF;

namespace {

// A table cell that leaves the colour as it is.
constexpr TColor Keep = TColor(0x2FFFFFFF);

void Put(TColor& Field, TColor Value)
{
    if (Value != Keep) Field = Value;
}

// Popup, header and footer colours of one style.
struct TBandColors {
    TJOQStyle Style;
    TColor Popup, PopupTo, PopupBorder;
    TColor Header, HeaderTo, HeaderFont, HeaderBorder;
    TColor Footer = Keep, FooterTo = Keep, FooterBorder = Keep;
};

const TBandColors BandTable[] = {
    {tsOffice2003Blue, TColor(0xFFFFFF), clNone, Keep, TColor(0xFCE1CB), TColor(0xE0A57D), TColor(0), TColor(0), Keep, Keep, TColor(0x962D00)},
    {tsOffice2003Silver, TColor(0xFFFFFF), clNone, Keep, TColor(0xECE2E1), TColor(0xB39698), TColor(0), TColor(0x947C7C)},
    {tsOffice2003Olive, TColor(0xFFFFFF), clNone, clNone, TColor(0xCFF0EA), TColor(0x8CC0B1), TColor(0), TColor(0x588060)},
    {tsOffice2003Classic, TColor(0xF2F2F2), TColor(0xF2F2F2), clNone, TColor(0x808080), TColor(0x808080), TColor(0xFFFFFF), TColor(0x808080)},
    {tsOffice2007Luna, TColor(0xF3E5DA), TColor(0xF0DED0), clNone, TColor(0xFFEFE3), TColor(0xFFD2AF), TColor(0x723708), TColor(0xFFD2AF)},
    {tsOffice2007Obsidian, TColor(0xFFFFFF), clNone, clNone, TColor(0xF2F1F0), TColor(0xC9C2BD), TColor(0x433C37), TColor(0x5C534C)},
    {tsWindowsXP, TColor(0xFFFFFF), clNone, Keep, TColor(0xFFFFFF), clBtnFace, TColor(0), TColor(0x808080)},
    {tsWhidbey, TColor(0xF5F9FA), TColor(0xF5F9FA), clNone, TColor(0xEBEEEF), TColor(0x7E9898), TColor(0xFFFFFF), TColor(0x962D00)},
    {tsOffice2007Silver, TColor(0xF8F4F1), TColor(0xF0E8E3), clNone, TColor(0xF8F7F6), TColor(0xE8E0DB), TColor(0x8B4215), TColor(0x74706F)},
    {tsWindowsVista, TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0x979797), TColor(0xFFFDF9), TColor(0xFFFAF0), TColor(0), TColor(0xFCF2DA), TColor(0xFFFAF0), TColor(0xFFFDF9)},
    {tsWindows7, TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0x979797), TColor(0xFDFBFA), TColor(0xFDF3EB), TColor(0), TColor(0xFBD6B8)},
    {tsTerminal, TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0x808080), clBtnFace, clBtnFace, TColor(0), clNone},
    {tsOffice2010Blue, TColor(0xFFFFFF), TColor(0xF1EFED), TColor(0xEDEDEC), TColor(0xFDF6EF), TColor(0xF0DAC7), TColor(0x5B391E), TColor(0xC7B29F)},
    {tsOffice2010Silver, TColor(0xFFFFFF), TColor(0xF1EFED), TColor(0xEDEDEC), TColor(0xFFFFFF), TColor(0xEDE5E0), TColor(0x5B391E), TColor(0xD2CDC8)},
    {tsOffice2010Black, TColor(0xFFFFFF), TColor(0xF1EFED), TColor(0xEDEDEC), TColor(0xBFBFBF), TColor(0x919191), TColor(0xD7D7D6), TColor(0x6D6D6D)},
    {tsWindows8, TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0xE4E3E2), TColor(0xF7F6F5), TColor(0xF7F6F5), TColor(0), TColor(0xE4E3E2)},
    {tsWindows10, TColor(0xFFFFFF), TColor(0xFFFFFF), TColor(0xE4E3E2), TColor(0xF7F6F5), TColor(0xF7F6F5), TColor(0), TColor(0xE4E3E2)},
    {tsOffice2013White, TColor(0xFFFFFF), clNone, TColor(0xD4D4D4), TColor(0xFFFFFF), clNone, TColor(0), TColor(0xD4D4D4)},
    {tsOffice2013LightGray, TColor(0xFFFFFF), clNone, TColor(0xD4D4D4), TColor(0xF6F6F6), clNone, TColor(0), TColor(0xC6C6C6)},
    {tsOffice2013Gray, TColor(0xFFFFFF), clNone, TColor(0xD4D4D4), TColor(0xE5E5E5), clNone, TColor(0), TColor(0xABABAB)},
    {tsOffice2016White, TColor(0xFFFFFF), clNone, TColor(0xD4D4D4), TColor(0xFFFFFF), clNone, TColor(0x505050), TColor(0xD4D4D4)},
    {tsOffice2016Gray, TColor(0xB2B2B2), clNone, TColor(0x444444), TColor(0x444444), clNone, TColor(0xF0F0F0), TColor(0x444444)},
    {tsOffice2016Black, TColor(0x363636), clNone, TColor(0x444444), TColor(0x444444), clNone, TColor(0xF0F0F0), TColor(0x444444)},
};

// One state of the band buttons: start, end and border colour.
struct TFace {
    TColor From, To, Border;
};
struct TButtonColorsRow {
    TJOQStyle Style;
    TFace Normal, Hot, Down, Disabled, Checked;
};

constexpr TFace OfficeHot{TColor(0xEBFDFF), TColor(0xACECFF), TColor(0x99CEDB)};
constexpr TFace OfficeDown{TColor(0xAAD9FF), TColor(0x6EBBFF), TColor(0x42AEFE)};
constexpr TFace OfficeDisabled{TColor(0xF2F2F2), TColor(0xB6B6B6), Keep};
constexpr TFace OfficeChecked{TColor(0x76AFF1), TColor(0x4190F3), TColor(0x45667B)};
constexpr TFace Hot2010{TColor(0x8AE3FD), clNone, TColor(0x58CAF1)};
constexpr TFace Down2010{TColor(0x6CD0FF), clNone, TColor(0x308AC2)};
constexpr TFace Disabled2010{TColor(0xF2F2F2), TColor(0xB6B6B6), Keep};
constexpr TFace Checked2010{TColor(0x45E1FE), clNone, TColor(0x4FA0CE)};
constexpr TFace Hot2013{TColor(0xFCF0E4), clNone, TColor(0xEAB47E)};
constexpr TFace Down2013{TColor(0xFCE2C8), clNone, TColor(0xE59D56)};
constexpr TFace Disabled2013{TColor(0xEEEEEE), clNone, TColor(0xACACAC)};
constexpr TFace Checked2013{TColor(0xFF9933), clNone, TColor(0xFF9933)};
constexpr TFace Hot2016{TColor(0xF2E1D5), clNone, TColor(0xF2E1D5)};
constexpr TFace Down2016{TColor(0xE3BDA3), clNone, TColor(0xE3BDA3)};
constexpr TFace Checked2016{TColor(0xF2D5C2), clNone, TColor(0xF2D5C2)};
constexpr TFace Win8Normal{TColor(0xF7F6F5), clNone, TColor(0xE4E3E2)};
constexpr TFace Win8Hot{TColor(0xF7EFE8), clNone, TColor(0xF9CEA4)};
constexpr TFace Win8Down{TColor(0xF7E0C9), clNone, TColor(0xE4A262)};
constexpr TFace Win8Disabled{TColor(0xF7F7F7), clNone, TColor(0xF7F6F5)};
constexpr TFace Win8Checked{TColor(0xDAA026), clNone, TColor(0xDAA026)};

const TButtonColorsRow ButtonTable[] = {
    {tsOffice2003Blue, {TColor(0xFCE1CB), TColor(0xE0A57D), clNone}, OfficeHot, OfficeDown, OfficeDisabled, OfficeChecked},
    {tsOffice2003Silver, {TColor(0xECE2E1), TColor(0xB39698), clNone}, OfficeHot, OfficeDown, OfficeDisabled, OfficeChecked},
    {tsOffice2003Olive, {TColor(0xCFF0EA), TColor(0x8CC0B1), clNone}, OfficeHot, OfficeDown, OfficeDisabled, OfficeChecked},
    {tsOffice2003Classic, {TColor(0xFFFFFF), TColor(0xC9D1D5), clNone}, {TColor(0xD2BDB6), TColor(0xD2BDB6), TColor(0x808080)},
     {TColor(0xB59285), TColor(0xB59285), TColor(0x808080)}, {TColor(0xD8D5D4), TColor(0xD8D5D4), Keep},
     {TColor(0xD8D5D4), TColor(0xD8D5D4), TColor(0x808080)}},
    {tsOffice2007Luna, {TColor(0xFFEFE3), TColor(0xFFDDC4), clNone}, OfficeHot, OfficeDown, OfficeDisabled, OfficeChecked},
    {tsOffice2007Obsidian, {TColor(0xF2F1F0), TColor(0xC9C2BD), clNone}, OfficeHot, OfficeDown, OfficeDisabled, OfficeChecked},
    {tsWindowsXP, {TColor(0xFFFFFF), clBtnFace, clNone}, {TColor(0xEFD3C6), TColor(0xEFD3C6), clHighlight},
     {clInactiveCaption, clInactiveCaption, clHighlight}, {TColor(0xB6B6B6), TColor(0xB6B6B6), Keep},
     {TColor(0xB9D8DC), TColor(0xB9D8DC), TColor(0)}},
    {tsWhidbey, {TColor(0xFFFFFF), TColor(0xDFEDF0), clNone}, OfficeHot, OfficeDown, OfficeDisabled, OfficeChecked},
    {tsOffice2007Silver, {TColor(0xF9F8F8), TColor(0xE4E2DF), clNone}, OfficeHot, OfficeDown, OfficeDisabled, OfficeChecked},
    {tsWindowsVista, {TColor(0xFFFDF9), TColor(0xFFFAF0), TColor(0xFCF2DA)}, {TColor(0xFEF9F0), TColor(0xFFFAF0), TColor(0xFCF2DA)},
     {TColor(0xFEF9F0), TColor(0xFDF0D7), TColor(0xFEDF9A)}, {TColor(0xFFFFFF), TColor(0xFFFFFF), Keep},
     {TColor(0xFEF9F0), TColor(0xFDF0D7), TColor(0xFEDF9A)}},
    {tsWindows7, {TColor(0xFDFBFA), TColor(0xFDF3EB), TColor(0xFBD6B8)}, {TColor(0xFDFBFA), TColor(0xFDF3EB), TColor(0xFBD6B8)},
     {TColor(0xFCEBDC), TColor(0xFCDBC1), TColor(0xCEA27D)}, {TColor(0xFFFFFF), TColor(0xFFFFFF), Keep},
     {TColor(0xFEF9F0), TColor(0xFCDBC1), TColor(0xCEA27D)}},
    {tsTerminal, {clBtnFace, clBtnFace, clNone}, {TColor(0xC0C0C0), TColor(0xC0C0C0), TColor(0x808080)},
     {clHighlight, clHighlight, TColor(0x808080)}, {clBtnFace, clBtnFace, Keep}, {clBtnFace, clBtnFace, clHighlight}},
    {tsOffice2010Blue, {TColor(0xFDF6EF), TColor(0xF0DAC7), TColor(0xC7B29F)}, Hot2010, Down2010, Disabled2010, Checked2010},
    {tsOffice2010Silver, {TColor(0xFFFFFF), TColor(0xEDE5E0), TColor(0xD2CDC8)}, Hot2010, Down2010, Disabled2010, Checked2010},
    {tsOffice2010Black, {TColor(0xBFBFBF), TColor(0x919191), TColor(0xD7D7D6)}, Hot2010, Down2010, Disabled2010, Checked2010},
    {tsWindows8, Win8Normal, Win8Hot, Win8Down, Win8Disabled, Win8Checked},
    {tsWindows10, Win8Normal, Win8Hot, Win8Down, Win8Disabled, Win8Checked},
    {tsOffice2013White, {TColor(0xFFFFFF), clNone, TColor(0xD4D4D4)}, Hot2013, Down2013, Disabled2013, Checked2013},
    {tsOffice2013LightGray, {TColor(0xF6F6F6), clNone, TColor(0xC6C6C6)}, Hot2013, Down2013, Disabled2013, Checked2013},
    {tsOffice2013Gray, {TColor(0xE5E5E5), clNone, TColor(0xABABAB)}, Hot2013, Down2013, Disabled2013, Checked2013},
    {tsOffice2016White, {TColor(0xFFFFFF), clNone, TColor(0xD4D4D4)}, Hot2016, Down2016, {TColor(0xFFFFFF), clNone, TColor(0xD4D4D4)}, Checked2016},
    {tsOffice2016Gray, {TColor(0xB2B2B2), clNone, TColor(0x444444)}, Hot2016, Down2016, {TColor(0xB2B2B2), clNone, TColor(0x444444)}, Checked2016},
    {tsOffice2016Black, {TColor(0x363636), TColor(0x363636), TColor(0x444444)}, {TColor(0x6A6A6A), TColor(0x6A6A6A), TColor(0x6A6A6A)},
     {TColor(0x444444), TColor(0x444444), TColor(0x444444)}, {TColor(0x363636), clNone, TColor(0x444444)},
     {TColor(0x575757), TColor(0x575757), TColor(0x575757)}},
};

// Hot and selected cells of an item appearance by style.
struct TItemColorsRow {
    std::initializer_list<TJOQStyle> Styles;
    TColor Hot[5], Selected[5];
    TColor Border, BorderTop, BorderBottom, Edge, SelectedText;
};

const TItemColorsRow ItemTable[] = {
    {{tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsWhidbey},
     {TColor(0xEBFDFF), TColor(0xACECFF), TColor(0x59DAFF), TColor(0xA4E9FF), clNone},
     {TColor(0xAAD9FF), TColor(0x6EBBFF), TColor(0x42AEFE), TColor(0x7AE1FE), clNone},
     TColor(0x42AEFE), clNone, clNone, clNone, clBlack},
    {{tsOffice2007Luna, tsOffice2007Obsidian, tsOffice2007Silver},
     {TColor(0xEBFDFF), TColor(0xACECFF), TColor(0x59DAFF), TColor(0xA4E9FF), clNone},
     {TColor(0xAAD9FF), TColor(0x6EBBFF), TColor(0x42AEFE), TColor(0x7AE1FE), clNone},
     TColor(0x42AEFE), TColor(0xF4FEFF), TColor(0xCAF8FF), TColor(0xC3D9DF), clBlack},
    {{tsOffice2003Classic}, {TColor(0xD2BDB6), TColor(0xD2BDB6), clNone, clNone, clNone},
     {TColor(0xB59285), TColor(0xB59285), clNone, clNone, clNone}, TColor(0x808080), clNone, clNone, clNone, clBlack},
    {{tsWindowsXP}, {TColor(0xEFD3C6), TColor(0xEFD3C6), clNone, clNone, clNone}, {clHighlight, clNone, clNone, clNone, clNone},
     clHighlight, clNone, clNone, clNone, clHighlightText},
    {{tsWindowsVista}, {TColor(0xFFFDF9), TColor(0xFFFAF0), clNone, clNone, clNone},
     {TColor(0xFEF9F0), TColor(0xFDF0D7), clNone, clNone, clNone}, TColor(0xFEDF9A), TColor(0xFDFBF6), TColor(0xFDF5E7),
     TColor(0xFCEDCB), clBlack},
    {{tsWindows7}, {TColor(0xFDFBFA), TColor(0xFDF3EB), clNone, clNone, clNone},
     {TColor(0xFCEBDC), TColor(0xFCDBC1), clNone, clNone, clNone}, TColor(0xCEA27D), TColor(0xFDF4EB), TColor(0xFDEADB),
     TColor(0xE0C5AE), clBlack},
    {{tsTerminal}, {TColor(0xC0C0C0), TColor(0xC0C0C0), clNone, clNone, clNone}, {clHighlight, clNone, clNone, clNone, clNone},
     TColor(0x808080), clNone, clNone, clNone, clHighlightText},
    {{tsOffice2010Blue, tsOffice2010Silver}, {TColor(0xD9F9FD), TColor(0x8AE3FD), TColor(0x8AE3FD), TColor(0xD9F9FD), clNone},
     {TColor(0x7BEEFF), TColor(0x6CD0FF), TColor(0x6CD0FF), TColor(0x7BEEFF), clNone}, TColor(0x308AC2), clNone, clNone, clNone,
     clBlack},
    {{tsOffice2010Black}, {TColor(0xD9F9FD), TColor(0x8AE3FD), TColor(0x8AE3FD), TColor(0xD9F9FD), TColor(0x58CAF1)},
     {TColor(0x7BEEFF), TColor(0x6CD0FF), TColor(0x6CD0FF), TColor(0x7BEEFF), TColor(0x308AC2)}, Keep, clNone, clNone, clNone,
     clBlack},
    {{tsWindows8, tsWindows10}, {TColor(0xF7EFE8), TColor(0xF7EFE8), TColor(0xF7EFE8), TColor(0xF7EFE8), TColor(0xF9CEA4)},
     {TColor(0xF7E0C9), clNone, clNone, clNone, TColor(0xE4A262)}, Keep, Keep, Keep, Keep, clBlack},
    {{tsOffice2013White, tsOffice2013LightGray, tsOffice2013Gray},
     {TColor(0xFCF0E4), TColor(0xFCF0E4), clNone, clNone, TColor(0xEAB47E)},
     {TColor(0xFCE2C8), clNone, clNone, clNone, TColor(0xE59D56)}, Keep, Keep, Keep, Keep, clBlack},
    {{tsOffice2016White}, {TColor(0xF2E1D5), clNone, clNone, clNone, TColor(0xF2E1D5)},
     {TColor(0xE3BDA3), clNone, clNone, clNone, TColor(0xE3BDA3)}, Keep, Keep, Keep, Keep, clBlack},
    {{tsOffice2016Gray}, {TColor(0xF2E1D5), TColor(0xF2E1D5), clNone, clNone, TColor(0xF2E1D5)},
     {TColor(0xE3BDA3), clNone, clNone, clNone, TColor(0xE3BDA3)}, Keep, Keep, Keep, Keep, clBlack},
    {{tsOffice2016Black}, {TColor(0x6A6A6A), TColor(0x6A6A6A), clNone, clNone, TColor(0x6A6A6A)},
     {TColor(0x444444), clNone, clNone, clNone, TColor(0x444444)}, Keep, Keep, Keep, Keep, clBlack},
};

// The selection box constants of the three presets: mirror 1, mirror 2, top line, bottom line,
// border, edge.
struct TSelectionBox {
    TColor Mirror1, Mirror2, Top, Bottom, Border, Edge;
};
TSelectionBox SelectionBox(TSelectionColorStyle S)
{
    switch (S) {
    case scWindowsVista: return {clNone, clNone, TColor(0xFDFBF6), TColor(0xFDF5E7), TColor(0xFDDE99), TColor(0xFCEDCB)};
    case scWindows7: return {clNone, clNone, TColor(0xFDF4EB), TColor(0xFDEADB), TColor(0xCEA27D), TColor(0xE0C5AE)};
    default: return {TColor(0x58D4FC), TColor(0xB3F1FC), TColor(0xF4FEFF), TColor(0xCAF8FF), TColor(0x8DD7D3), TColor(0xC3D9DF)};
    }
}

}  // namespace

// ---- styles ---------------------------------------------------------------------------------------

void TQorCustomDropDown::SetComponentStyle(TJOQStyle AStyle)
{
    if (AStyle < tsOffice2003Blue || AStyle > tsOffice2016Black) return;
    FComponentStyle = AStyle;
    if (AStyle == tsCustom) return;
    for (const TBandColors& B : BandTable) {
        if (B.Style != AStyle) continue;
        Put(FDropDownColor, B.Popup);
        Put(FDropDownColorTo, B.PopupTo);
        Put(FDropDownBorderColor, B.PopupBorder);
        THeaderAppearance* H = FDropDownHeader;
        H->SetColor(B.Header);
        H->SetColorTo(B.HeaderTo);
        H->GetFont()->SetColor(B.HeaderFont);
        H->SetBorderColor(B.HeaderBorder);
        TFooterAppearance* F = FDropDownFooter;
        F->SetColor(B.Footer != Keep ? B.Footer : B.Header);
        F->SetColorTo(B.FooterTo != Keep ? B.FooterTo : B.HeaderTo);
        F->GetFont()->SetColor(B.HeaderFont);
        F->SetBorderColor(B.FooterBorder != Keep ? B.FooterBorder : B.HeaderBorder);
    }
    for (const TButtonColorsRow& R : ButtonTable) {
        if (R.Style != AStyle) continue;
        TQorButtonAppearance* A = FButtonAppearance;
        A->SetColor(R.Normal.From);
        A->SetColorTo(R.Normal.To);
        A->SetBorderColor(R.Normal.Border);
        A->SetColorHot(R.Hot.From);
        A->SetColorHotTo(R.Hot.To);
        A->SetBorderColorHot(R.Hot.Border);
        A->SetColorDown(R.Down.From);
        A->SetColorDownTo(R.Down.To);
        A->SetBorderColorDown(R.Down.Border);
        A->SetColorDisabled(R.Disabled.From);
        A->SetColorDisabledTo(R.Disabled.To);
        if (R.Disabled.Border != Keep) A->SetBorderColorDisabled(R.Disabled.Border);
        A->SetColorChecked(R.Checked.From);
        A->SetColorCheckedTo(R.Checked.To);
        A->SetBorderColorChecked(R.Checked.Border);
    }
    if (AStyle == tsOffice2016Black) GetFont()->SetColor(TColor(0xA6A6A6));
}

void TQorCustomDropDown::SetAppearanceStyle(TItemAppearance* ItemAppearance, TJOQStyle AStyle)
{
    if (!ItemAppearance) return;
    TItemAppearance& A = *ItemAppearance;
    if (AStyle != tsCustom) {
        A.BorderColorHot = clNone;
        A.BorderColorSelected = clNone;
        A.ColorHotText = clBlack;
        A.ColorSelectedText = clBlack;
    }
    A.GetFont()->SetColor(clBlack);
    for (const TItemColorsRow& R : ItemTable) {
        if (std::find(R.Styles.begin(), R.Styles.end(), AStyle) == R.Styles.end()) continue;
        Put(A.ColorHot, R.Hot[0]);
        Put(A.ColorHotTo, R.Hot[1]);
        Put(A.ColorMirrorHot, R.Hot[2]);
        Put(A.ColorMirrorHotTo, R.Hot[3]);
        Put(A.BorderColorHot, R.Hot[4]);
        Put(A.ColorSelected, R.Selected[0]);
        Put(A.ColorSelectedTo, R.Selected[1]);
        Put(A.ColorMirrorSelected, R.Selected[2]);
        Put(A.ColorMirrorSelectedTo, R.Selected[3]);
        Put(A.BorderColorSelected, R.Selected[4]);
        Put(A.BorderColor, R.Border);
        Put(A.BorderColorTop, R.BorderTop);
        Put(A.BorderColorBottom, R.BorderBottom);
        Put(A.EdgeColor, R.Edge);
        A.ColorSelectedText = R.SelectedText;
    }
    if (AStyle == tsOffice2016Black) A.GetFont()->SetColor(clWhite);
}

void TQorCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    FSelectionColorStyle = Value;
    switch (Value) {
    case scOffice2007: FSelectionColor = TColor(0xD7FFFD); FSelectionColorTo = TColor(0x58D4FC); break;
    case scWindowsVista: FSelectionColor = TColor(0xFDF8F1); FSelectionColorTo = TColor(0xFCEFD5); break;
    case scWindows7: FSelectionColor = TColor(0xFCEBDC); FSelectionColorTo = TColor(0xFCDBC1); break;
    case scCustom: break;
    }
}

void TQorCustomDropDown::SetSelectionColor(TColor Value)
{
    FSelectionColor = Value;
    FSelectionColorStyle = scCustom;
}

void TQorCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, TRect R, TColor bkgcolor, QorUtil::TGradientPart part)
{
    if (!Canvas) return;
    if (FSelectionColorStyle == scCustom) {
        Canvas->GetBrush()->SetColor(FSelectionColor);
        Canvas->GetPen()->SetColor(FSelectionColor);
        Canvas->Rectangle(R);
        return;
    }
    const TSelectionBox B = SelectionBox(FSelectionColorStyle);
    QorUtil::DrawSelectionGradient(Canvas, FSelectionColor, FSelectionColorTo, B.Mirror1, B.Mirror2, B.Top, B.Bottom,
                                   B.Border, B.Edge, bkgcolor, R, part);
}

void TQorCustomDropDown::DrawGradientBackground(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                                                TGradientDirection GradientDirection)
{
    DrawGradient(Canvas, FromColor, ToColor, Steps, R, GradientDirection == gdHorizontal);
}

void TQorCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    if (FButton) {
        FButton->ButtonColor = ATones.Background.BrushColor;
        FButton->ButtonColorHot = ATones.Hover.BrushColor;
        FButton->ButtonColorDown = ATones.Selected.BrushColor;
        FButton->ButtonBorderColor = ATones.Background.BorderColor;
    }
    SetBorderColor(ATones.Background.BorderColor);
}

// ---- painting -------------------------------------------------------------------------------------

void TQorCustomDropDown::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Invalidate();
    if (Value == clNone && HandleAllocated())
        SetWindowPos(GetHandle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    if (FButton) FButton->GetButton()->Invalidate();
}

void TQorCustomDropDown::SetDisabledBorder(bool Value)
{
    if (FDisabledBorder == Value) return;
    FDisabledBorder = Value;
    Invalidate();
}

void TQorCustomDropDown::SetEmptyText(const String& Value)
{
    FEmptyText = Value;
    Invalidate();
}

void TQorCustomDropDown::SetEmptyTextStyle(TFontStyles Value)
{
    FEmptyTextStyle = Value;
    Invalidate();
}

void TQorCustomDropDown::WMPaint(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (Message.WParam != 0) return;
    DrawBackGround();
    PaintEdit();
    if (FFocusBorderColor != clNone || FBorderColor != clNone || (!GetEnabled() && FDisabledBorder)) DrawBorders();
}

void TQorCustomDropDown::WMNCPaint(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FFocusBorderColor != clNone || FBorderColor != clNone) DrawBorders();
}

void TQorCustomDropDown::CMMouseEnter(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FMouseInControl || !GetEnabled()) return;
    DrawBackGround();
    PaintEdit();
    FMouseInControl = true;
    DrawBorders();
}

void TQorCustomDropDown::CMMouseLeave(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (!FMouseInControl || !GetEnabled()) return;
    FMouseInControl = false;
    DrawBorders();
}

void TQorCustomDropDown::DrawBackGround()
{
    if (FEditorEnabled || !HandleAllocated() || !Focused() || !FFocusDraw) return;
    TClientDC DC(GetHandle(), true);
    const TRect R(2, 2, GetWidth() - FDropDownButtonWidth - 1, GetHeight() - 2);
    TCanvas C;
    C.SetHandle(DC);
    auto Release = ScopeExit([&C] { C.SetHandle(nullptr); });
    C.GetPen()->SetColor(clBlack);
    C.GetBrush()->SetColor(clHighlight);
    C.Rectangle(R);
    C.SetFont(GetFont());
    C.GetFont()->SetColor(clHighlightText);
    SetBkMode(DC, TRANSPARENT);
    // A password is shown by its password characters here as in the window.
    const String Value = GetText();
    const String T = GetPasswordChar() != 0 ? String(Value.size(), GetPasswordChar()) : Value;
    RECT TR{R.Left + 2, R.Top, R.Right - 3, R.Bottom};
    DrawTextW(DC, T.c_str(), int(T.size()), &TR, DT_SINGLELINE | DT_VCENTER);
}

void TQorCustomDropDown::PaintEdit()
{
    if (!HandleAllocated() || FEmptyText.empty() || !GetText().empty()) return;
    if (!FEmptyTextFocused && Focused()) return;
    TClientDC DC(GetHandle());
    TCanvas C;
    C.SetHandle(DC);
    auto Release = ScopeExit([&C] { C.SetHandle(nullptr); });
    C.GetBrush()->SetColor(GetColor());
    C.SetFont(GetFont());
    C.GetFont()->SetStyle(FEmptyTextStyle);
    C.GetFont()->SetColor(TColor(0x808080));
    SetBkColor(DC, ColorToRGB(GetColor()));
    C.TextOut(GetCtl3D() ? 3 : 6, 2, FEmptyText);
}

bool TQorCustomDropDown::Is3DBorderControl()
{
    return FMouseInControl || (Screen && Screen->GetActiveControl() == this) || Focused();
}

bool TQorCustomDropDown::Is3DBorderButton()
{
    return Is3DBorderControl();
}

void TQorCustomDropDown::DrawBorders()
{
    if (!HandleAllocated()) return;
    if (GetEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    TClientDC DC(GetHandle(), true);
    DrawControlBorder(DC);
    DrawButtonBorder();
}

void TQorCustomDropDown::DrawControlBorder(HDC DC)
{
    TRect R(0, 0, GetWidth(), GetHeight());
    const bool Focus = Focused();
    if (!GetEnabled() && FIsThemed && FDisabledBorder) {
        JyrFlatLook::FrameIn(DC, R, TColor(0xC0C0C0));
    } else if (FBorderColor != clNone && (!Focus || FFocusBorderColor == clNone)) {
        JyrFlatLook::FrameIn(DC, R, FBorderColor);
    } else if (FFocusBorderColor != clNone) {
        if (Focus) JyrFlatLook::FrameIn(DC, R, FFocusBorderColor);
    } else {
        const bool ThreeD = Is3DBorderControl();
        const TColor C = ThreeD ? clBtnFace : (GetParent() ? GetParent()->GetColor() : clBtnFace);
        if (ThreeD) {
            RECT W{R.Left, R.Top, R.Right, R.Bottom};
            DrawEdge(DC, &W, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
            JyrFlatLook::FrameIn(DC, TRect(W.left, W.top, W.right, W.bottom), C);
        } else {
            JyrFlatLook::FrameIn(DC, R, C);
            JyrFlatLook::FrameIn(DC, TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1), C);
        }
    }
}

void TQorCustomDropDown::DrawButtonBorder()
{
    if (FButton) FButton->GetButton()->SetFocused(Is3DBorderButton());
}
