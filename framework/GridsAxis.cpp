// Grids: one axis of a grid (TGridAxis) and how it lies in the client area (TGridAxisDrawInfo).
// Neither needs a window: everything here follows from counts, sizes, an origin and an extent.
#include "Grids.h"

#include <algorithm>

// ---- TGridAxis ---------------------------------------------------------------------------------

int TGridAxis::Size(int Index) const
{
    return Index >= 0 && Index < int(FSizes.size()) ? FSizes[Index] : FDefaultSize;
}

namespace {

constexpr size_t LowBit(size_t i)
{
    return i & (~i + 1);
}

} // namespace

void TGridAxis::SetCount(int Value)
{
    const bool Kept = SumsKept();
    const size_t Old = FSizes.size();
    FSizes.resize(Value, FDefaultSize);
    FCount = Value;
    if (FFixedCount >= FCount) FFixedCount = std::max(0, FCount - 1);
    if (!Kept) return;
    // The running sums follow: a lower count drops entries (each covers only cells before it),
    // a higher one adds each new entry from the sums already there.
    if (FSizes.size() < Old) {
        FSums.resize(FSizes.size() + 1);
        return;
    }
    FSums.reserve(FSizes.size() + 1);
    for (size_t i = Old + 1; i <= FSizes.size(); ++i)
        FSums.push_back(FSizes[i - 1] + SumsPrefix(i - 1) - SumsPrefix(i - LowBit(i)));
}

bool TGridAxis::SetSize(int Index, int Value)
{
    Value = std::max(0, Value);
    if (FSizes[Index] == Value) return false;
    SumsAdd(Index, Int64(Value) - FSizes[Index]);
    FSizes[Index] = Value;
    return true;
}

void TGridAxis::SetDefaultSize(int Value)
{
    FDefaultSize = std::max(0, Value);
    std::fill(FSizes.begin(), FSizes.end(), FDefaultSize);
    FSums.clear();
}

void TGridAxis::Scale(int M, int D)
{
    FDefaultSize = MulDiv(FDefaultSize, M, D);
    for (int& S : FSizes) S = MulDiv(S, M, D);
    FSums.clear();
}

Int64 TGridAxis::SumsPrefix(size_t Count) const
{
    Int64 S = 0;
    for (size_t i = Count; i > 0; i -= LowBit(i)) S += FSums[i];
    return S;
}

void TGridAxis::SumsAdd(int Index, Int64 Delta)
{
    if (!SumsKept()) return;
    for (size_t i = size_t(Index) + 1; i < FSums.size(); i += LowBit(i)) FSums[i] += Delta;
}

Int64 TGridAxis::SizeSum(int Index) const
{
    if (!SumsKept()) {
        // Made in one pass: each entry passes its sum on to the entry that covers it.
        FSums.assign(FSizes.size() + 1, 0);
        for (size_t i = 1; i < FSums.size(); ++i) {
            FSums[i] += FSizes[i - 1];
            if (const size_t j = i + LowBit(i); j < FSums.size()) FSums[j] += FSums[i];
        }
    }
    return SumsPrefix(size_t(std::clamp(Index, 0, int(FSizes.size()))));
}

int TGridAxis::Inside(int Index) const
{
    return std::max(FFixedCount, std::min(Index, FCount - 1));
}

int TGridAxis::NextVisible(int From, int Step) const
{
    for (int i = From; i >= FFixedCount && i < FCount; i += Step)
        if (IsVisible(i)) return i;
    return -1;
}

int TGridAxis::StepFrom(int From, int Delta) const
{
    int Target = std::clamp(From + Delta, FFixedCount, FCount - 1);
    int Dir = Delta < 0 ? -1 : 1;
    int Found = NextVisible(Target, Dir);
    if (Found < 0) Found = NextVisible(Target, -Dir);
    return Found < 0 ? From : Found;
}

int TGridAxis::AfterMove(int Index, int From, int To)
{
    if (Index == From) return To;
    if (From < To && Index > From && Index <= To) return Index - 1;
    if (From > To && Index >= To && Index < From) return Index + 1;
    return Index;
}

// ---- TGridAxisDrawInfo -------------------------------------------------------------------------

void TGridAxisDrawInfo::From(const TGridAxis& Axis, int LineWidth, int First)
{
    EffectiveLineWidth = LineWidth;
    FixedCellCount = Axis.FixedCount();
    FirstGridCell = First;
    GridCellCount = Axis.Count();
    Extents = &Axis.Sizes();
}

int TGridAxisDrawInfo::Span(int Index) const
{
    int E = GetExtent(Index);
    return E > 0 ? E + EffectiveLineWidth : 0;
}

