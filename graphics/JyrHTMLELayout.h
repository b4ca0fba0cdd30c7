// The state of one HTMLDrawEx call and the line routine that lays out, draws and hit-tests one
// line of markup. Private to the JyrHTMLE unit (JyrHTMLE.cpp, JyrHTMLELayout.cpp).
#pragma once

#include "graphics/JyrHTMLE.h"

#include <string>

class TGraphic;

namespace JyrHTMLE::Layout {

enum class TParaAlign { Left, Right, Center };
enum class TTextFloat { None, Left, Right };

constexpr size_t npos = String::npos;

// A text being walked: how far it has been consumed, and the next "<" and space ahead, kept so
// that finding the next run does not scan the rest of a long text again for every run.
class TTextCursor {
public:
    explicit TTextCursor(const String& AText) : S(AText) {}
    bool Empty() const { return Pos >= S.size(); }
    size_t Left() const { return S.size() - Pos; }
    wchar_t Front() const { return S[Pos]; }
    size_t NextLt() { return NextOf(L'<', FLt, FLtKnown); }
    size_t NextSpace() { return NextOf(L' ', FSp, FSpKnown); }
    size_t NextGt() { return NextOf(L'>', FGt, FGtKnown); }
    void Skip(size_t N) { Pos = N >= Left() ? S.size() : Pos + N; }
    void Clear() { Pos = S.size(); }

    const String& S;
    size_t Pos = 0;

private:
    size_t NextOf(wchar_t C, size_t& Cache, bool& Known)
    {
        if (!Known || (Cache != npos && Cache < Pos)) {
            Cache = S.find(C, Pos);
            Known = true;
        }
        return Cache;
    }
    size_t FLt = npos, FSp = npos, FGt = npos;
    bool FLtKnown = false, FSpKnown = false, FGtKnown = false;
};

// The per-line values HTMLDrawEx hands to the line routine and reads back.
struct TLineState {
    int w = 0;             // line width so far
    int h = 0;             // line height (comes in as the minimum text height)
    int subh = 0;          // subscript extra height
    int suph = 0;          // superscript extra height
    int imgali = 0;        // lift of the line's text caused by picture alignment
    bool Hotspot = false;  // the point's x lies on anchor text of this line
    bool ImageHotSpot = false;
};

// Local state of one walk through a line.
struct TLineWalk {
    TRect r;                  // the line rectangle
    TRect cr;                 // the current position
    bool Calc = false;        // measuring (no painting)
    bool LineBreak = false;
    bool ElemBreak = false;
    bool ListSeen = false;
    bool Cut = false;         // the line was cut at the right edge (no wrapping): rest skipped
    bool VisEmpty = true;     // no visible text on the line yet
    bool VisEndsSpace = false;
    bool RunSeen = false;
    int Runs = 0;             // visible runs taken into the line
    int sw = 0;               // width of a trailing space of the last run
    String Result;            // the line's source text
};

// Text metrics of one font, kept while the font is in use.
struct TFontMetrics {
    LOGFONTW Key{};
    int Height = 0;
    int SpaceWidth = -1;
    bool Valid = false;
};

class THTMLDrawer {
public:
    THTMLDrawer(TCanvas* ACanvas, const TRect& Afr, TCustomImageList* AImages, int AXPos, int AYPos,
                int AFocusLink, int AHoverLink, int AShadowOffset, bool ACheckHotSpot,
                bool ACheckHeight, bool APrint, bool ASelected, bool ABlink, bool AHoverStyle,
                bool AWordWrap, bool ADown, const String& ADownID, double AResFactor,
                TColor AURLColor, TColor AHoverColor, TColor AHoverFontColor, TColor AShadowColor,
                String& AAnchorVal, String& AStripVal, String& AFocusAnchor, String& AAnchorHint,
                int& AXSize, int& AYSize, int& AHyperLinks, int& AMouseLink, TRect& AHoverRect,
                TRect& AControlRect, String& ACID, String& ACV, String& ACT,
                THTMLPictureCache* Aic, TPictureContainer* Apc, HWND AWinHandle,
                TBiDiMode ABidiMode);
    ~THTMLDrawer();
    THTMLDrawer(const THTMLDrawer&) = delete;
    THTMLDrawer& operator=(const THTMLDrawer&) = delete;

