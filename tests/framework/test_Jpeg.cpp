// JPEG: compressing bitmaps, decoding them back, quality and grey scale, damaged data.
#include "framework/Jpeg.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Four flat quarters: red, lime, blue, white.
std::unique_ptr<TBitmap> Quarters(int N = 32)
{
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf24bit);
    B->SetSize(N, N);
    TCanvas* C = B->GetCanvas();
    const TColor Colors[] = {clRed, clLime, clBlue, clWhite};
    for (int I = 0; I < 4; ++I) {
        C->GetBrush()->SetColor(Colors[I]);
        C->FillRect(Bounds((I % 2) * N / 2, (I / 2) * N / 2, N / 2, N / 2));
    }
    return B;
}

std::unique_ptr<TBitmap> Noise(int N = 64)
{
    std::unique_ptr<TBitmap> B(Create<TBitmap>());
    B->SetPixelFormat(pf24bit);
    B->SetSize(N, N);
    std::mt19937 Rng(3);
    for (int Y = 0; Y < N; ++Y) {
        auto* P = static_cast<Byte*>(B->ScanLine(Y));
        for (int X = 0; X < N * 3; ++X) P[X] = Byte(Rng());
    }
    return B;
}

void ExpectNear(TColor A, TColor B, int Tolerance)
{
    EXPECT_NEAR(GetRValue(A), GetRValue(B), Tolerance);
    EXPECT_NEAR(GetGValue(A), GetGValue(B), Tolerance);
    EXPECT_NEAR(GetBValue(A), GetBValue(B), Tolerance);
}

}  // namespace

TEST(Jpeg, BitmapCompressesAndDecodesBackClose)
{
    auto B = Quarters();
    TJPEGImage J;
    J.Assign(B.get());
    EXPECT_EQ(J.GetWidth(), 32);
    EXPECT_EQ(J.GetCompressionQuality(), 90);
    TMemoryStream S;
    J.SaveToStream(&S);
    const Byte* P = static_cast<const Byte*>(S.GetMemory());
    ASSERT_GT(S.GetSize(), 100);
    EXPECT_EQ(P[0], 0xFF);
    EXPECT_EQ(P[1], 0xD8);

    S.SetPosition(0);
    TJPEGImage K;
    K.LoadFromStream(&S);
    EXPECT_EQ(K.GetWidth(), 32);
    EXPECT_EQ(K.GetHeight(), 32);
    TBitmap Back;
    Back.Assign(&K);
    ExpectNear(Back.GetCanvas()->GetPixels(4, 4), clRed, 12);
    ExpectNear(Back.GetCanvas()->GetPixels(27, 4), clLime, 12);
    ExpectNear(Back.GetCanvas()->GetPixels(4, 27), clBlue, 12);
    ExpectNear(Back.GetCanvas()->GetPixels(27, 27), clWhite, 12);

    TDibSurface D(40, 40, clBlack);
    D.Canvas()->Draw(4, 4, &K);
    ExpectNear(D.Pixel(8, 8), clRed, 12);
    EXPECT_EQ(D.Pixel(1, 1), clBlack);
}

TEST(Jpeg, QualityAndGreyScale)
{
    auto B = Noise();
    std::vector<Byte> Low = EncodeJpeg(B.get(), 10), High = EncodeJpeg(B.get(), 95);
    EXPECT_LT(Low.size() * 2, High.size());

    auto Q = Quarters();
    TJPEGImage J;
    J.SetGrayscale(true);
    J.Assign(Q.get());
    std::unique_ptr<TBitmap> G(DecodeJpeg(J.GetData().data(), J.GetData().size()));
    TColor C = G->GetCanvas()->GetPixels(4, 4);
    EXPECT_EQ(GetRValue(C), GetGValue(C));
    EXPECT_EQ(GetGValue(C), GetBValue(C));

    TJPEGImage P;
    P.SetProgressiveEncoding(true);
    P.Assign(Q.get());
    std::unique_ptr<TBitmap> PB(DecodeJpeg(P.GetData().data(), P.GetData().size()));
    EXPECT_EQ(PB->GetWidth(), 32);
}

TEST(Jpeg, AssignCopiesAndSizeIsFixed)
{
    auto B = Quarters(16);
    TJPEGImage A;
    A.Assign(B.get());
    TJPEGImage C;
    C.Assign(&A);
    EXPECT_EQ(C.GetData(), A.GetData());
    EXPECT_TRUE(C.Equals(&A));
    EXPECT_THROW(C.SetWidth(3), EInvalidGraphicOperation);
    C.Assign(nullptr);
    EXPECT_TRUE(C.GetEmpty());
    EXPECT_THROW(EncodeJpeg(nullptr, 90), EInvalidGraphic);
}

TEST(Jpeg, DamagedDataRaisesOrDecodesWhatThereIs)
{
    auto B = Quarters();
    std::vector<Byte> Good = EncodeJpeg(B.get(), 75);
    TJPEGImage J;
    // Cut inside the headers: no image can come of it.
    for (size_t Len : {size_t(0), size_t(2), size_t(20), size_t(100)})
        EXPECT_THROW(J.LoadFromBytes(Good.data(), Len), EInvalidGraphic) << Len;
    // Cut anywhere: an error or a partial picture, never a crash.
    for (size_t Len = 0; Len < Good.size(); Len += 7) {
        try {
            J.LoadFromBytes(Good.data(), Len);
        } catch (const EInvalidGraphic&) {
        }
    }
    std::mt19937 Rng(5);
    for (int I = 0; I < 300; ++I) {
        std::vector<Byte> D = Good;
        for (int K = 0; K < 4; ++K) D[2 + Rng() % (D.size() - 2)] = Byte(Rng());
        try {
            J.LoadFromBytes(D.data(), D.size());
        } catch (const EInvalidGraphic&) {
        }
    }
    std::vector<Byte> NotJpeg = {'G', 'I', 'F', '8', '9', 'a'};
    EXPECT_THROW(J.LoadFromBytes(NotJpeg.data(), NotJpeg.size()), EInvalidGraphic);
    TMemoryStream Empty;
    EXPECT_THROW(J.LoadFromStream(&Empty), EInvalidGraphic);
}
