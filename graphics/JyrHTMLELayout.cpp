// JyrHTMLE: the walk through one line of markup - text runs and word wrapping, the effect of
// every tag on layout and painting, pictures, inline controls, lists, focus and hover
// rectangles, and the hit tests.
#include "graphics/JyrHTMLELayout.h"

#include "framework/SysUtils.h"
#include "graphics/PictureContainer.h"
#include "graphics/QorXPVS.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace JyrHTMLE::Layout {

namespace {

// Sizes written in markup beyond these are taken as these: they keep absurd values from making
// fonts, pictures or controls larger than any screen or page needs.
constexpr int MaxFontPoints = 400;
constexpr int MaxMarkupSize = 4096;     // picture and control sizes, in pixels at 96 dpi
constexpr int MaxIndent = 32767;

wchar_t At(std::wstring_view S, size_t I) { return I < S.size() ? S[I] : L'\0'; }

// Position (0-based) of Name (upper-case ASCII) in S at or after From, letters compared with
// ASCII case folding; npos when absent.
size_t FindFold(const String& S, const wchar_t* Name, size_t From)
{
    const size_t N = wcslen(Name);
    if (N == 0 || S.size() < N) return npos;
    for (size_t i = From; i + N <= S.size(); ++i) {
        size_t k = 0;
        while (k < N && UpCase(S[i + k]) == Name[k]) ++k;
        if (k == N) return i;
    }
    return npos;
}

bool Contains(const String& S, const wchar_t* Sub) { return S.find(Sub) != npos; }

// The value of attribute Name of a tag: the text between the first and the second delimiter
// from the name on (empty without delimiters). The tag's first Skip characters are not searched.
// False when the name does not occur.
bool AttrValue(const String& Tag, size_t Skip, const wchar_t* Name, String& Value,
               wchar_t Delim = JYR_ATTR_DELIM)
{
    Value.clear();
    const size_t P = FindFold(Tag, Name, Skip);
    if (P == npos) return false;
    const size_t D1 = Tag.find(Delim, P);
    if (D1 == npos) return true;
    const size_t D2 = Tag.find(Delim, D1 + 1);
    if (D2 == npos) return true;
    Value = Tag.substr(D1 + 1, D2 - D1 - 1);
    return true;
}

// From Start up to the first of the characters in Stops (or the end).
String ValueUpTo(const String& S, size_t Start, const wchar_t* Stops)
{
    if (Start >= S.size()) return {};
    const size_t E = S.find_first_of(Stops, Start);
    return S.substr(Start, E == npos ? npos : E - Start);
}

// The text of a STYLE attribute: from the first delimiter after the "=" that follows the name,
// to the end of the tag.
bool StyleText(const String& Tag, size_t Skip, String& Value)
{
    Value.clear();
    const size_t P = FindFold(Tag, L"STYLE", Skip);
    if (P == npos) return false;
    const size_t Eq = Tag.find(L'=', P);
    if (Eq == npos) return true;
    const size_t D = Tag.find(JYR_ATTR_DELIM, Eq);
    if (D == npos) return true;
    Value = Tag.substr(D + 1);
    return true;
}

// A colour value: "#rrggbb" or a colour name.
TColor MarkupColor(const String& V)
{
    if (!V.empty() && V[0] == L'#') return Hex2Color(V);
    return Text2Color(LowerCase(V));
}

int ClampPoints(int Points) { return std::min(Points, MaxFontPoints); }

void SetStyleBit(TFont* F, TFontStyle Bit, bool On)
{
    TFontStyles S = F->GetStyle();
    if (On)
        S.Include(Bit);
    else
        S.Exclude(Bit);
    F->SetStyle(S);
}

}  // namespace

// ---- the walk ---------------------------------------------------------------------------------

size_t THTMLDrawer::HTMLDrawLine(TTextCursor& s, const TRect& r, bool Calc, TLineState& ln)
{
    TLineWalk L;
    L.r = r;
    L.r.Bottom -= ln.subh;
    L.cr = L.r;
    L.Calc = Calc;
    L.SourceEnd = s.Pos;
    ln.w = 0;
    ln.Hotspot = ln.ImageHotSpot = false;

    if (!Calc && FParaBg && BrushColor() != clNone) {
        FPenSaved = FCanvas->GetPen()->GetColor();
        FCanvas->GetPen()->SetColor(BrushColor());
        BrushRectangle(fr.Left, L.r.Top, fr.Right, L.r.Top + ln.h);
    }

    // Words are runs of their own where the line is being filled; a drawing pass draws the text
    // between two tags at once (unless a tab in it expands from the start of each run).
    const bool SplitWords = FRequest.WordWrap && (Calc || std::wstring_view(s.S).substr(s.Pos, s.End - s.Pos).find(L'\t') != npos);
    while (!s.Empty() && !L.LineBreak && !L.ElemBreak) {
        const size_t Lt = s.NextLt();
        const size_t Sp = SplitWords ? s.NextSpace() : npos;
        size_t End;
        if (Lt == npos || (Sp != npos && Sp < Lt))
            End = Sp == npos ? s.End : Sp + 1;
        else
            End = Lt;
        if (End > s.Pos) TextRun(s, End - s.Pos, L, ln);

        if (s.Empty() || s.Front() != L'<') continue;
        if (s.TextLeft() <= 2) {
            s.Clear();
        } else if (!L.LineBreak) {
            const size_t Gt = s.NextGt();
            const size_t Len = Gt == npos ? s.TextLeft() : Gt - s.Pos + 1;
            const std::wstring_view Tag = s.View(s.Pos, Len);
            const bool Closing = Tag[1] == L'/' && s.TextLeft() >= 4;
            if (FCutAt != npos && s.Pos >= FCutAt) L.Cut = true;
            if (Closing)
                ClosingTag(Tag, L, ln);
            else
                OpeningTag(Tag, L, ln);
            if (L.ElemBreak) {
                // The tag starts the next line.
            } else if (Gt == npos) {
                s.Clear();
            } else {
                s.Skip(Len);
                L.SourceEnd = s.Pos;
            }
        }
    }

    ln.w -= L.sw;
    if (ln.w > FResult.XSize) FResult.XSize = ln.w;
    if (!Calc && FFocusOpen) {
        FFocusRect.Right = L.cr.Left;
        FFocusRect.Bottom = L.cr.Bottom;
        FFocusRect = TRect(FFocusRect.Left - 1, FFocusRect.Top - 1, FFocusRect.Right + 1,
                           FFocusRect.Bottom + 1);
        FCanvas->DrawFocusRect(FFocusRect);
        FFocusRect.Left = L.r.Left + 1;
        FFocusRect.Top = FFocusRect.Bottom;
    }
    return L.SourceEnd;
}

