// Colours, fonts, pens, brushes and the canvas, checked by the pixels they leave in a DIB.
#include "framework/Graphics.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <functional>

// ---- colours ----------------------------------------------------------------------------------

TEST(Colors, ColorToRgbResolvesSystemColoursOnly)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), TColor(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clWindowText), TColor(GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
    EXPECT_EQ(clBtnFace, TColor(0x8000000F));
}

struct ColorTextCase {
    const wchar_t* Text;
    TColor Color;
    const wchar_t* Written;   // what ColorToString gives back
};

class ColorText : public ::testing::TestWithParam<ColorTextCase> {};

TEST_P(ColorText, ReadsAndWrites)
{
    const auto& C = GetParam();
    EXPECT_EQ(StringToColor(C.Text), C.Color);
    EXPECT_EQ(ColorToString(C.Color), C.Written);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColorText, ::testing::Values(
    ColorTextCase{L"clRed", clRed, L"clRed"},
    ColorTextCase{L"CLRED", clRed, L"clRed"},
    ColorTextCase{L"clLtGray", clSilver, L"clSilver"},        // read-only alias
    ColorTextCase{L"clBtnFace", clBtnFace, L"clBtnFace"},
    ColorTextCase{L"clMenuBar", clMenuBar, L"clMenuBar"},
    ColorTextCase{L"clNone", clNone, L"clNone"},
    ColorTextCase{L"$00123456", 0x123456, L"$00123456"},
    ColorTextCase{L"$ff", 0xFF, L"clRed"},
    ColorTextCase{L"0x00ABCDEF", 0xABCDEF, L"$00ABCDEF"},
    ColorTextCase{L"1193046", 0x123456, L"$00123456"},
    ColorTextCase{L"-2147483633", clBtnFace, L"clBtnFace"},   // the signed form of a system colour
    ColorTextCase{L"$8000000F", clBtnFace, L"clBtnFace"},
    ColorTextCase{L"  clBlue ", clBlue, L"clBlue"}));

TEST(Colors, BadColourTextRaises)
{
    for (const wchar_t* S : {L"", L"clPurplish", L"$", L"$GG", L"12x", L"$123456789", L"99999999999"})
        EXPECT_THROW(StringToColor(S), EConvertError) << Utf16ToUtf8(S);
}

TEST(Colors, EveryListedNameReadsBackToItself)
{
    int Count = 0;
    GetColorValues([&](const String& Name) {
        ++Count;
        TColor C;
        ASSERT_TRUE(IdentToColor(Name, C)) << Utf16ToUtf8(Name);
        String Back;
        ASSERT_TRUE(ColorToIdent(C, Back));
        EXPECT_EQ(Back, Name);
    });
    EXPECT_GE(Count, 50);   // 20 standard colours, the system colours, clNone and clDefault
}

TEST(Colors, WebColourNames)
{
    EXPECT_EQ(ColorToWebColorName(clRed), L"red");
    EXPECT_EQ(ColorToWebColorName(clNavy), L"navy");
    EXPECT_EQ(ColorToWebColorName(TColor(RGB(250, 250, 210))), L"lightgoldenrodyellow");
    EXPECT_EQ(ColorToWebColorName(TColor(RGB(1, 2, 3))), L"");
    EXPECT_EQ(ColorToWebColorName(clNone), L"");
    TColor C = 0;
    EXPECT_TRUE(WebColorNameToColor(L"CornflowerBlue", C));
    EXPECT_EQ(C, TColor(RGB(100, 149, 237)));
    EXPECT_FALSE(WebColorNameToColor(L"notacolour", C));
    EXPECT_EQ(ColorToWebColorStr(TColor(RGB(0x12, 0x34, 0x56))), L"#123456");
}

// ---- fonts, pens, brushes ---------------------------------------------------------------------

