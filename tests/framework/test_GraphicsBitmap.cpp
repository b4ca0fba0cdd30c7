// Bitmaps: size and content, pixel formats, BMP streams in and out, damaged data, transparency,
// handles and resources.
#include "framework/Graphics.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

// A bitmap of the format with a pattern every format can hold: white, a black block, and a black
// diagonal.
std::unique_ptr<TBitmap> Pattern(TPixelFormat PF, int W = 13, int H = 7)
{
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(PF);
    B->SetSize(W, H);
    TCanvas* C = B->GetCanvas();
    C->GetBrush()->SetColor(clBlack);
    C->FillRect(Rect(1, 1, 4, 3));
    for (int I = 0; I < std::min(W, H); ++I) C->SetPixels(I + 5, I, clBlack);
    return B;
}

void ExpectSamePixels(TBitmap* A, TBitmap* B)
{
    ASSERT_EQ(A->GetWidth(), B->GetWidth());
    ASSERT_EQ(A->GetHeight(), B->GetHeight());
    for (int Y = 0; Y < A->GetHeight(); ++Y)
        for (int X = 0; X < A->GetWidth(); ++X)
            ASSERT_EQ(A->GetCanvas()->GetPixels(X, Y), B->GetCanvas()->GetPixels(X, Y)) << X << "," << Y;
}

TBytes ToBytes(TMemoryStream& S)
{
    const Byte* P = static_cast<const Byte*>(S.GetMemory());
    return TBytes(P, P + S.GetSize());
}

void Put16(TBytes& B, unsigned V) { B.push_back(Byte(V)); B.push_back(Byte(V >> 8)); }
void Put32(TBytes& B, uint32_t V) { for (int I = 0; I < 4; ++I) B.push_back(Byte(V >> (8 * I))); }

// A BMP file: the headers, an optional colour table or masks, then the pixel bytes as given.
TBytes MakeBmp(int W, int H, int Bpp, uint32_t Compression, const TBytes& Extra, const TBytes& Pixels,
               uint32_t ClrUsed = 0)
{
    TBytes B;
    uint32_t Off = 14 + 40 + uint32_t(Extra.size());
    B.push_back('B');
    B.push_back('M');
    Put32(B, Off + uint32_t(Pixels.size()));
    Put32(B, 0);
    Put32(B, Off);
    Put32(B, 40);
    Put32(B, uint32_t(W));
    Put32(B, uint32_t(H));
    Put16(B, 1);
    Put16(B, unsigned(Bpp));
    Put32(B, Compression);
    Put32(B, uint32_t(Pixels.size()));
    Put32(B, 0);
    Put32(B, 0);
    Put32(B, ClrUsed);
    Put32(B, 0);
    B.insert(B.end(), Extra.begin(), Extra.end());
    B.insert(B.end(), Pixels.begin(), Pixels.end());
    return B;
}

void Load(TBitmap& B, const TBytes& Data)
{
    B.LoadFromBytes(Data.data(), Data.size());
}

}  // namespace

TEST(Bitmap, NewAndResizedAreasAreWhiteAndContentIsKept)
{
    TBitmap B;
    EXPECT_TRUE(B.GetEmpty());
    B.SetSize(10, 10);
    EXPECT_FALSE(B.GetEmpty());
    EXPECT_EQ(B.GetCanvas()->GetPixels(9, 9), clWhite);
    B.GetCanvas()->SetPixels(2, 3, clRed);
    B.SetWidth(20);
    B.SetHeight(15);
    EXPECT_EQ(B.GetCanvas()->GetPixels(2, 3), clRed);
    EXPECT_EQ(B.GetCanvas()->GetPixels(19, 14), clWhite);
    B.SetSize(3, 4);
    EXPECT_EQ(B.GetCanvas()->GetPixels(2, 3), clRed);
    B.SetSize(0, 4);
    EXPECT_TRUE(B.GetEmpty());
    EXPECT_EQ(B.GetHandle(), nullptr);
}

TEST(Bitmap, ScanLineRowZeroIsTheTopRow)
{
    TBitmap B;
    B.SetPixelFormat(pf24bit);
    B.SetSize(5, 3);
    B.GetCanvas()->SetPixels(0, 0, clBlue);
    auto* Row = static_cast<Byte*>(B.ScanLine(0));
    EXPECT_EQ(Row[0], 255);   // blue first
    EXPECT_EQ(Row[2], 0);
    EXPECT_EQ(B.BytesPerScanline(), 16);
    static_cast<Byte*>(B.ScanLine(2))[2] = 255;   // bottom-left red
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 2), TColor(0xFFFFFF));   // red over the white's red
    std::memset(B.ScanLine(2), 0, 3);
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 2), clBlack);
    EXPECT_THROW(B.ScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(B.ScanLine(-1), EInvalidGraphicOperation);
}

