// Graphics: icons from ICO data, icon resources and icon handles.
#include "Graphics.h"
#include "PngImage.h"

#include <cstring>

namespace {

[[noreturn]] void BadIcon(const wchar_t* Why)
{
    throw EInvalidGraphic(Consts::SInvalidIcon, {Why});
}

uint32_t LE32(const Byte* P)
{
    return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
}

uint16_t LE16(const Byte* P)
{
    return uint16_t(P[0] | P[1] << 8);
}

void Put16(std::vector<Byte>& O, unsigned V)
{
    O.push_back(Byte(V));
    O.push_back(Byte(V >> 8));
}

void Put32(std::vector<Byte>& O, uint32_t V)
{
    for (int I = 0; I < 4; ++I) O.push_back(Byte(V >> (8 * I)));
}

struct TIconEntry {
    int Width = 0, Height = 0, BitCount = 0;
    const Byte* Image = nullptr;
    size_t Size = 0;
};

int Stride(int Width, int Bpp)
{
    return int(((Int64(Width) * Bpp + 31) / 32) * 4);
}

// Checks one image of an icon (a PNG, or a DIB with its XOR and AND masks) and gives its size.
bool CheckImage(TIconEntry& E)
{
    int W, H;
    if (ReadPngSize(E.Image, E.Size, W, H)) {
        try {
            DecodePng(E.Image, E.Size);
        } catch (const EInvalidGraphic&) {
            return false;
        }
        E.Width = W;
        E.Height = H;
        E.BitCount = 32;
        return true;
    }
    if (E.Size < 40 || LE32(E.Image) != 40) return false;
    int32_t DW = int32_t(LE32(E.Image + 4)), DH = int32_t(LE32(E.Image + 8));
    int Bpp = LE16(E.Image + 14);
    uint32_t Compression = LE32(E.Image + 16), ClrUsed = LE32(E.Image + 32);
    if (DW <= 0 || DW > 1024 || DH <= 0 || DH > 2048 || (DH & 1)) return false;
    if (Bpp != 1 && Bpp != 4 && Bpp != 8 && Bpp != 16 && Bpp != 24 && Bpp != 32) return false;
    if (Compression != BI_RGB) return false;
    size_t Colors = Bpp <= 8 ? (ClrUsed && ClrUsed <= (1u << Bpp) ? ClrUsed : (1u << Bpp)) : 0;
    int H2 = DH / 2;
    size_t Need = 40 + Colors * 4 + size_t(Stride(DW, Bpp)) * size_t(H2) +
                  size_t(Stride(DW, 1)) * size_t(H2);
    // Some writers leave the AND mask out of 32-bit images; the XOR part must be whole.
    size_t NeedXor = 40 + Colors * 4 + size_t(Stride(DW, Bpp)) * size_t(H2);
    if (E.Size < (Bpp == 32 ? NeedXor : Need)) return false;
    E.Width = DW;
    E.Height = H2;
    E.BitCount = Bpp;
    return true;
}

std::vector<TIconEntry> ReadIconDir(const Byte* Data, size_t Size)
{
    if (!Data || Size < 6 || LE16(Data) != 0 || LE16(Data + 2) != 1) BadIcon(Consts::SIconNotIco);
    int Count = LE16(Data + 4);
    if (Count == 0 || 6 + size_t(Count) * 16 > Size) BadIcon(L"bad directory");
    std::vector<TIconEntry> Entries;
    for (int I = 0; I < Count; ++I) {
        const Byte* D = Data + 6 + I * 16;
        size_t ImgSize = LE32(D + 8), Offset = LE32(D + 12);
        if (Offset > Size || ImgSize > Size - Offset || ImgSize == 0) BadIcon(L"image outside the file");
        TIconEntry E;
        E.Image = Data + Offset;
        E.Size = ImgSize;
        if (!CheckImage(E)) BadIcon(L"bad image");
        Entries.push_back(E);
    }
    return Entries;
}

// The entry nearest the wanted size, the deepest colours among equals.
const TIconEntry& ChooseEntry(const std::vector<TIconEntry>& Entries, int W, int H)
{
    const TIconEntry* Best = &Entries[0];
    auto Score = [&](const TIconEntry& E) { return std::abs(E.Width - W) + std::abs(E.Height - H); };
    for (const auto& E : Entries)
        if (Score(E) < Score(*Best) || (Score(E) == Score(*Best) && E.BitCount > Best->BitCount))
            Best = &E;
    return *Best;
}

}  // namespace

