// Graphics: colours, fonts, pens and brushes, the canvas over a device context, and the graphic
// classes (bitmap, icon, metafile-free picture holder) with their registry of file formats.
//
// GDI objects are made on demand from the properties and freed by the object that made them. A
// canvas selects its font, pen and brush into its device context only when an operation needs
// them, and selects them again after they change, so that raw SelectObject calls on
// Canvas->GetHandle() stay balanced with the canvas's own state.
#pragma once

#include "Classes.h"

#include <windows.h>

#include <memory>
#include <mutex>
#include <vector>

class TStream;
class TPropertyTable;
class TCanvas;
class TGraphic;
class TBitmap;
class TIcon;

// ---- Colours ----------------------------------------------------------------------------------

// 0x00BBGGRR; system colours have the high bit set (0x80000000 | COLOR_xxx).
using TColor = Integer;

constexpr TColor SysColor(int Index) { return TColor(0x80000000u | unsigned(Index)); }

constexpr TColor clSystemColor = TColor(0xFF000000u);

constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);
constexpr TColor clHotLight = SysColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = SysColor(COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = SysColor(COLOR_MENUBAR);

constexpr TColor clBlack = TColor(0x000000);
constexpr TColor clMaroon = TColor(0x000080);
constexpr TColor clGreen = TColor(0x008000);
constexpr TColor clOlive = TColor(0x008080);
constexpr TColor clNavy = TColor(0x800000);
constexpr TColor clPurple = TColor(0x800080);
constexpr TColor clTeal = TColor(0x808000);
constexpr TColor clGray = TColor(0x808080);
constexpr TColor clSilver = TColor(0xC0C0C0);
constexpr TColor clRed = TColor(0x0000FF);
constexpr TColor clLime = TColor(0x00FF00);
constexpr TColor clYellow = TColor(0x00FFFF);
constexpr TColor clBlue = TColor(0xFF0000);
constexpr TColor clFuchsia = TColor(0xFF00FF);
constexpr TColor clAqua = TColor(0xFFFF00);
constexpr TColor clLtGray = TColor(0xC0C0C0);
constexpr TColor clDkGray = TColor(0x808080);
constexpr TColor clWhite = TColor(0xFFFFFF);
constexpr TColor clMoneyGreen = TColor(0xC0DCC0);
constexpr TColor clSkyBlue = TColor(0xF0CAA6);
constexpr TColor clCream = TColor(0xF0FBFF);
constexpr TColor clMedGray = TColor(0xA4A0A0);

constexpr TColor clNone = TColor(0x1FFFFFFF);
constexpr TColor clDefault = TColor(0x20000000);

// A system colour as its RGB value now (GetSysColor); every other value unchanged, clNone and
// clDefault included.
TColor ColorToRGB(TColor Color);

// Copies W x H pixels of Src at (SX, SY) to Dst at (X, Y), leaving Dst as it is where the source
// has the colour Key. The same picture as the platform's TransparentBlt without stretching, drawn
// through a one-bit mask (far cheaper where that call is slow).
void TransparentDraw(HDC Dst, int X, int Y, int W, int H, HDC Src, int SX, int SY, COLORREF Key);

// "clRed" for a named colour, otherwise "$" and eight upper-case hex digits.
String ColorToString(TColor Color);
// A colour name ("clRed", any case), "$hex", "0x"/"#" hex or decimal; EConvertError otherwise.
TColor StringToColor(const String& S);
bool ColorToIdent(TColor Color, String& Ident);
bool IdentToColor(const String& Ident, TColor& Color);
// Calls Proc with every colour name: the standard colours first, then the system colours.
void GetColorValues(const std::function<void(const String&)>& Proc);
// The CSS colour name of an RGB value ("red", "lightgoldenrodyellow"), or "" when there is none.
String ColorToWebColorName(TColor Color);
bool WebColorNameToColor(const String& Name, TColor& Color);
// "#RRGGBB" of the colour's RGB value.
String ColorToWebColorStr(TColor Color);


// Registers the graphics classes (fonts, pens, brushes, pictures, bitmaps, icons, PNG and JPEG
// images, image lists) and the identifier tables of their property types ("TColor" with every
// colour name, "TFontStyle", "TFontCharset", "TFontPitch", "TPenStyle", "TPenMode", "TBrushStyle",
// ...) for stored descriptions. Safe to call more than once; making a font calls it.
void RegisterGraphicsClasses();

// ---- Fonts, pens and brushes ------------------------------------------------------------------

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality {
    fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural
};
using TFontName = String;
using TFontCharset = Byte;

enum TPenStyle {
    psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate
};
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot, pmMergeNotPen,
    pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// The pixels per inch of the screen (LOGPIXELSY), read once; fonts convert Size and Height by it.
int ScreenPixelsPerInch();

// Base of TFont, TPen and TBrush: a GDI object made on demand, OnChange after every change.
class TGraphicsObject : public TPersistent {
    DECLARE_CLASS(TGraphicsObject, TPersistent)
public:
    TNotifyEvent OnChange;
    // Tells the owner (a canvas) before the handle it may have selected is freed.
    TNotifyEvent OnChanging;

protected:
    // Fires OnChanging, frees the GDI object (made again on demand), then fires OnChange.
    virtual void Changed();
    virtual void FreeHandle() = 0;
};

class TFont : public TGraphicsObject {
    DECLARE_CLASS(TFont, TGraphicsObject)
public:
    TFont();
    ~TFont() override;
    void Assign(TPersistent* Source) override;

    // The font as an HFONT, made from the properties when first asked for.
    HFONT GetHandle();
    // Takes the properties from a font handle; the caller keeps the handle.
    void SetHandle(HFONT Value);
    // Equal fonts share one handle. A hold keeps a handle GetHandle gave valid, whatever its
    // fonts do, until the hold is released (a canvas holds the font it has selected).
    static void HoldHandle(HFONT Handle);
    static void ReleaseHandle(HFONT Handle);
    bool HandleAllocated() const { return FHandle != nullptr; }

    const TFontName& GetName() const { return FName; }
    void SetName(const TFontName& Value);
    // Height in logical units: negative for the character height, positive for the cell height.
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    // Size in points through PixelsPerInch: Size = -Height * 72 / PixelsPerInch.
    int GetSize() const;
    void SetSize(int Value);
    int GetPixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset GetCharset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    // Escapement and orientation, in tenths of a degree.
    int GetOrientation() const { return FOrientation; }
    void SetOrientation(int Value);
    TFontQuality GetQuality() const { return FQuality; }
    void SetQuality(TFontQuality Value);

    // The LOGFONT the handle is made from.
    LOGFONTW GetLogFont() const;
    bool IsEqual(const TFont* Other) const;

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void FreeHandle() override;

private:
    TFontName FName = L"Tahoma";
    int FHeight = -11;
    int FPixelsPerInch = 96;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    int FOrientation = 0;
    TFontQuality FQuality = fqDefault;
    HFONT FHandle = nullptr;
};

class TPen : public TGraphicsObject {
    DECLARE_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;
    ~TPen() override;
    void Assign(TPersistent* Source) override;

    HPEN GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void FreeHandle() override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    HPEN FHandle = nullptr;
};

class TBrush : public TGraphicsObject {
    DECLARE_CLASS(TBrush, TGraphicsObject)
public:
    TBrush() = default;
    ~TBrush() override;
    void Assign(TPersistent* Source) override;

    HBRUSH GetHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    TColor GetColor() const { return FColor; }
    // Setting a colour on a clear brush makes it solid, as one expects of a fill colour.
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern brush from a bitmap (not owned; nullptr for none).
    TBitmap* GetBitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* Value);

    static void RegisterProperties(TPropertyTable& Table);

protected:
    void FreeHandle() override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
    HBRUSH FHandle = nullptr;
    bool FOwnsHandle = false;
};

