// The state of one drawing call (HTMLDraw) and the line routine that lays out, draws and hit-tests one
// line of markup. Private to the JyrHTMLE unit (JyrHTMLE.cpp, JyrHTMLELayout.cpp).
#pragma once

#include "framework/WinScope.h"
#include "graphics/JyrHTMLE.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGraphic;

namespace JyrHTMLE::Layout {

enum class TParaAlign { Left, Right, Center };
enum class TTextFloat { None, Left, Right };

constexpr size_t npos = String::npos;

// A text being walked, from Pos to End: how far it has been consumed, and the next "<", space
// and ">" ahead, kept so that finding the next run does not scan the rest of a long text again
// for every run. A line's second pass walks the same text over the line's stretch.
class TTextCursor {
public:
    explicit TTextCursor(const String& AText, size_t APos = 0, size_t AEnd = npos)
        : S(AText), Pos(APos), End(std::min(AEnd, AText.size()))
    {
    }
    bool Empty() const { return Pos >= End; }
    // What is left of the whole text (tag recognition looks at the text, not at the line).
    size_t TextLeft() const { return S.size() - Pos; }
    wchar_t Front() const { return S[Pos]; }
    size_t NextLt() { return Within(NextOf(L'<', FLt, FLtKnown)); }
    size_t NextSpace() { return Within(NextOf(L' ', FSp, FSpKnown)); }
    size_t NextGt() { return NextOf(L'>', FGt, FGtKnown); }
    void Skip(size_t N) { Pos = N >= End - Pos ? End : Pos + N; }
    void Clear() { Pos = End; }
    std::wstring_view View(size_t From, size_t Len) const { return std::wstring_view(S).substr(From, Len); }

    const String& S;
    size_t Pos;
    size_t End;

private:
    size_t Within(size_t P) const { return P < End ? P : npos; }
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

// The per-line values the drawing call hands to the line routine and reads back.
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
    int Overhang = 0;         // ink of the last italic run beyond its advance width
    size_t SourceEnd = 0;     // end of the line's source text: what was taken into the line
};

// Advance widths of a font's characters U+0000..U+02FF on the screen, its height and the width
// of a space.
struct TFontWidths {
    static constexpr int Count = 0x300;
    LOGFONTW Key{};
    bool Usable = false;
    int Height = 0;
    int Space = 0;
    int Width[Count] = {};
};

class THTMLDrawer {
public:
    // Reads the request (which must have a canvas) and fills the result; both outlive the drawer.
    THTMLDrawer(const THTMLDrawRequest& ARequest, THTMLDrawResult& AResult);
    ~THTMLDrawer();
    THTMLDrawer(const THTMLDrawer&) = delete;
    THTMLDrawer& operator=(const THTMLDrawer&) = delete;

    bool Draw(const String& s);

private:
    // Set-up of the call: scale, fonts and colours of the entry state, results cleared.
    void SetUp();
    // Gives the canvas back its font, pen and brush (also when a picture raised).
    void Restore();
    bool FRestored = true;

private:
    // ---- the line routine (JyrHTMLELayout.cpp) ----
    // Walks one line from s's position; returns where the line's source text ends.
    size_t HTMLDrawLine(TTextCursor& s, const TRect& r, bool Calc, TLineState& ln);
    void TextRun(TTextCursor& s, size_t SrcLen, TLineWalk& L, TLineState& ln);
    void OpeningTag(std::wstring_view Tag, TLineWalk& L, TLineState& ln);
    void ClosingTag(std::wstring_view Tag, TLineWalk& L, TLineState& ln);
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
    // The widths of the current font, or nil when they must be asked of the system.
    const TFontWidths* Widths();
    int TextH();
    int SpaceW();
    // How far the ink of an italic run's last character reaches past its advance width (0 for
    // upright or turned text and for a run ending in a blank).
    int ItalicOverhang(std::wstring_view Run);
    // Selects the current font into the device context when it is not there yet.
    HDC EnsureFont();
    // The width of a run from the font's widths; Plain false when the system must measure it.
    int PlainWidth(std::wstring_view Run, bool& Plain);
    int MeasureRun(std::wstring_view Run, TRect& Rc);
    void DrawRun(std::wstring_view Run, TRect& Rc, UINT Flags);
    // Draws a text run with the call's drawing flags; its width when known, else -1.
    int DrawTextRun(std::wstring_view Run, TRect& Rc);
    // The brush of the layout: the background of text and the colour of fills (clNone: clear).
    TColor BrushColor() const { return FBrush; }
    void SetBrushColor(TColor Color) { FBrush = Color; }
    void BrushRectangle(const TRect& Rc);
    void BrushRectangle(int X1, int Y1, int X2, int Y2) { BrushRectangle(TRect(X1, Y1, X2, Y2)); }
    void ApplyTextBackground(HDC Handle);
    void SetFontColor(TColor Color) { FTextColor = Color; }
    void SelectFont(TFont& Font);
    void KeepFont(TFont& Font);

    const THTMLDrawRequest& FRequest;
    THTMLDrawResult& FResult;
    TCanvas* FCanvas;   // the request's canvas
    TRect fr;           // the request's rectangle, its left edge one pixel in (SetUp)
    double ResFactor;   // the request's, at least 1 (SetUp)

    float FScale = 1.0f;
    UINT FDrawStyle = 0;
    bool FRtl = false;
    bool FThemed = false;

    TFont FFont;        // the current font of the layout
    TFont FEntryFont;   // never changed: closing tags return to it
    TFont FCalcFont;    // font state after the previous line's measuring pass
    TFont FDrawFont;    // font state after the previous line's drawing pass
    TColor FTextColor = clBlack;   // the current text colour, with its copies as for the fonts
    TColor FEntryColor = clBlack, FCalcColor = clBlack, FDrawColor = clBlack;
    // The fonts selected into the device context (two, so that the one selected before stays
    // alive until it has been replaced).
    TFont FSel[2];
    int FSelIdx = 0;
    bool FSelValid = false;
    unsigned FFontGen = 0, FWidthsGen = ~0u;
    std::shared_ptr<const TFontWidths> FWidths;
    bool FWidthCacheOk = false;
    int FOwnHeight = -1, FOwnSpace = -1;
    std::vector<INT> FDx;   // character advances of a run being drawn
    TColor FEntryPenColor = clBlack;
    int FEntryPenWidth = 1;
    TColor FEntryBrushColor = clWhite;
    TBrushStyle FEntryBrushStyle = bsSolid;
    TColor FBkColor = clWhite;   // the background colour of the call
    TColor FBrush = clNone;
    bool FBrushUsed = false;     // the canvas's brush was used for a fill
    int FEntryBkMode = TRANSPARENT;
    COLORREF FEntryBkColor = 0;

    // The first (measuring) pass of a line; false in its second pass (drawing or hit-testing).
    bool FFirstPass = true;
    size_t FCutAt = npos;   // where the current line is cut (text position), npos for no cut

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
    TGdiFont FRotFont;
    HGDIOBJ FRotOld = nullptr;
    TFont FRotBase;            // the font the rotated font was made from
    bool FRotSelected = false;
};

}  // namespace JyrHTMLE::Layout