TEST(Font, DefaultsAndSizeHeightThroughPixelsPerInch)
{
    TFont F;
    EXPECT_EQ(F.GetName(), L"Tahoma");
    EXPECT_EQ(F.GetColor(), clWindowText);
    EXPECT_EQ(F.GetCharset(), DEFAULT_CHARSET);
    F.SetPixelsPerInch(96);
    F.SetSize(8);
    EXPECT_EQ(F.GetHeight(), -11);
    F.SetPixelsPerInch(120);
    F.SetSize(10);
    EXPECT_EQ(F.GetHeight(), -17);
    EXPECT_EQ(F.GetSize(), 10);
    F.SetHeight(-24);
    EXPECT_EQ(F.GetSize(), 14);   // 24 * 72 / 120 = 14.4
}

TEST(Font, OnChangeOncePerRealChange)
{
    TFont F;
    int Changes = 0;
    F.OnChange = [&](TObject* S) { EXPECT_EQ(S, &F); ++Changes; };
    F.SetName(L"Arial");
    F.SetName(L"Arial");
    F.SetStyle({fsBold});
    F.SetStyle({fsBold});
    F.SetColor(clRed);
    F.SetOrientation(900);
    EXPECT_EQ(Changes, 4);
}

TEST(Font, HandleCarriesTheProperties)
{
    TFont F;
    F.SetName(L"Arial");
    F.SetHeight(-20);
    F.SetStyle({fsBold, fsItalic});
    F.SetOrientation(900);
    LOGFONTW LF{};
    ASSERT_NE(GetObjectW(F.GetHandle(), sizeof(LF), &LF), 0);
    EXPECT_STREQ(LF.lfFaceName, L"Arial");
    EXPECT_EQ(LF.lfHeight, -20);
    EXPECT_EQ(LF.lfWeight, FW_BOLD);
    EXPECT_TRUE(LF.lfItalic);
    EXPECT_EQ(LF.lfEscapement, 900);

    // A rotated copy made from the handle, read back into another font.
    LF.lfEscapement = LF.lfOrientation = 450;
    HFONT Rot = CreateFontIndirectW(&LF);
    TFont G;
    G.SetHandle(Rot);
    DeleteObject(Rot);   // the font keeps only the properties
    EXPECT_EQ(G.GetName(), L"Arial");
    EXPECT_EQ(G.GetOrientation(), 450);
    EXPECT_EQ(G.GetStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_NE(G.GetHandle(), nullptr);
}

TEST(Font, AssignCopiesEverythingAndKeepsPointSize)
{
    TFont A, B;
    A.SetPixelsPerInch(96);
    A.SetName(L"Courier New");
    A.SetSize(12);
    A.SetStyle({fsUnderline});
    A.SetColor(clRed);
    A.SetCharset(ANSI_CHARSET);
    B.SetPixelsPerInch(192);
    B.Assign(&A);
    EXPECT_EQ(B.GetName(), L"Courier New");
    EXPECT_EQ(B.GetSize(), 12);
    EXPECT_EQ(B.GetHeight(), -32);
    EXPECT_EQ(B.GetStyle(), TFontStyles{fsUnderline});
    EXPECT_EQ(B.GetColor(), clRed);
    EXPECT_EQ(B.GetCharset(), ANSI_CHARSET);
    TPen P;
    EXPECT_THROW(B.Assign(&P), EConvertError);
}

TEST(Brush, ColourOnAClearBrushMakesItSolid)
{
    TBrush B;
    B.SetStyle(bsClear);
    B.SetColor(clRed);
    EXPECT_EQ(B.GetStyle(), bsSolid);
    TPen P;
    P.SetWidth(-1);   // refused
    EXPECT_EQ(P.GetWidth(), 1);
}

// ---- canvas -----------------------------------------------------------------------------------

class CanvasTest : public ::testing::Test {
protected:
    TDibSurface S{120, 80, clWhite};
    TCanvas* C = S.Canvas();
    void TearDown() override
    {
        if (HasFailure()) S.SavePng(SnapshotPath(L"canvas.png"));
    }
};

TEST_F(CanvasTest, FillRectUsesTheBrushInsideOnly)
{
    C->GetBrush()->SetColor(clRed);
    C->FillRect(Rect(10, 10, 30, 20));
    EXPECT_TRUE(S.AllColor(Rect(10, 10, 30, 20), clRed));
    EXPECT_EQ(S.InkCount(S.Bounds()), 20 * 10);
}

TEST_F(CanvasTest, RectanglePenBorderBrushInterior)
{
    C->GetPen()->SetColor(clBlue);
    C->GetBrush()->SetColor(clYellow);
    C->Rectangle(10, 10, 40, 30);
    EXPECT_EQ(S.Pixel(10, 10), clBlue);
    EXPECT_EQ(S.Pixel(39, 29), clBlue);
    EXPECT_EQ(S.Pixel(40, 30), clWhite);   // right and bottom edges are exclusive
    EXPECT_TRUE(S.AllColor(Rect(11, 11, 39, 29), clYellow));

    C->GetBrush()->SetStyle(bsClear);
    C->Rectangle(50, 10, 80, 30);
    EXPECT_EQ(S.Pixel(50, 20), clBlue);
    EXPECT_TRUE(S.AllColor(Rect(51, 11, 79, 29), clWhite));
}

TEST_F(CanvasTest, ChangedObjectsAreSelectedAgain)
{
    C->GetPen()->SetColor(clRed);
    C->MoveTo(0, 5);
    C->LineTo(100, 5);
    C->GetPen()->SetColor(clBlue);
    C->GetPen()->SetWidth(3);
    C->MoveTo(0, 20);
    C->LineTo(100, 20);
    EXPECT_EQ(S.Pixel(50, 5), clRed);
    EXPECT_EQ(S.Pixel(50, 19), clBlue);
    EXPECT_EQ(S.Pixel(50, 21), clBlue);
    EXPECT_EQ(C->GetPenPos(), Point(100, 20));

    C->GetBrush()->SetColor(clLime);
    C->FillRect(Rect(0, 40, 10, 50));
    C->GetBrush()->SetColor(clAqua);
    C->FillRect(Rect(10, 40, 20, 50));
    EXPECT_EQ(S.Pixel(5, 45), clLime);
    EXPECT_EQ(S.Pixel(15, 45), clAqua);
}

TEST_F(CanvasTest, AnEqualFontOrANewColourKeepsTheSelectedFont)
{
    // Assigning an equal font, or changing only the colour, leaves the GDI font selected and
    // gives the text its new colour; a different font is selected in its place.
    TFont Same, Bigger;
    Same.Assign(C->GetFont());
    Same.SetColor(clRed);
    Bigger.Assign(&Same);
    Bigger.SetHeight(-30);
    C->TextOut(0, 0, L"a");
    HDC DC = S.DC();
    HGDIOBJ Selected = GetCurrentObject(DC, OBJ_FONT);
    int Changes = 0;
    C->GetFont()->OnChange = [&, Keep = C->GetFont()->OnChange](TObject* X) { ++Changes; Keep(X); };
    C->GetFont()->Assign(&Same);
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), Selected);
    EXPECT_EQ(GetTextColor(DC), COLORREF(clRed));
    C->GetFont()->SetColor(clBlue);
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), Selected);
    EXPECT_EQ(GetTextColor(DC), COLORREF(clBlue));
    EXPECT_EQ(Changes, 2);   // the listeners still hear of both
    C->GetFont()->Assign(&Bigger);
    C->TextOut(0, 40, L"W");
    EXPECT_NE(GetCurrentObject(DC, OBJ_FONT), Selected);
    EXPECT_EQ(GetTextColor(DC), COLORREF(clRed));
    EXPECT_GT(S.InkCount(Rect(0, 40, 60, 80)), 0);
}

