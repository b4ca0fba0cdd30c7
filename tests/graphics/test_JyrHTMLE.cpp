// The markup renderer: line layout and wrapping, alignment, sub- and superscript, anchors and
// inline controls under a point, pictures from a container and an image list, colours and
// backgrounds read from pixels, the canvas given back as it was, and a sample sheet.
#include "graphics/JyrHTMLE.h"
#include "graphics/PictureContainer.h"
#include "framework/PngImage.h"
#include "support/ImageBytes.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace JyrHTMLE;

namespace {

// The inputs of one call; defaults are those of a plain drawing call with no point.
struct THtmlIn {
    TRect R{0, 0, 300, 200};
    int X = -1, Y = -1;
    int FocusLink = -1, HoverLink = 0, ShadowOffset = 1;
    bool HotSpot = false, Measure = false, Print = false, Selected = false, Blink = true;
    bool HoverStyle = false, WordWrap = true, Down = false;
    String DownID;
    double Res = 1.0;
    TColor URL = clBlue, Hover = clNone, HoverFont = clNone, Shadow = clGray;
    TCustomImageList* Images = nullptr;
    THTMLPictureCache* Cache = nullptr;
    TPictureContainer* Container = nullptr;
    String CID;
};

struct THtmlOut {
    bool Result = false;
    String AnchorVal, StripVal, FocusAnchor, AnchorHint;
    int XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
    TRect HoverRect, ControlRect;
    String CID, CV, CT;
};

THtmlOut Html(TCanvas* C, const String& S, const THtmlIn& In)
{
    THtmlOut O;
    O.CID = In.CID;
    O.Result = HTMLDrawEx(C, S, In.R, In.Images, In.X, In.Y, In.FocusLink, In.HoverLink,
                          In.ShadowOffset, In.HotSpot, In.Measure, In.Print, In.Selected, In.Blink,
                          In.HoverStyle, In.WordWrap, In.Down, In.DownID, In.Res, In.URL, In.Hover,
                          In.HoverFont, In.Shadow, O.AnchorVal, O.StripVal, O.FocusAnchor,
                          O.AnchorHint, O.XSize, O.YSize, O.HyperLinks, O.MouseLink, O.HoverRect,
                          O.ControlRect, O.CID, O.CV, O.CT, In.Cache, In.Container, nullptr,
                          bdLeftToRight);
    return O;
}

THtmlIn Measure(TRect R = {0, 0, 300, 200})
{
    THtmlIn In;
    In.R = R;
    In.Measure = true;
    return In;
}

THtmlIn HitAt(int X, int Y, TRect R = {0, 0, 300, 200})
{
    THtmlIn In;
    In.R = R;
    In.X = X;
    In.Y = Y;
    In.HotSpot = true;
    return In;
}

class HtmlDraw : public ::testing::Test {
protected:
    HtmlDraw()
    {
        C()->GetFont()->SetName(L"Tahoma");
        C()->GetFont()->SetSize(10);
        C()->GetFont()->SetColor(clBlack);
        C()->GetBrush()->SetColor(clWhite);
    }
    TCanvas* C() { return Dib.Canvas(); }
    int TW(const String& S) { return C()->TextWidth(S); }
    int GH() { return C()->TextHeight(L"gh"); }
    // The width of S in a style of the canvas font.
    int StyledWidth(const String& S, TFontStyles Style)
    {
        const TFontStyles Old = C()->GetFont()->GetStyle();
        C()->GetFont()->SetStyle(Style);
        const int W = TW(S);
        C()->GetFont()->SetStyle(Old);
        return W;
    }
    bool Contains(const TRect& Outer, const TRect& Inner)
    {
        return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
               Inner.Bottom <= Outer.Bottom;
    }

    TDibSurface Dib{400, 300, clWhite};
};

// A container holding named pictures: "red" 12 x 10 and "tall" 8 x 40.
std::unique_ptr<TPictureContainer> MakeContainer()
{
    std::unique_ptr<TPictureContainer> Pc(Create<TPictureContainer>(nullptr));
    const auto Add = [&](const String& Name, int W, int H, TColor Fill) {
        TPictureItem* Item = Pc->GetItems()->Add();
        Item->SetName(Name);
        const auto Bytes = PngBytes(W, H, Fill);
        std::unique_ptr<TMemoryStream> S(new TMemoryStream());
        S->Write(Bytes.data(), Integer(Bytes.size()));
        Item->GetPicture()->LoadFromStream(S.get());
    };
    Add(L"red", 12, 10, clRed);
    Add(L"tall", 8, 40, clGreen);
    return Pc;
}

// Columns of R holding ink, as the first and last x (empty rect when none).
TRect Ink(const TDibSurface& D, const TRect& R) { return D.InkBounds(R); }

}  // namespace

// ---- measuring ------------------------------------------------------------------------------

TEST_F(HtmlDraw, MeasureGivesWidestLineAndSummedHeights)
{
    const int gh = GH();
    THtmlOut O = Html(C(), L"abc", Measure());
    EXPECT_EQ(O.XSize, TW(L"abc"));
    EXPECT_EQ(O.YSize, gh);
    EXPECT_FALSE(O.Result);

    O = Html(C(), L"a<br>wider line<BR/>b", Measure());
    EXPECT_EQ(O.XSize, TW(L"wider line"));
    EXPECT_EQ(O.YSize, 3 * gh);
    EXPECT_EQ(O.StripVal, L"a\rwider line\rb");

    // Empty text: one text line high, nothing wide.
    O = Html(C(), L"", Measure());
    EXPECT_EQ(O.XSize, 0);
    EXPECT_EQ(O.YSize, gh);

    // A text taller than the rectangle is measured whole.
    O = Html(C(), L"1<br>2<br>3<br>4<br>5", Measure(TRect{0, 0, 100, 20}));
    EXPECT_EQ(O.YSize, 5 * gh);

    // Bold text is measured in bold; a closing tag returns to the entry font.
    O = Html(C(), L"<b>ab</b>cd", Measure());
    EXPECT_EQ(O.XSize, StyledWidth(L"ab", {fsBold}) + TW(L"cd"));
}