TIcon::~TIcon()
{
    FreeIconHandle();
}

void TIcon::FreeIconHandle()
{
    if (FHandle) DestroyIcon(FHandle);
    FHandle = nullptr;
}

int TIcon::GetWidth() const
{
    return FWidth;
}

int TIcon::GetHeight() const
{
    return FHeight;
}

void TIcon::LoadFromBytes(const Byte* Data, size_t Size)
{
    std::vector<TIconEntry> Entries = ReadIconDir(Data, Size);
    int W = FRequestedWidth ? FRequestedWidth : GetSystemMetrics(SM_CXICON);
    int H = FRequestedHeight ? FRequestedHeight : GetSystemMetrics(SM_CYICON);
    const TIconEntry& E = ChooseEntry(Entries, W, H);
    HICON Icon = CreateIconFromResourceEx(const_cast<PBYTE>(E.Image), DWORD(E.Size), TRUE,
                                          0x00030000, E.Width, E.Height, LR_DEFAULTCOLOR);
    if (!Icon) BadIcon(L"the system refused the image");
    std::vector<Byte> Copy(Data, Data + Size);
    FreeIconHandle();
    FHandle = Icon;
    FData = std::move(Copy);
    FWidth = E.Width;
    FHeight = E.Height;
    Changed(this);
}

void TIcon::LoadFromStream(TStream* Stream)
{
    // The directory says where the last image ends: read exactly that much.
    Byte Head[6];
    if (Stream->Read(Head, 6) != 6) BadIcon(Consts::SIconTruncatedFile);
    int Count = LE16(Head + 4);
    if (LE16(Head) != 0 || LE16(Head + 2) != 1 || Count == 0) BadIcon(Consts::SIconNotIco);
    std::vector<Byte> Data(Head, Head + 6);
    Data.resize(6 + size_t(Count) * 16);
    if (Stream->Read(Data.data() + 6, Integer(Count * 16)) != Count * 16)
        BadIcon(Consts::SIconTruncatedFile);
    size_t End = Data.size();
    for (int I = 0; I < Count; ++I) {
        const Byte* D = Data.data() + 6 + I * 16;
        End = std::max<size_t>(End, size_t(LE32(D + 12)) + LE32(D + 8));
    }
    Int64 Rest = Stream->GetSize() - Stream->GetPosition();
    if (Int64(End - Data.size()) > Rest) BadIcon(Consts::SIconTruncatedFile);
    size_t Have = Data.size();
    Data.resize(End);
    if (End > Have) Stream->ReadBuffer(Data.data() + Have, NativeInt(End - Have));
    LoadFromBytes(Data.data(), Data.size());
}