TEST_F(CanvasTest, AnEqualPenOrBrushKeepsTheSelectedObject)
{
    // Assigning an equal pen or solid brush leaves the GDI object selected (the listeners still
    // hear of it); an assignment that differs in any value puts a new object with it in its place.
    HDC DC = S.DC();
    C->GetPen()->SetColor(clRed);
    C->GetBrush()->SetColor(clBlue);
    C->Rectangle(TRect(2, 2, 20, 20));
    const HGDIOBJ Pen = GetCurrentObject(DC, OBJ_PEN), Brush = GetCurrentObject(DC, OBJ_BRUSH);
    int Changes = 0;
    for (TGraphicsObject* O : {static_cast<TGraphicsObject*>(C->GetPen()), static_cast<TGraphicsObject*>(C->GetBrush())})
        O->OnChange = [&, Keep = O->OnChange](TObject* X) {
            ++Changes;
            Keep(X);
        };
    TPen SamePen;
    SamePen.Assign(C->GetPen());
    TBrush SameBrush;
    SameBrush.Assign(C->GetBrush());
    C->GetPen()->Assign(&SamePen);
    C->GetBrush()->Assign(&SameBrush);
    EXPECT_EQ(Changes, 2);
    C->Rectangle(TRect(2, 2, 20, 20));
    EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), Pen);
    EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), Brush);

    struct TCase {
        std::function<void(TPen&, TBrush&)> Change;
        const char* Name;
    } const Cases[] = {
        {[](TPen& P, TBrush&) { P.SetColor(clGreen); }, "pen colour"},
        {[](TPen& P, TBrush&) { P.SetWidth(3); }, "pen width"},
        {[](TPen& P, TBrush&) { P.SetStyle(psDash); }, "pen style"},
        {[](TPen&, TBrush& B) { B.SetColor(clYellow); }, "brush colour"},
        {[](TPen&, TBrush& B) { B.SetStyle(bsCross); }, "brush style"},
    };
    for (const TCase& K : Cases) {
        TPen P;
        P.Assign(&SamePen);
        TBrush B;
        B.Assign(&SameBrush);
        K.Change(P, B);
        C->GetPen()->Assign(&P);
        C->GetBrush()->Assign(&B);
        S.Fill(clWhite);
        C->Rectangle(TRect(2, 2, 40, 40));
        EXPECT_TRUE(C->GetPen()->GetColor() == P.GetColor() && C->GetPen()->GetWidth() == P.GetWidth() &&
                    C->GetPen()->GetStyle() == P.GetStyle() && C->GetBrush()->GetColor() == B.GetColor() &&
                    C->GetBrush()->GetStyle() == B.GetStyle())
            << K.Name;
        EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), C->GetPen()->GetHandle()) << K.Name;
        EXPECT_EQ(GetCurrentObject(DC, OBJ_BRUSH), C->GetBrush()->GetHandle()) << K.Name;
        // The interior shows the assigned brush.
        const TColor Inside = S.Pixel(20, 20);
        if (B.GetStyle() == bsSolid) {
            EXPECT_EQ(Inside, ColorToRGB(B.GetColor())) << K.Name;
        }
        C->GetPen()->Assign(&SamePen);
        C->GetBrush()->Assign(&SameBrush);
    }
}

