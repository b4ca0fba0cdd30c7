// The focus frame's image: the 32-bit alpha mask, the Gaussian blur and the rounded rectangle.
#include "grid/paint/ArrowFocusWindows.h"

#include "framework/Math.h"
#include "framework/SysUtils.h"
#include "grid/QorGridConsts.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Bytes per pixel of a bitmap read as 24 or 32 bits (pfDevice is a 32-bit DIB); 0 otherwise.
int BytesPerPixel(TBitmap* B)
{
    switch (B->GetPixelFormat()) {
    case pf24bit: return 3;
    case pf32bit:
    case pfDevice: return 4;
    default: return 0;
    }
}

}  // namespace

// ---- TGridAlphaMask -----------------------------------------------------------------------------

TGridAlphaMask::TGridAlphaMask()
{
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::Assign(TPersistent* Source)
{
    auto* Other = dynamic_cast<TGridAlphaMask*>(Source);
    if (Other == this) return;
    if (Other && Other->GetPixelFormat() == pf32bit) {
        // The size comes from the source, so every row copied lies inside both masks.
        FOpacity = Other->FOpacity;
        SetPixelFormat(pf32bit);
        SetSize(Other->GetWidth(), Other->GetHeight());
        const size_t RowBytes = size_t(Other->GetWidth()) * 4;
        for (int Y = 0; Y < Other->GetHeight(); ++Y) std::memcpy(ScanLine(Y), Other->ScanLine(Y), RowBytes);
    } else {
        if (Other) FOpacity = Other->FOpacity;
        inherited::Assign(Source);
    }
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor)
{
    if (!Mask || !Bitmap || Mask == this || Bitmap == this || Bitmap->GetPixelFormat() != pf24bit) return;
    const int W = Bitmap->GetWidth(), H = Bitmap->GetHeight();
    const int MaskStep = BytesPerPixel(Mask);
    // Every pixel of Bitmap needs one of the mask.
    if (MaskStep == 0 || Mask->GetWidth() < W || Mask->GetHeight() < H) return;
    SetPixelFormat(pf32bit);
    SetSize(W, H);
    for (int Y = 0; Y < H; ++Y) {
        const auto* M = static_cast<const Byte*>(Mask->ScanLine(Y));
        const auto* B = static_cast<const Byte*>(Bitmap->ScanLine(Y));
        auto* D = static_cast<Byte*>(ScanLine(Y));
        for (int X = 0; X < W; ++X) {
            const Byte A = M[X * MaskStep + 2];
            for (int Ch = 0; Ch < 3; ++Ch) D[X * 4 + Ch] = Byte(Round(A / 255.0 * B[X * 3 + Ch]));
            D[X * 4 + 3] = A;
        }
    }
}

// ---- Gaussian blur ------------------------------------------------------------------------------

namespace ArrowFocusWindows {

void MakeGaussianKernel(TKernel& K, double Radius, double MaxData, double DataGranularity)
{
    K.W.fill(0);
    if (!(std::fabs(Radius) > 0)) {
        // No spread: the identity.
        K.Weights(0) = 1;
        K.Size = 1;
        return;
    }
    double Sum = 0;
    for (int j = -MaxKernelSize; j <= MaxKernelSize; ++j) {
        K.Weights(j) = float(std::exp(-(j / Radius) * (j / Radius) / 2));
        Sum += K.Weights(j);
    }
    for (float& Wj : K.W) Wj = float(Wj / Sum);
    // Cut the tails that weigh less than the data can show.
    const double Delta = DataGranularity / (2 * MaxData);
    Sum = 0;
    int Size = MaxKernelSize;
    while (Sum < Delta && Size > 1) {
        Sum += 2 * K.Weights(Size);
        --Size;
    }
    K.Size = Byte(Size);
    Sum = 0;
    for (int j = -Size; j <= Size; ++j) Sum += K.Weights(j);
    for (int j = -Size; j <= Size; ++j) K.Weights(j) = float(K.Weights(j) / Sum);
}

int TrimInt(int Lower, int Upper, int theInteger)
{
    if (theInteger > Upper) return Upper;
    if (theInteger < Lower) return Lower;
    return theInteger;
}

int TrimReal(int Lower, int Upper, double x)
{
    if (x >= Upper) return Upper;
    if (x >= Lower) return int(std::trunc(x));
    return Lower;   // below, or not a number
}

void BlurRow(RGBTRIPLE* theRow, int n, const TKernel& K, RGBTRIPLE* P)
{
    for (int j = 0; j < n; ++j) {
        double B = 0, G = 0, R = 0;
        for (int i = -K.Size; i <= K.Size; ++i) {
            const RGBTRIPLE& Px = theRow[TrimInt(0, n - 1, j - i)];
            const double Wi = K.Weights(i);
            B += Wi * Px.rgbtBlue;
            G += Wi * Px.rgbtGreen;
            R += Wi * Px.rgbtRed;
        }
        P[j].rgbtBlue = Byte(TrimReal(0, 255, B));
        P[j].rgbtGreen = Byte(TrimReal(0, 255, G));
        P[j].rgbtRed = Byte(TrimReal(0, 255, R));
    }
    std::memcpy(theRow, P, size_t(n) * sizeof(RGBTRIPLE));
}

void GBlur(TBitmap* theBitmap, double Radius)
{
    if (!theBitmap || theBitmap->GetPixelFormat() != pf24bit) throw Exception(QorGridConsts::SBlurOnly24Bit);
    if (!(std::fabs(Radius) > 0)) return;   // nothing to spread (and no division by a zero radius)
    TKernel K;
    MakeGaussianKernel(K, Radius, 255, 1);
    const int W = theBitmap->GetWidth(), H = theBitmap->GetHeight();
    if (W == 0 || H == 0) return;
    auto Row = [theBitmap](int Y) { return static_cast<RGBTRIPLE*>(theBitmap->ScanLine(Y)); };
    std::vector<RGBTRIPLE> P(static_cast<size_t>(std::max(W, H))), Column(static_cast<size_t>(H));
    // The middle band repeats row and column 15, blurred before any row or column that copies it.
    for (int Y = 0; Y < H; ++Y) {
        if (Y > 20 && Y < H - 20) std::memcpy(Row(Y), Row(15), size_t(W) * sizeof(RGBTRIPLE));
        else BlurRow(Row(Y), W, K, P.data());
    }
    for (int X = 0; X < W; ++X) {
        if (X > 20 && X < W - 20) {
            for (int Y = 0; Y < H; ++Y) Row(Y)[X] = Row(Y)[15];
            continue;
        }
        for (int Y = 0; Y < H; ++Y) Column[size_t(Y)] = Row(Y)[X];
        BlurRow(Column.data(), H, K, P.data());
        for (int Y = 0; Y < H; ++Y) Row(Y)[X] = Column[size_t(Y)];
    }
}

void DrawRoundRect(TBitmap* Bitmap, int W, int H, int Thickness, int Radius, double Blur)
{
    W = std::max(0, W);
    H = std::max(0, H);
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(W, H);
    TCanvas* C = Bitmap->GetCanvas();
    C->GetBrush()->SetStyle(bsSolid);
    C->GetBrush()->SetColor(clBlack);
    C->FillRect(TRect(0, 0, W, H));
    TFreePtr<TPen> Saved(Create<TPen>());
    Saved->Assign(C->GetPen());
    C->GetPen()->SetColor(clWhite);
    C->GetPen()->SetStyle(psSolid);
    if (Thickness < 1) {
        // A filled shape.
        C->GetPen()->SetWidth(1);
        C->GetBrush()->SetColor(clWhite);
    } else {
        C->GetPen()->SetWidth(Thickness);
        C->GetBrush()->SetColor(clBlack);
    }
    const int t = Thickness / 2;
    C->RoundRect(t + 2, t + 2, W - t - 2, H - t - 2, Radius, Radius);
    C->SetPen(Saved.get());
    if (Blur > 0) GBlur(Bitmap, Blur);
}

}  // namespace ArrowFocusWindows