TEST_F(HtmlDraw, PlainTextIsTheSameInEveryMode)
{
    const String S = L"<b>one</b> two<br><z>hidden</z>three &lt; four";
    const String Want = L"one two\rhiddenthree < four";
    EXPECT_EQ(Html(C(), S, Measure()).StripVal, Want);
    EXPECT_EQ(Html(C(), S, THtmlIn()).StripVal, Want);
    EXPECT_EQ(Html(C(), S, HitAt(5, 5)).StripVal, Want);
    // A word moved to the next line is in it once.
    EXPECT_EQ(Html(C(), L"aaa bbb ccc", Measure(TRect{0, 0, TW(L"aaa b"), 200})).StripVal, L"aaa bbb ccc");
    EXPECT_EQ(Html(C(), L"aaa bbb ccc", THtmlIn{TRect{0, 0, TW(L"aaa b"), 200}}).StripVal, L"aaa bbb ccc");
}

TEST_F(HtmlDraw, LinesStackDownAndDrawingStopsBelowTheRectangle)
{
    Html(C(), L"AAA<br>BBB", THtmlIn());
    const TRect L1 = Ink(Dib, TRect{0, 0, 400, GH()});
    const TRect L2 = Ink(Dib, TRect{0, GH(), 400, 2 * GH()});
    ASSERT_FALSE(L1.IsEmpty());
    ASSERT_FALSE(L2.IsEmpty());
    EXPECT_GE(L2.Top, L1.Bottom - 1);

    // Only the lines that start inside the rectangle are drawn.
    Dib.Fill(clWhite);
    THtmlIn In;
    In.R = TRect{0, 0, 200, GH() + 2};
    const THtmlOut O = Html(C(), L"first<br>second<br>third", In);
    EXPECT_TRUE(Dib.HasInk(TRect{0, 0, 200, GH()}));
    EXPECT_FALSE(Dib.HasInk(TRect{0, GH() + 1, 400, 300}));
    EXPECT_EQ(O.StripVal, L"first\r");
}

TEST_F(HtmlDraw, CanvasGetsItsStateBack)
{
    C()->GetPen()->SetColor(clTeal);
    C()->GetPen()->SetWidth(3);
    C()->GetBrush()->SetColor(clYellow);
    C()->GetFont()->SetColor(clMaroon);
    const String Markup =
        L"<font face=\"Arial\" size=\"5\" color=\"#00FF00\" bgcolor=\"clRed\">x<b><i>y<p bgcolor=\"clAqua\">z"
        L"<e>err<hi>hi<span style=\"background-color:#0000FF\">s";
    Html(C(), Markup, THtmlIn());
    EXPECT_EQ(C()->GetPen()->GetColor(), clTeal);
    EXPECT_EQ(C()->GetPen()->GetWidth(), 3);
    EXPECT_EQ(C()->GetBrush()->GetColor(), clYellow);
    EXPECT_EQ(C()->GetBrush()->GetStyle(), bsSolid);
    EXPECT_EQ(C()->GetFont()->GetColor(), clMaroon);
    EXPECT_EQ(C()->GetFont()->GetName(), L"Tahoma");
    EXPECT_TRUE(C()->GetFont()->GetStyle().Empty());

    // A rotation that is never closed: the rotated font does not stay in the device context,
    // and text drawn afterwards runs across, not up.
    const auto Escapement = [&] {
        LOGFONTW LF{};
        GetObjectW(GetCurrentObject(Dib.DC(), OBJ_FONT), sizeof(LF), &LF);
        return LF.lfEscapement;
    };
    Dib.Fill(clWhite);
    Html(C(), L"MM", THtmlIn());
    const TRect Upright = Dib.InkBounds(Dib.Bounds());
    const auto operator_plus = [](TRect R, int Dy) { return TRect(R.Left, R.Top + Dy, R.Right, R.Bottom + Dy); };
    Dib.Fill(clWhite);
    THtmlIn Tall;
    Tall.R = TRect{0, 40, 300, 200};
    Html(C(), L"MM <r a=\"8\">turned a little", Tall);
    EXPECT_EQ(Escapement(), 0);
    // The text before the tag stays upright; the text after it climbs.
    EXPECT_EQ(Dib.InkBounds(TRect{0, 0, Upright.Right + 1, 300}), operator_plus(Upright, 40));
    TDibSurface Flat(400, 300, clWhite);
    Flat.Canvas()->GetFont()->Assign(C()->GetFont());
    Html(Flat.Canvas(), L"MM turned a little", Tall);
    EXPECT_TRUE(Dib.HasInk(TRect{Upright.Right + 2, 0, 400, 300}));
    EXPECT_GT(Dib.DiffCount(Flat), 20);
    Dib.Fill(clWhite);
    C()->GetBrush()->SetStyle(bsClear);
    C()->TextOut(100, 100, L"MMMMMMMM");
    EXPECT_EQ(Escapement(), 0);
    const TRect After = Dib.InkBounds(Dib.Bounds());
    EXPECT_GT(After.Width(), After.Height());
}

TEST_F(HtmlDraw, TextIsDrawnAsTheSystemTextCallDrawsIt)
{
    // One line of text, however it is split into runs, looks exactly as the system draws it in
    // the line's rectangle (left edge moved one pixel right, bottom-aligned).
    const String Cases[] = {L"Plain words, and more words", L"x &y &&z", L"tab\there", L"\u00C6bler og p\u00E6rer",
                            L"\u0393\u03B5\u03B9\u03AC \u03C3\u03BF\u03C5", L"split<q> by<q>  tags <q> "};
    for (String S : Cases) {
        TDibSurface Ref(400, 300, clWhite);
        Ref.Canvas()->GetFont()->Assign(C()->GetFont());
        Ref.Canvas()->GetBrush()->SetStyle(bsClear);
        RECT R{1, 0, 300, GH()};
        const String Markup = S;
        // An unknown tag splits the text into runs and draws nothing.
        for (size_t P; (P = S.find(L"<q>")) != String::npos;) S.erase(P, 3);
        DrawTextW(Ref.Canvas()->GetHandle(), S.c_str(), int(S.size()), &R,
                  DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING);
        Dib.Fill(clWhite);
        Html(C(), Markup, THtmlIn());
        EXPECT_TRUE(Ref.HasInk(Ref.Bounds()));
        EXPECT_EQ(Dib.DiffCount(Ref), 0) << Markup;
    }
}