TEST_F(CanvasTest, RawSelectionsStayBalancedAndDetachRestoresTheDc)
{
    HDC DC = S.DC();
    HGDIOBJ OrigPen = GetCurrentObject(DC, OBJ_PEN), OrigFont = GetCurrentObject(DC, OBJ_FONT);
    C->GetPen()->SetColor(clRed);
    HDC H = C->GetHandle();   // everything selected
    EXPECT_EQ(GetCurrentObject(H, OBJ_PEN), C->GetPen()->GetHandle());
    EXPECT_EQ(GetCurrentObject(H, OBJ_FONT), C->GetFont()->GetHandle());

    // A caller selects a rotated font of its own and puts the canvas's back.
    LOGFONTW LF = C->GetFont()->GetLogFont();
    LF.lfEscapement = LF.lfOrientation = 900;
    HFONT Rot = CreateFontIndirectW(&LF);
    HGDIOBJ Old = SelectObject(H, Rot);
    EXPECT_EQ(Old, C->GetFont()->GetHandle());
    SelectObject(H, Old);
    DeleteObject(Rot);

    C->GetFont()->SetSize(20);   // frees the old handle: it must not be selected any more
    C->TextOut(5, 5, L"Hg");
    EXPECT_EQ(GetCurrentObject(H, OBJ_FONT), C->GetFont()->GetHandle());

    C->SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(DC, OBJ_PEN), OrigPen);
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), OrigFont);
    EXPECT_FALSE(C->HandleAllocated());
    C->SetHandle(DC);
}

