// TQorStringGrid: the appearance properties whose setters do more than store and repaint: the
// highlight colours of the <HI> tag (handed to the HTML engine), the HTML line-break switch (a
// process-wide switch of the engine), the selection mixer factor (clamped), the active-cell
// colours (repainted even when unchanged), text offsets, zoom, and automatic theme adaptation
// with the grid's registration at the process-wide theme notifier.
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
        ThemeAdapt();
        PropertyRepaint();
    }
    if (!IsLoading()) ThemeNotifierRegistration(Value);
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