// ---- alignment ------------------------------------------------------------------------------

TEST_F(HtmlDraw, RightAndCentreAlignmentByTheAnchorsRectangle)
{
    const int W = Html(C(), L"two words", Measure()).XSize;
    // Right: the line ends at the rectangle's right edge; the whole anchor is hit where it is drawn.
    THtmlOut O = Html(C(), L"<p align=\"right\"><a href=\"r\">two words</a></p>", HitAt(98, 5, TRect{0, 0, 100, 100}));
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.MouseLink, 1);
    EXPECT_EQ(O.HoverRect.Left, 100 - W);
    EXPECT_EQ(O.HoverRect.Right, 100);
    EXPECT_EQ(O.HoverRect.Top, 0);

    // Centre: the free width (rectangle width less one pixel, less the line) is halved.
    O = Html(C(), L"<p align=\"center\"><a href=\"c\">two words</a></p>", HitAt(50, 5, TRect{0, 0, 100, 100}));
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.HoverRect.Left, 1 + (99 - W) / 2);

    // A line wider than the rectangle stays at the left edge (moved one pixel right).
    O = Html(C(), L"<p align=\"right\"><a href=\"w\">a rather long line</a></p>", HitAt(5, 5, TRect{0, 0, 30, 100}));
    EXPECT_EQ(O.HoverRect.Left, 1);

    // The alignment ends with its paragraph: the next line is left-aligned again.
    O = Html(C(), L"<p align=\"right\">x</p><a href=\"n\">next</a>", HitAt(3, GH() + 3, TRect{0, 0, 100, 100}));
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.AnchorVal, L"n");
    EXPECT_EQ(O.HoverRect.Left, 1);
}

TEST_F(HtmlDraw, DrawnRightAlignedAndCentredInk)
{
    Html(C(), L"<p align=\"right\">MMM</p><p align=\"center\">MMM</p>", THtmlIn{TRect{0, 0, 200, 100}});
    const TRect Right = Ink(Dib, TRect{0, 0, 400, GH()});
    const TRect Centre = Ink(Dib, TRect{0, GH(), 400, 2 * GH()});
    EXPECT_LE(Right.Right, 200);
    EXPECT_GE(Right.Right, 197);
    EXPECT_NEAR((Centre.Left + Centre.Right) / 2.0, 100.5, 2.0);
}

// ---- wrapping -------------------------------------------------------------------------------

TEST_F(HtmlDraw, WordWrapping)
{
    const int gh = GH();
    // 'aaa bbb' where only 'aaa ' fits: two lines; the trailing space is not counted.
    const int Narrow = TW(L"aaa bb") + 1;
    THtmlOut O = Html(C(), L"aaa bbb", Measure(TRect{0, 0, Narrow, 200}));
    EXPECT_EQ(O.YSize, 2 * gh);
    EXPECT_EQ(O.XSize, TW(L"aaa"));

    // A word continued across tags is never split: 'ab' and bold 'cd' stay together.
    const int AbCd = TW(L"ab") + StyledWidth(L"cd", {fsBold});
    O = Html(C(), L"ab<b>cd</b> ef", Measure(TRect{0, 0, TW(L"ab") + 3, 200}));
    EXPECT_EQ(O.YSize, 2 * gh);
    EXPECT_EQ(O.XSize, AbCd);

    // A word wider than the rectangle is not moved: it fills its line alone.
    O = Html(C(), L"extraordinarily y", Measure(TRect{0, 0, 20, 200}));
    EXPECT_EQ(O.YSize, 2 * gh);
    EXPECT_EQ(O.XSize, TW(L"extraordinarily"));

    // Without wrapping, one line whatever its width.
    THtmlIn In = Measure(TRect{0, 0, 20, 200});
    In.WordWrap = false;
    O = Html(C(), L"no wrapping here", In);
    EXPECT_EQ(O.YSize, gh);
}

TEST_F(HtmlDraw, BlankBetweenClosingAndOpeningTagIsKept)
{
    // A lone blank between two tags is a word gap: measured, in the plain text and seen between
    // the words' ink, with and without wrapping. After an italic word the upright text starts
    // where the slanted ink ends, so the blank is not covered by the last letter.
    struct TCase {
        const wchar_t* Markup;
        const wchar_t* FirstAlone;   // the markup of the first word only
        const wchar_t* First;
        TFontStyles FirstStyle;
        const wchar_t* Second;
    } const Cases[] = {
        {L"<i>kursiv</i> <font color=\"clRed\">r\u00F8d</font>", L"<i>kursiv</i>", L"kursiv", {fsItalic}, L"r\u00F8d"},
        {L"<i>ab</i> <font color=\"clRed\">cd \u2665</font>", L"<i>ab</i>", L"ab", {fsItalic}, L"cd \u2665"},
        {L"<b>ab</b> <u>cd</u>", L"<b>ab</b>", L"ab", {fsBold}, L"cd"},
        {L"ab <font color=\"#0000FF\">cd</font>", L"ab", L"ab", {}, L"cd"},
    };
    for (const auto& [Face, Size] : {std::pair<const wchar_t*, int>{L"Tahoma", 10}, {L"Arial", 9}})
        for (const TCase& K : Cases)
            for (bool Wrap : {true, false}) {
                C()->GetFont()->SetName(Face);
                C()->GetFont()->SetSize(Size);
                SCOPED_TRACE(String(Face) + L" " + K.Markup + (Wrap ? L" wrapped" : L""));
                const bool Italic = K.FirstStyle.Contains(fsItalic);
                const int Want = StyledWidth(K.First, K.FirstStyle) + TW(L" ") + TW(K.Second);
                THtmlIn In = Measure();
                In.WordWrap = Wrap;
                THtmlOut O = Html(C(), K.Markup, In);
                EXPECT_EQ(O.StripVal, String(K.First) + L" " + K.Second);
                EXPECT_GE(O.XSize, Want);
                EXPECT_LE(O.XSize, Want + (Italic ? 4 : 0));
                // The ink of the first word alone ends at E; the second word's ink starts at
                // least a blank further right (its left bearing may add a pixel).
                In.Measure = false;
                Dib.Fill(clWhite);
                Html(C(), K.FirstAlone, In);
                const int E = Ink(Dib, Dib.Bounds()).Right;
                Dib.Fill(clWhite);
                Html(C(), K.Markup, In);
                const int S = Ink(Dib, TRect{E, 0, 400, 300}).Left;
                EXPECT_GE(S - E, TW(L" "));
            }
}

