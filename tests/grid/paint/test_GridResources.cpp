// The grid's own bitmaps, icons and cursors, as the painters and the cursor handling load them
// from the executable: stored size and colour depth, the transparent colour in the corners (the
// painters' brush copy takes the top-left pixel, the framework's automatic transparency the
// bottom-left one: both must drop the same pixels), ink kept inside the area the painter gives the
// glyph, the pixels that tell the states apart, and the cursors' hot spots. A contact sheet of
// every one, on a cell, a button-face and a selection background, goes to the snapshots.
#include "framework/SysUtils.h"
#include "graphics/QorUtil.h"
#include "support/Pixels.h"
#include "support/ResourceImages.h"

#include <memory>
#include <vector>

namespace {

// What a pixel shows once the resource is drawn over the test background (magenta).
enum class TInk { Clear, Dark, Light, Grey, Red, Yellow, Blue, Green };

const TColor Backdrop = TColor(0xFF00FF);
const TColor Olive = TColor(0x008080);   // the transparent colour of the grid's bitmaps

bool Matches(TColor C, TInk Ink)
{
    const int R = GetRValue(C), G = GetGValue(C), B = GetBValue(C);
    const double Lum = 0.3 * R + 0.59 * G + 0.11 * B;
    switch (Ink) {
    case TInk::Clear: return C == Backdrop;
    case TInk::Dark: return C != Backdrop && Lum < 100;
    case TInk::Light: return C != Backdrop && Lum > 200;
    case TInk::Grey: return C != Backdrop && Lum >= 100 && Lum <= 200;
    case TInk::Red: return R > 130 && G < 80 && B < 80;
    case TInk::Yellow: return R > 200 && G > 180 && B < 120;
    case TInk::Blue: return B > R + 60 && B > G + 30;
    case TInk::Green: return G > R + 60 && G > B + 60;
    }
    return false;
}

const char* InkName(TInk Ink)
{
    static const char* Names[] = {"clear", "dark", "light", "grey", "red", "yellow", "blue", "green"};
    return Names[int(Ink)];
}

enum class TKind { Bitmap, OpaqueBitmap, Icon, Cursor };

struct TPixelCheck {
    int X, Y;
    TInk Ink;
};

// Every one of them is square.
struct TResourceCase {
    TKind Kind;
    LPCWSTR Name;
    int Size, Bits;
    TRect InkWithin;   // every drawn pixel lies inside (empty: anywhere in the image)
    std::vector<TPixelCheck> Pixels;
    TPoint HotSpot = {-1, -1};   // cursors
};

LPCWSTR Id(int N) { return MAKEINTRESOURCEW(N); }

std::string Label(const TResourceCase& C)
{
    return IS_INTRESOURCE(C.Name) ? std::to_string(ULONG_PTR(C.Name)) : Utf16ToUtf8(C.Name);
}

// Draws the resource at (X, Y) the way its users draw it, over the background Bk.
void DrawResource(const TResourceCase& C, TDibSurface& S, int X, int Y, TColor Bk)
{
    HINSTANCE Module = GetModuleHandleW(nullptr);
    switch (C.Kind) {
    case TKind::Bitmap:
        QorUtil::DrawBitmapResourceTransp(S.Canvas(), Bk, TRect{X, Y, X + C.Size, Y + C.Size}, C.Name);
        break;
    case TKind::OpaqueBitmap: {
        std::unique_ptr<TBitmap> B(Create<TBitmap>());
        B->LoadFromResourceName(Module, C.Name);
        S.Canvas()->Draw(X, Y, B.get());
        break;
    }
    case TKind::Icon: {
        HICON Icon = HICON(LoadImageW(Module, C.Name, IMAGE_ICON, 16, 16, 0));
        DrawIconEx(S.DC(), X, Y, Icon, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(Icon);
        break;
    }
    case TKind::Cursor:
        DrawIconEx(S.DC(), X, Y, LoadCursorW(Module, C.Name), 0, 0, 0, nullptr, DI_NORMAL);
        break;
    }
    GdiFlush();
}

std::vector<TResourceCase> Cases()
{
    using enum TInk;
    const TKind B = TKind::Bitmap, O = TKind::OpaqueBitmap, I = TKind::Icon, C = TKind::Cursor;
    // Check boxes: the vendor style's 20-pixel glyphs and the XP style's 16-pixel ones keep their
    // box inside the check size the widget has (16 and 15 pixels); a mark in the middle only
    // when checked, grey when disabled.
    const TRect Vendor{1, 1, 15, 15}, Xp{1, 1, 14, 14};
    return {
        {B, L"JYRCHK01", 20, 24, Vendor, {{7, 8, Blue}, {2, 2, Light}, {1, 7, Blue}}},
        {B, L"JYRCHK02", 20, 24, Vendor, {{7, 8, Light}, {1, 7, Blue}}},
        {B, L"JYRCHK03", 20, 24, Vendor, {{7, 8, Grey}, {1, 7, Grey}}},
        {B, L"JYRCHK04", 20, 24, Vendor, {{7, 8, Light}, {1, 7, Grey}}},
        {B, L"JYRCHK05", 16, 24, Xp, {{6, 8, Green}, {1, 1, Blue}}},
        {B, L"JYRCHK06", 16, 24, Xp, {{6, 8, Light}, {1, 1, Blue}}},
        {B, L"JYRCHK07", 16, 24, Xp, {{6, 8, Grey}, {1, 1, Grey}}},
        {B, L"JYRCHK08", 16, 24, Xp, {{6, 8, Light}, {1, 1, Grey}}},
        // Radio buttons: round (clear in the box's corners), the dot on the middle pixel.
        {B, L"JYRRAD01", 16, 24, Xp, {{7, 7, Blue}, {1, 1, Clear}, {1, 7, Blue}}},
        {B, L"JYRRAD02", 16, 24, Xp, {{7, 7, Light}, {1, 1, Clear}}},
        {B, L"JYRRAD03", 16, 24, Xp, {{7, 7, Grey}, {1, 1, Clear}}},
        {B, L"JYRRAD04", 16, 24, Xp, {{7, 7, Light}, {1, 1, Clear}}},
        {B, L"JYRRAD05", 16, 24, Xp, {{7, 7, Green}, {1, 1, Clear}, {1, 7, Blue}}},
        {B, L"JYRRAD06", 16, 24, Xp, {{7, 7, Light}, {1, 1, Clear}}},
        {B, L"JYRRAD07", 16, 24, Xp, {{7, 7, Grey}, {1, 1, Clear}}},
        {B, L"JYRRAD08", 16, 24, Xp, {{7, 7, Light}, {1, 1, Clear}}},
        {B, L"METROCHECKON", 16, 24, Xp, {{6, 8, Dark}, {1, 1, Dark}}},
        {B, L"METROCHECKOFF", 16, 24, Xp, {{6, 8, Light}, {1, 1, Dark}}},
        {B, L"METRORADIOON", 16, 24, Xp, {{7, 7, Dark}, {1, 1, Clear}}},
        {B, L"METRORADIOOFF", 16, 24, Xp, {{7, 7, Light}, {1, 1, Clear}}},
        // Leaf nodes: the painter centres the glyph as 12 pixels high, so the ink stays in the top
        // 12 rows; expanded is a filled triangle pointing down, collapsed a hollow one pointing
        // right.
        {B, L"JYRLEAFOPEN", 16, 24, {0, 0, 16, 12}, {{7, 4, Dark}, {3, 3, Dark}, {3, 7, Clear}}},
        {B, L"JYRLEAFCLOSE", 16, 24, {0, 0, 16, 12}, {{5, 5, Dark}, {9, 5, Dark}, {7, 5, Clear}}},
        // XP nodes are drawn as they stand: a framed box with a minus, and a plus when collapsed.
        {O, L"XPNODEO", 9, 24, {}, {{4, 4, Dark}, {4, 2, Light}, {0, 4, Grey}}},
        {O, L"XPNODEC", 9, 24, {}, {{4, 4, Dark}, {4, 2, Dark}, {0, 4, Grey}}},
        // The header's filter funnel: a dark rim, a light inside, the spout's end.
        {B, L"JYRFILT", 16, 24, {}, {{8, 3, Dark}, {8, 4, Light}, {8, 12, Dark}, {8, 14, Clear}}},
        // Wheel-pan focus points, 16 colours: a disc with a dot and arrows the ways the pan goes.
        {B, L"INTLI1", 26, 4, {},
         {{13, 13, Dark}, {13, 5, Dark}, {13, 20, Dark}, {5, 13, Dark}, {20, 13, Dark}, {0, 25, Clear}}},
        {B, L"INTLI2", 26, 4, {}, {{13, 13, Dark}, {13, 5, Light}, {5, 13, Dark}, {20, 13, Dark}}},
        {B, L"INTLI3", 26, 4, {}, {{13, 13, Dark}, {13, 5, Dark}, {13, 20, Dark}, {5, 13, Light}}},
        // Search panel buttons: arrows with the head at the bottom (next) or the top (previous).
        {B, L"JYRARDOWN", 16, 24, {}, {{3, 8, Blue}, {7, 13, Blue}, {3, 4, Clear}}},
        {B, L"JYRARDOWND", 16, 24, {}, {{3, 8, Grey}, {7, 13, Grey}, {3, 4, Clear}}},
        {B, L"JYRARUP", 16, 24, {}, {{3, 7, Blue}, {7, 2, Blue}, {3, 11, Clear}}},
        {B, L"JYRARUPD", 16, 24, {}, {{3, 7, Grey}, {7, 2, Grey}, {3, 11, Clear}}},
        {B, L"JYRCLOSE", 10, 24, {}, {{1, 1, Dark}, {4, 4, Dark}, {4, 1, Clear}}},
        {B, L"JYRCLOSEH", 10, 24, {}, {{4, 4, Light}, {4, 1, Red}}},
        {B, L"JYRCLOSED", 10, 24, {}, {{4, 4, Light}, {4, 1, Red}}},
        {B, L"JYRHI", 16, 24, {}, {{1, 3, Yellow}, {3, 5, Blue}, {1, 13, Clear}}},
        {B, L"JYRHID", 16, 24, {}, {{1, 3, Light}, {3, 5, Grey}, {1, 13, Clear}}},
        // The nine filter-type icons, 32 bits with a mask: the searched letter on a yellow band
        // at the start, the end or inside a grey line of text, the operators, a red stroke for
        // "not".
        {I, L"JOQGRDSTARTSWITH", 16, 32, {},
         {{0, 3, Yellow}, {3, 7, Blue}, {12, 8, Grey}, {12, 3, Clear}}},
        {I, L"JOQGRDENDSWITH", 16, 32, {},
         {{15, 3, Yellow}, {12, 7, Blue}, {3, 8, Grey}, {3, 3, Clear}}},
        {I, L"JOQGRDCONTAINS", 16, 32, {},
         {{4, 3, Yellow}, {7, 7, Blue}, {1, 8, Grey}, {14, 8, Grey}, {1, 3, Clear}}},
        {I, L"JOQGRDNOTCONTAINS", 16, 32, {}, {{4, 3, Yellow}, {1, 8, Grey}, {7, 8, Red}}},
        {I, L"JOQGRDEQUAL", 16, 32, {}, {{3, 4, Blue}, {3, 10, Blue}, {3, 7, Clear}, {8, 7, Clear}}},
        {I, L"JOQGRDNOTEQUAL", 16, 32, {}, {{3, 4, Blue}, {3, 10, Blue}, {7, 8, Red}}},
        {I, L"JOQGRDLARGER", 16, 32, {}, {{4, 3, Blue}, {11, 8, Blue}, {11, 3, Clear}}},
        {I, L"JOQGRDSMALLER", 16, 32, {}, {{11, 3, Blue}, {4, 8, Blue}, {4, 3, Clear}}},
        {I, L"JOQGRDCLEAR", 16, 32, {}, {{6, 1, Dark}, {6, 2, Light}, {12, 12, Red}, {15, 0, Clear}}},
        // Cursors, 32 x 32 monochrome: black ink in a white outline, the hot spot on the arrow's
        // tip (the pixel beyond it clear) or in the middle of the pan and selector marks.
        {C, Id(8010), 32, 1, {},
         {{16, 10, Dark}, {17, 10, Light}, {18, 10, Clear}, {3, 10, Dark}}, {16, 10}},
        {C, Id(8011), 32, 1, {},
         {{10, 16, Dark}, {10, 17, Light}, {10, 18, Clear}, {10, 3, Dark}}, {10, 16}},
        {C, Id(8012), 32, 1, {},
         {{15, 15, Dark}, {16, 16, Light}, {17, 17, Clear}, {4, 4, Dark}}, {15, 15}},
        {C, Id(8014), 32, 1, {},
         {{15, 15, Clear}, {12, 15, Dark}, {15, 4, Dark}, {26, 15, Dark}}, {15, 15}},
        {C, Id(8000), 32, 1, {},
         {{16, 16, Dark}, {16, 5, Dark}, {16, 27, Dark}, {5, 16, Dark}, {27, 16, Dark}}, {16, 16}},
        {C, Id(8001), 32, 1, {}, {{16, 16, Dark}, {16, 28, Dark}, {16, 4, Clear}}, {16, 16}},
        {C, Id(8002), 32, 1, {}, {{16, 16, Dark}, {4, 16, Dark}, {28, 16, Clear}}, {16, 16}},
        {C, Id(8003), 32, 1, {}, {{16, 16, Dark}, {28, 16, Dark}, {4, 16, Clear}}, {16, 16}},
        {C, Id(8004), 32, 1, {}, {{16, 16, Dark}, {16, 4, Dark}, {16, 28, Clear}}, {16, 16}},
        {C, Id(8005), 32, 1, {},
         {{16, 16, Dark}, {26, 6, Dark}, {6, 6, Clear}, {26, 26, Clear}}, {16, 16}},
        {C, Id(8006), 32, 1, {},
         {{16, 16, Dark}, {6, 6, Dark}, {26, 6, Clear}, {6, 26, Clear}}, {16, 16}},
        {C, Id(8007), 32, 1, {},
         {{16, 16, Dark}, {26, 26, Dark}, {6, 26, Clear}, {26, 6, Clear}}, {16, 16}},
        {C, Id(8008), 32, 1, {},
         {{16, 16, Dark}, {6, 26, Dark}, {26, 26, Clear}, {6, 6, Clear}}, {16, 16}},
    };
}

}  // namespace

TEST(GridResources, EachGlyphIconAndCursorLoadsWithItsSizeDepthStatesAndHotSpot)
{
    HINSTANCE Module = GetModuleHandleW(nullptr);
    TContactSheet Sheet(4, 6);
    for (const TResourceCase& C : Cases()) {
        SCOPED_TRACE(Label(C));
        const bool IsBitmap = C.Kind == TKind::Bitmap || C.Kind == TKind::OpaqueBitmap;
        const LPCWSTR Type = IsBitmap                  ? RT_BITMAP
                             : C.Kind == TKind::Icon ? RT_GROUP_ICON
                                                     : RT_GROUP_CURSOR;
        EXPECT_EQ(ResourceBitCount(C.Name, Type), C.Bits);

        if (IsBitmap) {
            std::unique_ptr<TBitmap> B(Create<TBitmap>());
            B->LoadFromResourceName(Module, C.Name);
            EXPECT_EQ(B->GetWidth(), C.Size);
            EXPECT_EQ(B->GetHeight(), C.Size);
            if (C.Kind == TKind::Bitmap) {
                // The painters' key (top-left) and the framework's automatic one (bottom-left).
                EXPECT_EQ(B->GetCanvas()->GetPixels(0, 0), Olive);
                EXPECT_EQ(B->GetTransparentColor(), Olive);
                // Drawn transparent by the framework, it shows the same pixels as the painters'
                // brush copy.
                TDibSurface ByCopy(C.Size, C.Size, Backdrop), ByFramework(C.Size, C.Size, Backdrop);
                DrawResource(C, ByCopy, 0, 0, Backdrop);
                B->SetTransparent(true);
                ByFramework.Canvas()->Draw(0, 0, B.get());
                EXPECT_EQ(ByCopy.DiffCount(ByFramework), 0);
            }
        } else if (C.Kind == TKind::Icon) {
            HICON Icon = HICON(LoadImageW(Module, C.Name, IMAGE_ICON, 16, 16, 0));
            ASSERT_NE(Icon, nullptr);
            DestroyIcon(Icon);
        } else {
            HCURSOR Cursor = LoadCursorW(Module, C.Name);
            ASSERT_NE(Cursor, nullptr);
            const TPoint Hot = CursorHotSpot(Cursor);
            EXPECT_EQ(Hot.X, C.HotSpot.X);
            EXPECT_EQ(Hot.Y, C.HotSpot.Y);
        }

        TDibSurface S(C.Size, C.Size, Backdrop);
        DrawResource(C, S, 0, 0, Backdrop);
        const TRect Ink = S.InkBounds(S.Bounds(), Backdrop);
        const TRect Within = C.InkWithin.IsEmpty() ? S.Bounds() : C.InkWithin;
        EXPECT_FALSE(Ink.IsEmpty());
        EXPECT_TRUE(Ink.Left >= Within.Left && Ink.Top >= Within.Top && Ink.Right <= Within.Right &&
                    Ink.Bottom <= Within.Bottom)
            << "ink " << Ink.Left << "," << Ink.Top << "-" << Ink.Right << "," << Ink.Bottom;
        if (C.Kind != TKind::OpaqueBitmap) {
            EXPECT_EQ(S.Pixel(0, 0), Backdrop);
            EXPECT_EQ(S.Pixel(0, C.Size - 1), Backdrop);
        }
        for (const TPixelCheck& P : C.Pixels)
            EXPECT_TRUE(Matches(S.Pixel(P.X, P.Y), P.Ink))
                << "(" << P.X << ", " << P.Y << ") should be " << InkName(P.Ink) << ", is 0x" << std::hex
                << S.Pixel(P.X, P.Y);

        Sheet.AddOnBackgrounds(C.Size, C.Size, [&](TDibSurface& Row, int X, int Y, TColor Back) {
            DrawResource(C, Row, X, Y, Back);
        });
    }
    EXPECT_TRUE(Sheet.Save(L"GridResources.png"));
}