TEST_F(CanvasTest, AFontChangeSelectsOnceWhenTextNeedsItAndKeepsTheOldFontValidTillThen)
{
    HDC DC = S.DC();
    const HGDIOBJ Orig = GetCurrentObject(DC, OBJ_FONT);
    C->GetFont()->SetHeight(-17);
    C->TextOut(0, 0, L"a");
    const HGDIOBJ First = GetCurrentObject(DC, OBJ_FONT);
    EXPECT_EQ(First, C->GetFont()->GetHandle());

    // Changes with no text between them leave the font in the device context, alive while many
    // other fonts are made and dropped.
    for (int I = 1; I <= 200; ++I) C->GetFont()->SetHeight(-(I % 80 + 20));
    for (int I = 0; I < 120; ++I) {
        TFont Other;
        Other.SetHeight(-(I + 120));
        Other.GetHandle();
    }
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), First);
    LOGFONTW LF{};
    ASSERT_NE(GetObjectW(First, sizeof(LF), &LF), 0);
    EXPECT_EQ(LF.lfHeight, -17);

    // Back to the font in the device context: it stays; text in another font selects that one.
    C->GetFont()->SetHeight(-17);
    C->TextOut(0, 0, L"b");
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), First);
    C->GetFont()->SetHeight(-40);
    C->TextOut(0, 20, L"W");
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), C->GetFont()->GetHandle());
    EXPECT_GT(S.InkCount(Rect(0, 40, 60, 60)), 0);   // only the tall W reaches this low

    // A font selected behind the canvas's back is replaced by the canvas's own on its next text.
    LF = C->GetFont()->GetLogFont();
    LF.lfEscapement = LF.lfOrientation = 900;
    HFONT Rot = CreateFontIndirectW(&LF);
    SelectObject(DC, Rot);
    C->GetFont()->SetHeight(-17);
    C->GetFont()->SetHeight(-40);
    C->TextOut(0, 0, L"c");
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), C->GetFont()->GetHandle());
    DeleteObject(Rot);

    C->SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), Orig);
    C->SetHandle(DC);
}

TEST_F(CanvasTest, TextInkStaysInItsBoxAndGrowsWithTheFont)
{
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    TSize Small = C->TextExtent(L"Hg");
    C->TextOut(10, 10, L"Hg");
    TRect Box = Bounds(10, 10, Small.cx, Small.cy);
    EXPECT_GT(S.InkCount(Box), 10);
    EXPECT_EQ(S.InkCount(S.Bounds()), S.InkCount(Box));
    EXPECT_EQ(C->GetPenPos(), Point(10 + Small.cx, 10));

    C->GetFont()->SetHeight(-30);
    TSize Big = C->TextExtent(L"Hg");
    EXPECT_GT(Big.cy, Small.cy * 2);
    EXPECT_EQ(C->TextWidth(L"Hg"), Big.cx);
    EXPECT_EQ(C->TextHeight(L"Hg"), Big.cy);
    C->TextOut(50, 10, L"Hg");
    TRect Ink = S.InkBounds(Rect(45, 0, 120, 80));
    EXPECT_GT(Ink.Height(), 15);
}

TEST_F(CanvasTest, SolidBrushFillsBehindTextClearBrushDoesNot)
{
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetColor(clYellow);
    C->TextOut(5, 5, L"ii");
    TSize E = C->TextExtent(L"ii");
    EXPECT_GT(S.CountColor(Bounds(5, 5, E.cx, E.cy), clYellow), 0);

    C->GetBrush()->SetStyle(bsClear);
    C->TextOut(5, 40, L"ii");
    EXPECT_EQ(S.CountColor(Bounds(5, 40, E.cx, E.cy), clYellow), 0);
}