void THTMLDrawer::TextRun(TTextCursor& s, size_t SrcLen, TLineWalk& L, TLineState& ln)
{
    const std::wstring_view Src = s.View(s.Pos, SrcLen);
    String Decoded;
    std::wstring_view Run = Src;
    if (Src.find(L'&') != npos) {
        Decoded = DecodeRun(String(Src));
        Run = Decoded;
    }
    if (FCutAt != npos && s.Pos >= FCutAt) L.Cut = true;
    if (L.Cut || Run.empty()) {
        // Past the cut of a line that does not wrap: kept in the plain text, not laid out.
        if (FFirstPass) FResult.StripVal += Run;
        s.Skip(SrcLen);
        L.SourceEnd = s.Pos;
        return;
    }

    const int t = TextH();
    if (FSub) ln.subh = std::max(ln.subh, t / 4);
    if (FSup) ln.suph = std::max(ln.suph, t / 4);
    ln.h = std::max(ln.h, t);
    if (FHidden) {
        // Hidden text is passed over in both passes.
        if (FFirstPass) FResult.StripVal += Run;
        s.Skip(SrcLen);
        L.SourceEnd = s.Pos;
        return;
    }
    L.RunSeen = true;

    // Upright text after an italic run starts where the italic ink ends: a slanted last letter
    // would otherwise reach over the blank that follows it.
    const int Gap = FFont.GetStyle().Contains(fsItalic) ? 0 : L.Overhang;
    if (Gap > 0) {
        if (L.Calc)
            ln.w += Gap;
        else if (!FRtl)
            L.cr.Left += Gap;
        else
            L.cr.Right -= Gap;
    }
    L.Overhang = ItalicOverhang(Run);

    int RunW;
    if (L.Calc) {
        L.cr = L.r;
        TRect Rc = L.cr;
        RunW = MeasureRun(Run, Rc);
        ln.w += RunW;
        const int x = FRequest.XPos - L.cr.Left;
        if (ln.w - RunW <= x && x <= ln.w && FAnchor) {
            ln.Hotspot = true;
            if (FRequest.YPos > L.r.Top) {
                FResult.AnchorVal = FAnchorValue;
                FResult.AnchorHint = FAnchorHintText;
                FMouseInAnchor = true;
            }
        }
    } else {
        TRect c = L.cr;
        if (FSup) c.Bottom -= ln.suph;
        if (FSub) c.Bottom += ln.subh;
        c.Bottom -= ln.imgali;
        if (FShadow) {
            const TColor Color = FTextColor;
            SetFontColor(FRequest.ShadowColor);
            TRect Sr(c.Left + FRequest.ShadowOffset, c.Top + FRequest.ShadowOffset, c.Right + FRequest.ShadowOffset,
                     c.Bottom + FRequest.ShadowOffset);
            DrawTextRun(Run, Sr);
            SetFontColor(Color);
        }
        const int OldRight = c.Right;
        RunW = DrawTextRun(Run, c);
        if (RunW >= 0)
            c.Right = c.Left + RunW;
        else
            RunW = MeasureRun(Run, c);
        if (FAnchor && FAnchorCount == FRequest.FocusLink + 1) FResult.FocusAnchor = FAnchorValue;
        if (FError) ZigZag(c.Left, c.Right, L.r.Bottom);
        if (!FRtl) {
            L.cr.Left = c.Right;
            L.cr.Right = L.r.Right;
        } else {
            L.cr.Right = OldRight - RunW;
        }
        L.cr.Top = L.r.Top;
        L.cr.Bottom = L.r.Bottom;
    }

    // Fitting. The second pass lays out what the first pass put on the line.
    const int W = L.r.Right - L.r.Left;
    const bool Continues = !L.VisEmpty && !L.VisEndsSpace;
    const bool Fits = !FFirstPass || ln.w < W || RunW >= W || Continues;
    L.VisEmpty = false;
    L.VisEndsSpace = Run.back() == L' ';
    if (Fits || !FRequest.WordWrap) {
        // Without wrapping, a run that crosses the right edge after a space ends what the line
        // shows (drawn with an ellipsis); the rest of the line up to its break is skipped.
        const bool CutHere = FFirstPass && !Fits && L.Runs > 0;
        // The plain text gets each run once, from the pass that takes it into a line.
        if (FFirstPass) FResult.StripVal += Run;
        s.Skip(SrcLen);
        L.SourceEnd = s.Pos;
        ++L.Runs;
        L.sw = Run.size() == SrcLen && L.VisEndsSpace ? SpaceW() : 0;
        if (CutHere) {
            L.Cut = true;
            FCutAt = s.Pos;
        }
    } else {
        L.LineBreak = true;
        ln.w -= RunW + (L.Calc ? Gap : 0);
    }
}