class BitmapFormat : public ::testing::TestWithParam<TPixelFormat> {};

TEST_P(BitmapFormat, StreamsRoundTripWithFormatAndPixels)
{
    auto A = Pattern(GetParam());
    TMemoryStream S;
    A->SaveToStream(&S);
    EXPECT_EQ(static_cast<const char*>(S.GetMemory())[0], 'B');
    S.SetPosition(0);
    TBitmap B;
    B.LoadFromStream(&S);
    EXPECT_EQ(B.GetPixelFormat(), A->GetPixelFormat() == pfDevice ? pf32bit : A->GetPixelFormat());
    ExpectSamePixels(A.get(), &B);
    EXPECT_EQ(B.GetCanvas()->GetPixels(2, 2), clBlack);
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 0), clWhite);

    // The "Data" form: a 32-bit size, then the file; the stream ends up just after it.
    TMemoryStream D;
    A->WriteData(&D);
    D.WriteInteger(12345);
    D.SetPosition(0);
    Integer Size = 0;
    D.ReadBuffer(&Size, 4);
    EXPECT_EQ(Size, D.GetSize() - 8);
    D.SetPosition(0);
    TBitmap C;
    C.ReadData(&D);
    EXPECT_EQ(D.ReadInteger(), 12345);
    ExpectSamePixels(A.get(), &C);
}

INSTANTIATE_TEST_SUITE_P(Formats, BitmapFormat,
                         ::testing::Values(pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit));

TEST(Bitmap, PixelFormatChangeKeepsThePicture)
{
    auto B = Pattern(pf24bit);
    B->GetCanvas()->SetPixels(12, 6, clRed);
    B->SetPixelFormat(pf32bit);
    EXPECT_EQ(B->GetCanvas()->GetPixels(12, 6), clRed);
    B->SetPixelFormat(pf8bit);
    EXPECT_EQ(B->GetCanvas()->GetPixels(12, 6), clRed);   // red is in the default colour table
    B->SetPixelFormat(pf1bit);
    EXPECT_TRUE(B->GetMonochrome());
    EXPECT_EQ(B->GetCanvas()->GetPixels(2, 2), clBlack);
}

TEST(Bitmap, EmptyBitmapStreamsAsNothing)
{
    TBitmap A, B;
    TMemoryStream S;
    A.SaveToStream(&S);
    EXPECT_EQ(S.GetSize(), 0);
    B.SetSize(3, 3);
    S.SetPosition(0);
    B.LoadFromStream(&S);
    EXPECT_TRUE(B.GetEmpty());
    TMemoryStream D;
    A.WriteData(&D);
    EXPECT_EQ(D.GetSize(), 4);
    D.SetPosition(0);
    B.SetSize(3, 3);
    B.ReadData(&D);
    EXPECT_TRUE(B.GetEmpty());
}

TEST(Bitmap, ReadsTopDownRleBitfieldAndOldStyleFiles)
{
    TBitmap B;
    // 2 x 2 top-down 24-bit: first row blue, red; second row green, white.
    TBytes Px = {255, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0, 255, 255, 255, 0, 0};
    Load(B, MakeBmp(2, -2, 24, BI_RGB, {}, Px));
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 0), clBlue);
    EXPECT_EQ(B.GetCanvas()->GetPixels(1, 0), clRed);
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 1), clLime);

    // RLE8, 4 x 2 (bottom row first): a run of 4 of colour 1, end of line, 2 of colour 2 then
    // an absolute run of 2, end of bitmap.
    TBytes Colors = {0, 0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0};
    TBytes Rle = {4, 1, 0, 0, 2, 2, 0, 3, 1, 2, 1, 0, 0, 1};
    Load(B, MakeBmp(4, 2, 8, BI_RLE8, Colors, Rle, 3));
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 1), clRed);
    EXPECT_EQ(B.GetCanvas()->GetPixels(3, 1), clRed);
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 0), clBlue);
    EXPECT_EQ(B.GetCanvas()->GetPixels(2, 0), clRed);
    EXPECT_EQ(B.GetCanvas()->GetPixels(3, 0), clBlue);

    // 32-bit bit fields in an unusual order (red in the low byte).
    TBytes Masks;
    Put32(Masks, 0x000000FF);
    Put32(Masks, 0x0000FF00);
    Put32(Masks, 0x00FF0000);
    Load(B, MakeBmp(1, 1, 32, BI_BITFIELDS, Masks, {0x10, 0x20, 0x30, 0}));
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 0), TColor(RGB(0x10, 0x20, 0x30)));

    // 16-bit 5-5-5 without masks.
    Load(B, MakeBmp(1, 1, 16, BI_RGB, {}, {0x00, 0x7C, 0, 0}));
    EXPECT_EQ(B.GetPixelFormat(), pf15bit);
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 0), clRed);

    // The old header of 12 bytes with a colour table of three-byte entries.
    TBytes Old = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0,
                  12, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0,
                  0, 0, 0, 255, 0, 0,   // black, blue
                  0x80, 0, 0, 0};
    Load(B, Old);
    EXPECT_EQ(B.GetCanvas()->GetPixels(0, 0), clBlue);
}

