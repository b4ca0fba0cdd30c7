// The GDI+ picture: format sniffing, loading from hostile bytes, measuring, drawing, assigning.
#include "graphics/GDIPicture.h"
#include "graphics/QorGDIP.h"
#include "framework/PngImage.h"
#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<Byte>;

Bytes Pad(Bytes B, size_t Size = 64)
{
    B.resize(std::max(B.size(), Size), 0);
    return B;
}

Bytes StreamBytes(TStream* S)
{
    Bytes B(size_t(S->GetSize()));
    S->SetPosition(0);
    if (!B.empty()) S->Read(B.data(), Integer(B.size()));
    return B;
}

// A bitmap of one colour with its bottom-left pixel in another.
std::unique_ptr<TBitmap> MakeBitmap(int W, int H, TColor Fill, TColor Corner)
{
    std::unique_ptr<TBitmap> Bmp(Create<TBitmap>());
    Bmp->SetPixelFormat(pf24bit);
    Bmp->SetSize(W, H);
    Bmp->GetCanvas()->GetBrush()->SetColor(Fill);
    Bmp->GetCanvas()->FillRect(TRect{0, 0, W, H});
    Bmp->GetCanvas()->SetPixels(0, H - 1, Corner);
    return Bmp;
}

Bytes BitmapBytes(TGraphic* G)
{
    std::unique_ptr<TMemoryStream> S(new TMemoryStream());
    G->SaveToStream(S.get());
    return StreamBytes(S.get());
}

Bytes PngBytes(int W, int H, TColor Fill)
{
    auto Bmp = MakeBitmap(W, H, Fill, Fill);
    std::unique_ptr<TPngImage> Png(Create<TPngImage>());
    Png->Assign(Bmp.get());
    return BitmapBytes(Png.get());
}

std::unique_ptr<TGDIPPicture> FromBytes(const Bytes& B)
{
    std::unique_ptr<TGDIPPicture> P(Create<TGDIPPicture>());
    std::unique_ptr<TMemoryStream> S(new TMemoryStream());
    if (!B.empty()) S->Write(B.data(), Integer(B.size()));
    P->LoadFromStream(S.get());
    return P;
}

}  // namespace

