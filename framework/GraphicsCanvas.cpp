// Graphics: the canvas.
#include "Graphics.h"

using enum TCanvasStateFlag;

namespace {

const TCanvasState csAllValid = {csHandleValid, csFontValid, csPenValid, csBrushValid};

const int PenModes[] = {R2_BLACK, R2_WHITE, R2_NOP, R2_NOT, R2_COPYPEN, R2_NOTCOPYPEN,
                        R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN,
                        R2_MERGEPEN, R2_NOTMERGEPEN, R2_MASKPEN, R2_NOTMASKPEN, R2_XORPEN,
                        R2_NOTXORPEN};

const POINT* AsPoints(const TPoint* P)
{
    static_assert(sizeof(TPoint) == sizeof(POINT));
    return reinterpret_cast<const POINT*>(P);
}

const RECT* AsRect(const TRect* R)
{
    static_assert(sizeof(TRect) == sizeof(RECT));
    return reinterpret_cast<const RECT*>(R);
}

}  // namespace

UINT TextFormatToDrawTextFlags(TTextFormat F)
{
    static const UINT Flags[] = {
        DT_BOTTOM, DT_CALCRECT, DT_CENTER, DT_EDITCONTROL, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS,
        DT_EXPANDTABS, DT_EXTERNALLEADING, DT_LEFT, DT_MODIFYSTRING, DT_NOCLIP, DT_NOPREFIX,
        DT_RIGHT, DT_RTLREADING, DT_SINGLELINE, DT_TOP, DT_VCENTER, DT_WORDBREAK, DT_HIDEPREFIX,
        DT_NOFULLWIDTHCHARBREAK, DT_PREFIXONLY, DT_TABSTOP, DT_WORD_ELLIPSIS, 0 /*composited*/};
    UINT Result = 0;
    for (int I = 0; I <= int(tfComposited); ++I)
        if (F.Contains(TTextFormats(I))) Result |= Flags[I];
    return Result;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>())
{
    FFont->OnChanging = [this](TObject* S) { FontChanging(S); };
    FPen->OnChanging = [this](TObject* S) { PenChanging(S); };
    FBrush->OnChanging = [this](TObject* S) { BrushChanging(S); };
    FFont->OnChange = [this](TObject* S) { ObjectChanged(S); };
    FPen->OnChange = [this](TObject* S) { ObjectChanged(S); };
    FBrush->OnChange = [this](TObject* S) { ObjectChanged(S); };
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
    FFont->OnChanging = nullptr;
    FPen->OnChanging = nullptr;
    FBrush->OnChanging = nullptr;
    FFont->OnChange = nullptr;
    FPen->OnChange = nullptr;
    FBrush->OnChange = nullptr;
}

HDC TCanvas::GetHandle()
{
    RequiredState(csAllValid);
    return FHandle;
}

HDC TCanvas::GetRawHandle()
{
    RequiredState({csHandleValid});
    return FHandle;
}

void TCanvas::SetHandle(HDC Value)
{
    if (Value == FHandle) return;
    if (FHandle) {
        DeselectHandles();
        FPenPos = GetPenPos();
        FHandle = nullptr;
        FState.Exclude(csHandleValid);
    }
    if (Value) {
        FHandle = Value;
        FState.Include(csHandleValid);
        ::MoveToEx(FHandle, FPenPos.X, FPenPos.Y, nullptr);
    }
}

void TCanvas::CreateHandle()
{
}

void TCanvas::DeselectHandles()
{
    if (!FHandle) return;
    if (FOldFont) SelectObject(FHandle, FOldFont);
    if (FOldPen) SelectObject(FHandle, FOldPen);
    if (FOldBrush) SelectObject(FHandle, FOldBrush);
    FOldFont = FOldPen = FOldBrush = nullptr;
    TFont::ReleaseHandle(FSelectedFont);
    FSelectedFont = nullptr;
    FState = FState * TCanvasState{csHandleValid};
}

