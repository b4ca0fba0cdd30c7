// PNG: decoding every colour type, encoding bitmaps, the graphic's streams and drawing, and
// damaged data.
#include "framework/PngImage.h"
#include "support/Pixels.h"
#include "test_PngImageVectors.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>

namespace {

std::unique_ptr<TBitmap> Gradient(int W, int H, bool Alpha)
{
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf32bit);
    B->SetSize(W, H);
    for (int Y = 0; Y < H; ++Y) {
        auto* P = static_cast<Byte*>(B->ScanLine(Y));
        for (int X = 0; X < W; ++X, P += 4) {
            P[0] = Byte(X * 7);
            P[1] = Byte(Y * 11);
            P[2] = Byte(X * Y);
            P[3] = Alpha ? Byte(255 - X) : 0;
        }
    }
    if (Alpha) B->SetAlphaFormat(afDefined);
    return B;
}

}  // namespace

class PngDecode : public ::testing::TestWithParam<size_t> {};

TEST_P(PngDecode, GivesTheExpectedPixels)
{
    const PngVector& V = PngVectors()[GetParam()];
    TPngPixels P = DecodePng(V.File.data(), V.File.size());
    ASSERT_EQ(P.Width, V.Width);
    ASSERT_EQ(P.Height, V.Height);
    ASSERT_EQ(P.BGRA.size(), V.BGRA.size());
    for (size_t I = 0; I < P.BGRA.size(); ++I)
        ASSERT_EQ(int(P.BGRA[I]), int(V.BGRA[I])) << V.Name << " pixel " << I / 4 << " channel " << I % 4;
    bool AnyAlpha = false;
    for (size_t I = 3; I < V.BGRA.size(); I += 4) AnyAlpha = AnyAlpha || V.BGRA[I] != 255;
    EXPECT_EQ(P.HasAlpha, AnyAlpha || std::string(V.Name) == "GrayAlpha8") << V.Name;
}

INSTANTIATE_TEST_SUITE_P(Vectors, PngDecode, ::testing::Range<size_t>(0, PngVectors().size()),
                         [](const auto& Info) { return std::string(PngVectors()[Info.param].Name); });

TEST(Png, EncodedBitmapsDecodeToTheSamePixels)
{
    for (bool Alpha : {false, true}) {
        auto B = Gradient(37, 23, Alpha);
        TPngImage Png;
        Png.Assign(B.get());
        EXPECT_EQ(Png.GetWidth(), 37);
        EXPECT_EQ(Png.GetHasAlpha(), Alpha);
        TPngPixels P = DecodePng(Png.GetData().data(), Png.GetData().size());
        for (int Y = 0; Y < 23; ++Y) {
            const Byte* Row = static_cast<const Byte*>(B->ScanLine(Y));
            for (int X = 0; X < 37; ++X)
                for (int C = 0; C < 4; ++C) {
                    int Want = C == 3 && !Alpha ? 255 : Row[X * 4 + C];
                    ASSERT_EQ(P.BGRA[(size_t(Y) * 37 + size_t(X)) * 4 + size_t(C)], Want) << X << "," << Y;
                }
        }
    }
}

TEST(Png, StreamsKeepTheBytesAndStopAfterTheEnd)
{
    const PngVector& V = PngVectors()[3];
    TMemoryStream S;
    S.WriteBuffer(V.File.data(), NativeInt(V.File.size()));
    S.WriteInteger(0x5A5A5A5A);   // what follows the image in a longer stream
    S.SetPosition(0);
    TPngImage Png;
    Png.LoadFromStream(&S);
    EXPECT_EQ(S.GetPosition(), Int64(V.File.size()));
    EXPECT_EQ(S.ReadInteger(), 0x5A5A5A5A);
    TMemoryStream Out;
    Png.SaveToStream(&Out);
    ASSERT_EQ(Out.GetSize(), Int64(V.File.size()));
    EXPECT_EQ(std::memcmp(Out.GetMemory(), V.File.data(), V.File.size()), 0);
}

TEST(Png, DrawsBlendedOverTheCanvas)
{
    TBitmap B;
    B.SetPixelFormat(pf32bit);
    B.SetSize(4, 4);
    for (int Y = 0; Y < 4; ++Y) {
        auto* P = static_cast<Byte*>(B.ScanLine(Y));
        for (int X = 0; X < 4; ++X, P += 4) {
            P[0] = 0, P[1] = 0, P[2] = 255;               // red
            P[3] = X < 2 ? 255 : (X == 2 ? 128 : 0);      // opaque, half, clear
        }
    }
    B.SetAlphaFormat(afDefined);
    TPngImage Png;
    Png.Assign(&B);
    TDibSurface S(8, 8, clWhite);
    S.Canvas()->Draw(0, 0, &Png);
    EXPECT_EQ(S.Pixel(0, 0), clRed);
    EXPECT_EQ(S.Pixel(3, 0), clWhite);
    TColor Half = S.Pixel(2, 0);
    EXPECT_EQ(GetRValue(Half), 255);
    EXPECT_NEAR(GetGValue(Half), 127, 3);
    S.Canvas()->StretchDraw(Rect(0, 4, 8, 8), &Png);
    EXPECT_EQ(S.Pixel(0, 7), clRed);
    EXPECT_EQ(S.Pixel(7, 7), clWhite);
}

