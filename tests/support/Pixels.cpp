// Painting into memory and reading the pixels back.
#include "Pixels.h"
#include "UiHarness.h"

#include "framework/PngImage.h"

#include <algorithm>

TDibSurface::TDibSurface(int Width, int Height, TColor Background)
    : FWidth(std::max(Width, 1)), FHeight(std::max(Height, 1)), FBackground(Background)
{
    BITMAPINFO BI{};
    BI.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    BI.bmiHeader.biWidth = FWidth;
    BI.bmiHeader.biHeight = -FHeight;   // top-down: row 0 first
    BI.bmiHeader.biPlanes = 1;
    BI.bmiHeader.biBitCount = 32;
    BI.bmiHeader.biCompression = BI_RGB;
    void* Bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &BI, DIB_RGB_COLORS, &Bits, nullptr, 0);
    FBits = static_cast<std::uint32_t*>(Bits);
    FDC = CreateCompatibleDC(nullptr);
    FOldBitmap = SelectObject(FDC, FBitmap);
    Fill(Background);
}

TDibSurface::~TDibSurface()
{
    if (FCanvas) {
        FCanvas->SetHandle(nullptr);
        delete FCanvas;
    }
    SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
}

TCanvas* TDibSurface::Canvas()
{
    if (!FCanvas) {
        FCanvas = Create<TCanvas>();
        FCanvas->SetHandle(FDC);
    }
    return FCanvas;
}

void TDibSurface::Fill(TColor Color)
{
    GdiFlush();
    COLORREF C = COLORREF(ColorToRGB(Color));
    std::uint32_t V = (C & 0xFF) << 16 | (C & 0xFF00) | ((C >> 16) & 0xFF);
    std::fill(FBits, FBits + size_t(FWidth) * size_t(FHeight), V);
}

std::uint32_t TDibSurface::RawPixel(int X, int Y) const
{
    GdiFlush();
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0xFFFFFFFF;
    return FBits[size_t(Y) * size_t(FWidth) + size_t(X)];
}

const std::uint32_t* TDibSurface::Row(int Y) const
{
    GdiFlush();
    return FBits + size_t(std::clamp(Y, 0, FHeight - 1)) * size_t(FWidth);
}

TColor TDibSurface::Pixel(int X, int Y) const
{
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return clNone;
    std::uint32_t V = RawPixel(X, Y);
    return TColor(((V & 0xFF) << 16) | (V & 0xFF00) | ((V >> 16) & 0xFF));
}

namespace {

TRect Clip(const TRect& R, int W, int H)
{
    return {std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, W), std::min(R.Bottom, H)};
}

}  // namespace

int TDibSurface::CountColor(const TRect& R, TColor Color) const
{
    TRect C = Clip(R, FWidth, FHeight);
    TColor Want = ColorToRGB(Color) & 0xFFFFFF;
    int N = 0;
    for (int Y = C.Top; Y < C.Bottom; ++Y)
        for (int X = C.Left; X < C.Right; ++X)
            if (Pixel(X, Y) == Want) ++N;
    return N;
}

int TDibSurface::InkCount(const TRect& R, TColor Background) const
{
    TRect C = Clip(R, FWidth, FHeight);
    int Area = std::max(C.Width(), 0) * std::max(C.Height(), 0);
    return Area - (Area ? CountColor(C, Background) : 0);
}

TRect TDibSurface::InkBounds(const TRect& R, TColor Background) const
{
    TRect C = Clip(R, FWidth, FHeight);
    TColor Bg = ColorToRGB(Background) & 0xFFFFFF;
    TRect Ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    bool Any = false;
    for (int Y = C.Top; Y < C.Bottom; ++Y)
        for (int X = C.Left; X < C.Right; ++X)
            if (Pixel(X, Y) != Bg) {
                Any = true;
                Ink.Left = std::min(Ink.Left, X);
                Ink.Top = std::min(Ink.Top, Y);
                Ink.Right = std::max(Ink.Right, X + 1);
                Ink.Bottom = std::max(Ink.Bottom, Y + 1);
            }
    return Any ? Ink : TRect{};
}