TEST(GDIPicture, FindPictureFormatBySignature)
{
    const Bytes Png = PngBytes(4, 4, clRed);
    struct Case { const char* Name; Bytes Data; TPictureFormat Expected; };
    const Case Cases[] = {
        {"png", Png, pfPNG},
        {"png 43 bytes", Bytes(Png.begin(), Png.begin() + 43), pfNone},
        {"png 44 bytes", Bytes(Png.begin(), Png.begin() + 44), pfPNG},
        {"tiff II", Pad({'I', 'I', 42, 0}), pfTiff},
        {"II other word", Pad({'I', 'I', 43, 0, 'G', 'I', 'F'}), pfNone},
        {"tiff MM", Pad({'M', 'M', 0, 42}), pfTiff},
        {"MM other", Pad({'M', 'M', 42, 0}), pfNone},
        {"bmp", Pad({'B', 'M', 1, 2}), pfBMP},
        {"jpeg", Pad({0xFF, 0xD8, 0xFF, 0xE0}), pfJPG},
        {"gif", Pad({'G', 'I', 'F', '8', '9', 'a'}), pfGIF},
        {"gif lower case", Pad({'g', 'i', 'f', '8', '9', 'a'}), pfNone},
        {"icon", Pad({0, 0, 1, 0, 1, 0}), pfICO},
        {"cursor", Pad({0, 0, 2, 0, 1, 0}), pfNone},
        {"placeable metafile", Pad({0xD7, 0xCD, 0xC6, 0x9A}), pfMetaFile},
        {"unknown", Pad({'x', 'y', 'z'}), pfNone},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(FindPictureFormat(C.Data.data(), std::int64_t(C.Data.size())), C.Expected) << C.Name;
    Bytes Emf = Pad({1, 0, 0, 0}, 88);
    Emf[40] = 0x20; Emf[41] = 'E'; Emf[42] = 'M'; Emf[43] = 'F';
    EXPECT_EQ(FindPictureFormat(Emf.data(), std::int64_t(Emf.size())), pfMetaFile);
    EXPECT_EQ(FindPictureFormat(Png.data(), -1), pfNone);
    EXPECT_EQ(FindPictureFormat(nullptr, 100), pfNone);
}

TEST(GDIPicture, LoadsMeasuresAndDrawsPng)
{
    auto P = FromBytes(PngBytes(8, 6, clRed));
    ASSERT_FALSE(P->GetEmpty());
    EXPECT_EQ(P->GetPictureFormat(), pfPNG);
    EXPECT_EQ(P->GetWidth(), 8);
    EXPECT_EQ(P->GetHeight(), 6);
    P->SetWidth(100);
    EXPECT_EQ(P->GetWidth(), 8);

    TDibSurface Dib(40, 30, clWhite);
    P->Draw(Dib.Canvas(), TRect{10, 10, 26, 22});
    EXPECT_EQ(Dib.Pixel(18, 16), clRed);
    EXPECT_EQ(Dib.Pixel(5, 5), clWhite);
    EXPECT_EQ(Dib.Pixel(30, 25), clWhite);

    // Saved bytes and form data are the loaded file's bytes unchanged.
    std::unique_ptr<TMemoryStream> Out(new TMemoryStream());
    P->WriteData(Out.get());
    EXPECT_EQ(StreamBytes(Out.get()), PngBytes(8, 6, clRed));
}

TEST(GDIPicture, RotatesAboutNaturalSizeCentre)
{
    auto P = FromBytes(PngBytes(20, 10, clBlue));
    P->SetAngle(90);
    TDibSurface Dib(100, 100, clWhite);
    // Rotated 90 degrees about (10 + 10, 10 + 5): the 40 x 20 area becomes x 5..25, y -5..35.
    P->Draw(Dib.Canvas(), TRect{10, 10, 50, 30});
    EXPECT_EQ(Dib.Pixel(15, 30), clBlue);
    EXPECT_EQ(Dib.Pixel(45, 15), clWhite);
}

TEST(GDIPicture, TransparentBitmapKeepsStoredSize)
{
    auto P = FromBytes(BitmapBytes(MakeBitmap(6, 4, clBlue, clRed).get()));
    ASSERT_EQ(P->GetPictureFormat(), pfBMP);
    ASSERT_EQ(P->GetWidth(), 6);
    TDibSurface Dib(30, 30, clWhite);
    P->Draw(Dib.Canvas(), TRect{0, 0, 12, 8});
    EXPECT_EQ(Dib.CountColor(TRect{0, 0, 12, 8}, clRed), 0);
    EXPECT_GT(Dib.CountColor(TRect{0, 0, 12, 8}, clBlue), 0);
    EXPECT_EQ(P->GetWidth(), 6);
}

TEST(GDIPicture, HostileBytesGiveEmptyImage)
{
    const Bytes Png = PngBytes(8, 8, clGreen);
    const Bytes Cases[] = {
        {},
        {0},
        Bytes(Png.begin(), Png.begin() + 40),
        Pad({'g', 'i', 'f', '8', '9', 'a'}, 100),
        Pad({0, 0, 2, 0, 1, 0}, 100),
        Bytes(5000, 0xAB),
    };
    TDibSurface Dib(20, 20, clWhite);
    for (size_t I = 0; I < std::size(Cases); ++I) {
        auto P = FromBytes(Cases[I]);
        EXPECT_EQ(P->GetWidth(), 0) << I;
        EXPECT_EQ(P->GetHeight(), 0) << I;
        P->Draw(Dib.Canvas(), TRect{0, 0, 20, 20});
        EXPECT_TRUE(Dib.AllColor(Dib.Bounds(), clWhite)) << I;
    }
    // Random bytes of no known signature, for a few seconds at most.
    std::mt19937 Rng(20261210);
    const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int Round = 0; std::chrono::steady_clock::now() < Until && Round < 400; ++Round) {
        Bytes B(Rng() % 300);
        for (Byte& X : B) X = Byte(Rng());
        if (FindPictureFormat(B.data(), std::int64_t(B.size())) != pfNone) continue;
        auto P = FromBytes(B);
        P->Draw(Dib.Canvas(), TRect{0, 0, 20, 20});
        EXPECT_EQ(P->GetWidth(), 0);
    }
}