void TCanvas::RequiredState(TCanvasState ReqState)
{
    TCanvasState Need = ReqState - FState;
    if (Need.Empty()) return;
    if (Need.Contains(csHandleValid)) {
        CreateHandle();
        if (!FHandle) throw EInvalidOperation(L"Canvas does not allow drawing");
    }
    if (Need.Contains(csFontValid)) {
        // One selection per change of the realised font: the held handle may still be the one
        // in the device context (a font changed and back, or to an equal one).
        const HFONT F = FFont->GetHandle();
        if (F != FSelectedFont || GetCurrentObject(FHandle, OBJ_FONT) != F) {
            HGDIOBJ Old = SelectObject(FHandle, F);
            if (!FOldFont) FOldFont = Old;
            TFont::HoldHandle(F);
            TFont::ReleaseHandle(FSelectedFont);
            FSelectedFont = F;
        }
        SetTextColor(FHandle, COLORREF(ColorToRGB(FFont->GetColor())));
    }
    if (Need.Contains(csPenValid)) {
        HGDIOBJ Old = SelectObject(FHandle, FPen->GetHandle());
        if (!FOldPen) FOldPen = Old;
        SetROP2(FHandle, PenModes[FPen->GetMode()]);
    }
    if (Need.Contains(csBrushValid)) {
        HBRUSH B = FBrush->GetHandle();
        UnrealizeObject(B);
        HGDIOBJ Old = SelectObject(FHandle, B);
        if (!FOldBrush) FOldBrush = Old;
        COLORREF C = COLORREF(ColorToRGB(FBrush->GetColor()));
        if (FBrush->GetStyle() == bsSolid) {
            SetBkColor(FHandle, C);
            SetBkMode(FHandle, OPAQUE);
        } else {
            // Hatches show the background through.
            SetBkColor(FHandle, ~C & 0xFFFFFF);
            SetBkMode(FHandle, TRANSPARENT);
        }
    }
    FState += Need;
}

// The object is about to free the handle that may be selected: the canvas's hold keeps it valid
// in the device context until the next selection replaces it.
void TCanvas::FontChanging(TObject*)
{
    FState.Exclude(csFontValid);
}

void TCanvas::PenChanging(TObject*)
{
    if (FHandle && FState.Contains(csPenValid) && FOldPen) SelectObject(FHandle, FOldPen);
    FState.Exclude(csPenValid);
}

void TCanvas::BrushChanging(TObject*)
{
    if (FHandle && FState.Contains(csBrushValid) && FOldBrush) SelectObject(FHandle, FOldBrush);
    FState.Exclude(csBrushValid);
}

void TCanvas::ObjectChanged(TObject* Sender)
{
    // A font that kept its handle (a colour change) stays selected: only the text colour follows.
    if (Sender == FFont.get() && FHandle && FState.Contains(csFontValid))
        SetTextColor(FHandle, COLORREF(ColorToRGB(FFont->GetColor())));
}

void TCanvas::Refresh()
{
    DeselectHandles();
}

