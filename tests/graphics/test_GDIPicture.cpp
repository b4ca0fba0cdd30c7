// The GDI+ picture: format sniffing, loading from hostile bytes, measuring, drawing, assigning.
#include "graphics/GDIPicture.h"
#include "graphics/GDIPImageBytes.h"
#include "graphics/QorGDIP.h"
#include "framework/Jpeg.h"
#include "framework/PngImage.h"
#include "support/ImageBytes.h"
#include "support/Pixels.h"

#include <zlib.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

Bytes Pad(Bytes B, size_t Size = 64)
{
    B.resize(std::max(B.size(), Size), 0);
    return B;
}

// A bitmap of one colour with its bottom-left pixel in another.
std::unique_ptr<TBitmap> MakeBitmap(int W, int H, TColor Fill, TColor Corner)
{
    auto Bmp = SolidBitmap(W, H, Fill);
    Bmp->GetCanvas()->SetPixels(0, H - 1, Corner);
    return Bmp;
}

Bytes BitmapBytes(TGraphic* G)
{
    std::unique_ptr<TMemoryStream> S(new TMemoryStream());
    G->SaveToStream(S.get());
    return StreamBytes(S.get());
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

// ---- Hostile bytes ------------------------------------------------------------------------------

namespace {

void Put16(Bytes& B, unsigned V) { B.push_back(Byte(V)); B.push_back(Byte(V >> 8)); }
void Put32(Bytes& B, unsigned V) { Put16(B, V & 0xFFFF); Put16(B, V >> 16); }
void Set16(Bytes& B, size_t At, unsigned V) { B[At] = Byte(V); B[At + 1] = Byte(V >> 8); }
void Set32(Bytes& B, size_t At, unsigned V) { Set16(B, At, V & 0xFFFF); Set16(B, At + 2, V >> 16); }
unsigned Get32(const Bytes& B, size_t At) { return B[At] | B[At + 1] << 8 | B[At + 2] << 16 | unsigned(B[At + 3]) << 24; }

// Top-down BGRA pixels of a simple pattern, half of them half transparent.
Bytes Pattern(int W, int H)
{
    Bytes P(size_t(W) * H * 4);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            Byte* Px = &P[(size_t(Y) * W + X) * 4];
            Px[0] = Byte(X * 16); Px[1] = Byte(Y * 16); Px[2] = Byte((X + Y) * 8); Px[3] = X < W / 2 ? 255 : 128;
        }
    return P;
}

Bytes PngFile(bool Alpha)
{
    const Bytes P = Pattern(12, 10);
    return EncodePng(P.data(), 12, 10, 12 * 4, Alpha);
}

Bytes JpegFile(bool Progressive)
{
    auto Bmp = MakeBitmap(16, 16, clRed, clBlue);
    Bmp->GetCanvas()->GetBrush()->SetColor(clYellow);
    Bmp->GetCanvas()->FillRect(TRect{4, 4, 12, 10});
    return EncodeJpeg(Bmp.get(), 80, false, Progressive);
}

// An 8 x 6 bitmap of four colours, run-length coded, each row ended and the bitmap ended.
Bytes RleBmpFile()
{
    Bytes Data;
    for (int Y = 0; Y < 6; ++Y) Data.insert(Data.end(), {5, Byte(Y % 4), 3, Byte((Y + 1) % 4), 0, 0});
    Data.insert(Data.end(), {0, 1});
    Bytes B = {'B', 'M'};
    const unsigned Off = 14 + 40 + 16;
    Put32(B, unsigned(Off + Data.size())); Put32(B, 0); Put32(B, Off);
    Put32(B, 40); Put32(B, 8); Put32(B, 6); Put16(B, 1); Put16(B, 8); Put32(B, BI_RLE8);
    Put32(B, unsigned(Data.size())); Put32(B, 2835); Put32(B, 2835); Put32(B, 4); Put32(B, 0);
    for (unsigned C : {0x000000u, 0xFF0000u, 0x00FF00u, 0x0000FFu}) Put32(B, C);
    B.insert(B.end(), Data.begin(), Data.end());
    return B;
}

// A GIF of 16 x 16 pixels with a 256-colour table: literal codes of 9 bits, with a clear code
// often enough that the code width never grows. Two frames when Animated.
Bytes GifFile(bool Animated)
{
    const int W = 16, H = 16;
    Bytes B = {'G', 'I', 'F', '8', '9', 'a'};
    Put16(B, W); Put16(B, H);
    B.insert(B.end(), {0xF7, 0, 0});
    for (int I = 0; I < 256; ++I) B.insert(B.end(), {Byte(I), Byte(255 - I), Byte(I * 7)});
    if (Animated) {
        B.insert(B.end(), {0x21, 0xFF, 11});
        for (char C : std::string("NETSCAPE2.0")) B.push_back(Byte(C));
        B.insert(B.end(), {3, 1, 0, 0, 0});
    }
    for (int Frame = 0; Frame < (Animated ? 2 : 1); ++Frame) {
        B.insert(B.end(), {0x21, 0xF9, 4, 0x05, 10, 0, 3, 0});   // delay, transparent index 3
        B.push_back(0x2C);
        Put16(B, 0); Put16(B, 0); Put16(B, W); Put16(B, H);
        B.insert(B.end(), {0, 8});
        Bytes Packed;
        unsigned Acc = 0;
        int Bits = 0;
        auto Emit = [&](unsigned Code) {
            Acc |= Code << Bits;
            for (Bits += 9; Bits >= 8; Bits -= 8) { Packed.push_back(Byte(Acc)); Acc >>= 8; }
        };
        Emit(256);
        for (int I = 0; I < W * H; ++I) {
            if (I > 0 && I % 200 == 0) Emit(256);
            Emit(unsigned((I * 5 + Frame * 40) % 256));
        }
        Emit(257);
        if (Bits > 0) Packed.push_back(Byte(Acc));
        for (size_t I = 0; I < Packed.size(); I += 255) {
            const size_t N = std::min<size_t>(255, Packed.size() - I);
            B.push_back(Byte(N));
            B.insert(B.end(), Packed.begin() + I, Packed.begin() + I + N);
        }
        B.push_back(0);
    }
    B.push_back(0x3B);
    return B;
}

// An icon of one 16 x 16 image: 32-bit colour with its mask, or a PNG.
Bytes IcoFile(bool PngInside)
{
    const int W = 16, H = 16;
    const Bytes P = Pattern(W, H);
    Bytes Image;
    if (PngInside) {
        Image = EncodePng(P.data(), W, H, W * 4, true);
    } else {
        Put32(Image, 40); Put32(Image, W); Put32(Image, H * 2); Put16(Image, 1); Put16(Image, 32);
        for (int I = 0; I < 6; ++I) Put32(Image, 0);
        for (int Y = H - 1; Y >= 0; --Y) Image.insert(Image.end(), P.begin() + Y * W * 4, P.begin() + (Y + 1) * W * 4);
        for (int Y = 0; Y < H; ++Y) Put32(Image, 0);
    }
    Bytes B;
    Put16(B, 0); Put16(B, 1); Put16(B, 1);
    B.insert(B.end(), {Byte(W), Byte(H), 0, 0});
    Put16(B, 1); Put16(B, 32); Put32(B, unsigned(Image.size())); Put32(B, 22);
    B.insert(B.end(), Image.begin(), Image.end());
    return B;
}

// Drawing of every kind a metafile records: shapes, point lists, a dashed pen, a region, a clip
// region, a bitmap and text.
void DrawMetafileContent(HDC DC, bool Enhanced)
{
    HBRUSH Brush = CreateSolidBrush(RGB(200, 0, 0));
    HGDIOBJ Old = SelectObject(DC, Brush);
    Rectangle(DC, 2, 2, 30, 20);
    Ellipse(DC, 5, 5, 25, 18);
    const POINT Pts[7] = {{1, 1}, {20, 3}, {10, 15}, {3, 12}, {2, 2}, {9, 2}, {5, 8}};
    Polygon(DC, Pts, 4);
    const INT Counts[2] = {4, 3};
    PolyPolygon(DC, Pts, Counts, 2);
    Polyline(DC, Pts, 3);
    if (Enhanced) {
        PolyBezier(DC, Pts, 4);
        const DWORD Dashes[2] = {3, 2};
        LOGBRUSH Lb{BS_SOLID, RGB(0, 0, 200), 0};
        HPEN Pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &Lb, 2, Dashes);
        HGDIOBJ OldPen = SelectObject(DC, Pen);
        Polyline(DC, Pts, 3);
        SelectObject(DC, OldPen);
        DeleteObject(Pen);
    }
    HRGN Rgn = CreateRectRgn(3, 3, 12, 9);
    FillRgn(DC, Rgn, Brush);
    if (Enhanced) {
        ExtSelectClipRgn(DC, Rgn, RGN_AND);
        SelectClipRgn(DC, nullptr);
    }
    DeleteObject(Rgn);
    BITMAPINFO Bi{};
    Bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    Bi.bmiHeader.biWidth = 4;
    Bi.bmiHeader.biHeight = 4;
    Bi.bmiHeader.biPlanes = 1;
    Bi.bmiHeader.biBitCount = 24;
    Bi.bmiHeader.biSizeImage = 48;   // the recorder of the older format keeps only what this says
    Byte Pixels[48];
    for (int I = 0; I < 48; ++I) Pixels[I] = Byte(I * 5);
    StretchDIBits(DC, 20, 2, 8, 8, 0, 0, 4, 4, Pixels, &Bi, DIB_RGB_COLORS, SRCCOPY);
    TextOutW(DC, 3, 3, L"Ab", 2);
    SelectObject(DC, Old);
    DeleteObject(Brush);
}

