// Graphics: fonts, pens and brushes.
#include "Graphics.h"

#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

int ScreenPixelsPerInch()
{
    static const int Ppi = [] {
        TClientDC DC(nullptr);
        int Value = DC ? GetDeviceCaps(DC, LOGPIXELSY) : 96;
        return Value > 0 ? Value : 96;
    }();
    return Ppi;
}

// ---- font handles -----------------------------------------------------------------------------

namespace {

// Font handles shared by equal fonts, and kept a while after their last user lets go: painting
// that assigns a cell's font to a canvas for every cell finds the handle (and the glyphs GDI
// keeps for it) again instead of making a new font each time. Never destroyed, so fonts freed
// during shutdown still find it.
class TFontCache {
public:
    HFONT Acquire(const LOGFONTW& LF)
    {
        std::lock_guard<std::mutex> G(FLock);
        std::string Key(reinterpret_cast<const char*>(&LF), sizeof(LF));
        auto It = FByKey.find(Key);
        if (It != FByKey.end()) {
            ++It->second.Refs;
            It->second.LastUse = ++FClock;
            return It->second.Font;
        }
        HFONT F = CreateFontIndirectW(&LF);
        if (!F) return nullptr;
        FByKey[Key] = {F, 1, ++FClock};
        FKeys[F] = Key;
        return F;
    }

    // One more user of a handle Acquire gave (nothing for another handle).
    void Hold(HFONT F)
    {
        std::lock_guard<std::mutex> G(FLock);
        auto K = FKeys.find(F);
        if (K != FKeys.end()) ++FByKey[K->second].Refs;
    }

    void Release(HFONT F)
    {
        std::lock_guard<std::mutex> G(FLock);
        auto K = FKeys.find(F);
        if (K == FKeys.end()) return;
        auto& E = FByKey[K->second];
        if (E.Refs > 0) --E.Refs;
        E.LastUse = ++FClock;
        Trim();
    }

private:
    struct TEntry {
        HFONT Font;
        int Refs;
        UInt64 LastUse;
    };

    // Frees the least recently used fonts nobody holds, beyond the first few.
    void Trim()
    {
        constexpr size_t Keep = 48;
        size_t Unused = 0;
        for (const auto& [K, E] : FByKey) Unused += E.Refs == 0;
        while (Unused > Keep) {
            auto Oldest = FByKey.end();
            for (auto It = FByKey.begin(); It != FByKey.end(); ++It)
                if (It->second.Refs == 0 && (Oldest == FByKey.end() || It->second.LastUse < Oldest->second.LastUse))
                    Oldest = It;
            DeleteObject(Oldest->second.Font);
            FKeys.erase(Oldest->second.Font);
            FByKey.erase(Oldest);
            --Unused;
        }
    }

    std::mutex FLock;
    std::map<std::string, TEntry> FByKey;
    std::map<HFONT, std::string> FKeys;
    UInt64 FClock = 0;
};

TFontCache& FontCache()
{
    static TFontCache* Cache = new TFontCache;
    return *Cache;
}

}  // namespace

// ---- TGraphicsObject --------------------------------------------------------------------------

void TGraphicsObject::Changed()
{
    if (OnChanging) OnChanging(this);
    FreeHandle();
    if (OnChange) OnChange(this);
}

// ---- TFont ------------------------------------------------------------------------------------

