// The metro scroll indicator and its thumb arithmetic.
#include "grid/input/ScrollControl.h"

#include "framework/Math.h"

#include <algorithm>

namespace {

constexpr TColor ThumbColor = 0x00C0C0C0;
constexpr int MinThumb = 20;

} // namespace

namespace QorGridScroll {

void ThumbOf(const TScrollAxis& A, int& Pos, int& Size)
{
    double PosFraction = double(A.First - A.Fixed) / std::max(1, A.Count - A.Fixed);
    double SizeFraction = double(A.Visible) / std::max(1, A.Count);
    Pos = A.Offset + int(Round(A.Track * PosFraction));
    Size = std::max(MinThumb, int(Round(A.Track * SizeFraction)));
    if (Pos + Size > A.Length) Pos = A.Length - Size;
}

bool ThumbShown(const TScrollAxis& A)
{
    return A.Visible < A.Count - A.Fixed;
}

int PageTarget(const TScrollAxis& A, int P)
{
    int Pos, Size;
    ThumbOf(A, Pos, Size);
    if (P < Pos) return std::max(A.Fixed, A.First - A.Visible);
    if (P > Pos + Size) return std::max(A.Fixed, std::min(A.First + A.Visible, A.Count - A.Visible));
    return A.First;
}

int DragTarget(const TScrollAxis& A, int DownFirst, int Delta)
{
    int Scale = A.Length - A.FirstSize;
    if (Scale <= 0) Scale = A.Track;
    if (Scale <= 0) return DownFirst;
    int Moved = int(Round(double(Delta) / Scale * A.Count));
    return std::max(A.Fixed, std::min(DownFirst + Moved, A.Count - A.Visible));
}

} // namespace QorGridScroll

TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner), FColor(ThumbColor) {}

void TScrollControl::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    Invalidate();
}