TEST_F(HtmlDraw, UnwrappedLineCutAtTheEdgeKeepsLaterLines)
{
    // 'aaaa ' fits, the bold run crosses the right edge after a space: the line is cut there,
    // and the next line is still laid out.
    const String S = L"aaaa <b>bbbbbbbbbbbbbbbbbbbbbbbb</b> cc<br>second line";
    THtmlIn In = Measure(TRect{0, 0, TW(L"aaaa bb"), 200});
    In.WordWrap = false;
    THtmlOut O = Html(C(), S, In);
    EXPECT_EQ(O.YSize, 2 * GH());
    EXPECT_EQ(O.StripVal, L"aaaa bbbbbbbbbbbbbbbbbbbbbbbb cc\rsecond line");

    In.Measure = false;
    O = Html(C(), S, In);
    EXPECT_TRUE(Dib.HasInk(TRect{0, GH(), 400, 2 * GH()}));
    // The cut line stays inside the rectangle (an ellipsis ends it) and 'cc' is not drawn after it.
    EXPECT_FALSE(Dib.HasInk(TRect{In.R.Right + 1, 0, 400, GH()}));
    // Bold stays closed after the cut: the second line is drawn in the normal weight.
    EXPECT_EQ(Html(C(), S, Measure(TRect{0, 0, 400, 200})).XSize,
              TW(L"aaaa ") + StyledWidth(L"bbbbbbbbbbbbbbbbbbbbbbbb", {fsBold}) + TW(L" cc"));
}

// ---- sub- and superscript -------------------------------------------------------------------

TEST_F(HtmlDraw, SuperscriptAndSubscriptOffsets)
{
    const int gh = GH();
    const int Xw = TW(L"X");
    // Superscript: the line grows by a quarter of the text height, and the raised run sits that
    // much higher than the normal run.
    THtmlOut O = Html(C(), L"X<sup>X</sup>", THtmlIn());
    EXPECT_EQ(Html(C(), L"X<sup>X</sup>", Measure()).YSize, gh + gh / 4);
    TRect Normal = Ink(Dib, TRect{0, 0, 1 + Xw, 100});
    TRect Raised = Ink(Dib, TRect{1 + Xw, 0, 1 + 2 * Xw + 2, 100});
    EXPECT_EQ(Normal.Bottom - Raised.Bottom, gh / 4);
    EXPECT_EQ(Normal.Top - Raised.Top, gh / 4);
    EXPECT_EQ(O.StripVal, L"XX");

    Dib.Fill(clWhite);
    Html(C(), L"X<sub>X</sub>", THtmlIn());
    EXPECT_EQ(Html(C(), L"X<sub>X</sub>", Measure()).YSize, gh + gh / 4);
    Normal = Ink(Dib, TRect{0, 0, 1 + Xw, 100});
    TRect Lowered = Ink(Dib, TRect{1 + Xw, 0, 1 + 2 * Xw + 2, 100});
    EXPECT_EQ(Lowered.Bottom - Normal.Bottom, gh / 4);
}

// ---- anchors --------------------------------------------------------------------------------

TEST_F(HtmlDraw, HitTestingAnchors)
{
    const int gh = GH();
    const String S = L"<a href=\"u1\" title=\"Tip one\">one</a> two<br>x <A HREF=\"u2\">three</A>";
    const int OneX = 1 + TW(L"on");
    const int ThreeX = 1 + TW(L"x th");

    THtmlOut O = Html(C(), S, HitAt(OneX, gh / 2));
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.AnchorVal, L"u1");
    EXPECT_EQ(O.AnchorHint, L"Tip one");
    EXPECT_EQ(O.MouseLink, 1);
    EXPECT_EQ(O.HyperLinks, 2);

    O = Html(C(), S, HitAt(ThreeX, gh + gh / 2));
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.AnchorVal, L"u2");
    EXPECT_EQ(O.AnchorHint, L"");
    EXPECT_EQ(O.MouseLink, 2);
    // The anchor's rectangle holds its drawn text.
    const TRect Hover = O.HoverRect;
    Html(C(), S, THtmlIn());
    const TRect ThreeInk = Ink(Dib, TRect{1 + TW(L"x "), gh, 400, 2 * gh + 2});
    ASSERT_FALSE(ThreeInk.IsEmpty());
    EXPECT_TRUE(Contains(Hover, ThreeInk)) << Hover.Left << "," << Hover.Top << "," << Hover.Right
                                           << "," << Hover.Bottom;
    EXPECT_EQ(Hover.Left, 1 + TW(L"x "));
    EXPECT_EQ(Hover.Top, gh);

    // Plain text, and the space between the anchors, are no anchor.
    O = Html(C(), S, HitAt(1 + TW(L"one tw"), gh / 2));
    EXPECT_FALSE(O.Result);
    EXPECT_EQ(O.MouseLink, -1);

    // In drawing mode anchor text does not set the result.
    THtmlIn In;
    In.X = OneX;
    In.Y = gh / 2;
    EXPECT_FALSE(Html(C(), S, In).Result);
}