TFont::TFont()
{
    RegisterGraphicsClasses();
    FPixelsPerInch = ScreenPixelsPerInch();
    FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

TFont::~TFont()
{
    FreeHandle();
}

void TFont::FreeHandle()
{
    if (FHandle) FontCache().Release(FHandle);
    FHandle = nullptr;
}

void TFont::Assign(TPersistent* Source)
{
    if (auto* F = dynamic_cast<TFont*>(Source)) {
        if (F == this) return;
        // The height keeps the point size when the two fonts differ in pixels per inch.
        const int Height = F->FPixelsPerInch == FPixelsPerInch
                               ? F->FHeight
                               : MulDiv(F->FHeight, FPixelsPerInch, F->FPixelsPerInch);
        // The same GDI font: the handle (and its place in a canvas) stays, only the colour may
        // differ. Painting that assigns a cell's font for every cell would otherwise take the
        // font out of the device context and select it again, which costs more than the text.
        const bool SameGdiFont = FName == F->FName && FHeight == Height && FStyle == F->FStyle &&
                                 FCharset == F->FCharset && FPitch == F->FPitch &&
                                 FOrientation == F->FOrientation && FQuality == F->FQuality;
        FName = F->FName;
        FHeight = Height;
        FStyle = F->FStyle;
        FColor = F->FColor;
        FCharset = F->FCharset;
        FPitch = F->FPitch;
        FOrientation = F->FOrientation;
        FQuality = F->FQuality;
        if (SameGdiFont) {
            if (OnChange) OnChange(this);
        } else {
            Changed();
        }
        return;
    }
    inherited::Assign(Source);
}

LOGFONTW TFont::GetLogFont() const
{
    LOGFONTW LF{};
    LF.lfHeight = FHeight;
    LF.lfEscapement = FOrientation;
    LF.lfOrientation = FOrientation;
    LF.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    LF.lfItalic = FStyle.Contains(fsItalic);
    LF.lfUnderline = FStyle.Contains(fsUnderline);
    LF.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    LF.lfCharSet = FCharset;
    LF.lfOutPrecision = OUT_DEFAULT_PRECIS;
    LF.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    static const BYTE Qualities[] = {DEFAULT_QUALITY, DRAFT_QUALITY, PROOF_QUALITY,
                                     NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY,
                                     CLEARTYPE_QUALITY, CLEARTYPE_NATURAL_QUALITY};
    LF.lfQuality = Qualities[FQuality];
    LF.lfPitchAndFamily = FPitch == fpVariable ? VARIABLE_PITCH
                          : FPitch == fpFixed  ? FIXED_PITCH
                                               : DEFAULT_PITCH;
    String Face = FName.substr(0, LF_FACESIZE - 1);
    if (Face.empty() || Face == L"Default") Face = L"Tahoma";
    wmemcpy(LF.lfFaceName, Face.c_str(), Face.size());
    return LF;
}

HFONT TFont::GetHandle()
{
    if (!FHandle) {
        LOGFONTW LF = GetLogFont();
        FHandle = FontCache().Acquire(LF);
        if (!FHandle) {
            // A face GDI refuses falls back to the default face, so drawing never fails.
            std::fill(std::begin(LF.lfFaceName), std::end(LF.lfFaceName), L'\0');
            wmemcpy(LF.lfFaceName, L"Tahoma", 6);
            FHandle = FontCache().Acquire(LF);
        }
    }
    return FHandle;
}

void TFont::HoldHandle(HFONT Handle)
{
    if (Handle) FontCache().Hold(Handle);
}

void TFont::ReleaseHandle(HFONT Handle)
{
    if (Handle) FontCache().Release(Handle);
}

void TFont::SetHandle(HFONT Value)
{
    LOGFONTW LF{};
    if (!Value || GetObjectW(Value, sizeof(LF), &LF) == 0) return;
    FName = LF.lfFaceName;
    FHeight = LF.lfHeight;
    FOrientation = LF.lfEscapement;
    TFontStyles S;
    if (LF.lfWeight >= FW_SEMIBOLD) S << fsBold;
    if (LF.lfItalic) S << fsItalic;
    if (LF.lfUnderline) S << fsUnderline;
    if (LF.lfStrikeOut) S << fsStrikeOut;
    FStyle = S;
    FCharset = LF.lfCharSet;
    int Pitch = LF.lfPitchAndFamily & 3;
    FPitch = Pitch == VARIABLE_PITCH ? fpVariable : Pitch == FIXED_PITCH ? fpFixed : fpDefault;
    switch (LF.lfQuality) {
    case DRAFT_QUALITY: FQuality = fqDraft; break;
    case PROOF_QUALITY: FQuality = fqProof; break;
    case NONANTIALIASED_QUALITY: FQuality = fqNonAntialiased; break;
    case ANTIALIASED_QUALITY: FQuality = fqAntialiased; break;
    case CLEARTYPE_QUALITY: FQuality = fqClearType; break;
    case CLEARTYPE_NATURAL_QUALITY: FQuality = fqClearTypeNatural; break;
    default: FQuality = fqDefault;
    }
    Changed();
}

void TFont::SetName(const TFontName& Value)
{
    if (Value.empty() || Value == FName) return;
    FName = Value;
    Changed();
}

void TFont::SetHeight(int Value)
{
    if (Value == FHeight) return;
    FHeight = Value;
    Changed();
}

int TFont::GetSize() const
{
    return -MulDiv(FHeight, 72, FPixelsPerInch);
}

void TFont::SetSize(int Value)
{
    SetHeight(-MulDiv(Value, FPixelsPerInch, 72));
}

void TFont::SetPixelsPerInch(int Value)
{
    // Only the conversion between Size and Height changes; the font itself stays.
    if (Value > 0) FPixelsPerInch = Value;
}

void TFont::SetStyle(TFontStyles Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    // The colour is not part of the GDI font: the handle stays, only the listeners hear of it.
    if (OnChange) OnChange(this);
}

void TFont::SetCharset(TFontCharset Value)
{
    if (Value == FCharset) return;
    FCharset = Value;
    Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
    if (Value == FPitch) return;
    FPitch = Value;
    Changed();
}

void TFont::SetOrientation(int Value)
{
    if (Value == FOrientation) return;
    FOrientation = Value;
    Changed();
}

void TFont::SetQuality(TFontQuality Value)
{
    if (Value == FQuality) return;
    FQuality = Value;
    Changed();
}

bool TFont::IsEqual(const TFont* Other) const
{
    return Other && SameText(FName, Other->FName) && FHeight == Other->FHeight &&
           FStyle == Other->FStyle && FColor == Other->FColor && FCharset == Other->FCharset &&
           FPitch == Other->FPitch && FOrientation == Other->FOrientation &&
           FQuality == Other->FQuality;
}

// ---- TPen -------------------------------------------------------------------------------------

TPen::~TPen()
{
    FreeHandle();
}

void TPen::FreeHandle()
{
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
}

void TPen::Assign(TPersistent* Source)
{
    if (auto* P = dynamic_cast<TPen*>(Source)) {
        if (P == this) return;
        // The same pen: the handle (and its place in a canvas) stays, the listeners still hear of
        // the assignment. Painting that saves and restores a canvas's pen around every cell would
        // otherwise make the pen anew each time.
        if (FColor == P->FColor && FWidth == P->FWidth && FStyle == P->FStyle && FMode == P->FMode) {
            if (OnChange) OnChange(this);
            return;
        }
        FColor = P->FColor;
        FWidth = P->FWidth;
        FStyle = P->FStyle;
        FMode = P->FMode;
        Changed();
        return;
    }
    inherited::Assign(Source);
}

HPEN TPen::GetHandle()
{
    if (!FHandle) {
        static const int Styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT,
                                     PS_NULL, PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE};
        COLORREF C = COLORREF(ColorToRGB(FColor));
        int Style = Styles[FStyle];
        if (FStyle == psAlternate || FStyle == psUserStyle ||
            (FWidth > 1 && FStyle >= psDash && FStyle <= psDashDotDot)) {
            // Dashes wider than one pixel and the alternate style need a geometric or cosmetic
            // extended pen.
            LOGBRUSH LB{BS_SOLID, C, 0};
            DWORD PenStyle = FStyle == psAlternate || FStyle == psUserStyle
                                 ? PS_COSMETIC | PS_ALTERNATE
                                 : PS_GEOMETRIC | DWORD(Style) | PS_ENDCAP_FLAT;
            FHandle = ExtCreatePen(PenStyle, FStyle == psAlternate ? 1 : DWORD(FWidth), &LB, 0,
                                   nullptr);
        }
        if (!FHandle) FHandle = CreatePen(Style == PS_USERSTYLE ? PS_SOLID : Style, FWidth, C);
    }
    return FHandle;
}