TEST(Bitmap, BadDataRaisesAndLeavesTheBitmapAsItWas)
{
    TBytes Px(16, 0);
    struct Case { const char* What; TBytes Data; };
    const Case Cases[] = {
        {"no signature", TBytes(60, 0)},
        {"signature only", {'B', 'M'}},
        {"zero width", MakeBmp(0, 2, 24, BI_RGB, {}, Px)},
        {"zero height", MakeBmp(2, 0, 24, BI_RGB, {}, Px)},
        {"huge", MakeBmp(100000, 100000, 24, BI_RGB, {}, Px)},
        {"bit count 7", MakeBmp(2, 2, 7, BI_RGB, {}, Px)},
        {"pixels cut short", MakeBmp(8, 8, 24, BI_RGB, {}, Px)},
        {"colour count past the table", MakeBmp(2, 2, 8, BI_RGB, {}, Px, 1000)},
        {"colour table cut short", MakeBmp(2, 2, 8, BI_RGB, {}, {}, 200)},
        {"RLE on 24 bits", MakeBmp(2, 2, 24, BI_RLE8, {}, Px)},
        {"JPEG inside", MakeBmp(2, 2, 24, 4 /*BI_JPEG*/, {}, Px)},
        {"bit fields without masks", MakeBmp(2, 2, 16, BI_BITFIELDS, {}, {})},
    };
    TBitmap B;
    B.SetSize(3, 3);
    B.GetCanvas()->SetPixels(1, 1, clRed);
    for (const auto& C : Cases) {
        EXPECT_THROW(Load(B, C.Data), EInvalidGraphic) << C.What;
        EXPECT_EQ(B.GetWidth(), 3) << C.What;
        EXPECT_EQ(B.GetCanvas()->GetPixels(1, 1), clRed) << C.What;
    }
    TMemoryStream S;
    S.WriteInteger(1000);   // a data size past the end
    S.SetPosition(0);
    EXPECT_THROW(B.ReadData(&S), EInvalidGraphic);
}

TEST(Bitmap, RunawayRleStaysInsideTheImage)
{
    TBytes Colors = {0, 0, 255, 0};
    // Runs longer than a row, deltas far past the end, an absolute run past the data's end.
    TBytes Rle = {255, 0, 255, 0, 0, 2, 200, 200, 0, 0, 0, 50, 1, 2};
    TBitmap B;
    Load(B, MakeBmp(4, 4, 8, BI_RLE8, Colors, Rle, 1));
    EXPECT_EQ(B.GetWidth(), 4);
    EXPECT_EQ(B.GetCanvas()->GetPixels(3, 3), clRed);
}

TEST(Bitmap, CutAndScrambledFilesNeverCrash)
{
    auto A = Pattern(pf8bit, 9, 5);
    std::vector<Byte> Good = A->SaveToBytes();
    TBitmap B;
    for (size_t Len = 0; Len < Good.size(); ++Len) {
        try {
            B.LoadFromBytes(Good.data(), Len);
            ADD_FAILURE() << "a file cut to " << Len << " bytes loaded";
        } catch (const EInvalidGraphic&) {
        }
    }
    std::mt19937 Rng(7);
    for (int I = 0; I < 2000; ++I) {
        std::vector<Byte> D = Good;
        for (int K = 0; K < 3; ++K) D[Rng() % 60] = Byte(Rng());   // headers and colour table
        try {
            B.LoadFromBytes(D.data(), D.size());
        } catch (const EInvalidGraphic&) {
        }
    }
}

TEST(Bitmap, TransparentColourAutomaticOrFixed)
{
    auto B = Pattern(pf24bit);
    B->GetCanvas()->SetPixels(0, B->GetHeight() - 1, clLime);
    EXPECT_EQ(B->GetTransparentMode(), tmAuto);
    EXPECT_EQ(B->GetTransparentColor(), clLime);
    B->SetTransparentColor(clRed);
    EXPECT_EQ(B->GetTransparentMode(), tmFixed);
    EXPECT_EQ(B->GetTransparentColor(), clRed);
    B->SetTransparentMode(tmAuto);
    EXPECT_EQ(B->GetTransparentColor(), clLime);
    B->SetTransparentMode(tmFixed);   // fixes the current automatic colour
    B->GetCanvas()->SetPixels(0, B->GetHeight() - 1, clBlue);
    EXPECT_EQ(B->GetTransparentColor(), clLime);
}