void TCanvas::Changing()
{
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

TPoint TCanvas::GetPenPos()
{
    if (!FHandle) return FPenPos;
    POINT P{};
    GetCurrentPositionEx(FHandle, &P);
    return {int(P.x), int(P.y)};
}

void TCanvas::SetPenPos(const TPoint& Value)
{
    MoveTo(Value.X, Value.Y);
}

TRect TCanvas::GetClipRect()
{
    RequiredState({csHandleValid});
    TRect R;
    GetClipBox(FHandle, reinterpret_cast<RECT*>(&R));
    return R;
}

TColor TCanvas::GetPixels(int X, int Y)
{
    RequiredState({csHandleValid});
    return TColor(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
    Changing();
    RequiredState({csHandleValid, csPenValid});
    SetPixelV(FHandle, X, Y, COLORREF(ColorToRGB(Value)));
    Changed();
}

void TCanvas::Lock()
{
    FLock.lock();
    ++FLockCount;
}

void TCanvas::Unlock()
{
    if (FLockCount <= 0) return;
    --FLockCount;
    FLock.unlock();
}

bool TCanvas::TryLock()
{
    if (!FLock.try_lock()) return false;
    ++FLockCount;
    return true;
}

void TCanvas::MoveTo(int X, int Y)
{
    if (FHandle) ::MoveToEx(FHandle, X, Y, nullptr);
    FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::LineTo(FHandle, X, Y);
    FPenPos = {X, Y};
    Changed();
}

void TCanvas::Polyline(const TPoint* Points, int Count)
{
    if (!Points || Count < 1) return;
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Polyline(FHandle, AsPoints(Points), Count);
    Changed();
}

void TCanvas::Polygon(const TPoint* Points, int Count)
{
    if (!Points || Count < 1) return;
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Polygon(FHandle, AsPoints(Points), Count);
    Changed();
}

void TCanvas::PolyBezier(const TPoint* Points, int Count)
{
    if (!Points || Count < 4 || (Count - 1) % 3 != 0) return;
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::PolyBezier(FHandle, AsPoints(Points), DWORD(Count));
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState({csHandleValid, csPenValid, csBrushValid});
    ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::FillRect(const TRect& Rect)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    ::FillRect(FHandle, AsRect(&Rect), FBrush->GetHandle());
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    ::FrameRect(FHandle, AsRect(&Rect), FBrush->GetHandle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    ::DrawFocusRect(FHandle, AsRect(&Rect));
    Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle)
{
    Changing();
    RequiredState({csHandleValid, csBrushValid});
    ::ExtFloodFill(FHandle, X, Y, COLORREF(ColorToRGB(Color)),
                   FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    ::ExtTextOutW(FHandle, X, Y, UINT(FTextFlags), nullptr, Text.c_str(), UINT(Text.size()),
                  nullptr);
    SIZE S{};
    GetTextExtentPoint32W(FHandle, Text.c_str(), int(Text.size()), &S);
    MoveTo(X + int(S.cx), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    UINT Options = ETO_CLIPPED | UINT(FTextFlags);
    if (FBrush->GetStyle() != bsClear) Options |= ETO_OPAQUE;
    ::ExtTextOutW(FHandle, X, Y, Options, AsRect(&Rect), Text.c_str(), UINT(Text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(TRect& Rect, String& Text, TTextFormat TextFormat)
{
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    UINT Flags = TextFormatToDrawTextFlags(TextFormat);
    if (TextFormat.Contains(tfModifyString)) {
        // DrawText may write up to four more characters than the text has.
        std::vector<wchar_t> Buffer(Text.size() + 8, L'\0');
        std::copy(Text.begin(), Text.end(), Buffer.begin());
        ::DrawTextW(FHandle, Buffer.data(), int(Text.size()), reinterpret_cast<RECT*>(&Rect), Flags);
        Text.assign(Buffer.data());
    } else {
        ::DrawTextW(FHandle, Text.c_str(), int(Text.size()), reinterpret_cast<RECT*>(&Rect),
                    Flags);
    }
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, const String& Text, TTextFormat TextFormat)
{
    TRect R = Rect;
    String T = Text;
    TextRect(R, T, TextFormat - TTextFormat{tfModifyString});
}

TSize TCanvas::TextExtent(const String& Text)
{
    RequiredState({csHandleValid, csFontValid});
    SIZE S{};
    GetTextExtentPoint32W(FHandle, Text.c_str(), int(Text.size()), &S);
    return {int(S.cx), int(S.cy)};
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->GetEmpty()) return;
    Changing();
    RequiredState({csHandleValid});
    Graphic->Draw(this, Bounds(X, Y, Graphic->GetWidth(), Graphic->GetHeight()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
    if (!Graphic || Graphic->GetEmpty()) return;
    Changing();
    RequiredState({csHandleValid});
    Graphic->Draw(this, Rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    if (!Canvas) return;
    Changing();
    RequiredState({csHandleValid, csFontValid, csBrushValid});
    Canvas->RequiredState({csHandleValid, csBrushValid});
    int OldMode = SetStretchBltMode(FHandle, COLORONCOLOR);
    ::StretchBlt(FHandle, Dest.Left, Dest.Top, Dest.Width(), Dest.Height(), Canvas->FHandle,
                 Source.Left, Source.Top, Source.Width(), Source.Height(), DWORD(FCopyMode));
    SetStretchBltMode(FHandle, OldMode);
    Changed();
}