void TGridAxisDrawInfo::Calc(int AGridExtent)
{
    GridExtent = AGridExtent;
    int Pos = 0;
    for (int i = 0; i < FixedCellCount; ++i) Pos += Span(i);
    FixedBoundary = Pos;
    FullVisBoundary = Pos;
    LastFullVisibleCell = FirstGridCell - 1;
    int i = FirstGridCell;
    for (; i < GridCellCount && Pos < GridExtent; ++i) {
        int S = Span(i);
        Pos += S;
        // A cell is fully visible when its face fits; its trailing line may fall outside.
        if (Pos - (S > 0 ? EffectiveLineWidth : 0) <= GridExtent) {
            LastFullVisibleCell = i;
            FullVisBoundary = std::min(Pos, GridExtent);
        }
    }
    // Hidden cells right after the last visible one are "visible" too: they take no space.
    while (i < GridCellCount && Span(i) == 0 && Pos <= GridExtent && LastFullVisibleCell == i - 1) {
        LastFullVisibleCell = i;
        ++i;
    }
    GridBoundary = std::min(Pos, GridExtent);
}

int TGridAxisDrawInfo::CellAt(int P) const
{
    if (P < 0 || P >= GridBoundary) return -1;
    int Pos = 0;
    for (int i = 0; i < FixedCellCount; ++i) {
        Pos += Span(i);
        if (P < Pos) return i;
    }
    for (int i = FirstGridCell; i < GridCellCount && Pos < GridExtent; ++i) {
        Pos += Span(i);
        if (P < Pos) return i;
    }
    return -1;
}

int TGridAxisDrawInfo::CellStart(int Index) const
{
    if (Index < 0 || Index >= GridCellCount || GetExtent(Index) <= 0) return -1;
    int Pos = 0;
    if (Index < FixedCellCount) {
        for (int i = 0; i < Index; ++i) Pos += Span(i);
        return Pos < GridExtent ? Pos : -1;
    }
    if (Index < FirstGridCell) return -1;
    Pos = FixedBoundary;
    for (int i = FirstGridCell; i < Index; ++i) {
        Pos += Span(i);
        if (Pos >= GridExtent) return -1;
    }
    return Pos < GridExtent ? Pos : -1;
}

void TGridAxisDrawInfo::VisibleSpans(std::vector<TGridSpan>& Out) const
{
    Out.clear();
    auto Visit = [&](int i, int& Pos) {
        int E = GetExtent(i);
        if (E <= 0) return;
        Out.push_back({i, Pos, E});
        Pos += E + EffectiveLineWidth;
    };
    int Pos = 0;
    for (int i = 0; i < FixedCellCount && Pos < GridExtent; ++i) Visit(i, Pos);
    Pos = FixedBoundary;
    for (int i = FirstGridCell; i < GridCellCount && Pos < GridExtent; ++i) Visit(i, Pos);
}

bool TGridAxisDrawInfo::PixelRange(int Lo, int Hi, int& Start, int& End) const
{
    // Only the visible part: clipped to the view's first and last cells.
    Start = -1, End = -1;
    int Pos = 0;
    auto Visit = [&](int i) {
        int Sp = Span(i);
        if (i >= Lo && i <= Hi && Sp > 0) {
            if (Start < 0) Start = Pos;
            End = Pos + Sp;
        }
        Pos += Sp;
    };
    for (int i = 0; i < FixedCellCount; ++i) Visit(i);
    for (int i = FirstGridCell; i < GridCellCount && Pos < GridExtent && i <= Hi; ++i) Visit(i);
    return Start >= 0;
}

bool TGridAxisDrawInfo::BorderNear(int P, int Slop, int& Index, int& End) const
{
    int Start = 0;
    bool Found = false;
    // Looks at one cell; true when the cells from here on start beyond reach.
    auto Try = [&](int i) {
        int E = GetExtent(i);
        if (E <= 0) return false;
        int FaceEnd = Start + E;
        if (P >= FaceEnd - Slop && P <= FaceEnd + EffectiveLineWidth + Slop) {
            Index = i;
            End = FaceEnd;
            Found = true;
        }
        Start = FaceEnd + EffectiveLineWidth;
        return Start > P + Slop;
    };
    for (int i = 0; i < FixedCellCount; ++i)
        if (Try(i)) return Found;
    for (int i = FirstGridCell; i < GridCellCount && Start < GridExtent; ++i)
        if (Try(i)) return Found;
    return Found;
}

int TGridAxisDrawInfo::MaxFirst() const
{
    int Room = GridExtent - FixedBoundary;
    int Last = GridCellCount - 1;
    if (Last < FixedCellCount) return FixedCellCount;
    int First = Last;
    int Used = Span(Last);
    while (First > FixedCellCount) {
        int S = Span(First - 1);
        if (Used + S - (S > 0 ? EffectiveLineWidth : 0) > Room) break;
        Used += S;
        --First;
    }
    return First;
}

int TGridAxisDrawInfo::FirstShowing(int Index, int First) const
{
    if (Index < FixedCellCount || Index >= GridCellCount) return First;
    if (Index < First) return Index;
    if (Index <= LastFullVisibleCell) return First;
    // The first cell from which Index is the last fully visible one.
    int Room = GridExtent - FixedBoundary;
    int Used = Span(Index) - (GetExtent(Index) > 0 ? EffectiveLineWidth : 0);
    int F = Index;
    while (F > FixedCellCount) {
        int S = Span(F - 1);
        if (Used + S > Room) break;
        Used += S;
        --F;
    }
    return F;
}