// ---- tags -------------------------------------------------------------------------------------

void THTMLDrawer::OpeningTag(std::wstring_view Tag, TLineWalk& L, TLineState& ln)
{
    TFont* Font = &FFont;
    const wchar_t c2 = UpCase(At(Tag, 2));
    switch (UpCase(At(Tag, 1))) {
    case L'A':
        AnchorOpen(String(Tag), L, ln);
        break;
    case L'B':
        if (c2 == L'>') {
            SetStyleBit(Font, fsBold, true);
        } else if (c2 == L'R') {
            L.LineBreak = true;
            if (FFirstPass) FResult.StripVal += L'\r';
        } else if (c2 == L'L') {
            if (!FRequest.Blink) SetFontColor(FBkColor);
        } else if (c2 == L'O') {
            BodyTag(String(Tag), L, ln);
        }
        break;
    case L'C':
        ControlTag(String(Tag), L, ln);
        break;
    case L'E':
        if (!L.Calc) FError = true;
        break;
    case L'F':
        FontTag(String(Tag), L);
        break;
    case L'H':
        if (c2 == L'I') {
            if (!L.Calc) {
                FHighlight = true;
                FHiFontColor = FTextColor;
                FHiBrushColor = BrushColor();
                SetBrushColor(HTMLHighlightColor);
                SetFontColor(HTMLHighlightTextColor);
            }
        } else if (c2 == L'R') {
            L.LineBreak = true;
            if (!L.Calc) {
                TPen* Pen = FCanvas->GetPen();
                const TColor Old = Pen->GetColor();
                Pen->SetColor(clBlack);
                FCanvas->MoveTo(L.r.Left, L.cr.Bottom + 1);
                FCanvas->LineTo(L.r.Right, L.cr.Bottom + 1);
                Pen->SetColor(Old);
            }
        }
        break;
    case L'I':
        if (c2 == L'>')
            SetStyleBit(Font, fsItalic, true);
        else if (c2 == L'N')
            IndentTag(String(Tag), L, ln);
        else if (c2 == L'M')
            PictureTag(String(Tag), L, ln);
        break;
    case L'L':
        ListItem(L, ln);
        break;
    case L'O':
        if (c2 == L'L') {
            ++FListLevel;
            if (ln.w > 0) L.LineBreak = true;
            FOrdered = true;
            FListNumber = 1;
        }
        break;
    case L'P':
        ParagraphTag(String(Tag), L);
        break;
    case L'R': {
        String A;
        AttrValue(String(Tag), 2, L"A", A);
        StartRotated(FCanvas, IStrToInt(A));
        break;
    }
    case L'S':
        if (c2 == L'>' || c2 == L'T') {
            SetStyleBit(Font, fsStrikeOut, true);
        } else if (c2 == L'P') {
            SpanTag(String(Tag));
        } else if (c2 == L'H') {
            FShadow = true;
        } else if (c2 == L'U') {
            const String U = UpperCase(String(Tag.substr(0, 5)));
            if (U == L"<SUB>") FSub = true;
            if (U == L"<SUP>") FSup = true;
        }
        break;
    case L'U':
        if (c2 == L'>') {
            SetStyleBit(Font, fsUnderline, true);
        } else {
            ++FListLevel;
            FOrdered = false;
            if (ln.w > 0) L.LineBreak = true;
        }
        break;
    case L'Z':
        FHidden = true;
        break;
    default:
        break;
    }
}

void THTMLDrawer::ClosingTag(std::wstring_view Tag, TLineWalk& L, TLineState& ln)
{
    TFont* Font = &FFont;
    const wchar_t d = UpCase(At(Tag, 3));
    switch (UpCase(At(Tag, 2))) {
    case L'A':
        AnchorClose(L, ln);
        break;
    case L'B':
        if (d == L'>')
            SetStyleBit(Font, fsBold, false);
        else
            SetFontColor(FEntryColor);
        break;
    case L'E':
        if (!L.Calc) FError = false;
        break;
    case L'F':
        FontClose(L);
        break;
    case L'H':
        if (!L.Calc && FHighlight) {
            SetFontColor(FHiFontColor);
            SetBrushColor(FHiBrushColor);
        }
        break;
    case L'I':
        SetStyleBit(Font, fsItalic, false);
        break;
    case L'L':
        L.LineBreak = true;
        break;
    case L'O':
        if (d != L'>') {
            if (FListLevel > 0) --FListLevel;
            if (!L.Calc) FOrdered = false;
        }
        break;
    case L'P':
        L.LineBreak = true;
        FParaBg = false;
        // The alignment ends after the line has been aligned: in the pass that draws or
        // hit-tests it.
        if (!FFirstPass) FAlign = TParaAlign::Left;
        if (!L.Calc) SetBrushColor(FParaBgSaved);
        break;
    case L'R':
        EndRotated(FCanvas);
        break;
    case L'S':
        if (d == L'U') {
            FSub = FSup = false;
        } else if (d == L'P') {
            SetBrushColor(clNone);
        } else if (d == L'H') {
            FShadow = false;
        } else {
            SetStyleBit(Font, fsStrikeOut, false);
        }
        break;
    case L'U':
        if (d == L'>') {
            SetStyleBit(Font, fsUnderline, false);
        } else if (FListLevel > 0) {
            --FListLevel;
        } else {
            SetStyleBit(Font, fsUnderline, false);
        }
        break;
    case L'Z':
        FHidden = false;
        break;
    default:
        break;
    }
}