std::vector<Byte> TIcon::SaveToBytes()
{
    if (!FData.empty()) return FData;
    std::vector<Byte> Out;
    if (!FHandle) return Out;
    // An icon known only by its handle: write its colour and mask bitmaps as one 32-bit image.
    ICONINFO II{};
    if (!GetIconInfo(FHandle, &II)) throw EInvalidGraphic(L"Invalid icon handle");
    TGdiBitmap ColorBitmap(II.hbmColor), MaskBitmap(II.hbmMask);   // the copies GetIconInfo made
    BITMAP BM{};
    GetObjectW(II.hbmColor ? II.hbmColor : II.hbmMask, sizeof(BM), &BM);
    int W = BM.bmWidth, H = II.hbmColor ? BM.bmHeight : BM.bmHeight / 2;
    std::vector<Byte> Color(size_t(W) * size_t(H) * 4), Mask(size_t(Stride(W, 1)) * size_t(H));
    TCompatibleDC DC(nullptr);
    struct {
        BITMAPINFOHEADER H;
        RGBQUAD C[2];
    } BI{};
    BI.H.biSize = sizeof(BITMAPINFOHEADER);
    BI.H.biWidth = W;
    BI.H.biHeight = H;
    BI.H.biPlanes = 1;
    BI.H.biBitCount = 32;
    if (II.hbmColor)
        GetDIBits(DC, II.hbmColor, 0, UINT(H), Color.data(), reinterpret_cast<BITMAPINFO*>(&BI), DIB_RGB_COLORS);
    BI.H.biBitCount = 1;
    BI.H.biClrUsed = 0;
    BI.H.biHeight = II.hbmColor ? H : H * 2;
    std::vector<Byte> FullMask(size_t(Stride(W, 1)) * size_t(BI.H.biHeight));
    GetDIBits(DC, II.hbmMask, 0, UINT(BI.H.biHeight), FullMask.data(), reinterpret_cast<BITMAPINFO*>(&BI),
              DIB_RGB_COLORS);
    // Bottom-up: with a monochrome icon the AND mask is the upper half, the last rows in memory.
    size_t MaskOffset = II.hbmColor ? 0 : size_t(Stride(W, 1)) * size_t(H);
    std::memcpy(Mask.data(), FullMask.data() + MaskOffset, Mask.size());
    if (!II.hbmColor) {
        // The lower half is the XOR image in black and white.
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X) {
                bool Bit = (FullMask[size_t(Y) * size_t(Stride(W, 1)) + size_t(X / 8)] >> (7 - X % 8)) & 1;
                Byte* P = Color.data() + (size_t(Y) * size_t(W) + size_t(X)) * 4;
                P[0] = P[1] = P[2] = Bit ? 255 : 0;
            }
    }
    bool AnyAlpha = false;
    for (size_t I = 3; I < Color.size(); I += 4) AnyAlpha = AnyAlpha || Color[I] != 0;
    if (!AnyAlpha)
        for (int Y = 0; Y < H; ++Y)
            for (int X = 0; X < W; ++X) {
                bool Transparent = (Mask[size_t(Y) * size_t(Stride(W, 1)) + size_t(X / 8)] >> (7 - X % 8)) & 1;
                Color[(size_t(Y) * size_t(W) + size_t(X)) * 4 + 3] = Transparent ? 0 : 255;
            }

    size_t ImageSize = 40 + Color.size() + Mask.size();
    Put16(Out, 0);
    Put16(Out, 1);
    Put16(Out, 1);
    Out.push_back(Byte(W >= 256 ? 0 : W));
    Out.push_back(Byte(H >= 256 ? 0 : H));
    Out.push_back(0);
    Out.push_back(0);
    Put16(Out, 1);
    Put16(Out, 32);
    Put32(Out, uint32_t(ImageSize));
    Put32(Out, 22);
    Put32(Out, 40);
    Put32(Out, uint32_t(W));
    Put32(Out, uint32_t(H * 2));
    Put16(Out, 1);
    Put16(Out, 32);
    for (int I = 0; I < 6; ++I) Put32(Out, 0);
    Out.insert(Out.end(), Color.begin(), Color.end());
    Out.insert(Out.end(), Mask.begin(), Mask.end());
    return Out;
}

void TIcon::SaveToStream(TStream* Stream)
{
    std::vector<Byte> Data = SaveToBytes();
    if (!Data.empty()) Stream->WriteBuffer(Data.data(), NativeInt(Data.size()));
}

HICON TIcon::GetHandle()
{
    return FHandle;
}

void TIcon::SetHandle(HICON Value)
{
    if (Value == FHandle) return;
    FreeIconHandle();
    FData.clear();
    FHandle = Value;
    FWidth = FHeight = 0;
    ICONINFO II{};
    if (Value && GetIconInfo(Value, &II)) {
        TGdiBitmap ColorBitmap(II.hbmColor), MaskBitmap(II.hbmMask);
        BITMAP BM{};
        if (II.hbmColor && GetObjectW(II.hbmColor, sizeof(BM), &BM)) {
            FWidth = BM.bmWidth;
            FHeight = BM.bmHeight;
        } else if (II.hbmMask && GetObjectW(II.hbmMask, sizeof(BM), &BM)) {
            FWidth = BM.bmWidth;
            FHeight = BM.bmHeight / 2;
        }
    }
    Changed(this);
}

HICON TIcon::ReleaseHandle()
{
    HICON H = FHandle;
    FHandle = nullptr;
    FData.clear();
    FWidth = FHeight = 0;
    Changed(this);
    return H;
}

void TIcon::SetSize(int AWidth, int AHeight)
{
    FRequestedWidth = std::max(AWidth, 0);
    FRequestedHeight = std::max(AHeight, 0);
    if (!FData.empty()) {
        std::vector<Byte> Copy = FData;
        LoadFromBytes(Copy.data(), Copy.size());
    }
}

void TIcon::SetWidth(int Value)
{
    SetSize(Value, FRequestedHeight ? FRequestedHeight : (FHeight ? FHeight : Value));
}

