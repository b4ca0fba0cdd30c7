// JyrHTMLE: the drawing call (set-up, the line loop with alignment, results), the reading-order
// flags, the Windows version flag, and the system-icon and printer-bitmap routines.
#include "graphics/JyrHTMLE.h"

#include "framework/SysUtils.h"
#include "graphics/JyrHTMLELayout.h"
#include "graphics/PictureContainer.h"
#include "graphics/QorStyleIF.h"
#include "graphics/QorXPVS.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace JyrHTMLE {

bool IsWinXP = false;

void SetWinXP()
{
    IsWinXP = QorStyleIF::IsWinXP();
}

namespace {
// Unit start-up: the Windows version is read once.
const bool WinXPKnown = (SetWinXP(), true);
}  // namespace

// ---- reading order ----------------------------------------------------------------------------

UINT DrawTextBidimodeFlags(UINT DrawStyle, TBiDiMode BidiMode, bool MiddleEast)
{
    UINT Result = DrawStyle;
    if (MiddleEast && BidiMode == bdRightToLeft) {
        if (Result & DT_RIGHT)
            Result &= ~UINT(DT_RIGHT);
        else if (!(Result & DT_CENTER))
            Result |= DT_RIGHT;
    }
    if (MiddleEast && BidiMode != bdLeftToRight) Result |= DT_RTLREADING;
    return Result;
}

UINT DrawTextBidimodeFlags(UINT DrawStyle, TBiDiMode BidiMode)
{
    return DrawTextBidimodeFlags(DrawStyle, BidiMode, GetSystemMetrics(SM_MIDEASTENABLED) != 0);
}

// ---- pictures for the layout ------------------------------------------------------------------

void PrintBitmap(TCanvas* Canvas, const TRect& DestRect, TBitmap* Bitmap)
{
    if (!Canvas || !Bitmap || Bitmap->GetEmpty()) return;
    const int W = Bitmap->GetWidth(), H = Bitmap->GetHeight();
    if (W <= 0 || H <= 0) return;
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = H;   // bottom-up, as GetDIBits gives it
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> Bits(size_t(W) * size_t(H));
    HBITMAP Handle = Bitmap->GetHandle();
    HDC Screen = GetDC(nullptr);
    const int Lines = GetDIBits(Screen, Handle, 0, UINT(H), Bits.data(), &Info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, Screen);
    if (Lines <= 0) return;
    HDC DC = Canvas->GetHandle();
    StretchDIBits(DC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), 0, 0, W, H,
                  Bits.data(), &Info, DIB_RGB_COLORS, SRCCOPY);
}

TPoint SysImage(TCanvas* Canvas, int x, int y, const String& APath, bool large, bool draw,
                bool print, double resfactor)
{
    SHFILEINFOW Info{};
    int Index = IStrToInt(APath);
    int Dummy = 0;
    // The shell is asked only for names it can take; anything longer is no file.
    if (!APath.empty() && !TryIStrToInt(APath, Dummy) && APath.size() < MAX_PATH) {
        if (FileExists(APath) || DirExists(APath)) {
            if (SHGetFileInfoW(APath.c_str(), 0, &Info, sizeof(Info), SHGFI_SYSICONINDEX))
                Index = Info.iIcon;
        } else if (SHGetFileInfoW(APath.c_str(), FILE_ATTRIBUTE_NORMAL, &Info, sizeof(Info),
                                  SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES)) {
            Index = Info.iIcon;
        }
    }
    const UINT SizeFlag = large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    auto List = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"", 0, &Info, sizeof(Info), SHGFI_SYSICONINDEX | SizeFlag));
    int cx = 0, cy = 0;
    if (!List || !ImageList_GetIconSize(List, &cx, &cy)) return {0, 0};
    if (draw && Canvas && Index >= 0 && Index < ImageList_GetImageCount(List)) {
        if (!print) {
            ImageList_Draw(List, Index, Canvas->GetHandle(), x, y, ILD_TRANSPARENT);
        } else {
            TBitmap Bmp(cx, cy);
            ImageList_Draw(List, Index, Bmp.GetCanvas()->GetHandle(), 0, 0, ILD_NORMAL);
            PrintBitmap(Canvas,
                        TRect(x, y, x + int(std::lround(cx * resfactor)), y + int(std::lround(cy * resfactor))),
                        &Bmp);
        }
    }
    return {cx, cy};
}

// ---- the drawing call -------------------------------------------------------------------------

