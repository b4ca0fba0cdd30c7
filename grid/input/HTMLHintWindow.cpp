// The grid's HTML hint window.
#include "grid/input/HTMLHintWindow.h"

#include "framework/Forms.h"
#include "framework/WinScope.h"
#include "graphics/JyrHTMLE.h"
#include "graphics/QorUtilText.h"

String WideHintFontName;

namespace {

// The room a text may take below its top while it is measured.
constexpr int MeasureHeight = 4096;
// The width a hint is laid out in when it is shown: 1024 less the horizontal margin.
constexpr int ShowMeasureWidth = 1024 - THTMLHintWindow::HorzMargin;
// How far inside the monitor's right and bottom edges a hint that does not fit ends.
constexpr int MonitorInset = 2;

bool IsWideText(const String& Text)
{
    return QorUtil::TextType(Text, false) == QorUtil::ttUnicode;
}

JyrHTMLE::THTMLDrawRequest HintRequest(TCanvas* Canvas, const TRect& R, TCustomImageList* Images,
                                       TPictureContainer* Container, TBiDiMode BidiMode)
{
    JyrHTMLE::THTMLDrawRequest Request;
    Request.Canvas = Canvas;
    Request.fr = R;
    Request.Images = Images;
    Request.PictureContainer = Container;
    Request.WordWrap = true;
    Request.URLColor = clBlue;
    Request.BidiMode = BidiMode;
    return Request;
}

// A one-pixel 3-D frame inside R: top and left in TopLeft, bottom and right in BottomRight.
void DCFrame3D(TCanvas* C, const TRect& R, TColor TopLeft, TColor BottomRight)
{
    C->GetPen()->SetColor(TopLeft);
    C->Polyline({TPoint(R.Left, R.Bottom - 2), TPoint(R.Left, R.Top), TPoint(R.Right - 1, R.Top)});
    C->GetPen()->SetColor(BottomRight);
    C->Polyline({TPoint(R.Left, R.Bottom - 1), TPoint(R.Right - 1, R.Bottom - 1), TPoint(R.Right - 1, R.Top - 1)});
}

} // namespace

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void THTMLHintWindow::CreateParams(TCreateParams& Params)
{
    inherited::CreateParams(Params);
    Params.Style &= ~DWORD(WS_BORDER);
    if (CheckWin32Version(5, 1)) Params.WindowClass.style |= CS_DROPSHADOW;
}

void THTMLHintWindow::SelectTextFont(bool Wide)
{
    TFont* F = FCanvas->GetFont();
    F->Assign(GetFont());
    if (Wide && !WideHintFontName.empty()) F->SetName(WideHintFontName);
}

TSize THTMLHintWindow::MeasureText(const String& AHint, int Width, bool& Wide, WideString& Decoded)
{
    HandleNeeded();
    Wide = IsWideText(AHint);
    SelectTextFont(Wide);
    if (Wide) {
        Decoded = QorUtil::DecodeWideStr(AHint);
        TRect R(0, 0, Width, 0);
        String Text = Decoded;
        FCanvas->TextRect(R, Text, {tfCalcRect, tfSingleLine, tfNoPrefix});
        return TSize(R.Width(), R.Height());
    }
    JyrHTMLE::THTMLDrawResult Result;
    JyrHTMLE::THTMLDrawRequest Request =
        HintRequest(GetCanvas(), TRect(0, 0, Width, MeasureHeight), FImages, FPictureContainer, GetBiDiMode());
    Request.CheckHeight = true;
    JyrHTMLE::HTMLDraw(AHint, Request, Result);
    return TSize(Result.XSize, Result.YSize);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const String& AHint, void*)
{
    bool Wide;
    WideString Decoded;
    TSize S = MeasureText(AHint, MaxWidth, Wide, Decoded);
    return TRect(0, 0, S.cx, S.cy);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const String& AHint)
{
    TValueScope<bool> Activating(FActivating, true);
    SetText(AHint);
    bool Wide;
    WideString Decoded;
    TSize S = MeasureText(AHint, ShowMeasureWidth, Wide, Decoded);
    FWideCaption = Wide ? Decoded : WideString();
    int HMargin = Wide ? WideHorzMargin : HorzMargin;
    FTextWidth = S.cx;
    FTextHeight = S.cy;
    TRect R(Rect.Left, Rect.Top, Rect.Left + S.cx + HMargin, Rect.Top + S.cy + VertMargin);
    if (TMonitor* M = Screen ? Screen->MonitorFromPoint(TPoint(R.Left, R.Top)) : nullptr) {
        TRect MB = M->GetBoundsRect();
        int W = R.Width(), H = R.Height();
        if (W > MB.Right - R.Left) R.Left = MB.Right - MonitorInset - W;
        if (H > MB.Bottom - R.Top) R.Top = MB.Bottom - MonitorInset - H;
        R.Right = R.Left + W;
        R.Bottom = R.Top + H;
    }
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    SetWindowPos(GetHandle(), HWND_TOPMOST, R.Left, R.Top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    FVisible = true;
    Invalidate();
    Update();
}

void THTMLHintWindow::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    C->GetBrush()->SetColor(GetColor());
    C->FillRect(R);
    DCFrame3D(C, R, cl3DLight, cl3DDkShadow);
    TRect T(R.Left + 4, R.Top + (R.Height() - FTextHeight) / 2, R.Right - 4, 0);
    T.Bottom = T.Top + FTextHeight + 8;
    String Text = GetText();
    bool Wide = IsWideText(Text);
    SelectTextFont(Wide);
    C->GetBrush()->SetStyle(bsClear);
    if (Wide) {
        C->TextRect(static_cast<const TRect&>(T), FWideCaption, {tfNoPrefix, tfSingleLine});
        return;
    }
    JyrHTMLE::THTMLDrawResult Result;
    JyrHTMLE::HTMLDraw(Text, HintRequest(C, T, FImages, FPictureContainer, GetBiDiMode()), Result);
}

void THTMLHintWindow::CMTextChanged(TMessage& Message)
{
    inherited::Dispatch(Message);
    Invalidate();
}

void THTMLHintWindow::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    default: inherited::Dispatch(Message);
    }
}