void TIcon::SetHeight(int Value)
{
    SetSize(FRequestedWidth ? FRequestedWidth : (FWidth ? FWidth : Value), Value);
}

void TIcon::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (!FHandle || !ACanvas) return;
    DrawIconEx(ACanvas->GetHandle(), Rect.Left, Rect.Top, FHandle, Rect.Width(), Rect.Height(), 0,
               nullptr, DI_NORMAL);
}

void TIcon::Assign(TPersistent* Source)
{
    if (!Source) {
        FreeIconHandle();
        FData.clear();
        FWidth = FHeight = 0;
        Changed(this);
        return;
    }
    if (auto* I = dynamic_cast<TIcon*>(Source)) {
        if (I == this) return;
        FRequestedWidth = I->FRequestedWidth;
        FRequestedHeight = I->FRequestedHeight;
        if (!I->FData.empty()) {
            std::vector<Byte> Copy = I->FData;
            LoadFromBytes(Copy.data(), Copy.size());
        } else {
            SetHandle(I->FHandle ? CopyIcon(I->FHandle) : nullptr);
        }
        return;
    }
    inherited::Assign(Source);
}

namespace {

#pragma pack(push, 2)
struct TGroupEntry {
    Byte Width, Height, ColorCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD ID;
};
#pragma pack(pop)

// Builds an ICO file from an icon group resource and the icon images it names.
std::vector<Byte> IconFileFromResource(HINSTANCE Instance, const wchar_t* Name, const String& Shown)
{
    HRSRC Res = FindResourceW(Instance, Name, MAKEINTRESOURCEW(14) /*RT_GROUP_ICON*/);
    HGLOBAL G = Res ? LoadResource(Instance, Res) : nullptr;
    const Byte* Dir = G ? static_cast<const Byte*>(LockResource(G)) : nullptr;
    if (!Dir) throw EResNotFound(Consts::SResNotFound, {Shown});
    size_t DirSize = SizeofResource(Instance, Res);
    if (DirSize < 6) BadIcon(Consts::SIconBadGroup);
    int Count = LE16(Dir + 4);
    if (6 + size_t(Count) * sizeof(TGroupEntry) > DirSize || Count == 0) BadIcon(Consts::SIconBadGroup);
    std::vector<std::pair<const Byte*, size_t>> Images;
    std::vector<TGroupEntry> Entries(static_cast<size_t>(Count));
    std::memcpy(Entries.data(), Dir + 6, size_t(Count) * sizeof(TGroupEntry));
    for (const auto& E : Entries) {
        HRSRC R = FindResourceW(Instance, MAKEINTRESOURCEW(E.ID), MAKEINTRESOURCEW(3) /*RT_ICON*/);
        HGLOBAL IG = R ? LoadResource(Instance, R) : nullptr;
        const Byte* P = IG ? static_cast<const Byte*>(LockResource(IG)) : nullptr;
        if (!P) BadIcon(L"icon image resource missing");
        Images.push_back({P, SizeofResource(Instance, R)});
    }
    std::vector<Byte> Out;
    Put16(Out, 0);
    Put16(Out, 1);
    Put16(Out, unsigned(Count));
    uint32_t Offset = 6 + uint32_t(Count) * 16;
    for (size_t I = 0; I < Entries.size(); ++I) {
        const auto& E = Entries[I];
        Out.push_back(E.Width);
        Out.push_back(E.Height);
        Out.push_back(E.ColorCount);
        Out.push_back(0);
        Put16(Out, E.Planes);
        Put16(Out, E.BitCount);
        Put32(Out, uint32_t(Images[I].second));
        Put32(Out, Offset);
        Offset += uint32_t(Images[I].second);
    }
    for (const auto& Img : Images) Out.insert(Out.end(), Img.first, Img.first + Img.second);
    return Out;
}

}  // namespace

void TIcon::LoadFromResourceName(HINSTANCE Instance, const String& ResName)
{
    std::vector<Byte> Data = IconFileFromResource(Instance, ResName.c_str(), ResName);
    LoadFromBytes(Data.data(), Data.size());
}

void TIcon::LoadFromResourceID(HINSTANCE Instance, int ResID)
{
    std::vector<Byte> Data = IconFileFromResource(Instance, MAKEINTRESOURCEW(ResID), std::to_wstring(ResID));
    LoadFromBytes(Data.data(), Data.size());
}