TEST_F(HtmlDraw, AnchorColoursHoverAndFocus)
{
    THtmlIn In;
    In.URL = clRed;
    Html(C(), L"<a href=\"x\">MMMM</a>", In);
    EXPECT_GT(Dib.CountColor(Dib.Bounds(), clRed), 10);

    // Hover style: only anchor 2 gets the hover background and text colour.
    Dib.Fill(clWhite);
    In.HoverStyle = true;
    In.HoverLink = 2;
    In.Hover = clYellow;
    In.HoverFont = clBlue;
    Html(C(), L"<a href=\"a\">MMMM</a> <a href=\"b\">MMMM</a>", In);
    const int Split = 1 + TW(L"MMMM ");
    EXPECT_EQ(Dib.CountColor(TRect{0, 0, Split, 50}, clYellow), 0);
    EXPECT_GT(Dib.CountColor(TRect{Split, 0, 400, 50}, clYellow), 20);
    EXPECT_GT(Dib.CountColor(TRect{Split, 0, 400, 50}, clBlue), 5);
    EXPECT_GT(Dib.CountColor(TRect{0, 0, Split, 50}, clRed), 5);

    // Focus: the focus anchor's HREF comes back and a dotted frame is drawn around its text.
    Dib.Fill(clWhite);
    THtmlIn F;
    F.FocusLink = 1;
    const THtmlOut O = Html(C(), L"<a href=\"first\">aa</a> <a href=\"second\">bb</a>", F);
    EXPECT_EQ(O.FocusAnchor, L"second");
    const int BbLeft = 1 + TW(L"aa ");
    // The frame's left edge lies one pixel left of the text.
    EXPECT_TRUE(Dib.HasInk(TRect{BbLeft - 1, 0, BbLeft, GH()}));
    EXPECT_FALSE(Dib.HasInk(TRect{BbLeft - 4, 0, BbLeft - 2, GH()}));
}

// ---- inline controls ------------------------------------------------------------------------

TEST_F(HtmlDraw, HitTestingInlineControls)
{
    const String S = L"Name <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"abc\" WIDTH=\"60\"> "
                     L"<control type=\"check\" id=\"c1\" value=\"TRUE\" width=\"16\">";
    const int EditX = 1 + TW(L"Name ");
    THtmlOut O = Html(C(), S, HitAt(EditX + 10, 5));
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.AnchorVal, L"ctrl");
    EXPECT_EQ(O.CID, L"e1");
    EXPECT_EQ(O.CV, L"abc");
    EXPECT_EQ(O.CT, L"EDIT");
    EXPECT_EQ(O.ControlRect.Left, EditX);
    EXPECT_EQ(O.ControlRect.Right, EditX + 60);
    EXPECT_EQ(O.ControlRect.Top, 0);
    EXPECT_EQ(O.ControlRect.Height(), GH() + 10);

    // Asked for by its ID, a control reports itself wherever the point is.
    THtmlIn In = HitAt(-5, -5);
    In.CID = L"c1";
    O = Html(C(), S, In);
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.CID, L"c1");
    EXPECT_EQ(O.CT, L"CHECK");
    EXPECT_EQ(O.CV, L"TRUE");
    EXPECT_EQ(O.ControlRect.Width(), 16);

    // No point and no ID: nothing; and an empty ID never names an ID-less control.
    O = Html(C(), L"<control type=\"edit\" width=\"40\">", HitAt(-5, -5));
    EXPECT_FALSE(O.Result);
    EXPECT_EQ(O.CID, L"");

    // Without WIDTH a control takes no space and is not hit.
    O = Html(C(), L"a<control type=\"edit\" id=\"z\">b", HitAt(2, 5));
    EXPECT_EQ(O.CID, L"");
    EXPECT_EQ(Html(C(), L"a<control type=\"edit\" id=\"z\">b", Measure()).XSize, TW(L"ab"));

    // Drawing: the edit box is a white box with a border, its value drawn inside.
    C()->GetBrush()->SetColor(clSilver);
    C()->FillRect(TRect{0, 0, 400, 300});
    Html(C(), S, THtmlIn());
    EXPECT_GT(Dib.CountColor(TRect{EditX, 0, EditX + 60, 40}, clWhite), 300);
}

TEST_F(HtmlDraw, LineIsAsHighAsItsTallestItem)
{
    auto Pc = MakeContainer();
    THtmlIn In = Measure();
    In.Container = Pc.get();
    // A 40-pixel picture and an edit control after it: the line is as high as the picture.
    THtmlOut O = Html(C(), L"<img src=\"tall\"><control type=\"edit\" id=\"e\" width=\"30\">", In);
    EXPECT_EQ(O.YSize, 40);
    // An edit control alone sets the line to its own height.
    O = Html(C(), L"x<control type=\"edit\" id=\"e\" width=\"30\">", Measure());
    EXPECT_EQ(O.YSize, std::max(23, GH() + 10));
}

// ---- pictures -------------------------------------------------------------------------------

