// The arrow windows, the focus window and its layered image, the platform tests and the
// gradient.
#include "grid/paint/ArrowFocusWindows.h"

#include "framework/Math.h"
#include "framework/WinScope.h"
#include "graphics/QorStyleIF.h"
#include "graphics/QorUtil.h"
#include "graphics/QorXPVS.h"

#include <memory>

namespace {

// 0x00FF00 and 0x0000FF as 0x00BBGGRR colours.
constexpr TColor ArrowColor = 0x0000FF00;
constexpr TColor FocusWindowColor = 0x000000FF;

// The focus frame: the cell grown by 4 at the left and top and 5 at the right and bottom, a white
// frame of pen 4 and corner 5 blurred by 3, tinted, at opacity 230.
constexpr int FrameBefore = 4;
constexpr int FrameGrowth = 9;
constexpr int FramePen = 4;
constexpr int FrameCorner = 5;
constexpr double FrameBlur = 3;
constexpr TColor FrameTint = 0x00FDD397;
constexpr Byte FrameOpacity = 230;

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

TRect TGridFocusWindow::FrameBounds(const TRect& ScreenCell)
{
    return Bounds(ScreenCell.Left - FrameBefore, ScreenCell.Top - FrameBefore,
                  std::max(0, ScreenCell.Width()) + FrameGrowth, std::max(0, ScreenCell.Height()) + FrameGrowth);
}

void TGridFocusWindow::ShowAroundCell(const TRect& ScreenCell)
{
    const TRect B = FrameBounds(ScreenCell);
    const int W = B.Width(), H = B.Height();
    const HWND Wnd = GetHandle();
    HideFrame();
    UpdateBoundsRect(B);
    SetWindowPos(Wnd, nullptr, B.Left, B.Top, W, H, SWP_NOZORDER | SWP_NOACTIVATE);

    TFreePtr<TBitmap> Frame(Create<TBitmap>());
    ArrowFocusWindows::DrawRoundRect(Frame.get(), W, H, FramePen, FrameCorner, FrameBlur);
    TFreePtr<TBitmap> Tint(Create<TBitmap>());
    Tint->SetPixelFormat(pf24bit);
    Tint->SetSize(W, H);
    Tint->GetCanvas()->GetBrush()->SetColor(FrameTint);
    Tint->GetCanvas()->FillRect(TRect(0, 0, W, H));
    TFreePtr<TGridAlphaMask> Mask(Create<TGridAlphaMask>());
    Mask->MergeMask(Frame.get(), Tint.get(), clNone);
    Mask->SetOpacity(FrameOpacity);
    UpdateAlphaWindow(Wnd, Mask.get());

    // Only the frame belongs to the window: the cell itself stays the grid's.
    TGdiRegion Region(CreateRectRgn(0, 0, W, H));
    TGdiRegion Cell(CreateRectRgn(FrameBefore, FrameBefore, FrameBefore + std::max(0, ScreenCell.Width()),
                                  FrameBefore + std::max(0, ScreenCell.Height())));
    CombineRgn(Region, Region, Cell, RGN_DIFF);
    if (SetWindowRgn(Wnd, Region, TRUE)) Region.Release();   // the window owns it now

    SetWindowPos(Wnd, HWND_TOPMOST, B.Left, B.Top, W, H, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    FVisible = true;
}

void TGridFocusWindow::MoveAroundCell(const TRect& ScreenCell)
{
    const TRect B = FrameBounds(ScreenCell);
    if (!HandleAllocated() || !IsWindowVisible(FHandle) || B.Width() != GetWidth() || B.Height() != GetHeight()) {
        // Another size needs another image and region.
        ShowAroundCell(ScreenCell);
        return;
    }
    UpdateBoundsRect(B);
    SetWindowPos(FHandle, nullptr, B.Left, B.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TGridFocusWindow::HideFrame()
{
    if (HandleAllocated()) ShowWindow(FHandle, SW_HIDE);
    FVisible = false;
}

// ---- Layered image ------------------------------------------------------------------------------

void UpdateAlphaWindow(HWND Handle, TGridAlphaMask* Mask)
{
    if (!Handle || !Mask || Mask->GetHeight() == 0) return;
    SetWindowLongW(Handle, GWL_EXSTYLE, GetWindowLongW(Handle, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetWindowPos(Handle, nullptr, 0, 0, Mask->GetWidth(), Mask->GetHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT WR;
    GetWindowRect(Handle, &WR);
    POINT Dest{WR.left, WR.top};
    POINT Source{0, 0};
    SIZE Size{Mask->GetWidth(), Mask->GetHeight()};
    BLENDFUNCTION Blend{AC_SRC_OVER, 0, Mask->GetOpacity(), AC_SRC_ALPHA};
    TCompatibleDC DC(nullptr);
    TSelectObject Bits(DC, Mask->GetHandle());
    QorUtil::DynaLink_UpdateLayeredWindow(Handle, nullptr, &Dest, &Size, DC, &Source, 0, &Blend, ULW_ALPHA);
}

// ---- Platform tests and the gradient -----------------------------------------------------------

namespace ArrowFocusWindows {

namespace {

// A visual style is active: the override, else the binding's answer.
bool ThemeActive()
{
    if (QorStyleIF::DetectionOverrides().ThemeActive) return *QorStyleIF::DetectionOverrides().ThemeActive;
    return QorXPVS::IsThemeActive && QorXPVS::IsThemeActive();
}

// The current theme's colour scheme name: the override, else the binding's answer.
String ThemeColorName()
{
    if (QorStyleIF::DetectionOverrides().ThemeColorName) return *QorStyleIF::DetectionOverrides().ThemeColorName;
    if (!QorXPVS::GetCurrentThemeName) return {};
    wchar_t FileName[255] = {}, ColorName[255] = {}, SizeName[255] = {};
    if (FAILED(QorXPVS::GetCurrentThemeName(FileName, 255, ColorName, 255, SizeName, 255))) return {};
    return ColorName;
}

}  // namespace

bool IsWinXP()
{
    return QorStyleIF::IsWinXP();
}

bool DoThemeDrawing()
{
    return IsWinXP() && ThemeActive() && QorStyleIF::IsThemedApp();
}

int CurrentXPTheme()
{
    if (!IsWinXP() || !ThemeActive()) return QorStyleIF::xpNone;
    const String Name = ThemeColorName();
    if (Name == L"NormalColor") return QorStyleIF::xpBlue;
    if (Name == L"HomeStead") return QorStyleIF::xpGreen;
    if (Name == L"Metallic") return QorStyleIF::xpGray;
    return QorStyleIF::xpNone;
}

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor PenColor, int Steps, TRect R,
                  bool Direction)
{
    if (Steps < 1) Steps = 1;
    const COLORREF From = ColorToRGB(FromColor), To = ColorToRGB(ToColor);
    const int FR = GetRValue(From), FG = GetGValue(From), FB = GetBValue(From);
    const int DR = GetRValue(To) - FR, DG = GetGValue(To) - FG, DB = GetBValue(To) - FB;
    Canvas->GetBrush()->SetStyle(bsSolid);
    const double Band = double(Direction ? R.Right - R.Left : R.Bottom - R.Top) / Steps;
    const int BandWidth = int(Round(Band));
    for (int i = 0; i < Steps; ++i) {
        const int Red = FR + int(Round(double(i) * DR / Steps));
        const int Green = FG + int(Round(double(i) * DG / Steps));
        const int Blue = FB + int(Round(double(i) * DB / Steps));
        const TColor C = TColor(Red + Green * 256 + Blue * 65536);
        Canvas->GetPen()->SetColor(C);
        Canvas->GetBrush()->SetColor(C);
        const int O = int(Round(i * Band));
        if (Direction) Canvas->Rectangle(R.Left + O, R.Top, R.Left + O + BandWidth + 1, R.Bottom);
        else Canvas->Rectangle(R.Left, R.Top + O, R.Right, R.Top + O + BandWidth + 1);
    }
    if (PenColor != clNone) {
        Canvas->GetPen()->SetColor(PenColor);
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->Rectangle(R);
    }
}

}  // namespace ArrowFocusWindows