Bytes EmfFile()
{
    RECT Frame{0, 0, 1000, 800};
    HDC DC = CreateEnhMetaFileW(nullptr, nullptr, &Frame, nullptr);
    DrawMetafileContent(DC, true);
    HENHMETAFILE Mf = CloseEnhMetaFile(DC);
    Bytes B(GetEnhMetaFileBits(Mf, 0, nullptr));
    GetEnhMetaFileBits(Mf, UINT(B.size()), B.data());
    DeleteEnhMetaFile(Mf);
    return B;
}

// A placeable metafile: the 22-byte header before the records of the older format.
Bytes WmfFile()
{
    HDC DC = CreateMetaFileW(nullptr);
    DrawMetafileContent(DC, false);
    HMETAFILE Mf = CloseMetaFile(DC);
    Bytes Records(GetMetaFileBitsEx(Mf, 0, nullptr));
    GetMetaFileBitsEx(Mf, UINT(Records.size()), Records.data());
    DeleteMetaFile(Mf);
    Bytes B;
    Put32(B, 0x9AC6CDD7u); Put16(B, 0);
    Put16(B, 0); Put16(B, 0); Put16(B, 32); Put16(B, 24);
    Put16(B, 1440); Put32(B, 0);
    unsigned Sum = 0;
    for (int I = 0; I < 10; ++I) Sum ^= unsigned(B[I * 2] | (B[I * 2 + 1] << 8));
    Put16(B, Sum);
    B.insert(B.end(), Records.begin(), Records.end());
    return B;
}

