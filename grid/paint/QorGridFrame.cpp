// TQorStringGrid: what lies around the cells: the one-pixel outer border in BorderColor
// (non-client painting), the client area beyond the last column and row when a background bitmap
// or gradient is set, the translucent focus frame that follows the current cell (a layered popup,
// TGridFocusWindow), the dotted XOR lines shown while a column or row is sized, and the window's
// notifications for date-time changes and balloon tool tips.
#include "grid/paint/QorGridFrame.h"

#include "controls/QorDropDown.h"
#include "framework/SysUtils.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLText.h"
#include "graphics/QorUtilText.h"
#include "grid/QorGrid.h"
#include "grid/QorGridSatellites.h"
#include "grid/paint/ArrowFocusWindows.h"
#include "grid/paint/CellWidgetPaint.h"

#include <commctrl.h>

namespace QorGridFrame {

String BalloonText(const String& CellText)
{
    String S = CellText;
    for (Char& c : S)
        if (c == L'\t') c = L' ';
    size_t Start = 0;
    while (Start < S.size() && (S[Start] == L'\r' || S[Start] == L'\n' || S[Start] == L'\t')) ++Start;
    S.erase(0, Start);
    if (int(S.size()) > MaxBalloonText) S = S.substr(0, MaxBalloonText - 3) + L"...";
    return S;
}

String BalloonTitle(const String& Title)
{
    if (int(Title.size()) > MaxBalloonTitle) return Title.substr(0, MaxBalloonTitle - 3) + L"...";
    return Title;
}

}  // namespace QorGridFrame

using CellWidgetPaint::CopyBitmapPart;
using CellWidgetPaint::TileBitmap;

// ---- Border ------------------------------------------------------------------------------------

void TQorStringGrid::NCPaintProc()
{
    const TGridLook Look = FLookState.FLook;
    if (Look != glSoft && Look < glJOQ) return;
    // The framework has no style service of its own that would paint the border instead.
    if (GetBorderStyle() == bsNone || FLookState.FBorderColor == clNone) return;
    if (FLookState.FFlat && Look != glCustom) return;
    if (!HandleAllocated()) return;
    const bool Fit = FLookState.FFitCellsInGrid;
    if (!Fit && !QorStyleIF::IsThemedApp()) return;
    TClientDC DC(GetHandle(), true);
    TGdiObject<HPEN> Pen(CreatePen(PS_SOLID, 1, ColorToRGB(FLookState.FBorderColor)));
    TSelectObject SelPen(DC, Pen.Get());
    TSelectObject SelBrush(DC, GetStockObject(NULL_BRUSH));
    RECT W;
    GetWindowRect(GetHandle(), &W);
    const int Wd = W.right - W.left, Ht = W.bottom - W.top;
    auto Ring = [&](std::initializer_list<POINT> Pts) { Polyline(DC, Pts.begin(), int(Pts.size())); };
    if (Fit) {
        Ring({{1, Ht}, {1, 1}, {Wd - 2, 1}, {Wd - 2, Ht - 2}, {1, Ht - 2}});
        if (TWinControl* P = GetParent()) {
            TGdiObject<HPEN> Outer(CreatePen(PS_SOLID, 1, ColorToRGB(P->GetColor())));
            TSelectObject SelOuter(DC, Outer.Get());
            Ring({{0, Ht}, {0, 0}, {Wd - 1, 0}, {Wd - 1, Ht - 1}, {0, Ht - 1}});
        }
    } else {
        Ring({{0, Ht - 1}, {0, 0}, {Wd - 1, 0}, {Wd - 1, Ht - 1}, {0, Ht - 1}});
    }
}

void TQorStringGrid::WMNCPaint(TMessage& Message)
{
    inherited::Dispatch(Message);
    if (FRun.FUpdateCount <= 0) {
        NCPaintProc();
        Message.Result = 0;
    }
}

void TQorStringGrid::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_NOTIFY: WMNotify(Message); return;
    // The scroll messages are view/QorGridScroll.cpp's.
    case WM_HSCROLL: WMHScroll(Message); break;
    case WM_VSCROLL: WMVScroll(Message); break;
    default: inherited::Dispatch(Message); break;
    }
    // The focus frame follows the current cell and the focus.
    if (!FOpt.FFocusHelper || !FOpt.FFocusHelper->GetEnabled() || IsDestroying()) return;
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (GetRow() >= 0 && GetCol() >= 0) {
            FocusGrid = this;
            ShowFocusHelper(CellRect(GetCol(), GetRow()));
        }
        break;
    case WM_KILLFOCUS:
        if (FocusGrid == this) HideFocusHelper();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_SIZE:
        if (FocusGrid == this) MoveFocusHelper();
        break;
    default: break;
    }
}

// ---- Background beyond the cells ----------------------------------------------------------------

