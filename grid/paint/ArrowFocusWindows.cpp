// The arrow windows and the focus window.
#include "grid/paint/ArrowFocusWindows.h"

namespace {

// 0x00FF00 and 0x0000FF as 0x00BBGGRR colours.
constexpr TColor ArrowColor = 0x0000FF00;
constexpr TColor FocusWindowColor = 0x000000FF;

const TArrowOutline Outlines[] = {
    {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}},   // arrUp
    {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}},    // arrDown
    {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}},   // arrLeft
    {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}},   // arrRight
};

} // namespace

const TArrowOutline& ArrowOutline(TArrowDirection Direction)
{
    return Outlines[Direction];
}

// ---- TArrowWindow ---------------------------------------------------------------------------------

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction)
    : TPanel(AOwner), Dir(Direction), Arrow(ArrowOutline(Direction))
{
    SetColor(ArrowColor);
    if (auto* Parent = dynamic_cast<TWinControl*>(AOwner)) SetParent(Parent);
    SetVisible(false);
}

void TArrowWindow::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP;
}

void TArrowWindow::CreateWnd()
{
    inherited::CreateWnd();
    POINT Points[std::tuple_size_v<TArrowOutline>];
    for (size_t i = 0; i < Arrow.size(); ++i) Points[i] = {Arrow[i].X, Arrow[i].Y};
    HRGN Region = CreatePolygonRgn(Points, int(Arrow.size()), WINDING);
    // The window owns the region once it is set; otherwise it is ours to delete.
    if (Region && !SetWindowRgn(FHandle, Region, TRUE)) DeleteObject(Region);
}

void TArrowWindow::Paint()
{
    TCanvas* C = GetCanvas();
    C->GetPen()->SetColor(GetColor());
    C->GetBrush()->SetColor(GetColor());
    C->Rectangle(GetClientRect());
}

// ---- TGridFocusWindow -----------------------------------------------------------------------------

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 0, 0);
    SetColor(FocusWindowColor);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED;
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}
