// The lookup of hidden rows' real indexes.
#include "grid/view/HiddenRowMap.h"

#include <algorithm>

void THiddenRowMap::Assign(std::vector<int> RealRows)
{
    std::sort(RealRows.begin(), RealRows.end());
    FRows = std::move(RealRows);
}

bool THiddenRowMap::IsHidden(int RealRow) const
{
    return std::binary_search(FRows.begin(), FRows.end(), RealRow);
}

int THiddenRowMap::CountBelow(int RealRow) const
{
    return int(std::lower_bound(FRows.begin(), FRows.end(), RealRow) - FRows.begin());
}

int THiddenRowMap::ToReal(int DisplRow) const
{
    if (FRows.empty()) return DisplRow;
    if (DisplRow < 0) return -1;
    // The k-th hidden row has FRows[k] - k shown rows before it, a non-decreasing count: the
    // answer skips exactly the hidden rows with at most DisplRow shown rows before them.
    int Lo = 0, Hi = int(FRows.size());
    while (Lo < Hi) {
        const int Mid = (Lo + Hi) / 2;
        if (FRows[size_t(Mid)] - Mid <= DisplRow) Lo = Mid + 1;
        else Hi = Mid;
    }
    return DisplRow + Lo;
}

int RealIndexAfterRemoval(int RealRow, const std::vector<int>& Removed)
{
    return RealRow - int(std::lower_bound(Removed.begin(), Removed.end(), RealRow) - Removed.begin());
}