void TPen::SetColor(TColor Value)
{
    if (Value == FColor) return;
    FColor = Value;
    Changed();
}

void TPen::SetWidth(int Value)
{
    if (Value < 0 || Value == FWidth) return;
    FWidth = Value;
    Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TPen::SetMode(TPenMode Value)
{
    if (Value == FMode) return;
    FMode = Value;
    // The mode is a device context setting, not part of the GDI pen.
    if (OnChanging) OnChanging(this);
    if (OnChange) OnChange(this);
}

// ---- TBrush -----------------------------------------------------------------------------------

TBrush::~TBrush()
{
    FreeHandle();
}

void TBrush::FreeHandle()
{
    if (FHandle && FOwnsHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    FOwnsHandle = false;
}

void TBrush::Assign(TPersistent* Source)
{
    if (auto* B = dynamic_cast<TBrush*>(Source)) {
        if (B == this) return;
        // The same solid or hatched brush: the handle stays (as for pens). A pattern is made
        // anew, its bitmap may have changed.
        if (FColor == B->FColor && FStyle == B->FStyle && !FBitmap && !B->FBitmap) {
            if (OnChange) OnChange(this);
            return;
        }
        FColor = B->FColor;
        FStyle = B->FStyle;
        FBitmap = B->FBitmap;
        Changed();
        return;
    }
    inherited::Assign(Source);
}

HBRUSH TBrush::GetHandle()
{
    if (!FHandle) {
        if (FBitmap && !FBitmap->GetEmpty()) {
            FHandle = CreatePatternBrush(FBitmap->GetHandle());
        } else if (FStyle == bsClear) {
            FHandle = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
            return FHandle;   // stock: never freed
        } else if (FStyle == bsSolid) {
            FHandle = CreateSolidBrush(COLORREF(ColorToRGB(FColor)));
        } else {
            static const int Hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                          HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
            FHandle = CreateHatchBrush(Hatches[FStyle], COLORREF(ColorToRGB(FColor)));
        }
        FOwnsHandle = FHandle != nullptr;
    }
    return FHandle;
}

void TBrush::SetColor(TColor Value)
{
    if (Value == FColor && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    Changed();
}

void TBrush::SetBitmap(TBitmap* Value)
{
    if (Value == FBitmap) return;
    FBitmap = Value;
    Changed();
}
