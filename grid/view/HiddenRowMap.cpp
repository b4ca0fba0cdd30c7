// The lookup of hidden rows' real indexes.
#include "grid/view/HiddenRowMap.h"

#include <algorithm>
#include <utility>

void THiddenRowMap::Assign(std::vector<int> RealRows)
{
    FSlots.clear();
    if (std::is_sorted(RealRows.begin(), RealRows.end())) {
        FRows = std::move(RealRows);
        return;
    }
    const size_t n = RealRows.size();
    FRows.resize(n);
    FSlots.resize(n);
    // A store holds few ascending runs (one per operation that hid rows): they are merged in one
    // pass, each step taking the lowest head; many runs are sorted outright.
    std::vector<size_t> Ends;
    for (size_t i = 1; i < n; ++i)
        if (RealRows[i] < RealRows[i - 1]) Ends.push_back(i);
    Ends.push_back(n);
    if (Ends.size() <= 8) {
        std::vector<size_t> Head(Ends.size());
        for (size_t j = 1; j < Ends.size(); ++j) Head[j] = Ends[j - 1];
        for (size_t o = 0; o < n; ++o) {
            size_t Best = Ends.size();
            for (size_t j = 0; j < Ends.size(); ++j)
                if (Head[j] < Ends[j] && (Best == Ends.size() || RealRows[Head[j]] < RealRows[Head[Best]])) Best = j;
            FRows[o] = RealRows[Head[Best]];
            FSlots[o] = int(Head[Best]);
            ++Head[Best];
        }
        return;
    }
    std::vector<std::pair<int, int>> P(n);
    for (size_t i = 0; i < n; ++i) P[i] = {RealRows[i], int(i)};
    std::sort(P.begin(), P.end());
    for (size_t i = 0; i < n; ++i) {
        FRows[i] = P[i].first;
        FSlots[i] = P[i].second;
    }
}

void THiddenRowMap::Clear()
{
    FRows.clear();
    FSlots.clear();
}

bool THiddenRowMap::IsHidden(int RealRow) const
{
    return std::binary_search(FRows.begin(), FRows.end(), RealRow);
}

int THiddenRowMap::SlotOf(int RealRow) const
{
    const auto It = std::lower_bound(FRows.begin(), FRows.end(), RealRow);
    if (It == FRows.end() || *It != RealRow) return -1;
    const size_t i = size_t(It - FRows.begin());
    return FSlots.empty() ? int(i) : FSlots[i];
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

void THiddenRowMap::ToRealAscending(std::vector<int>& Rows) const
{
    // The same count as ToReal, found by one walk: it only grows with the display row.
    size_t k = 0;
    for (int& d : Rows) {
        if (d < 0) {
            d = -1;
            continue;
        }
        while (k < FRows.size() && FRows[k] - int(k) <= d) ++k;
        d += int(k);
    }
}

int RealIndexAfterRemoval(int RealRow, const std::vector<int>& Removed)
{
    return RealRow - int(std::lower_bound(Removed.begin(), Removed.end(), RealRow) - Removed.begin());
}