void THTMLDrawer::AnchorOpen(const String& Tag, TLineWalk& L, TLineState& ln)
{
    if (!L.Calc && FAnchorCount == FRequest.FocusLink) {
        FFocusRect.Left = L.cr.Left;
        FFocusRect.Top = L.cr.Top;
        FFocusOpen = true;
    }
    ++FAnchorCount;
    FInAnchor = true;
    const bool HoverStyled = !FRequest.HoverStyle || FRequest.HoverLink == FAnchorCount;
    if (!L.Calc && HoverStyled) {
        SetStyleBit(&FFont, fsUnderline, true);
        if (FRequest.HoverColor != clNone) {
            FHoverBgSaved = BrushColor();
            SetBrushColor(FRequest.HoverColor);
        }
        if (FRequest.HoverFontColor != clNone) {
            FHoverFontSaved = FTextColor;
            SetFontColor(FRequest.HoverFontColor);
        }
    }
    if (!FRequest.Selected && !(FRequest.HoverFontColor != clNone && FRequest.HoverStyle && FRequest.HoverLink == FAnchorCount))
        SetFontColor(FRequest.URLColor);
    String Href;
    if (AttrValue(Tag, 2, L"HREF", Href)) {
        FAnchorValue = Href;
        FAnchor = true;
        AttrValue(Tag, 2, L"TITLE", FAnchorHintText);
    }
    FHoverBuild.Left = L.r.Left + ln.w;
    FHoverBuild.Top = L.r.Top;
}

void THTMLDrawer::AnchorClose(TLineWalk& L, TLineState& ln)
{
    const bool HoverStyled = !FRequest.HoverStyle || FRequest.HoverLink == FAnchorCount;
    if (!L.Calc && HoverStyled) {
        SetStyleBit(&FFont, fsUnderline, false);
        if (FRequest.HoverColor != clNone) SetBrushColor(FHoverBgSaved);
        if (FRequest.HoverFontColor != clNone) SetFontColor(FHoverFontSaved);
    }
    if (!FRequest.Selected) SetFontColor(FEntryColor);
    FAnchor = false;
    if (FMouseInAnchor) {
        TRect Hr = FHoverBuild;
        Hr.Bottom = L.r.Bottom;
        Hr.Right = L.r.Left + ln.w;
        if (Hr.Top != L.r.Top) {
            Hr.Left = L.r.Left;
            Hr.Top = L.r.Top;
        }
        FResult.HoverRect = Hr;
        FResult.MouseLink = FAnchorCount;
        FMouseInAnchor = false;
    }
    if (!L.Calc && FInAnchor && FAnchorCount == FRequest.FocusLink + 1) {
        FFocusRect.Right = L.cr.Left;
        FFocusRect.Bottom = L.cr.Bottom - ln.imgali;
        FFocusRect.Top = FFocusRect.Bottom - TextH();
        FFocusRect = TRect(FFocusRect.Left - 1, FFocusRect.Top - 1, FFocusRect.Right + 1,
                           FFocusRect.Bottom + 1);
        FCanvas->DrawFocusRect(FFocusRect);
        FFocusOpen = false;
    }
    FInAnchor = false;
}

void THTMLDrawer::BodyTag(const String& Tag, TLineWalk& L, TLineState& ln)
{
    const String U = UpperCase(Tag);
    TFont* Font = &FFont;
    String V;
    if (AttrValue(U, 5, L"FONT-FAMILY", V) && !V.empty()) Font->SetName(V);
    size_t P = FindFold(U, L"FONT-SIZE", 5);
    if (P != npos) {
        String Size = ValueUpTo(U, P + 10, L";'\"");
        if (Contains(Size, L"PT")) Size.erase(Size.size() - 2);
        int N = 0;
        if (TryIStrToInt(Size, N) && N > 0) {
            Font->SetSize(ClampPoints(N));
            if (L.RunSeen) ln.h = std::max(ln.h, TextH());
        }
    }
    P = FindFold(U, L"FONT-STYLE", 5);
    if (P != npos) {
        const String Style = Trim(ValueUpTo(U, P + 11, L";'\""));
        if (Style == L"BOLD") Font->SetStyle({fsBold});
        if (Style == L"ITALIC") Font->SetStyle({fsItalic});
    }
    if (L.Calc) return;
    if (AttrValue(U, 5, L"BACKGROUND", V) && !V.empty()) TileBackground(V);
    if (AttrValue(U, 5, L"BGCOLOR", V)) {
        TColor Color;
        if (Contains(V, L"CL"))
            Color = Text2Color(LowerCase(V));
        else if (Contains(V, L"#"))
            Color = Hex2Color(V);
        else
            return;
        SetBrushColor(Color);
        FSavedBg = Color;
        TPen* Pen = FCanvas->GetPen();
        const TColor Old = Pen->GetColor();
        Pen->SetColor(Color);
        BrushRectangle(fr);
        Pen->SetColor(Old);
    }
}