// ---- Canvas -----------------------------------------------------------------------------------

enum TFillStyle { fsSurface, fsBorder };
enum TFillMode { fmAlternate, fmWinding };
using TCopyMode = LongInt;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// DrawText formats for TCanvas::TextRect.
enum TTextFormats {
    tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
    tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading,
    tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak, tfHidePrefix, tfNoFullWidthCharBreak,
    tfPrefixOnly, tfTabStop, tfWordEllipsis, tfComposited
};
using TTextFormat = TSet<TTextFormats>;
// The DT_xxx flags of a text format.
UINT TextFormatToDrawTextFlags(TTextFormat Format);

enum class TCanvasStateFlag { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStateFlag>;

// Drawing on a device context: a window, a memory bitmap, a printer page or a metafile. The
// canvas does not own a handle given to SetHandle; descendants that own their device context
// make it in CreateHandle and give it back with SetHandle(nullptr).
class TCanvas : public TPersistent {
    DECLARE_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    HDC GetHandle();
    // The device context without selecting the font, pen and brush into it first: for GDI calls
    // that bring their own objects (filling with a brush of their own, clipping, text modes).
    HDC GetRawHandle();
    // Attaches a device context (nullptr detaches: the canvas's objects are deselected first).
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

    TPoint GetPenPos();
    void SetPenPos(const TPoint& Value);
    TCopyMode GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    // ExtTextOut options (ETO_xxx) added by TextOut and TextRect.
    int GetTextFlags() const { return FTextFlags; }
    void SetTextFlags(int Value) { FTextFlags = Value; }
    // The clip box in logical units.
    TRect GetClipRect();
    TColor GetPixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    // Serialises drawing from several threads; a locked canvas keeps its device context.
    void Lock();
    void Unlock();
    bool TryLock();
    int GetLockCount() const { return FLockCount; }