// An uncompressed 8-bit RGB TIFF of 6 x 4 pixels in one strip.
Bytes TiffFile()
{
    const int W = 6, H = 4, N = 10;
    Bytes B = {'I', 'I', 42, 0};
    Put32(B, 8);
    const unsigned BitsAt = 8 + 2 + N * 12 + 4, DataAt = BitsAt + 6;
    Put16(B, N);
    auto Entry = [&](unsigned Tag, unsigned Type, unsigned Count, unsigned Value) {
        Put16(B, Tag); Put16(B, Type); Put32(B, Count);
        if (Type == 3 && Count == 1) { Put16(B, Value); Put16(B, 0); } else Put32(B, Value);
    };
    Entry(256, 3, 1, W);
    Entry(257, 3, 1, H);
    Entry(258, 3, 3, BitsAt);
    Entry(259, 3, 1, 1);
    Entry(262, 3, 1, 2);
    Entry(273, 4, 1, DataAt);
    Entry(277, 3, 1, 3);
    Entry(278, 3, 1, H);
    Entry(279, 4, 1, W * H * 3);
    Entry(284, 3, 1, 1);
    Put32(B, 0);
    Put16(B, 8); Put16(B, 8); Put16(B, 8);
    for (int I = 0; I < W * H; ++I) B.insert(B.end(), {Byte(I * 10), Byte(255 - I * 10), Byte(I * 3)});
    return B;
}