void THTMLDrawer::FontTag(const String& Tag, TLineWalk& L)
{
    const String U = UpperCase(Tag);
    TFont* Font = &FFont;
    String V;
    if (AttrValue(U, 5, L"FACE", V) && !V.empty()) Font->SetName(V);
    if (!FRequest.Selected && AttrValue(U, 5, L" COLOR", V)) SetFontColor(MarkupColor(V));
    if (StyleText(U, 5, V)) {
        if (Contains(V, L"FONT-SIZE:")) V.erase(0, std::min<size_t>(10, V.size()));
        const size_t Pt = V.find(L"PT");
        if (Pt != npos) {
            const int N = IStrToInt(Trim(V.substr(0, Pt)));
            if (N > 0) Font->SetSize(ClampPoints(N));
        }
    } else {
        const size_t P = FindFold(U, L"SIZE", 5);
        if (P != npos) {
            size_t Start = P + 4;
            const size_t Eq = U.find(L'=', Start);
            if (Eq != npos) {
                Start = Eq + 1;
                const size_t D = U.find(JYR_ATTR_DELIM, Start);
                if (D != npos) Start = D + 1;
            }
            static const int Sizes[] = {8, 10, 12, 14, 16};
            const int N = IStrToInt(U.substr(Start, 16));
            if (N >= 1 && N <= 5)
                Font->SetSize(Sizes[N - 1]);
            else if (N > 0)
                Font->SetSize(ClampPoints(N));
        }
    }
    if (!L.Calc && !FRequest.Selected && AttrValue(U, 5, L"BGCOLOR", V)) {
        FSavedBg = BrushColor();
        SetBrushColor(MarkupColor(V));
    }
}

void THTMLDrawer::FontClose(TLineWalk& L)
{
    TFont* Font = &FFont;
    Font->SetName(FEntryFont.GetName());
    Font->SetHeight(FEntryFont.GetHeight());
    if (!L.Calc && !FRequest.Selected) {
        SetFontColor(FEntryColor);
        SetBrushColor(FSavedBg);
    }
}

void THTMLDrawer::ParagraphTag(const String& Tag, TLineWalk& L)
{
    const String U = UpperCase(Tag);
    String V;
    if (AttrValue(U, 2, L"ALIGN", V)) {
        if (Contains(V, L"RIGHT")) FAlign = TParaAlign::Right;
        if (Contains(V, L"LEFT")) FAlign = TParaAlign::Left;
        if (Contains(V, L"CENTER")) FAlign = TParaAlign::Center;
    }
    if (AttrValue(U, 2, L"INDENT", V)) FPIndent = std::clamp(IStrToInt(V), -MaxIndent, MaxIndent);
    if (AttrValue(U, 2, L"FLOAT", V, L'"')) {
        if (V == L"LEFT" || V == L"RIGHT") {
            FTxtFloat = V == L"LEFT" ? TTextFloat::Left : TTextFloat::Right;
            FFloatPoint = TPoint(L.r.Left, L.r.Top);
        }
    }
    if (!L.Calc && AttrValue(U, 2, L"BGCOLOR", V)) {
        FParaBg = true;
        FParaBgSaved = BrushColor();
        TPen* Pen = FCanvas->GetPen();
        FPenSaved = Pen->GetColor();
        const TColor Color = MarkupColor(V);
        SetBrushColor(Color);
        Pen->SetColor(Color);
        BrushRectangle(fr.Left, L.r.Top, fr.Right, L.r.Bottom);
    }
}

void THTMLDrawer::SpanTag(const String& Tag)
{
    const String U = UpperCase(Tag);
    String V;
    StyleText(U, 5, V);
    if (Contains(V, L"BACKGROUND-COLOR:")) V.erase(0, std::min<size_t>(17, V.size()));
    FSavedBg = BrushColor();
    if (!V.empty() && V[0] == L'#') SetBrushColor(Hex2Color(V));
}

void THTMLDrawer::IndentTag(const String& Tag, TLineWalk& L, TLineState& ln)
{
    if (L.Cut) return;
    String V;
    AttrValue(Tag, 2, L"X", V);
    int N = 0;
    if (!TryIStrToInt(V, N)) return;
    N = std::min(N, MaxIndent);
    if (double(ln.w) < double(N) * FScale) {
        ln.w = R(N);
        L.cr.Left = fr.Left + R(N);
    }
}

void THTMLDrawer::ListItem(TLineWalk& L, TLineState& ln)
{
    if (L.ListSeen && FFirstPass) {
        // A second item on one line starts the next line.
        L.ElemBreak = true;
        return;
    }
    L.ListSeen = true;
    if (L.Cut) return;
    ln.w += FListLevel * 12;
    L.cr.Left += FListLevel * 12 - 12;
    if (!L.Calc && !FHidden) {
        TFont* Font = &FFont;
        const String Name = Font->GetName();
        Font->SetName(L"Symbol");
        // The symbol font has its glyphs at U+F020..U+F0FF. Where the system has no such font
        // the marks are drawn in the text's own font.
        wchar_t Face[LF_FACESIZE] = {};
        GetTextFaceW(EnsureFont(), LF_FACESIZE, Face);
        const bool HaveSymbol = SameText(Face, L"Symbol");
        if (!HaveSymbol) Font->SetName(Name);
        const auto Mark = [&](String S) {
            if (HaveSymbol)
                for (auto& Ch : S)
                    if (Ch >= 0x20 && Ch <= 0xFF) Ch = wchar_t(0xF000 + Ch);
            return S;
        };
        TRect Rc = L.cr;
        if (FOrdered) {
            const String Number = Mark(IntToStr(FListNumber) + L". ");
            DrawRun(Number, Rc, 0);
            ++FListNumber;
            SIZE S{};
            GetTextExtentPoint32W(EnsureFont(), Number.c_str(), int(Number.size()), &S);
            L.cr.Left += int(S.cx) - 12;
        } else {
            const bool Odd = FListLevel % 2 == 1;
            DrawRun(HaveSymbol ? Mark(String(1, Odd ? L'\u00B7' : L'o')) : String(1, Odd ? L'\u2022' : L'o'), Rc,
                    0);
        }
        Font->SetName(Name);
    }
    L.cr.Left += 12;
}