    bool Draw(const String& s);

private:
    // Gives the canvas back its font, pen and brush (also when a picture raised).
    void Restore();
    bool FRestored = true;

private:
    // ---- the line routine (JyrHTMLELayout.cpp) ----
    String HTMLDrawLine(TTextCursor& s, const TRect& r, bool Calc, TLineState& ln);
    void TextRun(TTextCursor& s, size_t SrcLen, TLineWalk& L, TLineState& ln);
    void HandleTag(const String& Tag, TLineWalk& L, TLineState& ln);
    void OpeningTag(const String& Tag, TLineWalk& L, TLineState& ln);
    void ClosingTag(const String& Tag, TLineWalk& L, TLineState& ln);
    void AnchorOpen(const String& Tag, TLineWalk& L, TLineState& ln);
    void AnchorClose(TLineWalk& L, TLineState& ln);
    void BodyTag(const String& Tag, TLineWalk& L, TLineState& ln);
    void FontTag(const String& Tag, TLineWalk& L);
    void FontClose(TLineWalk& L);
    void ParagraphTag(const String& Tag, TLineWalk& L);
    void SpanTag(const String& Tag);
    void IndentTag(const String& Tag, TLineWalk& L, TLineState& ln);
    void PictureTag(const String& Tag, TLineWalk& L, TLineState& ln);
    void ControlTag(const String& Tag, TLineWalk& L, TLineState& ln);
    void ListItem(TLineWalk& L, TLineState& ln);
    void DrawControl(const String& Type, const String& ID, const String& Value, int W, int c,
                     int ch, TLineWalk& L, TSize& Space);
    void TileBackground(const String& Src);
    void ZigZag(int Left, int Right, int Bottom);
    // The picture a source names in the container (no ":") or the cache ("://"), or nil.
    TGraphic* FindPicture(const String& Src, bool ContainerOnly);

    // StartRotated selects a copy of the canvas font turned by Angle degrees into the device
    // context; EndRotated gives the device context back the font it replaced.
    void StartRotated(TCanvas* Canvas, int Angle);
    void EndRotated(TCanvas* Canvas);

    // ---- helpers (JyrHTMLE.cpp) ----
    HDC DC() { return FCanvas->GetHandle(); }
    int R(double n) const;
    TFontMetrics& Metrics();
    int TextH() { return Metrics().Height; }
    int SpaceW();
    int MeasureRun(const String& Run, TRect& Rc);
    void DrawRun(const String& Run, TRect& Rc, UINT Flags);
    TColor BrushColor() const;
    void SetBrushColor(TColor Color);
    void SetFontColor(TColor Color);
    void SelectFont(TFont& Font);
    void KeepFont(TFont& Font);

    TCanvas* FCanvas;
    TRect fr;
    TCustomImageList* FImages;
    int XPos, YPos, FocusLink, HoverLink, ShadowOffset;
    bool CheckHotSpot, CheckHeight, Print, Selected, Blink, HoverStyle, WordWrap, Down;
    String DownID;
    double ResFactor;
    TColor URLColor, HoverColor, HoverFontColor, ShadowColor;
    String& AnchorVal;
    String& StripVal;
    String& FocusAnchor;
    String& AnchorHint;
    int& XSize;
    int& YSize;
    int& HyperLinks;
    int& MouseLink;
    TRect& HoverRect;
    TRect& ControlRect;
    String& CID;
    String FWantedCID;   // hit-test mode: the control asked for by its ID
    String& CV;
    String& CT;
    THTMLPictureCache* ic;
    TPictureContainer* pc;
    HWND WinHandle;
    TBiDiMode BidiMode;

    float FScale = 1.0f;
    UINT FDrawStyle = 0;
    bool FRtl = false;
    bool FThemed = false;

    TFont FEntryFont;   // never changed: closing tags return to it
    TFont FCalcFont;    // font state after the previous line's measuring pass
    TFont FDrawFont;    // font state after the previous line's drawing pass
    TColor FEntryPenColor = clBlack;
    int FEntryPenWidth = 1;
    TColor FEntryBrushColor = clWhite;
    TBrushStyle FEntryBrushStyle = bsSolid;
    TColor FBkColor = clWhite;   // the background colour of the call

    // Passes: the first (measuring) pass of a line, or its second pass (drawing or hit-testing).
    bool FFirstPass = true;
    bool FSecondPass = false;
    size_t FCutAt = npos;   // where the current line is cut (source length), npos for no cut

    // Links.
    bool FAnchor = false;         // the current anchor has an HREF (a hotspot)
    bool FInAnchor = false;       // an anchor tag is open
    String FAnchorValue, FAnchorHintText;
    int FAnchorCount = 0;
    bool FMouseInAnchor = false;  // the point was found in the current anchor's text
    TRect FHoverBuild;
    TRect FFocusRect;
    bool FFocusOpen = false;

    // Switches set by tags.
    bool FHidden = false, FError = false, FShadow = false, FHighlight = false, FParaBg = false;
    bool FSub = false, FSup = false;
    int FListLevel = 0;
    bool FOrdered = false;
    int FListNumber = 1;
    int FPicCount = 0;
    int FAltPicture = -1;
    TParaAlign FAlign = TParaAlign::Left;
    int FPIndent = 0;
    TTextFloat FTxtFloat = TTextFloat::None;
    TPoint FFloatPoint;
    TRect FFloatRect;

    // Saved colours.
    TColor FSavedBg = clNone;
    TColor FParaBgSaved = clNone;
    TColor FHiFontColor = clNone, FHiBrushColor = clNone;
    TColor FHoverBgSaved = clNone, FHoverFontSaved = clNone;
    TColor FPenSaved = clBlack;

    // Rotation.
    HFONT FRotFont = nullptr;
    HGDIOBJ FRotOld = nullptr;

    TFontMetrics FMetrics[4];
    int FMetricsNext = 0;
};

}  // namespace JyrHTMLE::Layout