TEST_F(HtmlDraw, PicturesFromContainerAndImageList)
{
    auto Pc = MakeContainer();
    THtmlIn In;
    In.R = TRect{10, 20, 300, 200};
    In.Container = Pc.get();
    THtmlOut O = Html(C(), L"<img src=\"red\">x", In);
    // Hung from the line's top at the rectangle's left (moved one pixel right).
    EXPECT_TRUE(Dib.AllColor(TRect{11, 20, 23, 30}, clRed));
    EXPECT_EQ(Dib.Pixel(23, 25), clWhite);
    EXPECT_EQ(Dib.Pixel(11, 31), clWhite);
    // Measured: the picture's width and its 2-pixel gap, then the text; as high as the picture.
    In.Measure = true;
    O = Html(C(), L"<img src=\"red\">x", In);
    EXPECT_EQ(O.XSize, 12 + 2 + TW(L"x"));
    EXPECT_EQ(O.YSize, std::max(10, GH()));

    // A requested size stretches; a missing picture takes only its gap.
    Dib.Fill(clWhite);
    In.Measure = false;
    Html(C(), L"<img src=\"red\" width=\"24\" height=\"20\">", In);
    EXPECT_TRUE(Dib.AllColor(TRect{12, 21, 34, 39}, clRed));
    EXPECT_EQ(Dib.InkBounds(Dib.Bounds()), (TRect{11, 20, 35, 40}));
    In.Measure = true;
    EXPECT_EQ(Html(C(), L"<img src=\"nothing\">x", In).XSize, 2 + TW(L"x"));
    EXPECT_EQ(Html(C(), L"<img src=\"red\" width=\"6\">", In).YSize, std::max(5, GH()));

    // "IDX:" pictures come from the image list.
    std::unique_ptr<TImageList> List(Create<TImageList>(nullptr));
    List->SetSize(16, 16);
    std::unique_ptr<TBitmap> Blue(Create<TBitmap>());
    Blue->SetSize(16, 16);
    Blue->GetCanvas()->GetBrush()->SetColor(clBlue);
    Blue->GetCanvas()->FillRect(TRect{0, 0, 16, 16});
    List->Add(Blue.get(), nullptr);
    Dib.Fill(clWhite);
    THtmlIn L;
    L.Images = List.get();
    Html(C(), L"<img src=\"idx:0\"><img src=\"IDX:5\">", L);
    EXPECT_TRUE(Dib.AllColor(TRect{1, 0, 17, 16}, clBlue));
    L.Measure = true;
    EXPECT_EQ(Html(C(), L"<img src=\"idx:0\"><img src=\"IDX:5\">", L).XSize, 16 + 2 + 2);

    // Printing: the image goes through a device-independent bitmap scaled by the print factor.
    Dib.Fill(clWhite);
    L.Measure = false;
    L.Print = true;
    L.Res = 2.0;
    Html(C(), L"<img src=\"idx:0\">", L);
    EXPECT_TRUE(Dib.AllColor(TRect{1, 0, 33, 32}, clBlue));
    EXPECT_EQ(Dib.Pixel(34, 10), clWhite);
}

TEST_F(HtmlDraw, SystemIcons)
{
    // A file type's small and large system icons take their image list's icon size.
    const THtmlOut Small = Html(C(), L"<img src=\"ssys:.txt\">", Measure());
    const THtmlOut Large = Html(C(), L"<img src=\"lsys:.txt\">", Measure());
    EXPECT_EQ(Small.XSize, GetSystemMetrics(SM_CXSMICON) + 2);
    EXPECT_EQ(Large.XSize, GetSystemMetrics(SM_CXICON) + 2);
    Html(C(), L"<img src=\"lsys:.txt\">", THtmlIn());
    EXPECT_TRUE(Dib.HasInk(TRect{1, 0, 1 + GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}));
    // Printed, the icon is scaled.
    Dib.Fill(clWhite);
    const TPoint Size = SysImage(C(), 10, 10, L".txt", false, true, true, 2.0);
    EXPECT_EQ(Size.X, GetSystemMetrics(SM_CXSMICON));
    EXPECT_TRUE(Dib.HasInk(TRect{10, 10, 10 + 2 * Size.X, 10 + 2 * Size.Y}));
}

TEST_F(HtmlDraw, PictureInAnchorIsAHotspot)
{
    auto Pc = MakeContainer();
    THtmlIn In = HitAt(5, 5);
    In.Container = Pc.get();
    THtmlOut O = Html(C(), L"<a href=\"pic\"><img src=\"red\"></a>", In);
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.AnchorVal, L"pic");
    // In drawing mode, too.
    In.HotSpot = false;
    EXPECT_TRUE(Html(C(), L"<a href=\"pic\"><img src=\"red\"></a>", In).Result);
    // Not inside an anchor: no hotspot.
    EXPECT_FALSE(Html(C(), L"<img src=\"red\">", In).Result);
}

// ---- colours --------------------------------------------------------------------------------

TEST_F(HtmlDraw, ColoursFromTagsReadBackFromPixels)
{
    struct {
        const wchar_t* Markup;
        TColor Want;
    } Cases[] = {
        {L"<font color=\"clRed\">MMMM</font>", clRed},
        {L"<font color=\"#00ff00\">MMMM</font>", clLime},
        {L"<font bgcolor=\"#0000FF\">MMMM</font>", clBlue},
        {L"<span style=\"background-color:#FFFF00\">MMMM</span>", clYellow},
        {L"<hi>MMMM</hi>", TColor(ColorToRGB(clHighlight))},
    };
    for (const auto& Case : Cases) {
        Dib.Fill(clWhite);
        Html(C(), Case.Markup, THtmlIn());
        EXPECT_GT(Dib.CountColor(TRect{0, 0, 200, GH()}, Case.Want), 10) << Case.Markup;
    }

    // A colour closed by its tag: the text after it is drawn in the entry colour.
    Dib.Fill(clWhite);
    Html(C(), L"<font color=\"clRed\">MM</font>MM", THtmlIn());
    EXPECT_EQ(Dib.CountColor(TRect{1 + TW(L"MM"), 0, 200, GH()}, clRed), 0);

    // Drawn as selected: colour tags do not change the text colour.
    Dib.Fill(clWhite);
    THtmlIn Sel;
    Sel.Selected = true;
    Html(C(), L"<font color=\"clRed\">MMMM</font>", Sel);
    EXPECT_EQ(Dib.CountColor(Dib.Bounds(), clRed), 0);

    // A paragraph background fills the whole width of the rectangle for its lines.
    Dib.Fill(clWhite);
    THtmlIn P;
    P.R = TRect{0, 0, 200, 100};
    Html(C(), L"<p bgcolor=\"clAqua\">a<br>b</p>c", P);
    EXPECT_EQ(Dib.Pixel(190, 2), clAqua);
    EXPECT_EQ(Dib.Pixel(190, GH() + 2), clAqua);
    EXPECT_EQ(Dib.Pixel(190, 2 * GH() + 2), clWhite);

    // A body background picture is tiled over the rectangle, inside the caller's clipping, which
    // it leaves as it was.
    Dib.Fill(clWhite);
    auto Pc = MakeContainer();
    THtmlIn T;
    T.R = TRect{0, 0, 200, 100};
    T.Container = Pc.get();
    HRGN Clip = CreateRectRgn(0, 0, 150, 300);
    SelectClipRgn(Dib.DC(), Clip);
    Html(C(), L"<body background=\"red\">", T);
    EXPECT_TRUE(Dib.AllColor(TRect{1, 0, 150, 100}, clRed));
    EXPECT_EQ(Dib.Pixel(160, 50), clWhite);
    HRGN After = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(Dib.DC(), After), 1);
    EXPECT_TRUE(EqualRgn(After, Clip));
    SelectClipRgn(Dib.DC(), nullptr);
    DeleteObject(After);
    DeleteObject(Clip);
    Dib.Fill(clWhite);
    T.R = TRect{0, 0, 30, 20};
    Html(C(), L"<body background=\"red\">", T);
    EXPECT_TRUE(Dib.AllColor(TRect{1, 0, 30, 20}, clRed));
    EXPECT_EQ(Dib.Pixel(31, 5), clWhite);

    // A body background colour fills the rectangle.
    Dib.Fill(clWhite);
    Html(C(), L"<body bgcolor=\"#C0C0C0\">x", P);
    EXPECT_EQ(Dib.Pixel(150, 80), clSilver);
    EXPECT_EQ(Dib.Pixel(250, 80), clWhite);
}