void THTMLDrawer::ZigZag(int Left, int Right, int Bottom)
{
    TPen* Pen = FCanvas->GetPen();
    Pen->SetColor(clRed);
    Pen->SetWidth(1);
    int x = Left / 2 * 2;
    // The pattern repeats every 4 pixels: nothing outside the device's clip box is drawn.
    RECT Clip{};
    if (GetClipBox(DC(), &Clip) != ERROR && Clip.right > Clip.left) {
        if (x < Clip.left - 4) x += (Clip.left - 4 - x) / 4 * 4;
        Right = std::min(Right, int(Clip.right) + 4);
    }
    int o = x % 4 == 0 ? 2 : 0;
    FCanvas->MoveTo(x, Bottom + o - 1);
    while (x < Right) {
        o = o == 2 ? 0 : 2;
        FCanvas->LineTo(x + 2, Bottom + o - 1);
        x += 2;
    }
}

// ---- pictures ---------------------------------------------------------------------------------

TGraphic* THTMLDrawer::FindPicture(const String& Src, bool ContainerOnly)
{
    if (Src.empty()) return nullptr;
    TGraphic* Pic = nullptr;
    if (Src.find(L':') == npos && FRequest.PictureContainer) Pic = FRequest.PictureContainer->FindPicture(Src);
    if (!ContainerOnly && Src.find(L"://") != npos && FRequest.PictureCache) {
        THTMLPicture* P = FRequest.PictureCache->FindPicture(Src);
        if (!P) {
            P = FRequest.PictureCache->AddPicture();
            P->SetAsynch(false);
            P->LoadFromURL(Src);
            // Found again by the whole source on the next paint, whatever the load did.
            if (P->GetID() != Src) P->SetID(Src);
        }
        Pic = P;
    }
    return Pic;
}

void THTMLDrawer::TileBackground(const String& Src)
{
    TGraphic* Pic = FindPicture(Src, false);
    if (!Pic || Pic->GetEmpty()) return;
    const int W = Pic->GetWidth(), H = Pic->GetHeight();
    if (W <= 0 || H <= 0 || fr.IsEmpty()) return;
    HDC Handle = DC();
    // The caller's clipping comes back afterwards.
    TClipScope Clip(Handle);
    IntersectClipRect(Handle, fr.Left, fr.Top, fr.Right, fr.Bottom);
    const Int64 Tiles = Int64((fr.Width() + W - 1) / W) * Int64((fr.Height() + H - 1) / H);
    if (Tiles <= 64) {
        for (int y = fr.Top; y < fr.Bottom; y += H)
            for (int x = fr.Left; x < fr.Right; x += W) FCanvas->StretchDraw(TRect(x, y, x + W, y + H), Pic);
    } else {
        // Many small tiles: the first is drawn, then the drawn area is copied onto itself,
        // doubling each time, instead of decoding the picture for every tile.
        FCanvas->StretchDraw(TRect(fr.Left, fr.Top, fr.Left + W, fr.Top + H), Pic);
        Handle = DC();
        for (int Done = W; Done < fr.Width(); Done *= 2)
            BitBlt(Handle, fr.Left + Done, fr.Top, std::min(Done, fr.Width() - Done), H, Handle, fr.Left,
                   fr.Top, SRCCOPY);
        for (int Done = H; Done < fr.Height(); Done *= 2)
            BitBlt(Handle, fr.Left, fr.Top + Done, fr.Width(), std::min(Done, fr.Height() - Done), Handle,
                   fr.Left, fr.Top, SRCCOPY);
    }
}