TEST(Bitmap, AssignMakesAnIndependentCopy)
{
    auto A = Pattern(pf8bit);
    A->SetTransparent(true);
    TBitmap B;
    B.Assign(A.get());
    EXPECT_EQ(B.GetPixelFormat(), pf8bit);
    EXPECT_TRUE(B.GetTransparent());
    ExpectSamePixels(A.get(), &B);
    B.GetCanvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(A->GetCanvas()->GetPixels(0, 0), clWhite);
    B.Assign(nullptr);
    EXPECT_TRUE(B.GetEmpty());
}

TEST(Bitmap, OnChangeWhenTheCanvasDraws)
{
    TBitmap B;
    B.SetSize(4, 4);
    int Changes = 0;
    B.OnChange = [&](TObject* S) { EXPECT_EQ(S, &B); ++Changes; };
    B.GetCanvas()->FillRect(Rect(0, 0, 2, 2));
    B.SetSize(5, 5);
    EXPECT_EQ(Changes, 2);
}

TEST(Bitmap, HandlesAdoptedAndReleased)
{
    HDC Screen = GetDC(nullptr);
    HBITMAP Ddb = CreateCompatibleBitmap(Screen, 6, 4);
    ReleaseDC(nullptr, Screen);
    HDC DC = CreateCompatibleDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, Ddb);
    PatBlt(DC, 0, 0, 6, 4, BLACKNESS);
    SetPixel(DC, 5, 3, RGB(255, 0, 0));
    SelectObject(DC, Old);
    DeleteDC(DC);

    TBitmap B;
    B.SetHandle(Ddb);   // a device bitmap becomes a DIB of ours
    EXPECT_EQ(B.GetWidth(), 6);
    EXPECT_EQ(B.GetCanvas()->GetPixels(5, 3), clRed);
    DIBSECTION DS{};
    EXPECT_EQ(GetObjectW(B.GetHandle(), sizeof(DS), &DS), int(sizeof(DS)));

    HBITMAP H = B.ReleaseHandle();
    EXPECT_TRUE(B.GetEmpty());
    TBitmap C;
    C.SetHandle(H);   // a DIB section is taken over as it is
    EXPECT_EQ(C.GetHandle(), H);
    EXPECT_EQ(C.GetCanvas()->GetPixels(5, 3), clRed);
}

TEST(Bitmap, HandleCanBeSelectedElsewhere)
{
    TBitmap B;
    B.SetSize(4, 4);
    B.GetCanvas()->FillRect(Rect(0, 0, 4, 4));   // the canvas holds the bitmap in its DC
    HDC DC = CreateCompatibleDC(nullptr);
    HGDIOBJ Old = SelectObject(DC, B.GetHandle());
    EXPECT_NE(Old, nullptr);
    SetPixel(DC, 1, 1, RGB(0, 0, 255));
    SelectObject(DC, Old);
    DeleteDC(DC);
    EXPECT_EQ(B.GetCanvas()->GetPixels(1, 1), clBlue);
}

TEST(Bitmap, ClipboardFormatRoundTrip)
{
    auto A = Pattern(pf24bit);
    Word Format = 0;
    HANDLE Data = nullptr;
    HPALETTE Pal = nullptr;
    A->SaveToClipboardFormat(Format, Data, Pal);
    EXPECT_EQ(Format, CF_DIB);
    TBitmap B;
    B.LoadFromClipboardFormat(Format, Data, Pal);
    GlobalFree(Data);
    ExpectSamePixels(A.get(), &B);
}

TEST(Bitmap, Resources)
{
    TBitmap B;
    EXPECT_THROW(B.LoadFromResourceName(GetModuleHandleW(nullptr), L"NO_SUCH_BITMAP"), EResNotFound);
    // The system's own bitmaps: the close box of old title bars.
    HMODULE User = GetModuleHandleW(L"user32.dll");
    B.LoadFromResourceID(User, 32754 /*OBM_CLOSE*/);
    EXPECT_FALSE(B.GetEmpty());
    EXPECT_GT(B.GetWidth(), 8);
}

TEST(Bitmap, FileRoundTrip)
{
    auto A = Pattern(pf24bit);
    String Name = SnapshotPath(L"roundtrip.bmp");
    A->SaveToFile(Name);
    TBitmap B;
    B.LoadFromFile(Name);
    ExpectSamePixels(A.get(), &B);
    DeleteFileW(Name.c_str());
    EXPECT_THROW(B.LoadFromFile(SnapshotPath(L"missing.bmp")), EFOpenError);
}