struct TSample {
    const char* Name;
    Bytes Data;
    int Width, Height;
};

const std::vector<TSample>& Samples()
{
    static const std::vector<TSample> All = {
        {"png", PngFile(false), 12, 10},    {"png alpha", PngFile(true), 12, 10},
        {"jpeg", JpegFile(false), 16, 16},  {"jpeg progressive", JpegFile(true), 16, 16},
        {"bmp", BitmapBytes(MakeBitmap(7, 5, clBlue, clRed).get()), 7, 5},
        {"bmp rle8", RleBmpFile(), 8, 6},   {"gif", GifFile(false), 16, 16},
        {"gif animated", GifFile(true), 16, 16}, {"ico", IcoFile(false), 16, 16},
        {"ico png", IcoFile(true), 16, 16}, {"emf", EmfFile(), 0, 0},
        {"wmf", WmfFile(), 32, 24},         {"tiff", TiffFile(), 6, 4},
    };
    return All;
}

const TSample& Sample(const char* Name)
{
    for (const TSample& S : Samples())
        if (std::strcmp(S.Name, Name) == 0) return S;
    throw std::runtime_error(Name);
}

// The bytes loaded, then drawn with the transparent-bitmap path and without; true when nothing
// was drawn and the picture has no size.
bool LoadsEmpty(const Bytes& B, TDibSurface& Dib)
{
    Dib.Fill(clWhite);
    auto P = FromBytes(B);
    const bool NoSize = P->GetEmpty() && P->GetWidth() == 0 && P->GetHeight() == 0;
    P->Draw(Dib.Canvas(), TRect{0, 0, 20, 20});
    P->SetTransparentBitmap(false);
    P->Draw(Dib.Canvas(), TRect{0, 0, 20, 20});
    return NoSize && Dib.AllColor(Dib.Bounds(), clWhite);
}

// Fixes every chunk checksum of the PNG at At, as a forger would.
void FixPngChecksums(Bytes& B, size_t At)
{
    for (size_t P = At + 8; P + 12 <= B.size();) {
        const size_t Len = size_t(B[P]) << 24 | size_t(B[P + 1]) << 16 | size_t(B[P + 2]) << 8 | B[P + 3];
        if (Len > B.size() - P - 12) return;
        const uLong Crc = crc32(crc32(0L, Z_NULL, 0), &B[P + 4], uInt(Len + 4));
        for (int I = 0; I < 4; ++I) B[P + 8 + Len + I] = Byte(Crc >> (24 - 8 * I));
        P += 12 + Len;
    }
}

// A copy of the sample with Change applied.
Bytes Damaged(const char* Name, const std::function<void(Bytes&)>& Change)
{
    Bytes B = Sample(Name).Data;
    Change(B);
    return B;
}

// The offset of the first record of an enhanced metafile with the given type.
size_t EmfRecord(const Bytes& B, unsigned Type)
{
    for (size_t P = 0; P + 8 <= B.size(); P += Get32(B, P + 4))
        if (Get32(B, P) == Type) return P;
    throw std::runtime_error("record not found");
}

// The offset of the first record of a placeable metafile with the given function.
size_t WmfRecord(const Bytes& B, unsigned Function)
{
    for (size_t P = 22 + 18; P + 6 <= B.size(); P += 2 * size_t(Get32(B, P)))
        if (unsigned(B[P + 4] | B[P + 5] << 8) == Function) return P;
    throw std::runtime_error("record not found");
}

}  // namespace

