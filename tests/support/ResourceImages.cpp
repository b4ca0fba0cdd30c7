// Reading the program's own image resources as stored, and contact sheets.
#include "ResourceImages.h"

#include <algorithm>
#include <cstring>

namespace {

const BYTE* ResourceBytes(LPCWSTR Name, LPCWSTR Type, DWORD& Size)
{
    HMODULE Module = GetModuleHandleW(nullptr);
    HRSRC Info = FindResourceW(Module, Name, Type);
    if (!Info) return nullptr;
    HGLOBAL Data = LoadResource(Module, Info);
    Size = SizeofResource(Module, Info);
    return Data ? static_cast<const BYTE*>(LockResource(Data)) : nullptr;
}

int HeaderBitCount(const BYTE* Data, DWORD Size, DWORD Offset)
{
    BITMAPINFOHEADER Header;
    if (!Data || Size < Offset + sizeof(Header)) return 0;
    std::memcpy(&Header, Data + Offset, sizeof(Header));
    return Header.biBitCount;
}

}  // namespace

int ResourceBitCount(LPCWSTR Name, LPCWSTR Type)
{
    DWORD Size = 0;
    const BYTE* Data = ResourceBytes(Name, Type, Size);
    if (Type == RT_BITMAP) return HeaderBitCount(Data, Size, 0);
    const bool Icon = Type == RT_GROUP_ICON;
    if (!Icon && Type != RT_GROUP_CURSOR) return 0;
    // A group: a 6-byte header, then 14-byte entries whose last word names the image.
    if (!Data || Size < 6 + 14) return 0;
    WORD Id = 0;
    std::memcpy(&Id, Data + 6 + 12, sizeof(Id));
    DWORD ImageSize = 0;
    const BYTE* Image = ResourceBytes(MAKEINTRESOURCEW(Id), Icon ? RT_ICON : RT_CURSOR, ImageSize);
    // A cursor image starts with its hot spot (two words).
    return HeaderBitCount(Image, ImageSize, Icon ? 0 : 4);
}

TPoint CursorHotSpot(HCURSOR Cursor)
{
    ICONINFO Info{};
    if (!Cursor || !GetIconInfo(Cursor, &Info)) return {-1, -1};
    if (Info.hbmMask) DeleteObject(Info.hbmMask);
    if (Info.hbmColor) DeleteObject(Info.hbmColor);
    return {int(Info.xHotspot), int(Info.yHotspot)};
}

void TContactSheet::Add(const TDibSurface& Image, const TRect& R)
{
    TEntry E{R.Width(), R.Height(), {}};
    E.Pixels.reserve(size_t(E.Width) * size_t(E.Height));
    for (int Y = R.Top; Y < R.Bottom; ++Y)
        for (int X = R.Left; X < R.Right; ++X) E.Pixels.push_back(Image.RawPixel(X, Y));
    FEntries.push_back(std::move(E));
}

void TContactSheet::AddOnBackgrounds(int Width, int Height, const TDrawAt& Draw)
{
    const TColor Backgrounds[] = {clWhite, TColor(ColorToRGB(clBtnFace)),
                                  TColor(ColorToRGB(clHighlight))};
    TDibSurface Row(3 * (Width + 4), Height + 4, TColor(0x707070));
    for (int K = 0; K < 3; ++K) {
        const int X = K * (Width + 4) + 2;
        Row.Canvas()->GetBrush()->SetColor(Backgrounds[K]);
        Row.Canvas()->FillRect(TRect{X, 2, X + Width, 2 + Height});
        Draw(Row, X, 2, Backgrounds[K]);
    }
    Add(Row, Row.Bounds());
}

bool TContactSheet::Save(const String& Name) const
{
    if (FEntries.empty()) return false;
    // Each cell holds an entry at its own size and, beside it, enlarged.
    const int Gap = 8;
    int CellW = 0, CellH = 0;
    for (const TEntry& E : FEntries) {
        CellW = std::max(CellW, E.Width * (1 + FFactor) + 3 * Gap);
        CellH = std::max(CellH, E.Height * FFactor + 2 * Gap);
    }
    const int Columns = std::min<int>(FColumns, int(FEntries.size()));
    const int Rows = int((FEntries.size() + size_t(Columns) - 1) / size_t(Columns));
    TDibSurface Sheet(Columns * CellW, Rows * CellH, TColor(0x707070));
    for (size_t I = 0; I < FEntries.size(); ++I) {
        const TEntry& E = FEntries[I];
        const int X = int(I % size_t(Columns)) * CellW + Gap, Y = int(I / size_t(Columns)) * CellH + Gap;
        BITMAPINFO BI{};
        BI.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        BI.bmiHeader.biWidth = E.Width;
        BI.bmiHeader.biHeight = -E.Height;
        BI.bmiHeader.biPlanes = 1;
        BI.bmiHeader.biBitCount = 32;
        BI.bmiHeader.biCompression = BI_RGB;
        StretchDIBits(Sheet.DC(), X, Y, E.Width, E.Height, 0, 0, E.Width, E.Height, E.Pixels.data(), &BI,
                      DIB_RGB_COLORS, SRCCOPY);
        StretchDIBits(Sheet.DC(), X + E.Width + Gap, Y, E.Width * FFactor, E.Height * FFactor, 0, 0,
                      E.Width, E.Height, E.Pixels.data(), &BI, DIB_RGB_COLORS, SRCCOPY);
    }
    return Sheet.SavePng(SnapshotPath(Name));
}