namespace Layout {

THTMLDrawer::THTMLDrawer(TCanvas* ACanvas, const TRect& Afr, TCustomImageList* AImages, int AXPos,
                         int AYPos, int AFocusLink, int AHoverLink, int AShadowOffset,
                         bool ACheckHotSpot, bool ACheckHeight, bool APrint, bool ASelected,
                         bool ABlink, bool AHoverStyle, bool AWordWrap, bool ADown,
                         const String& ADownID, double AResFactor, TColor AURLColor,
                         TColor AHoverColor, TColor AHoverFontColor, TColor AShadowColor,
                         String& AAnchorVal, String& AStripVal, String& AFocusAnchor,
                         String& AAnchorHint, int& AXSize, int& AYSize, int& AHyperLinks,
                         int& AMouseLink, TRect& AHoverRect, TRect& AControlRect, String& ACID,
                         String& ACV, String& ACT, THTMLPictureCache* Aic,
                         TPictureContainer* Apc, HWND AWinHandle, TBiDiMode ABidiMode)
    : FCanvas(ACanvas), fr(Afr), FImages(AImages), XPos(AXPos), YPos(AYPos),
      FocusLink(AFocusLink), HoverLink(AHoverLink), ShadowOffset(AShadowOffset),
      CheckHotSpot(ACheckHotSpot), CheckHeight(ACheckHeight), Print(APrint), Selected(ASelected),
      Blink(ABlink), HoverStyle(AHoverStyle), WordWrap(AWordWrap), Down(ADown), DownID(ADownID),
      ResFactor(AResFactor), URLColor(AURLColor), HoverColor(AHoverColor),
      HoverFontColor(AHoverFontColor), ShadowColor(AShadowColor), AnchorVal(AAnchorVal),
      StripVal(AStripVal), FocusAnchor(AFocusAnchor), AnchorHint(AAnchorHint), XSize(AXSize),
      YSize(AYSize), HyperLinks(AHyperLinks), MouseLink(AMouseLink), HoverRect(AHoverRect),
      ControlRect(AControlRect), CID(ACID), CV(ACV), CT(ACT), ic(Aic), pc(Apc),
      WinHandle(AWinHandle), BidiMode(ABidiMode)
{
    if (CheckHotSpot) FWantedCID = CID;
}

THTMLDrawer::~THTMLDrawer()
{
    Restore();
}

void THTMLDrawer::Restore()
{
    if (FRestored) return;
    FRestored = true;
    // A rotation left open by the text: the device context gets its own font back.
    if (FRotFont) EndRotated(FCanvas);
    SelectFont(FEntryFont);
    FCanvas->GetPen()->SetColor(FEntryPenColor);
    FCanvas->GetPen()->SetWidth(FEntryPenWidth);
    FCanvas->GetBrush()->SetColor(FEntryBrushColor);
    FCanvas->GetBrush()->SetStyle(FEntryBrushStyle);
}

int THTMLDrawer::R(double n) const
{
    // Halves to even, as the platform's rounding does; sizes far beyond any device are capped so
    // that no coordinate overflows.
    double v = std::nearbyint(n * double(FScale));
    v = std::clamp(v, -1.0e6, 1.0e6);
    return int(v);
}

TFontMetrics& THTMLDrawer::Metrics()
{
    const LOGFONTW Key = FCanvas->GetFont()->GetLogFont();
    for (auto& M : FMetrics)
        if (M.Valid && std::memcmp(&M.Key, &Key, sizeof(Key)) == 0) return M;
    TFontMetrics& M = FMetrics[FMetricsNext];
    FMetricsNext = (FMetricsNext + 1) % int(std::size(FMetrics));
    M.Key = Key;
    SIZE S{};
    GetTextExtentPoint32W(DC(), L"gh", 2, &S);
    M.Height = int(S.cy);
    M.SpaceWidth = -1;
    M.Valid = true;
    return M;
}

int THTMLDrawer::SpaceW()
{
    TFontMetrics& M = Metrics();
    if (M.SpaceWidth < 0) {
        SIZE S{};
        GetTextExtentPoint32W(DC(), L" ", 1, &S);
        M.SpaceWidth = int(S.cx);
    }
    return M.SpaceWidth;
}

int THTMLDrawer::MeasureRun(const String& Run, TRect& Rc)
{
    ::DrawTextW(DC(), Run.c_str(), int(Run.size()), reinterpret_cast<RECT*>(&Rc),
                FDrawStyle | DT_CALCRECT);
    return Rc.Right - Rc.Left;
}

void THTMLDrawer::DrawRun(const String& Run, TRect& Rc, UINT Flags)
{
    ::DrawTextW(DC(), Run.c_str(), int(Run.size()), reinterpret_cast<RECT*>(&Rc), Flags);
}

TColor THTMLDrawer::BrushColor() const
{
    TBrush* B = FCanvas->GetBrush();
    return B->GetStyle() == bsClear ? clNone : B->GetColor();
}

void THTMLDrawer::SetBrushColor(TColor Color)
{
    TBrush* B = FCanvas->GetBrush();
    if (Color == clNone)
        B->SetStyle(bsClear);
    else
        B->SetColor(Color);
}

void THTMLDrawer::SetFontColor(TColor Color)
{
    FCanvas->GetFont()->SetColor(Color);
}

void THTMLDrawer::SelectFont(TFont& Font)
{
    if (!FCanvas->GetFont()->IsEqual(&Font)) FCanvas->GetFont()->Assign(&Font);
}

void THTMLDrawer::KeepFont(TFont& Font)
{
    if (!Font.IsEqual(FCanvas->GetFont())) Font.Assign(FCanvas->GetFont());
}

bool THTMLDrawer::Draw(const String& s)
{
    TCanvas* Canvas = FCanvas;
    // 1. Scale factor.
    const int Ppi = GetDeviceCaps(DC(), LOGPIXELSY);
    FScale = Ppi > 0 ? float(Ppi) / 96.0f : 1.0f;

    // 2. Fonts and colours of the entry state.
    TFont* CanvasFont = Canvas->GetFont();
    for (TFont* F : {&FEntryFont, &FCalcFont, &FDrawFont}) {
        F->SetPixelsPerInch(CanvasFont->GetPixelsPerInch());
        F->Assign(CanvasFont);
    }
    FEntryPenColor = Canvas->GetPen()->GetColor();
    FEntryPenWidth = Canvas->GetPen()->GetWidth();
    FEntryBrushColor = Canvas->GetBrush()->GetColor();
    FEntryBrushStyle = Canvas->GetBrush()->GetStyle();
    FBkColor = FEntryBrushColor;
    FRestored = false;
    SetBrushColor(clNone);

    // 3. Visual styles for inline controls.
    FThemed = IsWinXP && QorXPVS::IsThemeActive && QorXPVS::IsThemeActive() &&
              QorXPVS::OpenThemeData && QorXPVS::DrawThemeBackground && QorXPVS::CloseThemeData;

    // 4. Control results; in hit-test mode a control ID coming in names the control to report.
    ControlRect = TRect();
    CV.clear();
    CT.clear();
    if (!CheckHotSpot) CID.clear();

    // 5. The rectangle's left edge moves one pixel right.
    fr.Left += 1;
    TRect LineRect = fr;
    XSize = 0;
    YSize = 0;
    HyperLinks = 0;
    StripVal.clear();
    FocusAnchor.clear();
    AnchorHint.clear();
    AnchorVal.clear();
    MouseLink = -1;

    // 6, 7.
    if (ResFactor < 1) ResFactor = 1;
    SetBkMode(DC(), TRANSPARENT);
    FDrawStyle = DrawTextBidimodeFlags(DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING,
                                       BidiMode);
    if (!WordWrap) FDrawStyle |= DT_END_ELLIPSIS;
    FRtl = (FDrawStyle & DT_RTLREADING) != 0;

    // 8. The text, prepared on a copy.
    const String Text = PrepareMarkup(s);
    TTextCursor Cur(Text);

    bool Result = false;
    int DrawAnchorCount = 0, DrawListLevel = 0;
    while (!Cur.Empty()) {
        // Measuring pass.
        SelectFont(FCalcFont);
        const bool SavedAnchor = FAnchor;
        const String SavedValue = FAnchorValue, SavedHint = FAnchorHintText;
        const bool SavedInAnchor = FInAnchor;
        TLineState ln;
        FSub = FSup = false;
        ln.h = TextH();
        const int MinTextHeight = ln.h;
        const int LinePicCount = FPicCount;
        const TTextFloat LineFloat = FTxtFloat;
        // Switches a tag turns on in the middle of the line apply from the tag on: the second
        // pass starts from the state the first pass started from.
        const bool LineShadow = FShadow, LineHidden = FHidden, LineParaBg = FParaBg;
        FFirstPass = true;
        FSecondPass = false;
        FCutAt = npos;
        const String LineSrc = HTMLDrawLine(Cur, LineRect, true, ln);
        FAnchor = SavedAnchor;
        FAnchorValue = SavedValue;
        FAnchorHintText = SavedHint;
        FInAnchor = SavedInAnchor;
        KeepFont(FCalcFont);

        // Alignment.
        TRect dr = LineRect;
        if (FAlign == TParaAlign::Right) {
            if (dr.Right - ln.w > dr.Left) dr.Left = dr.Right - ln.w;
        } else if (FAlign == TParaAlign::Center) {
            const int Free = dr.Right - dr.Left - ln.w;
            if (Free > 0) dr.Left += Free / 2;
        }
        dr.Left += FPIndent;
        dr.Bottom = dr.Top + ln.h + ln.subh + ln.suph;

        if (!CheckHeight) {
            SelectFont(FDrawFont);
            FAnchorCount = DrawAnchorCount;
            FListLevel = DrawListLevel;
            FPicCount = LinePicCount;
            FShadow = LineShadow;
            FHidden = LineHidden;
            FParaBg = LineParaBg;
            FSub = FSup = false;
            FFirstPass = false;
            FSecondPass = true;
            TTextCursor LineCur(LineSrc);
            HTMLDrawLine(LineCur, dr, CheckHotSpot, ln);
            DrawAnchorCount = FAnchorCount;
            DrawListLevel = FListLevel;
            LineRect.Left = fr.Left + FFloatRect.Left;
            LineRect.Right = fr.Right - FFloatRect.Right;
            if (fr.Top + FFloatRect.Bottom < dr.Top) {
                FFloatRect.Left = FFloatRect.Right = 0;
                LineRect.Left = fr.Left;
                LineRect.Right = fr.Right;
            }
            const int gh = TextH();
            if ((ln.Hotspot && YPos > dr.Bottom - ln.imgali - gh && YPos < dr.Bottom - ln.imgali) ||
                ln.ImageHotSpot)
                Result = true;
            KeepFont(FDrawFont);
        }

        const int LineHeight = ln.h + ln.subh + ln.suph;
        if (FTxtFloat != TTextFloat::None && FTxtFloat != LineFloat) {
            LineRect.Left = FFloatPoint.X;
            LineRect.Top = FFloatPoint.Y;
            FTxtFloat = TTextFloat::None;
        } else {
            LineRect.Top += LineHeight;
            YSize += LineHeight;
        }
        if (!CheckHeight && LineRect.Top + MinTextHeight > fr.Bottom) break;
    }

    HyperLinks = FAnchorCount;
    Restore();
    if (YSize == 0) YSize = TextH();
    return Result;
}

void THTMLDrawer::StartRotated(TCanvas* Canvas, int Angle)
{
    if (FRotFont) EndRotated(Canvas);
    LOGFONTW LF = Canvas->GetFont()->GetLogFont();
    LF.lfEscapement = LF.lfOrientation = (Angle % 360) * 10;
    FRotFont = CreateFontIndirectW(&LF);
    if (!FRotFont) return;
    FRotOld = SelectObject(Canvas->GetHandle(), FRotFont);
}

void THTMLDrawer::EndRotated(TCanvas* Canvas)
{
    if (!FRotFont) return;
    HDC Handle = Canvas->GetHandle();
    // A font change since the rotation has already put the canvas's own font back.
    if (GetCurrentObject(Handle, OBJ_FONT) == FRotFont && FRotOld) SelectObject(Handle, FRotOld);
    DeleteObject(FRotFont);
    FRotFont = nullptr;
    FRotOld = nullptr;
}

}  // namespace Layout