TEST_F(HtmlDraw, ShadowBlinkHiddenAndErrorMarks)
{
    const int gh = GH();
    THtmlIn In;
    In.Shadow = clRed;
    In.ShadowOffset = 2;
    // An unclosed shadow on the last line shadows from the tag on only.
    Html(C(), L"MMM <sh>MMM", In);
    const int Split = 1 + TW(L"MMM ");
    EXPECT_EQ(Dib.CountColor(TRect{0, 0, Split - 2, gh + 4}, clRed), 0);
    EXPECT_GT(Dib.CountColor(TRect{Split, 0, 200, gh + 4}, clRed), 10);

    // Subscript and hidden text turned on in the middle of a line leave the text before the tag
    // as it is.
    Dib.Fill(clWhite);
    Html(C(), L"MMM <sub>MMM", THtmlIn());
    const TRect Before = Ink(Dib, TRect{0, 0, Split - 2, 100});
    Dib.Fill(clWhite);
    Html(C(), L"MMM", THtmlIn());
    EXPECT_EQ(Before, Ink(Dib, TRect{0, 0, Split - 2, 100}));
    Dib.Fill(clWhite);
    Html(C(), L"MMM <z>MMM", THtmlIn());
    EXPECT_TRUE(Dib.HasInk(TRect{0, 0, Split - 2, 100}));
    EXPECT_FALSE(Dib.HasInk(TRect{Split, 0, 400, 100}));

    // Blinking text is drawn in the background colour of the call while the phase is off.
    Dib.Fill(clWhite);
    THtmlIn B;
    B.Blink = false;
    Html(C(), L"<bl>MMMM</b>", B);
    EXPECT_FALSE(Dib.HasInk(Dib.Bounds()));

    // Hidden text is not drawn and takes no width, but stays in the plain text.
    Dib.Fill(clWhite);
    THtmlOut O = Html(C(), L"<z>secret</z>", THtmlIn());
    EXPECT_FALSE(Dib.HasInk(Dib.Bounds()));
    EXPECT_EQ(O.StripVal, L"secret");
    EXPECT_EQ(Html(C(), L"a<z>secret</z>b", Measure()).XSize, TW(L"ab"));

    // The error mark: a red zig-zag under the marked text only.
    Dib.Fill(clWhite);
    Html(C(), L"ok <e>wrong</e> ok", THtmlIn());
    const int From = 1 + TW(L"ok "), To = From + TW(L"wrong");
    EXPECT_GT(Dib.CountColor(TRect{From, gh - 2, To, gh + 2}, clRed), 10);
    EXPECT_EQ(Dib.CountColor(TRect{0, 0, From - 2, gh + 4}, clRed), 0);
}

TEST_F(HtmlDraw, ListsIndentTheirItems)
{
    const int gh = GH();
    // Two items on one line: the second starts a new line. Items are indented by 12 per level,
    // in every mode alike.
    THtmlOut O = Html(C(), L"<ul><li>one<li>two</ul>", Measure());
    EXPECT_EQ(O.YSize, 2 * gh);
    EXPECT_EQ(O.XSize, 12 + TW(L"one"));
    O = Html(C(), L"<ul><li><a href=\"x\">one</a></ul>", HitAt(1 + 12 + 2, gh / 2));
    EXPECT_TRUE(O.Result);
    EXPECT_EQ(O.HoverRect.Left, 1 + 12);
    Html(C(), L"<ul><li>one</ul>", THtmlIn());
    const TRect Text = Ink(Dib, TRect{1 + 12, 0, 200, gh});
    EXPECT_GE(Text.Left, 1 + 12);
    EXPECT_TRUE(Dib.HasInk(TRect{0, 0, 1 + 12, gh}));   // the bullet
}