void THTMLDrawer::PictureTag(const String& Tag, TLineWalk& L, TLineState& ln)
{
    if (L.Cut) return;
    const String U = UpperCase(Tag);
    const TRect Pr = L.cr;
    ++FPicCount;
    String Src, Alt, V;
    AttrValue(U, 2, L"SRC", Src);
    if (AttrValue(U, 2, L"ALT", Alt) && FAltPicture == FPicCount) Src = Alt;
    const int ReqW = AttrValue(U, 2, L"WIDTH", V) ? R(std::clamp(IStrToInt(V), 0, MaxMarkupSize)) : 0;
    const int ReqH = AttrValue(U, 2, L"HEIGHT", V) ? R(std::clamp(IStrToInt(V), 0, MaxMarkupSize)) : 0;
    TTextFloat Float = TTextFloat::None;
    if (AttrValue(U, 2, L"FLOAT", V, L'"')) {
        if (V == L"LEFT") Float = TTextFloat::Left;
        if (V == L"RIGHT") Float = TTextFloat::Right;
    }
    const bool Drawing = !L.Calc;

    TSize Space;
    int DrawnW = 0, DrawnH = 0;
    if (Contains(Src, L"IDX:")) {
        Src.erase(0, 4);
        const int Index = IStrToInt(Src);
        if (FRequest.Images && Index >= 0 && Index < FRequest.Images->GetCount()) {
            const int IW = FRequest.Images->GetWidth(), IH = FRequest.Images->GetHeight();
            Space = TSize(IW, IH);
            if (Drawing && !FRequest.Print) {
                FRequest.Images->Draw(FCanvas, Pr.Left, Pr.Top, Index, true);
            } else if (Drawing) {
                TBitmap Bmp;
                if (FRequest.Images->GetBitmap(Index, &Bmp))
                    PrintBitmap(FCanvas,
                                TRect(Pr.Left, Pr.Top, Pr.Left + int(std::lround(IW * ResFactor)),
                                      Pr.Top + int(std::lround(IH * ResFactor))),
                                &Bmp);
            }
        }
    }
    const bool Small = Contains(Src, L"SSYS:");
    if (Small || Contains(Src, L"LSYS:")) {
        Src.erase(0, 5);
        const TPoint P = SysImage(FCanvas, Pr.Left, Pr.Top, Src, !Small, Drawing, FRequest.Print, ResFactor);
        Space = TSize(P.X, P.Y);
    }
    if (TGraphic* Pic = FindPicture(Src, false); Pic && !Pic->GetEmpty()) {
        const int PW = Pic->GetWidth(), PH = Pic->GetHeight();
        if (ReqW > 0 && ReqH > 0) {
            DrawnW = ReqW;
            DrawnH = ReqH;
        } else if (ReqW > 0) {
            DrawnW = ReqW;
            DrawnH = PW > 0 ? int(std::lround(double(PH) * ReqW / PW)) : 0;
        } else if (ReqH > 0) {
            DrawnW = PH > 0 ? int(std::lround(double(PW) * ReqH / PH)) : 0;
            DrawnH = ReqH;
        } else {
            DrawnW = R(PW);
            DrawnH = R(PH);
        }
        DrawnW = std::clamp(DrawnW, 0, R(MaxMarkupSize));
        DrawnH = std::clamp(DrawnH, 0, R(MaxMarkupSize));
        auto* HP = dynamic_cast<THTMLPicture*>(Pic);
        const bool Requested = ReqW > 0 || ReqH > 0;
        if (Drawing) {
            if (Requested) {
                if (HP) HP->SetStretched(true);
                FCanvas->StretchDraw(TRect(Pr.Left, Pr.Top, Pr.Left + DrawnW, Pr.Top + DrawnH), Pic);
            } else if (HP && HP->GetFrameCount() > 1) {
                FCanvas->GetPen()->SetColor(FBkColor);
                SetBrushColor(FBkColor);
                BrushRectangle(Pr.Left, Pr.Top, Pr.Left + HP->GetMaxWidth(), Pr.Top + HP->GetMaxHeight());
                const int X = Pr.Left + HP->GetFrameXPos(), Y = Pr.Top + HP->GetFrameYPos();
                FCanvas->StretchDraw(TRect(X, Y, X + DrawnW, Y + DrawnH), Pic);
            } else {
                FCanvas->StretchDraw(TRect(Pr.Left, Pr.Top, Pr.Left + DrawnW, Pr.Top + DrawnH), Pic);
            }
        }
        if (Requested)
            Space = TSize(DrawnW, DrawnH);
        else if (HP)
            Space = TSize(std::min(HP->GetMaxWidth(), MaxMarkupSize), std::min(HP->GetMaxHeight(), MaxMarkupSize));
        else
            Space = TSize(std::min(PW, MaxMarkupSize), std::min(PH, MaxMarkupSize));
    }

    // Fitting: a picture that does not fit beside what the line holds starts the next line.
    const int W = L.r.Right - L.r.Left;
    if (FFirstPass && ln.w + Space.cx > W && Space.cx < W) {
        L.ElemBreak = true;
        --FPicCount;
        return;
    }
    const int x = FRequest.XPos - L.r.Left;
    if (ln.w < x && x < ln.w + Space.cx && L.r.Top < FRequest.YPos && FRequest.YPos < L.r.Top + Space.cy && FAnchor) {
        ln.ImageHotSpot = true;
        FResult.AnchorVal = FAnchorValue;
        FResult.AnchorHint = FAnchorHintText;
        FAltPicture = FPicCount;
    }
    ln.w += Space.cx + 2;
    L.cr.Left += Space.cx + 2;
    ln.h = std::max(ln.h, int(Space.cy));

    // The line's text beside the picture.
    const int t = TextH();
    const auto Top = [&] { return t < ln.h ? ln.h - t : 0; };
    if (Contains(U, L"ALIGN")) {
        if (Contains(U, L"\"TOP"))
            ln.imgali = Top();
        else if (Contains(U, L"\"MIDDLE"))
            ln.imgali = t < ln.h ? (ln.h - t) / 2 : 0;
    }
    if (Contains(U, L"WRAP")) {
        ln.h = t;
        ln.imgali = 0;
    }
    if (Float != TTextFloat::None) {
        ln.imgali = Top();
        if (Float == TTextFloat::Left) {
            FFloatRect.Left = DrawnW + 2;
        } else {
            FFloatRect.Right = DrawnW + 2;
            ln.w = fr.Right;
        }
        FFloatRect.Bottom = DrawnH;
        if (Drawing) ln.h = t;
    }
}

// ---- inline controls --------------------------------------------------------------------------