TEST(GDIPicture, SamplesOfEveryFormatLoadAndDraw)
{
    TDibSurface Dib(40, 40, clWhite);
    for (const TSample& S : Samples()) {
        EXPECT_TRUE(ImageBytesWellFormed(S.Data.data(), Int64(S.Data.size()))) << S.Name;
        auto P = FromBytes(S.Data);
        if (S.Width) {
            EXPECT_EQ(P->GetWidth(), S.Width) << S.Name;
            EXPECT_EQ(P->GetHeight(), S.Height) << S.Name;
        } else {
            EXPECT_GT(P->GetWidth(), 0) << S.Name;
        }
        Dib.Fill(clWhite);
        P->Draw(Dib.Canvas(), TRect{0, 0, 40, 40});
        EXPECT_TRUE(Dib.HasInk(Dib.Bounds())) << S.Name;
    }
}

TEST(GDIPicture, HostileBytesGiveEmptyImage)
{
    const Bytes Png = Sample("png").Data;
    struct Case { const char* Name; Bytes Data; };
    const Case Cases[] = {
        {"empty", {}},
        {"one byte", {0}},
        {"png cut to 40 bytes", Bytes(Png.begin(), Png.begin() + 40)},
        {"gif lower case", Pad({'g', 'i', 'f', '8', '9', 'a'}, 100)},
        {"cursor", Pad({0, 0, 2, 0, 1, 0}, 100)},
        {"no signature", Bytes(5000, 0xAB)},
        // The platform's decoders read past the data, or loop, on every one of these.
        {"png chunk longer than the data", Damaged("png", [](Bytes& B) { B[36] ^= 1; })},
        {"png chunk after the data of huge length", Damaged("png", [](Bytes& B) {
             const size_t End = B.size() - 12;
             B[End] = 0x00; B[End + 1] = 0xA4; B[End + 2] = 0x70; B[End + 3] = 0x35;
         })},
        {"png end chunk renamed, with a length", Damaged("png", [](Bytes& B) {
             const size_t End = B.size() - 12;
             B[End + 2] = 0x4F; B[End + 5] = 'e';
         })},
        {"png of 30000 x 30000 with right checksums", Damaged("png", [](Bytes& B) {
             B[18] = 0x75; B[19] = 0x30; B[22] = 0x75; B[23] = 0x30;
             FixPngChecksums(B, 0);
         })},
        {"png without end chunk", Damaged("png", [](Bytes& B) { B.resize(B.size() - 12); })},
        {"jpeg of 8105 x 57925", Damaged("jpeg", [](Bytes& B) {
             for (size_t P = 2; P + 9 < B.size(); P += 2 + (B[P + 2] << 8 | B[P + 3]))
                 if (B[P + 1] == 0xC0) { B[P + 5] = 0xE2; B[P + 6] = 0x45; B[P + 7] = 0x1F; B[P + 8] = 0xA9; break; }
         })},
        {"jpeg without end marker", Damaged("jpeg", [](Bytes& B) { B.resize(B.size() - 2); })},
        {"jpeg segment longer than the data", Damaged("jpeg", [](Bytes& B) { B[4] = 0xFF; })},
        {"bmp pixels offset past the data", Damaged("bmp", [](Bytes& B) { B[13] = 0x7F; })},
        {"bmp taller than its pixels", Damaged("bmp", [](Bytes& B) { Set32(B, 22, 5000); })},
        {"bmp of negative width", Damaged("bmp", [](Bytes& B) { Set32(B, 18, 0xFFFFFFF0u); })},
        {"bmp palette larger than the data", Damaged("bmp rle8", [](Bytes& B) { Set32(B, 46, 200); })},
        {"rle run past the row end", Damaged("bmp rle8", [](Bytes& B) { B[70] = 0x40; })},
        {"rle delta past the last row", Damaged("bmp rle8", [](Bytes& B) {
             B[B.size() - 2] = 0; B[B.size() - 1] = 2; B.insert(B.end(), {0, 40, 0, 1});
         })},
        {"rle literal run past the row end", Damaged("bmp rle8", [](Bytes& B) { B[70] = 0; B[71] = 200; })},
        {"gif local colour table past the data", Damaged("gif", [](Bytes& B) { B[13 + 768 + 8 + 9] = 0x87; })},
        {"gif frame of no width", Damaged("gif", [](Bytes& B) { Set16(B, 13 + 768 + 8 + 5, 0); })},
        {"gif without trailer", Damaged("gif", [](Bytes& B) { B.pop_back(); })},
        {"ico image past the data", Damaged("ico", [](Bytes& B) { Set32(B, 14, 4000); })},
        {"ico image offset inside the directory", Damaged("ico", [](Bytes& B) { Set32(B, 18, 2); })},
        {"ico bitmap taller than its data", Damaged("ico", [](Bytes& B) { Set32(B, 22 + 8, 16 * 4); })},
        {"ico png inside with a bad checksum", Damaged("ico png", [](Bytes& B) { B[22 + 40] ^= 0x10; })},
        {"emf file size past the data", Damaged("emf", [](Bytes& B) { Set32(B, 48, unsigned(B.size() + 400)); })},
        {"emf record of size 0", Damaged("emf", [](Bytes& B) { Set32(B, Get32(B, 4) + 4, 0); })},
        {"emf object table of no entries", Damaged("emf", [](Bytes& B) { Set16(B, 56, 0); })},
        {"emf reference device of a near-zero resolution", Damaged("emf", [](Bytes& B) { B[83] = 0x7F; })},
        {"emf reference device of negative size", Damaged("emf", [](Bytes& B) { B[75] = 0x80; })},
        {"emf brush made outside the object table", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_CREATEBRUSHINDIRECT) + 8, 0x7000);
         })},
        {"emf object selected outside the table", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_SELECTOBJECT) + 8, 0x10000);
         })},
        {"emf object deleted by a stock object's number", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_DELETEOBJECT) + 8, 0x80000007u);
         })},
        {"emf region filled with a brush outside the table", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_FILLRGN) + 28, 0xFF000001u);
         })},
        {"emf polygon of more points than held", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_POLYGON16) + 24, 0x100000);
         })},
        {"emf poly polygon counts beyond its points", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_POLYPOLYGON16) + 32, 5000);
         })},
        {"emf region longer than its record", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_FILLRGN) + 32 + 8, 1000);
         })},
        {"emf bitmap taller than its pixels", Damaged("emf", [](Bytes& B) {
             const size_t R = EmfRecord(B, EMR_STRETCHDIBITS);
             Set32(B, R + Get32(B, R + 48) + 8, 400);
         })},
        {"emf ellipse reaching a billion pixels out", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_ELLIPSE) + 8, 0x40000005u);
         })},
        {"emf bitmap copied from outside itself", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_STRETCHDIBITS) + 32, 100);
         })},
        {"emf brush of a style that needs a bitmap", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_CREATEBRUSHINDIRECT) + 12, BS_DIBPATTERNPT);
         })},
        {"emf text with options the format does not define", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_EXTTEXTOUTW) + 52, 0x90C8C400u);
         })},
        {"emf record of no known kind", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_EXTSELECTCLIPRGN), 0x004C004Bu);
         })},
        {"emf text longer than its record", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_EXTTEXTOUTW) + 44, 100000);
         })},
        {"emf clip region longer than its record", Damaged("emf", [](Bytes& B) {
             Set32(B, EmfRecord(B, EMR_EXTSELECTCLIPRGN) + 8, 5000);
         })},
        {"emf without end record", Damaged("emf", [](Bytes& B) {
             B.resize(B.size() - 20);
             Set32(B, 48, unsigned(B.size()));
         })},
        {"wmf of zero units an inch", Damaged("wmf", [](Bytes& B) { Set16(B, 14, 0); })},
        {"wmf a million pixels wide", Damaged("wmf", [](Bytes& B) { Set16(B, 14, 1); Set16(B, 10, 30000); })},
        {"wmf record of size 0", Damaged("wmf", [](Bytes& B) { Set32(B, 22 + 18, 0); })},
        {"wmf object selected outside the table", Damaged("wmf", [](Bytes& B) {
             Set16(B, WmfRecord(B, 0x012D) + 6, 40);
         })},
        {"wmf polygon of more points than held", Damaged("wmf", [](Bytes& B) {
             Set16(B, WmfRecord(B, 0x0324) + 6, 3000);
         })},
        {"wmf region scans beyond the record", Damaged("wmf", [](Bytes& B) {
             Set16(B, WmfRecord(B, 0x06FF) + 6 + 10, 50);
         })},
        {"wmf bitmap taller than its pixels", Damaged("wmf", [](Bytes& B) {
             Set32(B, WmfRecord(B, 0x0F43) + 6 + 22 + 8, 300);
         })},
        {"tiff strip past the data", Damaged("tiff", [](Bytes& B) { Set32(B, 8 + 2 + 5 * 12 + 8, 5000); })},
        {"tiff directory past the data", Damaged("tiff", [](Bytes& B) { Set32(B, 4, 90000); })},
        {"tiff directory chain in a loop", Damaged("tiff", [](Bytes& B) { Set32(B, 8 + 2 + 10 * 12, 8); })},
    };
    TDibSurface Dib(20, 20, clWhite);
    for (const Case& C : Cases) {
        EXPECT_FALSE(ImageBytesWellFormed(C.Data.data(), Int64(C.Data.size()))) << C.Name;
        EXPECT_TRUE(LoadsEmpty(C.Data, Dib)) << C.Name;
    }
    // Every file cut short is refused; only a run-length bitmap whose rows are all there may
    // lack its end code.
    for (const TSample& S : Samples())
        for (size_t Len = 0; Len < S.Data.size(); ++Len) {
            if (std::strcmp(S.Name, "bmp rle8") == 0 && Len == S.Data.size() - 2) continue;
            EXPECT_FALSE(ImageBytesWellFormed(S.Data.data(), Int64(Len))) << S.Name << " cut to " << Len;
        }
}