    // Forgets what is selected, so that the next operation selects font, pen and brush again.
    void Refresh();

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Polyline(const TPoint* Points, int Count);
    void Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), int(Points.size())); }
    void Polygon(const TPoint* Points, int Count);
    void Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), int(Points.size())); }
    void PolyBezier(const TPoint* Points, int Count);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void RoundRect(const TRect& R, int CX, int CY) { RoundRect(R.Left, R.Top, R.Right, R.Bottom, CX, CY); }
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void FillRect(const TRect& Rect);
    void FrameRect(const TRect& Rect);
    void DrawFocusRect(const TRect& Rect);
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

    void TextOut(int X, int Y, const String& Text);
    // Text clipped to Rect, drawn at (X, Y); a solid brush fills Rect behind it.
    void TextRect(const TRect& Rect, int X, int Y, const String& Text);
    // Text laid out in Rect by DrawText; tfCalcRect gives the needed rectangle back in Rect
    // without drawing, tfModifyString gives the ellipsised text back in Text.
    void TextRect(TRect& Rect, String& Text, TTextFormat TextFormat = {});
    void TextRect(const TRect& Rect, const String& Text, TTextFormat TextFormat = {});
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }

    // Draws a graphic at its own size (transparently when it is transparent).
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies Source of another canvas into Dest with CopyMode, stretching as needed.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of a bitmap into Dest, with Color replaced by the brush colour.
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Makes the device context when the canvas owns one; the base has none and raises.
    virtual void CreateHandle();
    // Selects what is missing of State into the device context.
    void RequiredState(TCanvasState ReqState);

protected:
    virtual void Changing();
    virtual void Changed();
    TCanvasState GetState() const { return FState; }

private:
    void DeselectHandles();
    void FontChanging(TObject*);
    void PenChanging(TObject*);
    void BrushChanging(TObject*);
    void ObjectChanged(TObject*);

    HDC FHandle = nullptr;
    TCanvasState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    int FTextFlags = 0;
    int FLockCount = 0;
    std::recursive_mutex FLock;
    // What was selected into the device context before the canvas selected its own objects.
    HGDIOBJ FOldFont = nullptr;
    HGDIOBJ FOldPen = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    // The font handle the canvas selected into the device context, held (TFont::HoldHandle)
    // while it is there: a font change leaves it selected until the next text needs the new
    // one, and a change back to the same font selects nothing.
    HFONT FSelectedFont = nullptr;
};

// ---- Graphics ---------------------------------------------------------------------------------

// An image that can draw itself on a canvas and be read from and written to a stream.
class TGraphic : public TPersistent {
    DECLARE_CLASS(TGraphic, TPersistent)
public:
    // Draws the image stretched into Rect.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    virtual bool GetEmpty() const = 0;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    virtual void SetSize(int AWidth, int AHeight);
    virtual bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool GetModified() const { return FModified; }
    void SetModified(bool Value);
    virtual HPALETTE GetPalette() const { return nullptr; }
    virtual void SetPalette(HPALETTE) {}

