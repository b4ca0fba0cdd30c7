// TQorStringGrid: the appearance properties whose setters do more than store and repaint: the
// highlight colours of the <HI> tag (handed to the HTML engine), the HTML line-break switch (a
// process-wide switch of the engine), the selection mixer factor (clamped), the active-cell
// colours and font (repainted even when unchanged), the background, the row indicator (its cell
// repainted), text offsets, zoom, and automatic theme adaptation (the style of the Office theme,
// the grid's registration at the process-wide theme notifier).
#include "grid/QorGrid.h"

#include "graphics/JyrHTMLText.h"

void TQorStringGrid::SetHighlightColor(TColor Value)
{
    if (FLookState.FHighlightColor == Value) return;
    FLookState.FHighlightColor = Value;
    JyrHTMLE::SetHighLightColors(FLookState.FHighlightColor, FLookState.FHighlightTextColor);
    PropertyRepaint();
}

void TQorStringGrid::SetHighlightTextColor(TColor Value)
{
    if (FLookState.FHighlightTextColor == Value) return;
    FLookState.FHighlightTextColor = Value;
    JyrHTMLE::SetHighLightColors(FLookState.FHighlightColor, FLookState.FHighlightTextColor);
    PropertyRepaint();
}

void TQorStringGrid::SetHTMLKeepLineBreak(bool Value)
{
    // The engine's switch is one for the process: every grid's HTML texts follow the last setter.
    FHints.FHTMLKeepLineBreak = Value;
    JyrHTMLE::JYR_KEEP_LINEBREAKS = Value;
}

void TQorStringGrid::SetActiveCellShow(bool Value)
{
    FLookState.FActiveCellShow = Value;
    PropertyRepaint();
}

void TQorStringGrid::SetActiveCellColor(TColor Value)
{
    FLookState.FActiveCellColor = Value;
    PropertyRepaint();
}

void TQorStringGrid::SetActiveCellColorTo(TColor Value)
{
    FLookState.FActiveCellColorTo = Value;
    PropertyRepaint();
}

void TQorStringGrid::SetActiveCellFont(TFont* Value)
{
    if (!Value) return;
    if (Value != FOpt.FActiveCellFont.get()) FOpt.FActiveCellFont->Assign(Value);
    PropertyRepaint();
}

void TQorStringGrid::SetBackGround(TBackGround* Value)
{
    if (!Value) return;
    if (Value != FOpt.FBackGround.get()) FOpt.FBackGround->Assign(Value);
    PropertyRepaint();
}

void TQorStringGrid::SetRowIndicator(TBitmap* Value)
{
    if (!Value) return;
    if (Value != FOpt.FRowIndicator.get()) FOpt.FRowIndicator->Assign(Value);
    // The indicator shows in column 0 of the current row.
    if (!IsLoading() && !IsDestroying() && GetColCount() > 0 && GetRow() < GetRowCount()) RepaintCell(0, GetRow());
}

void TQorStringGrid::SetSelectionColorMixerFactor(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (FSel.FSelectionColorMixerFactor == Value) return;
    FSel.FSelectionColorMixerFactor = Value;
    PropertyRepaint();
}

void TQorStringGrid::SetXYOffset(TPoint Value)
{
    FText.FTextOffset = Value;
    PropertyRepaint();
}

void TQorStringGrid::UpdateXYOffset(int X, int Y)
{
    FText.FTextOffset = TPoint(X, Y);
}

void TQorStringGrid::SetXYRTFOffset(TPoint Value)
{
    FText.FRTFOffset = Value;
    PropertyRepaint();
}

void TQorStringGrid::SetZoomFactor(int Value)
{
    if (FDims.FZoomFactor == Value) return;
    FDims.FZoomFactor = Value;
    PropertyRepaint();
}

void TQorStringGrid::SetAutoThemeAdapt(bool Value)
{
    if (FLookState.FAutoThemeAdapt == Value) return;
    FLookState.FAutoThemeAdapt = Value;
    FOpt.FSearchFooter->SetAutoThemeAdapt(Value);
    if (Value) {
        // While loading, Loaded adapts once every property is in.
        if (!IsLoading()) ThemeAdapt();
        PropertyRepaint();
    }
    if (!IsLoading()) ThemeNotifierRegistration(Value);
}

namespace {

// The component style that follows an Office theme; tsCustom for an unknown theme.
QorStyleIF::TJOQStyle StyleOfOfficeTheme(QorStyleIF::TOfficeTheme T)
{
    using namespace QorStyleIF;
    switch (T) {
    case ot2003Blue: return tsOffice2003Blue;
    case ot2003Silver: return tsOffice2003Silver;
    case ot2003Olive: return tsOffice2003Olive;
    case ot2003Classic: return tsOffice2003Classic;
    case ot2007Blue: return tsOffice2007Luna;
    case ot2007Silver: return tsOffice2007Silver;
    case ot2007Black: return tsOffice2007Obsidian;
    case ot2010Blue: return tsOffice2010Blue;
    case ot2010Silver: return tsOffice2010Silver;
    case ot2010Black: return tsOffice2010Black;
    case ot2013White: return tsOffice2013White;
    case ot2013Silver: return tsOffice2013LightGray;
    case ot2013Gray: return tsOffice2013Gray;
    case ot2016White: return tsOffice2016White;
    case ot2016Gray: return tsOffice2016Gray;
    case ot2016Black: return tsOffice2016Black;
    default: return tsCustom;
    }
}

}  // namespace

void TQorStringGrid::ThemeAdapt()
{
    // Only a change of the Office theme applies a style: colours the application set by hand
    // since stay while the theme stays.
    const QorStyleIF::TOfficeTheme Theme = QorStyleIF::GetOfficeTheme();
    if (Theme == FLookState.FOldOfficeTheme) return;
    FLookState.FOldOfficeTheme = Theme;
    if (Theme != QorStyleIF::otUnknown) SetComponentStyle(StyleOfOfficeTheme(Theme));
}

void TQorStringGrid::ThemeNotifierRegistration(bool Register)
{
    // The notifier knows windows by handle: a window made again registers again (CreateWnd), a
    // window going away unregisters (DestroyWnd).
    if (!HandleAllocated() || IsLibrary()) return;
    if (Register)
        QorStyleIF::ThemeNotifier(this)->RegisterWindow(GetHandle());
    else if (QorStyleIF::ThemeNotifierInstance)
        QorStyleIF::ThemeNotifierInstance->UnRegisterWindow(GetHandle());
}
