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
#include <memory>
#include <mutex>
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
    const int Lines = GetDIBits(TClientDC(nullptr), Handle, 0, UINT(H), Bits.data(), &Info, DIB_RGB_COLORS);
    if (Lines <= 0) return;
    HDC DC = Canvas->GetHandle();
    StretchDIBits(DC, DestRect.Left, DestRect.Top, DestRect.Width(), DestRect.Height(), 0, 0, W, H,
                  Bits.data(), &Info, DIB_RGB_COLORS, SRCCOPY);
}

TPoint SysImage(TCanvas* Canvas, int x, int y, const String& APath, bool large, bool draw,
                bool print, double resfactor)
{
    SHFILEINFOW Info{};
    int Index = 0;
    const bool IsIndex = TryIStrToInt(APath, Index);
    if (!IsIndex) Index = IStrToInt(APath);
    // The shell is asked only for names it can take; anything longer is no file.
    if (!APath.empty() && !IsIndex && APath.size() < MAX_PATH) {
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

THTMLDrawer::THTMLDrawer(const THTMLDrawRequest& ARequest, THTMLDrawResult& AResult)
    : FRequest(ARequest), FResult(AResult), FCanvas(ARequest.Canvas), fr(ARequest.fr),
      ResFactor(ARequest.ResFactor)
{
}

THTMLDrawer::~THTMLDrawer()
{
    Restore();
}

// ---- text widths ------------------------------------------------------------------------------

namespace {

// Advance widths and heights of fonts on the screen, kept for the process: measuring a run of
// plain Latin text then needs neither a font selected into the canvas nor a call to the system.
// A font whose text extents are not the sum of its advance widths (kerning, shaping) is marked
// unusable and measured by the system.
class TWidthCache {
public:
    std::shared_ptr<const TFontWidths> Find(const LOGFONTW& LF)
    {
        std::lock_guard<std::mutex> Lock(FLock);
        for (auto It = FItems.rbegin(); It != FItems.rend(); ++It)
            if (std::memcmp(&(*It)->Key, &LF, sizeof(LF)) == 0) return *It;
        auto W = std::make_shared<TFontWidths>();
        W->Key = LF;
        Measure(*W);
        FItems.push_back(W);
        if (FItems.size() > 64) FItems.erase(FItems.begin());
        return W;
    }

private:
    void Measure(TFontWidths& W)
    {
        if (!FDC) FDC = CreateCompatibleDC(nullptr);
        TGdiFont Font(FDC ? CreateFontIndirectW(&W.Key) : nullptr);
        if (!Font) return;
        TSelectObject Selected(FDC, Font);
        TEXTMETRICW TM{};
        INT Widths[TFontWidths::Count] = {};
        bool Ok = GetTextMetricsW(FDC, &TM) && GetCharWidth32W(FDC, 0, TFontWidths::Count - 1, Widths);
        if (Ok) {
            for (int i = 0; i < TFontWidths::Count; ++i) W.Width[i] = Widths[i];
            W.Height = int(TM.tmHeight);
            W.Space = W.Width[L' '];
            // The probe: the extent of a text must be the sum of its widths, and the height of
            // any text the font's height.
            static const wchar_t Probe[] =
                L"AVAWATAYLTToTaWaYaFaP.,;:!? 0123456789 \u00C6\u00D8\u00C5\u00E6\u00F8\u00E5 fi ff "
                L"The quick brown fox jumps over the lazy dog";
            const int N = int(std::size(Probe)) - 1;
            int Sum = 0;
            for (int i = 0; i < N; ++i) Sum += W.Width[Probe[i]];
            SIZE S{};
            Ok = GetTextExtentPoint32W(FDC, Probe, N, &S) && S.cx == Sum && S.cy == TM.tmHeight;
        }
        W.Usable = Ok;
    }

    std::mutex FLock;
    std::vector<std::shared_ptr<TFontWidths>> FItems;
    HDC FDC = nullptr;
};

TWidthCache& WidthCache()
{
    static TWidthCache* Cache = new TWidthCache;
    return *Cache;
}

}  // namespace

void THTMLDrawer::Restore()
{
    if (FRestored) return;
    FRestored = true;
    // A rotation left open by the text: the device context gets its font back.
    if (FRotFont) EndRotated(FCanvas);
    HDC Handle = DC();
    // The device context holds the canvas's own font and text colour again.
    HFONT Own = FCanvas->GetFont()->GetHandle();
    if (HFONT(GetCurrentObject(Handle, OBJ_FONT)) != Own) SelectObject(Handle, Own);
    SetTextColor(Handle, COLORREF(ColorToRGB(FCanvas->GetFont()->GetColor())));
    SetBkMode(Handle, FEntryBkMode);
    SetBkColor(Handle, FEntryBkColor);
    TPen* Pen = FCanvas->GetPen();
    if (Pen->GetColor() != FEntryPenColor) Pen->SetColor(FEntryPenColor);
    if (Pen->GetWidth() != FEntryPenWidth) Pen->SetWidth(FEntryPenWidth);
    if (FBrushUsed) {
        FCanvas->GetBrush()->SetColor(FEntryBrushColor);
        FCanvas->GetBrush()->SetStyle(FEntryBrushStyle);
    }
}

int THTMLDrawer::R(double n) const
{
    // Halves to even, as the platform's rounding does; sizes far beyond any device are capped so
    // that no coordinate overflows.
    double v = std::nearbyint(n * double(FScale));
    v = std::clamp(v, -1.0e6, 1.0e6);
    return int(v);
}

const TFontWidths* THTMLDrawer::Widths()
{
    if (FWidthsGen != FFontGen) {
        FWidthsGen = FFontGen;
        FWidths = FWidthCacheOk ? WidthCache().Find(FFont.GetLogFont()) : nullptr;
        if (FWidths && !FWidths->Usable) FWidths = nullptr;
        FOwnHeight = FOwnSpace = -1;
    }
    return FWidths.get();
}

int THTMLDrawer::TextH()
{
    if (const TFontWidths* W = Widths()) return W->Height;
    if (FOwnHeight < 0) {
        SIZE S{};
        GetTextExtentPoint32W(EnsureFont(), L"gh", 2, &S);
        FOwnHeight = int(S.cy);
    }
    return FOwnHeight;
}

int THTMLDrawer::SpaceW()
{
    if (const TFontWidths* W = Widths()) return W->Space;
    if (FOwnSpace < 0) {
        SIZE S{};
        GetTextExtentPoint32W(EnsureFont(), L" ", 1, &S);
        FOwnSpace = int(S.cx);
    }
    return FOwnSpace;
}

int THTMLDrawer::ItalicOverhang(std::wstring_view Run)
{
    if (Run.empty() || Run.back() == L' ' || FRotSelected || !FFont.GetStyle().Contains(fsItalic)) return 0;
    ABC Abc{};
    if (!GetCharABCWidthsW(EnsureFont(), UINT(Run.back()), UINT(Run.back()), &Abc)) return 0;
    return Abc.abcC < 0 ? -Abc.abcC : 0;
}

HDC THTMLDrawer::EnsureFont()
{
    HDC Handle = DC();
    if (FRotSelected) {
        if (FFont.IsEqual(&FRotBase)) return Handle;
        // The font changed since the rotation began: the new font is drawn upright.
        FRotSelected = false;
        FSelValid = false;
    }
    if (!FSelValid || !FSel[FSelIdx].IsEqual(&FFont)) {
        // The font selected before stays alive in the other holder until it is deselected.
        TFont& Next = FSel[1 - FSelIdx];
        Next.Assign(&FFont);
        SelectObject(Handle, Next.GetHandle());
        FSelIdx = 1 - FSelIdx;
        FSelValid = true;
    }
    return Handle;
}

int THTMLDrawer::PlainWidth(std::wstring_view Run, bool& Plain)
{
    Plain = false;
    const TFontWidths* W = Widths();
    if (!W) return 0;
    int Sum = 0;
    const size_t N = Run.size();
    for (size_t i = 0; i < N; ++i) {
        wchar_t Ch = Run[i];
        if (Ch == L'&') {
            // The mnemonic prefix takes no room; "&&" is one ampersand.
            if (i + 1 == N) return 0;
            Ch = Run[++i];
        }
        // Control characters, tabs and scripts beyond Latin go to the system.
        if (Ch < 0x20 || Ch >= TFontWidths::Count) return 0;
        Sum += W->Width[Ch];
    }
    Plain = true;
    return Sum;
}

int THTMLDrawer::MeasureRun(std::wstring_view Run, TRect& Rc)
{
    bool Plain = false;
    const int Sum = PlainWidth(Run, Plain);
    if (Plain && (!(FDrawStyle & DT_END_ELLIPSIS) || Sum <= Rc.Width())) {
        Rc.Right = Rc.Left + Sum;
        return Sum;
    }
    ::DrawTextW(EnsureFont(), Run.data(), int(Run.size()), reinterpret_cast<RECT*>(&Rc),
                FDrawStyle | DT_CALCRECT);
    return Rc.Right - Rc.Left;
}

void THTMLDrawer::DrawRun(std::wstring_view Run, TRect& Rc, UINT Flags)
{
    HDC Handle = EnsureFont();
    SetTextColor(Handle, COLORREF(ColorToRGB(FTextColor)));
    ApplyTextBackground(Handle);
    ::DrawTextW(Handle, Run.data(), int(Run.size()), reinterpret_cast<RECT*>(&Rc), Flags);
}

int THTMLDrawer::DrawTextRun(std::wstring_view Run, TRect& Rc)
{
    // A run of plain text that fits is written where the text-drawing call would put it (left,
    // bottom-aligned, clipped to the rectangle) without that call's layout work, each character
    // at the place its measured width gives it.
    bool Plain = false;
    const int Sum = Run.find(L'&') == npos ? PlainWidth(Run, Plain) : 0;
    const UINT Layout = DT_RIGHT | DT_CENTER | DT_RTLREADING | DT_END_ELLIPSIS;
    if (Plain && !(FDrawStyle & Layout) && Sum <= Rc.Width()) {
        const TFontWidths* W = Widths();
        FDx.resize(Run.size());
        for (size_t i = 0; i < Run.size(); ++i) FDx[i] = W->Width[Run[i]];
        HDC Handle = EnsureFont();
        SetTextColor(Handle, COLORREF(ColorToRGB(FTextColor)));
        ApplyTextBackground(Handle);
        ExtTextOutW(Handle, Rc.Left, Rc.Bottom - TextH(), ETO_CLIPPED, reinterpret_cast<const RECT*>(&Rc),
                    Run.data(), UINT(Run.size()), FDx.data());
        return Sum;
    }
    DrawRun(Run, Rc, FDrawStyle);
    return -1;
}

void THTMLDrawer::BrushRectangle(const TRect& Rc)
{
    // The canvas's brush takes the layout's brush only for fills.
    TBrush* B = FCanvas->GetBrush();
    if (FBrush == clNone) {
        B->SetStyle(bsClear);
    } else {
        B->SetColor(FBrush);
        B->SetStyle(bsSolid);
    }
    FBrushUsed = true;
    FCanvas->Rectangle(Rc);
}

void THTMLDrawer::ApplyTextBackground(HDC Handle)
{
    if (FBrush == clNone) {
        SetBkMode(Handle, TRANSPARENT);
    } else {
        SetBkMode(Handle, OPAQUE);
        SetBkColor(Handle, COLORREF(ColorToRGB(FBrush)));
    }
}

void THTMLDrawer::SelectFont(TFont& Font)
{
    if (!FFont.IsEqual(&Font)) FFont.Assign(&Font);
}

void THTMLDrawer::KeepFont(TFont& Font)
{
    if (!Font.IsEqual(&FFont)) Font.Assign(&FFont);
}

void THTMLDrawer::SetUp()
{
    TCanvas* Canvas = FCanvas;
    // 1. Scale factor.
    const int Ppi = GetDeviceCaps(DC(), LOGPIXELSY);
    FScale = Ppi > 0 ? float(Ppi) / 96.0f : 1.0f;

    // 2. Fonts and colours of the entry state. The call keeps its own font state (the canvas
    // font of the layout) and selects it into the device context itself when it draws or
    // measures with the system; the canvas's font object is not changed.
    TFont* CanvasFont = Canvas->GetFont();
    for (TFont* F : {&FFont, &FEntryFont, &FCalcFont, &FDrawFont, &FSel[0], &FSel[1], &FRotBase}) {
        F->SetPixelsPerInch(CanvasFont->GetPixelsPerInch());
        F->Assign(CanvasFont);
    }
    FFont.OnChange = [this](TObject*) { ++FFontGen; };
    FEntryColor = FCalcColor = FDrawColor = FTextColor = CanvasFont->GetColor();
    HDC Handle = DC();
    FSelIdx = 0;
    FSelValid = HFONT(GetCurrentObject(Handle, OBJ_FONT)) == FSel[0].GetHandle();
    FWidthCacheOk = GetDeviceCaps(Handle, TECHNOLOGY) == DT_RASDISPLAY && GetMapMode(Handle) == MM_TEXT &&
                    GetGraphicsMode(Handle) == GM_COMPATIBLE && Ppi == ScreenPixelsPerInch();
    FEntryPenColor = Canvas->GetPen()->GetColor();
    FEntryPenWidth = Canvas->GetPen()->GetWidth();
    FEntryBrushColor = Canvas->GetBrush()->GetColor();
    FEntryBrushStyle = Canvas->GetBrush()->GetStyle();
    FBkColor = FEntryBrushColor;
    // Text is drawn on a transparent background unless a tag sets one. The device context's
    // background mode and colour come back at the end.
    FEntryBkMode = GetBkMode(Handle);
    FEntryBkColor = GetBkColor(Handle);
    FRestored = false;
    SetBrushColor(clNone);

    // 3. Visual styles for inline controls.
    FThemed = IsWinXP && QorXPVS::IsThemeActive && QorXPVS::IsThemeActive() &&
              QorXPVS::OpenThemeData && QorXPVS::DrawThemeBackground && QorXPVS::CloseThemeData;

    // 4. Control results; in hit-test mode a control ID coming in names the control to report.
    FResult.ControlRect = TRect();
    FResult.CV.clear();
    FResult.CT.clear();
    FResult.CID = FRequest.CheckHotSpot ? FRequest.CID : String();

    // 5. The rectangle's left edge moves one pixel right.
    fr.Left += 1;
    FResult.XSize = 0;
    FResult.YSize = 0;
    FResult.HyperLinks = 0;
    FResult.StripVal.clear();
    FResult.FocusAnchor.clear();
    FResult.AnchorHint.clear();
    FResult.AnchorVal.clear();
    FResult.MouseLink = -1;

    // 6, 7.
    if (ResFactor < 1) ResFactor = 1;
    FDrawStyle = DrawTextBidimodeFlags(DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING,
                                       FRequest.BidiMode);
    if (!FRequest.WordWrap) FDrawStyle |= DT_END_ELLIPSIS;
    FRtl = (FDrawStyle & DT_RTLREADING) != 0;
}

bool THTMLDrawer::Draw(const String& s)
{
    TCanvas* Canvas = FCanvas;
    SetUp();
    TRect LineRect = fr;

    // 8. The text, prepared on a copy.
    const String Text = PrepareMarkup(s);
    TTextCursor Cur(Text);

    bool Result = false;
    int DrawAnchorCount = 0, DrawListLevel = 0;
    while (!Cur.Empty()) {
        // Measuring pass. A rotation left open by the line before ends with it.
        if (FRotFont) EndRotated(Canvas);
        SelectFont(FCalcFont);
        FTextColor = FCalcColor;
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
        FCutAt = npos;
        const size_t LineStart = Cur.Pos;
        const size_t LineEnd = HTMLDrawLine(Cur, LineRect, true, ln);
        FAnchor = SavedAnchor;
        FAnchorValue = SavedValue;
        FAnchorHintText = SavedHint;
        FInAnchor = SavedInAnchor;
        KeepFont(FCalcFont);
        FCalcColor = FTextColor;

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

        if (!FRequest.CheckHeight) {
            // Each pass turns the font on the rotation tag itself.
            if (FRotFont) EndRotated(Canvas);
            SelectFont(FDrawFont);
            FTextColor = FDrawColor;
            FAnchorCount = DrawAnchorCount;
            FListLevel = DrawListLevel;
            FPicCount = LinePicCount;
            FShadow = LineShadow;
            FHidden = LineHidden;
            FParaBg = LineParaBg;
            FSub = FSup = false;
            FFirstPass = false;
            TTextCursor LineCur(Text, LineStart, LineEnd);
            HTMLDrawLine(LineCur, dr, FRequest.CheckHotSpot, ln);
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
            if ((ln.Hotspot && FRequest.YPos > dr.Bottom - ln.imgali - gh && FRequest.YPos < dr.Bottom - ln.imgali) ||
                ln.ImageHotSpot)
                Result = true;
            KeepFont(FDrawFont);
            FDrawColor = FTextColor;
        }

        const int LineHeight = ln.h + ln.subh + ln.suph;
        if (FTxtFloat != TTextFloat::None && FTxtFloat != LineFloat) {
            LineRect.Left = FFloatPoint.X;
            LineRect.Top = FFloatPoint.Y;
            FTxtFloat = TTextFloat::None;
        } else {
            LineRect.Top += LineHeight;
            FResult.YSize += LineHeight;
        }
        if (!FRequest.CheckHeight && LineRect.Top + MinTextHeight > fr.Bottom) break;
    }

    FResult.HyperLinks = FAnchorCount;
    Restore();
    if (FResult.YSize == 0) FResult.YSize = TextH();
    return Result;
}

void THTMLDrawer::StartRotated(TCanvas* Canvas, int Angle)
{
    if (FRotFont) EndRotated(Canvas);
    LOGFONTW LF = FFont.GetLogFont();
    LF.lfEscapement = LF.lfOrientation = (Angle % 360) * 10;
    FRotFont.Reset(CreateFontIndirectW(&LF));
    if (!FRotFont) return;
    FRotOld = SelectObject(DC(), FRotFont);
    FRotBase.Assign(&FFont);
    FRotSelected = true;
}

void THTMLDrawer::EndRotated(TCanvas*)
{
    if (!FRotFont) return;
    HDC Handle = DC();
    // A font change since the rotation has already put an upright font in its place.
    if (HFONT(GetCurrentObject(Handle, OBJ_FONT)) == FRotFont) SelectObject(Handle, FRotOld);
    FRotFont.Reset();
    FRotOld = nullptr;
    FRotSelected = false;
    FSelValid = false;
}

}  // namespace Layout

bool HTMLDraw(const String& s, const THTMLDrawRequest& Request, THTMLDrawResult& Result)
{
    if (!Request.Canvas) return false;
    Layout::THTMLDrawer Drawer(Request, Result);
    return Drawer.Draw(s);
}

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
    const THTMLDrawRequest Request{Canvas, fr, FImages, XPos, YPos, FocusLink, HoverLink, ShadowOffset,
                                   CheckHotSpot, CheckHeight, Print, Selected, Blink, HoverStyle, WordWrap,
                                   Down, DownID, ResFactor, URLColor, HoverColor, HoverFontColor, ShadowColor,
                                   CID, ic, pc, WinHandle, BidiMode};
    THTMLDrawResult Result;
    Result.HoverRect = HoverRect;   // written only when the point is on an anchor
    const bool Hit = HTMLDraw(s, Request, Result);
    AnchorVal = std::move(Result.AnchorVal);
    StripVal = std::move(Result.StripVal);
    FocusAnchor = std::move(Result.FocusAnchor);
    AnchorHint = std::move(Result.AnchorHint);
    XSize = Result.XSize;
    YSize = Result.YSize;
    HyperLinks = Result.HyperLinks;
    MouseLink = Result.MouseLink;
    HoverRect = Result.HoverRect;
    ControlRect = Result.ControlRect;
    CID = std::move(Result.CID);
    CV = std::move(Result.CV);
    CT = std::move(Result.CT);
    return Hit;
}

}  // namespace JyrHTMLE