    // Bad or truncated data raises EInvalidGraphic and leaves the graphic as it was or empty.
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName);
    virtual void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette);
    virtual void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette);
    // The form of the graphic inside a picture's "Data": by default the stream format itself.
    virtual void ReadData(TStream* Stream) { LoadFromStream(Stream); }
    virtual void WriteData(TStream* Stream) { SaveToStream(Stream); }
    // Same class and same saved bytes.
    virtual bool Equals(TGraphic* Graphic);
    // A new empty graphic of this class (through the registry by class name unless overridden).
    virtual TGraphic* NewEmpty() const;

    TNotifyEvent OnChange;

    virtual void Changed(TObject* Sender);

protected:
    // Any graphic assigns itself to a TBitmap by drawing on it.
    void AssignTo(TPersistent* Dest) override;
    // "Data": the graphic's ReadData / WriteData form, when it is not empty.
    void DefineProperties(TFiler* Filer) override;

    bool FTransparent = false;
    bool FModified = false;
};

// A graphic-class entry: the class name and a factory.
struct TGraphicClass {
    String ClassName;
    std::function<TGraphic*()> Create;
    explicit operator bool() const { return bool(Create); }
};
template <class T>
TGraphicClass GraphicClassOf()
{
    return {T::StaticClassName(), [] { return static_cast<TGraphic*>(Create<T>()); }};
}
// The registered class of that name (any case), or an empty entry.
TGraphicClass FindGraphicClass(const String& ClassName);
// The registered class for a file extension ("png" or ".png"), or an empty entry.
TGraphicClass FindGraphicClassForExtension(const String& Ext);
// The registered class whose format the first bytes show (BMP, ICO, PNG, JPEG), or empty.
TGraphicClass FindGraphicClassForData(const Byte* Data, size_t Size);
// The registered file formats, for open-picture dialogs: "*.bmp;*.png" and a filter string.
String GraphicFileMask(const String& ClassName = L"");
String GraphicFilter(const String& ClassName = L"");

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };
enum TBitmapHandleType { bmDIB, bmDDB };
enum TAlphaFormat { afIgnored, afDefined, afPremultiplied };

// A canvas over a bitmap's memory device context, made on demand.
class TBitmapCanvas : public TCanvas {
    DECLARE_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
    ~TBitmapCanvas() override;
    void CreateHandle() override;
    // Deselects the bitmap and frees the memory device context.
    void FreeContext();

private:
    TBitmap* FBitmap;
    HDC FDC = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    HPALETTE FOldPalette = nullptr;
};

// A device-independent bitmap (a DIB section). New and resized areas are white; pfDevice is a
// 32-bit DIB.
class TBitmap : public TGraphic {
    DECLARE_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(int AWidth, int AHeight);
    ~TBitmap() override;
    void Assign(TPersistent* Source) override;

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() const override { return FHandle == nullptr; }
    int GetWidth() const override { return FWidth; }
    int GetHeight() const override { return FHeight; }
    void SetWidth(int Value) override { SetSize(Value, FHeight); }
    void SetHeight(int Value) override { SetSize(FWidth, Value); }
    void SetSize(int AWidth, int AHeight) override;
    HPALETTE GetPalette() const override { return FPalette; }
    void SetPalette(HPALETTE Value) override;

    TPixelFormat GetPixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    TBitmapHandleType GetHandleType() const { return bmDIB; }
    void SetHandleType(TBitmapHandleType) {}
    TAlphaFormat GetAlphaFormat() const { return FAlphaFormat; }
    void SetAlphaFormat(TAlphaFormat Value);
    bool GetMonochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool Value);

    TCanvas* GetCanvas();
    // The DIB section; the canvas lets go of it first, so it can be selected elsewhere.
    HBITMAP GetHandle();
    // Adopts a bitmap handle (a DDB is copied into a DIB and freed).
    void SetHandle(HBITMAP Value);
    // Gives the handle away: the bitmap becomes empty and the caller frees the handle.
    HBITMAP ReleaseHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Row Row of the pixels (top row 0), BytesPerScanline bytes long.
    void* ScanLine(int Row);
    int BytesPerScanline() const;
    void Dormant() {}
    void FreeImage() {}

    TColor GetTransparentColor();
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    // "Data": the BMP file with a 32-bit size before it.
    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);
    void LoadFromClipboardFormat(Word AFormat, HANDLE AData, HPALETTE APalette) override;
    void SaveToClipboardFormat(Word& AFormat, HANDLE& AData, HPALETTE& APalette) override;
    // A BMP file in memory (header, colour table, bits).
    void LoadFromBytes(const Byte* Data, size_t Size);
    std::vector<Byte> SaveToBytes();
    // A packed DIB (BITMAPINFOHEADER, colour table, bits) as in resources and CF_DIB.
    void LoadFromDIB(const Byte* Data, size_t Size);

    // Releases the canvas's device context (after a raw SelectObject elsewhere is wanted).
    void FreeContext();