int TDibSurface::DiffCount(const TDibSurface& Other) const
{
    if (Other.FWidth != FWidth || Other.FHeight != FHeight) return FWidth * FHeight;
    int N = 0;
    for (int Y = 0; Y < FHeight; ++Y)
        for (int X = 0; X < FWidth; ++X)
            if (Pixel(X, Y) != Other.Pixel(X, Y)) ++N;
    return N;
}

bool TDibSurface::SavePng(const String& FileName) const
{
    GdiFlush();
    std::vector<Byte> Opaque(size_t(FWidth) * size_t(FHeight) * 4);
    std::memcpy(Opaque.data(), FBits, Opaque.size());
    for (size_t I = 3; I < Opaque.size(); I += 4) Opaque[I] = 255;
    std::vector<Byte> Data = EncodePng(Opaque.data(), FWidth, FHeight, FWidth * 4, false);
    HANDLE F = CreateFileW(FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (F == INVALID_HANDLE_VALUE) return false;
    DWORD Written = 0;
    bool Ok = WriteFile(F, Data.data(), DWORD(Data.size()), &Written, nullptr) && Written == Data.size();
    CloseHandle(F);
    return Ok;
}

void PaintWindowInto(HWND Wnd, TDibSurface& Surface, bool ClientOnly)
{
    LPARAM Flags = PRF_CLIENT | PRF_CHILDREN | PRF_ERASEBKGND | (ClientOnly ? 0 : PRF_NONCLIENT);
    SendMessageW(Wnd, WM_PRINT, WPARAM(Surface.DC()), Flags);
    GdiFlush();
}

std::unique_ptr<TDibSurface> CaptureWindowFromScreen(HWND Wnd)
{
    SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Pump();
    GdiFlush();
    RECT R;
    GetWindowRect(Wnd, &R);
    auto Surface = std::make_unique<TDibSurface>(R.right - R.left, R.bottom - R.top, clBlack);
    HDC Screen = GetDC(nullptr);
    BitBlt(Surface->DC(), 0, 0, R.right - R.left, R.bottom - R.top, Screen, R.left, R.top, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    GdiFlush();
    return Surface;
}

std::unique_ptr<TDibSurface> CaptureScreenRect(const TRect& ScreenRect)
{
    GdiFlush();
    auto Surface = std::make_unique<TDibSurface>(std::max(1, ScreenRect.Width()), std::max(1, ScreenRect.Height()), clBlack);
    HDC Screen = GetDC(nullptr);
    BitBlt(Surface->DC(), 0, 0, ScreenRect.Width(), ScreenRect.Height(), Screen, ScreenRect.Left, ScreenRect.Top, SRCCOPY);
    ReleaseDC(nullptr, Screen);
    GdiFlush();
    return Surface;
}

std::unique_ptr<TDibSurface> CaptureWindowAsShown(HWND Wnd, int ExtraBelow)
{
    RedrawWindow(Wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui::Pump();
    RECT R;
    GetWindowRect(Wnd, &R);
    return CaptureScreenRect(TRect{R.left, R.top, R.right, R.bottom + ExtraBelow});
}

String SnapshotPath(const String& Name)
{
    wchar_t Exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, Exe, MAX_PATH);
    String Dir = Exe;
    size_t Sep = Dir.find_last_of(L"\\/");
    Dir = (Sep == String::npos ? String(L".") : Dir.substr(0, Sep)) + L"\\snapshots";
    CreateDirectoryW(Dir.c_str(), nullptr);
    return Dir + L"\\" + Name;
}

DWORD GdiObjectCount()
{
    if (DWORD N = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return N;
    // A handle given as its table index alone (no uniqueness bits) names the live object there.
    DWORD N = 0;
    for (ULONG_PTR Index = 1; Index <= 0xFFFF; ++Index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(Index)) != 0) ++N;
    return N;
}