TEST(GDIPicture, AssignSources)
{
    auto Loaded = FromBytes(PngBytes(5, 7, clRed));
    std::unique_ptr<TGDIPPicture> P(Create<TGDIPPicture>());
    int Changes = 0, Clears = 0;
    P->OnChange = [&](TObject*) { ++Changes; };
    P->OnClear = [&](TObject*) { ++Clears; };

    P->Assign(Loaded.get());
    EXPECT_FALSE(P->GetEmpty());
    EXPECT_EQ(P->GetWidth(), 5);
    EXPECT_EQ(Changes, 1);

    std::unique_ptr<TGDIPPicture> Empty(Create<TGDIPPicture>());
    P->Assign(Empty.get());
    EXPECT_TRUE(P->GetEmpty());

    P->Assign(MakeBitmap(3, 2, clBlue, clBlue).get());
    EXPECT_FALSE(P->GetEmpty());
    EXPECT_EQ(P->GetPictureFormat(), pfBMP);
    EXPECT_EQ(P->GetWidth(), 3);

    // A holder without a graphic empties the picture.
    std::unique_ptr<TPicture> Holder(Create<TPicture>());
    P->Assign(Holder.get());
    EXPECT_TRUE(P->GetEmpty());
    Holder->SetGraphic(MakeBitmap(4, 4, clRed, clRed).get());
    P->Assign(Holder.get());
    EXPECT_FALSE(P->GetEmpty());
    EXPECT_EQ(P->GetHeight(), 4);

    // Nil: no bytes, no size, both events.
    Clears = 0;
    P->Assign(nullptr);
    EXPECT_TRUE(P->GetEmpty());
    EXPECT_EQ(P->GetWidth(), 0);
    EXPECT_EQ(P->GetDatastream()->GetSize(), 0);
    EXPECT_EQ(Clears, 1);

    // A source that is no graphic leaves no stale bytes to be saved.
    P->Assign(Loaded.get());
    std::unique_ptr<TStringList> NotAGraphic(new TStringList());
    P->Assign(NotAGraphic.get());
    EXPECT_TRUE(P->GetEmpty());
    std::unique_ptr<TMemoryStream> Out(new TMemoryStream());
    P->SaveToStream(Out.get());
    EXPECT_EQ(Out->GetSize(), 0);
}

TEST(GDIPicture, FileAndUrlLoading)
{
    wchar_t Dir[MAX_PATH];
    GetTempPathW(MAX_PATH, Dir);
    const String Name = String(Dir) + L"gdipicture_test.png";
    {
        auto Src = FromBytes(PngBytes(9, 3, clRed));
        std::unique_ptr<TMemoryStream> S(new TMemoryStream());
        Src->SaveToStream(S.get());
        S->SaveToFile(Name);
    }
    std::unique_ptr<TGDIPPicture> P(Create<TGDIPPicture>());
    int Clears = 0;
    P->OnClear = [&](TObject*) { ++Clears; };
    P->LoadFromURL(L"file://" + Name);
    EXPECT_FALSE(P->GetEmpty());
    EXPECT_EQ(P->GetWidth(), 9);
    EXPECT_EQ(P->GetFileName(), Name);
    EXPECT_EQ(Clears, 1);
    DeleteFileW(Name.c_str());

    // Missing file: empty, nothing raised. Other schemes and bare prefixes do nothing.
    P->LoadFromFile(Name);
    EXPECT_TRUE(P->GetEmpty());
    for (const wchar_t* Url : {L"FILE://", L"RES://", L"http://x/y.png", L"res://NoSuchResource"}) {
        EXPECT_NO_THROW(P->LoadFromURL(Url)) << Url;
        EXPECT_TRUE(P->GetEmpty()) << Url;
    }
    EXPECT_THROW(P->LoadFromResourceID(GetModuleHandleW(nullptr), 31999), EResNotFound);
}