void TQorStringGrid::PaintBackground()
{
    TBackGround* BG = FOpt.FBackGround.get();
    const bool Gradient = BG->GetDisplay() == bdGradientHorz || BG->GetDisplay() == bdGradientVert;
    const int LastCol = GetColCount() - 1, LastRow = GetRowCount() - 1;
    const bool ColVisible = LastCol >= 0 && LastCol <= GetLeftCol() + GetVisibleColCount();
    const bool RowVisible = LastRow >= 0 && LastRow <= GetTopRow() + GetVisibleRowCount();
    if (!ColVisible && !RowVisible) return;
    if (Gradient && BG->GetColorTo() == clNone) return;
    const TRect Client = GetClientRect();
    const int Line = GetGridLineWidth();
    TGdiObject<HRGN> Region(CreateRectRgn(0, 0, 0, 0));
    bool Any = false;
    if (ColVisible) {
        const TRect R = CellRect(LastCol, GetFixedRows() > 0 ? 0 : GetTopRow());
        if (!R.IsEmpty() && R.Right + Line < Client.Right) {
            TGdiObject<HRGN> Strip(CreateRectRgn(R.Right + Line, 0, Client.Right, Client.Bottom));
            CombineRgn(Region.Get(), Region.Get(), Strip.Get(), RGN_OR);
            Any = true;
        }
    }
    if (RowVisible) {
        const TRect R = CellRect(GetFixedCols() > 0 ? 0 : GetLeftCol(), LastRow);
        if (!R.IsEmpty() && R.Bottom + Line < Client.Bottom) {
            TGdiObject<HRGN> Strip(CreateRectRgn(0, R.Bottom + Line, Client.Right, Client.Bottom));
            CombineRgn(Region.Get(), Region.Get(), Strip.Get(), RGN_OR);
            Any = true;
        }
    }
    if (!Any) return;
    TRect Target = Client;
    TFloatingFooter* FF = FOpt.FFloatingFooter.get();
    if (FF->GetVisible()) Target.Bottom -= GetDefaultRowHeight();
    TCanvas* C = GetCanvas();
    HDC DC = C->GetHandle();
    TClipScope Clip(DC);
    SelectClipRgn(DC, Region.Get());
    TBitmap* Bmp = BG->GetBitmap();
    if (!Bmp || Bmp->GetEmpty()) {
        if (Gradient)
            QorDropDown::DrawGradient(C, BG->GetColor(), BG->GetColorTo(), 128, Target,
                                      BG->GetDisplay() == bdGradientHorz);
    } else if (BG->GetDisplay() != bdTile) {
        DrawWallPaperFixed(Target);
    } else if (BG->GetCells() != bcFixed) {
        TPoint Origin = Target.TopLeft();
        if (BG->GetCells() == bcNormal) {
            const TRect First = CellRect(GetLeftCol(), GetTopRow());
            const TPoint Off = GetXYOffset();
            Origin = TPoint(First.Left + Off.X, First.Top + Off.Y);
        }
        TileBitmap(C, Bmp, Origin, Target);
    }
}

void TQorStringGrid::DrawWallPaperFixed(TRect crect)
{
    TBackGround* BG = FOpt.FBackGround.get();
    CopyBitmapPart(GetCanvas(), BG->GetBitmap(), TPoint(BG->GetLeft(), BG->GetTop()), crect);
}

void TQorStringGrid::DrawWallPaperTile(TRect crect)
{
    TileBitmap(GetCanvas(), FOpt.FBackGround->GetBitmap(), TPoint(crect.Left - 1, crect.Top - 1), crect);
}

// ---- Focus frame -----------------------------------------------------------------------------------

void TQorStringGrid::ShowFocusHelper(TRect ARect)
{
    TGridFocusWindow* W = FWin.FFocusWindow;
    if (!W || !HandleAllocated() || ARect.IsEmpty()) return;
    // Showing the frame moves a window of this thread, which the unit's hook sees.
    TValueScope<bool> Moving(FRun.FMovingFocus, true);
    POINT TopLeft{ARect.Left, ARect.Top};
    ::ClientToScreen(GetHandle(), &TopLeft);
    W->ShowAroundCell(TRect(TopLeft.x, TopLeft.y, TopLeft.x + ARect.Width(), TopLeft.y + ARect.Height()));
}

void TQorStringGrid::MoveFocusHelper()
{
    TGridFocusWindow* W = FWin.FFocusWindow;
    if (!W || !HandleAllocated() || FRun.FMovingFocus) return;
    TValueScope<bool> Moving(FRun.FMovingFocus, true);
    const TRect R = CellRect(GetCol(), GetRow());
    if (R.IsEmpty()) {
        HideFocusHelper();
        return;
    }
    POINT TopLeft{R.Left, R.Top};
    ::ClientToScreen(GetHandle(), &TopLeft);
    W->MoveAroundCell(TRect(TopLeft.x, TopLeft.y, TopLeft.x + R.Width(), TopLeft.y + R.Height()));
}

void TQorStringGrid::HideFocusHelper()
{
    // The unit forgets the grid first: hiding moves a window, which the hook sees.
    if (FocusGrid == this) FocusGrid = nullptr;
    if (FWin.FFocusWindow && FWin.FFocusWindow->HandleAllocated()) FWin.FFocusWindow->HideFrame();
}

// ---- Sizing lines ------------------------------------------------------------------------------------