void THTMLDrawer::ControlTag(const String& Tag, TLineWalk& L, TLineState& ln)
{
    if (L.Cut) return;
    String Type, ID, Value, Width, Height, Prop, MaxLen;
    ParseControl(Tag, Type, ID, Value, Width, Height, Prop, MaxLen);
    if (Width.empty()) return;
    int c = 25;
    if (!TryIStrToInt(Height, c)) c = 25;
    c = R(std::clamp(c, 0, MaxMarkupSize));
    const int W = R(std::clamp(IStrToInt(Width), 0, MaxMarkupSize));
    TSize Space;
    int Tmp = 0;
    if (TryIStrToInt(Width, Tmp)) Space = TSize(W, TextH() + 10);
    const bool Small = Type == L"CHECK" || Type == L"RADIO";
    // The control's own height.
    const int ch = c > R(25) ? c - 2 : R(Small ? 16 : 23);
    if (!L.Calc) DrawControl(Type, ID, Value, W, c, ch, L, Space);
    if (Type == L"BUTTON" || Type == L"COMBO") Space.cy = R(25);
    if (Small) Space = TSize(int(std::lround(16.0 * FScale * ResFactor)), R(16));

    const int LineW = L.r.Right - L.r.Left;
    if (FFirstPass && ln.w + Space.cx > LineW && Space.cx < LineW) {
        L.ElemBreak = true;
        return;
    }
    const int x = FRequest.XPos - L.r.Left;
    const bool AtPoint = ln.w < x && x < ln.w + Space.cx && L.r.Top < FRequest.YPos && FRequest.YPos < L.r.Top + Space.cy;
    // A control named by the ID coming in (hit-test mode) reports itself whatever the point.
    const bool Named = FRequest.CheckHotSpot && !FRequest.CID.empty() && FRequest.CID == ID;
    if (AtPoint || Named) {
        ln.ImageHotSpot = true;
        FResult.AnchorVal = L"ctrl";
        FAltPicture = FPicCount;
        FResult.ControlRect = TRect(L.r.Left + ln.w, L.r.Top, L.r.Left + ln.w + Space.cx, L.r.Top + Space.cy);
        FResult.CV = Value;
        FResult.CID = ID;
        FResult.CT = Type;
    }
    ln.w += Space.cx;
    L.cr.Left += Space.cx;
    // The line is as high as its tallest item.
    ln.h = std::max({ln.h, ch, int(Space.cy)});
}

void THTMLDrawer::DrawControl(const String& Type, const String& ID, const String& Value, int W,
                              int c, int ch, TLineWalk& L, TSize& Space)
{
    const int Lx = L.cr.Left, B = L.cr.Bottom;
    TPen* Pen = FCanvas->GetPen();
    Pen->SetColor(FThemed ? TColor(0x00B99D7F) : TColor(0x00808080));
    const auto Themed = [&](const wchar_t* Class, int Part, int State, const TRect& Box) {
        if (!FThemed) return false;
        HTHEME Theme = QorXPVS::OpenThemeData(FRequest.WinHandle, Class);
        if (!Theme) return false;
        QorXPVS::DrawThemeBackground(Theme, DC(), Part, State, reinterpret_cast<const RECT*>(&Box), nullptr);
        QorXPVS::CloseThemeData(Theme);
        return true;
    };
    const auto Frame = [&](TRect Box, UINT Kind, UINT State) {
        DrawFrameControl(DC(), reinterpret_cast<RECT*>(&Box), Kind, State);
    };
    const auto Text = [&](const String& S, TRect Box, UINT Flags) { DrawRun(S, Box, Flags); };
    const auto Hot = [&] {
        return Lx - 2 < FRequest.XPos && FRequest.XPos < Lx + Space.cx - 2 && B - Space.cy - 2 < FRequest.YPos && FRequest.YPos < B - 2;
    };
    const bool Checked = UpperCase(Value) == L"TRUE";

    if (Type == L"EDIT" || Type == L"PASSWORD" || Type == L"MASK") {
        SetBrushColor(clWhite);
        BrushRectangle(Lx, B - ch + 4, Lx + W, B + 2);
        SetBrushColor(clNone);
        Text(Type == L"PASSWORD" ? ConvertToPassword(Value) : Value, TRect(Lx + 2, B - ch + 4, Lx + W, B),
             DT_SINGLELINE | DT_VCENTER);
    } else if (Type == L"COMBO") {
        SetBrushColor(clWhite);
        BrushRectangle(Lx, B - ch + 4, Lx + W, B + 1);
        SetBrushColor(clNone);
        Text(Value, TRect(Lx + 4, B - ch + 4, Lx + W - R(18), B), DT_SINGLELINE | DT_VCENTER);
        const TRect Button(Lx + W - R(18), B - ch + 5, Lx + W - 1, B + 1);
        if (!Themed(L"combobox", 1, Hot() ? 2 : 1, Button)) Frame(Button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    } else if (Type == L"CHECK") {
        Space = TSize(R(16), R(16));
        SetBrushColor(clNone);
        const TRect Box(Lx + 2, B - R(16) + 1, Lx + R(16) - 1, B);
        if (!Themed(L"button", 3, Checked ? 5 : 1, Box))
            Frame(Box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (Checked ? DFCS_CHECKED : 0));
    } else if (Type == L"RADIO") {
        Space = TSize(R(16), R(16));
        SetBrushColor(clNone);
        const TRect Box(Lx + 2, B - R(14), Lx + R(14), B);
        if (!Themed(L"button", 2, Checked ? 5 : 1, Box))
            Frame(Box, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (Checked ? DFCS_CHECKED : 0));
    } else if (Type == L"BUTTON") {
        Space.cy = R(24);
        SetBrushColor(clNone);
        TRect Box(Lx + 2, B - c, Lx + W - 2, B);
        const bool Pressed = FRequest.Down && FRequest.DownID == ID;
        const bool IsHot = Hot();
        if (!Themed(L"button", 1, Pressed ? 3 : IsHot ? 2 : 1, Box))
            Frame(Box, DFC_BUTTON, DFCS_BUTTONPUSH | (IsHot && Pressed ? DFCS_PUSHED : 0));
        Box = TRect(Box.Left + 2, Box.Top + 2, Box.Right - 2, Box.Bottom - 2);
        Text(Value, Box, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
}

}  // namespace JyrHTMLE::Layout