private:
    friend class TBitmapCanvas;
    void NewImage(int AWidth, int AHeight, TPixelFormat APixelFormat, const RGBQUAD* Colors,
                  int ColorCount);
    void FreeHandles();
    void LoadDIBAt(const Byte* Data, size_t Size, size_t BitsOffsetHint);

    HBITMAP FHandle = nullptr;
    HPALETTE FPalette = nullptr;
    void* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TAlphaFormat FAlphaFormat = afIgnored;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

// An icon: the ICO file's bytes (kept as read, for a faithful save) and an HICON made from them.
class TIcon : public TGraphic {
    DECLARE_CLASS(TIcon, TGraphic)
public:
    TIcon() = default;
    ~TIcon() override;
    void Assign(TPersistent* Source) override;

    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool GetEmpty() const override { return FHandle == nullptr && FData.empty(); }
    int GetWidth() const override;
    int GetHeight() const override;
    // Chooses the image of that size from the icon's data (the nearest one).
    void SetWidth(int Value) override;
    void SetHeight(int Value) override;
    void SetSize(int AWidth, int AHeight) override;

    HICON GetHandle();
    // Adopts an icon handle; the icon frees it.
    void SetHandle(HICON Value);
    HICON ReleaseHandle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    void LoadFromBytes(const Byte* Data, size_t Size);
    std::vector<Byte> SaveToBytes();
    void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
    void LoadFromResourceID(HINSTANCE Instance, int ResID);

private:
    void FreeIconHandle();
    HICON FHandle = nullptr;
    std::vector<Byte> FData;   // the ICO file, empty when the icon came from a handle only
    int FRequestedWidth = 0;
    int FRequestedHeight = 0;
    int FWidth = 0;
    int FHeight = 0;
};

// Holds any registered graphic; loads files by extension and streams by class name.
class TPicture : public TPersistent {
    DECLARE_CLASS(TPicture, TPersistent)
public:
    TPicture() = default;
    ~TPicture() override;
    void Assign(TPersistent* Source) override;

    TGraphic* GetGraphic() const { return FGraphic.get(); }
    // Keeps a copy of Value (nullptr empties the picture).
    void SetGraphic(TGraphic* Value);
    // The bitmap held; a picture holding anything else is replaced by a new empty bitmap.
    TBitmap* GetBitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
    TIcon* GetIcon();
    void SetIcon(TIcon* Value) { SetGraphic(Value); }
    int GetWidth() const;
    int GetHeight() const;
    bool Empty() const { return FGraphic == nullptr || FGraphic->GetEmpty(); }

    // By the file's extension; an unknown extension or bad data raises EInvalidGraphic and leaves
    // the picture as it was.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    // By the data's first bytes (BMP, ICO, PNG, JPEG).
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);
    // "Data": the class name as a short string, then the graphic's own data.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream);

    static void RegisterFileFormat(const String& Extension, const String& Description,
                                   const TGraphicClass& GraphicClass);
    static void UnregisterGraphicClass(const String& ClassName);

    TNotifyEvent OnChange;

protected:
    virtual void Changed(TObject* Sender);
    void AssignTo(TPersistent* Dest) override;
    // "Data": the class name and the graphic's data, when there is a graphic.
    void DefineProperties(TFiler* Filer) override;

private:
    // Takes NewGraphic over (nullptr empties) and frees the graphic held before.
    void Adopt(TGraphic* NewGraphic);
    TFreePtr<TGraphic> FGraphic;
};