namespace {

void XorLine(TCanvas* C, int X1, int Y1, int X2, int Y2)
{
    HDC DC = C->GetHandle();
    TGdiObject<HPEN> Pen(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
    TSelectObject Sel(DC, Pen.Get());
    // Black combined by exclusive or would leave every pixel as it is: the line is the black
    // pen's not-xor, which inverts and goes away when drawn again, as exclusive or does.
    const int OldRop = SetROP2(DC, R2_NOTXORPEN);
    const int OldBk = SetBkMode(DC, TRANSPARENT);
    MoveToEx(DC, X1, Y1, nullptr);
    LineTo(DC, X2, Y2);
    SetBkMode(DC, OldBk);
    SetROP2(DC, OldRop);
}

}  // namespace

void TQorStringGrid::DrawSizingLine(int x)
{
    // The canvas's own pen stays as it is: the line uses a pen of its own.
    int Bottom = GetHeight();
    if (GetRowCount() > 0) {
        const TRect Last = CellRect(GetFixedCols() > 0 ? 0 : GetLeftCol(), GetRowCount() - 1);
        if (!Last.IsEmpty()) Bottom = std::max(Bottom, int(Last.Bottom));
    }
    XorLine(GetCanvas(), x, 0, x, Bottom);
}

void TQorStringGrid::DrawSizingLineR(int y)
{
    int Right = GetWidth();
    if (GetColCount() > 0) {
        const TRect Last = CellRect(GetColCount() - 1, GetFixedRows() > 0 ? 0 : GetTopRow());
        if (!Last.IsEmpty()) Right = std::max(Right, int(Last.Right));
    }
    XorLine(GetCanvas(), 0, y, Right, y);
}

// ---- Notifications -------------------------------------------------------------------------------------

void TQorStringGrid::WMNotify(TMessage& Message)
{
    auto* Hdr = reinterpret_cast<NMHDR*>(Message.LParam);
    if (!Hdr) {
        inherited::Dispatch(Message);
        return;
    }
    if (Hdr->code == DTN_DATETIMECHANGE) {
        if (OnDateTimeChange) {
            const auto* N = reinterpret_cast<NMDATETIMECHANGE*>(Hdr);
            TDateTime D = 0;
            if (N->st.wYear != 0 && N->st.wMonth != 0 && N->st.wDay != 0) {
                if (!TryEncodeDate(N->st.wYear, N->st.wMonth, N->st.wDay, D)) D = 0;
            }
            OnDateTimeChange(this, GetCol(), GetRow(), D);
        }
        inherited::Dispatch(Message);
        return;
    }
    if (Hdr->code == TTN_SHOW || Hdr->code == TTN_POP) return;
    if (Hdr->code != TTN_NEEDTEXTW) {
        inherited::Dispatch(Message);
        return;
    }
    TBalloonSettings* B = FOpt.FBalloonSettings.get();
    if (!B || !B->GetEnable() || !HandleAllocated() || IsDestroying()) return;
    auto* Info = reinterpret_cast<NMTTDISPINFOW*>(Hdr);
    POINT Pt;
    GetCursorPos(&Pt);
    ::ScreenToClient(GetHandle(), &Pt);
    int C = -1, R = -1;
    MouseToCell(Pt.x, Pt.y, C, R);
    if (C < 0 || R < 0) return;
    if (FOpt.FFloatingFooter->GetVisible() && R == GetRowCount() - 1) return;
    const TPoint Base = BaseCell(C, R);
    C = Base.X;
    R = Base.Y;
    const int RCol = RealColIndex(C);
    String Text = QorGridFrame::BalloonText(BalloonCellText(C, R));
    String Title = L" ";
    TBalloonIcon Icon = biInfo;
    if (!B->GetShowCell()) {
        Title.clear();
        Text.clear();
    }
    String OwnTitle, OwnText;
    TBalloonIcon OwnIcon = biInfo;
    if (IsBalloon(RCol, R, OwnTitle, OwnText, OwnIcon)) {
        Title = OwnTitle;
        Text = OwnText;
        Icon = OwnIcon;
    }
    int IconCode = int(Icon);
    if (OnCellBalloon) OnCellBalloon(this, C, R, Title, Text, IconCode);
    FHints.FLastBalloonPos = TPoint(C, R);
    FHints.FBalloonBuffer = Text;
    Info->lpszText = const_cast<LPWSTR>(FHints.FBalloonBuffer.c_str());
    Title = QorGridFrame::BalloonTitle(Title);
    SendMessageW(Hdr->hwndFrom, TTM_SETMAXTIPWIDTH, 0, 300);
    if (B->GetTextColor() != clNone) SendMessageW(Hdr->hwndFrom, TTM_SETTIPTEXTCOLOR, ColorToRGB(B->GetTextColor()), 0);
    if (B->GetBackgroundColor() != clNone)
        SendMessageW(Hdr->hwndFrom, TTM_SETTIPBKCOLOR, ColorToRGB(B->GetBackgroundColor()), 0);
    SendMessageW(Hdr->hwndFrom, TTM_SETTITLEW, WPARAM(IconCode), reinterpret_cast<LPARAM>(Title.c_str()));
}