TEST_F(CanvasTest, TextRectClipsAndCalculates)
{
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetColor(clWhite);
    TRect Clip = Rect(10, 10, 30, 20);
    C->TextRect(Clip, 10, 10, L"WWWWWWWWWWWWWWWW");
    EXPECT_GT(S.InkCount(Clip), 0);
    EXPECT_EQ(S.InkCount(S.Bounds()), S.InkCount(Clip));

    TRect R = Rect(0, 0, 1000, 0);
    String T = L"Hg";
    C->TextRect(R, T, {tfCalcRect, tfSingleLine});
    EXPECT_EQ(R.Width(), C->TextWidth(L"Hg"));
    EXPECT_EQ(R.Height(), C->TextHeight(L"Hg"));
    EXPECT_EQ(S.InkCount(Rect(0, 30, 120, 80)), 0);   // measuring draws nothing

    TRect Narrow = Rect(0, 40, C->TextWidth(L"WWW"), 60);
    String Long = L"WWWWWWWWWW";
    C->TextRect(Narrow, Long, {tfEndEllipsis, tfModifyString, tfSingleLine});
    EXPECT_NE(Long.find(L"..."), String::npos);
    EXPECT_LT(Long.size(), 10u);
}

TEST_F(CanvasTest, TextRectCentresInTheRectangle)
{
    C->GetFont()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    C->TextRect(Rect(0, 0, 120, 80), L"X", {tfCenter, tfVerticalCenter, tfSingleLine});
    TRect Ink = S.InkBounds(S.Bounds());
    ASSERT_FALSE(Ink.IsEmpty());
    EXPECT_NEAR((Ink.Left + Ink.Right) / 2.0, 60, 3);
    EXPECT_NEAR((Ink.Top + Ink.Bottom) / 2.0, 40, 4);
}

TEST_F(CanvasTest, ShapesFillWhereExpected)
{
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetColor(clRed);
    C->Polygon({Point(10, 10), Point(50, 10), Point(10, 50)});
    EXPECT_EQ(S.Pixel(20, 20), clRed);
    EXPECT_EQ(S.Pixel(45, 45), clWhite);

    C->GetBrush()->SetColor(clBlue);
    C->Ellipse(60, 10, 100, 50);
    EXPECT_EQ(S.Pixel(80, 30), clBlue);
    EXPECT_EQ(S.Pixel(61, 11), clWhite);   // a corner of the bounding box

    C->GetBrush()->SetColor(clLime);
    C->RoundRect(10, 55, 50, 78, 10, 10);
    EXPECT_EQ(S.Pixel(30, 66), clLime);
    EXPECT_EQ(S.Pixel(10, 55), clWhite);   // the rounded corner

    // A quarter pie: right half-axis to the top half-axis, counter-clockwise.
    C->GetBrush()->SetColor(clFuchsia);
    C->Pie(60, 40, 100, 80, 100, 60, 80, 40);
    EXPECT_EQ(S.Pixel(88, 52), clFuchsia);
    EXPECT_EQ(S.Pixel(72, 68), clWhite);
}

TEST_F(CanvasTest, FloodFillSurfaceAndBorder)
{
    C->GetPen()->SetColor(clBlack);
    C->GetBrush()->SetStyle(bsClear);
    C->Rectangle(10, 10, 50, 50);
    C->GetBrush()->SetColor(clRed);
    C->FloodFill(30, 30, clWhite, fsSurface);
    EXPECT_EQ(S.Pixel(30, 30), clRed);
    EXPECT_EQ(S.Pixel(10, 30), clBlack);
    EXPECT_EQ(S.Pixel(60, 30), clWhite);

    C->GetBrush()->SetColor(clBlue);
    C->FloodFill(30, 30, clBlack, fsBorder);
    EXPECT_EQ(S.Pixel(30, 30), clBlue);
    EXPECT_EQ(S.Pixel(60, 30), clWhite);
}

TEST_F(CanvasTest, PixelsReadAndWrite)
{
    C->SetPixels(3, 4, clRed);
    C->SetPixels(5, 6, clBtnFace);
    EXPECT_EQ(S.Pixel(3, 4), clRed);
    EXPECT_EQ(C->GetPixels(3, 4), clRed);
    EXPECT_EQ(C->GetPixels(5, 6), ColorToRGB(clBtnFace));
    EXPECT_EQ(S.InkCount(S.Bounds()), ColorToRGB(clBtnFace) == clWhite ? 1 : 2);
}