TEST(GDIPicture, RandomlyDamagedFilesNeverCrash)
{
    // Files of every format with a few bytes changed or cut (a PNG's checksums made right again
    // now and then), and random bytes, for a few seconds at most. What the check refuses loads
    // empty; the rest may load or not, but nothing crashes.
    const auto& All = Samples();
    std::mt19937 Rng(20261210);
    TDibSurface Dib(20, 20, clWhite);
    const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int Refused = 0, Rounds = 0;
    for (; std::chrono::steady_clock::now() < Until && Rounds < 6000; ++Rounds) {
        Bytes B;
        if (Rounds % 10 == 9) {
            B.resize(Rng() % 300);
            for (Byte& X : B) X = Byte(Rng());
        } else {
            const TSample& S = All[size_t(Rounds) % All.size()];
            B = S.Data;
            for (int K = 1 + int(Rng() % 8); K > 0; --K) {
                const size_t At = Rng() % B.size();
                switch (Rng() % 4) {
                case 0: B[At] = Byte(Rng()); break;
                case 1: B[At] = Rng() % 2 ? 0xFF : 0; break;
                case 2: B[At] ^= Byte(1u << (Rng() % 8)); break;
                default:
                    if (At + 4 <= B.size()) Set32(B, At, unsigned(Rng()));
                }
            }
            if (Rng() % 4 == 0) B.resize(B.size() - Rng() % B.size());
            if (Rng() % 3 == 0 && B.size() > 30 && (B[0] == 0x89 || std::strcmp(S.Name, "ico png") == 0))
                FixPngChecksums(B, B[0] == 0x89 ? 0 : 22);
        }
        if (ImageBytesWellFormed(B.data(), Int64(B.size()))) {
            auto P = FromBytes(B);
            P->Draw(Dib.Canvas(), TRect{0, 0, 20, 20});
        } else {
            ++Refused;
            EXPECT_TRUE(LoadsEmpty(B, Dib)) << "round " << Rounds;
        }
    }
    EXPECT_GT(Refused, Rounds / 2);
}