TEST(Png, ToAndFromBitmapAndPicture)
{
    auto B = Gradient(6, 5, false);
    TPngImage Png;
    Png.Assign(B.get());
    TBitmap Back;
    Back.Assign(&Png);
    EXPECT_EQ(Back.GetWidth(), 6);
    EXPECT_EQ(Back.GetCanvas()->GetPixels(5, 4), B->GetCanvas()->GetPixels(5, 4));

    TPicture Pic;
    Pic.SetGraphic(&Png);
    ASSERT_NE(dynamic_cast<TPngImage*>(Pic.GetGraphic()), nullptr);
    TMemoryStream Data;
    Pic.WriteData(&Data);
    Data.SetPosition(0);
    TPicture Copy;
    Copy.ReadData(&Data);
    auto* P2 = dynamic_cast<TPngImage*>(Copy.GetGraphic());
    ASSERT_NE(P2, nullptr);
    EXPECT_EQ(P2->GetData(), Png.GetData());
    EXPECT_TRUE(P2->Equals(&Png));
}

TEST(Png, ResizingKeepsTheTopLeft)
{
    auto B = Gradient(6, 5, false);
    TPngImage Png;
    Png.Assign(B.get());
    Png.SetSize(10, 3);
    EXPECT_EQ(Png.GetWidth(), 10);
    EXPECT_EQ(Png.GetHeight(), 3);
    TPngPixels P = DecodePng(Png.GetData().data(), Png.GetData().size());
    EXPECT_EQ(P.BGRA[(2 * 10 + 5) * 4 + 1], 22);   // green of (5, 2)
    EXPECT_EQ(P.BGRA[(2 * 10 + 9) * 4 + 3], 0);    // new area clear
}

TEST(Png, DamagedDataRaises)
{
    const PngVector& V = PngVectors()[6];
    std::vector<Byte> Good = V.File;
    TPngImage Png;
    for (size_t Len = 0; Len < Good.size(); ++Len)
        EXPECT_THROW(Png.LoadFromBytes(Good.data(), Len), EInvalidGraphic) << Len;
    EXPECT_TRUE(Png.GetEmpty());

    std::vector<Byte> BadCrc = Good;
    BadCrc[20] ^= 1;   // inside the header chunk
    EXPECT_THROW(Png.LoadFromBytes(BadCrc.data(), BadCrc.size()), EInvalidGraphic);

    // Every byte changed in turn, with the checksums left to catch it or the decoder to refuse
    // it: either a clean load or EInvalidGraphic.
    std::mt19937 Rng(11);
    for (size_t I = 8; I < Good.size(); ++I) {
        std::vector<Byte> D = Good;
        D[I] = Byte(Rng());
        try {
            Png.LoadFromBytes(D.data(), D.size());
        } catch (const EInvalidGraphic&) {
        }
    }
}

TEST(Png, OversizedOrOddHeadersRaise)
{
    // A valid IHDR chunk claiming 100000 x 100000, followed by nothing useful.
    auto Header = [](uint32_t W, uint32_t H, Byte Depth, Byte Type) {
        std::vector<Byte> D = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
        for (uint32_t V : {W, H})
            for (int I = 3; I >= 0; --I) D.push_back(Byte(V >> (I * 8)));
        D.insert(D.end(), {Depth, Type, 0, 0, 0});
        uLong Crc = crc32(0, D.data() + 12, 17);
        for (int I = 3; I >= 0; --I) D.push_back(Byte(Crc >> (I * 8)));
        D.insert(D.end(), {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82});
        return D;
    };
    for (auto D : {Header(100000, 100000, 8, 6), Header(0, 5, 8, 6), Header(5, 5, 3, 2), Header(5, 5, 8, 7),
                   Header(5, 5, 8, 2) /*no image data*/})
        EXPECT_THROW(DecodePng(D.data(), D.size()), EInvalidGraphic);
    int W = 0, H = 0;
    auto D = Header(300, 200, 8, 6);
    EXPECT_TRUE(ReadPngSize(D.data(), D.size(), W, H));
    EXPECT_EQ(W, 300);
    EXPECT_EQ(H, 200);
}