TEST_F(CanvasTest, XorPenAndFocusRectUndoThemselves)
{
    C->GetBrush()->SetColor(clYellow);
    C->FillRect(Rect(0, 0, 60, 80));
    TDibSurface Before(S.Width(), S.Height());
    BitBlt(Before.DC(), 0, 0, S.Width(), S.Height(), S.DC(), 0, 0, SRCCOPY);

    C->GetPen()->SetMode(pmXor);
    C->GetPen()->SetColor(clWhite);
    C->MoveTo(30, 0);
    C->LineTo(30, 80);
    EXPECT_GT(S.DiffCount(Before), 0);
    C->MoveTo(30, 0);
    C->LineTo(30, 80);
    EXPECT_EQ(S.DiffCount(Before), 0);

    C->DrawFocusRect(Rect(10, 10, 100, 70));
    EXPECT_GT(S.DiffCount(Before), 0);
    C->DrawFocusRect(Rect(10, 10, 100, 70));
    EXPECT_EQ(S.DiffCount(Before), 0);
}

TEST_F(CanvasTest, ClipRectIsTheDcClipBox)
{
    EXPECT_EQ(C->GetClipRect(), Rect(0, 0, 120, 80));
    IntersectClipRect(C->GetHandle(), 10, 20, 30, 40);
    EXPECT_EQ(C->GetClipRect(), Rect(10, 20, 30, 40));
    C->GetBrush()->SetColor(clRed);
    C->FillRect(Rect(0, 0, 120, 80));
    EXPECT_EQ(S.InkCount(S.Bounds()), 20 * 20);
    SelectClipRgn(C->GetHandle(), nullptr);
}

TEST_F(CanvasTest, CopyRectStretchesWithTheCopyMode)
{
    TDibSurface Src(4, 4, clBlue);
    Src.Canvas()->SetPixels(0, 0, clRed);
    C->CopyRect(Rect(0, 0, 40, 40), Src.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_TRUE(S.AllColor(Rect(0, 0, 10, 10), clRed));
    EXPECT_TRUE(S.AllColor(Rect(10, 0, 40, 10), clBlue));

    C->SetCopyMode(cmNotSrcCopy);
    C->CopyRect(Rect(50, 0, 54, 4), Src.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(S.Pixel(50, 0), TColor(0xFFFF00));   // not red
    EXPECT_EQ(S.Pixel(51, 0), TColor(0x00FFFF));   // not blue
}

TEST_F(CanvasTest, DrawsBitmapsPlainStretchedAndTransparent)
{
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(10, 10);
    B.GetCanvas()->GetBrush()->SetColor(clRed);
    B.GetCanvas()->FillRect(Rect(0, 0, 10, 10));
    B.GetCanvas()->GetBrush()->SetColor(clBlue);
    B.GetCanvas()->FillRect(Rect(3, 3, 7, 7));

    C->Draw(0, 0, &B);
    EXPECT_EQ(S.Pixel(0, 0), clRed);
    EXPECT_EQ(S.Pixel(5, 5), clBlue);

    C->StretchDraw(Rect(20, 0, 40, 20), &B);
    EXPECT_EQ(S.Pixel(20, 0), clRed);
    EXPECT_TRUE(S.AllColor(Rect(26, 6, 34, 14), clBlue));

    B.SetTransparent(true);   // automatic: the bottom-left pixel's red
    EXPECT_EQ(B.GetTransparentColor(), clRed);
    C->Draw(50, 0, &B);
    EXPECT_EQ(S.Pixel(50, 0), clWhite);
    EXPECT_EQ(S.Pixel(55, 5), clBlue);

    C->Draw(0, 0, nullptr);   // nothing to draw is no error
}

TEST_F(CanvasTest, BrushCopyReplacesTheColourWithTheBrush)
{
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(4, 4);
    B.GetCanvas()->GetBrush()->SetColor(clRed);
    B.GetCanvas()->FillRect(Rect(0, 0, 4, 2));   // the lower half stays white
    C->GetBrush()->SetColor(clLime);
    C->BrushCopy(Rect(0, 0, 4, 4), &B, Rect(0, 0, 4, 4), clWhite);
    EXPECT_TRUE(S.AllColor(Rect(0, 0, 4, 2), clRed));
    EXPECT_TRUE(S.AllColor(Rect(0, 2, 4, 4), clLime));
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 3), clWhite);   // the source stays as it was
}