// The record call finds what the parameter call finds; one request serves several texts, and a
// result record used again holds only the last call's findings.
TEST_F(HtmlDraw, RecordCallFindsWhatTheParameterCallFinds)
{
    const int gh = GH();
    const String Texts[] = {L"<a href=\"u1\" title=\"Tip\">one</a> two<br>three", L"plain<br>text"};
    THTMLDrawRequest Rq;
    Rq.Canvas = C();
    Rq.fr = TRect{0, 0, 300, 200};
    Rq.XPos = 1 + TW(L"on");
    Rq.YPos = gh / 2;
    Rq.CheckHotSpot = true;
    Rq.HoverLink = 0;
    Rq.ShadowOffset = 1;
    Rq.Blink = true;
    Rq.WordWrap = true;
    THTMLDrawResult Rs;
    for (const String& S : Texts) {
        const bool Hit = HTMLDraw(S, Rq, Rs);
        const THtmlOut O = Html(C(), S, HitAt(Rq.XPos, Rq.YPos));
        EXPECT_EQ(Hit, O.Result);
        EXPECT_EQ(Rs.AnchorVal, O.AnchorVal);
        EXPECT_EQ(Rs.AnchorHint, O.AnchorHint);
        EXPECT_EQ(Rs.StripVal, O.StripVal);
        EXPECT_EQ(Rs.MouseLink, O.MouseLink);
        EXPECT_EQ(Rs.HyperLinks, O.HyperLinks);
        EXPECT_EQ(Rs.XSize, O.XSize);
        EXPECT_EQ(Rs.YSize, O.YSize);
    }
    EXPECT_EQ(Rs.AnchorVal, L"");
    EXPECT_EQ(Rs.StripVal, L"plain\rtext");
    EXPECT_EQ(Rs.YSize, 2 * gh);
    Rq.Canvas = nullptr;
    EXPECT_FALSE(HTMLDraw(Texts[0], Rq, Rs));
}

// ---- reading order --------------------------------------------------------------------------

TEST(HtmlFlags, ReadingOrderFlags)
{
    struct {
        UINT In;
        TBiDiMode Mode;
        bool MiddleEast;
        UINT Want;
    } Cases[] = {
        {DT_BOTTOM, bdRightToLeft, false, DT_BOTTOM},
        {DT_BOTTOM, bdRightToLeft, true, DT_BOTTOM | DT_RIGHT | DT_RTLREADING},
        {DT_RIGHT, bdRightToLeft, true, DT_RTLREADING},
        {DT_CENTER, bdRightToLeft, true, DT_CENTER | DT_RTLREADING},
        {DT_BOTTOM, bdRightToLeftReadingOnly, true, DT_BOTTOM | DT_RTLREADING},
        {DT_BOTTOM, bdLeftToRight, true, DT_BOTTOM},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(DrawTextBidimodeFlags(Case.In, Case.Mode, Case.MiddleEast), Case.Want)
            << Case.In << " " << int(Case.Mode) << " " << Case.MiddleEast;
}

// ---- sample sheet ---------------------------------------------------------------------------

TEST(HtmlSheet, SampleSheet)
{
    TDibSurface Dib(640, 560, clWhite);
    TCanvas* C = Dib.Canvas();
    C->GetFont()->SetName(L"Tahoma");
    C->GetFont()->SetSize(9);
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetColor(clWhite);
    auto Pc = MakeContainer();
    const String Cells[] = {
        L"<b>bold</b> <i>italic</i> <u>underline</u> <s>strike</s> <b><i><u>all three</u></i></b>",
        L"<font color=\"clRed\">red</font> <font color=\"#008000\">green</font> "
        L"<font bgcolor=\"clYellow\">on yellow</font> <span style=\"background-color:#C0FFC0\">span</span> "
        L"<hi>highlight</hi>",
        L"<font face=\"Times New Roman\" size=\"5\">Serif 16</font> <font face=\"Courier New\">mono</font> "
        L"<font style=\"font-size:14pt\">14pt</font> x<sup>2</sup> H<sub>2</sub>O &amp; &euro;&copy; &lt;tag&gt;",
        L"<ul><li>bullet one<li>bullet two<ul><li>nested</ul></ul>",
        L"<ol><li>first<li>second</ol>",
        L"<a href=\"a\">plain anchor</a> <a href=\"b\">hovered anchor</a> <a href=\"c\">focused anchor</a>",
        L"picture <img src=\"red\"> and <img src=\"red\" width=\"24\" height=\"8\"> stretched, "
        L"<img src=\"tall\" align=\"middle\"> middle",
        L"<control type=\"edit\" id=\"e\" value=\"edit\" width=\"60\"> "
        L"<control type=\"password\" id=\"p\" value=\"secret\" width=\"60\"> "
        L"<control type=\"combo\" id=\"k\" value=\"combo\" width=\"70\"> "
        L"<control type=\"check\" id=\"c\" value=\"TRUE\" width=\"16\"> "
        L"<control type=\"radio\" id=\"r\" value=\"FALSE\" width=\"16\"> "
        L"<control type=\"button\" id=\"b\" value=\"Button\" width=\"60\">",
        L"<e>speling mistake</e> and <sh>shadowed text</sh>",
        L"<p align=\"right\">right aligned</p>",
        L"<p align=\"center\" bgcolor=\"#E0E0FF\">centred on a paragraph background</p>",
        L"above the rule<hr>below the rule",
        L"<p indent=\"20\">indented paragraph</p> x <ind x=\"120\">at 120",
        L"a rather long line that wraps around inside its narrow cell at the spaces",
    };
    int y = 4;
    for (int i = 0; i < int(std::size(Cells)); ++i) {
        const bool Narrow = i == int(std::size(Cells)) - 1;
        THtmlIn In;
        In.R = TRect{8, y, Narrow ? 220 : 632, y + 80};
        In.Container = Pc.get();
        if (i == 5) {
            In.HoverStyle = true;
            In.HoverLink = 2;
            In.Hover = TColor(0xFFE0C0);
            In.HoverFont = clNavy;
            In.FocusLink = 2;
        }
        In.Shadow = clSilver;
        In.ShadowOffset = 2;
        In.Measure = true;
        const THtmlOut M = Html(C, Cells[i], In);
        In.Measure = false;
        C->GetPen()->SetColor(TColor(0xE0E0E0));
        C->MoveTo(0, y - 2);
        C->LineTo(640, y - 2);
        In.R.Bottom = y + M.YSize;
        Html(C, Cells[i], In);
        y += M.YSize + 6;
    }
    const String Path = SnapshotPath(L"JyrHTMLESampleSheet.png");
    EXPECT_TRUE(Dib.SavePng(Path));
    std::printf("sample sheet: %ls\n", Path.c_str());
    EXPECT_TRUE(Dib.HasInk(Dib.Bounds()));
}