bool HTMLDrawEx(TCanvas* Canvas, const String& s, const TRect& fr, TCustomImageList* FImages,
                int XPos, int YPos, int FocusLink, int HoverLink, int ShadowOffset,
                bool CheckHotSpot, bool CheckHeight, bool Print, bool Selected, bool Blink,
                bool HoverStyle, bool WordWrap, bool Down, const String& DownID,
                double ResFactor, TColor URLColor, TColor HoverColor, TColor HoverFontColor,
                TColor ShadowColor, String& AnchorVal, String& StripVal, String& FocusAnchor,
                String& AnchorHint, int& XSize, int& YSize, int& HyperLinks, int& MouseLink,
                TRect& HoverRect, TRect& ControlRect, String& CID, String& CV, String& CT,
                THTMLPictureCache* ic, TPictureContainer* pc, HWND WinHandle, TBiDiMode BidiMode)
{
    if (!Canvas) return false;
    Layout::THTMLDrawer Drawer(Canvas, fr, FImages, XPos, YPos, FocusLink, HoverLink, ShadowOffset,
                               CheckHotSpot, CheckHeight, Print, Selected, Blink, HoverStyle,
                               WordWrap, Down, DownID, ResFactor, URLColor, HoverColor,
                               HoverFontColor, ShadowColor, AnchorVal, StripVal, FocusAnchor,
                               AnchorHint, XSize, YSize, HyperLinks, MouseLink, HoverRect,
                               ControlRect, CID, CV, CT, ic, pc, WinHandle, BidiMode);
    return Drawer.Draw(s);
}

}  // namespace JyrHTMLE