TEST_F(CanvasTest, OnChangeAroundEveryDrawing)
{
    int Changing = 0, Changed = 0;
    C->OnChanging = [&](TObject*) { ++Changing; };
    C->OnChange = [&](TObject*) { ++Changed; };
    C->FillRect(Rect(0, 0, 1, 1));
    C->TextOut(0, 0, L"a");
    C->LineTo(3, 3);
    EXPECT_EQ(Changing, 3);
    EXPECT_EQ(Changed, 3);
}

TEST(Canvas, WithoutADeviceContextDrawingRaises)
{
    TCanvas C;
    EXPECT_THROW(C.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
    EXPECT_THROW(C.GetHandle(), EInvalidOperation);
}

TEST(Canvas, LockCountsNestedLocks)
{
    TCanvas C;
    C.Lock();
    C.Lock();
    EXPECT_EQ(C.GetLockCount(), 2);
    EXPECT_TRUE(C.TryLock());   // same thread
    C.Unlock();
    C.Unlock();
    C.Unlock();
    EXPECT_EQ(C.GetLockCount(), 0);
    C.Unlock();   // an extra unlock is ignored
    EXPECT_EQ(C.GetLockCount(), 0);
}

TEST(Canvas, MeasuresOnAScreenCompatibleMemoryDc)
{
    HDC DC = CreateCompatibleDC(nullptr);
    {
        TCanvas C;
        C.SetHandle(DC);
        EXPECT_GT(C.TextWidth(L"gh"), 0);
        EXPECT_GT(C.TextHeight(L"hg"), 0);
        C.SetHandle(nullptr);
    }
    DeleteDC(DC);
}

TEST(Font, EqualFontsShareAHandleAndChangesStayApart)
{
    TFont A, B;
    A.SetName(L"Arial");
    B.SetName(L"Arial");
    HFONT H = A.GetHandle();
    EXPECT_EQ(B.GetHandle(), H);
    A.SetSize(30);
    EXPECT_NE(A.GetHandle(), H);
    LOGFONTW LF{};
    ASSERT_NE(GetObjectW(B.GetHandle(), sizeof(LF), &LF), 0);   // B's handle lives on
    EXPECT_EQ(LF.lfHeight, B.GetHeight());
    // Many different fonts made and dropped in turn: drawing keeps working.
    TDibSurface S(60, 30);
    for (int I = 1; I <= 300; ++I) {
        S.Canvas()->GetFont()->SetHeight(-(I % 90 + 6));
        S.Canvas()->TextOut(0, 0, L"x");
    }
    EXPECT_GT(S.InkCount(S.Bounds()), 0);
}

TEST(Surface, PaintsAWindowIntoMemory)
{
    HWND W = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | SS_BLACKRECT, 0, 0, 30, 20, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(W, nullptr);
    TDibSurface S(40, 30, clWhite);
    PaintWindowInto(W, S);
    DestroyWindow(W);
    // The control fills its rectangle with one dark system colour; the rest stays as it was.
    TColor Fill = S.Pixel(0, 0);
    EXPECT_NE(Fill, clWhite);
    EXPECT_TRUE(S.AllColor(Rect(0, 0, 30, 20), Fill));
    EXPECT_EQ(S.InkCount(S.Bounds()), 30 * 20);
    EXPECT_TRUE(S.SavePng(SnapshotPath(L"surface.png")));
    TPicture P;
    P.LoadFromFile(SnapshotPath(L"surface.png"));
    EXPECT_EQ(P.GetWidth(), 40);
    DeleteFileW(SnapshotPath(L"surface.png").c_str());
}
